#pragma once

#include <cstdint>

class RasterData;

// The transmitted raster line, as the raster data objects build it (raster_data_lines.cpp).
namespace raster_line {

// Fills `line` (lineBytes bytes) with the transmitted form of a packed row of rowBytes bytes:
// the row placed r.leftMargin dots into a zeroed head line (built in `work`, lineBytes bytes),
// then mirrored end to end with every byte bit-reversed.
void prepareLine(RasterData& r, const unsigned char* row, int rowBytes, int lineBytes,
                 unsigned char* work, unsigned char* line);

// Bytes of the literal form of a line: a count byte before each stretch of at most 128.
int64_t literalFormBytes(int lineBytes);

// Writes the literal form of `line`: stretches of at most 128 bytes, each after its length
// minus 1. REQUIRES: out has literalFormBytes(lineBytes) bytes. Returns that count.
int putLiteralStretches(unsigned char* out, const unsigned char* line, int lineBytes);

}  // namespace raster_line
