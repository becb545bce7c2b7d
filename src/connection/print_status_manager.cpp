#include "connection/print_status_manager.h"

#include <atomic>
#include <cstring>
#include <string>

#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"

namespace Reply = PrinterStatusReply;
namespace error = lumeko::error;

const unsigned char setDefaultModeCommand[4] = {0x1B, 0x69, 0x61, 0xFF};
const unsigned char setRasterModeCommand[4] = {0x1B, 0x69, 0x61, 0x01};
const unsigned char setRasterModeFCCommand[4] = {0x1B, 0x69, 0x61, 0x00};
const unsigned char getBatteryTypeFCCommand[6] = {0x1B, 0x7E, 0x65, 0x50, 0x05, 0x00};
const unsigned char getBatteryPowerFCCommand[6] = {0x1B, 0x7E, 0x65, 0x50, 0x04, 0x04};
const unsigned char getBatteryPowerGY310Command[4] = {0x55, 0x0E, 0x05, 0x00};
const unsigned char getBatteryPowerGY180Command[4] = {0x55, 0x0E, 0x04, 0xFF};
const unsigned char getBatteryPowerCommand[4] = {0x55, 0x0E, 0x04, 0x01};

namespace {

using lumeko::errorCode;
using lumeko::setErrorCode;
using lumeko::stopRequested;
unsigned char byteAt(int offset) {
    return PrinterStatus::status_byte_[offset];
}

void setError(int code, int process) {
    setErrorCode(code);
    PrinterStatus::process_status_ = process;
}

bool isPhaseError() {
    return byteAt(Reply::kPhaseNumberHigh) == 0x00 && byteAt(Reply::kPhaseNumberLow) == 0x14;
}

// Phase type 1, printing: the error phase (phase number 00 14) or plain printing.
void setPrintingPhase() {
    if (isPhaseError()) {
        setError(error::kErrorPhase, 2);
    } else {
        setError(error::kNone, 6);
    }
}

// The error code and process status of each notification value.
struct NotificationState {
    unsigned char notification;
    int code;
    int process;
};
constexpr NotificationState kNotifications[] = {
    {1, error::kErrorPhase, 2}, {2, error::kNone, 0}, {3, error::kNotification3, 3},
    {4, error::kNone, 4},       {5, error::kNone, 8}, {7, error::kNone, 9},
};

// Sets the state of a notification; false, with nothing changed, for a value the table does
// not name.
bool setNotificationState(unsigned char notification) {
    for (const NotificationState& n : kNotifications) {
        if (n.notification == notification) {
            setError(n.code, n.process);
            return true;
        }
    }
    return false;
}

}  // namespace

bool PrintStatusManager::replyByteAt(int index, unsigned char& value) {
    if (index < 0 || index >= Reply::kLength) {
        return false;
    }
    value = PrinterStatus::status_byte_[index];
    return true;
}

bool PrintStatusManager::stopOnFailure() const {
    return errorCode() != error::kNone || stopRequested();
}

void PrintStatusManager::sendMessage(int code) {
    lumeko::sendProgressTo(observer(), code);
}

bool PrintStatusManager::sendReadingDone() {
    if (lumeko::settleStop()) {
        return false;
    }
    // The reading is complete: what the host does with this code cannot change it.
    const int outcome = errorCode();
    sendMessage(11);
    lumeko::setErrorCode(outcome);
    return true;
}

// ---------------------------------------------------------------------------------------
// Composite operations

bool PrintStatusManager::updateStatus(Paper paper) {
    if (!spec.statusSupported) {
        return false;
    }
    sendMessage(8);
    getStatus();
    if (stopOnFailure()) {
        return false;
    }
    checkStatus();
    if (stopOnFailure()) {
        return false;
    }
    checkPaper(paper);
    enabledMode9();
    if (byteAt(Reply::kHeadMark) == Reply::kHeadMarkStatus) {
        getBattery();
    }
    if (stopOnFailure()) {
        return false;
    }
    return sendReadingDone();
}

bool PrintStatusManager::updateStatus() {
    return updateStatus(Paper());
}

bool PrintStatusManager::checkStatusNotCheckedBattery(Paper paper) {
    if (!spec.statusSupported) {
        return false;
    }
    sendMessage(8);
    getStatus();
    if (stopOnFailure()) {
        return false;
    }
    checkStatus();
    if (stopOnFailure()) {
        return false;
    }
    checkPaper(paper);
    return sendReadingDone();
}

bool PrintStatusManager::updateLabelInfo(std::vector<Paper> papers) {
    if (!spec.statusSupported) {
        return false;
    }
    sendMessage(8);
    getStatus();
    if (stopOnFailure()) {
        return false;
    }
    getLabelInfo(papers);
    if (stopOnFailure()) {
        return false;
    }
    checkStatus();
    if (stopOnFailure()) {
        return false;
    }
    enabledMode9();
    if (byteAt(Reply::kHeadMark) == Reply::kHeadMarkStatus) {
        getBattery();
    }
    if (stopOnFailure()) {
        return false;
    }
    return sendReadingDone();
}

bool PrintStatusManager::receiveStatus() {
    if (!spec.statusSupported) {
        return true;
    }
    if (port == PORT_NET) {
        getStatus();
        if (errorCode() == error::kNone && !stopRequested()) {
            checkStatus();
        }
    } else {
        CommunicationObserver* const target = observer();
        if (target == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return false;
        }
        // The record the printer sends after a page; the reply is not cleared first.
        const int count = target->receiveData(Reply::kLength, PrinterStatus::status_byte_, true);
        if (count < 0) {
            setErrorCode(error::kCommunication);
            return false;
        }
        if (count != Reply::kLength) {
            if (errorCode() == error::kNone) {
                setErrorCode(error::kCommunication);
            }
            return false;
        }
        checkStatus();
    }
    return errorCode() == error::kNone && !stopRequested();
}

bool PrintStatusManager::receiveStatusFromMIB() {
    if (stopRequested()) {
        return false;
    }
    PrinterStatus::process_status_ = 6;
    getStatus();
    if (errorCode() == error::kNone && !stopRequested()) {
        checkStatus();
    }
    return errorCode() == error::kNone;
}

void PrintStatusManager::receivePrintStatusWithStatusCheck() {
    if (!spec.statusSupported) {
        return;
    }
    getStatus();
    if (errorCode() == error::kNone && !stopRequested()) {
        checkStatus();
    }
}

bool PrintStatusManager::isReadyMIB() {
    if (stopRequested() || port != PORT_NET) {
        return true;
    }
    CommunicationObserver* const target = observer();
    unsigned char state = 0;
    if (target == nullptr ||
        !target->sendStringReceiveData(tpes::PrinterMibOids::oidHrPrinterStatus, 1, &state)) {
        setError(error::kCommunication, 2);
        return true;
    }
    if (state == 3) {  // idle
        setErrorCode(error::kNone);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Status request and decoding

void PrintStatusManager::getStatus() {
    std::memset(PrinterStatus::status_byte_, 0, Reply::kLength);
    setErrorCode(error::kNone);
    if (stopRequested()) {
        return;
    }
    CommunicationObserver* const target = observer();
    bool ok = false;
    if (target != nullptr) {
        if (port == PORT_NET) {
            ok = target->sendStringReceiveData(tpes::PrinterMibOids::oidPrinterStatusReply,
                                               Reply::kLength, PrinterStatus::status_byte_);
        } else {
            auto request = Reply::kRequest;  // ESC i S: status information request
            ok = target->sendDataReceiveData(static_cast<int>(request.size()), request.data(),
                                             Reply::kLength, PrinterStatus::status_byte_);
        }
    }
    // The colour bytes are taken even after a failed exchange.
    if (spec.labelColorStatusIndex != -1) {
        replyByteAt(spec.labelColorStatusIndex, PrinterStatus::label_color_);
    }
    if (spec.inkColorStatusIndex != -1) {
        replyByteAt(spec.inkColorStatusIndex, PrinterStatus::ink_color_);
    }
    if (!ok) {
        setError(error::kCommunication, 2);
    }
}

void PrintStatusManager::checkStatus() {
    switch (byteAt(Reply::kStatusType)) {
        case 0:  // status reply
            checkPrinter();
            if (errorCode() != error::kNone) {
                PrinterStatus::process_status_ = 2;
                return;
            }
            PrinterStatus::process_status_ = 7;
            checkProcessResponse();
            if (errorCode() != error::kNone) {
                return;
            }
            checkPhaseChange();
            if (errorCode() != error::kNone) {
                return;
            }
            if (PrinterStatus::process_status_ == 5) {
                PrinterStatus::process_status_ = 7;
            }
            getErrorInfo();
            break;
        case 1:  // printing completed
            PrinterStatus::process_status_ = 1;
            break;
        case 2:   // error
        case 24:  // error
            setErrorCode(error::kCommunication);
            getErrorInfo();
            break;
        case 5:  // notification
            setError(error::kCommunication, 2);
            checkNotification();
            break;
        case 6:  // phase change
            setError(error::kCommunication, 2);
            checkPhaseChange();
            break;
        default:
            setError(error::kCommunication, 2);
            break;
    }
}

void PrintStatusManager::checkPrinter() {
    if (byteAt(Reply::kHeadMark) != Reply::kHeadMarkStatus ||
        byteAt(Reply::kSize) != Reply::kSizeValue || byteAt(Reply::kFixed) != Reply::kFixedValue) {
        setErrorCode(error::kNotStatusReply);
    } else if (byteAt(Reply::kSeriesCode) != spec.seriesCode ||
               byteAt(Reply::kModelCode) != spec.modelCode) {
        setErrorCode(error::kOtherModel);
    } else {
        setErrorCode(error::kNone);
    }
}

void PrintStatusManager::checkPhaseChange() {
    switch (byteAt(Reply::kPhaseType)) {
        case 1:  // printing
            setPrintingPhase();
            break;
        case 0:  // waiting
            setError(error::kNone, 5);
            break;
        default:
            break;
    }
}

void PrintStatusManager::checkNotification() {
    setNotificationState(byteAt(Reply::kNotification));
}

void PrintStatusManager::checkProcessResponse() {
    // Notification 2 is not taken from a status reply: the phase decides instead.
    const unsigned char notification = byteAt(Reply::kNotification);
    if (notification != 2 && setNotificationState(notification)) {
        return;
    }
    if (byteAt(Reply::kPhaseType) == 1) {
        setPrintingPhase();
    }
}

void PrintStatusManager::getErrorInfo() {
    // Each byte is compared as a whole: a byte with several bits set matches nothing.
    struct ErrorValue {
        unsigned char value;
        int code;
    };
    static constexpr ErrorValue kErrorInfo1[] = {
        {0x01, error::kNoMedia},
        {0x02, error::kNoMedia},
        {0x04, error::kReplyErrorInfo1x04},
        {0x08, error::kReplyErrorInfo1x08},
        {0x10, error::kReplyErrorInfo1x10},
        {0x20, error::kCommunication},
        {0x40, error::kReplyErrorInfo1x40},
        {0x80, error::kPrinterBusy},
    };
    // clang-format off
    static constexpr ErrorValue kErrorInfo2[] = {
        {0x01, error::kMediaMismatch},
        {0x02, error::kReplyErrorInfo2x02},
        {0x04, error::kNone},  // the process status stays as it was
        {0x10, error::kErrorPhase},
        {0x20, error::kNotification3},
        {0x40, error::kPaperMissing},
        {0x80, error::kPrinterBusy},
    };
    // clang-format on
    static constexpr ErrorValue kExtendedError[] = {
        {20, error::kTubeRibbon},
        {29, error::kReplyExtendedError29},
        {30, error::kReplyExtendedError30},
        {31, error::kReplyExtendedError31},
        {32, error::kNoTube},
        {33, error::kLabelNotIdentified},
        {34, error::kReplyExtendedError34},
        {35, error::kReplyExtendedError35},
        {36, error::kReplyExtendedError36},
    };

    const unsigned char info1 = byteAt(Reply::kErrorInfo1);
    for (const ErrorValue& e : kErrorInfo1) {
        if (info1 == e.value) {
            setError(e.code, 2);
            return;
        }
    }
    const unsigned char info2 = byteAt(Reply::kErrorInfo2);
    for (const ErrorValue& e : kErrorInfo2) {
        if (info2 == e.value) {
            if (e.code == error::kNone) {
                setErrorCode(error::kNone);  // the process status stays as it was
            } else {
                setError(e.code, 2);
            }
            return;
        }
    }
    const unsigned char extended = byteAt(Reply::kExtendedError);
    for (const ErrorValue& e : kExtendedError) {
        if (extended == e.value) {
            setError(e.code, 2);
            return;
        }
    }
    if (errorCode() == error::kNone) {
        return;
    }
    if (errorCode() == error::kCommunication && spec.tubeSupported) {
        if (byteAt(Reply::kTube) == 0) {
            setErrorCode(error::kNoTube);
        } else if (byteAt(Reply::kTubeRibbon) == 0 || byteAt(Reply::kTubeRibbonLevel) == 3 ||
                   byteAt(Reply::kTubeRibbonLevel) == 4) {
            setErrorCode(error::kTubeRibbon);
        }
    }
    PrinterStatus::process_status_ = 2;
}

// ---------------------------------------------------------------------------------------
// Media

void PrintStatusManager::checkPaper(Paper paper) {
    const unsigned char width = byteAt(Reply::kMediaWidth);
    const unsigned char type = byteAt(Reply::kMediaType);
    const unsigned char length = byteAt(Reply::kMediaLength);

    if (spec.waitForPaperSupported && type == 0) {
        setErrorCode(error::kNoMedia);  // no paper; the process status stays
    }
    if (!spec.paperCheck || paper.paperNameMm.empty()) {
        return;
    }
    if (paper.isTube) {
        if (spec.tubeSupported) {
            if (byteAt(Reply::kTube) == 0) {
                setError(error::kNoTube, 2);
            } else if (byteAt(Reply::kTubeRibbon) == 0 || byteAt(Reply::kTubeRibbonLevel) == 3 ||
                       byteAt(Reply::kTubeRibbonLevel) == 4) {
                setError(error::kTubeRibbon, 2);
            }
        }
        return;
    }
    if ((width == 0 && length == 0) || type == 0) {
        setError(error::kNoMediaInfo, 2);
        return;
    }
    if (width != paper.mediaWidthMm || length != paper.mediaLengthMm ||
        (type == MEDIA_TYPE_HEAT_SHRINK && paper.mediaType != MEDIA_TYPE_HEAT_SHRINK)) {
        setError(error::kMediaMismatch, 2);
        return;
    }
    if (spec.colorMode == 2) {
        unsigned char colour = 0;
        if (!replyByteAt(spec.inkColorStatusIndex, colour) || colour != paper.mediaColorCode) {
            setError(error::kMediaMismatch, 2);
            return;
        }
    } else if (spec.colorMode == 255) {
        return;
    }
    if (paper.checkInkColor && PrinterStatus::ink_color_ != paper.inkColor) {
        setError(error::kInkColorMismatch, 2);
        return;
    }
    if (paper.checkLabelColor && PrinterStatus::label_color_ != paper.labelColor) {
        setError(error::kLabelColorMismatch, 2);
    }
}

void PrintStatusManager::getLabelInfo(std::vector<Paper> papers) {
    if (!spec.paperCheck) {
        return;
    }
    const unsigned char width = byteAt(Reply::kMediaWidth);
    const unsigned char type = byteAt(Reply::kMediaType);
    const unsigned char length = byteAt(Reply::kMediaLength);
    if ((width == 0 && length == 0) || type == 0) {
        setErrorCode(error::kNoMediaInfo);
    }
    PrinterStatus::label_id_ = 255;
    if (papers.empty()) {
        PrinterStatus::label_color_ = 255;
        PrinterStatus::ink_color_ = 255;
        PrinterStatus::tube_ribbon_ink_color_ = 255;
        setErrorCode(error::kLabelNotIdentified);
        return;
    }
    for (const Paper& paper : papers) {
        bool typeFits = false;
        if ((paper.mediaType & MEDIA_TYPE_EXT_BIT) != 0) {
            typeFits = false;
        } else if (type == MEDIA_TYPE_HEAT_SHRINK) {
            typeFits = paper.mediaType == MEDIA_TYPE_HEAT_SHRINK;
        } else {
            typeFits = paper.mediaType == 0 || paper.mediaType == 1 || paper.mediaType == type;
        }
        bool colourFits = true;
        if (paper.isTwoColor) {
            unsigned char colour = 0;
            colourFits =
                replyByteAt(spec.inkColorStatusIndex, colour) && colour == paper.mediaColorCode;
        }
        if (paper.mediaWidthMm == width && paper.mediaLengthMm == length && typeFits &&
            colourFits) {
            PrinterStatus::label_id_ = paper.paperId;
            PrinterStatus::label_type_ = type;
        }
        if (spec.tubeSupported) {
            PrinterStatus::tube_ = byteAt(Reply::kTube);
            PrinterStatus::tube_ribbon_ = byteAt(Reply::kTubeRibbon);
            PrinterStatus::tube_ribbon_level_ = byteAt(Reply::kTubeRibbonLevel);
        }
    }
    PrinterStatus::label_color_ = 255;
    PrinterStatus::ink_color_ = 255;
    PrinterStatus::tube_ribbon_ink_color_ = 255;
    if (PrinterStatus::label_id_ == 255) {
        setErrorCode(error::kLabelNotIdentified);
        return;
    }
    if (spec.colorMode != 255) {
        replyByteAt(spec.labelColorStatusIndex, PrinterStatus::label_color_);
        replyByteAt(spec.inkColorStatusIndex, PrinterStatus::ink_color_);
    }
    if (spec.tubeSupported) {
        replyByteAt(spec.tubeRibbonInkColorStatusIndex, PrinterStatus::tube_ribbon_ink_color_);
    }
}

unsigned char PrintStatusManager::enabledMode9() {
    PrinterStatus::mode9_ = (byteAt(Reply::kMode) == 1 && spec.mode9Supported) ? 1 : 0;
    return PrinterStatus::mode9_;
}

// ---------------------------------------------------------------------------------------
// Battery

void PrintStatusManager::getBattery() {
    switch (spec.batteryMode) {
        case PS_BATTERY_FC_COMMAND:
            getBatteryFCcommand();
            break;
        case PS_BATTERY_GY160_COMMAND:
            getBatteryGY160command();
            break;
        case PS_BATTERY_GY310_COMMAND:
            getBatteryGY310command();
            break;
        case PS_BATTERY_GY180_COMMAND:
            getBatteryGYcommand(PS_BATTERY_GY180_COMMAND);
            break;
        case PS_BATTERY_STATUS:
            getBatteryFromStatus();
            break;
        default:
            PrinterStatus::battery_normalized_ = PrinterStatus::BatteryNormalized();
            break;
    }
}

void PrintStatusManager::getBatteryFromStatus() {
    PrinterStatus::battery_normalized_.BatteryFromStatus(byteAt(Reply::kBattery));
}

void PrintStatusManager::readOneByteBattery(const unsigned char* command, PSBatteryMode mode) {
    PrinterStatus::battery_normalized_ = PrinterStatus::BatteryNormalized();
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return;
    }
    unsigned char request[12];
    std::memcpy(request, setRasterModeCommand, 4);       // ESC i a 01: raster mode
    std::memcpy(request + 4, command, 4);                // the model's battery command
    std::memcpy(request + 8, setDefaultModeCommand, 4);  // ESC i a FF: default mode
    unsigned char value = 0;
    if (!target->sendDataReceiveData(12, request, 1, &value)) {
        setErrorCode(error::kCommunication);
        return;
    }
    if (stopOnFailure()) {
        return;
    }
    PrinterStatus::battery_normalized_ = PrinterStatus::BatteryNormalized(mode, 0, value);
}

void PrintStatusManager::getBatteryGY160command() {
    readOneByteBattery(getBatteryPowerCommand, PS_BATTERY_GY160_COMMAND);
}

void PrintStatusManager::getBatteryGY310command() {
    readOneByteBattery(getBatteryPowerGY310Command, PS_BATTERY_GY310_COMMAND);
}

void PrintStatusManager::getBatteryGYcommand(PSBatteryMode mode) {
    const unsigned char* command = getBatteryPowerGY180Command;
    if (mode == PS_BATTERY_GY160_COMMAND) {
        command = getBatteryPowerCommand;
    } else if (mode == PS_BATTERY_GY310_COMMAND) {
        command = getBatteryPowerGY310Command;
    }
    readOneByteBattery(command, mode);
}

void PrintStatusManager::getBatteryFCcommand() {
    PrinterStatus::battery_normalized_ = PrinterStatus::BatteryNormalized();
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return;
    }
    unsigned char typeRequest[10];
    std::memcpy(typeRequest, setRasterModeFCCommand, 4);       // ESC i a 00: raster mode
    std::memcpy(typeRequest + 4, getBatteryTypeFCCommand, 6);  // ESC ~ e P 05 00: type
    unsigned char type = 255;
    if (!target->sendDataReceiveData(10, typeRequest, 1, &type)) {
        setErrorCode(error::kCommunication);
    }
    if (stopOnFailure()) {
        // The first request switched the printer to raster mode: switch it back. The
        // result is ignored and the error code stays the first one.
        const int firstCode = errorCode();
        unsigned char back[4];
        std::memcpy(back, setDefaultModeCommand, 4);  // ESC i a FF: default mode
        target->sendData(4, back);
        setErrorCode(firstCode);
        return;
    }
    unsigned char powerRequest[10];
    std::memcpy(powerRequest, getBatteryPowerFCCommand, 6);   // ESC ~ e P 04 04: power
    std::memcpy(powerRequest + 6, setDefaultModeCommand, 4);  // ESC i a FF: default mode
    unsigned char value = 0;
    if (!target->sendDataReceiveData(10, powerRequest, 1, &value)) {
        setErrorCode(error::kCommunication);
        return;
    }
    if (stopOnFailure()) {
        return;
    }
    PrinterStatus::battery_normalized_.BatteryFromFCCommand(type, value);
}
