#ifndef LUMEKO_RASTER_HTNLIB_H
#define LUMEKO_RASTER_HTNLIB_H

/* Halftone kernels with C linkage.
 *
 * Each kernel turns rows of 8-bit grey (0 black .. 255 white) into dots: 0xFF where a dot is
 * printed, 0x00 where none is (the opposite of the engines' convention). Row r of the source
 * starts at src + r * stride and row r of the destination at dst + r * stride; width bytes of
 * each row are read and written, and src may equal dst. Results: 0 done, 2 a buffer (or the
 * state) missing, 3 a width of 32,768 or more. Rows 0 returns 0 and leaves the state alone.
 * The caller owns each state record and initialises it with the kernel's Init function; the
 * dither and error-diffusion states carry on from one call to the next, so an image may be
 * processed in horizontal bands with one state. */

#include "raster/kernel_export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Columns held by each error row: the widest accepted row plus cells that stay 0. */
#define HTNLIB_ERROR_ROW_CELLS 32773
/* Bytes of the block that the initialisation sets and no kernel reads. */
#define HTNLIB_RESERVED_BYTES 68

typedef struct HTNLIB_ErrorDiffusionState {
    unsigned short rowCounter;
    short errorRows[3][HTNLIB_ERROR_ROW_CELLS];
    unsigned char reserved[HTNLIB_RESERVED_BYTES];
} HTNLIB_ErrorDiffusionState;

/* Sets the threshold to 128. */
LUMEKO_C_EXPORT int HTNLIB_InitNaiveBinarize(unsigned short* threshold);
/* dst = 0xFF where src < *threshold, else 0x00. */
LUMEKO_C_EXPORT int HTNLIB_NaiveBinarize(const unsigned char* src, unsigned char* dst,
                                         unsigned short width, unsigned short stride,
                                         unsigned short rows, const unsigned short* threshold);

/* Sets the row counter to 0. */
LUMEKO_C_EXPORT int HTNLIB_InitDither(unsigned short* rowCounter);
/* 8 x 8 ordered dither of the tone-curved grey; the counter advances once per row. */
LUMEKO_C_EXPORT int HTNLIB_Dither(const unsigned char* src, unsigned char* dst,
                                  unsigned short width, unsigned short stride, unsigned short rows,
                                  unsigned short* rowCounter);

/* Row counter 0, error rows 0, reserved block cleared with its second word set to 1. */
LUMEKO_C_EXPORT int HTNLIB_InitErrorDiffusion(HTNLIB_ErrorDiffusionState* state);
/* Error diffusion with a noisy threshold, every row left to right. */
LUMEKO_C_EXPORT int HTNLIB_ErrorDiffusion(const unsigned char* src, unsigned char* dst,
                                          unsigned short width, unsigned short stride,
                                          unsigned short rows, HTNLIB_ErrorDiffusionState* state);

/* Tone curve of the dither: 255 * (g / 255)^0.625, rounded half up. */
LUMEKO_C_EXPORT extern const unsigned char tbl_LUT_DITHER[256];
/* The same tone curve, used by the error diffusion. */
LUMEKO_C_EXPORT extern const unsigned char tbl_LUT_ERRORDIFFUSION[256];
/* 8 x 8 dither matrix, row-major. */
LUMEKO_C_EXPORT extern const unsigned char tbl_Dither[64];
/* 32 x 32 blue noise, -32..32, row-major. */
LUMEKO_C_EXPORT extern const signed char tbl_BlueNoise[1024];
/* 1,024 values of white noise, -4..4. */
LUMEKO_C_EXPORT extern const signed char tbl_WhiteNoise[1024];

#ifdef __cplusplus
}
#endif

#endif /* LUMEKO_RASTER_HTNLIB_H */
