#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Limits every image buffer of the raster path obeys, and the checked conversions that
// keep size arithmetic defined on hostile input.
namespace raster_limits {

// Largest width or height handed to the halftone kernels (16-bit row and column counts).
constexpr int kMaxImageSide = 65535;
// Largest image buffer, in bytes, that the raster path allocates.
constexpr int64_t kMaxImageBytes = 2147483647;

// True when a width x height image of one byte per pixel may be allocated: both sides
// between 1 and kMaxImageSide and the byte count within kMaxImageBytes.
inline bool isImageSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImageBytes;
}

// The same for a buffer whose sides may exceed the kernel limit (a source bitmap that is
// scaled down before the kernels see it).
inline bool isBufferSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageBytes && height <= kMaxImageBytes &&
           width * height <= kMaxImageBytes;
}

// trunc(x) as an int, saturated at the int range; NaN gives 0. Converting an out-of-range
// floating value to int directly is undefined.
inline int truncToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= 2147483647.0) {
        return std::numeric_limits<int>::max();
    }
    if (x <= -2147483648.0) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(x);
}

// A 64-bit value saturated at the int range.
inline int clampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

}  // namespace raster_limits
