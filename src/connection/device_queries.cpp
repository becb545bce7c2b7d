#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "common/error_code.h"
#include "common/reply_text.h"
#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "connection/util.h"

// Device queries: serial number, media versions, page counter, device status, system
// report and battery. None sends progress codes; each stops before an exchange once a stop
// was requested, and ends through endOperation, so a cancel gives the failure result with
// code 37. Every count that receiveData reports is checked against the length asked for
// before it is used.

namespace {

namespace error = lumeko::error;
using Oids = tpes::PrinterMibOids;
using lumeko::setErrorCode;
using lumeko::stopRequested;

// One sendData of the whole request; false (error code 6) when it fails.
template <std::size_t N>
bool send(CommunicationObserver* target, unsigned char (&request)[N]) {
    if (stopRequested()) {
        return false;
    }
    if (!target->sendData(static_cast<int>(N), request)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

// One receiveData of up to `length` bytes; false (error code 6) for a failure or a count
// above what was asked for. `count` is the bytes received.
bool receive(CommunicationObserver* target, int length, unsigned char* buffer, bool flag,
             int& count) {
    if (stopRequested()) {
        count = 0;
        return false;
    }
    count = target->receiveData(length, buffer, flag);
    if (count < 0 || count > length) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

// The answer of a query once it has ended: its failure result when a stop was requested or
// the error code is not 1.
template <typename T>
T ended(BasePrinter& printer, T answer) {
    return printer.endOperation(true) ? answer : T();
}

}  // namespace

std::string BasePrinter::getSerialNumber() {
    return ended(*this,
                 port == PORT_NET ? getSerialNumberFromMIB() : getSerialNumberFromESCPCommand());
}

std::string BasePrinter::getMediaVer() {
    return ended(*this, readMediaVersion());
}

int BasePrinter::getPageCounter() {
    return ended(*this, readPageCounter());
}

std::string BasePrinter::getDeviceStatus() {
    return ended(*this, readDeviceStatus());
}

std::string BasePrinter::getSystemReport() {
    return ended(*this, readSystemReport());
}

bool BasePrinter::getBatteryInfo(PrinterBatteryInfo& info) {
    PrinterBatteryInfo reading;
    if (!ended(*this, readBatteryInfo(reading))) {
        return false;
    }
    info = reading;
    return true;
}

std::string BasePrinter::getSerialNumberFromMIB() {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    std::string reply;
    if (!target->sendStringReceiveString(Oids::oidSerialNumber, reply)) {
        setErrorCode(error::kCommunication);
        return std::string();
    }
    return reply;
}

std::string BasePrinter::getSerialNumberFromESCPCommand() {
    if (!spec.serialNumberCommand) {
        return std::string();
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    unsigned char request[] = {
        0x1B, 0x69, 0x61, 0xFA,  // ESC i a FA: serial number mode
        0x55, 0x0C, 0x82,        // serial number request
        0x1B, 0x69, 0x61, 0xFF,  // ESC i a FF: default command mode
    };
    if (!send(target, request)) {
        return std::string();
    }
    if (port == PORT_USB || port == PORT_BLE) {
        // A length byte and the text, possibly in two pieces.
        constexpr int kBufferLength = 32;
        unsigned char buffer[kBufferLength] = {};
        int received = 0;
        for (int reads = 0; reads < 2; ++reads) {
            int count = 0;
            if (!receive(target, kBufferLength - received, buffer + received, false, count)) {
                return std::string();
            }
            received += count;
            if (received > buffer[0]) {
                break;
            }
        }
        if (received <= 1 || buffer[0] >= received) {
            return std::string();
        }
        return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
    }
    unsigned char length = 0;
    int count = 0;
    if (!receive(target, 1, &length, true, count) || count == 0) {
        return std::string();
    }
    std::vector<unsigned char> text(length + 1u, 0);  // never empty: data() is valid
    if (!receive(target, length, text.data(), true, count) || count == 0) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(text.data()), length);
}

std::string BasePrinter::readMediaVersion() {
    if (!spec.mediaVersionCommand) {
        return std::string();
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    unsigned char request[] = {0x1B, 0x69, 0x55, 0x76};  // ESC i U v: media version
    if (!send(target, request)) {
        return std::string();
    }
    unsigned char reply[8] = {};
    int count = 0;
    if (!receive(target, 8, reply, false, count) || count == 0) {
        return std::string();
    }
    const unsigned int length = reply[0];
    if (length > 7) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    return lumeko::textUpToZero(reply + 1, length);
}

std::string BasePrinter::getMediaFileVer(std::string path) {
    if (!spec.mediaVersionCommand) {
        return std::string();
    }
    setErrorCode(error::kNone);
    unsigned char* data = nullptr;
    int size = 0;
    if (!tpes::Util::readFile(path, data, size)) {
        setErrorCode(error::kFileUnreadable);
        return std::string();
    }
    const std::unique_ptr<unsigned char[]> owner(data);
    if (size <= 9 || data == nullptr) {
        return std::string();
    }
    // ESC i U w (1B 69 55 77): media information block; the version is at +7..+9.
    for (int i = 0; i <= size - 10; ++i) {
        if (data[i] == 0x1B && data[i + 1] == 0x69 && data[i + 2] == 0x55 && data[i + 3] == 0x77) {
            return lumeko::textUpToZero(data + i + 7, 3);
        }
    }
    return std::string();
}

int BasePrinter::readPageCounter() {
    setErrorCode(error::kNone);
    if (port != PORT_NET) {
        return 0;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return 0;
    }
    unsigned char reply[36] = {};
    if (!target->sendStringReceiveData(Oids::oidPageCounter, 36, reply)) {
        setErrorCode(error::kCommunication);
        return 0;
    }
    const uint32_t value = lumeko::readBe32(reply + 10);
    int32_t counter = 0;
    std::memcpy(&counter, &value, sizeof counter);
    return counter;
}

std::string BasePrinter::readDeviceStatus() {
    setErrorCode(error::kNone);
    if (port != PORT_NET) {
        return std::string();
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    std::string reply;
    if (!target->sendStringReceiveString(Oids::oidConsoleDisplayText, reply)) {
        setErrorCode(error::kCommunication);
        return std::string();
    }
    tpes::Util::replaceStr(reply, " ", "");
    return reply;
}

std::string BasePrinter::readSystemReport() {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return std::string();
    }
    unsigned char request[] = {0x1B, 0x69, 0x58, 0x47};  // ESC i X G: system report
    if (!send(target, request)) {
        return std::string();
    }
    unsigned char lengthBytes[2] = {};
    int count = 0;
    // A length read that brings fewer than two bytes means "no report".
    if (!receive(target, 2, lengthBytes, true, count) || count < 2) {
        return std::string();
    }
    const unsigned int length = lumeko::readLe16(lengthBytes);
    std::vector<unsigned char> text(length + 1u, 0);  // never empty: data() is valid
    if (!receive(target, static_cast<int>(length), text.data(), true, count) || count == 0) {
        return std::string();
    }
    text.resize(length);
    for (unsigned char& c : text) {
        if (c > 0x7E) {
            c = '?';
        }
    }
    return std::string(text.begin(), text.end());
}

bool BasePrinter::readBatteryInfo(PrinterBatteryInfo& info) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    unsigned char reply[PrinterBatteryInfo::kReplyLength] = {};
    const int replyLength = static_cast<int>(PrinterBatteryInfo::kReplyLength);
    bool ok = false;
    if (port == PORT_NET) {
        ok = target->sendStringReceiveData(Oids::oidBatteryInfo, replyLength, reply);
    } else {
        // The FC series ('6') switches to its raster mode with 00, every other model with 01.
        const unsigned char mode = spec.seriesCode == 0x36 ? 0x00 : 0x01;
        unsigned char request[] = {
            0x1B, 0x69, 0x61, mode,  // ESC i a: raster mode
            0x1B, 0x69, 0x55, 0x6E,  // ESC i U n: battery information
            0x1B, 0x69, 0x61, 0xFF,  // ESC i a FF: default command mode
        };
        ok = target->sendDataReceiveData(static_cast<int>(sizeof request), request, replyLength,
                                         reply);
    }
    if (!ok) {
        setErrorCode(error::kCommunication);
        return false;
    }
    std::vector<int8_t> bytes(PrinterBatteryInfo::kReplyLength);
    std::memcpy(bytes.data(), reply, bytes.size());
    info = PrinterBatteryInfo(bytes);
    return true;
}
