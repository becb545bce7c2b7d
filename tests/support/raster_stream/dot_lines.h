#pragma once

#include <cstddef>
#include <vector>

// Rows of packed one-bit dots (most significant bit leftmost, 1 a dot), as the decoders
// yield them and as the tests place images on a head line.
namespace raster_stream {

using DotRows = std::vector<std::vector<unsigned char>>;

inline bool dotAt(const std::vector<unsigned char>& row, size_t x) {
    const size_t byte = x / 8;
    return byte < row.size() && (row[byte] & (0x80u >> (x % 8))) != 0;
}

inline void setDot(std::vector<unsigned char>& row, size_t x) {
    row[x / 8] = static_cast<unsigned char>(row[x / 8] | (0x80u >> (x % 8)));
}

// `count` rows of `widthDots` dots cut from `rows` from row `firstRow` and dot `firstDot` on;
// rows or dots past the source read as no dot.
inline DotRows cropDots(const DotRows& rows, size_t firstRow, size_t count, size_t firstDot,
                        size_t widthDots) {
    DotRows out(count, std::vector<unsigned char>((widthDots + 7) / 8, 0));
    for (size_t r = 0; r < count; ++r) {
        if (firstRow + r >= rows.size()) {
            break;
        }
        for (size_t x = 0; x < widthDots; ++x) {
            if (dotAt(rows[firstRow + r], firstDot + x)) {
                setDot(out[r], x);
            }
        }
    }
    return out;
}

// A packed image of `height` rows of ceil(widthDots / 8) bytes as rows.
inline DotRows rowsOf(const unsigned char* image, size_t widthDots, size_t height) {
    const size_t rowBytes = (widthDots + 7) / 8;
    DotRows out;
    for (size_t r = 0; r < height; ++r) {
        out.emplace_back(image + r * rowBytes, image + (r + 1) * rowBytes);
    }
    return out;
}

}  // namespace raster_stream
