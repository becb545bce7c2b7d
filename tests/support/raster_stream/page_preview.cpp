#include "support/raster_stream/page_preview.h"

namespace raster_stream {

DotRows mirrored(const DotRows& lines, const MirrorSpan& span) {
    DotRows out;
    out.reserve(lines.size());
    for (const auto& line : lines) {
        std::vector<unsigned char> m(line.size(), 0);
        const size_t dots = line.size() * 8;
        for (size_t x = 0; x < dots; ++x) {
            if (!dotAt(line, x)) {
                continue;
            }
            size_t to = x;
            if (x >= span.first && x - span.first < span.width) {
                to = span.first + span.width - 1 - (x - span.first);
            }
            if (to < dots) {
                setDot(m, to);
            }
        }
        out.push_back(std::move(m));
    }
    return out;
}

PagePicture pictureOf(const JobPage& page, size_t widthDots, const MirrorSpan* mirror) {
    DotRows black = mirror != nullptr ? mirrored(page.lines, *mirror) : page.lines;
    DotRows red = mirror != nullptr ? mirrored(page.red, *mirror) : page.red;
    PagePicture pic;
    pic.width = widthDots;
    for (const auto& l : black) {
        pic.width = l.size() * 8 > pic.width ? l.size() * 8 : pic.width;
    }
    pic.height = black.size() > red.size() ? black.size() : red.size();
    pic.rgb.assign(pic.width * pic.height * 3, 255);
    static const std::vector<unsigned char> none;
    for (size_t y = 0; y < pic.height; ++y) {
        const auto& b = y < black.size() ? black[y] : none;
        const auto& r = y < red.size() ? red[y] : none;
        for (size_t x = 0; x < pic.width; ++x) {
            unsigned char* px = &pic.rgb[(y * pic.width + x) * 3];
            if (dotAt(b, x)) {
                px[0] = px[1] = px[2] = 0;
            } else if (dotAt(r, x)) {
                px[1] = px[2] = 0;  // red
            }
        }
    }
    return pic;
}

}  // namespace raster_stream
