#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/raster_stream/dot_lines.h"

// A decoder of the two-colour line stream, written from the command formats alone: 'w' (77)
// plane length data, 'Z' (5A) blank line, 1A page end. Every read is bounded by the input;
// malformed input is reported as false with a reason, never a crash.
namespace raster_stream {

// Head lines of both planes, left to right, with the transmitted mirror and bit reversal
// undone: black from plane 1, red from plane 2.
struct TwoColorLines {
    DotRows black;
    DotRows red;
    // Lines sent as 'Z'.
    size_t blankLines = 0;
};

// Decodes a body of lines of `lineBytes` bytes: raw (`packed` false: every line carries
// exactly lineBytes bytes) or PackBits (`packed` true). Every line must send plane 1, then
// plane 2; the body ends with 1A and nothing after it.
bool decodeTwoColorBody(const unsigned char* data, size_t length, int lineBytes, bool packed,
                        TwoColorLines& lines, std::string& error);

// Writes the planes as a binary PPM `widthDots` wide: black dots black, red dots red, the
// rest white (black wins where both planes have a dot). False when the file cannot be written.
bool writeTwoColorPpm(const std::string& path, const DotRows& black, const DotRows& red,
                      size_t widthDots);

}  // namespace raster_stream
