#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/printer_status.h"

// Helpers shared by the FileTransfer sources: the process-wide error code and cancel flag,
// and the walk over the records of a package file.
namespace FileTransfer_inner {

using Bytes = std::vector<unsigned char>;

using lumeko::errorCode;
using lumeko::setErrorCode;
// True when the operation must stop (a cancel, or a progress message the host refused), and
// then sets its error code 37 or 40: a stop seen here is always reported with its code, even
// when a step has set the error code back to 1 since it came. (lumeko::stopRequested() only
// asks.)
inline bool cancelledSetting37() {
    return lumeko::settleStop();
}
// Error 1, or 37 (cancelled), which a transfer step lets finish.
inline bool isGoingOn(int code) {
    return code == 1 || code == 37;
}

// Advances it by n when at least n bytes remain after it; otherwise leaves it and returns
// false.
bool skipDataWithSize(const Bytes& data, Bytes::const_iterator* it, size_t n);
// Skips one package record: 8 command bytes, the send-data header (marker 90, length 40 or
// 80), a 4-byte little-endian payload size and the payload. False when the bytes are not
// there; the iterator then stands where the last successful step left it.
bool skipTLFData(const Bytes& data, Bytes::const_iterator* it);

}  // namespace FileTransfer_inner
