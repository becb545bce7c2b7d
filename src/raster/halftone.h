#pragma once

#include "raster/halftone_interface.h"

// The engine built on the exported halftone kernels. Each operation starts from a freshly
// initialised kernel state. When the kernels cannot take the image (a width of 32,768 or
// more, a height above 65,535, or a kernel refusal) the image is thresholded instead: at the
// caller's threshold for the threshold method, at 127 for dither and error diffusion.
class HalfTone : public HalfToneInterface {
  public:
    void fillErrorDiffusionProc(int width, int height, unsigned char* buffer) override;
    void fillBayerPatternProc(int width, int height, unsigned char* buffer) override;
    // The kernel takes `threshold` reduced to 16 bits and dots where grey < threshold, so a
    // negative threshold gives an all-black image.
    void fillThresholdProc(int width, int height, unsigned char* buffer, int threshold) override;
};
