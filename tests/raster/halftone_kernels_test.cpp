// The exported halftone kernels and their tables.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "raster/htnlib.h"

namespace {

using Image = std::vector<unsigned char>;

Image randomImage(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    Image image(size);
    for (auto& b : image) {
        b = static_cast<unsigned char>(byte(rng));
    }
    return image;
}

std::unique_ptr<HTNLIB_ErrorDiffusionState> freshErrorState() {
    auto state = std::make_unique<HTNLIB_ErrorDiffusionState>();
    HTNLIB_InitErrorDiffusion(state.get());
    return state;
}

// The error diffusion written out from its formulas: whole error rows per image row kept in
// a map-like vector, no padding tricks, no table sharing beyond the exported data.
Image referenceErrorDiffusion(const Image& src, int width, int rows) {
    std::vector<std::vector<int>> errors(rows, std::vector<int>(width, 0));
    auto err = [&](int row, int x) -> int {
        if (row < 0 || x < 0 || x >= width) {
            return 0;
        }
        return errors[row][x];
    };
    Image out(src.size());
    for (int n = 0; n < rows; ++n) {
        for (int x = 0; x < width; ++x) {
            const int g = src[n * width + x];
            int s = err(n - 1, x - 1) + 2 * err(n - 1, x) + err(n - 1, x + 1) + 2 * err(n - 2, x) +
                    err(n, x - 2) + err(n, x - 1);
            s = static_cast<int16_t>(static_cast<uint16_t>(s & 0xFFFF));
            const int shifted = static_cast<int>(std::floor(s / 8.0));
            const int e = shifted + tbl_LUT_ERRORDIFFUSION[g];
            const int t = 128 + tbl_BlueNoise[(n % 32) * 32 + x % 32] +
                          tbl_WhiteNoise[(static_cast<long>(n) * width + x) % 1024];
            bool dot;
            if (g == 0) {
                dot = true;
            } else if (g == 255 || e > t) {
                dot = false;
            } else {
                dot = true;
            }
            out[n * width + x] = dot ? 0xFF : 0x00;
            errors[n][x] = dot ? e : e - 255;
        }
    }
    return out;
}

TEST(HalftoneTables, ToneCurveIsRoundedHalfUp) {
    const struct {
        int g;
        int value;
    } quoted[] = {{0, 0}, {1, 8}, {2, 12}, {64, 107}, {128, 166}, {192, 214}, {255, 255}};
    for (const auto& q : quoted) {
        EXPECT_EQ(tbl_LUT_DITHER[q.g], q.value) << "g " << q.g;
    }
    for (int g = 0; g < 256; ++g) {
        const int expected = static_cast<int>(std::floor(255.0 * std::pow(g / 255.0, 0.625) + 0.5));
        EXPECT_EQ(tbl_LUT_DITHER[g], expected) << "g " << g;
        EXPECT_EQ(tbl_LUT_ERRORDIFFUSION[g], tbl_LUT_DITHER[g]) << "g " << g;
    }
}

TEST(HalftoneTables, DitherMatrixHoldsEveryStepOnce) {
    std::multiset<int> values(tbl_Dither, tbl_Dither + 64);
    std::multiset<int> expected;
    for (int k = 0; k < 63; ++k) {
        expected.insert(4 * (k + 1));
    }
    expected.insert(255);
    EXPECT_EQ(values, expected);
    const unsigned char row3[8] = {224, 255, 84, 116, 212, 244, 96, 128};
    EXPECT_EQ(0, std::memcmp(tbl_Dither + 24, row3, 8));
    EXPECT_EQ(tbl_Dither[0], 4);
    EXPECT_EQ(tbl_Dither[63], 120);
}

TEST(HalftoneTables, NoiseTablesKeepTheirBeginningsRangesAndSums) {
    const int blueHead[16] = {23, -14, -27, -21, -7, 6, 4, 12, 24, -25, 25, 0, 15, -15, -28, 13};
    const int whiteHead[16] = {-2, 4, -4, 3, 2, 0, -1, 0, 3, 0, -2, -1, 4, 1, -1, -4};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(tbl_BlueNoise[i], blueHead[i]) << i;
        EXPECT_EQ(tbl_WhiteNoise[i], whiteHead[i]) << i;
    }
    const std::set<int> blueValues(tbl_BlueNoise, tbl_BlueNoise + 1024);
    EXPECT_EQ(blueValues.size(), 65u);
    EXPECT_EQ(*blueValues.begin(), -32);
    EXPECT_EQ(*blueValues.rbegin(), 32);
    EXPECT_EQ(std::accumulate(tbl_BlueNoise, tbl_BlueNoise + 1024, 0), -256);
    EXPECT_EQ(*std::min_element(tbl_WhiteNoise, tbl_WhiteNoise + 1024), -4);
    EXPECT_EQ(*std::max_element(tbl_WhiteNoise, tbl_WhiteNoise + 1024), 4);
    EXPECT_EQ(std::accumulate(tbl_WhiteNoise, tbl_WhiteNoise + 1024, 0), 118);
}

TEST(HalftoneKernels, InitialisersSetTheirStates) {
    unsigned short threshold = 7;
    unsigned short counter = 7;
    EXPECT_EQ(HTNLIB_InitNaiveBinarize(&threshold), 0);
    EXPECT_EQ(threshold, 128);
    EXPECT_EQ(HTNLIB_InitDither(&counter), 0);
    EXPECT_EQ(counter, 0);
    auto state = std::make_unique<HTNLIB_ErrorDiffusionState>();
    std::memset(state.get(), 0x5A, sizeof *state);
    EXPECT_EQ(HTNLIB_InitErrorDiffusion(state.get()), 0);
    EXPECT_EQ(state->rowCounter, 0);
    for (const auto& row : state->errorRows) {
        EXPECT_TRUE(std::all_of(std::begin(row), std::end(row), [](short v) { return v == 0; }));
    }
    unsigned short words[HTNLIB_RESERVED_BYTES / 2];
    std::memcpy(words, state->reserved, sizeof words);
    for (size_t i = 0; i < HTNLIB_RESERVED_BYTES / 2; ++i) {
        EXPECT_EQ(words[i], i == 1 ? 1 : 0) << "word " << i;
    }
}

// Width checked first, then the buffers (and the state), then rows 0.
TEST(HalftoneKernels, ChecksComeInOrder) {
    Image buf(16, 100);
    unsigned char* b = buf.data();
    unsigned short threshold = 128;
    unsigned short counter = 5;
    auto ed = freshErrorState();
    ed->rowCounter = 5;
    const struct {
        const unsigned char* src;
        unsigned char* dst;
        unsigned short width;
        unsigned short rows;
        bool nullState;
        int result;
    } cases[] = {
        {nullptr, nullptr, 32768, 1, false, 3},  // width before buffers
        {b, b, 0xFFFF, 1, false, 3},
        {b, b, 32768, 0, false, 3},  // width before rows 0
        {nullptr, b, 4, 1, false, 2},
        {b, nullptr, 4, 1, false, 2},
        {nullptr, b, 4, 0, false, 2},  // buffers before rows 0
        {b, b, 4, 1, true, 2},         // a missing state is a missing buffer
        {b, b, 4, 0, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " rows " << c.rows);
        EXPECT_EQ(HTNLIB_NaiveBinarize(c.src, c.dst, c.width, c.width, c.rows,
                                       c.nullState ? nullptr : &threshold),
                  c.result);
        EXPECT_EQ(
            HTNLIB_Dither(c.src, c.dst, c.width, c.width, c.rows, c.nullState ? nullptr : &counter),
            c.result);
        EXPECT_EQ(HTNLIB_ErrorDiffusion(c.src, c.dst, c.width, c.width, c.rows,
                                        c.nullState ? nullptr : ed.get()),
                  c.result);
        EXPECT_EQ(counter, 5);
        EXPECT_EQ(ed->rowCounter, 5);
        EXPECT_TRUE(std::all_of(buf.begin(), buf.end(), [](unsigned char v) { return v == 100; }));
    }
}

TEST(HalftoneKernels, WidthZeroStillAdvancesTheRowCounter) {
    unsigned char byte = 0;
    unsigned short counter = 0xFFFE;
    EXPECT_EQ(HTNLIB_Dither(&byte, &byte, 0, 0, 3, &counter), 0);
    EXPECT_EQ(counter, 1);  // wraps at 16 bits
    auto ed = freshErrorState();
    EXPECT_EQ(HTNLIB_ErrorDiffusion(&byte, &byte, 0, 0, 4, ed.get()), 0);
    EXPECT_EQ(ed->rowCounter, 4);
    EXPECT_EQ(byte, 0);
}

TEST(HalftoneKernels, NaiveBinarizeDotsBelowTheThreshold) {
    const Image src = {0, 126, 127, 128, 129, 255};
    const struct {
        unsigned short threshold;
        Image dots;
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 0}},
        {128, {0xFF, 0xFF, 0xFF, 0, 0, 0}},
        {256, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        Image dst(src.size(), 0x42);
        EXPECT_EQ(HTNLIB_NaiveBinarize(src.data(), dst.data(), 6, 6, 1, &c.threshold), 0);
        EXPECT_EQ(dst, c.dots) << "threshold " << c.threshold;
    }
}

TEST(HalftoneKernels, StrideSkipsBytesBetweenRows) {
    // Two rows of 3 pixels, 5 bytes apart: the two bytes between rows stay as they were.
    Image src = {0, 200, 0, 9, 9, 200, 0, 200};
    Image dst(src.size(), 0x42);
    const unsigned short threshold = 128;
    EXPECT_EQ(HTNLIB_NaiveBinarize(src.data(), dst.data(), 3, 5, 2, &threshold), 0);
    EXPECT_EQ(dst, (Image{0xFF, 0, 0xFF, 0x42, 0x42, 0, 0xFF, 0}));
}

TEST(HalftoneKernels, DitherRowsAtGrey128) {
    // Tone value 166: dots where the matrix value is above 166.
    Image image(16 * 2, 128);
    unsigned short counter = 0;
    EXPECT_EQ(HTNLIB_Dither(image.data(), image.data(), 16, 16, 2, &counter), 0);
    EXPECT_EQ(counter, 2);
    for (int x = 0; x < 16; ++x) {
        const int m = x % 8;
        EXPECT_EQ(image[x], m == 7 ? 0xFF : 0x00) << "row 0 x " << x;
        const bool rowOneDot = m == 2 || m == 3 || m == 6 || m == 7;
        EXPECT_EQ(image[16 + x], rowOneDot ? 0xFF : 0x00) << "row 1 x " << x;
    }
}

// On flat grey g, each 8 x 8 tile holds as many dots as matrix entries above LUT[g].
TEST(HalftoneKernels, DitherDotsPerTileFollowTheToneCurve) {
    for (int g = 0; g < 256; ++g) {
        const int w = 16;
        const int h = 16;
        Image image(w * h, static_cast<unsigned char>(g));
        unsigned short counter = 3;  // any start row: a tile covers each matrix row once
        ASSERT_EQ(HTNLIB_Dither(image.data(), image.data(), w, w, h, &counter), 0);
        const int expected = static_cast<int>(std::count_if(
            tbl_Dither, tbl_Dither + 64, [&](int v) { return v > tbl_LUT_DITHER[g]; }));
        for (int ty = 0; ty < h; ty += 8) {
            for (int tx = 0; tx < w; tx += 8) {
                int dots = 0;
                for (int y = ty; y < ty + 8; ++y) {
                    for (int x = tx; x < tx + 8; ++x) {
                        dots += image[y * w + x] == 0xFF;
                    }
                }
                EXPECT_EQ(dots, expected) << "g " << g;
            }
        }
    }
}

TEST(HalftoneKernels, ErrorDiffusionRowOfGrey128) {
    Image image(16, 128);
    auto state = freshErrorState();
    EXPECT_EQ(HTNLIB_ErrorDiffusion(image.data(), image.data(), 16, 16, 1, state.get()), 0);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(image[x], x == 7 || x == 10 ? 0xFF : 0x00) << "x " << x;
    }
    // The first pixel left 166 - 255 in the error row of counter 0, which is row 2.
    EXPECT_EQ(state->errorRows[2][2], -89);
    EXPECT_EQ(state->rowCounter, 1);
}

TEST(HalftoneKernels, ErrorDiffusionExtremesAlwaysDecide) {
    // Black always dots and white never does, whatever the errors around them.
    std::mt19937 rng(7);
    Image image = randomImage(rng, 64 * 64);
    for (size_t i = 0; i < image.size(); i += 3) {
        image[i] = i % 2 == 0 ? 0 : 255;
    }
    const Image src = image;
    auto state = freshErrorState();
    ASSERT_EQ(HTNLIB_ErrorDiffusion(image.data(), image.data(), 64, 64, 64, state.get()), 0);
    for (size_t i = 0; i < image.size(); i += 3) {
        EXPECT_EQ(image[i], src[i] == 0 ? 0xFF : 0x00) << i;
    }
}

TEST(HalftoneKernels, ErrorDiffusionMatchesTheFormulas) {
    std::mt19937 rng(11);
    const struct {
        int width;
        int rows;
    } sizes[] = {{1, 1}, {1, 40}, {2, 3}, {3, 70}, {31, 33}, {77, 41}, {1100, 3}};
    for (const auto& s : sizes) {
        const Image src = randomImage(rng, static_cast<size_t>(s.width) * s.rows);
        Image dst(src.size());
        auto state = freshErrorState();
        ASSERT_EQ(
            HTNLIB_ErrorDiffusion(src.data(), dst.data(), s.width, s.width, s.rows, state.get()),
            0);
        EXPECT_EQ(dst, referenceErrorDiffusion(src, s.width, s.rows)) << s.width << " x " << s.rows;
    }
}

// One pixel of grey 128 (tone 166, threshold 149 at x 0 of row 0) below an error a in the
// previous row: S = 2a, taken in 16 bits and shifted towards minus infinity.
TEST(HalftoneKernels, ErrorDiffusionSumIs16BitAndFloored) {
    const struct {
        short above;
        bool dot;
        short error;
    } cases[] = {
        {0, false, -89},       // e = 166
        {-5, false, -91},      // S = -10 gives -2, not -1
        {-80, true, 146},      // e = 146 <= 149
        {20000, true, -3026},  // S = 40000 wraps to -25536
    };
    for (const auto& c : cases) {
        auto state = freshErrorState();
        state->errorRows[1][2] = c.above;  // counter 0 reads the previous row from row 1
        unsigned char pixel = 128;
        ASSERT_EQ(HTNLIB_ErrorDiffusion(&pixel, &pixel, 1, 1, 1, state.get()), 0);
        EXPECT_EQ(pixel, c.dot ? 0xFF : 0x00) << "above " << c.above;
        EXPECT_EQ(state->errorRows[2][2], c.error) << "above " << c.above;
    }
}

// Bands processed with one state give the bytes of one call over the whole image.
TEST(HalftoneKernels, BandsWithOneStateEqualOneCall) {
    std::mt19937 rng(5);
    const int width = 45;
    const int rows = 37;
    const Image src = randomImage(rng, width * rows);
    const int cuts[] = {0, 1, 5, 13, 14, 30, rows};

    Image whole(src.size());
    auto state = freshErrorState();
    HTNLIB_ErrorDiffusion(src.data(), whole.data(), width, width, rows, state.get());
    Image banded(src.size());
    auto bandState = freshErrorState();
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
        const size_t off = static_cast<size_t>(cuts[i]) * width;
        EXPECT_EQ(HTNLIB_ErrorDiffusion(src.data() + off, banded.data() + off, width, width,
                                        static_cast<unsigned short>(cuts[i + 1] - cuts[i]),
                                        bandState.get()),
                  0);
    }
    EXPECT_EQ(banded, whole);

    unsigned short counter = 0;
    HTNLIB_Dither(src.data(), whole.data(), width, width, rows, &counter);
    unsigned short bandCounter = 0;
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
        const size_t off = static_cast<size_t>(cuts[i]) * width;
        HTNLIB_Dither(src.data() + off, banded.data() + off, width, width,
                      static_cast<unsigned short>(cuts[i + 1] - cuts[i]), &bandCounter);
    }
    EXPECT_EQ(banded, whole);
    EXPECT_EQ(bandCounter, rows);
}

TEST(HalftoneKernels, ErrorDiffusionMeanToneFollowsTheToneCurve) {
    const int size = 256;
    for (int g : {1, 16, 64, 128, 192, 240, 254}) {
        Image image(size * size, static_cast<unsigned char>(g));
        auto state = freshErrorState();
        ASSERT_EQ(HTNLIB_ErrorDiffusion(image.data(), image.data(), size, size, size, state.get()),
                  0);
        const double white =
            static_cast<double>(std::count(image.begin(), image.end(), 0x00)) / image.size();
        EXPECT_NEAR(white, tbl_LUT_ERRORDIFFUSION[g] / 255.0, 0.01) << "g " << g;
    }
}

TEST(HalftoneKernels, OutputIsAlwaysTwoLevel) {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> side(1, 90);
    for (int round = 0; round < 20; ++round) {
        const int w = side(rng);
        const int h = side(rng);
        const Image src = randomImage(rng, static_cast<size_t>(w) * h);
        Image a(src.size());
        Image b(src.size());
        unsigned short counter = static_cast<unsigned short>(rng());
        auto state = freshErrorState();
        HTNLIB_Dither(src.data(), a.data(), w, w, h, &counter);
        HTNLIB_ErrorDiffusion(src.data(), b.data(), w, w, h, state.get());
        for (size_t i = 0; i < src.size(); ++i) {
            ASSERT_TRUE(a[i] == 0 || a[i] == 0xFF);
            ASSERT_TRUE(b[i] == 0 || b[i] == 0xFF);
        }
    }
}

}  // namespace
