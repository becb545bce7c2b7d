#pragma once

// A halftone engine turns an 8-bit grey image (0 black .. 255 white, `height` rows of `width`
// bytes) into a two-level image in place: 0x00 for a printed dot, 0xFF for none. An engine
// object serves one operation on one image.
class HalfToneInterface {
  public:
    virtual ~HalfToneInterface() = default;
    virtual void fillErrorDiffusionProc(int width, int height, unsigned char* buffer) = 0;
    virtual void fillBayerPatternProc(int width, int height, unsigned char* buffer) = 0;
    virtual void fillThresholdProc(int width, int height, unsigned char* buffer, int threshold) = 0;
};
