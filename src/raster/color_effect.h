#pragma once

// Colour-effect tables: three tone curves (R, G, B) of 256 entries each, 768 bytes, shaped
// by brightness, contrast and the balance of the primaries through a cubic spline. The
// C-linkage entry points MakeColorEffectTable and ExecColorEffect are declared in
// raster/color_kernels.h; these helpers are ordinary C++ functions.

// Fills `table` (768 bytes) with identity curves, then bends each curve through its three
// control points at inputs 0, 127 and 255. If the spline refuses a curve, that curve and
// the ones after it stay identity. A null table is left alone.
void TlMakeColorEffectTable(short brightness, short contrast, short red, short green, short blue,
                            unsigned char* table);

// Moves the nine control points (R low, middle, high, then G, then B) by brightness, contrast
// and the balance of the primaries.
void TlMakeColorEffectTableMain(short brightness, short contrast, short red, short green,
                                short blue, int* points);

// Natural cubic spline through (xs[i], ys[i]), i < count, evaluated in single precision at the
// integers 0 .. outCount - 1 into `out`. Returns 1, or 0 (nothing written) when count is 2 or
// less, xs are not strictly increasing, a pointer is null or a work array cannot be had.
// Inputs beyond the last point continue the last segment.
int CorrectSplineColorEffect(const int* xs, const float* ys, int count, float* out, int outCount);
