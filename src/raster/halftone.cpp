#include "raster/halftone.h"

#include "raster/halftone_private.h"
#include "raster/htnlib.h"

namespace {

// The threshold the dither and error diffusion fall back to.
constexpr int kFallbackThreshold = 127;

// Whether the kernels can take the image without losing bits of its size.
bool fitsKernels(int width, int height) {
    return width > 0 && width < 0x8000 && height > 0 && height <= 0xFFFF;
}

// Runs `kernel` in place over the whole image; on success turns the kernel's dots (0xFF) into
// the engine's (0x00), otherwise thresholds the untouched grey image.
template <typename Kernel>
void runKernel(int width, int height, unsigned char* buffer, int fallbackThreshold, Kernel kernel) {
    if (buffer == nullptr || width <= 0 || height <= 0) {
        return;
    }
    int result = 2;
    if (fitsKernels(width, height)) {
        const auto w = static_cast<unsigned short>(width);
        result = kernel(buffer, w, static_cast<unsigned short>(height));
    }
    if (result == 0) {
        HalfTone_private::invertImage(width, height, buffer);
    } else {
        HalfTone_private::thresholdProc(width, height, buffer, fallbackThreshold);
    }
}

}  // namespace

void HalfTone::fillErrorDiffusionProc(int width, int height, unsigned char* buffer) {
    runKernel(width, height, buffer, kFallbackThreshold,
              [](unsigned char* image, unsigned short w, unsigned short rows) {
                  // About 192 KiB, a local of the call: the kernel never allocates.
                  HTNLIB_ErrorDiffusionState state;
                  HTNLIB_InitErrorDiffusion(&state);
                  return HTNLIB_ErrorDiffusion(image, image, w, w, rows, &state);
              });
}

void HalfTone::fillBayerPatternProc(int width, int height, unsigned char* buffer) {
    runKernel(width, height, buffer, kFallbackThreshold,
              [](unsigned char* image, unsigned short w, unsigned short rows) {
                  unsigned short rowCounter;
                  HTNLIB_InitDither(&rowCounter);
                  return HTNLIB_Dither(image, image, w, w, rows, &rowCounter);
              });
}

void HalfTone::fillThresholdProc(int width, int height, unsigned char* buffer, int threshold) {
    runKernel(width, height, buffer, threshold,
              [threshold](unsigned char* image, unsigned short w, unsigned short rows) {
                  unsigned short t;
                  HTNLIB_InitNaiveBinarize(&t);
                  t = static_cast<unsigned short>(threshold);
                  return HTNLIB_NaiveBinarize(image, image, w, w, rows, &t);
              });
}
