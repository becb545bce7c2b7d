#pragma once

#include "raster/halftone_interface.h"

// The self-contained engine: a signed threshold, a 4 x 4 ordered dither on the high nibble
// and serpentine error diffusion with the 48-weight kernel in double precision.
class HalfToneLegacy : public HalfToneInterface {
  public:
    void fillErrorDiffusionProc(int width, int height, unsigned char* buffer) override;
    // Pixel (x, y) with grey g turns white when g >> 4 is not 0 and at least the matrix value
    // at (x mod 4) * 4 + (y mod 4); grey 0..15 is always black.
    void fillBayerPatternProc(int width, int height, unsigned char* buffer) override;
    // White where grey >= threshold (signed), so a negative threshold gives an all-white image.
    void fillThresholdProc(int width, int height, unsigned char* buffer, int threshold) override;
};
