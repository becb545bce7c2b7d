#include <algorithm>
#include <string>

#include "common/reply_text.h"
#include "connection/print_status_manager.h"
#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/transfer_commands.h"

// Firmware version queries, the firmware gate of template uploads and the two one-byte
// device flags.

using namespace FileTransfer_inner;
using tpes::Util;

namespace {

constexpr int kReplyBuffer = 256;
// Method 3: first read, follow-up reads, and where the version stands in the reply.
constexpr int kMethod3FirstRead = 132;
constexpr int kMethod3MoreReads = 3;
constexpr int kMethod3VersionOffset = 65;
constexpr int kVersionLength = 5;
// Firmware information reply (ESC i X S).
constexpr int kFirmwareInfoLength = 32;
constexpr int kFirmwareCodeOffset = 21;
constexpr int kFirmwareVersionOffset = 27;
constexpr int kFirmwareVersionChars = 4;

}  // namespace

std::string FileTransfer::getFirmVer() {
    setErrorCode(error::kNone);
    if (!isSupported(PS_SUPPORT_FIRMWARE_UPDATE)) {
        // No firmware functions on this port: the empty text is the answer "no version
        // here", not a failure, so the code stays 1 and nothing is sent.
        endOperation(true);
        return std::string();
    }
    std::string text = readFirmVer();
    if (!endOperation(!text.empty())) {
        text.clear();
    }
    return text;
}

std::string FileTransfer::readFirmVer() {
    CommunicationObserver* const target = observer();
    std::string text;
    if (port == PORT_NET) {
        if (target != nullptr &&
            target->sendStringReceiveString(tpes::PrinterMibOids::oidFirmwareVersion, text)) {
            Util::replaceStr(text, "FIRMVER=", "");
            Util::erase(text, '"');
            Util::erase(text, '\r');
            Util::erase(text, '\n');
        } else {
            setErrorCode(target != nullptr ? error::kCommunication : error::kInvalidParameter);
            text.clear();
            if (target == nullptr || !target->sendStringReceiveString(
                                         tpes::PrinterMibOids::oidInterpreterVersion, text)) {
                setErrorCode(target != nullptr ? error::kCommunication : error::kInvalidParameter);
                return std::string();
            }
            // The fallback answered: the version is read, so the first read's failure is
            // not the outcome.
            setErrorCode(error::kNone);
        }
    } else {
        const int method = spec.firmwareVersionMethod;
        if (method < 1 || method > 4) {
            setErrorCode(error::kInvalidParameter);
            return std::string();
        }
        if (target == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return std::string();
        }
        unsigned char buffer[kReplyBuffer] = {};
        if (method == 3) {
            if (!send(TransferCommand::kFirmwareVersion3,
                      sizeof TransferCommand::kFirmwareVersion3)) {
                return std::string();
            }
            int received = target->receiveData(kMethod3FirstRead, buffer, false);
            if (received < 0) {
                setErrorCode(error::kCommunication);
                return std::string();
            }
            received = std::min(received, kMethod3FirstRead);
            const int expected = buffer[0] + 1;
            for (int i = 0; i < kMethod3MoreReads && received < expected; ++i) {
                // Never more than the buffer has room for.
                const int wanted =
                    std::min(((expected - received) / 8 + 1) * 8, kReplyBuffer - received);
                if (wanted <= 0) {
                    break;
                }
                const int m = target->receiveData(wanted, buffer + received, true);
                if (m < 0) {
                    setErrorCode(error::kCommunication);
                } else {
                    received += std::min(m, wanted);
                }
            }
            if (received < expected) {
                setErrorCode(error::kCommunication);  // the reply did not arrive whole: what came
                                                      // is only a part
            }
            text = lumeko::textUpToZero(buffer + kMethod3VersionOffset, kVersionLength);
        } else {
            const unsigned char* command = method == 1 ? TransferCommand::kFirmwareVersion1
                                                       : TransferCommand::kFirmwareVersion2;
            const int length = method == 1
                                   ? static_cast<int>(sizeof TransferCommand::kFirmwareVersion1)
                                   : static_cast<int>(sizeof TransferCommand::kFirmwareVersion2);
            const int replyLength = method == 2 ? 16 : 5;
            if (!target->sendDataReceiveData(length, const_cast<unsigned char*>(command),
                                             replyLength, buffer)) {
                setErrorCode(error::kCommunication);
                return std::string();
            }
            buffer[replyLength] = 0;
            text = lumeko::textUpToZero(buffer, static_cast<size_t>(replyLength));
        }
        // Back to the default command mode; a failure leaves error 6 beside the text.
        send(setDefaultModeCommand, sizeof setDefaultModeCommand);
        const std::vector<std::string> pieces = Util::split(text, ' ');
        if (pieces.empty()) {
            setErrorCode(error::kCommunication);
            return std::string();
        }
        text = pieces.back();
    }
    Util::erase(text, '.');
    Util::erase(text, 'V');
    if (text.empty()) {
        // A reply without a version (only blanks, dots or V, say) is no version.
        setErrorCode(error::kCommunication);
    }
    return text;
}

bool FileTransfer::isSupportedFirmVer() {
    if (!spec.templateFirmwareCheck || port == PORT_NET) {
        return true;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    unsigned char reply[kFirmwareInfoLength] = {};
    if (!target->sendDataReceiveData(
            static_cast<int>(sizeof TransferCommand::kFirmwareInformation),
            const_cast<unsigned char*>(TransferCommand::kFirmwareInformation), kFirmwareInfoLength,
            reply)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    if (reply[kFirmwareCodeOffset] == spec.templateFirmwareCode) {
        return true;
    }
    const std::string printerVersion(reinterpret_cast<const char*>(reply + kFirmwareVersionOffset),
                                     kFirmwareVersionChars);
    return Util::toDouble(spec.templateFirmwareMinVersion) < Util::toDouble(printerVersion);
}

int FileTransfer::readDeviceFlag(const unsigned char* command) {
    if (!spec.batteryWeakBootModeCommand) {
        return 0;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return -1;
    }
    unsigned char flag = 0;
    if (!target->sendDataReceiveData(5, const_cast<unsigned char*>(command), 1, &flag)) {
        setErrorCode(error::kCommunication);
        return -1;
    }
    return flag;
}

int FileTransfer::endDeviceFlag(int flag) {
    return endOperation(flag >= 0) ? flag : -1;
}

int FileTransfer::getBatteryWeak() {
    return endDeviceFlag(readDeviceFlag(TransferCommand::kBatteryWeak));
}

int FileTransfer::getBootMode() {
    return endDeviceFlag(readDeviceFlag(TransferCommand::kBootMode));
}

bool FileTransfer::isDiffVersion(std::string path, bool* flag) {
    bool unused = false;
    bool& failed = flag != nullptr ? *flag : unused;
    failed = false;
    const std::string printerVersion = getFirmVer();
    if (printerVersion.empty() || errorCode() != error::kNone) {
        failed = true;
        return false;
    }
    const std::string fileVersion = getFileVersion(std::move(path));
    if (fileVersion.empty() || errorCode() != error::kNone) {
        failed = true;
        return false;
    }
    return Util::toInt(printerVersion) != Util::toInt(fileVersion);
}
