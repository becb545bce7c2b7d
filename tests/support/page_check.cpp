#include "page_check.h"

#include "connection/printer_status.h"
#include "test_printer.h"

PageCheckResult runPageCheck(Model model, Port port, PrintEndCheckOption option,
                             BasePrinter::CheckStatus check, int page, int pages,
                             SimulatedPrinter* printer,
                             const std::function<void(WaitRecorder&)>& prepare) {
    WaitRecorder recorder;
    if (prepare) {
        prepare(recorder);
    }
    TestPrinter op(port, printer, model);
    PageCheckResult result;
    result.next = op.updatePrintPage(page, option, check, pages);
    result.code = PrinterStatus::error_code_;
    result.waits = recorder.seconds();
    if (printer != nullptr) {
        result.messages = printer->messages();
        result.sent = printer->sentData();
        for (const auto& call : printer->calls()) {
            if (call.slot == SimulatedPrinter::Slot::ReceiveData ||
                call.slot == SimulatedPrinter::Slot::SendStringReceiveData) {
                ++result.readings;
            }
        }
    }
    return result;
}

PrintEndCheckOption endCheck(int mode, int closeWaitSeconds, bool peelMode) {
    PrintEndCheckOption option;
    option.checkPrintEnd = mode;
    option.closeWaitDisusingStatusCheckSec = closeWaitSeconds;
    option.peelMode = peelMode;
    return option;
}
