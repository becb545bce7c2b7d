#ifndef LUMEKO_RASTER_COLOR_KERNELS_H
#define LUMEKO_RASTER_COLOR_KERNELS_H

/* Two-colour kernels with C linkage: they sort R, G, B pixels into white, red and black.
 *
 * Stages: ConvRgbToRedBlack splits R, G, B rows (3 bytes a pixel, `stride` bytes from one row
 * to the next) into a red and a black ink plane (one byte a pixel, 255 full ink, dense rows);
 * a Binarize* kernel turns a plane into 0/1 dots; MergeBinaryToTermany merges the two dot
 * planes into a ternary image (0 white, 1 red, 2 black, dense rows). The MakeBicolorTernary*
 * kernels run all three stages for one halftone method.
 *
 * Plane rows lie width + (stride - 3 * width) bytes apart in the binarisers and the merge; the
 * combined kernels pass stride = 3 * width, so their planes are dense.
 *
 * Results: 0 done, -1 refused. Every kernel refuses missing buffers and shapes that do not
 * make an image: width <= 0, rows < 0, stride < 3 * width, and width * rows or stride * rows
 * beyond int. Rows 0 does nothing and succeeds. */

#include "raster/kernel_export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* State of BinarizeErrorDiffusion for one plane: three arrays of at least `width` error sums,
 * the current row, the next row and the row after it. The caller zeroes the arrays before the
 * first row of an image; the kernel rotates the pointers after every row. */
typedef struct BinarizeErrorRows {
    int* current;
    int* next;
    int* afterNext;
} BinarizeErrorRows;

/* Splits R, G, B into red and black ink (single-precision hue test, red within 36 degrees). */
LUMEKO_C_EXPORT int ConvRgbToRedBlack(const unsigned char* rgb, int width, int stride, int rows,
                                      unsigned char* red, unsigned char* black);

/* Each byte becomes 1 when it is at least `threshold`, else 0. */
LUMEKO_C_EXPORT int BinarizeThreshold(unsigned char* plane, int width, int stride, int rows,
                                      unsigned char threshold);

/* Ordered dither with a caller's matrix; row r uses matrix row (*rowCounter + r) mod
 * matrixHeight, and *rowCounter grows by rows. matrixWidth and matrixHeight 0 are refused. */
LUMEKO_C_EXPORT int BinarizeDither(unsigned char* plane, int width, int stride, int rows,
                                   unsigned int matrixWidth, unsigned int matrixHeight,
                                   const unsigned char* matrix, int* rowCounter);

/* Error diffusion with the 48-weight kernel, every row left to right; width 0 and widths above
 * INT_MAX are refused. */
LUMEKO_C_EXPORT int BinarizeErrorDiffusion(unsigned char* plane, unsigned int width, int stride,
                                           int rows, unsigned char threshold,
                                           BinarizeErrorRows* state);

/* out = 2 where black is 1, else 1 where red is 1, else 0. */
LUMEKO_C_EXPORT int MergeBinaryToTermany(const unsigned char* black, const unsigned char* red,
                                         int width, int stride, int rows, unsigned char* out);

/* The three stages with BinarizeThreshold at the threshold's low byte. */
LUMEKO_C_EXPORT int MakeBicolorTernaryThreshold(const unsigned char* rgb, int width, int stride,
                                                int rows, int threshold, unsigned char* out);

/* The three stages with BinarizeDither, each plane from the same counter; the counter is
 * advanced only on success. */
LUMEKO_C_EXPORT int MakeBicolorTernaryDither(const unsigned char* rgb, int width, int stride,
                                             int rows, unsigned int matrixWidth,
                                             unsigned int matrixHeight, const unsigned char* matrix,
                                             int* rowCounter, unsigned char* out);

/* The three stages with BinarizeErrorDiffusion at the threshold's low byte. */
LUMEKO_C_EXPORT int MakeBicolorTernaryErrorDiffusion(const unsigned char* rgb, int width,
                                                     int stride, int rows, int threshold,
                                                     BinarizeErrorRows* redState,
                                                     BinarizeErrorRows* blackState,
                                                     unsigned char* out);

/* Reduces the R, G, B image in place to red, black and white by error diffusion. `reserved`
 * must be 0. */
LUMEKO_C_EXPORT int ConvReducedColorErrorDiffusion(unsigned char* rgb, int width, int stride,
                                                   int rows, int reserved, int threshold);

/* Maps every pixel but pure white through a 768-byte table (R curve, G curve, B curve). */
LUMEKO_C_EXPORT void ExecColorEffect(unsigned char* rgb, int width, int stride, int rows,
                                     const unsigned char* table);

/* Fills a 768-byte colour-effect table from five values in -20..20; -1 (table untouched) for
 * a null table or a value out of range. */
LUMEKO_C_EXPORT int MakeColorEffectTable(short brightness, short contrast, short red, short green,
                                         short blue, unsigned char* table);

/* Tone table of the error-diffusion binarisation: floor(255 * (g / 255)^1.4). Internal. */
extern const unsigned char tbl_LUT_BINARIZE[256];

#ifdef __cplusplus
}
#endif

#endif /* LUMEKO_RASTER_COLOR_KERNELS_H */
