#pragma once

#include <atomic>

#include "common/error_code.h"
#include "connection/error_state.h"
#include "connection/printer_status.h"

// The process-wide error code as the settings operations read and set it; the codes are
// named in common/error_code.h.
namespace settings {

using lumeko::errorCode;

inline void setError(int code) {
    lumeko::setErrorCode(code);
}

// Error kInvalidParameter and false: a value, text or reply the operation does not take.
inline bool refuse() {
    setError(lumeko::error::kInvalidParameter);
    return false;
}

}  // namespace settings
