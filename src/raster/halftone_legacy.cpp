#include "raster/halftone_legacy.h"

#include <cstddef>
#include <memory>
#include <new>

#include "raster/halftone_private.h"
#include "raster/legacy_dither_matrix.h"

void HalfToneLegacy::fillThresholdProc(int width, int height, unsigned char* buffer,
                                       int threshold) {
    HalfTone_private::thresholdProc(width, height, buffer, threshold);
}

void HalfToneLegacy::fillBayerPatternProc(int width, int height, unsigned char* buffer) {
    if (buffer == nullptr || width <= 0 || height <= 0) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        unsigned char* row = buffer + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            const int nibble = row[x] >> 4;
            const int limit = kLegacyDitherMatrix[(x % 4) * 4 + (y % 4)];
            row[x] = nibble != 0 && nibble >= limit ? 0xFF : 0x00;
        }
    }
}

void HalfToneLegacy::fillErrorDiffusionProc(int width, int height, unsigned char* buffer) {
    if (buffer == nullptr || width <= 0 || height <= 0) {
        return;
    }
    // Three error rows of width + 4 cells; column x lives in cell x + 2, and the two cells on
    // either side are never written, so errors outside the image read as 0.
    const size_t cells = static_cast<size_t>(width) + 4;
    std::unique_ptr<double[]> errors(new (std::nothrow) double[3 * cells]());
    if (errors == nullptr) {
        // Without room for the error rows, the plain threshold at the decision's midpoint.
        HalfTone_private::thresholdProc(width, height, buffer, 128);
        return;
    }
    for (int y = 0; y < height; ++y) {
        double* cur = errors.get() + static_cast<size_t>((y + 2) % 3) * cells + 2;
        const double* up1 = errors.get() + static_cast<size_t>((y + 1) % 3) * cells + 2;
        const double* up2 = errors.get() + static_cast<size_t>(y % 3) * cells + 2;
        unsigned char* row = buffer + static_cast<size_t>(y) * static_cast<size_t>(width);
        // Even rows left to right, odd rows right to left.
        const int step = y % 2 == 0 ? 1 : -1;
        for (int i = 0; i < width; ++i) {
            const int x = step > 0 ? i : width - 1 - i;
            const int behind1 = x - step;
            const int behind2 = x - 2 * step;
            const int ahead1 = x + step;
            const int ahead2 = x + 2 * step;
            // The slot still holds the row three rows up; clear it before it is read.
            cur[x] = 0.0;
            double sum = 0.0;
            sum += up2[behind1] * 3 / 48;
            sum += up2[behind2] * 1 / 48;
            sum += up2[x] * 5 / 48;
            sum += up2[ahead1] * 3 / 48;
            sum += up2[ahead2] * 1 / 48;
            sum += up1[behind2] * 3 / 48;
            sum += up1[behind1] * 5 / 48;
            sum += up1[x] * 7 / 48;
            sum += up1[ahead1] * 5 / 48;
            sum += up1[ahead2] * 3 / 48;
            sum += cur[behind2] * 5 / 48;
            sum += cur[behind1] * 7 / 48;
            const double v = row[x] + sum;
            double error;
            if (v > 255) {
                row[x] = 0xFF;
                error = 0.0;
            } else if (v < 0) {
                row[x] = 0x00;
                error = 0.0;
            } else if (v >= 128) {
                row[x] = 0xFF;
                error = v - 255;
            } else {
                row[x] = 0x00;
                error = v;
            }
            cur[x] = error;
        }
    }
}
