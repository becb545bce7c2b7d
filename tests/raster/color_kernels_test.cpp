// The two-colour kernels: separation, binarisation, merge, the combined kernels and the
// colour-effect tables.

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "halftone_symbols.h"
#include "raster/color_effect.h"
#include "raster/color_kernels.h"
#include "raster/color_kernels_grey.h"
#include "support/red_black_reference.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes randomBytes(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes out(size);
    for (auto& b : out) {
        b = static_cast<unsigned char>(byte(rng));
    }
    return out;
}

// Error rows of one plane, zeroed, with the record pointing into them.
struct ErrorRows {
    explicit ErrorRows(size_t width) : a(width, 0), b(width, 0), c(width, 0) {
        state = {a.data(), b.data(), c.data()};
    }
    std::vector<int> a, b, c;
    BinarizeErrorRows state;
};

const unsigned char kMatrix3x2[6] = {64, 192, 128, 32, 224, 160};

TEST(ColorKernels, SeparationOfNamedColours) {
    const struct {
        unsigned char r, g, b;
        int red, black;
    } cases[] = {
        // clang-format off
        {255, 0, 0, 255, 0},     {128, 0, 0, 255, 127}, {200, 50, 50, 191, 55},
        {255, 128, 0, 212, 0},   {255, 160, 0, 0, 85},  {255, 0, 128, 212, 0},
        {255, 200, 200, 55, 0},  {0, 0, 255, 0, 226},   {0, 255, 0, 0, 106},
        {128, 128, 128, 0, 127}, {255, 255, 255, 0, 0}, {0, 0, 0, 0, 255},
        {255, 152, 0, 204, 0},   {255, 153, 0, 0, 89},  // exactly 36 degrees is not red
        // Single precision, multiplies and adds not fused: double precision would give red
        // 154, 170 and 102 for the first three, a fused hue 187 and 85 for the last two.
        {34, 13, 14, 155, 221},  {47, 12, 23, 169, 208}, {50, 36, 27, 101, 205},
        {10, 6, 1, 186, 245},    {37, 23, 28, 84, 218},
        // clang-format on
    };
    for (const auto& c : cases) {
        const unsigned char rgb[3] = {c.r, c.g, c.b};
        unsigned char red = 0x5A;
        unsigned char black = 0x5A;
        ASSERT_EQ(ConvRgbToRedBlack(rgb, 1, 3, 1, &red, &black), 0);
        EXPECT_EQ(red, c.red) << int(c.r) << "," << int(c.g) << "," << int(c.b);
        EXPECT_EQ(black, c.black) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
}

TEST(ColorKernels, SeparationWritesDensePlanesFromStridedRows) {
    // Two rows of two pixels, 8 bytes apart; the two bytes after each row are not pixels.
    const Bytes rgb = {255, 0, 0, 0, 0, 0, 9, 9, 128, 128, 128, 255, 255, 255, 9, 9};
    Bytes red(4, 0x5A);
    Bytes black(4, 0x5A);
    ASSERT_EQ(ConvRgbToRedBlack(rgb.data(), 2, 8, 2, red.data(), black.data()), 0);
    EXPECT_EQ(red, (Bytes{255, 0, 0, 0}));
    EXPECT_EQ(black, (Bytes{0, 255, 127, 0}));
}

TEST(ColorKernels, GreyNeverGivesRed) {
    for (int v = 0; v < 256; ++v) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v),
                                      static_cast<unsigned char>(v)};
        unsigned char red = 0;
        unsigned char black = 0;
        ConvRgbToRedBlack(rgb, 1, 3, 1, &red, &black);
        EXPECT_EQ(red, 0);
        EXPECT_EQ(black, 255 - v);
    }
}

// Every one of the 2^24 colours, in batches of 2^20 pixels: colour c is R = c >> 16,
// G = (c >> 8) & 255, B = c & 255. One kernel call per batch keeps the sweep fast under the
// sanitizers and emulation.
constexpr uint32_t kBatchPixels = 1u << 20;
constexpr uint32_t kColours = 1u << 24;

void fillBatch(uint32_t first, Bytes& rgb) {
    rgb.resize(3 * size_t{kBatchPixels});
    for (uint32_t i = 0; i < kBatchPixels; ++i) {
        const uint32_t c = first + i;
        rgb[3 * size_t{i}] = static_cast<unsigned char>(c >> 16);
        rgb[3 * size_t{i} + 1] = static_cast<unsigned char>(c >> 8);
        rgb[3 * size_t{i} + 2] = static_cast<unsigned char>(c);
    }
}

TEST(ColorKernels, SeparationOfEveryColourEqualsTheSinglePrecisionRule) {
    Bytes rgb;
    Bytes red(kBatchPixels);
    Bytes black(kBatchPixels);
    const int width = 4096;
    const int rows = static_cast<int>(kBatchPixels / width);
    int mismatches = 0;
    for (uint32_t first = 0; first < kColours; first += kBatchPixels) {
        fillBatch(first, rgb);
        ASSERT_EQ(ConvRgbToRedBlack(rgb.data(), width, 3 * width, rows, red.data(), black.data()),
                  0);
        for (uint32_t i = 0; i < kBatchPixels && mismatches < 10; ++i) {
            const uint32_t c = first + i;
            unsigned char wantRed = 0;
            unsigned char wantBlack = 0;
            referenceRedBlack(static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 255),
                              static_cast<int>(c & 255), wantRed, wantBlack);
            if (red[i] != wantRed || black[i] != wantBlack) {
                ++mismatches;
                ADD_FAILURE() << "colour " << (c >> 16) << ", " << ((c >> 8) & 255) << ", "
                              << (c & 255) << ": red " << int(red[i]) << " black " << int(black[i])
                              << ", expected " << int(wantRed) << ", " << int(wantBlack);
            }
        }
    }
}

// Each grey path the processor can run against the plain one, and the plain one against
// the formula, over every colour. A path the processor lacks is not run; the plain path
// always is.
TEST(GreyConversion, EveryPathGivesTheFormulaForEveryColour) {
    using grey_conversion::GreyPath;
    const struct {
        const char* name;
        GreyPath path;
    } paths[] = {{"plain", GreyPath::Plain}, {"SSSE3", GreyPath::Ssse3}, {"AVX2", GreyPath::Avx2}};
    ASSERT_TRUE(grey_conversion::supports(GreyPath::Plain));
    ASSERT_TRUE(grey_conversion::supports(grey_conversion::bestPath()));
    if (grey_conversion::supports(GreyPath::Avx2)) {
        EXPECT_EQ(grey_conversion::bestPath(), GreyPath::Avx2);
    }
    Bytes rgb;
    Bytes plain(kBatchPixels);
    Bytes grey(kBatchPixels);
    const int width = static_cast<int>(kBatchPixels);
    for (uint32_t first = 0; first < kColours; first += kBatchPixels) {
        fillBatch(first, rgb);
        grey_conversion::greyRowWith(GreyPath::Plain, rgb.data(), width, plain.data());
        for (uint32_t i = 0; i < kBatchPixels; ++i) {
            const uint32_t c = first + i;
            const uint32_t formula =
                (30 * (c >> 16) + 59 * ((c >> 8) & 255) + 11 * (c & 255)) / 100;
            if (plain[i] != formula) {
                FAIL() << "plain path, colour " << c << ": " << int(plain[i]) << ", expected "
                       << formula;
            }
        }
        for (const auto& p : paths) {
            if (p.path == GreyPath::Plain || !grey_conversion::supports(p.path)) {
                continue;
            }
            std::fill(grey.begin(), grey.end(), 0);
            grey_conversion::greyRowWith(p.path, rgb.data(), width, grey.data());
            ASSERT_EQ(grey, plain) << p.name << " path, colours from " << first;
        }
    }
}

TEST(ColorKernels, BinarizeToneTableIsFloored) {
    const struct {
        int g, value;
    } quoted[] = {{0, 0},    {4, 0},     {5, 1},     {64, 36},  {127, 96},
                  {128, 97}, {192, 171}, {254, 253}, {255, 255}};
    for (const auto& q : quoted) {
        EXPECT_EQ(tbl_LUT_BINARIZE[q.g], q.value) << q.g;
    }
    for (int g = 0; g < 256; ++g) {
        EXPECT_EQ(tbl_LUT_BINARIZE[g],
                  static_cast<int>(std::floor(255.0 * std::pow(g / 255.0, 1.4))))
            << g;
    }
}

TEST(ColorKernels, ThresholdIsUnsignedAndInclusive) {
    Bytes plane = {0, 126, 127, 128, 255};
    ASSERT_EQ(BinarizeThreshold(plane.data(), 5, 15, 1, 127), 0);
    EXPECT_EQ(plane, (Bytes{0, 0, 1, 1, 1}));
    plane = {199, 200, 255};
    ASSERT_EQ(BinarizeThreshold(plane.data(), 3, 9, 1, 200), 0);
    EXPECT_EQ(plane, (Bytes{0, 1, 1}));
}

TEST(ColorKernels, ErrorDiffusionRowOfEight128) {
    Bytes plane(8, 128);
    ErrorRows rows(8);
    int* const first = rows.a.data();
    int* const second = rows.b.data();
    int* const third = rows.c.data();
    ASSERT_EQ(BinarizeErrorDiffusion(plane.data(), 8, 24, 1, 127, &rows.state), 0);
    EXPECT_EQ(plane, (Bytes{0, 0, 0, 0, 1, 0, 0, 0}));
    // The pointers rotated: next is current, the row after is next, the zeroed row last.
    EXPECT_EQ(rows.state.current, second);
    EXPECT_EQ(rows.state.next, third);
    EXPECT_EQ(rows.state.afterNext, first);
    EXPECT_TRUE(std::all_of(rows.a.begin(), rows.a.end(), [](int v) { return v == 0; }));
    // Next row, column 0: 7 * 97 + 5 * 111 + 3 * 123 from the pixels at 0, 1 and 2.
    EXPECT_EQ(second[0], 7 * 97 + 5 * 111 + 3 * 123);
}

TEST(ColorKernels, ErrorDiffusionOnePixelSpreadsOnlyDown) {
    // State arrays exactly one int long: nothing may be written sideways.
    unsigned char pixel = 128;
    ErrorRows rows(1);
    int* const second = rows.b.data();
    int* const third = rows.c.data();
    ASSERT_EQ(BinarizeErrorDiffusion(&pixel, 1, 3, 1, 127, &rows.state), 0);
    EXPECT_EQ(pixel, 0);
    EXPECT_EQ(*second, 7 * 97);
    EXPECT_EQ(*third, 5 * 97);
    // An error of 0 (grey 255 at any threshold up to 255) spreads nothing.
    Bytes white(10, 255);
    ErrorRows quiet(5);
    ASSERT_EQ(BinarizeErrorDiffusion(white.data(), 5, 15, 2, 200, &quiet.state), 0);
    EXPECT_EQ(white, Bytes(10, 1));
    for (const auto* v : {&quiet.a, &quiet.b, &quiet.c}) {
        EXPECT_TRUE(std::all_of(v->begin(), v->end(), [](int x) { return x == 0; }));
    }
}

// The error diffusion written from its rules with one error value per pixel of the whole
// image: the sum of a pixel gathers the errors of the pixels before it, weighted by where
// they lie (this row 7, 5; the row above 3 5 7 5 3; two rows up 1 3 5 3 1), from columns
// inside the row only.
Bytes referenceErrorDiffusion(const Bytes& plane, int width, int rows, int threshold) {
    static const int kAbove[3][5] = {{0, 0, 0, 0, 0}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}};
    std::vector<long> errors(plane.size(), 0);
    Bytes out(plane.size());
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            long sum = 0;
            for (int dy = 1; dy <= 2 && y - dy >= 0; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (x + dx >= 0 && x + dx < width) {
                        sum += kAbove[dy][dx + 2] *
                               errors[static_cast<size_t>(y - dy) * width + x + dx];
                    }
                }
            }
            const size_t at = static_cast<size_t>(y) * width + x;
            sum += (x >= 1 ? 7 * errors[at - 1] : 0) + (x >= 2 ? 5 * errors[at - 2] : 0);
            const long tone =
                static_cast<long>(std::floor(255.0 * std::pow(plane[at] / 255.0, 1.4)));
            const long v = tone + sum / 48;  // C++ division truncates towards zero
            out[at] = v >= threshold ? 1 : 0;
            errors[at] = v >= threshold ? v - 255 : v;
        }
    }
    return out;
}

TEST(ColorKernels, ErrorDiffusionFollowsItsRules) {
    std::mt19937 rng(48);
    for (int w : {1, 2, 3, 4, 17, 40}) {
        for (int threshold : {0, 60, 127, 200, 255}) {
            const int rows = 9;
            const int stride = 3 * w + 4;  // plane rows lie w + 4 bytes apart
            const int pitch = w + 4;
            Bytes dense = randomBytes(rng, static_cast<size_t>(w) * rows);
            if (threshold == 60) {
                std::fill(dense.begin(), dense.end(), 128);  // flat fields spread the most
            }
            Bytes plane(static_cast<size_t>(pitch) * rows, 0xEE);
            for (int y = 0; y < rows; ++y) {
                std::copy_n(dense.begin() + y * w, w, plane.begin() + y * pitch);
            }
            ErrorRows state(static_cast<size_t>(w));
            ASSERT_EQ(BinarizeErrorDiffusion(plane.data(), static_cast<unsigned>(w), stride, rows,
                                             static_cast<unsigned char>(threshold), &state.state),
                      0);
            const Bytes expected = referenceErrorDiffusion(dense, w, rows, threshold);
            for (int y = 0; y < rows; ++y) {
                EXPECT_EQ(Bytes(plane.begin() + y * pitch, plane.begin() + y * pitch + w),
                          Bytes(expected.begin() + y * w, expected.begin() + (y + 1) * w))
                    << "width " << w << " threshold " << threshold << " row " << y;
                // The bytes between plane rows are not touched.
                EXPECT_EQ(Bytes(plane.begin() + y * pitch + w, plane.begin() + (y + 1) * pitch),
                          Bytes(4, 0xEE));
            }
        }
    }
}

TEST(ColorKernels, DitherRowsFollowTheCounter) {
    // Three columns, two matrix rows. Rows 0 leaves the counter; later calls carry on.
    int counter = 0;
    Bytes none(3, 100);
    ASSERT_EQ(BinarizeDither(none.data(), 3, 9, 0, 3, 2, kMatrix3x2, &counter), 0);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(none, Bytes(3, 100));

    std::mt19937 rng(2);
    const Bytes src = randomBytes(rng, 7 * 5);
    Bytes whole = src;
    int wholeCounter = 5;
    ASSERT_EQ(BinarizeDither(whole.data(), 7, 21, 5, 3, 2, kMatrix3x2, &wholeCounter), 0);
    EXPECT_EQ(wholeCounter, 10);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const int m = kMatrix3x2[((5 + y) % 2) * 3 + x % 3];
            EXPECT_EQ(whole[y * 7 + x], src[y * 7 + x] >= m ? 1 : 0) << x << "," << y;
        }
    }
    Bytes parts = src;
    int partCounter = 5;
    BinarizeDither(parts.data(), 7, 21, 2, 3, 2, kMatrix3x2, &partCounter);
    BinarizeDither(parts.data() + 14, 7, 21, 3, 3, 2, kMatrix3x2, &partCounter);
    EXPECT_EQ(parts, whole);
    EXPECT_EQ(partCounter, 10);
}

TEST(ColorKernels, DitherMatrixRowIsUnsigned) {
    // Counter -1 is 4294967295 unsigned: row 3 of a 7-row matrix, not row 6; the next row
    // wraps to 0 and uses matrix row 0.
    unsigned char matrix[7];
    for (int i = 0; i < 7; ++i) {
        matrix[i] = static_cast<unsigned char>(10 * (i + 1));
    }
    Bytes plane = {39, 9};
    int counter = -1;
    ASSERT_EQ(BinarizeDither(plane.data(), 1, 3, 2, 1, 7, matrix, &counter), 0);
    EXPECT_EQ(plane, (Bytes{0, 0}));
    EXPECT_EQ(counter, 1);
    Bytes again = {40, 10};
    counter = -1;
    BinarizeDither(again.data(), 1, 3, 2, 1, 7, matrix, &counter);
    EXPECT_EQ(again, (Bytes{1, 1}));
    // The counter wraps instead of overflowing.
    counter = INT_MAX;
    BinarizeDither(again.data(), 1, 3, 2, 1, 7, matrix, &counter);
    EXPECT_EQ(counter, INT_MIN + 1);
}

TEST(ColorKernels, MergeLetsBlackWin) {
    const Bytes black = {0, 1, 0, 1};
    const Bytes red = {0, 0, 1, 1};
    Bytes out(4, 9);
    ASSERT_EQ(MergeBinaryToTermany(black.data(), red.data(), 4, 12, 1, out.data()), 0);
    EXPECT_EQ(out, (Bytes{0, 2, 1, 2}));
    // Dark red has ink in both planes and comes out black.
    const unsigned char darkRed[3] = {128, 0, 0};
    unsigned char ternary = 9;
    ASSERT_EQ(MakeBicolorTernaryThreshold(darkRed, 1, 3, 1, 127, &ternary), 0);
    EXPECT_EQ(ternary, 2);
    const unsigned char pureRed[3] = {255, 0, 0};
    ASSERT_EQ(MakeBicolorTernaryThreshold(pureRed, 1, 3, 1, 127, &ternary), 0);
    EXPECT_EQ(ternary, 1);
    const unsigned char white[3] = {255, 255, 255};
    ASSERT_EQ(MakeBicolorTernaryThreshold(white, 1, 3, 1, 127, &ternary), 0);
    EXPECT_EQ(ternary, 0);
}

TEST(ColorKernels, CombinedThresholdUsesTheLowByte) {
    // 0x17F has low byte 127.
    const unsigned char darkRed[3] = {128, 0, 0};
    unsigned char a = 9;
    unsigned char b = 9;
    MakeBicolorTernaryThreshold(darkRed, 1, 3, 1, 127, &a);
    MakeBicolorTernaryThreshold(darkRed, 1, 3, 1, 0x17F, &b);
    EXPECT_EQ(a, b);
    // Threshold 128: black 127 has no dot, red 255 does.
    MakeBicolorTernaryThreshold(darkRed, 1, 3, 1, 128, &a);
    EXPECT_EQ(a, 1);
}

// Each combined kernel equals its three stages called by hand (strided input, padding
// between rows).
TEST(ColorKernels, CombinedKernelsEqualTheirStages) {
    std::mt19937 rng(8);
    const int w = 11;
    const int h = 6;
    const int stride = 3 * w + 5;
    const Bytes rgb = randomBytes(rng, static_cast<size_t>(stride) * h);
    auto stages = [&](auto binarize) {
        Bytes red(w * h);
        Bytes black(w * h);
        Bytes out(w * h);
        EXPECT_EQ(ConvRgbToRedBlack(rgb.data(), w, stride, h, red.data(), black.data()), 0);
        binarize(red.data(), black.data());
        EXPECT_EQ(MergeBinaryToTermany(black.data(), red.data(), w, 3 * w, h, out.data()), 0);
        return out;
    };

    Bytes out(w * h);
    ASSERT_EQ(MakeBicolorTernaryThreshold(rgb.data(), w, stride, h, 0x100 + 90, out.data()), 0);
    EXPECT_EQ(out, stages([&](unsigned char* red, unsigned char* black) {
                  BinarizeThreshold(red, w, 3 * w, h, 90);
                  BinarizeThreshold(black, w, 3 * w, h, 90);
              }));

    int counter = 4;
    ASSERT_EQ(
        MakeBicolorTernaryDither(rgb.data(), w, stride, h, 3, 2, kMatrix3x2, &counter, out.data()),
        0);
    EXPECT_EQ(counter, 4 + h);
    EXPECT_EQ(out, stages([&](unsigned char* red, unsigned char* black) {
                  int c1 = 4;
                  int c2 = 4;
                  BinarizeDither(red, w, 3 * w, h, 3, 2, kMatrix3x2, &c1);
                  BinarizeDither(black, w, 3 * w, h, 3, 2, kMatrix3x2, &c2);
              }));

    ErrorRows redRows(w);
    ErrorRows blackRows(w);
    ASSERT_EQ(MakeBicolorTernaryErrorDiffusion(rgb.data(), w, stride, h, 0x200 + 127,
                                               &redRows.state, &blackRows.state, out.data()),
              0);
    EXPECT_EQ(out, stages([&](unsigned char* red, unsigned char* black) {
                  ErrorRows r(w);
                  ErrorRows b(w);
                  BinarizeErrorDiffusion(red, w, 3 * w, h, 127, &r.state);
                  BinarizeErrorDiffusion(black, w, 3 * w, h, 127, &b.state);
              }));
}

// Per-row calls with state that persists, as the two-colour raster makes them, equal one call
// over the whole image with fresh state.
TEST(ColorKernels, RowByRowEqualsTheWholeImage) {
    std::mt19937 rng(12);
    for (int w : {1, 5, 13, 21}) {
        const int h = 9;
        const Bytes rgb = randomBytes(rng, static_cast<size_t>(3 * w) * h);
        Bytes whole(w * h);
        Bytes rows(w * h);
        ASSERT_EQ(MakeBicolorTernaryThreshold(rgb.data(), w, 3 * w, h, 127, whole.data()), 0);
        for (int y = 0; y < h; ++y) {
            MakeBicolorTernaryThreshold(rgb.data() + 3 * w * y, w, 3 * w, 1, 127,
                                        rows.data() + w * y);
        }
        EXPECT_EQ(rows, whole) << "threshold, width " << w;

        int wholeCounter = 0;
        ASSERT_EQ(MakeBicolorTernaryDither(rgb.data(), w, 3 * w, h, 3, 2, kMatrix3x2, &wholeCounter,
                                           whole.data()),
                  0);
        int rowCounter = 0;
        for (int y = 0; y < h; ++y) {
            MakeBicolorTernaryDither(rgb.data() + 3 * w * y, w, 3 * w, 1, 3, 2, kMatrix3x2,
                                     &rowCounter, rows.data() + w * y);
        }
        EXPECT_EQ(rows, whole) << "dither, width " << w;
        EXPECT_EQ(rowCounter, wholeCounter);

        ErrorRows wr(w);
        ErrorRows wb(w);
        ASSERT_EQ(MakeBicolorTernaryErrorDiffusion(rgb.data(), w, 3 * w, h, 127, &wr.state,
                                                   &wb.state, whole.data()),
                  0);
        ErrorRows rr(w);
        ErrorRows rb(w);
        for (int y = 0; y < h; ++y) {
            MakeBicolorTernaryErrorDiffusion(rgb.data() + 3 * w * y, w, 3 * w, 1, 127, &rr.state,
                                             &rb.state, rows.data() + w * y);
        }
        EXPECT_EQ(rows, whole) << "error diffusion, width " << w;
    }
}

TEST(ColorKernels, ReducedColourRewritesThePixels) {
    std::mt19937 rng(30);
    const int w = 7;
    const int h = 5;
    const int stride = 3 * w + 2;
    Bytes rgb = randomBytes(rng, static_cast<size_t>(stride) * h);
    const Bytes src = rgb;
    Bytes ternary(w * h);
    ErrorRows r(w);
    ErrorRows b(w);
    ASSERT_EQ(MakeBicolorTernaryErrorDiffusion(src.data(), w, stride, h, 127, &r.state, &b.state,
                                               ternary.data()),
              0);
    ASSERT_EQ(ConvReducedColorErrorDiffusion(rgb.data(), w, stride, h, 0, 127), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const unsigned char* px = rgb.data() + y * stride + 3 * x;
            const int t = ternary[y * w + x];
            const std::array<int, 3> expected = t == 1   ? std::array<int, 3>{255, 0, 0}
                                                : t == 2 ? std::array<int, 3>{0, 0, 0}
                                                         : std::array<int, 3>{255, 255, 255};
            EXPECT_EQ((std::array<int, 3>{px[0], px[1], px[2]}), expected) << x << "," << y;
        }
        // The padding after each row is not touched.
        EXPECT_EQ(rgb[y * stride + 3 * w], src[y * stride + 3 * w]);
        EXPECT_EQ(rgb[y * stride + 3 * w + 1], src[y * stride + 3 * w + 1]);
    }
    Bytes untouched = src;
    EXPECT_EQ(ConvReducedColorErrorDiffusion(untouched.data(), w, stride, h, 1, 127), -1);
    EXPECT_EQ(untouched, src);
}

// Kernels refuse what does not describe an image; nothing is read or written.
TEST(ColorKernels, RefusalsOfShapeAndBuffers) {
    Bytes buf(64, 7);
    unsigned char* p = buf.data();
    ErrorRows rows(8);
    int counter = 3;
    const struct {
        const char* what;
        int width;
        int stride;
        int rows;
    } shapes[] = {
        {"width 0", 0, 0, 1},
        {"width -1", -1, 3, 1},
        {"rows -1", 2, 6, -1},
        {"stride below 3 x width", 4, 11, 1},
        {"width x rows beyond int", 1 << 16, 3 << 16, 1 << 16},
        {"stride x rows beyond int", 1, INT_MAX / 2, 3},
    };
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(ConvRgbToRedBlack(p, s.width, s.stride, s.rows, p, p), -1);
        EXPECT_EQ(BinarizeThreshold(p, s.width, s.stride, s.rows, 1), -1);
        EXPECT_EQ(BinarizeDither(p, s.width, s.stride, s.rows, 3, 2, kMatrix3x2, &counter), -1);
        EXPECT_EQ(BinarizeErrorDiffusion(p, static_cast<unsigned>(s.width), s.stride, s.rows, 1,
                                         &rows.state),
                  -1);
        EXPECT_EQ(MergeBinaryToTermany(p, p, s.width, s.stride, s.rows, p), -1);
        EXPECT_EQ(MakeBicolorTernaryThreshold(p, s.width, s.stride, s.rows, 1, p), -1);
        EXPECT_EQ(
            MakeBicolorTernaryDither(p, s.width, s.stride, s.rows, 3, 2, kMatrix3x2, &counter, p),
            -1);
        EXPECT_EQ(MakeBicolorTernaryErrorDiffusion(p, s.width, s.stride, s.rows, 1, &rows.state,
                                                   &rows.state, p),
                  -1);
        EXPECT_EQ(ConvReducedColorErrorDiffusion(p, s.width, s.stride, s.rows, 0, 1), -1);
        ExecColorEffect(p, s.width, s.stride, s.rows, p);
    }
    // Unsigned widths beyond int.
    EXPECT_EQ(BinarizeErrorDiffusion(p, 0x80000000u, INT_MAX, 1, 1, &rows.state), -1);
    EXPECT_EQ(BinarizeErrorDiffusion(p, 0xFFFFFFFFu, 3, 1, 1, &rows.state), -1);
    // Empty matrices.
    EXPECT_EQ(BinarizeDither(p, 2, 6, 1, 0, 2, kMatrix3x2, &counter), -1);
    EXPECT_EQ(BinarizeDither(p, 2, 6, 1, 3, 0, kMatrix3x2, &counter), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 6, 1, 0, 2, kMatrix3x2, &counter, p), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 6, 1, 3, 0, kMatrix3x2, &counter, p), -1);
    // Missing buffers.
    EXPECT_EQ(ConvRgbToRedBlack(nullptr, 2, 6, 1, p, p), -1);
    EXPECT_EQ(ConvRgbToRedBlack(p, 2, 6, 1, nullptr, p), -1);
    EXPECT_EQ(ConvRgbToRedBlack(p, 2, 6, 1, p, nullptr), -1);
    EXPECT_EQ(BinarizeThreshold(nullptr, 2, 6, 1, 1), -1);
    EXPECT_EQ(BinarizeDither(nullptr, 2, 6, 1, 3, 2, kMatrix3x2, &counter), -1);
    EXPECT_EQ(BinarizeDither(p, 2, 6, 1, 3, 2, nullptr, &counter), -1);
    EXPECT_EQ(BinarizeDither(p, 2, 6, 1, 3, 2, kMatrix3x2, nullptr), -1);
    EXPECT_EQ(BinarizeErrorDiffusion(nullptr, 2, 6, 1, 1, &rows.state), -1);
    EXPECT_EQ(BinarizeErrorDiffusion(p, 2, 6, 1, 1, nullptr), -1);
    BinarizeErrorRows holes = {nullptr, nullptr, nullptr};
    EXPECT_EQ(BinarizeErrorDiffusion(p, 2, 6, 1, 1, &holes), -1);
    EXPECT_EQ(MergeBinaryToTermany(nullptr, p, 2, 6, 1, p), -1);
    EXPECT_EQ(MergeBinaryToTermany(p, nullptr, 2, 6, 1, p), -1);
    EXPECT_EQ(MergeBinaryToTermany(p, p, 2, 6, 1, nullptr), -1);
    EXPECT_EQ(MakeBicolorTernaryThreshold(nullptr, 2, 6, 1, 1, p), -1);
    EXPECT_EQ(MakeBicolorTernaryThreshold(p, 2, 6, 1, 1, nullptr), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(nullptr, 2, 6, 1, 3, 2, kMatrix3x2, &counter, p), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 6, 1, 3, 2, nullptr, &counter, p), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 6, 1, 3, 2, kMatrix3x2, nullptr, p), -1);
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 6, 1, 3, 2, kMatrix3x2, &counter, nullptr), -1);
    EXPECT_EQ(MakeBicolorTernaryErrorDiffusion(nullptr, 2, 6, 1, 1, &rows.state, &rows.state, p),
              -1);
    EXPECT_EQ(MakeBicolorTernaryErrorDiffusion(p, 2, 6, 1, 1, nullptr, &rows.state, p), -1);
    EXPECT_EQ(MakeBicolorTernaryErrorDiffusion(p, 2, 6, 1, 1, &rows.state, nullptr, p), -1);
    EXPECT_EQ(MakeBicolorTernaryErrorDiffusion(p, 2, 6, 1, 1, &rows.state, &rows.state, nullptr),
              -1);
    EXPECT_EQ(ConvReducedColorErrorDiffusion(nullptr, 2, 6, 1, 0, 1), -1);
    ExecColorEffect(nullptr, 2, 6, 1, p);
    ExecColorEffect(p, 2, 6, 1, nullptr);
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(buf, Bytes(64, 7));
    // A refused combined dither leaves the counter where it was.
    counter = 3;
    EXPECT_EQ(MakeBicolorTernaryDither(p, 2, 5, 1, 3, 2, kMatrix3x2, &counter, p), -1);
    EXPECT_EQ(counter, 3);
}

// Entries at 0, 64, 127, 192 and 255 of each curve.
std::array<int, 5> samples(const unsigned char* curve) {
    return {curve[0], curve[64], curve[127], curve[192], curve[255]};
}

TEST(ColorEffect, TablesOfTheFiveControls) {
    using S = std::array<int, 5>;
    const S identity = {0, 64, 127, 192, 255};
    const struct {
        const char* what;
        short values[5];
        S r, g, b;
    } cases[] = {
        {"none", {0, 0, 0, 0, 0}, identity, identity, identity},
        {"brightness 20",
         {20, 0, 0, 0, 0},
         {60, 124, 187, 252, 255},
         {60, 124, 187, 252, 255},
         {60, 124, 187, 252, 255}},
        {"contrast 20",
         {0, 20, 0, 0, 0},
         {0, 39, 127, 217, 255},
         {0, 39, 127, 217, 255},
         {0, 39, 127, 217, 255}},
        {"contrast -20",
         {0, -20, 0, 0, 0},
         {50, 88, 127, 166, 204},
         {50, 88, 127, 166, 204},
         {50, 88, 127, 166, 204}},
        {"red 20",
         {0, 0, 20, 0, 0},
         {0, 95, 172, 222, 255},
         {0, 33, 83, 162, 255},
         {0, 33, 83, 162, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        unsigned char table[768];
        ASSERT_EQ(MakeColorEffectTable(c.values[0], c.values[1], c.values[2], c.values[3],
                                       c.values[4], table),
                  0);
        EXPECT_EQ(samples(table), c.r);
        EXPECT_EQ(samples(table + 256), c.g);
        EXPECT_EQ(samples(table + 512), c.b);
    }
}

TEST(ColorEffect, ValuesOutsideTwentyLeaveTheTableUntouched) {
    for (int which = 0; which < 5; ++which) {
        for (short v : {short(21), short(-21), short(32767)}) {
            short values[5] = {0, 0, 0, 0, 0};
            values[which] = v;
            unsigned char table[768];
            std::memset(table, 0xAB, sizeof table);
            EXPECT_EQ(
                MakeColorEffectTable(values[0], values[1], values[2], values[3], values[4], table),
                -1);
            EXPECT_TRUE(std::all_of(table, table + 768, [](unsigned char b) { return b == 0xAB; }));
        }
    }
    EXPECT_EQ(MakeColorEffectTable(0, 0, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(MakeColorEffectTable(-20, 20, -20, 20, -20, nullptr), -1);
}

TEST(ColorEffect, BalanceMovesTheMiddlePointRoundedUp) {
    // The half is added before truncation: a sum of -45 moves the point by -44, +45 by +45.
    int points[9] = {0, 127, 255, 0, 127, 255, 0, 127, 255};
    TlMakeColorEffectTableMain(0, 0, 45, 0, 0, points);
    EXPECT_EQ(points[1], 172);
    EXPECT_EQ(points[4], 83);
    EXPECT_EQ(points[7], 83);
    // Contrast truncates towards zero: 40 * -127 / 100 = -50.8 gives -50.
    int contrast[9] = {0, 127, 255, 0, 127, 255, 0, 127, 255};
    TlMakeColorEffectTableMain(0, 40, 0, 0, 0, contrast);
    EXPECT_EQ(contrast[0], -50);
    EXPECT_EQ(contrast[2], 306);
    EXPECT_EQ(contrast[1], 127);
}

TEST(ColorEffect, PureWhiteNeverChanges) {
    unsigned char table[768];
    for (int i = 0; i < 768; ++i) {
        table[i] = static_cast<unsigned char>(255 - i % 256);  // 255 maps to 0
    }
    Bytes rgb = {255, 255, 255, 255, 255, 254, 10, 20, 30, 1, 2};
    ExecColorEffect(rgb.data(), 3, 11, 1, table);
    EXPECT_EQ(rgb, (Bytes{255, 255, 255, 0, 0, 1, 245, 235, 225, 1, 2}));
}

TEST(ColorEffect, SplineRefusalsAndTheLastSegment) {
    const int xs[] = {0, 5, 10};
    const float line[] = {0.0f, 10.0f, 20.0f};
    float out[16];
    // Beyond the last point the last segment goes on.
    ASSERT_EQ(CorrectSplineColorEffect(xs, line, 3, out, 16), 1);
    for (int t = 0; t < 16; ++t) {
        EXPECT_FLOAT_EQ(out[t], 2.0f * t) << t;
    }
    const int flat[] = {0, 5, 5};
    const int back[] = {0, 6, 4};
    float untouched[4] = {-1, -1, -1, -1};
    EXPECT_EQ(CorrectSplineColorEffect(xs, line, 2, untouched, 4), 0);
    EXPECT_EQ(CorrectSplineColorEffect(flat, line, 3, untouched, 4), 0);
    EXPECT_EQ(CorrectSplineColorEffect(back, line, 3, untouched, 4), 0);
    EXPECT_EQ(CorrectSplineColorEffect(nullptr, line, 3, untouched, 4), 0);
    EXPECT_EQ(CorrectSplineColorEffect(xs, nullptr, 3, untouched, 4), 0);
    EXPECT_EQ(CorrectSplineColorEffect(xs, line, 3, nullptr, 4), 0);
    EXPECT_EQ(untouched[0], -1);
    // A natural spline through five points passes through each of them.
    const int xs5[] = {0, 40, 100, 180, 255};
    const float ys5[] = {10.0f, 80.0f, 60.0f, 200.0f, 240.0f};
    float curve[256];
    ASSERT_EQ(CorrectSplineColorEffect(xs5, ys5, 5, curve, 256), 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(curve[xs5[i]], ys5[i], 1e-3) << xs5[i];
    }
}

TEST(ColorKernelsLinkage, KernelsHaveCNamesAndHelpersDoNot) {
    const auto symbols = halftone_test::definedSymbols(halftone_test::coreLibraryPath());
    ASSERT_FALSE(symbols.empty()) << "nm found no symbols in " << halftone_test::coreLibraryPath();
    for (const char* name :
         {"ConvRgbToRedBlack", "BinarizeThreshold", "BinarizeDither", "BinarizeErrorDiffusion",
          "MergeBinaryToTermany", "MakeBicolorTernaryThreshold", "MakeBicolorTernaryDither",
          "MakeBicolorTernaryErrorDiffusion", "ConvReducedColorErrorDiffusion", "ExecColorEffect",
          "MakeColorEffectTable"}) {
        const auto it = symbols.find(name);
        ASSERT_NE(it, symbols.end()) << name << " is not defined under its plain name";
        EXPECT_EQ(it->second, 'T') << name;
    }
    for (const std::string helper :
         {"TlMakeColorEffectTable", "TlMakeColorEffectTableMain", "CorrectSplineColorEffect"}) {
        EXPECT_EQ(symbols.count(helper), 0u) << helper << " has C linkage";
        const auto mangled = std::count_if(symbols.begin(), symbols.end(), [&](const auto& s) {
            return s.first.rfind("_Z", 0) == 0 &&
                   s.first.find(std::to_string(helper.size()) + helper) != std::string::npos;
        });
        EXPECT_EQ(mangled, 1) << helper << " is not defined under a C++ name";
    }
}

}  // namespace
