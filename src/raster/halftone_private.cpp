#include "raster/halftone_private.h"

#include <cstdint>

namespace HalfTone_private {

namespace {

// The number of bytes of the image, 0 when either side is 0 or negative (two negative sides
// do not make an image).
int64_t pixelCount(int width, int height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return static_cast<int64_t>(width) * height;
}

}  // namespace

void thresholdProc(int width, int height, unsigned char* buffer, int threshold) {
    if (buffer == nullptr) {
        return;
    }
    const int64_t count = pixelCount(width, height);
    for (int64_t i = 0; i < count; ++i) {
        buffer[i] = static_cast<int>(buffer[i]) >= threshold ? 0xFF : 0x00;
    }
}

void invertImage(int width, int height, unsigned char* buffer) {
    if (buffer == nullptr) {
        return;
    }
    const int64_t count = pixelCount(width, height);
    for (int64_t i = 0; i < count; ++i) {
        buffer[i] = static_cast<unsigned char>(~buffer[i]);
    }
}

}  // namespace HalfTone_private
