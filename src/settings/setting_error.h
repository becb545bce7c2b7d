#pragma once

#include <atomic>

#include "connection/error_state.h"
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

using lumeko::errorCode;

inline void setError(int code) {
    lumeko::setErrorCode(code);
}

// Error 39 and false: a value, text or reply the operation does not take.
inline bool refuse() {
    setError(SETTING_INVALID_PARAMETER);
    return false;
}

}  // namespace settings
