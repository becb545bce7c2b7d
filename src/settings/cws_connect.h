#pragma once

#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "settings/setting_value_codec.h"

// The transport of the settings service. It reads one configuration item at a time (a
// PJL INQUIRE on every port but the network port, an SNMP read through the host there),
// queues writes without sending them (ESC command bytes in escSetData, PJL DEFAULT lines
// in pjlSetData) and sends both queues in one commit buffer (sendSetData).
//
// Results: true on success. On failure the process-wide error code holds 6 (exchange
// failed or reply malformed), 39 (no observer, value out of range, queue full) or 12 (a
// power-off reply marked invalid); a read then leaves its out-argument as it was and a
// write queues nothing. No operation sets the error code back to 1.
//
// Stops: once the host has cancelled or refused a progress message, no exchange starts
// (reads, the raster-mode switch, the commit): the operation fails with the stop's code, 37
// or 40. An exchange under way is finished (its reply is taken), and the switch back to
// the default mode still goes out.
class CWSConnect : public BasePrinter, public SettingValueCodec {
  public:
    // Size of the PJL line queue and of the PJL reply buffer.
    static constexpr int kPjlBufferSize = 4000;
    // Longest payload of one PJL DEFAULT line: hexadecimal text and address bytes.
    static constexpr size_t kTextLineLimit = 95;
    static constexpr size_t kBinaryLineLimit = 23;

    // Commands.
    static const unsigned char byES_SaveCommand[3];
    // The mode switches ESC i a FF / 01 / 00 (1B 69 61 ..): the status manager's bytes.
    static constexpr const unsigned char (&byES_setDefaultModeCommand)[4] = setDefaultModeCommand;
    static constexpr const unsigned char (&byES_setRasterModeCommand)[4] = setRasterModeCommand;
    static constexpr const unsigned char (&byES_setRasterModeFCCommand)[4] = setRasterModeFCCommand;
    static const unsigned char byES_ResetCommand[4];
    // Frame header of the commit: series and model code in bytes 5 and 6, the length of
    // what follows (up to the default-mode command) little-endian in bytes 8..11.
    static const unsigned char byES_SendCommands[16];
    // Wireless-on-boot templates as loaded. Each read and write builds its own command
    // from them, with byte 5 for the series (wirelessOnBootInterfaceByte) and byte 7 the
    // value of a write, so that operations on other threads never share a command buffer.
    static const unsigned char byES_GetWirelessOnBoot[7];
    static const unsigned char byES_SetWirelessOnBoot[8];

    // Sets error code 1 and clears the status bytes (the base constructor does both).
    CWSConnect(Port port, CommunicationObserver* observer, Model model);
    ~CWSConnect() override;

    // ---- reads of one item, routed by the port (SNMP on the network port, else PJL)
    bool sendGetIntData(std::string id, int* value);
    bool sendGetRawStringData(std::string id, std::string& value);
    bool sendGetStringData(std::string id, std::string& value);
    bool sendGetBinaryData(std::string id, std::string& value, bool isIPv6);
    // Network port only (39 elsewhere): reads the object oid as text.
    bool sendGetStringDataForIPv6AddressList(std::string oid, std::string& value);
    bool getValueFromMIB(std::string id, std::string& value);

    bool sendGetIntDataFromPJL(std::string id, int* value);
    bool sendGetRawStringDataFromPJL(std::string id, std::string& value);
    bool sendGetStringDataFromPJL(std::string id, std::string& value);
    bool sendGetBinaryDataFromPJL(std::string id, std::string& value, bool isIPv6);
    // One PJL exchange: sends request, receives at most kPjlBufferSize bytes and takes the
    // value that the printer answers for item id.
    bool sendGetData(const unsigned char* request, int length, const std::string& id,
                     std::string& value);
    // The INQUIRE request for an item: 73 + id length bytes.
    static std::vector<unsigned char> createGetRequest(const std::string& id);

    // ---- queued PJL writes
    bool setIntData(std::string id, int value);
    // The PJL DEFAULT line of an integer item.
    static void createSetIntData(std::string id, int value, std::string& line);
    bool setRawStringData(std::string id, std::string text);
    bool setStringData(std::string id, std::string text, unsigned maxBytes);
    bool setStringData(std::string id, std::string text);
    bool setStringDataHexWEP(std::string id, std::string key);
    bool setBinaryData(std::string id, const unsigned char* bytes, int count);

    // ---- modes and commit
    // Writes the raster-mode command into out (4 bytes) and returns 4.
    int addESRaster(unsigned char* out);
    bool sendESRaster();
    bool sendESDefMode();
    bool addESDefMode();
    void clearsetData();
    // Byte 5 of the wireless-on-boot commands: 01 on the HU series ('7'), else 00.
    unsigned char wirelessOnBootInterfaceByte() const;
    // Sends both queues in one buffer, framed, followed by a reset when reset is true.
    bool sendSetData(bool reset);

    // ---- device setting commands (reads exchange at once, writes append to escSetData)
    bool sendESBTDevName_R(std::string& name);
    bool sendESBTDevName_W(std::string name);
    bool sendESBTVisibility_R(std::string& visibility);
    bool sendESBTVisibility_W(bool visible);
    bool sendESBTOnBoot_R(unsigned char& mode);
    bool sendESBTOnBoot_W(unsigned char mode);
    bool getBTOnBootFC(unsigned char& mode);
    bool setBTOnBootFC(unsigned char mode);
    bool getBluetoothReconnection(signed char& value);
    bool setBluetoothReconnection(signed char value);
    bool sendESBTPinCodeEE_R(bool& enabled, bool& second);
    bool sendESBTPinCodeEE_W(bool enabled, bool second);
    bool sendESBTPinCode_R(std::string& pin);
    bool sendESBTPinCode_W(std::string pin);
    bool sendESBTenable_R(std::string& enabled);
    bool sendESBTenable_W(bool enabled);

    bool sendESWFDenable_R(int& value);
    bool sendESWFDenable_W(int value);
    bool sendESWFDConnectMethod_R(int& value);
    bool sendESWFDConnectMethod_W(int value);
    bool sendESWFDAutoGeneration_R(bool& on);
    bool sendESWFDAutoGeneration_W(bool on);
    bool sendESWFDStaticSSID_R(std::string& ssid);
    bool sendESWFDStaticSSID_W(std::string ssid);
    bool sendESWFDStaticKey_W(std::string key);
    // The printer's reply to this read is taken to be laid out as the SSID reply: a
    // little-endian length in bytes 0 and 1, the key from byte 2 on (at most 64 bytes).
    bool sendESWFDStaticKey_R(std::string& key);

    bool getWirelessOnBoot(unsigned char& value);
    bool getWirelessOnBootMIB(unsigned char& value);
    bool getWirelessOnBootEsc(unsigned char& value);
    bool setWirelessOnBoot(unsigned char value);

    bool getJPEGHalf(unsigned char& value);
    bool getJPEGHalfFC(unsigned char& value);
    bool getJPEGHalfOther(unsigned char& value);
    bool setJPEGHalf(unsigned char value);
    bool setJPEGHalfFC(unsigned char value);
    bool setJPEGHalfOther(unsigned char value);
    bool getJPEGScale(unsigned char& value);
    bool setJPEGScale(unsigned char value);
    bool getSpeed(unsigned char& value);
    bool getSpeedFC(unsigned char& value);
    bool getSpeedOther(unsigned char& value);
    bool setSpeed(unsigned char value);
    bool setSpeedFC(unsigned char value);
    bool setSpeedOther(unsigned char value);
    bool getDensity(signed char& value);
    bool getDensityFC(signed char& value);
    bool getDensityOther(signed char& value);
    bool setDensity(signed char value);
    bool setDensityFC(signed char value);
    bool setDensityOther(signed char value);

    // ---- automatic power-off (decimal minutes as text)
    bool getACAutoOff(std::string& minutes);
    bool getLiAutoOff(std::string& minutes);
    bool setACAutoOffCommand(std::string minutes);
    bool setLiAutoOff(std::string minutes);

    bool getACAutoOffMIBFC(std::string& minutes);
    bool getLiAutoOffMIBCommandFC(std::string& minutes);
    bool getACAutoOffESCCommandFC(std::string& minutes);
    bool getLiAutoOffESCCommandFC(std::string& minutes);
    bool getAutoOffEscCommandOther(std::string& minutes);
    bool getACAutoOffESCCommandHU1(std::string& minutes);
    bool getACAutoOffESCCommandHU3400a(std::string& minutes);
    bool getAutoOffEscCommandKX(std::string& minutes, bool ac);
    bool getAutoOffEscCommandVZ3(std::string& minutes, bool ac);
    bool getAutoOffEscCommandVZ4600(std::string& minutes, bool ac);
    bool setACAutoOffCommandEscFC(std::string minutes);
    bool setLiAutoOffESCCommandFC(std::string minutes);
    bool setACAutoOffESCCommandOther(std::string minutes);
    bool setACAutoOffESCCommandHU1(std::string minutes);
    bool setACAutoOffESCCommandHU3400a(std::string minutes);
    bool setACAutoOffESCCommandHU1Command(int minutes);
    bool setAutoOffESCCommandKX(std::string minutes, bool ac);
    bool setAutoOffEscCommandVZ3(std::string minutes, bool ac);
    bool setAutoOffEscCommandVZ4600(std::string minutes, bool ac);
    // Minutes of an SNMP power-off code; error 39 and 0 for a code outside the table.
    int changeAutoOffTimeFromCommand(int code);

    // ---- queues (read by tests and by the commit)
    std::vector<unsigned char> escSetData;
    char pjlSetData[kPjlBufferSize] = {};
    int pjlSetDataLength = 0;

  private:
    // Exchange of a read: command out, exactly replyLength bytes back.
    bool exchange(const unsigned char* command, int length, unsigned char* reply, int replyLength);
    // A read whose reply of replyLength bytes (1 to 3) carries the value in its last byte.
    bool readByte(const unsigned char* command, int length, int replyLength, unsigned char& value);
    // Queues command, then value; 39 and nothing queued when value is above limit.
    bool queueByteWithin(const unsigned char* command, size_t length, unsigned char value,
                         unsigned char limit);
    // The Bluetooth boot mode has the Bluetooth-group command (else wireless on boot).
    bool bluetoothBootForm() const;
    // False with the stop's code when a stop was requested: no exchange may start.
    static bool stopBeforeExchange();
    // Sends bytes at once: 39 without an observer, 6 when the send fails; nothing after a
    // stop unless evenAfterStop.
    bool sendNow(const unsigned char* bytes, int length, bool evenAfterStop = false);
    // The number of a read value that is wholly a number (settings::wholeNumber), on both
    // routes; anything else is a malformed reply: 6, and number is left as it was.
    bool numberOfReply(const std::string& text, int& number);
    // Reads the text of an SNMP object through the host: 39 without an observer, 6 when the
    // read fails.
    bool readObject(const std::string& oid, std::string& text);
    // A Wi-Fi Direct text read: command out by sendData, one receive of at most replySize
    // bytes, a little-endian length in bytes 0 and 1, then the text (up to its first zero).
    bool readWFDText(const unsigned char* command, int length, int replySize, std::string& text);
    // Bounded receive: the count, never above length (negative: failure).
    int receive(int length, unsigned char* buffer, bool flag);
    // Appends the one or two PJL DEFAULT lines of payload; 39 when they do not fit.
    bool queuePjlPayload(const std::string& id, const std::string& payload, size_t lineLimit);
    bool queuePjlLines(const std::string& lines);
    // The port whose capability word a decision reads.
    uint32_t powerWord(Port wordPort) const;
    // One ESC i U A query with its s byte (none when withItem is false).
    bool autoOffQuery(unsigned char query, bool withItem, bool ac, unsigned char* reply,
                      int replyLength);
    bool getAutoOffEscCommandVZ(std::string& minutes, bool ac, int limit);
    bool setAutoOffEscCommandVZ(std::string minutes, bool ac, unsigned limit);
    bool getAutoOffMIB(const char* oid, std::string& minutes);
    // The minutes in byte index of the FC setting block.
    bool getAutoOffFromBlockFC(int index, std::string& minutes);
    bool isFCSeries() const;
};
