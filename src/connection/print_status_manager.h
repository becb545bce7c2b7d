#pragma once

#include <array>
#include <vector>

#include "catalogue/battery_mode.h"
#include "catalogue/paper.h"
#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "connection/connect.h"

// Offsets of the 32-byte status reply (ESC i S, the record a printer sends after a page,
// or the status object read over SNMP on the network port).
namespace PrinterStatusReply {
// ESC i S (1B 69 53): status information request, which the printer answers with this reply.
constexpr std::array<unsigned char, 3> kRequest = {0x1B, 0x69, 0x53};
constexpr int kLength = 32;
constexpr int kHeadMark = 0;       // 0x80 status reply, 0x81 transfer status
constexpr int kSize = 1;           // 0x20
constexpr int kFixed = 2;          // 0x42
constexpr int kSeriesCode = 3;     // PrinterSpec::seriesCode
constexpr int kModelCode = 4;      // PrinterSpec::modelCode
constexpr int kBattery = 6;        // battery byte of PS_BATTERY_STATUS models
constexpr int kExtendedError = 7;  // 20, 29..36
constexpr int kErrorInfo1 = 8;     // single-bit errors
constexpr int kErrorInfo2 = 9;     // single-bit errors
constexpr int kMediaWidth = 10;    // mm
constexpr int kMediaType = 11;     // 0 = no media
constexpr int kMode = 15;          // 1: mode 9
constexpr int kMediaLength = 17;   // mm
constexpr int kStatusType = 18;    // 0, 1, 2, 5, 6, 24
constexpr int kPhaseType = 19;     // 0 or 1
constexpr int kPhaseNumberHigh = 20;
constexpr int kPhaseNumberLow = 21;
constexpr int kNotification = 22;  // 1, 2, 3, 4, 5, 7
constexpr int kLabelColor = 24;
constexpr int kInkColor = 25;  // media colour code for colorMode 2
constexpr int kTubeRibbonInkColor = 26;
constexpr int kTube = 27;             // 0: kNoTube
constexpr int kTubeRibbon = 28;       // 0: kTubeRibbon
constexpr int kTubeRibbonLevel = 29;  // 3 or 4: kTubeRibbon

constexpr unsigned char kHeadMarkStatus = 0x80;
constexpr unsigned char kHeadMarkTransfer = 0x81;
constexpr unsigned char kSizeValue = 0x20;
constexpr unsigned char kFixedValue = 0x42;
}  // namespace PrinterStatusReply

// Battery commands.
extern const unsigned char setDefaultModeCommand[4];        // ESC i a FF: default mode
extern const unsigned char setRasterModeCommand[4];         // ESC i a 01: raster mode
extern const unsigned char setRasterModeFCCommand[4];       // ESC i a 00: raster mode (FC)
extern const unsigned char getBatteryTypeFCCommand[6];      // ESC ~ e P 05 00: battery type
extern const unsigned char getBatteryPowerFCCommand[6];     // ESC ~ e P 04 04: battery power
extern const unsigned char getBatteryPowerGY310Command[4];  // 55 0E 05 00
extern const unsigned char getBatteryPowerGY180Command[4];  // 55 0E 04 FF
extern const unsigned char getBatteryPowerCommand[4];       // 55 0E 04 01

// Requests or receives the status reply of one operation, decodes it into the
// PrinterStatus statics, checks or identifies the loaded media and reads the battery.
// Built on the stack for one status operation; owns nothing.
class PrintStatusManager {
  public:
    Connect* connect = nullptr;  // not owned; may be null or hold a null observer
    PrinterSpec spec;
    Port port = static_cast<Port>(0);

    // Composite operations: progress code 8, the reading, and code 11 once the reading is
    // complete. They answer true when code 11 went out: a stop requested before it has set
    // its code instead (see sendReadingDone); false also when they stopped early.
    bool updateStatus(Paper paper);
    bool updateStatus();
    bool checkStatusNotCheckedBattery(Paper paper);
    bool updateLabelInfo(std::vector<Paper> papers);
    bool receiveStatus();
    bool receiveStatusFromMIB();
    void receivePrintStatusWithStatusCheck();
    bool isReadyMIB();

    // Steps.
    void getStatus();
    void checkStatus();
    void checkPrinter();
    void checkProcessResponse();
    void checkPhaseChange();
    void checkNotification();
    void getErrorInfo();
    void checkPaper(Paper paper);
    void getLabelInfo(std::vector<Paper> papers);
    unsigned char enabledMode9();
    void getBattery();
    void getBatteryFromStatus();
    void getBatteryFCcommand();
    void getBatteryGY160command();
    void getBatteryGY310command();
    void getBatteryGYcommand(PSBatteryMode mode);

  private:
    CommunicationObserver* observer() const { return connect ? connect->observer : nullptr; }
    // The reply byte at a spec-given index; false (and value untouched) outside 0..31.
    static bool replyByteAt(int index, unsigned char& value);
    bool stopOnFailure() const;
    void sendMessage(int code);
    // Code 11 after a complete reading, unless a stop was requested (its code is set and the
    // answer is false). The error code stays as the reading left it whatever the host does
    // with the message; a stop requested meanwhile is left to the caller's next check.
    bool sendReadingDone();
    void readOneByteBattery(const unsigned char* command, PSBatteryMode mode);
};
