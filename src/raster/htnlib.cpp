#include "raster/htnlib.h"

#include <cstdint>
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

// One row of the error diffusion in two passes over chunks of the row: everything that
// does not depend on the pixels just done in this row (the previous rows' share of the sum,
// the threshold, the tone) is gathered first, in loops the compiler can vectorise; the
// second pass then follows the one chain that is left, from pixel to pixel, without a
// branch. Same results as the rules taken pixel by pixel: the sum is formed modulo 2^16
// either way.
constexpr int kChunk = 256;  // a multiple of the blue-noise period (32)

// Per grey value: the tone, and what the threshold is shifted by to give the limit that
// sum >> 3 must not pass for a dot. Black always gets a dot and white never: |sum >> 3| is
// below 4,097 and the threshold between 92 and 164.
struct GreyRule {
    struct Entry {
        short tone;
        short limitShift;
    };
    Entry of[256];
};

// The white noise with its first kChunk values repeated after its end, so that the values
// of one chunk lie one after another from any start.
struct WhiteNoiseRun {
    signed char values[1024 + kChunk];
};

WhiteNoiseRun makeWhiteNoiseRun() {
    WhiteNoiseRun run{};
    for (int i = 0; i < 1024 + kChunk; ++i) {
        run.values[i] = tbl_WhiteNoise[i % 1024];
    }
    return run;
}

GreyRule makeGreyRule() {
    GreyRule rule{};
    for (int g = 0; g < 256; ++g) {
        rule.of[g].tone = tbl_LUT_ERRORDIFFUSION[g];
        rule.of[g].limitShift = static_cast<short>(g == 0     ? 20000
                                                   : g == 255 ? -20000
                                                              : -tbl_LUT_ERRORDIFFUSION[g]);
    }
    return rule;
}

// One image row under way: where it reads and writes, its noise, the errors of the two
// pixels just done, and the inputs gathered for its current stretch of columns.
struct RowJob {
    const unsigned char* in = nullptr;
    unsigned char* out = nullptr;
    short* cur = nullptr;
    const short* prev = nullptr;
    const short* prev2 = nullptr;
    signed char blue[32 + kChunk];  // the row's blue noise, repeated
    const signed char* white = nullptr;
    unsigned whiteStart = 0;
    int before2 = 0;
    int before1 = 0;
    short above[kChunk];      // the previous rows' share of the sum, modulo 2^16
    short threshold[kChunk];  // the noisy threshold of the pixel
};

// Sets up the row with counter n of a w-pixel image.
void startRow(RowJob& job, const unsigned char* in, unsigned char* out, int w, unsigned n,
              HTNLIB_ErrorDiffusionState* state, const signed char* whiteNoise) {
    job.in = in;
    job.out = out;
    // Column x of an error row lives in cell x + kLeftPad; the cells left of column 0 are
    // never written. Column w is not read, since a wider image may have left a value there.
    job.cur = state->errorRows[(n + 2) % 3] + kLeftPad;
    job.prev = state->errorRows[(n + 1) % 3] + kLeftPad;
    job.prev2 = state->errorRows[n % 3] + kLeftPad;
    const signed char* blueRow = tbl_BlueNoise + (n % 32u) * 32u;
    for (int i = 0; i < 32 + kChunk; ++i) {
        job.blue[i] = blueRow[i % 32];
    }
    job.white = whiteNoise;
    // (n * width + x) mod 1024 runs on along the image.
    job.whiteStart = static_cast<unsigned>((n * static_cast<unsigned long>(w)) % 1024u);
    job.before2 = job.cur[-2];
    job.before1 = job.cur[-1];
}

// Gathers the inputs of columns x0 .. x0 + count - 1: everything but the errors of this row.
void gather(RowJob& job, int x0, int count, int w) {
    // The last column has no right neighbour in the previous row.
    const int inner = x0 + count < w ? count : count - 1;
    const short* p = job.prev + x0;
    const short* q = job.prev2 + x0;
    for (int i = 0; i < inner; ++i) {
        job.above[i] = static_cast<short>(p[i - 1] + 2 * p[i] + p[i + 1] + 2 * q[i]);
    }
    if (inner < count) {
        job.above[inner] = static_cast<short>(p[inner - 1] + 2 * p[inner] + 2 * q[inner]);
    }
    // Threshold: blue noise repeating every 32 columns, white noise running on.
    const signed char* blue = job.blue + x0 % 32;
    const signed char* white = job.white + (job.whiteStart + static_cast<unsigned>(x0)) % 1024u;
    short* threshold = job.threshold;
    for (int i = 0; i < count; ++i) {
        threshold[i] = static_cast<short>(128 + blue[i] + white[i]);
    }
}

// The chain of one row over gathered columns, held in locals (the stores to the output
// could otherwise be taken to change the job). One pixel: its sum from the gathered share
// and the two errors before it, the dot and the error, without a branch, since the
// decisions follow no pattern a predictor could learn.
struct Chain {
    const short* above;
    const short* threshold;
    const unsigned char* in;
    const GreyRule::Entry* rule;
    unsigned char* out;
    short* cur;
    int before2;
    int before1;

    Chain(RowJob& job, int x0, const GreyRule& rules)
        : above(job.above),
          threshold(job.threshold),
          in(job.in + x0),
          rule(rules.of),
          out(job.out + x0),
          cur(job.cur + x0),
          before2(job.before2),
          before1(job.before1) {}

    void pixel(int i) {
        const GreyRule::Entry grey = rule[in[i]];  // off the chain: known ahead
        const int limit = threshold[i] + grey.limitShift;
        const int sum = static_cast<short>(above[i] + before2 + before1);  // modulo 2^16
        const int shifted = sum >> 3;              // arithmetic: rounded towards minus infinity
        const int none = (limit - shifted) >> 31;  // all ones when no dot, else 0
        const int error = shifted + grey.tone - (none & 255);
        out[i] = static_cast<unsigned char>(~none);
        cur[i] = static_cast<short>(error);
        before2 = before1;
        before1 = error;
    }

    void store(RowJob& job) const {
        job.before2 = before2;
        job.before1 = before1;
    }
};

// Follows the chain over the gathered columns.
void follow(RowJob& job, int x0, int count, const GreyRule& rule) {
    Chain c(job, x0, rule);
    for (int i = 0; i < count; ++i) {
        c.pixel(i);
    }
    c.store(job);
}

// Two rows side by side: two independent chains keep the processor busy.
void followTwo(RowJob& a, int xa, int countA, RowJob& b, int xb, int countB, const GreyRule& rule) {
    Chain ca(a, xa, rule);
    Chain cb(b, xb, rule);
    const int both = countA < countB ? countA : countB;
    for (int i = 0; i < both; ++i) {
        ca.pixel(i);
        cb.pixel(i);
    }
    for (int i = both; i < countA; ++i) {
        ca.pixel(i);
    }
    for (int i = both; i < countB; ++i) {
        cb.pixel(i);
    }
    ca.store(a);
    cb.store(b);
}

void errorDiffusionRow(const unsigned char* in, unsigned char* out, int w,
                       HTNLIB_ErrorDiffusionState* state, const GreyRule& rule,
                       const signed char* whiteNoise, RowJob& job) {
    const unsigned n = state->rowCounter;
    startRow(job, in, out, w, n, state, whiteNoise);
    for (int x0 = 0; x0 < w; x0 += kChunk) {
        const int count = w - x0 < kChunk ? w - x0 : kChunk;
        gather(job, x0, count, w);
        follow(job, x0, count, rule);
    }
    state->rowCounter = static_cast<unsigned short>(n + 1u);
}

// Two rows, the second kLag columns behind the first. The second row at column y reads the
// first row's errors up to column y + 1 and writes the error row that the first row reads
// as the row before the previous one, where the first row has already been; so each pixel
// sees exactly what it sees when the rows are done one after the other.
constexpr int kLag = kChunk + 2;

void errorDiffusionTwoRows(const unsigned char* inA, unsigned char* outA, const unsigned char* inB,
                           unsigned char* outB, int w, HTNLIB_ErrorDiffusionState* state,
                           const GreyRule& rule, const signed char* whiteNoise, RowJob& a,
                           RowJob& b) {
    const unsigned n = state->rowCounter;
    startRow(a, inA, outA, w, n, state, whiteNoise);
    startRow(b, inB, outB, w, n + 1u, state, whiteNoise);
    for (int x0 = 0; x0 - kLag < w; x0 += kChunk) {
        const int countA = x0 < w ? (w - x0 < kChunk ? w - x0 : kChunk) : 0;
        const int y0 = x0 - kLag < 0 ? 0 : x0 - kLag;
        const int yEnd = x0 - kLag + kChunk < w ? x0 - kLag + kChunk : w;
        const int countB = yEnd > y0 ? yEnd - y0 : 0;
        if (countA > 0) {
            gather(a, x0, countA, w);
        }
        if (countB > 0) {
            gather(b, y0, countB, w);
        }
        followTwo(a, x0, countA, b, y0, countB, rule);
    }
    state->rowCounter = static_cast<unsigned short>(n + 2u);
}

// The rules taken pixel by pixel, for buffers that overlap without being the same.
void errorDiffusionPixelByPixel(const unsigned char* src, unsigned char* dst, int w,
                                unsigned stride, unsigned rows, HTNLIB_ErrorDiffusionState* state) {
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned n = state->rowCounter;
        const unsigned char* in = src + static_cast<size_t>(r) * stride;
        unsigned char* out = dst + static_cast<size_t>(r) * stride;
        short* cur = state->errorRows[(n + 2) % 3] + kLeftPad;
        const short* prev = state->errorRows[(n + 1) % 3] + kLeftPad;
        const short* prev2 = state->errorRows[n % 3] + kLeftPad;
        const signed char* blueRow = tbl_BlueNoise + (n % 32u) * 32u;
        const unsigned whiteStart =
            static_cast<unsigned>((n * static_cast<unsigned long>(w)) % 1024u);
        for (int x = 0; x < w; ++x) {
            const int g = in[x];
            const int right = x + 1 < w ? prev[x + 1] : 0;
            const int sum =
                wrap16(prev[x - 1] + 2 * prev[x] + right + 2 * prev2[x] + cur[x - 2] + cur[x - 1]);
            const int e = (sum >> 3) + tbl_LUT_ERRORDIFFUSION[g];
            const int t = 128 + blueRow[x % 32] + tbl_WhiteNoise[(whiteStart + x) % 1024u];
            const bool dot = g == 0 || (g != 255 && e <= t);
            out[x] = dot ? 0xFF : 0x00;
            cur[x] = static_cast<short>(dot ? e : e - 255);
        }
        state->rowCounter = static_cast<unsigned short>(n + 1u);
    }
}

// Whether [a, a + bytes) and [b, b + bytes) share a byte.
bool overlaps(const void* a, const void* b, size_t bytes) {
    const auto pa = reinterpret_cast<uintptr_t>(a);
    const auto pb = reinterpret_cast<uintptr_t>(b);
    return pa < pb ? pb - pa < bytes : pa - pb < bytes;
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
    if (rows > 0 && width > 0 && src != dst &&
        overlaps(src, dst, static_cast<size_t>(rows - 1) * stride + width)) {
        // Partly overlapping buffers: a row may read bytes the same call wrote, which only the
        // pixel-by-pixel order gives.
        errorDiffusionPixelByPixel(src, dst, width, stride, rows, state);
        return kDone;
    }
    const int w = width;
    const GreyRule rule = makeGreyRule();
    const WhiteNoiseRun white = makeWhiteNoiseRun();
    RowJob a;
    RowJob b;
    // Two rows at a time when no row's bytes are another row's: the second row then reads
    // no byte the first writes.
    const bool pairs = stride >= width;
    unsigned r = 0;
    for (; pairs && r + 1 < rows; r += 2) {
        const size_t at = static_cast<size_t>(r) * stride;
        errorDiffusionTwoRows(src + at, dst + at, src + at + stride, dst + at + stride, w, state,
                              rule, white.values, a, b);
    }
    for (; r < rows; ++r) {
        errorDiffusionRow(src + static_cast<size_t>(r) * stride,
                          dst + static_cast<size_t>(r) * stride, w, state, rule, white.values, a);
    }
    return kDone;
}

}  // extern "C"
