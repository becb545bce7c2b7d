#include "raster/color_effect.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

#include "raster/color_kernels.h"

namespace {

constexpr int kCurve = 256;
constexpr int kPointsPerPrimary = 3;

// A spline value as a curve entry: truncated towards zero, clamped to 0..255.
unsigned char curveEntry(float value) {
    if (!(value > 0.0f)) {
        return 0;  // also NaN
    }
    if (value >= 255.0f) {
        return 255;
    }
    return static_cast<unsigned char>(value);
}

// trunc(sum + 0.5) of a single-precision balance sum, the half added in double precision.
int balanceStep(float sum) {
    return static_cast<int>(std::trunc(static_cast<double>(sum) + 0.5));
}

}  // namespace

void TlMakeColorEffectTableMain(short brightness, short contrast, short red, short green,
                                short blue, int* points) {
    if (points == nullptr) {
        return;
    }
    if (brightness != 0) {
        for (int i = 0; i < 3 * kPointsPerPrimary; ++i) {
            points[i] += brightness;
        }
    }
    if (contrast != 0) {
        for (int p = 0; p < 3; ++p) {
            int* low = points + p * kPointsPerPrimary;
            const int middle = low[1];
            // Integer arithmetic, the division truncating towards zero.
            low[0] = low[0] + contrast * (low[0] - middle) / 100;
            low[2] = low[2] + contrast * (low[2] - middle) / 100;
        }
    }
    if (red != 0 || green != 0 || blue != 0) {
        const float r = red;
        const float g = green;
        const float b = blue;
        points[1] += balanceStep(r - g - b);
        points[4] += balanceStep(g - r - b);
        points[7] += balanceStep(b - r - g);
    }
}

void TlMakeColorEffectTable(short brightness, short contrast, short red, short green, short blue,
                            unsigned char* table) {
    if (table == nullptr) {
        return;
    }
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < kCurve; ++i) {
            table[p * kCurve + i] = static_cast<unsigned char>(i);
        }
    }
    int points[9] = {0, 127, 255, 0, 127, 255, 0, 127, 255};
    TlMakeColorEffectTableMain(brightness, contrast, red, green, blue, points);
    const int xs[kPointsPerPrimary] = {0, 127, 255};
    for (int p = 0; p < 3; ++p) {
        const float ys[kPointsPerPrimary] = {static_cast<float>(points[p * 3]),
                                             static_cast<float>(points[p * 3 + 1]),
                                             static_cast<float>(points[p * 3 + 2])};
        float curve[kCurve];
        if (CorrectSplineColorEffect(xs, ys, kPointsPerPrimary, curve, kCurve) != 1) {
            return;
        }
        for (int i = 0; i < kCurve; ++i) {
            table[p * kCurve + i] = curveEntry(curve[i]);
        }
    }
}

int CorrectSplineColorEffect(const int* xs, const float* ys, int count, float* out, int outCount) {
    if (xs == nullptr || ys == nullptr || count <= 2 || (out == nullptr && outCount > 0)) {
        return 0;
    }
    for (int i = 0; i + 1 < count; ++i) {
        if (xs[i + 1] <= xs[i]) {
            return 0;  // would divide by zero or fold the curve back
        }
    }
    const size_t n = static_cast<size_t>(count);
    std::unique_ptr<float[]> h(new (std::nothrow) float[n]);
    std::unique_ptr<float[]> s(new (std::nothrow) float[n]);
    std::unique_ptr<float[]> z(new (std::nothrow) float[n]);
    std::unique_ptr<float[]> diag(new (std::nothrow) float[n]);
    std::unique_ptr<float[]> rhs(new (std::nothrow) float[n]);
    if (!h || !s || !z || !diag || !rhs) {
        return 0;
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        h[i] = static_cast<float>(xs[i + 1]) - static_cast<float>(xs[i]);
        s[i] = (ys[i + 1] - ys[i]) / h[i];
    }
    // h[i-1] z[i-1] + 2 (x[i+1] - x[i-1]) z[i] + h[i] z[i+1] = s[i] - s[i-1], z at both ends 0:
    // forward elimination, then back substitution.
    for (size_t i = 1; i + 1 < n; ++i) {
        diag[i] = 2.0f * (static_cast<float>(xs[i + 1]) - static_cast<float>(xs[i - 1]));
        rhs[i] = s[i] - s[i - 1];
    }
    for (size_t i = 2; i + 1 < n; ++i) {
        const float factor = h[i - 1] / diag[i - 1];
        diag[i] = diag[i] - factor * h[i - 1];
        rhs[i] = rhs[i] - factor * rhs[i - 1];
    }
    z[0] = 0.0f;
    z[n - 1] = 0.0f;
    for (size_t i = n - 2; i >= 1; --i) {
        z[i] = (rhs[i] - h[i] * z[i + 1]) / diag[i];
    }
    for (int t = 0; t < outCount; ++t) {
        // The first point at or after t, by binary search; its segment starts one before.
        size_t lo = 0;
        size_t hi = n;
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (xs[mid] >= t) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        size_t k = lo == 0 ? 0 : lo - 1;
        if (k > n - 2) {
            k = n - 2;  // beyond the last point: the last segment goes on
        }
        const float d = static_cast<float>(t) - static_cast<float>(xs[k]);
        out[t] = ys[k] + d * ((s[k] - h[k] * (z[k + 1] + 2.0f * z[k])) +
                              ((z[k + 1] - z[k]) * d / h[k] + 3.0f * z[k]) * d);
    }
    return 1;
}

extern "C" {

void ExecColorEffect(unsigned char* rgb, int width, int stride, int rows,
                     const unsigned char* table) {
    if (rgb == nullptr || table == nullptr || width <= 0 || rows <= 0 ||
        static_cast<long long>(stride) < 3LL * width ||
        static_cast<long long>(stride) * rows > 2147483647LL) {
        return;
    }
    for (int y = 0; y < rows; ++y) {
        unsigned char* row = rgb + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < width; ++x) {
            unsigned char* px = row + 3 * static_cast<size_t>(x);
            if (px[0] == 255 && px[1] == 255 && px[2] == 255) {
                continue;  // pure white never changes
            }
            px[0] = table[px[0]];
            px[1] = table[kCurve + px[1]];
            px[2] = table[2 * kCurve + px[2]];
        }
    }
}

int MakeColorEffectTable(short brightness, short contrast, short red, short green, short blue,
                         unsigned char* table) {
    const short values[] = {brightness, contrast, red, green, blue};
    if (table == nullptr) {
        return -1;
    }
    for (short v : values) {
        if (v < -20 || v > 20) {
            return -1;
        }
    }
    // Scaled in double precision and truncated towards zero.
    TlMakeColorEffectTable(static_cast<short>(std::trunc(brightness * 3.0)),
                           static_cast<short>(std::trunc(contrast * 2.0)),
                           static_cast<short>(std::trunc(red * 2.25)),
                           static_cast<short>(std::trunc(green * 2.25)),
                           static_cast<short>(std::trunc(blue * 2.25)), table);
    return 0;
}

}  // extern "C"
