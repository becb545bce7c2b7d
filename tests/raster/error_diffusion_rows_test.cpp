// The error-diffusion kernel works a row in chunks, gathering everything that does not
// depend on the pixels just done before it follows the chain from pixel to pixel. These
// tests hold it to the rules taken one pixel at a time, on the state record itself: rows
// longer than a chunk, error rows left full by earlier (wider) images, sums that wrap in
// 16 bits, strides, and buffers that overlap.

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "raster/htnlib.h"

namespace {

using Image = std::vector<unsigned char>;
using State = HTNLIB_ErrorDiffusionState;

// Two cells left of column 0 in each error row.
constexpr int kPad = 2;

// The rules, pixel by pixel, on a state record; src and dst may overlap in any way, since
// each pixel is read just before it is written.
void ruleByRule(const unsigned char* src, unsigned char* dst, int width, int stride, int rows,
                State& s) {
    for (int r = 0; r < rows; ++r) {
        const unsigned n = s.rowCounter;
        short* cur = s.errorRows[(n + 2) % 3] + kPad;
        const short* prev = s.errorRows[(n + 1) % 3] + kPad;
        const short* prev2 = s.errorRows[n % 3] + kPad;
        for (int x = 0; x < width; ++x) {
            const int g = src[static_cast<size_t>(r) * stride + x];
            const int right = x + 1 < width ? prev[x + 1] : 0;
            const int sum =
                prev[x - 1] + 2 * prev[x] + right + 2 * prev2[x] + cur[x - 2] + cur[x - 1];
            const int wrapped = static_cast<int16_t>(static_cast<uint16_t>(sum & 0xFFFF));
            const int floored = wrapped >= 0 ? wrapped / 8 : -((-wrapped + 7) / 8);
            const int e = floored + tbl_LUT_ERRORDIFFUSION[g];
            const int t = 128 + tbl_BlueNoise[(n % 32) * 32 + x % 32] +
                          tbl_WhiteNoise[(static_cast<unsigned long>(n) * width + x) % 1024];
            const bool dot = g == 0 || (g != 255 && e <= t);
            dst[static_cast<size_t>(r) * stride + x] = dot ? 0xFF : 0x00;
            cur[x] = static_cast<short>(dot ? e : e - 255);
        }
        s.rowCounter = static_cast<unsigned short>(n + 1);
    }
}

Image randomBytes(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    Image image(size);
    for (auto& b : image) {
        b = static_cast<unsigned char>(byte(rng));
    }
    return image;
}

// A grey picture with flat black and white stretches, smooth ramps and noise.
Image mixedPicture(std::mt19937& rng, int width, int rows) {
    Image image(static_cast<size_t>(width) * rows);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = (x / 97 + y) % 4;
            const unsigned char v = band == 0   ? 0
                                    : band == 1 ? 255
                                    : band == 2 ? static_cast<unsigned char>((x + 3 * y) & 0xFF)
                                                : static_cast<unsigned char>(byte(rng));
            image[static_cast<size_t>(y) * width + x] = v;
        }
    }
    return image;
}

std::unique_ptr<State> freshState() {
    auto s = std::make_unique<State>();
    HTNLIB_InitErrorDiffusion(s.get());
    return s;
}

// A state whose error rows, pad cells included, hold any 16-bit values, and whose counter
// stands anywhere: what a long run of earlier images, or a hostile caller, may leave.
std::unique_ptr<State> filledState(std::mt19937& rng, bool extreme) {
    auto s = freshState();
    std::uniform_int_distribution<int> small(-200, 200);
    std::uniform_int_distribution<int> any(-32768, 32767);
    for (auto& row : s->errorRows) {
        for (short& cell : row) {
            cell = static_cast<short>(extreme ? any(rng) : small(rng));
        }
    }
    s->rowCounter = static_cast<unsigned short>(rng());
    return s;
}

void expectSameState(const State& a, const State& b) {
    EXPECT_EQ(a.rowCounter, b.rowCounter);
    EXPECT_EQ(std::memcmp(a.errorRows, b.errorRows, sizeof a.errorRows), 0);
}

TEST(ErrorDiffusionRows, MatchTheRulesPixelByPixel) {
    std::mt19937 rng(1234);
    const struct {
        int width;
        int rows;
        int state;  // 0 fresh, 1 small errors, 2 any 16-bit values
    } cases[] = {
        {255, 5, 0},  {256, 5, 0},  {257, 7, 1},  {511, 4, 2},   {513, 9, 0},   {2464, 12, 0},
        {2318, 6, 1}, {696, 40, 2}, {1000, 3, 2}, {32767, 2, 0}, {32767, 2, 2},
    };
    for (const auto& c : cases) {
        const Image src = c.state == 2 ? randomBytes(rng, static_cast<size_t>(c.width) * c.rows)
                                       : mixedPicture(rng, c.width, c.rows);
        auto state = c.state == 0 ? freshState() : filledState(rng, c.state == 2);
        State expectedState = *state;
        Image expected(src.size());
        ruleByRule(src.data(), expected.data(), c.width, c.width, c.rows, expectedState);

        Image got(src.size());
        ASSERT_EQ(
            HTNLIB_ErrorDiffusion(src.data(), got.data(), c.width, c.width, c.rows, state.get()),
            0);
        EXPECT_EQ(got, expected) << c.width << " x " << c.rows << ", state " << c.state;
        expectSameState(*state, expectedState);
    }
}

// A narrower image after a wider one: the cells right of the new width hold the old
// errors and must not be read.
TEST(ErrorDiffusionRows, NarrowerImageAfterAWiderOne) {
    std::mt19937 rng(77);
    auto state = freshState();
    State expectedState = *state;
    for (int width : {900, 300, 257, 600}) {
        const Image src = mixedPicture(rng, width, 5);
        Image expected(src.size());
        ruleByRule(src.data(), expected.data(), width, width, 5, expectedState);
        Image got(src.size());
        HTNLIB_ErrorDiffusion(src.data(), got.data(), static_cast<unsigned short>(width),
                              static_cast<unsigned short>(width), 5, state.get());
        EXPECT_EQ(got, expected) << width;
        expectSameState(*state, expectedState);
    }
}

// In place, with a stride, and with source and destination overlapping by a few bytes in
// either direction: the bytes of the pixel-by-pixel order.
TEST(ErrorDiffusionRows, InPlaceStridesAndOverlaps) {
    std::mt19937 rng(99);
    const int width = 300;
    const int rows = 6;
    const struct {
        int stride;
        long dstOffset;  // dst - src
    } cases[] = {{300, 0}, {320, 0},    {280, 0},   {300, 1},     {300, -1},
                 {300, 7}, {300, -299}, {300, 300}, {300, 100000}};
    for (const auto& c : cases) {
        const size_t span = static_cast<size_t>(rows - 1) * c.stride + width;
        const size_t room = span + 2 * 100000;
        const Image start = mixedPicture(rng, static_cast<int>(room), 1);
        const long base = 100000;
        const long dstAt = base + c.dstOffset;

        Image expected = start;
        auto expectedState = freshState();
        ruleByRule(expected.data() + base, expected.data() + dstAt, width, c.stride, rows,
                   *expectedState);

        Image got = start;
        auto state = freshState();
        ASSERT_EQ(HTNLIB_ErrorDiffusion(got.data() + base, got.data() + dstAt, width,
                                        static_cast<unsigned short>(c.stride), rows, state.get()),
                  0);
        EXPECT_EQ(got, expected) << "stride " << c.stride << ", offset " << c.dstOffset;
        expectSameState(*state, *expectedState);
    }
}

}  // namespace
