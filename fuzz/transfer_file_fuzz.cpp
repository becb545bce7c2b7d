// The transfer file formats on any bytes: the header scan of database, firmware and package
// data (kind, payload offset, version), the template header record, the package record
// grammar, and the sending of a package record or a whole file to a printer that answers
// anything. A scan reads only the bytes it is given and finds the first header there; a
// record or file is reported sent only when it went out whole with error code 1. The
// firmware update and the template upload of a file end by the rule of checkOperationEnd,
// also when the host cancels at any call or refuses any progress message.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"
#include "operation_checks.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/template_header.h"

using namespace lumeko_fuzz;

namespace {

using Bytes = std::vector<unsigned char>;

class FuzzFileTransfer : public FileTransfer {
  public:
    using FileTransfer::FileTransfer;
    PrinterSpec& editSpec() { return spec; }
};

bool isHeaderLength(unsigned char b) {
    return b == 0x40 || b == 0x80;
}

bool noDotOrV(const std::string& text, bool noV) {
    return text.find('.') == std::string::npos && (!noV || text.find('V') == std::string::npos);
}

void checkHeaderScan(const Bytes& bytes) {
    FileTransfer files(KX_C270W, PORT_USB);
    const SendDataHeader header = files.getHeaderFromSendData(bytes);
    if (bytes.size() < static_cast<size_t>(FileTransfer::kMinHeaderScan)) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 23);
        FUZZ_CHECK(header.dataKind == SendDataHeader::kNoHeader && header.payloadOffset == 0);
        return;
    }
    FUZZ_CHECK(PrinterStatus::error_code_ == 1);
    // The first marker with a header length that leaves 64 bytes to the end.
    for (size_t i = 0; i + 65 <= bytes.size(); ++i) {
        if (bytes[i] == 0x90 && isHeaderLength(bytes[i + 1])) {
            FUZZ_CHECK(header.payloadOffset == i + bytes[i + 1] + 4);
            FUZZ_CHECK(header.dataKind == (bytes[i + 6] | (bytes[i + 7] << 8)));
            FUZZ_CHECK(header.version.size() <= 5);
            FUZZ_CHECK(noDotOrV(header.version, bytes[i + 1] == 0x80));
            return;
        }
    }
    FUZZ_CHECK(header.dataKind == SendDataHeader::kNoHeader && header.payloadOffset == 0);
    FUZZ_CHECK(header.version.empty());
}

void checkRecordGrammar(const Bytes& bytes, size_t start) {
    start = bytes.empty() ? 0 : start % (bytes.size() + 1);
    auto it = bytes.cbegin() + static_cast<long>(start);
    const bool ok = FileTransfer_inner::skipTLFData(bytes, &it);
    FUZZ_CHECK(it >= bytes.cbegin() + static_cast<long>(start) && it <= bytes.cend());
    if (!ok) {
        return;
    }
    // 8 command bytes, the header, a 4-byte size, that many payload bytes.
    const size_t h = start + 8;
    FUZZ_CHECK(h + 2 <= bytes.size() && bytes[h] == 0x90 && isHeaderLength(bytes[h + 1]));
    const size_t sizeAt = h + bytes[h + 1];
    FUZZ_CHECK(sizeAt + 4 <= bytes.size());
    uint64_t payload = 0;
    for (int i = 0; i < 4; ++i) {
        payload |= static_cast<uint64_t>(bytes[sizeAt + static_cast<size_t>(i)]) << (8 * i);
    }
    FUZZ_CHECK(static_cast<uint64_t>(it - bytes.cbegin()) == sizeAt + 4 + payload);
}

void checkTemplateHeader(FuzzInput& in) {
    const size_t length = in.flag() ? 128 : 64;
    const Bytes bytes = in.bytes(length);
    if (bytes.size() < length) {
        return;
    }
    FileTransfer files(KX_C270W, PORT_USB);
    const bool accepted = files.checkTemplateHeaderInfo(bytes.data());
    FUZZ_CHECK(accepted == (bytes[0] == 0x90 && isHeaderLength(bytes[1]) && bytes[6] == 0x00 &&
                            bytes[7] == 0x01));
    const TemplateHeader header = TemplateHeader::fromBytes(bytes.data(), length);
    FUZZ_CHECK(header.templateKey == (bytes[12] | (bytes[13] << 8)));
    FUZZ_CHECK(header.templateName.size() <= 16);
    for (size_t i = 0; i < length; ++i) {
        FUZZ_CHECK(header.rawHeader[i] == bytes[i]);
    }
}

// Sends one package record (preamble included) to a printer that answers anything.
void checkRecordSending(FuzzInput& in) {
    const Port port = pickPort(in);
    const unsigned flags = in.u8();
    const bool firmware = (flags & 1) != 0;
    const Bytes record = in.longBytes();
    FuzzedObserver printer(in);
    if ((flags & 0x80) != 0) {
        // A cancel at a call, or with the high bit a refusal of that progress message.
        const unsigned stop = in.u8();
        if ((stop & 0x80) != 0) {
            printer.refuseAtCall(static_cast<int>(stop % 8));
        } else {
            printer.cancelAtCall(static_cast<int>(stop % 8));
        }
    }
    RasterPrintOption option;
    FuzzFileTransfer transfer(port, &printer, KX_C270W, option);
    PrinterSpec& spec = transfer.editSpec();
    spec.statusSupported = (flags & 2) != 0;
    spec.commandProtocol.version = (flags & 4) != 0 ? 100 : 102;
    const bool ok = transfer.transferSingleTlf(record, firmware);
    checkStepSuccess(ok, printer);
    if (!ok) {
        return;
    }
    FUZZ_CHECK(!BasePrinter::cancel_flag && !BasePrinter::progress_refused);
    // The first data sent is the whole record, or for a headerless record its payload.
    const SendDataHeader header = FileTransfer(KX_C270W, PORT_USB).getHeaderFromSendData(record);
    const Bytes expected =
        header.dataKind == DataKind::kHeaderlessRecord && (flags & 4) != 0
            ? Bytes(record.begin() + static_cast<long>(header.payloadOffset), record.end())
            : record;
    bool sent = false;
    for (const FuzzedObserver::Call& call : printer.calls()) {
        if (call.slot == FuzzedObserver::Slot::SendData) {
            FUZZ_CHECK(call.sent == expected && call.result == 1);
            sent = true;
            break;
        }
    }
    FUZZ_CHECK(sent);
}

// A whole database or package file through the dispatch, loading and model checks, alone
// or as the firmware update or template upload the host asks for.
void checkFileTransfer(FuzzInput& in) {
    static const std::string base = "/tmp/lumeko_transfer_fuzz_" + std::to_string(getpid());
    const Port port = pickPort(in);
    const unsigned flags = in.u8();
    const bool firmware = (flags & 1) != 0;
    const std::string path = base + ((flags & 2) != 0 ? ".kd3" : ".tlf");
    const Bytes file = in.longBytes();
    FUZZ_CHECK(tpes::Util::writeFile(path, file.data(), static_cast<int>(file.size()), true));
    {
        FileTransfer files(KX_C270W, port);
        const uint16_t kind = files.getDataKind(path);
        FUZZ_CHECK(file.size() >= 128 || kind == SendDataHeader::kNoHeader);
        FUZZ_CHECK(files.getFileVersion(path).size() <= 5);
    }
    // Bits 32 and 64 choose the operation; with bit 128 a byte of further choices follows.
    const unsigned operation = (flags >> 5) & 3;
    const unsigned stops = (flags & 128) != 0 ? in.u8() : 0;
    FuzzedObserver printer(in);
    if ((stops & 1) != 0) {
        printer.cancelAtCall(in.pick(16));
    }
    if ((stops & 2) != 0) {
        printer.refuseAtCall(in.pick(16));
    }
    RasterPrintOption option;
    option.doStatusCheck = (stops & 4) != 0;
    FuzzFileTransfer transfer(port, &printer, KX_C270W, option);
    PrinterSpec& spec = transfer.editSpec();
    spec.statusSupported = (flags & 4) != 0;
    spec.waitAfterLastChunk = (flags & 8) != 0;
    spec.changeModeBeforeFirmwareUpdate = (stops & 8) != 0;
    spec.changeModeBeforeTemplateUpload = (stops & 16) != 0;
    spec.commandProtocol.version = (stops & 32) != 0 ? 102 : 100;
    if ((stops & 64) == 0) {
        // The update and the upload need their functions on the port.
        spec.supportFunctions[port] = 0xFFFF;
    }
    if ((flags & 16) != 0) {
        // The printer's status names the model the database file is for.
        PrinterStatus::status_byte_[3] = file.size() > 2 ? file[2] : 0;
        PrinterStatus::status_byte_[4] = file.size() > 3 ? file[3] : 0;
    }
    bool ok = false;
    switch (operation) {
        case 0:
            ok = transfer.transfer(path, firmware);
            checkStepSuccess(ok, printer);
            break;
        case 1:
        case 3:
            ok = transfer.updateFirm(path);
            checkOperationEnd(ok, printer);
            break;
        default:
            ok = transfer.uploadTemplate({path});
            checkOperationEnd(ok, printer);
            break;
    }
    unlink(path.c_str());
    if (ok) {
        FUZZ_CHECK(!file.empty());
        bool anySent = false;
        for (const FuzzedObserver::Call& call : printer.calls()) {
            anySent = anySent || call.slot == FuzzedObserver::Slot::SendData;
        }
        FUZZ_CHECK(anySent);
    }
    FUZZ_CHECK(transfer.loadedData() == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    switch (in.pick(5)) {
        case 0:
            checkHeaderScan(in.rest());
            break;
        case 1: {
            const size_t start = in.u8();
            checkRecordGrammar(in.rest(), start);
            break;
        }
        case 2:
            checkTemplateHeader(in);
            break;
        case 3:
            checkRecordSending(in);
            break;
        default:
            checkFileTransfer(in);
            break;
    }
    return 0;
}
