// The two halftone engines and their shared helpers.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "raster/halftone.h"
#include "raster/halftone_legacy.h"
#include "raster/halftone_private.h"

namespace {

using Image = std::vector<unsigned char>;
constexpr unsigned char B = 0x00;  // a printed dot
constexpr unsigned char W = 0xFF;

Image randomImage(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    Image image(size);
    for (auto& b : image) {
        b = static_cast<unsigned char>(byte(rng));
    }
    return image;
}

bool allEqual(const Image& image, unsigned char value) {
    return std::all_of(image.begin(), image.end(), [&](unsigned char v) { return v == value; });
}

// White where grey >= t, compared as signed integers.
Image thresholded(Image image, int t) {
    for (auto& v : image) {
        v = static_cast<int>(v) >= t ? W : B;
    }
    return image;
}

enum class Method { Threshold, Dither, ErrorDiffusion };

void run(HalfToneInterface& engine, Method method, int w, int h, unsigned char* buffer,
         int threshold = 128) {
    switch (method) {
        case Method::Threshold:
            engine.fillThresholdProc(w, h, buffer, threshold);
            break;
        case Method::Dither:
            engine.fillBayerPatternProc(w, h, buffer);
            break;
        case Method::ErrorDiffusion:
            engine.fillErrorDiffusionProc(w, h, buffer);
            break;
    }
}

// The legacy error diffusion written out from its formulas with whole-image error arrays.
Image referenceLegacyErrorDiffusion(const Image& src, int width, int height) {
    std::vector<double> errors(src.size(), 0.0);
    auto err = [&](int y, int x) {
        if (y < 0 || x < 0 || x >= width) {
            return 0.0;
        }
        return errors[static_cast<size_t>(y) * width + x];
    };
    Image out(src.size());
    for (int y = 0; y < height; ++y) {
        const int d = y % 2 == 0 ? 1 : -1;
        for (int i = 0; i < width; ++i) {
            const int x = d == 1 ? i : width - 1 - i;
            const double terms[] = {
                err(y - 2, x - d) * 3 / 48,     err(y - 2, x - 2 * d) * 1 / 48,
                err(y - 2, x) * 5 / 48,         err(y - 2, x + d) * 3 / 48,
                err(y - 2, x + 2 * d) * 1 / 48, err(y - 1, x - 2 * d) * 3 / 48,
                err(y - 1, x - d) * 5 / 48,     err(y - 1, x) * 7 / 48,
                err(y - 1, x + d) * 5 / 48,     err(y - 1, x + 2 * d) * 3 / 48,
                err(y, x - 2 * d) * 5 / 48,     err(y, x - d) * 7 / 48,
            };
            double sum = 0.0;
            for (double t : terms) {
                sum += t;
            }
            const size_t at = static_cast<size_t>(y) * width + x;
            const double v = src[at] + sum;
            double e = 0.0;
            if (v > 255) {
                out[at] = W;
            } else if (v < 0) {
                out[at] = B;
            } else if (v >= 128) {
                out[at] = W;
                e = v - 255;
            } else {
                out[at] = B;
                e = v;
            }
            errors[at] = e;
        }
    }
    return out;
}

TEST(HalftoneHelpers, ThresholdAndInvertWorkOnPositiveSizesOnly) {
    const Image src = {0, 127, 128, 255, 9, 9};
    Image a = src;
    HalfTone_private::thresholdProc(2, 2, a.data(), 128);
    EXPECT_EQ(a, (Image{B, B, W, W, 9, 9}));  // exactly width x height bytes
    a = src;
    HalfTone_private::invertImage(3, 1, a.data());
    EXPECT_EQ(a, (Image{255, 128, 127, 255, 9, 9}));
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-2, 3}, {-2, -3}, {3, -2}}) {
        a = src;
        HalfTone_private::thresholdProc(w, h, a.data(), 128);
        HalfTone_private::invertImage(w, h, a.data());
        EXPECT_EQ(a, src) << w << " x " << h;
    }
    HalfTone_private::thresholdProc(2, 2, nullptr, 1);
    HalfTone_private::invertImage(2, 2, nullptr);
}

TEST(Halftone, ThresholdsOfBothEngines) {
    const Image grey = {0, 1, 126, 127, 128, 129, 254, 255};
    const struct {
        int threshold;
        Image fromKernel;  // HalfTone: 16-bit threshold, dot where grey < threshold
        Image legacy;      // HalfToneLegacy: white where grey >= threshold, signed
    } cases[] = {
        {0, {W, W, W, W, W, W, W, W}, {W, W, W, W, W, W, W, W}},
        {1, {B, W, W, W, W, W, W, W}, {B, W, W, W, W, W, W, W}},
        {127, {B, B, B, W, W, W, W, W}, {B, B, B, W, W, W, W, W}},
        {128, {B, B, B, B, W, W, W, W}, {B, B, B, B, W, W, W, W}},
        {255, {B, B, B, B, B, B, B, W}, {B, B, B, B, B, B, B, W}},
        {256, {B, B, B, B, B, B, B, B}, {B, B, B, B, B, B, B, B}},
        {65535, {B, B, B, B, B, B, B, B}, {B, B, B, B, B, B, B, B}},
        {65536 + 128, {B, B, B, B, W, W, W, W}, {B, B, B, B, B, B, B, B}},
        {-1, {B, B, B, B, B, B, B, B}, {W, W, W, W, W, W, W, W}},
    };
    for (const auto& c : cases) {
        Image a = grey;
        HalfTone().fillThresholdProc(4, 2, a.data(), c.threshold);
        EXPECT_EQ(a, c.fromKernel) << "HalfTone threshold " << c.threshold;
        Image b = grey;
        HalfToneLegacy().fillThresholdProc(4, 2, b.data(), c.threshold);
        EXPECT_EQ(b, c.legacy) << "HalfToneLegacy threshold " << c.threshold;
    }
}

TEST(Halftone, WhiteStaysWhiteAndBlackTurnsBlack) {
    std::unique_ptr<HalfToneInterface> engines[] = {std::make_unique<HalfTone>(),
                                                    std::make_unique<HalfToneLegacy>()};
    for (auto& engine : engines) {
        for (Method m : {Method::Dither, Method::ErrorDiffusion}) {
            Image white(37 * 19, 255);
            run(*engine, m, 37, 19, white.data());
            EXPECT_TRUE(allEqual(white, W));
            Image black(37 * 19, 0);
            run(*engine, m, 37, 19, black.data());
            EXPECT_TRUE(allEqual(black, B));
        }
        for (int t = 1; t <= 255; ++t) {
            Image image = {0, 255};
            engine->fillThresholdProc(2, 1, image.data(), t);
            EXPECT_EQ(image, (Image{B, W})) << t;
        }
    }
}

TEST(Halftone, EmptySizesAndNullBuffersLeaveEverythingAlone) {
    std::unique_ptr<HalfToneInterface> engines[] = {std::make_unique<HalfTone>(),
                                                    std::make_unique<HalfToneLegacy>()};
    const Image src = {10, 200, 30, 140};
    for (auto& engine : engines) {
        for (Method m : {Method::Threshold, Method::Dither, Method::ErrorDiffusion}) {
            for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {-2, -2}}) {
                Image image = src;
                run(*engine, m, w, h, image.data());
                EXPECT_EQ(image, src) << w << " x " << h;
            }
            run(*engine, m, 4, 1, nullptr);
        }
    }
}

TEST(Halftone, ErrorDiffusionRowIsInvertedKernelResult) {
    Image row(16, 128);
    HalfTone().fillErrorDiffusionProc(16, 1, row.data());
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(row[x], x == 7 || x == 10 ? B : W) << x;
    }
}

TEST(Halftone, DitherRowsAtGrey128AreInverted) {
    Image image(8 * 2, 128);
    HalfTone().fillBayerPatternProc(8, 2, image.data());
    EXPECT_EQ(image, (Image{W, W, W, W, W, W, W, B, W, W, B, B, W, W, B, B}));
}

// Images the kernels cannot take are thresholded: at 127 for dither and error diffusion, at
// the caller's threshold for the threshold method. A width of 65,536 must not reach the
// kernels as 0, nor a height of 65,536 as 0.
TEST(Halftone, ImagesTooLargeForTheKernelsAreThresholded) {
    std::mt19937 rng(21);
    const struct {
        int width;
        int height;
    } sizes[] = {{32768, 2}, {65535, 1}, {65536, 1}, {1, 65536}, {2, 65537}};
    for (const auto& s : sizes) {
        const Image src = randomImage(rng, static_cast<size_t>(s.width) * s.height);
        for (Method m : {Method::Threshold, Method::Dither, Method::ErrorDiffusion}) {
            Image image = src;
            HalfTone engine;
            run(engine, m, s.width, s.height, image.data(), 200);
            EXPECT_EQ(image, thresholded(src, m == Method::Threshold ? 200 : 127))
                << s.width << " x " << s.height;
        }
    }
    // The largest size the kernels do take still gets a real dither.
    Image flat(32767 * 2, 128);
    HalfTone().fillBayerPatternProc(32767, 2, flat.data());
    EXPECT_EQ(flat[7], B);
    EXPECT_EQ(flat[0], W);
}

TEST(HalftoneLegacy, DitherBlocksAtGrey128) {
    Image image(8 * 8, 128);
    HalfToneLegacy().fillBayerPatternProc(8, 8, image.data());
    // Pixel (x 1, y 0) meets 12, pixel (x 0, y 1) meets 8.
    EXPECT_EQ(image[1], B);
    EXPECT_EQ(image[8], W);
    for (int by = 0; by < 8; by += 4) {
        for (int bx = 0; bx < 8; bx += 4) {
            int whites = 0;
            for (int y = by; y < by + 4; ++y) {
                for (int x = bx; x < bx + 4; ++x) {
                    whites += image[y * 8 + x] == W;
                }
            }
            EXPECT_EQ(whites, 9);
        }
    }
}

// Whites per 4 x 4 tile on flat grey g: matrix values <= g >> 4, none for g below 16.
TEST(HalftoneLegacy, DitherWhitesPerTileFollowTheHighNibble) {
    const int matrix[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    for (int g = 0; g < 256; ++g) {
        Image image(12 * 8, static_cast<unsigned char>(g));
        HalfToneLegacy().fillBayerPatternProc(12, 8, image.data());
        const int h = g >> 4;
        const int expected = h == 0 ? 0
                                    : static_cast<int>(std::count_if(
                                          matrix, matrix + 16, [&](int v) { return v <= h; }));
        for (int ty = 0; ty < 8; ty += 4) {
            for (int tx = 0; tx < 12; tx += 4) {
                int whites = 0;
                for (int y = ty; y < ty + 4; ++y) {
                    for (int x = tx; x < tx + 4; ++x) {
                        whites += image[y * 12 + x] == W;
                    }
                }
                EXPECT_EQ(whites, expected) << "g " << g;
            }
        }
    }
}

TEST(HalftoneLegacy, ErrorDiffusionOfGrey128) {
    Image image(8 * 4, 128);
    HalfToneLegacy().fillErrorDiffusionProc(8, 4, image.data());
    const Image expected = {
        W, B, W, B, W, B, W, B,  //
        B, W, B, W, B, W, B, W,  //
        W, B, W, B, W, B, W, B,  //
        W, B, B, W, B, W, B, W,  //
    };
    EXPECT_EQ(image, expected);
}

// A value pushed above 255 or below 0 is clamped and passes error 0 on; the third pixel of
// each row would flip if the clamped pixel passed its overshoot on.
TEST(HalftoneLegacy, ErrorDiffusionClampsAndPassesNothingOn) {
    const struct {
        Image grey;
        Image expected;
    } cases[] = {
        {{100, 250, 117}, {B, W, B}},  // 250 + 100 * 7 / 48 > 255
        {{200, 5, 134}, {W, B, W}},    // 5 - 55 * 7 / 48 < 0
        {{128, 128}, {W, B}},          // first pixel: v = 128, error -127
    };
    for (const auto& c : cases) {
        Image image = c.grey;
        HalfToneLegacy().fillErrorDiffusionProc(static_cast<int>(image.size()), 1, image.data());
        EXPECT_EQ(image, c.expected);
    }
    // Images that reach both clamps often, against the formulas.
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> pick(0, 3);
    const unsigned char levels[] = {0, 3, 252, 255};
    Image src(23 * 17);
    for (auto& v : src) {
        v = levels[pick(rng)];
    }
    Image image = src;
    HalfToneLegacy().fillErrorDiffusionProc(23, 17, image.data());
    EXPECT_EQ(image, referenceLegacyErrorDiffusion(src, 23, 17));
}

TEST(HalftoneLegacy, ErrorDiffusionMatchesTheFormulas) {
    std::mt19937 rng(13);
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {1, 9}, {2, 5}, {3, 3}, {5, 40}, {64, 31}, {301, 7}};
    for (const auto& s : sizes) {
        const Image src = randomImage(rng, static_cast<size_t>(s.width) * s.height);
        Image image = src;
        HalfToneLegacy().fillErrorDiffusionProc(s.width, s.height, image.data());
        EXPECT_EQ(image, referenceLegacyErrorDiffusion(src, s.width, s.height))
            << s.width << " x " << s.height;
    }
}

TEST(Halftone, OutputIsAlwaysTwoLevel) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> side(1, 70);
    std::uniform_int_distribution<int> threshold(-300, 70000);
    std::unique_ptr<HalfToneInterface> engines[] = {std::make_unique<HalfTone>(),
                                                    std::make_unique<HalfToneLegacy>()};
    for (int round = 0; round < 10; ++round) {
        const int w = side(rng);
        const int h = side(rng);
        const Image src = randomImage(rng, static_cast<size_t>(w) * h);
        for (auto& engine : engines) {
            for (Method m : {Method::Threshold, Method::Dither, Method::ErrorDiffusion}) {
                Image image = src;
                run(*engine, m, w, h, image.data(), threshold(rng));
                ASSERT_TRUE(std::all_of(image.begin(), image.end(),
                                        [](unsigned char v) { return v == B || v == W; }));
            }
        }
    }
}

}  // namespace
