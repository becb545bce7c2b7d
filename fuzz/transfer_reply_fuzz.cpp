// The printer's replies to the transfer queries: the template list over the ESC command
// (pieces of any size, counts anywhere) and over SNMP (counts and header texts), template
// removal, the firmware version of every method and the network port, the firmware gate and
// the two device flags. A list is given only whole: as many headers as the printer counted,
// each as it sent it; removal sends back only headers of that list with a requested key.
// Every operation ends by the rule of checkOperationEnd, also when the host cancels at any
// call or refuses any progress message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"
#include "operation_checks.h"
#include "transfer/file_transfer.h"

using namespace lumeko_fuzz;

namespace {

using Bytes = std::vector<unsigned char>;
using Slot = FuzzedObserver::Slot;

class FuzzFileTransfer : public FileTransfer {
  public:
    using FileTransfer::FileTransfer;
    PrinterSpec& editSpec() { return spec; }
};

const Bytes kRemoval = {0x1B, 0x69, 0x46, 0x52};

// The collected header bytes of a route that succeeded.
void checkCollected(const Bytes& bytes, bool network) {
    FUZZ_CHECK(!bytes.empty());
    FUZZ_CHECK(bytes[0] == 0x90 || !network);
    const size_t stride = network ? bytes[1] : 64;
    FUZZ_CHECK(stride == 64 || stride == 128);
    FUZZ_CHECK(bytes.size() % stride == 0);
    if (network) {
        FUZZ_CHECK(bytes.size() / stride <= 4095);
        for (size_t at = 0; at < bytes.size(); at += stride) {
            FUZZ_CHECK(bytes[at] == 0x90 && bytes[at + 1] == stride);
        }
    } else {
        FUZZ_CHECK(bytes.size() / stride <= 99);
        for (size_t at = 1; at < bytes.size(); at += stride) {
            FUZZ_CHECK(bytes[at] == 0x40);
        }
    }
}

void checkList(FuzzFileTransfer& transfer, const FuzzedObserver& printer, Port port,
               FuzzInput& in) {
    const bool direct = in.flag();
    if (direct) {
        Bytes bytes;
        const bool network = port == PORT_NET;
        const bool ok = network ? transfer.getTemplateListFromMIB(bytes)
                                : transfer.getTemplateListFromESPCommand(bytes);
        checkStepSuccess(ok, printer);
        if (ok) {
            checkCollected(bytes, network);
            std::vector<TemplateHeader> list;
            if (transfer.convertTemplateInfoFromByte(bytes, list)) {
                const size_t stride = bytes[1];
                size_t at = 0;
                for (const TemplateHeader& header : list) {
                    // Each record is a whole header of the collected bytes, in order.
                    while (at + stride <= bytes.size() &&
                           !std::equal(bytes.begin() + static_cast<long>(at),
                                       bytes.begin() + static_cast<long>(at + stride),
                                       header.rawHeader.begin())) {
                        at += stride;
                    }
                    FUZZ_CHECK(at + stride <= bytes.size());
                    at += stride;
                }
            }
        } else if (network) {
            FUZZ_CHECK(bytes.empty());
        }
        return;
    }
    std::vector<TemplateHeader> list;
    const bool ok = transfer.getTemplateList(list);
    checkOperationEnd(ok, printer);
    FUZZ_CHECK(ok == !list.empty());
    if (ok) {
        FUZZ_CHECK(list.size() <= (port == PORT_NET ? 4095u : 99u));
        for (const TemplateHeader& header : list) {
            FUZZ_CHECK(header.marker == 0x90);
            FUZZ_CHECK(header.headerLength == 0x40 || header.headerLength == 0x80);
            FUZZ_CHECK(header.rawHeader[6] == 0x00 && header.rawHeader[7] == 0x01);
        }
    }
}

void checkRemoval(FuzzFileTransfer& transfer, FuzzedObserver& printer, FuzzInput& in) {
    int keys[4];
    const int count = in.pick(5);
    for (int& key : keys) {
        key = in.u8() % 4;
    }
    const bool ok = transfer.removeTemplate(keys, count);
    checkOperationEnd(ok, printer);
    // Every removal command is followed by a header of a template with a requested key.
    const std::vector<FuzzedObserver::Call>& calls = printer.calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].slot != Slot::SendData || calls[i].sent != kRemoval) {
            continue;
        }
        size_t next = i + 1;
        while (next < calls.size() && calls[next].slot != Slot::SendData) {
            ++next;
        }
        if (next == calls.size()) {
            continue;  // the removal command itself failed
        }
        const Bytes& header = calls[next].sent;
        FUZZ_CHECK(header.size() == 64 || header.size() == 128);
        FUZZ_CHECK(header[0] == 0x90 && header[1] == header.size());
        FUZZ_CHECK(header[6] == 0x00 && header[7] == 0x01);
        const int key = header[12] | (header[13] << 8);
        bool requested = false;
        for (int k = 0; k < count; ++k) {
            requested = requested || keys[k] == key;
        }
        FUZZ_CHECK(requested);
    }
}

bool isSupportedPort(FuzzFileTransfer& transfer, Port port) {
    return (transfer.editSpec().supportFunctions[port] & PS_SUPPORT_FIRMWARE_UPDATE) != 0;
}

void checkFirmwareVersion(FuzzFileTransfer& transfer, const FuzzedObserver& printer, Port port,
                          bool noObserver, FuzzInput& in) {
    PrinterSpec& spec = transfer.editSpec();
    const int method = in.pick(6);
    spec.firmwareVersionMethod = method;
    const std::string text = transfer.getFirmVer();
    // On a port without firmware functions the empty text is the answer: a success.
    const bool supported = isSupportedPort(transfer, port);
    checkOperationEnd(!text.empty() || !supported, printer);
    FUZZ_CHECK(text.find('.') == std::string::npos && text.find('V') == std::string::npos);
    if (port != PORT_NET) {
        if (method < 1 || method > 4 || noObserver) {
            FUZZ_CHECK(text.empty());
        }
        const size_t longest = method == 2 ? 16 : 5;
        FUZZ_CHECK(text.size() <= longest);
        FUZZ_CHECK(text.find(' ') == std::string::npos);
    }
    if (!supported) {
        FUZZ_CHECK(text.empty() && printer.calls().empty() && PrinterStatus::error_code_ == 1);
    }
}

void checkDeviceFlag(FuzzFileTransfer& transfer, const FuzzedObserver& printer, bool bootMode) {
    transfer.editSpec().batteryWeakBootModeCommand = true;
    const int flag = bootMode ? transfer.getBootMode() : transfer.getBatteryWeak();
    FUZZ_CHECK(flag >= -1 && flag <= 255);
    checkOperationEnd(flag != -1, printer);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    const Port port = pickPort(in);
    const int operation = in.pick(5);
    const unsigned flags = in.u8();
    const bool noObserver = (flags & 0x80) != 0;

    FuzzedObserver printer(in);
    if ((flags & 0x40) != 0) {
        // The host stops the operation at a call: a cancel, or with the high bit a refusal
        // of that call when it is a progress message.
        const unsigned stop = in.u8();
        if ((stop & 0x80) != 0) {
            printer.refuseAtCall(static_cast<int>(stop % 16));
        } else {
            printer.cancelAtCall(static_cast<int>(stop % 16));
        }
    }
    RasterPrintOption option;
    option.doStatusCheck = (flags & 1) != 0;
    FuzzFileTransfer transfer(port, noObserver ? nullptr : &printer, KX_C270W, option);
    PrinterSpec& spec = transfer.editSpec();
    spec.supportFunctions[port] = (flags & 2) != 0 ? 0 : 0xFFFF;
    spec.statusSupported = (flags & 4) != 0;
    spec.templateFirmwareCheck = (flags & 8) != 0;
    spec.templateFirmwareMinVersion = "1.06";
    spec.templateFirmwareCode = 0x41;

    switch (operation) {
        case 0:
            checkList(transfer, printer, port, in);
            break;
        case 1:
            checkRemoval(transfer, printer, in);
            break;
        case 2:
            checkFirmwareVersion(transfer, printer, port, noObserver, in);
            break;
        case 3: {
            const bool passed = transfer.isSupportedFirmVer();
            checkStepSuccess(passed, printer);
            if (!passed) {
                FUZZ_CHECK(spec.templateFirmwareCheck && port != PORT_NET);
            }
            break;
        }
        default:
            checkDeviceFlag(transfer, printer, in.flag());
            break;
    }
    return 0;
}
