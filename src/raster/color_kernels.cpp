#include "raster/color_kernels.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kDone = 0;
constexpr int kRefused = -1;

// Whether width, stride and rows describe an image the kernels can walk with int offsets.
bool isShapeAllowed(int64_t width, int64_t stride, int64_t rows) {
    return width > 0 && width <= INT_MAX && rows >= 0 && stride >= 3 * width &&
           width * rows <= INT_MAX && stride * rows <= INT_MAX;
}

// Bytes from one plane row to the next.
size_t planePitch(int64_t width, int64_t stride) {
    return static_cast<size_t>(width + (stride - 3 * width));
}

// A 64-bit value wrapped to 32-bit two's complement, as the error sums are kept.
int wrap32(int64_t value) {
    const uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(value));
    return low >= 0x80000000u ? static_cast<int>(static_cast<int64_t>(low) - 0x100000000ll)
                              : static_cast<int>(low);
}

// A row counter advanced by `rows`, wrapping like unsigned arithmetic.
int advanceCounter(int counter, int rows) {
    return wrap32(static_cast<int64_t>(static_cast<uint32_t>(counter)) + rows);
}

void separatePixel(int r, int g, int b, unsigned char* red, unsigned char* black) {
    const int mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
    if (mx == mn) {
        *red = 0;
        *black = static_cast<unsigned char>(255 - mx);
        return;
    }
    if (!(r > g && r > b)) {
        // Red is not the one largest: the hue lies 60 degrees or more from red (G largest or
        // B smallest with G >= R: 60..120; R smallest: 120..180 after folding; B largest:
        // 60..120 after folding), so the redness is at most 2/3 and the pixel is black ink.
        *red = 0;
        *black = static_cast<unsigned char>(255 - (299 * r + 587 * g + 114 * b) / 1000);
        return;
    }
    // Single precision throughout, as the results depend on it.
    const float diff = static_cast<float>(mx - mn);
    float hue;
    if (b == mn) {
        hue = static_cast<float>(g - r) / diff * 60.0f + 60.0f;
    } else if (r == mn) {
        hue = static_cast<float>(b - g) / diff * 60.0f + 180.0f;
    } else {
        hue = static_cast<float>(r - b) / diff * 60.0f + 300.0f;
    }
    if (hue > 180.0f) {
        hue = 360.0f - hue;  // distance from pure red
    }
    const float redness = (180.0f - hue) / 180.0f;
    if (redness > 0.8f) {
        const float ink = redness * (diff / static_cast<float>(mx) * 255.0f);
        *red = ink <= 0.0f ? 0 : ink >= 255.0f ? 255 : static_cast<unsigned char>(ink);
        *black = static_cast<unsigned char>(255 - mx);
    } else {
        *red = 0;
        *black = static_cast<unsigned char>(255 - (299 * r + 587 * g + 114 * b) / 1000);
    }
}

// ---- error diffusion of one plane row ----
//
// The rules add each pixel's error, times its weight, to the sums of twelve pixels not yet
// done. Sums are kept modulo 2^32, so the shares may be added in any order. diffuseRow
// therefore follows only the chain that decides the pixels of the row (a pixel's sum needs
// the errors of the two pixels before it) and adds the shares of the two rows below
// afterwards, a chunk of the row at a time, in loops the compiler can vectorise.

constexpr int kChunk = 256;
constexpr int kPad = 4;  // zero errors on either side of a chunk

// The sum of the current row at x: the stored sum plus the shares of the two pixels before
// it in this row, modulo 2^32.
inline int currentSum(int stored, int e1, int e2) {
    return static_cast<int>(static_cast<uint32_t>(stored) + 7u * static_cast<uint32_t>(e1) +
                            5u * static_cast<uint32_t>(e2));
}

// Adds the shares of the errors e[kPad .. kPad + count) (pixels x0 .. x0 + count - 1) to the
// next row (weights 3 5 7 5 3) and the row after (1 3 5 3 1), columns within 0 .. w - 1.
void spreadBelow(const int* e, int64_t x0, int count, int64_t w, int* next, int* after) {
    const int64_t from = x0 - 2 < 0 ? 0 : x0 - 2;
    const int64_t to = x0 + count + 2 > w ? w : x0 + count + 2;
    for (int64_t c = from; c < to; ++c) {
        const uint32_t* m = reinterpret_cast<const uint32_t*>(e) + (c - x0 + kPad);
        const uint32_t toNext = 3u * m[-2] + 5u * m[-1] + 7u * m[0] + 5u * m[1] + 3u * m[2];
        const uint32_t toAfter = m[-2] + 3u * m[-1] + 5u * m[0] + 3u * m[1] + m[2];
        next[c] = static_cast<int>(static_cast<uint32_t>(next[c]) + toNext);
        after[c] = static_cast<int>(static_cast<uint32_t>(after[c]) + toAfter);
    }
}

// Zeroes the current row and rotates the rows of the state.
void finishRow(int64_t w, BinarizeErrorRows& state) {
    int* cur = state.current;
    for (int64_t x = 0; x < w; ++x) {
        cur[x] = 0;
    }
    state.current = state.next;
    state.next = state.afterNext;
    state.afterNext = cur;
}

// The lowest sum S for which trunc(S / 48) >= k, so that the dot can be decided from the sum
// while the division is still under way.
inline int lowestSumFor(int k) {
    return k > 0 ? 48 * k : 48 * k - 47;
}

// One row of each of N planes, each with its own state; with two planes the two chains run
// side by side, which keeps the processor busy while each waits for its division.
template <int N>
void diffuseRows(unsigned char* const (&rows)[N], BinarizeErrorRows* const (&states)[N], int64_t w,
                 unsigned char threshold) {
    // Per plane byte: its tone and the lowest sum that gives a dot.
    struct Rule {
        int tone;
        int lowest;
    };
    Rule rule[256];
    for (int g = 0; g < 256; ++g) {
        rule[g].tone = tbl_LUT_BINARIZE[g];
        rule[g].lowest = lowestSumFor(threshold - rule[g].tone);
    }
    int e[N][kPad + kChunk + kPad] = {};
    int e1[N] = {};  // error of the pixel before
    int e2[N] = {};  // error of the pixel before that
    // Local copies, so that the stores below cannot be taken to change them.
    unsigned char* row[N];
    const int* cur[N];
    for (int p = 0; p < N; ++p) {
        row[p] = rows[p];
        cur[p] = states[p]->current;
    }
    for (int64_t x0 = 0; x0 < w; x0 += kChunk) {
        const int count = w - x0 < kChunk ? static_cast<int>(w - x0) : kChunk;
        for (int i = 0; i < count; ++i) {
            for (int p = 0; p < N; ++p) {
                const Rule r = rule[row[p][x0 + i]];  // off the chain: known ahead
                const int sum = currentSum(cur[p][x0 + i], e1[p], e2[p]);
                // v = tone + sum / 48 (truncated towards zero); a dot when v >= threshold.
                const int dot = sum >= r.lowest ? 1 : 0;
                const int error = sum / 48 + (r.tone - (255 & -dot));
                row[p][x0 + i] = static_cast<unsigned char>(dot);
                e[p][kPad + i] = error;
                e2[p] = e1[p];
                e1[p] = error;
            }
        }
        for (int p = 0; p < N; ++p) {
            for (int i = count; i < kChunk + kPad; ++i) {
                e[p][kPad + i] = 0;
            }
            spreadBelow(e[p], x0, count, w, states[p]->next, states[p]->afterNext);
        }
    }
    for (int p = 0; p < N; ++p) {
        finishRow(w, *states[p]);
    }
}

// Adds e * weight to sums[x] when x lies within the row.
void spread(int* sums, int64_t x, int64_t width, int64_t e, int weight) {
    if (x >= 0 && x < width) {
        sums[x] = wrap32(static_cast<int64_t>(sums[x]) + e * weight);
    }
}

// The rules pixel by pixel, for a row or error rows that share memory with one another.
void diffuseRowPixelByPixel(unsigned char* row, int64_t w, unsigned char threshold,
                            BinarizeErrorRows& state) {
    int* cur = state.current;
    int* next = state.next;
    int* after = state.afterNext;
    for (int64_t x = 0; x < w; ++x) {
        // The division truncates towards zero.
        const int v = tbl_LUT_BINARIZE[row[x]] + cur[x] / 48;
        int64_t e;
        if (v >= static_cast<int>(threshold)) {
            row[x] = 1;
            e = static_cast<int64_t>(v) - 255;
        } else {
            row[x] = 0;
            e = v;
        }
        if (e == 0) {
            continue;
        }
        spread(cur, x + 1, w, e, 7);
        spread(cur, x + 2, w, e, 5);
        spread(next, x - 2, w, e, 3);
        spread(next, x - 1, w, e, 5);
        spread(next, x, w, e, 7);
        spread(next, x + 1, w, e, 5);
        spread(next, x + 2, w, e, 3);
        spread(after, x - 2, w, e, 1);
        spread(after, x - 1, w, e, 3);
        spread(after, x, w, e, 5);
        spread(after, x + 1, w, e, 3);
        spread(after, x + 2, w, e, 1);
    }
    finishRow(w, state);
}

// Whether [a, a + aBytes) and [b, b + bBytes) share no byte.
bool apart(const void* a, size_t aBytes, const void* b, size_t bBytes) {
    const auto pa = reinterpret_cast<uintptr_t>(a);
    const auto pb = reinterpret_cast<uintptr_t>(b);
    return pa + aBytes <= pb || pb + bBytes <= pa;
}

// Whether the six error rows of two states are all there and lie apart from one another.
bool statesApart(const BinarizeErrorRows& a, const BinarizeErrorRows& b, int64_t w) {
    const int* arrays[6] = {a.current, a.next, a.afterNext, b.current, b.next, b.afterNext};
    const size_t sums = static_cast<size_t>(w) * sizeof(int);
    for (int i = 0; i < 6; ++i) {
        if (arrays[i] == nullptr) {
            return false;
        }
        for (int j = 0; j < i; ++j) {
            if (!apart(arrays[i], sums, arrays[j], sums)) {
                return false;
            }
        }
    }
    return true;
}

// Whether the plane row and the three error rows of a state lie apart from one another.
bool rowsApart(const unsigned char* row, int64_t w, const BinarizeErrorRows& state) {
    const size_t sums = static_cast<size_t>(w) * sizeof(int);
    const size_t bytes = static_cast<size_t>(w);
    return apart(state.current, sums, state.next, sums) &&
           apart(state.current, sums, state.afterNext, sums) &&
           apart(state.next, sums, state.afterNext, sums) &&
           apart(row, bytes, state.current, sums) && apart(row, bytes, state.next, sums) &&
           apart(row, bytes, state.afterNext, sums);
}

// A red and a black plane of width x rows bytes from the C allocator, freed on every path.
struct Planes {
    unsigned char* red = nullptr;
    unsigned char* black = nullptr;
    bool allocate(int width, int rows) {
        const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(rows);
        // One byte at least, so that an empty image is not a failed allocation.
        red = static_cast<unsigned char*>(std::malloc(bytes > 0 ? bytes : 1));
        black = static_cast<unsigned char*>(std::malloc(bytes > 0 ? bytes : 1));
        return red != nullptr && black != nullptr;
    }
    ~Planes() {
        std::free(red);
        std::free(black);
    }
};

// Separation, a binarisation of each plane, then the merge into `out`.
template <typename Binarize>
int makeTernary(const unsigned char* rgb, int width, int stride, int rows, unsigned char* out,
                Binarize binarize) {
    Planes planes;
    if (!planes.allocate(width, rows)) {
        return kRefused;
    }
    const int planeStride = 3 * width;
    if (ConvRgbToRedBlack(rgb, width, stride, rows, planes.red, planes.black) != kDone ||
        !binarize(planes.red, planes.black, planeStride) ||
        MergeBinaryToTermany(planes.black, planes.red, width, planeStride, rows, out) != kDone) {
        return kRefused;
    }
    return kDone;
}

}  // namespace

extern "C" {

int ConvRgbToRedBlack(const unsigned char* rgb, int width, int stride, int rows, unsigned char* red,
                      unsigned char* black) {
    if (rgb == nullptr || red == nullptr || black == nullptr ||
        !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    for (int y = 0; y < rows; ++y) {
        const unsigned char* in = rgb + static_cast<size_t>(y) * static_cast<size_t>(stride);
        unsigned char* redRow = red + static_cast<size_t>(y) * static_cast<size_t>(width);
        unsigned char* blackRow = black + static_cast<size_t>(y) * static_cast<size_t>(width);
        // Neighbouring pixels are often alike (flat areas, strokes, slow ramps): a pixel equal
        // to the one before takes its inks without working them out again.
        int last = -1;
        unsigned char lastRed = 0;
        unsigned char lastBlack = 0;
        for (int x = 0; x < width; ++x) {
            const int r = in[3 * x];
            const int g = in[3 * x + 1];
            const int b = in[3 * x + 2];
            const int key = (r << 16) | (g << 8) | b;
            if (key != last) {
                separatePixel(r, g, b, &lastRed, &lastBlack);
                last = key;
            }
            redRow[x] = lastRed;
            blackRow[x] = lastBlack;
        }
    }
    return kDone;
}

int BinarizeThreshold(unsigned char* plane, int width, int stride, int rows,
                      unsigned char threshold) {
    if (plane == nullptr || !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const size_t pitch = planePitch(width, stride);
    for (int y = 0; y < rows; ++y) {
        unsigned char* row = plane + static_cast<size_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            row[x] = row[x] >= threshold ? 1 : 0;
        }
    }
    return kDone;
}

int BinarizeDither(unsigned char* plane, int width, int stride, int rows, unsigned int matrixWidth,
                   unsigned int matrixHeight, const unsigned char* matrix, int* rowCounter) {
    if (plane == nullptr || matrix == nullptr || rowCounter == nullptr || matrixWidth == 0 ||
        matrixHeight == 0 || !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const size_t pitch = planePitch(width, stride);
    const unsigned start = static_cast<unsigned>(*rowCounter);
    for (int y = 0; y < rows; ++y) {
        unsigned char* row = plane + static_cast<size_t>(y) * pitch;
        const unsigned m = (start + static_cast<unsigned>(y)) % matrixHeight;
        const unsigned char* matrixRow = matrix + static_cast<size_t>(m) * matrixWidth;
        for (int x = 0; x < width; ++x) {
            row[x] = row[x] >= matrixRow[static_cast<unsigned>(x) % matrixWidth] ? 1 : 0;
        }
    }
    *rowCounter = advanceCounter(*rowCounter, rows);
    return kDone;
}

int BinarizeErrorDiffusion(unsigned char* plane, unsigned int width, int stride, int rows,
                           unsigned char threshold, BinarizeErrorRows* state) {
    if (plane == nullptr || state == nullptr || state->current == nullptr ||
        state->next == nullptr || state->afterNext == nullptr || width > INT_MAX ||
        !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const int64_t w = width;
    const size_t pitch = planePitch(w, stride);
    for (int y = 0; y < rows; ++y) {
        unsigned char* row = plane + static_cast<size_t>(y) * pitch;
        if (rowsApart(row, w, *state)) {
            unsigned char* const one[1] = {row};
            BinarizeErrorRows* const oneState[1] = {state};
            diffuseRows(one, oneState, w, threshold);
        } else {
            diffuseRowPixelByPixel(row, w, threshold, *state);
        }
    }
    return kDone;
}

int MergeBinaryToTermany(const unsigned char* black, const unsigned char* red, int width,
                         int stride, int rows, unsigned char* out) {
    if (red == nullptr || out == nullptr || black == nullptr ||
        !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const size_t pitch = planePitch(width, stride);
    for (int y = 0; y < rows; ++y) {
        const unsigned char* blackRow = black + static_cast<size_t>(y) * pitch;
        const unsigned char* redRow = red + static_cast<size_t>(y) * pitch;
        unsigned char* outRow = out + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            // 2 where black is 1, else 1 where red is 1, else 0; worked out without a branch.
            const int blackDot = blackRow[x] == 1 ? 1 : 0;
            const int redDot = redRow[x] == 1 ? 1 : 0;
            outRow[x] = static_cast<unsigned char>(2 * blackDot + (redDot & (blackDot ^ 1)));
        }
    }
    return kDone;
}

int MakeBicolorTernaryThreshold(const unsigned char* rgb, int width, int stride, int rows,
                                int threshold, unsigned char* out) {
    if (rgb == nullptr || out == nullptr || !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const auto t = static_cast<unsigned char>(threshold & 0xFF);
    return makeTernary(rgb, width, stride, rows, out,
                       [&](unsigned char* red, unsigned char* black, int planeStride) {
                           return BinarizeThreshold(red, width, planeStride, rows, t) == kDone &&
                                  BinarizeThreshold(black, width, planeStride, rows, t) == kDone;
                       });
}

int MakeBicolorTernaryDither(const unsigned char* rgb, int width, int stride, int rows,
                             unsigned int matrixWidth, unsigned int matrixHeight,
                             const unsigned char* matrix, int* rowCounter, unsigned char* out) {
    if (rgb == nullptr || matrix == nullptr || out == nullptr || rowCounter == nullptr ||
        matrixWidth == 0 || matrixHeight == 0 || !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    int redCounter = *rowCounter;
    const int result =
        makeTernary(rgb, width, stride, rows, out,
                    [&](unsigned char* red, unsigned char* black, int planeStride) {
                        int blackCounter = *rowCounter;
                        return BinarizeDither(red, width, planeStride, rows, matrixWidth,
                                              matrixHeight, matrix, &redCounter) == kDone &&
                               BinarizeDither(black, width, planeStride, rows, matrixWidth,
                                              matrixHeight, matrix, &blackCounter) == kDone;
                    });
    if (result == kDone) {
        *rowCounter = redCounter;
    }
    return result;
}

int MakeBicolorTernaryErrorDiffusion(const unsigned char* rgb, int width, int stride, int rows,
                                     int threshold, BinarizeErrorRows* redState,
                                     BinarizeErrorRows* blackState, unsigned char* out) {
    if (rgb == nullptr || redState == nullptr || blackState == nullptr || out == nullptr ||
        !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const auto t = static_cast<unsigned char>(threshold & 0xFF);
    const auto w = static_cast<unsigned>(width);
    return makeTernary(
        rgb, width, stride, rows, out,
        [&](unsigned char* red, unsigned char* black, int planeStride) {
            if (statesApart(*redState, *blackState, width)) {
                // The planes are independent: both go row by row side by side.
                for (int y = 0; y < rows; ++y) {
                    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width);
                    unsigned char* const planeRows[2] = {red + at, black + at};
                    BinarizeErrorRows* const states[2] = {redState, blackState};
                    diffuseRows(planeRows, states, width, t);
                }
                return true;
            }
            return BinarizeErrorDiffusion(red, w, planeStride, rows, t, redState) == kDone &&
                   BinarizeErrorDiffusion(black, w, planeStride, rows, t, blackState) == kDone;
        });
}

int ConvReducedColorErrorDiffusion(unsigned char* rgb, int width, int stride, int rows,
                                   int reserved, int threshold) {
    if (reserved != 0 || rgb == nullptr || !isShapeAllowed(width, stride, rows)) {
        return kRefused;
    }
    const size_t w = static_cast<size_t>(width);
    // Six zeroed rows of error sums (three a plane) and the ternary image.
    int* sums = static_cast<int*>(std::calloc(6 * w, sizeof(int)));
    unsigned char* ternary = static_cast<unsigned char*>(std::malloc(rows > 0 ? w * rows : 1));
    int result = kRefused;
    if (sums != nullptr && ternary != nullptr) {
        BinarizeErrorRows redState = {sums, sums + w, sums + 2 * w};
        BinarizeErrorRows blackState = {sums + 3 * w, sums + 4 * w, sums + 5 * w};
        result = MakeBicolorTernaryErrorDiffusion(rgb, width, stride, rows, threshold, &redState,
                                                  &blackState, ternary);
    }
    if (result == kDone) {
        for (int y = 0; y < rows; ++y) {
            unsigned char* row = rgb + static_cast<size_t>(y) * static_cast<size_t>(stride);
            const unsigned char* values = ternary + static_cast<size_t>(y) * w;
            for (size_t x = 0; x < w; ++x) {
                // 1 red, 2 black, 0 white.
                const unsigned char r = values[x] == 2 ? 0 : 255;
                const unsigned char gb = values[x] == 0 ? 255 : 0;
                row[3 * x] = r;
                row[3 * x + 1] = gb;
                row[3 * x + 2] = gb;
            }
        }
    }
    std::free(sums);
    std::free(ternary);
    return result;
}

}  // extern "C"
