#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/printer_status.h"

// Helpers shared by the FileTransfer sources: the process-wide error code, its names and the
// stop state, and the walk over the records of a package file.
namespace FileTransfer_inner {

using Bytes = std::vector<unsigned char>;

namespace error = lumeko::error;

using lumeko::errorCode;
using lumeko::setErrorCode;
// settleStop(): true when the operation must stop (a cancel, or a progress message the host
// refused), and then sets its error code 37 or 40, even when a step has put 1 over it since
// it came. stopRequested() only asks. Every loop that makes more than one exchange asks
// before each exchange.
using lumeko::settleStop;
using lumeko::stopRequested;

// Advances it by n when at least n bytes remain after it; otherwise leaves it and returns
// false.
bool skipDataWithSize(const Bytes& data, Bytes::const_iterator* it, size_t n);
// Skips one package record: 8 command bytes, the send-data header (marker 90, length 40 or
// 80), a 4-byte little-endian payload size and the payload. False when the bytes are not
// there; the iterator then stands where the last successful step left it.
bool skipTLFData(const Bytes& data, Bytes::const_iterator* it);

}  // namespace FileTransfer_inner
