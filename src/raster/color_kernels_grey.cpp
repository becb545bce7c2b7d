// The grey conversion of R, G, B rows, one body compiled for each instruction set.
#include "raster/color_kernels_grey.h"

#include <cstdint>

namespace grey_conversion {

namespace {

// Grey value of one R, G, B pixel, (30 R + 59 G + 11 B) / 100 truncated, in 16-bit steps the
// compiler can run on many pixels at once. The sum v is at most 25,500; v / 100 is
// (v / 4) / 25 with both divisions truncated, and for u = v / 4 <= 6,375 the quotient u / 25
// is (u * 5243) >> 17: the factor exceeds 2^17 / 25 by 0.0000382 of it, which adds at most
// 0.01 to a quotient whose fraction is at most 0.96.
inline unsigned char greyOf(uint16_t r, uint16_t g, uint16_t b) {
    const auto v = static_cast<uint16_t>(30 * r + 59 * g + 11 * b);
    const auto u = static_cast<uint16_t>(v >> 2);
    const auto high = static_cast<uint16_t>((static_cast<uint32_t>(u) * 5243u) >> 16);
    return static_cast<unsigned char>(high >> 1);
}

// The conversion of one row, written once and compiled for each instruction set below: the
// compiler turns it into vector code where the processor can split R, G, B triples quickly.
// Integer arithmetic only, so every version gives the same bytes.
#define LUMEKO_GREY_ROW_BODY                                          \
    for (int x = 0; x < width; ++x) {                                 \
        grey[x] = greyOf(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]); \
    }

void greyRowPlain(const unsigned char* __restrict rgb, int width, unsigned char* __restrict grey) {
    LUMEKO_GREY_ROW_BODY
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define LUMEKO_GREY_ROW_VARIANTS 1
__attribute__((target("avx2"))) void greyRowAvx2(const unsigned char* __restrict rgb, int width,
                                                 unsigned char* __restrict grey) {
    LUMEKO_GREY_ROW_BODY
}
__attribute__((target("ssse3"))) void greyRowSsse3(const unsigned char* __restrict rgb, int width,
                                                   unsigned char* __restrict grey) {
    LUMEKO_GREY_ROW_BODY
}
#endif

#undef LUMEKO_GREY_ROW_BODY

}  // namespace

bool supports(GreyPath path) {
    switch (path) {
#ifdef LUMEKO_GREY_ROW_VARIANTS
        case GreyPath::Avx2:
            return __builtin_cpu_supports("avx2");
        case GreyPath::Ssse3:
            return __builtin_cpu_supports("ssse3");
#endif
        case GreyPath::Plain:
            return true;
        default:
            return false;
    }
}

GreyPath bestPath() {
    static const GreyPath best = supports(GreyPath::Avx2)    ? GreyPath::Avx2
                                 : supports(GreyPath::Ssse3) ? GreyPath::Ssse3
                                                             : GreyPath::Plain;
    return best;
}

void greyRowWith(GreyPath path, const unsigned char* rgb, int width, unsigned char* grey) {
#ifdef LUMEKO_GREY_ROW_VARIANTS
    if (path == GreyPath::Avx2 && supports(path)) {
        greyRowAvx2(rgb, width, grey);
        return;
    }
    if (path == GreyPath::Ssse3 && supports(path)) {
        greyRowSsse3(rgb, width, grey);
        return;
    }
#else
    (void)path;
#endif
    greyRowPlain(rgb, width, grey);
}

void greyRow(const unsigned char* rgb, int width, unsigned char* grey) {
    greyRowWith(bestPath(), rgb, width, grey);
}

}  // namespace grey_conversion
