#pragma once

#include <atomic>

#include "connection/base_printer.h"
#include "connection/printer_status.h"

// The process-wide error code and cancel flag as the operations read and set them. Include
// it from source files only: the names are meant for the file's own use.
namespace lumeko {

inline int errorCode() {
    return PrinterStatus::error_code_.load(std::memory_order_relaxed);
}
inline void setErrorCode(int code) {
    PrinterStatus::error_code_.store(code, std::memory_order_relaxed);
}
// True when the host has cancelled the operation (the flag only; the error code is left).
inline bool cancelled() {
    return BasePrinter::cancel_flag.load(std::memory_order_relaxed);
}

}  // namespace lumeko
