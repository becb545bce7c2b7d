#pragma once

#include <cstdint>

// Image buffers of the raster data objects, one byte per pixel (or per colour byte) until they
// are packed: their allocation within the limits of image_limits.h, the packed row width, and
// the blank rows at the end of an image.
namespace raster_image {

// Bytes of one packed row of `width` pixels, 8 pixels a byte: ceil(width / 8).
inline int packedRowBytes(int width) {
    return width / 8 + (width % 8 != 0 ? 1 : 0);
}

// A new buffer of `bytes` bytes (array allocation; the caller frees it), or null with error
// code 39 when the count is outside 1 .. kMaxImageBytes or memory runs out.
unsigned char* allocateImage(int64_t bytes);

// The number, counted from 1, of the last row of `width` bytes that holds a byte other than
// `blank`; 1 when every row is blank, or for a null image or a width below 1.
int rowsUpToLastInk(const unsigned char* image, int width, int height, unsigned char blank);

// Replaces `image` (width x height bytes) by one of `rows` rows (more than height): its rows,
// then rows of `blank`. False with error code 39, the image left as it was, when the larger
// image may not or cannot be had.
bool extendWithBlankRows(unsigned char*& image, int width, int height, int rows,
                         unsigned char blank);

}  // namespace raster_image
