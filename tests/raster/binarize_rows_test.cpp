// The two-colour error diffusion follows the chain of one row and adds the shares of the rows
// below afterwards, a chunk at a time; the separation reuses the inks of a pixel equal to
// the one before. These tests hold both to the rules taken one pixel at a time: long rows,
// error sums anywhere in 32 bits, error rows that share memory, and the whole combined kernel.

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "raster/color_kernels.h"
#include "support/red_black_reference.h"

namespace {

using Bytes = std::vector<unsigned char>;

int wrap32(int64_t v) {
    return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// The rules of one plane, pixel by pixel, on the caller's rows.
void ruleByRule(unsigned char* plane, int width, int pitch, int rows, unsigned char threshold,
                BinarizeErrorRows& s) {
    for (int y = 0; y < rows; ++y) {
        unsigned char* row = plane + static_cast<size_t>(y) * pitch;
        int* rowsOf[3] = {s.current, s.next, s.afterNext};
        for (int x = 0; x < width; ++x) {
            const int v = tbl_LUT_BINARIZE[row[x]] + s.current[x] / 48;
            const bool dot = v >= threshold;
            row[x] = dot ? 1 : 0;
            const int64_t e = dot ? v - 255 : v;
            if (e == 0) {
                continue;
            }
            const int weights[3][5] = {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}};
            for (int r = 0; r < 3; ++r) {
                for (int d = -2; d <= 2; ++d) {
                    const int c = x + d;
                    if (weights[r][d + 2] != 0 && c >= 0 && c < width) {
                        rowsOf[r][c] = wrap32(rowsOf[r][c] + e * weights[r][d + 2]);
                    }
                }
            }
        }
        for (int x = 0; x < width; ++x) {
            s.current[x] = 0;
        }
        int* done = s.current;
        s.current = s.next;
        s.next = s.afterNext;
        s.afterNext = done;
    }
}

Bytes randomBytes(std::mt19937& rng, size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes b(n);
    for (auto& v : b) {
        v = static_cast<unsigned char>(byte(rng));
    }
    return b;
}

std::vector<int> sums(std::mt19937& rng, size_t n, int kind) {
    std::vector<int> v(n, 0);
    std::uniform_int_distribution<int> small(-3000, 3000);
    std::uniform_int_distribution<int> any(INT32_MIN, INT32_MAX);
    for (auto& s : v) {
        s = kind == 0 ? 0 : kind == 1 ? small(rng) : any(rng);
    }
    return v;
}

TEST(BinarizeRows, ErrorDiffusionMatchesTheRulesPixelByPixel) {
    std::mt19937 rng(2024);
    const struct {
        int width;
        int rows;
        int sums;  // 0 zeroed, 1 small, 2 anywhere in 32 bits
        unsigned char threshold;
    } cases[] = {{1, 6, 0, 127}, {2, 5, 1, 127},   {255, 4, 0, 127},  {256, 4, 2, 127},
                 {257, 7, 1, 0}, {600, 9, 0, 200}, {696, 20, 2, 127}, {1300, 3, 1, 255}};
    for (const auto& c : cases) {
        const size_t w = static_cast<size_t>(c.width);
        // Plane rows with a gap between them, as a stride wider than 3 x width gives.
        const int stride = 3 * c.width + 5;
        const int pitch = c.width + 5;
        Bytes plane = randomBytes(rng, static_cast<size_t>(pitch) * c.rows);
        std::vector<int> a = sums(rng, 3 * w, c.sums);
        std::vector<int> b = a;
        Bytes expected = plane;
        BinarizeErrorRows es = {b.data(), b.data() + w, b.data() + 2 * w};
        ruleByRule(expected.data(), c.width, pitch, c.rows, c.threshold, es);

        BinarizeErrorRows gs = {a.data(), a.data() + w, a.data() + 2 * w};
        ASSERT_EQ(BinarizeErrorDiffusion(plane.data(), static_cast<unsigned>(c.width), stride,
                                         c.rows, c.threshold, &gs),
                  0);
        EXPECT_EQ(plane, expected) << c.width << " x " << c.rows;
        EXPECT_EQ(a, b) << c.width << " x " << c.rows;
        EXPECT_EQ(gs.current - a.data(), es.current - b.data());
        EXPECT_EQ(gs.next - a.data(), es.next - b.data());
    }
}

// Error rows that overlap one another (or are one array) keep the pixel-by-pixel result.
TEST(BinarizeRows, SharedErrorRowsKeepThePixelOrder) {
    std::mt19937 rng(7);
    const int width = 300;
    const int rows = 5;
    for (int shift : {0, 1, 2, 299}) {
        Bytes plane = randomBytes(rng, static_cast<size_t>(width) * rows);
        std::vector<int> a = sums(rng, 3 * width, 1);
        std::vector<int> b = a;
        Bytes expected = plane;
        BinarizeErrorRows es = {b.data(), b.data() + shift, b.data() + 2 * shift};
        ruleByRule(expected.data(), width, width, rows, 127, es);
        BinarizeErrorRows gs = {a.data(), a.data() + shift, a.data() + 2 * shift};
        ASSERT_EQ(BinarizeErrorDiffusion(plane.data(), width, 3 * width, rows, 127, &gs), 0);
        EXPECT_EQ(plane, expected) << "shift " << shift;
        EXPECT_EQ(a, b) << "shift " << shift;
    }
}

// The separation of a row with runs of equal pixels gives what each pixel gives alone.
TEST(BinarizeRows, SeparationOfRunsEqualsPixelsAlone) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> runLength(1, 6);
    const unsigned char palette[][3] = {{255, 255, 255}, {0, 0, 0},     {255, 0, 0},
                                        {128, 0, 0},     {255, 152, 0}, {255, 153, 0},
                                        {10, 200, 30},   {90, 90, 90}};
    Bytes rgb;
    std::uniform_int_distribution<int> pick(0, 7);
    while (rgb.size() < 3 * 500) {
        const auto& p = palette[pick(rng)];
        for (int i = runLength(rng); i > 0; --i) {
            rgb.insert(rgb.end(), p, p + 3);
        }
    }
    rgb.resize(3 * 500);
    const int width = 500;
    Bytes red(width);
    Bytes black(width);
    ASSERT_EQ(ConvRgbToRedBlack(rgb.data(), width, 3 * width, 1, red.data(), black.data()), 0);
    for (int x = 0; x < width; ++x) {
        unsigned char r1 = 0;
        unsigned char b1 = 0;
        ASSERT_EQ(ConvRgbToRedBlack(&rgb[3 * static_cast<size_t>(x)], 1, 3, 1, &r1, &b1), 0);
        EXPECT_EQ(red[static_cast<size_t>(x)], r1) << x;
        EXPECT_EQ(black[static_cast<size_t>(x)], b1) << x;
    }
}

// Every R and G with every third B, a row per R and G: the separation gives the inks of the
// rules, also where it decides without working out the hue.
TEST(BinarizeRows, SeparationMatchesTheRulesOverTheColourCube) {
    const int width = 86;  // B = 0, 3, ..., 255
    Bytes rgb(3 * width);
    Bytes red(width);
    Bytes black(width);
    long wrong = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int i = 0; i < width; ++i) {
                rgb[3 * i] = static_cast<unsigned char>(r);
                rgb[3 * i + 1] = static_cast<unsigned char>(g);
                rgb[3 * i + 2] = static_cast<unsigned char>(3 * i);
            }
            ASSERT_EQ(ConvRgbToRedBlack(rgb.data(), width, 3 * width, 1, red.data(), black.data()),
                      0);
            for (int i = 0; i < width; ++i) {
                unsigned char er = 0;
                unsigned char eb = 0;
                referenceRedBlack(r, g, 3 * i, er, eb);
                wrong += (red[i] != er || black[i] != eb) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
