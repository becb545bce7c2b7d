#include "raster/media_info_blocks.h"

#include <cstring>

// clang-format off
const MediaInfoBlockRow kMediaInfoBlockRows[4] = {
    // id  0..3                     4     6..7        9..10       11..12      13    14    18    22..23      78..               94..                   112..114
    {51, {0x01, 0x3F, 0x02, 0x5A}, 0x00, {0x6A, 0x91}, {0x02, 0x04}, {0x00, 0x00}, 0x0A, 0x00, 0x00, {0xD1, 0x01}, "90mm",          "3.5\"",          {0x00, 0x00, 0x00}},
    {52, {0x01, 0x3F, 0x02, 0x66}, 0x00, {0x6A, 0x4C}, {0x8C, 0x04}, {0x00, 0x00}, 0x0A, 0x00, 0x00, {0xD2, 0x01}, "102mm",         "4.0\"",          {0x00, 0x00, 0x00}},
    {53, {0x01, 0x3F, 0x02, 0x66}, 0x33, {0x6A, 0x4C}, {0x8C, 0x04}, {0x0E, 0x02}, 0x0A, 0x00, 0x00, {0xD3, 0x01}, "102mm x 51mm",  "4.0\" x 2.0\"",  {0x9B, 0x02, 0xD2}},
    {54, {0x01, 0x3F, 0x02, 0x66}, 0x99, {0x6A, 0x4C}, {0x8C, 0x04}, {0x7C, 0x06}, 0x0A, 0x24, 0x24, {0xD4, 0x01}, "102mm x 152mm", "4.0\" x 6.0\"",  {0x54, 0x07, 0xF6}},
};
// clang-format on

namespace {

void putText(std::array<unsigned char, kMediaInfoBlockLength>& out, int at, const char* text) {
    const size_t n = std::strlen(text);
    for (size_t i = 0; i < n && i < 16; ++i) {
        out[at + i] = static_cast<unsigned char>(text[i]);
    }
}

}  // namespace

bool mediaInfoBlockOf(unsigned short paperId,
                      std::array<unsigned char, kMediaInfoBlockLength>& out) {
    for (const MediaInfoBlockRow& r : kMediaInfoBlockRows) {
        if (r.paperId != paperId) {
            continue;
        }
        out.fill(0);
        std::memcpy(&out[0], r.bytes0to3, 4);
        out[4] = r.byte4;
        std::memcpy(&out[6], r.bytes6to7, 2);
        std::memcpy(&out[9], r.bytes9to10, 2);
        std::memcpy(&out[11], r.bytes11to12, 2);
        out[13] = r.byte13;
        out[14] = r.byte14;
        out[18] = r.byte18;
        std::memcpy(&out[22], r.bytes22to23, 2);
        putText(out, 78, r.text78);
        putText(out, 94, r.text94);
        std::memcpy(&out[112], r.bytes112to114, 3);
        return true;
    }
    return false;
}
