#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A small PNG writer: 8-bit RGB, no interlace, the image data in stored (uncompressed)
// deflate blocks, so it needs no compression library.
namespace raster_stream {

// Writes width x height pixels of 3 bytes R, G, B, rows top to bottom. False when the sizes
// do not match the pixels or the file cannot be written.
bool writePngRgb(const std::string& path, size_t width, size_t height,
                 const std::vector<unsigned char>& rgb);

// The PNG file bytes of the same image.
std::vector<unsigned char> encodePngRgb(size_t width, size_t height,
                                        const std::vector<unsigned char>& rgb);

}  // namespace raster_stream
