#include "connection/error_state.h"

#include <atomic>

#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"
#include "connection/printer_status.h"

namespace lumeko {

int errorCode() {
    return PrinterStatus::error_code_.load(std::memory_order_relaxed);
}
void setErrorCode(int code) {
    PrinterStatus::error_code_.store(code, std::memory_order_relaxed);
}
bool stopRequested() {
    return stopCode() != 0;
}
int stopCode() {
    if (BasePrinter::cancel_flag.load(std::memory_order_relaxed)) {
        return error::kCancelled;
    }
    if (BasePrinter::progress_refused.load(std::memory_order_relaxed)) {
        return error::kProgressRefused;
    }
    return 0;
}
bool settleStop() {
    const int code = stopCode();
    if (code == 0) {
        return false;
    }
    setErrorCode(code);
    return true;
}

void sendProgressTo(CommunicationObserver* target, int code) {
    if (target == nullptr) {
        return;
    }
    const int before = errorCode();
    const bool accepted = target->sendMessage(code);
    const bool leftRefusal = errorCode() == error::kProgressRefused && before != errorCode();
    if ((accepted && !leftRefusal) || BasePrinter::cancel_flag.load(std::memory_order_relaxed)) {
        return;
    }
    BasePrinter::progress_refused.store(true, std::memory_order_relaxed);
    setErrorCode(error::kProgressRefused);
}

}  // namespace lumeko
