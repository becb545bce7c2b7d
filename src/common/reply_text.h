#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace lumeko {

// The text of a fixed-width field of a reply or file: at most `length` bytes from `data`,
// ending before the first zero byte. REQUIRES: data points to `length` readable bytes.
inline std::string textUpToZero(const unsigned char* data, std::size_t length) {
    if (length == 0) {
        return std::string();
    }
    const void* zero = std::memchr(data, 0, length);
    const std::size_t end =
        zero == nullptr ? length
                        : static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data);
    return std::string(reinterpret_cast<const char*>(data), end);
}

}  // namespace lumeko
