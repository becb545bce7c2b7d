#pragma once

#include <cstddef>
#include <vector>

#include "support/raster_stream/job_stream_walker.h"

// A picture of a decoded page at one pixel per dot: white paper, black dots black, red dots
// red.
namespace raster_stream {

struct PagePicture {
    size_t width = 0;
    size_t height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes per pixel, rows top to bottom
};

// The dots [first, first + width) of every line are mirrored end to end (pages printed
// with the Mode 9 mirror).
struct MirrorSpan {
    size_t first = 0;
    size_t width = 0;
};

// The page `widthDots` wide (at least as wide as its longest line) and as long as its lines.
PagePicture pictureOf(const JobPage& page, size_t widthDots, const MirrorSpan* mirror = nullptr);

// Lines mirrored back within the span.
DotRows mirrored(const DotRows& lines, const MirrorSpan& span);

}  // namespace raster_stream
