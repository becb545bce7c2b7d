#include <algorithm>
#include <cstring>
#include <set>

#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "connection/wait.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/transfer_bytes.h"
#include "transfer/transfer_commands.h"

// The template list (an ESC command on ports 1, 2 and 8, SNMP objects on the network port)
// and the removal of templates by key.

using namespace FileTransfer_inner;
using tf::transfer_bytes::readLe16;
using tpes::Util;

namespace {

constexpr int kHeaderStride = 64;
// Counts above this are not counts: the list may start later, in 32-byte units.
constexpr int kMaxListCount = 99;
constexpr int kCountSearchStep = 32;
constexpr int kCountSearchLast = 224;
constexpr int kListBuffer = 256;
constexpr int kPieceBle = 32;
// The network route.
constexpr int kMibTries = 5;
constexpr int kMaxMibCount = 4095;
// Longest header text the network route decodes.
constexpr size_t kMaxHeaderText = 1023;
// Removal.
constexpr int kRemovalAttempts = 3;
constexpr int kRemovalPasses = 5;
constexpr int kRemovalReadyPolls = 30;
// Progress codes: list start and end, removal start and end, around one removal command.
constexpr int kProgressListStart = 32;
constexpr int kProgressListEnd = 33;
constexpr int kProgressRemovalStart = 34;
constexpr int kProgressRemovalEnd = 35;
constexpr int kProgressCommandStart = 14;
constexpr int kProgressCommandDone = 15;

// Appends a piece of the list, setting each header's length byte to 40 as it arrives.
void appendListPiece(Bytes& bytes, const unsigned char* piece, int n) {
    for (int i = 0; i < n; ++i) {
        const bool lengthByte = bytes.size() % kHeaderStride == 1;
        bytes.push_back(lengthByte ? 0x40 : piece[i]);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// List

bool FileTransfer::getTemplateList(std::vector<TemplateHeader>& list) {
    setErrorCode(error::kNone);
    list.clear();
    if (!isSupported(PS_SUPPORT_TEMPLATE_MANAGE)) {
        setErrorCode(error::kTemplateFunctionsRefused);
        return endOperation(false);
    }
    if (settleStop()) {
        return endOperation(false);
    }
    sendProgress(kProgressListStart);
    if (!initTemplateTransfer()) {
        return endOperation(false);
    }
    Bytes bytes;
    const bool collected =
        port == PORT_NET ? getTemplateListFromMIB(bytes) : getTemplateListFromESPCommand(bytes);
    bool result = collected && convertTemplateInfoFromByte(bytes, list);
    if (result && option.doStatusCheck && spec.statusSupported) {
        // Its error code, not its answer, is what the list goes by.
        getPrinterStatusWithoutCheckedPaper();
    }
    result = endOperation(result, kProgressListEnd);
    if (!result) {
        // A list that ends with an error is empty.
        list.clear();
    }
    return result;
}

bool FileTransfer::getTemplateListFromESPCommand(Bytes& bytes) {
    bytes.clear();
    if (!send(TransferCommand::kTemplateList, sizeof TransferCommand::kTemplateList)) {
        return false;
    }
    CommunicationObserver* const target = observer();
    const int pieceSize = port == PORT_BLE ? kPieceBle : kListBuffer;
    unsigned char buffer[kListBuffer] = {};
    int n = target->receiveData(pieceSize, buffer, false);
    if (n <= 1) {
        setErrorCode(error::kCommunication);
        return false;
    }
    n = std::min(n, pieceSize);

    int k = 0;
    int count = readLe16(buffer);
    while (count > kMaxListCount && k + kCountSearchStep <= kCountSearchLast &&
           n > k + kCountSearchStep) {
        k += kCountSearchStep;
        count = readLe16(buffer + k);
    }
    if (count > kMaxListCount) {
        // No count in the first piece: the reply is not a list. The pieces the printer still
        // has for the value read are taken off the line all the same (and dropped), so that
        // they do not stand in front of the next reply.
        // The pieces are bounded too: no more than the promised bytes would fill in the
        // smallest pieces, and a cancel ends the draining.
        setErrorCode(error::kCommunication);
        long long drained = n;
        const long long promised = static_cast<long long>(count) * kHeaderStride;
        const long long maxPieces = promised / kPieceBle;
        for (long long piece = 0; drained < promised && piece < maxPieces; ++piece) {
            if (stopRequested()) {
                break;
            }
            const int m = target->receiveData(pieceSize, buffer, true);
            if (m <= 0) {
                break;
            }
            drained += std::min(m, pieceSize);
        }
        if (!settleStop()) {
            setErrorCode(error::kCommunication);
        }
        return false;
    }
    if (count == 0) {
        setErrorCode(error::kNoTemplate);
        return false;
    }
    setErrorCode(error::kNone);
    const int first = std::max(0, n - k - 2);
    appendListPiece(bytes, buffer + k + 2, first);
    long long received = first;
    const long long wanted = static_cast<long long>(count) * kHeaderStride;
    while (received < wanted) {
        if (settleStop()) {
            return false;
        }
        std::memset(buffer, 0, sizeof buffer);
        int m = target->receiveData(pieceSize, buffer, true);
        if (m <= 0) {
            setErrorCode(error::kCommunication);
            return false;
        }
        m = std::min(m, pieceSize);
        appendListPiece(bytes, buffer, m);
        received += m;
    }
    // Only the headers the count announced are the list: bytes behind them in the same piece
    // (a stale header, say) make no template.
    if (bytes.size() > static_cast<size_t>(wanted)) {
        bytes.resize(static_cast<size_t>(wanted));
    }
    if (bytes.empty()) {
        setErrorCode(error::kNoTemplate);
        return false;
    }
    return !settleStop();
}

bool FileTransfer::getTemplateListFromMIB(Bytes& bytes) {
    for (int attempt = 0; attempt < kMibTries; ++attempt) {
        if (settleStop()) {
            return false;
        }
        int count = 0;
        bool ok = getTemplateHeaderNumWithMIB(count);
        if (ok) {
            if (settleStop()) {
                return false;
            }
            bytes.clear();
            ok = getTemplateHeaderWithMIB(count, bytes);
        }
        if (settleStop()) {
            bytes.clear();
            return false;
        }
        if (ok) {
            setErrorCode(error::kNone);
            return true;
        }
        if (attempt + 1 < kMibTries) {
            lumeko::waitSeconds(3);
        }
    }
    // The printer did not deliver the headers it counted: a part of the list is no list.
    bytes.clear();
    if (errorCode() == error::kNone) {
        setErrorCode(error::kCommunication);
    }
    return false;
}

bool FileTransfer::getTemplateHeaderNumWithMIB(int& count) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    unsigned char reply[2] = {};
    if (!target->sendStringReceiveData(tpes::PrinterMibOids::oidTemplateCount, 2, reply)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    const int c = readLe16(reply);
    if (c > kMaxMibCount) {
        setErrorCode(error::kCommunication);
        return false;
    }
    if (c == 0) {
        setErrorCode(error::kNoTemplate);
        return false;
    }
    count = c;
    return true;
}

bool FileTransfer::getTemplateHeaderWithMIB(int count, Bytes& bytes) {
    CommunicationObserver* const target = observer();
    for (int i = 0; i < count; ++i) {
        // A printer may count thousands of templates: a stop ends the reads at once.
        if (stopRequested()) {
            return false;
        }
        std::string text;
        if (target == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return false;
        }
        if (!target->sendStringReceiveString(tpes::PrinterMibOids::oidTemplateHeader, text)) {
            setErrorCode(error::kCommunication);
            return false;
        }
        if (text.empty()) {
            return false;
        }
        Bytes decoded;
        if (!convertByteFromMIB(text, decoded) || decoded.empty() ||
            decoded[0] != SendDataHeaderLayout::kMarker) {
            return false;
        }
        // Every header whole and of the first one's length: the list is read in strides of
        // that length, so a cut or longer header would shift every header after it.
        if (decoded.size() < 2 || !SendDataHeaderLayout::isLength(decoded[1]) ||
            decoded.size() != decoded[1] || (!bytes.empty() && decoded.size() != bytes[1])) {
            return false;
        }
        bytes.insert(bytes.end(), decoded.begin(), decoded.end());
    }
    return !bytes.empty();
}

bool FileTransfer::convertByteFromMIB(std::string text, Bytes& bytes) {
    bytes.clear();
    // The text is decoded from a 1024-byte work copy: a longer one is refused, not cut.
    if (text.size() > kMaxHeaderText) {
        return false;
    }
    if (text.find(':') == std::string::npos) {
        bytes.assign(text.begin(), text.end());
        return !bytes.empty();
    }
    const size_t x = text.find('x');
    const std::string numbers = x == std::string::npos ? text : text.substr(x + 1);
    for (const std::string& piece : Util::split(numbers, ':')) {
        bytes.push_back(static_cast<unsigned char>(Util::toIntFromHex(piece) & 0xFF));
    }
    return !bytes.empty();
}

bool FileTransfer::convertTemplateInfoFromByte(Bytes bytes, std::vector<TemplateHeader>& list) {
    if (bytes.size() < static_cast<size_t>(kHeaderStride) ||
        !SendDataHeaderLayout::isLength(bytes[1])) {
        setErrorCode(error::kCommunication);
        return false;
    }
    const size_t stride = bytes[1];
    const size_t before = list.size();
    for (size_t offset = 0; bytes.size() - offset >= stride; offset += stride) {
        const unsigned char* header = bytes.data() + offset;
        if (checkTemplateHeaderInfo(header)) {
            list.push_back(TemplateHeader::fromBytes(header, stride));
        }
    }
    if (list.size() == before) {
        setErrorCode(error::kNoTemplate);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Removal

bool FileTransfer::removeTemplateInPrinter(unsigned char* header, int length) {
    if (length != 64 && length != 128) {
        setErrorCode(error::kCommunication);
        return false;
    }
    header[1] = static_cast<unsigned char>(length);
    for (int attempt = 0; attempt < kRemovalAttempts; ++attempt) {
        if (settleStop()) {
            return false;
        }
        if (!send(TransferCommand::kTemplateRemoval, sizeof TransferCommand::kTemplateRemoval)) {
            return false;
        }
        sendProgress(kProgressCommandStart);
        if (!send(header, static_cast<size_t>(length))) {
            return false;
        }
        if (settleStop()) {
            return false;
        }
        sendProgress(kProgressCommandDone);
        if (port == PORT_NET) {
            PrintStatusManager manager = statusManager();
            for (int i = 0; i < kRemovalReadyPolls && errorCode() == error::kNone &&
                            !stopRequested() && !manager.isReadyMIB();
                 ++i) {
                lumeko::waitSeconds(1);
            }
        } else {
            lumeko::waitSeconds(1);
        }
        if (spec.statusSupported && !settleStop()) {
            TemplateStatus transferStatus = templateStatus();
            transferStatus.receiveStatus(true);
        }
        if (attempt + 1 < kRemovalAttempts && errorCode() == error::kPrinterBusy) {
            setErrorCode(error::kNone);
            if (port != PORT_NET) {
                lumeko::waitSeconds(1);
            }
            continue;
        }
        break;
    }
    return true;
}

bool FileTransfer::removeTemplate(const int* keys, int count) {
    setErrorCode(error::kNone);
    if (!isSupported(PS_SUPPORT_TEMPLATE_MANAGE)) {
        setErrorCode(error::kTemplateFunctionsRefused);
        return endOperation(false);
    }
    if (count > 0 && keys == nullptr) {
        count = 0;
    }
    sendProgress(kProgressRemovalStart);
    // Whether any requested key was among the stored templates at the first pass.
    bool anyFound = false;
    bool busy = false;
    for (int pass = 0; pass < kRemovalPasses; ++pass) {
        std::vector<TemplateHeader> list;
        getTemplateList(list);
        if (pass > 0 && errorCode() == error::kNoTemplate && !settleStop()) {
            // The printer holds no template any more: everything asked for is gone.
            setErrorCode(error::kNone);
            busy = false;
            break;
        }
        if (errorCode() != error::kNone || settleStop()) {
            return endOperation(false);
        }
        if (!send(TransferCommand::kStart, sizeof TransferCommand::kStart)) {
            return endOperation(false);
        }
        if (count < 1) {
            break;
        }
        bool removed = false;
        busy = false;
        for (int i = 0; i < count; ++i) {
            bool found = false;
            for (TemplateHeader& header : list) {
                if (settleStop()) {
                    return endOperation(false);
                }
                setErrorCode(error::kNone);
                if (header.templateKey != keys[i]) {
                    continue;
                }
                found = true;
                removeTemplateInPrinter(header.rawHeader.data(), header.headerLength);
                const int code = errorCode();
                if (code == error::kPrinterBusy) {
                    busy = true;
                    lumeko::waitSeconds(3);
                    break;
                }
                if (code != error::kNone) {
                    return endOperation(false);
                }
                removed = true;
            }
            anyFound = anyFound || found;
        }
        if (!removed && !busy) {
            break;
        }
        if (option.doStatusCheck && spec.statusSupported) {
            getPrinterStatusWithoutCheckedPaper();
        }
    }
    // The passes ran to their end: progress code 35 follows whatever they found.
    if (busy) {
        setErrorCode(error::kPrinterBusy);  // still busy after the last pass
    } else if (!anyFound) {
        setErrorCode(error::kTemplateKeyNotFound);  // none of the requested keys was found
    }
    return endOperation(true, kProgressRemovalEnd, kProgressRemovalEnd, kUnexplainedFailureCode);
}
