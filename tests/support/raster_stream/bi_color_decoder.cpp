#include "support/raster_stream/bi_color_decoder.h"

#include <fstream>

#include "support/raster_stream/raster_body_decoder.h"

namespace raster_stream {

namespace {

unsigned char reversedBits(unsigned char b) {
    unsigned char r = 0;
    for (int i = 0; i < 8; ++i) {
        if (b & (1u << i)) {
            r = static_cast<unsigned char>(r | (0x80u >> i));
        }
    }
    return r;
}

// The head line of a transmitted line: mirrored end to end, every byte bit-reversed.
std::vector<unsigned char> headLine(const std::vector<unsigned char>& sent) {
    std::vector<unsigned char> head(sent.size());
    for (size_t k = 0; k < sent.size(); ++k) {
        head[k] = reversedBits(sent[sent.size() - 1 - k]);
    }
    return head;
}

}  // namespace

bool decodeTwoColorBody(const unsigned char* data, size_t length, int lineBytes, bool packed,
                        TwoColorLines& lines, std::string& error) {
    lines = TwoColorLines();
    if (lineBytes <= 0) {
        error = "no line width";
        return false;
    }
    const size_t width = static_cast<size_t>(lineBytes);
    size_t pos = 0;
    int expectedPlane = 1;
    while (pos < length) {
        const unsigned char command = data[pos++];
        if (command == 0x1A) {
            if (expectedPlane != 1) {
                error = "page end between the planes of a line";
                return false;
            }
            if (pos != length) {
                error = "bytes after the page end";
                return false;
            }
            return true;
        }
        if (command == 0x5A) {
            if (expectedPlane != 1) {
                error = "blank line between the planes of a line";
                return false;
            }
            lines.black.emplace_back(width, 0);
            lines.red.emplace_back(width, 0);
            ++lines.blankLines;
            continue;
        }
        if (command != 0x77) {
            error = "unknown command";
            return false;
        }
        if (length - pos < 2) {
            error = "truncated line header";
            return false;
        }
        const int plane = data[pos];
        const size_t n = data[pos + 1];
        pos += 2;
        if (plane != expectedPlane) {
            error = "planes out of order";
            return false;
        }
        if (length - pos < n) {
            error = "line data past the end";
            return false;
        }
        std::vector<unsigned char> sent;
        if (packed) {
            if (!unpackBits(data + pos, n, width, sent, error)) {
                return false;
            }
        } else {
            if (n != width) {
                error = "raw line of the wrong length";
                return false;
            }
            sent.assign(data + pos, data + pos + n);
        }
        pos += n;
        (plane == 1 ? lines.black : lines.red).push_back(headLine(sent));
        expectedPlane = plane == 1 ? 2 : 1;
    }
    error = "no page end";
    return false;
}

bool writeTwoColorPpm(const std::string& path, const DotRows& black, const DotRows& red,
                      size_t widthDots) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        return false;
    }
    const size_t height = black.size() > red.size() ? black.size() : red.size();
    f << "P6\n" << widthDots << " " << height << "\n255\n";
    static const std::vector<unsigned char> none;
    for (size_t y = 0; y < height; ++y) {
        const std::vector<unsigned char>& b = y < black.size() ? black[y] : none;
        const std::vector<unsigned char>& r = y < red.size() ? red[y] : none;
        for (size_t x = 0; x < widthDots; ++x) {
            unsigned char pixel[3] = {255, 255, 255};
            if (dotAt(b, x)) {
                pixel[0] = pixel[1] = pixel[2] = 0;
            } else if (dotAt(r, x)) {
                pixel[1] = pixel[2] = 0;
            }
            f.write(reinterpret_cast<const char*>(pixel), 3);
        }
    }
    return static_cast<bool>(f);
}

}  // namespace raster_stream
