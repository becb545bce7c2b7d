#include <algorithm>
#include <climits>

#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "connection/wait.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/transfer_bytes.h"
#include "transfer/transfer_commands.h"

// The transfer engine: start, transfer mode, transfer timeout, database files sent in
// chunks the printer asks for, and package files sent record by record.

using namespace FileTransfer_inner;
using tpes::Util;

namespace {

constexpr size_t kCommandBytes = 8;
// Busy answers to a database header before the transfer gives up.
constexpr int kBusyTries = 3;
// Polls after the last chunk of a firmware database file on port 1.
constexpr int kLastChunkPolls = 15;
// Readiness polls after a template record.
constexpr int kReadyPolls = 30;
// Status polls after a firmware record.
constexpr int kFirmwarePollsUsb = 36;
constexpr int kFirmwarePollsOther = 2;

// Progress codes around the sending of data.
constexpr int kProgressDataStart = 14;
constexpr int kProgressDataDone = 15;

bool isEscPort(Port port) {
    return port == PORT_USB || port == PORT_BLUETOOTH || port == PORT_BLE;
}

// A failure that left error code 1 (a transfer status that does not pass the sanity test)
// is reported as the printer's refusal of the data.
bool failedStatus() {
    if (errorCode() == error::kNone) {
        setErrorCode(error::kCommunication);
    }
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Package records

bool FileTransfer_inner::skipDataWithSize(const Bytes& data, Bytes::const_iterator* it, size_t n) {
    const size_t remaining = static_cast<size_t>(data.end() - *it);
    if (remaining < n) {
        return false;
    }
    *it += static_cast<Bytes::difference_type>(n);
    return true;
}

bool FileTransfer_inner::skipTLFData(const Bytes& data, Bytes::const_iterator* it) {
    if (!skipDataWithSize(data, it, kCommandBytes)) {
        return false;
    }
    if (*it == data.end() || **it != SendDataHeaderLayout::kMarker) {
        return false;
    }
    ++*it;
    if (*it == data.end() || !SendDataHeaderLayout::isLength(**it)) {
        return false;
    }
    const size_t length = **it;
    if (!skipDataWithSize(data, it, length - 1)) {
        return false;
    }
    uint32_t size = 0;
    for (int i = 0; i < 4; ++i) {
        // Each byte of the size needs one more byte after it.
        if (data.end() - *it < 2) {
            return false;
        }
        size |= static_cast<uint32_t>(**it) << (8 * i);
        ++*it;
    }
    return skipDataWithSize(data, it, size);
}

// ---------------------------------------------------------------------------------------
// Commands

bool FileTransfer::send(const unsigned char* bytes, size_t length) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (length > static_cast<size_t>(INT_MAX) ||
        !target->sendData(static_cast<int>(length), const_cast<unsigned char*>(bytes))) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

TemplateStatus FileTransfer::templateStatus() const {
    return makeTemplateStatus(connect, spec, port);
}

bool FileTransfer::initTemplateTransfer() {
    if (settleStop()) {
        return false;
    }
    if (!send(TransferCommand::kStart, sizeof TransferCommand::kStart)) {
        return false;
    }
    return errorCode() == error::kNone && !settleStop();
}

bool FileTransfer::changeTransferMode() {
    if (settleStop()) {
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    unsigned char mode = 0;
    bool ok;
    if (port == PORT_NET) {
        ok = target->sendStringReceiveData(tpes::PrinterMibOids::oidTransferMode, 1, &mode);
    } else {
        ok = target->sendDataReceiveData(
            static_cast<int>(sizeof TransferCommand::kTransferModeQuery),
            const_cast<unsigned char*>(TransferCommand::kTransferModeQuery), 1, &mode);
    }
    if (!ok) {
        setErrorCode(error::kCommunication);
        return false;
    }
    if (settleStop()) {
        return false;
    }
    if (mode == 1 && !switchToTransferMode(target)) {
        return false;
    }
    if (spec.statusSupported && !settleStop()) {
        // Its answer is not looked at: an error it sets stays in the error code.
        TemplateStatus transferStatus = templateStatus();
        transferStatus.updateTemplateStatus();
    }
    return !settleStop();
}

bool FileTransfer::switchToTransferMode(CommunicationObserver* target) {
    unsigned char reply[32] = {};
    if (!target->sendDataReceiveData(
            static_cast<int>(sizeof TransferCommand::kTransferModeSwitch),
            const_cast<unsigned char*>(TransferCommand::kTransferModeSwitch), 32, reply)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    if (reply[18] != 1) {
        setErrorCode(error::kTransferModeRefused);
        return false;
    }
    return true;
}

bool FileTransfer::setTimeoutWhileTransferFile(int seconds, bool reset) {
    // Computed wide: seconds near INT_MAX must not overflow.
    long long n = (static_cast<long long>(seconds) + 9) / 10;
    n = std::min(60LL, std::max(1LL, n));
    if (settleStop()) {
        return false;
    }
    unsigned char command[sizeof TransferCommand::kTimeoutPrefix + 1];
    std::copy(std::begin(TransferCommand::kTimeoutPrefix),
              std::end(TransferCommand::kTimeoutPrefix), command);
    command[sizeof TransferCommand::kTimeoutPrefix] = reset ? 0 : static_cast<unsigned char>(n);
    return send(command, sizeof command);
}

bool FileTransfer::armTransferTimeout(tf::resource::LazyWholeLife& guard) {
    if (!spec.commandProtocol.isAvailableSetTimeoutWhileTransferFile()) {
        return true;
    }
    if (!setTimeoutWhileTransferFile(60, false)) {
        return false;
    }
    guard.setTask([this]() {
        if (errorCode() == error::kNone) {
            setTimeoutWhileTransferFile(0, true);
        }
    });
    return true;
}

void FileTransfer::intToByteArray(unsigned char* out, unsigned value) {
    tf::transfer_bytes::writeLe32(out, value);
}

uint32_t FileTransfer::byteArrayToInt() {
    return tf::transfer_bytes::readLe32(PrinterStatus::status_byte_ +
                                        TransferStatusReply::kRequest);
}

// ---------------------------------------------------------------------------------------
// Dispatch

bool FileTransfer::transfer(std::string path, bool firmware) {
    if (path.empty()) {
        setErrorCode(error::kFileUnreadable);
        return false;
    }
    if (settleStop()) {
        return false;
    }
    bool result = false;
    if (Util::findStr(path, "kd3") && isEscPort(port)) {
        if (!isSupportedSendDataType(getHeaderFromSendDataFile(path), firmware)) {
            setErrorCode(error::kUnsendableData);
            return false;
        }
        result = getKd3Data(path) && transferKd3(firmware);
    } else if (Util::findStr(path, "tlf")) {
        result = getTlfData(path) && transferTlf(firmware);
    } else {
        setErrorCode(error::kUnsendableData);
    }
    finish();
    return result;
}

// ---------------------------------------------------------------------------------------
// Database file

bool FileTransfer::transferKd3(bool firmware) {
    setErrorCode(error::kNone);
    if (settleStop()) {
        return false;
    }
    if (fileData == nullptr || headerLength < 0 || headerLength > fileSize) {
        setErrorCode(error::kUnsendableData);
        return false;
    }
    TemplateStatus transferStatus = templateStatus();
    int busy = kBusyTries;
    for (;;) {
        if (settleStop()) {
            return false;
        }
        if (!send(TransferCommand::kFileFollows, sizeof TransferCommand::kFileFollows) ||
            !send(fileData, static_cast<size_t>(headerLength))) {
            return false;
        }
        if (errorCode() != error::kNone || settleStop()) {
            return false;
        }
        if (spec.statusSupported) {
            transferStatus.receiveStatus(true);
        }
        const int code = errorCode();
        if (code == error::kPrinterBusy) {
            if (--busy == 0) {
                return false;
            }
            setErrorCode(error::kNone);
            lumeko::waitSeconds(1);
            continue;
        }
        if (code != error::kNone || settleStop()) {
            return false;
        }
        break;
    }

    sendProgress(kProgressDataStart);
    const int total = fileSize - headerLength;
    int pos = 0;
    while (pos < total) {
        pos = sendTemplate(total, pos);
        if (pos < 0 || errorCode() != error::kNone || settleStop()) {
            return false;
        }
        if (spec.statusSupported) {
            transferStatus.receiveStatus(true);
        }
        if (settleStop()) {
            return false;
        }
        if (pos == total && firmware && errorCode() == error::kCommunication) {
            // The printer may stop answering once it has the whole firmware.
            if (port != PORT_USB || !spec.waitAfterLastChunk) {
                if (spec.waitAfterLastChunk) {
                    return false;
                }
                setErrorCode(error::kNone);
                break;
            }
            bool judged = false;
            for (int i = 0; i < kLastChunkPolls; ++i) {
                if (settleStop()) {
                    return false;
                }
                lumeko::waitSeconds(3);
                if (spec.statusSupported) {
                    transferStatus.receiveStatus(true);
                }
                if (errorCode() == error::kCommunication) {
                    setErrorCode(error::kNone);
                    continue;
                }
                judged = true;
                break;
            }
            if (!judged) {
                break;
            }
        }
        if (errorCode() != error::kNone || settleStop()) {
            return false;
        }
    }
    sendProgress(kProgressDataDone);
    return true;
}

int FileTransfer::sendTemplate(int total, int pos) {
    const int payload = fileData != nullptr ? fileSize - headerLength : 0;
    // Never beyond the loaded payload, whatever the caller asks.
    if (pos < 0 || total > payload || pos > total) {
        setErrorCode(error::kUnsendableData);
        return -1;
    }
    uint32_t budget = byteArrayToInt();
    if (budget == 0) {
        budget = static_cast<uint32_t>(payload);
    }
    uint32_t n = std::min(static_cast<uint32_t>(total - pos), budget);
    while (n > 0) {
        // A stop ends the request before its next piece.
        if (settleStop()) {
            return -1;
        }
        const uint32_t piece = std::min<uint32_t>(n, kMaxChunk);
        unsigned char length[4];
        intToByteArray(length, piece);
        if (!send(length, sizeof length) ||
            !send(fileData + headerLength + pos, static_cast<size_t>(piece))) {
            return -1;
        }
        if (errorCode() != error::kNone || settleStop()) {
            return -1;
        }
        pos += static_cast<int>(piece);
        n -= piece;
    }
    return pos;
}

// ---------------------------------------------------------------------------------------
// Package file

bool FileTransfer::transferTlf(bool firmware) {
    sendProgress(kProgressDataStart);
    if (settleStop()) {
        return false;
    }
    setErrorCode(error::kNone);
    const Bytes data(fileData, fileData + fileSize);
    const auto separatorBegin = std::begin(TransferCommand::kRecordSeparator);
    const auto separatorEnd = std::end(TransferCommand::kRecordSeparator);
    const size_t separatorLength = sizeof TransferCommand::kRecordSeparator;

    auto start = std::search(data.begin(), data.end(), separatorBegin, separatorEnd);
    if (start == data.end()) {
        // Not a package: nothing to send.
        setErrorCode(error::kUnsendableData);
        return false;
    }
    const Bytes preamble(data.begin(), start);
    for (;;) {
        auto it = start;
        skipTLFData(data, &it);
        // The next record starts past this record's own separator, whatever the grammar
        // made of it.
        const auto from =
            std::max(it, start + static_cast<Bytes::difference_type>(separatorLength));
        const auto next = std::search(from, data.end(), separatorBegin, separatorEnd);
        Bytes bytes = preamble;
        bytes.insert(bytes.end(), start, next);
        if (!transferSingleTlf(bytes, firmware)) {
            return false;
        }
        if (next == data.end()) {
            return true;
        }
        start = next;
    }
}

bool FileTransfer::transferSingleTlf(const std::vector<unsigned char>& bytes, bool firmware) {
    sendProgress(kProgressDataStart);
    setErrorCode(error::kNone);
    if (settleStop()) {
        return false;
    }
    const SendDataHeader header = getHeaderFromSendData(bytes);
    // Data too short for a header is refused before anything is sent.
    if (errorCode() != error::kNone) {
        return false;
    }
    if (!isSupportedSendDataType(header, firmware)) {
        setErrorCode(error::kUnsendableData);
        return false;
    }
    if (!spec.commandProtocol.isSupportBidirectionWhenSendingTemplateCommand() &&
        header.dataKind == DataKind::kHeaderlessRecord) {
        if (header.payloadOffset > bytes.size()) {
            setErrorCode(error::kUnsendableData);
            return false;
        }
        if (!send(bytes.data() + header.payloadOffset, bytes.size() - header.payloadOffset)) {
            return false;
        }
        return errorCode() == error::kNone && !settleStop();
    }
    if (!send(bytes) || errorCode() != error::kNone) {
        return false;
    }
    TemplateStatus transferStatus = templateStatus();
    const bool escPort = isEscPort(port);
    if (spec.statusSupported && escPort) {
        if (!transferStatus.receiveStatus(false)) {
            return false;
        }
        if (!checkTemplateStatusSanity(transferStatus, false)) {
            return failedStatus();
        }
    }
    if (!firmware) {
        PrintStatusManager manager = statusManager();
        for (int round = 0; round < kReadyPolls; ++round) {
            if (errorCode() != error::kNone || settleStop()) {
                return false;
            }
            if (manager.isReadyMIB()) {
                if (model == VZ_310W || model == VZ_320NWB) {
                    lumeko::waitSeconds(1);
                }
                break;
            }
            lumeko::waitSeconds(2);
        }
    }
    if (errorCode() != error::kNone || settleStop()) {
        return false;
    }
    if (firmware && spec.statusSupported && escPort) {
        const int rounds = port == PORT_USB ? kFirmwarePollsUsb : kFirmwarePollsOther;
        for (int i = 0; i < rounds; ++i) {
            // Each poll is judged by its own reading: a busy answer of an earlier poll must
            // not outlive the printer's later good status.
            if (settleStop()) {
                return false;
            }
            setErrorCode(error::kNone);
            const bool read = transferStatus.receiveStatus(true);
            const bool sane = checkTemplateStatusSanity(transferStatus, true);
            if (read && sane && errorCode() == error::kNone) {
                break;
            }
            if (!read && errorCode() == error::kCommunication) {
                if (i == rounds - 1) {
                    return false;
                }
                CommunicationObserver* const target = observer();
                if (target != nullptr) {
                    target->resetPrinterResultErrorCodeIfCommunicationError();
                }
                setErrorCode(error::kNone);
            }
            if (i < rounds - 1) {
                lumeko::waitSeconds(1);
            }
        }
    }
    if (!firmware && spec.statusSupported) {
        if (port == PORT_NET) {
            transferStatus.updateTemplateStatus();
        } else if (!transferStatus.receiveStatus(true)) {
            return false;
        } else if (!checkTemplateStatusSanity(transferStatus, true)) {
            return failedStatus();
        }
    }
    if (errorCode() != error::kNone || settleStop()) {
        return false;
    }
    sendProgress(kProgressDataDone);
    return errorCode() == error::kNone && !settleStop();
}

// ---------------------------------------------------------------------------------------
// Transfer status sanity

bool FileTransfer::checkTemplateStatusSanity(const TemplateStatus& /*status*/, bool checkSize) {
    const unsigned char* s = PrinterStatus::status_byte_;
    if (s[TransferStatusReply::kStatusType] != 1 || s[TransferStatusReply::kErrorByte1] != 0 ||
        s[TransferStatusReply::kErrorByte2] != 0) {
        return false;
    }
    return !checkSize || byteArrayToInt() == 0;
}
