#include "connection/error_state.h"

#include <atomic>

#include "connection/base_printer.h"
#include "connection/printer_status.h"

namespace lumeko {

int errorCode() {
    return PrinterStatus::error_code_.load(std::memory_order_relaxed);
}
void setErrorCode(int code) {
    PrinterStatus::error_code_.store(code, std::memory_order_relaxed);
}
bool cancelled() {
    return BasePrinter::cancel_flag.load(std::memory_order_relaxed);
}

}  // namespace lumeko
