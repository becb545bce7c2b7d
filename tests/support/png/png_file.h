#pragma once

#include <cstddef>
#include <string>
#include <vector>

// PNG files of previews and pictures, through libpng: 8-bit RGB, rows top to bottom, 3 bytes
// R, G, B per pixel. Only the examples and the test tools use it; the library has no image
// library dependency.
namespace png_file {

// Writes width x height pixels, compressed. False when the sizes do not match the pixels or
// the file cannot be written.
bool writeRgb(const std::string& path, size_t width, size_t height,
              const std::vector<unsigned char>& rgb);

// Reads a PNG as 8-bit RGB. False with libpng's reason in `error`, also for pictures wider or
// taller than `maxSide`.
bool readRgb(const std::string& path, size_t& width, size_t& height,
             std::vector<unsigned char>& rgb, std::string& error, size_t maxSide = 20000);

}  // namespace png_file
