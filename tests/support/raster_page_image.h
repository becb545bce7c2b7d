#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Packed one-bit images for the raster tests and a reference placement of their rows,
// written bit by bit (sharing no code with the library).
namespace raster_page {

using Bytes = std::vector<unsigned char>;

inline int rowBytesOf(int width) {
    return (width + 7) / 8;
}

// A random packed image; pad bits are 0.
inline Bytes randomImage(std::mt19937& rng, int width, int height, int density = 50) {
    const int rb = rowBytesOf(width);
    Bytes img(static_cast<size_t>(rb) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (static_cast<int>(rng() % 100) < density) {
                img[static_cast<size_t>(y) * rb + x / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    return img;
}

inline bool dotAt(const Bytes& img, int width, int x, int y) {
    return (img[static_cast<size_t>(y) * rowBytesOf(width) + x / 8] >> (7 - x % 8)) & 1;
}

// Row y of the image placed `offsetDots` dots into a zeroed line of `lineBytes` bytes, cut
// at the line's end.
inline Bytes placedRow(const Bytes& img, int width, int y, int offsetDots, int lineBytes) {
    Bytes line(static_cast<size_t>(lineBytes), 0);
    for (int x = 0; x < width; ++x) {
        const int64_t at = int64_t{offsetDots} + x;
        if (at >= 0 && at < int64_t{lineBytes} * 8 && dotAt(img, width, x, y)) {
            line[static_cast<size_t>(at / 8)] |= static_cast<unsigned char>(0x80 >> (at % 8));
        }
    }
    return line;
}

}  // namespace raster_page
