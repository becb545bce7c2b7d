#include "page_generator.h"

#include <cstddef>
#include <cstdint>

namespace bench {

namespace {

// A small deterministic generator (64-bit linear congruential), so pages do not depend on
// the standard library's distributions.
class Lcg {
  public:
    explicit Lcg(uint64_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state_ >> 33);
    }

  private:
    uint64_t state_;
};

// Whether (x, y) lies on a text-like mark: lines of glyph cells in the middle band of the
// page, each cell a 5 x 7 pattern of strokes, the pattern chosen per cell.
class TextLayer {
  public:
    TextLayer(int width, int height) : width_(width), height_(height), glyphs_(kGlyphs) {
        Lcg rng(0x7e57);
        for (auto& glyph : glyphs_) {
            glyph = rng.next() & 0x7FFFFFFFu;  // 35 bits would do; 31 of them vary
        }
    }

    bool ink(int x, int y) const {
        // Text in the upper and lower thirds, gradients alone in the middle.
        if (y > height_ / 3 && y < 2 * height_ / 3) {
            return false;
        }
        const int margin = width_ / 12;
        if (x < margin || x >= width_ - margin) {
            return false;
        }
        const int line = y / kLinePitch;
        const int inLine = y % kLinePitch;
        if (inLine >= kCellHeight) {
            return false;  // space between lines
        }
        const int cell = (x - margin) / kCellWidth;
        const int inCell = (x - margin) % kCellWidth;
        if (inCell >= kGlyphWidth * kStroke) {
            return false;  // space between letters
        }
        // Word gaps: every seventh cell of a line, shifted per line.
        if ((cell + line * 3) % 7 == 6) {
            return false;
        }
        const uint32_t glyph = glyphs_[static_cast<size_t>(cell * 31 + line * 17) % kGlyphs];
        const int gx = inCell / kStroke;
        const int gy = inLine / kStroke;
        return ((glyph >> ((gy * kGlyphWidth + gx) % 31)) & 1u) != 0;
    }

  private:
    static constexpr int kGlyphs = 64;
    static constexpr int kStroke = 4;  // dots per glyph element
    static constexpr int kGlyphWidth = 5;
    static constexpr int kGlyphHeight = 7;
    static constexpr int kCellWidth = kGlyphWidth * kStroke + 8;
    static constexpr int kCellHeight = kGlyphHeight * kStroke;
    static constexpr int kLinePitch = kCellHeight + 20;

    int width_;
    int height_;
    std::vector<uint32_t> glyphs_;
};

// A smooth value 0..255: a diagonal ramp plus a slow ripple.
int gradient(int x, int y, int width, int height, int phase) {
    const int64_t ramp = (static_cast<int64_t>(x) * 255) / (width > 1 ? width - 1 : 1) +
                         (static_cast<int64_t>(y) * 255) / (height > 1 ? height - 1 : 1);
    const int ripple = ((x / 3 + y / 5 + phase) % 128) - 64;
    const int64_t v = ramp / 2 + ripple / 2;
    return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v);
}

}  // namespace

std::vector<unsigned char> makeGreyPage(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    std::vector<unsigned char> page(static_cast<size_t>(width) * static_cast<size_t>(height));
    const TextLayer text(width, height);
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            page[i++] =
                text.ink(x, y) ? 0 : static_cast<unsigned char>(gradient(x, y, width, height, 0));
        }
    }
    return page;
}

std::vector<unsigned char> makeRgbPage(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    std::vector<unsigned char> page(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    const TextLayer text(width, height);
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (text.ink(x, y)) {
                page[i++] = 0;
                page[i++] = 0;
                page[i++] = 0;
                continue;
            }
            page[i++] = static_cast<unsigned char>(gradient(x, y, width, height, 0));
            page[i++] = static_cast<unsigned char>(gradient(width - 1 - x, y, width, height, 40));
            page[i++] = static_cast<unsigned char>(gradient(x, height - 1 - y, width, height, 80));
        }
    }
    return page;
}

}  // namespace bench
