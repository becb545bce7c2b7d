#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Decoders that turn a raster page body back into its picture, written from the command
// formats alone (they share no code with the library). Every read is bounded by the input;
// malformed input is reported as false with a reason, never a crash.
namespace raster_stream {

using Lines = std::vector<std::vector<unsigned char>>;

// A label page body: 'g' (67, big-endian length) and 'G' (47, little-endian length) raster
// lines, 'Z' (5A) blank lines, ending with the page end 1A. `packed` says whether line data
// is run-length (PackBits) or raw. Each line yields the head line of `lineBytes` bytes, left
// to right, with the transmitted mirror and bit reversal undone.
bool decodeLabelBody(const unsigned char* data, size_t length, int lineBytes, bool packed,
                     Lines& lines, std::string& error, size_t* consumed = nullptr);

// Unpacks one PackBits stream into exactly `expected` bytes.
bool unpackBits(const unsigned char* data, size_t length, size_t expected,
                std::vector<unsigned char>& out, std::string& error);

// A Mode 9 page body: `zeroBytes` zero bytes and a page command block of
// `pageCommandLength` bytes are skipped, then blocks 1B 5E 39 nL nH are read to the end of
// the input. Each line (FF, or a count byte and that many commands applied to the line
// before) yields `size` bytes. `blockSizes` receives the data length of every block.
bool decodeMode9Body(const unsigned char* data, size_t length, size_t zeroBytes,
                     size_t pageCommandLength, int size, Lines& lines, std::string& error,
                     std::vector<size_t>* blockSizes = nullptr);

// Decodes the line encodings of one Mode 9 block, each applied to `previous`, which is
// updated after every line.
bool decodeMode9Block(const unsigned char* data, size_t length,
                      std::vector<unsigned char>& previous, Lines& lines, std::string& error);

// Writes lines of packed one-bit dots (most significant bit leftmost, 1 black) as a binary
// PBM image `widthDots` wide. False when the file cannot be written.
bool writePbm(const std::string& path, const Lines& lines, int widthDots);

}  // namespace raster_stream
