#include "raster/htnlib.h"

#include <cstring>

namespace {

// Results of the kernels.
constexpr int kDone = 0;
constexpr int kMissingBuffer = 2;
constexpr int kWidthTooLarge = 3;

// Cells before column 0 in each error row; they are never written and read as 0.
constexpr int kLeftPad = 2;

// The checks every kernel makes first, in this order; -1 means go on.
int checkArguments(const void* src, const void* dst, unsigned short width, const void* state) {
    if ((width & 0x8000u) != 0) {
        return kWidthTooLarge;
    }
    if (src == nullptr || dst == nullptr || state == nullptr) {
        return kMissingBuffer;
    }
    return -1;
}

// A value taken as 16-bit two's complement.
int wrap16(int value) {
    const int low = value & 0xFFFF;
    return low >= 0x8000 ? low - 0x10000 : low;
}

// value / 8 rounded towards minus infinity.
int floorDiv8(int value) {
    return value >= 0 ? value / 8 : -((-value + 7) / 8);
}

}  // namespace

extern "C" {

int HTNLIB_InitNaiveBinarize(unsigned short* threshold) {
    if (threshold != nullptr) {
        *threshold = 128;
    }
    return kDone;
}

int HTNLIB_NaiveBinarize(const unsigned char* src, unsigned char* dst, unsigned short width,
                         unsigned short stride, unsigned short rows,
                         const unsigned short* threshold) {
    const int check = checkArguments(src, dst, width, threshold);
    if (check >= 0) {
        return check;
    }
    const unsigned t = *threshold;
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned char* in = src + static_cast<size_t>(r) * stride;
        unsigned char* out = dst + static_cast<size_t>(r) * stride;
        for (unsigned x = 0; x < width; ++x) {
            out[x] = in[x] < t ? 0xFF : 0x00;
        }
    }
    return kDone;
}

int HTNLIB_InitDither(unsigned short* rowCounter) {
    if (rowCounter != nullptr) {
        *rowCounter = 0;
    }
    return kDone;
}

int HTNLIB_Dither(const unsigned char* src, unsigned char* dst, unsigned short width,
                  unsigned short stride, unsigned short rows, unsigned short* rowCounter) {
    const int check = checkArguments(src, dst, width, rowCounter);
    if (check >= 0) {
        return check;
    }
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned char* in = src + static_cast<size_t>(r) * stride;
        unsigned char* out = dst + static_cast<size_t>(r) * stride;
        const unsigned char* matrixRow = tbl_Dither + (*rowCounter % 8u) * 8u;
        for (unsigned x = 0; x < width; ++x) {
            out[x] = tbl_LUT_DITHER[in[x]] < matrixRow[x % 8u] ? 0xFF : 0x00;
        }
        *rowCounter = static_cast<unsigned short>(*rowCounter + 1u);
    }
    return kDone;
}

int HTNLIB_InitErrorDiffusion(HTNLIB_ErrorDiffusionState* state) {
    if (state == nullptr) {
        return kDone;
    }
    state->rowCounter = 0;
    std::memset(state->errorRows, 0, sizeof state->errorRows);
    std::memset(state->reserved, 0, sizeof state->reserved);
    // The second 16-bit word of the reserved block holds 1.
    const unsigned short one = 1;
    std::memcpy(state->reserved + sizeof one, &one, sizeof one);
    return kDone;
}

int HTNLIB_ErrorDiffusion(const unsigned char* src, unsigned char* dst, unsigned short width,
                          unsigned short stride, unsigned short rows,
                          HTNLIB_ErrorDiffusionState* state) {
    const int check = checkArguments(src, dst, width, state);
    if (check >= 0) {
        return check;
    }
    const int w = width;
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned n = state->rowCounter;
        const unsigned char* in = src + static_cast<size_t>(r) * stride;
        unsigned char* out = dst + static_cast<size_t>(r) * stride;
        // Column x of an error row lives in cell x + kLeftPad; the cells left of column 0
        // are never written. Column w is read through a bounds check, since a wider image
        // may have left a value there.
        short* cur = state->errorRows[(n + 2) % 3] + kLeftPad;
        const short* prev = state->errorRows[(n + 1) % 3] + kLeftPad;
        const short* prev2 = state->errorRows[n % 3] + kLeftPad;
        const signed char* blueRow = tbl_BlueNoise + (n % 32u) * 32u;
        // (n * width + x) mod 1024 runs on along the image.
        const unsigned whiteStart =
            static_cast<unsigned>((n * static_cast<unsigned long>(w)) % 1024u);
        for (int x = 0; x < w; ++x) {
            const int g = in[x];
            const int right = x + 1 < w ? prev[x + 1] : 0;
            const int sum =
                wrap16(prev[x - 1] + 2 * prev[x] + right + 2 * prev2[x] + cur[x - 2] + cur[x - 1]);
            const int e = floorDiv8(sum) + tbl_LUT_ERRORDIFFUSION[g];
            const int t = 128 + blueRow[x % 32] + tbl_WhiteNoise[(whiteStart + x) % 1024u];
            const bool dot = g == 0 || (g != 255 && e <= t);
            out[x] = dot ? 0xFF : 0x00;
            cur[x] = static_cast<short>(dot ? e : e - 255);
        }
        state->rowCounter = static_cast<unsigned short>(n + 1u);
    }
    return kDone;
}

}  // extern "C"
