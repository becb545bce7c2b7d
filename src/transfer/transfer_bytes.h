#pragma once

#include "common/byte_order.h"

// Little-endian operands of the transfer commands, file headers and transfer status, read and
// written through the shared byte-order helpers. Every reader takes a pointer to at least as
// many bytes as its width; callers check the bounds.
namespace tf {
namespace transfer_bytes {

using lumeko::readLe16;
using lumeko::readLe32;
using lumeko::writeLe32;

}  // namespace transfer_bytes
}  // namespace tf
