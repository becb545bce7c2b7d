#pragma once

// Helpers shared by the halftone engines. Both work on width x height bytes, counted in 64
// bits, and do nothing when the width or the height is 0 or less, or the buffer is null.
namespace HalfTone_private {

// Each byte becomes 0xFF when its value is at least `threshold` (signed comparison), else 0x00.
void thresholdProc(int width, int height, unsigned char* buffer, int threshold);

// Each byte becomes its bitwise complement.
void invertImage(int width, int height, unsigned char* buffer);

}  // namespace HalfTone_private
