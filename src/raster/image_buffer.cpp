#include "raster/image_buffer.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "common/error_code.h"
#include "connection/printer_status.h"
#include "raster/image_limits.h"

namespace error = lumeko::error;

namespace raster_image {

unsigned char* allocateImage(int64_t bytes) {
    if (bytes <= 0 || bytes > raster_limits::kMaxImageBytes) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return nullptr;
    }
    unsigned char* p = new (std::nothrow) unsigned char[static_cast<size_t>(bytes)];
    if (p == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
    }
    return p;
}

int rowsUpToLastInk(const unsigned char* image, int width, int height, unsigned char blank) {
    if (image == nullptr || width <= 0) {
        return 1;
    }
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = image + int64_t{y} * width;
        for (int x = 0; x < width; ++x) {
            if (row[x] != blank) {
                return y + 1;
            }
        }
    }
    return 1;
}

bool extendWithBlankRows(unsigned char*& image, int width, int height, int rows,
                         unsigned char blank) {
    if (!raster_limits::isImageSizeAllowed(width, rows)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    unsigned char* longer = allocateImage(int64_t{width} * rows);
    if (longer == nullptr) {
        return false;
    }
    const size_t kept = static_cast<size_t>(width) * height;
    std::memcpy(longer, image, kept);
    std::memset(longer + kept, blank, static_cast<size_t>(width) * rows - kept);
    delete[] image;
    image = longer;
    return true;
}

}  // namespace raster_image
