// The 32-byte status reply and its decoding: every status operation of the operation base
// and of the status manager against a printer that answers anything, with any count.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"
#include "operation_checks.h"

using namespace lumeko_fuzz;
using Slot = FuzzedObserver::Slot;

namespace {

enum Operation {
    kUpdateStatus,
    kStatusOnly,
    kNotCheckedBattery,
    kWithoutCheckedPaper,
    kLabelInfo,
    kPrintPage,
    kWaitForPaper,
    kReceiveStatus,
    kReceiveFromMib,
    kReadyMib,
    kOperationCount,
};

// A reply that decodes as success is a status reply of this model, or a record the
// printer sends by itself (printing completed, an error record whose error bytes say "no
// error", a notification or a phase change); never a record of another type.
void checkSuccessfulReply(const PrinterSpec& spec) {
    const unsigned char* s = PrinterStatus::status_byte_;
    const unsigned type = s[PrinterStatusReply::kStatusType];
    if (type == 0) {
        FUZZ_CHECK(s[0] == 0x80 && s[1] == 0x20 && s[2] == 0x42);
        FUZZ_CHECK(s[3] == spec.seriesCode && s[4] == spec.modelCode);
    } else {
        FUZZ_CHECK(type == 1 || type == 2 || type == 5 || type == 6 || type == 24);
    }
}

// The first exchange that asked for the status reply, or null.
const FuzzedObserver::Call* firstStatusRequest(const FuzzedObserver& printer) {
    for (const auto& call : printer.calls()) {
        if (call.slot == Slot::SendDataReceiveData || call.slot == Slot::SendStringReceiveData) {
            return &call;
        }
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const unsigned leftOver = in.u8();
    resetProcessState(leftOver % 10, (leftOver >> 4) & 1);
    const Model model = pickModel(in);
    const Port port = pickPort(in);
    const int operation = in.pick(kOperationCount);
    const int cancelAt = in.u8() % 24;
    const bool editSpec = in.flag();
    const bool noObserver = in.u8() == 0xFF;

    FuzzedObserver printer(in);
    printer.cancelAtCall(cancelAt);
    FuzzPrinter base(port, noObserver ? nullptr : &printer, model);
    PrinterSpec& spec = base.editSpec();
    if (editSpec) {
        editStatusFields(in, spec);
    }
    const std::vector<Paper> papers = paperList(spec);
    Paper paper = pickPaper(in, papers);
    PrintStatusManager manager = base.manager();

    switch (operation) {
        case kUpdateStatus:
            base.getPrinterStatus(paper);
            break;
        case kStatusOnly:
            base.getPrinterStatus();
            break;
        case kNotCheckedBattery:
            base.getPrinterStatusNotCheckedBattery(paper);
            break;
        case kWithoutCheckedPaper:
            base.getPrinterStatusWithoutCheckedPaper();
            break;
        case kLabelInfo:
            base.updateLabelInfo(in.flag() ? papers : std::vector<Paper>{paper});
            break;
        case kPrintPage: {
            PrintEndCheckOption option;
            option.checkPrintEnd = 1 + in.pick(3);
            option.peelMode = in.flag();
            const int pages = 1 + in.pick(4);
            const int page = in.pick(pages);
            const auto check =
                in.flag() ? BasePrinter::CHECK_STATUS_ON : BasePrinter::CHECK_STATUS_OFF;
            const int next = base.updatePrintPage(page, option, check, pages);
            FUZZ_CHECK(next == page + 1 || next >= pages);
            break;
        }
        case kWaitForPaper:
            base.paper() = paper;
            PrinterStatus::error_code_ = in.flag() ? 4 : 11;
            base.waitForPaper();
            break;
        case kReceiveStatus: {
            const bool ok = manager.receiveStatus();
            if (ok) {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 && !BasePrinter::cancel_flag);
                if (spec.statusSupported && port != PORT_NET) {
                    FUZZ_CHECK(!printer.calls().empty() &&
                               printer.calls().back().slot == Slot::ReceiveData &&
                               printer.calls().back().result == PrinterStatusReply::kLength);
                    checkSuccessfulReply(spec);
                }
            }
            break;
        }
        case kReceiveFromMib:
            if (manager.receiveStatusFromMIB()) {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1);
                checkSuccessfulReply(spec);
            }
            break;
        default:
            (void)manager.isReadyMIB();
            break;
    }

    // A status request that failed is never a success.
    const FuzzedObserver::Call* request = firstStatusRequest(printer);
    const bool statusOperation =
        operation == kUpdateStatus || operation == kNotCheckedBattery || operation == kLabelInfo;
    if (statusOperation && request != nullptr && request->result == 0 &&
        !BasePrinter::cancel_flag) {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1);
    }
    if (statusOperation && spec.statusSupported && request != nullptr &&
        PrinterStatus::error_code_ == 1 && operation != kLabelInfo) {
        checkSuccessfulReply(spec);
    }
    if (noObserver && spec.statusSupported && statusOperation) {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1);
    }
    // The readings a host calls for end by the operation rule; a cancel while the host
    // handles their final code 11 comes too late to change the reading.
    if (operation == kUpdateStatus || operation == kLabelInfo) {
        checkOperationEnd(PrinterStatus::error_code_ == 1, printer);
    }
    // A battery reading is whole or blank.
    const PrinterStatus::BatteryNormalized& battery = PrinterStatus::battery_normalized_;
    FUZZ_CHECK(battery.maxLevel == -1 || battery.maxLevel == 1 || battery.maxLevel == 2 ||
               battery.maxLevel == 3 || battery.maxLevel == 4 || battery.maxLevel == 100);
    BasePrinter::cancel_flag = false;
    return 0;
}
