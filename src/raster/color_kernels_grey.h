#pragma once

// Grey values of R, G, B pixels: (30 R + 59 G + 11 B) / 100, truncated, one byte a pixel.
// The row conversion is compiled for several instruction sets and the best one that the
// processor has is chosen at run time; every path gives the same bytes. Tests name a path
// to check each against the plain one.
namespace grey_conversion {

enum class GreyPath { Plain, Ssse3, Avx2 };

// Whether this build and this processor can run the path; Plain always.
bool supports(GreyPath path);

// The path that greyRow takes: the best one supported.
GreyPath bestPath();

// Converts `width` R, G, B pixels (3 bytes each) into `width` grey bytes with the given
// path; a path that is not supported runs as Plain.
void greyRowWith(GreyPath path, const unsigned char* rgb, int width, unsigned char* grey);

// The same with bestPath().
void greyRow(const unsigned char* rgb, int width, unsigned char* grey);

}  // namespace grey_conversion
