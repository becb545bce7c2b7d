#pragma once

#include <atomic>

#include "connection/printer_status.h"

// The process-wide error code as the settings operations read and set it.
namespace settings {

// Error codes the settings operations set.
enum SettingError : int {
    SETTING_OK = 1,
    SETTING_COMMUNICATION_ERROR = 6,
    SETTING_POWER_OFF_REPLY_INVALID = 12,
    SETTING_NOT_SUPPORTED = 38,
    SETTING_INVALID_PARAMETER = 39,
};

inline int errorCode() {
    return PrinterStatus::error_code_.load(std::memory_order_relaxed);
}

inline void setError(int code) {
    PrinterStatus::error_code_.store(code, std::memory_order_relaxed);
}

}  // namespace settings
