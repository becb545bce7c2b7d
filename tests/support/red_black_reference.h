#pragma once

#include <algorithm>
#include <cmath>

// The two-colour separation of one pixel as its rules read, written out plainly in single
// precision: the reference the vectorised kernels are compared with.
inline void referenceRedBlack(int r, int g, int b, unsigned char& red, unsigned char& black) {
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    if (mx == mn) {
        red = 0;
        black = static_cast<unsigned char>(255 - mx);
        return;
    }
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
        hue = 360.0f - hue;
    }
    const float redness = (180.0f - hue) / 180.0f;
    if (redness > 0.8f) {
        const float ink = std::trunc(redness * (diff / static_cast<float>(mx) * 255.0f));
        red = static_cast<unsigned char>(std::clamp(ink, 0.0f, 255.0f));
        black = static_cast<unsigned char>(255 - mx);
    } else {
        red = 0;
        black = static_cast<unsigned char>(255 - (299 * r + 587 * g + 114 * b) / 1000);
    }
}
