#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/raster_stream/dot_lines.h"

// A decoder of the full-page series stream, written from the command formats alone. Every
// read is bounded by the input; malformed input or an unknown command is reported as false
// with a reason, never a crash.
namespace raster_stream {

// The settings of a start block; -1 for a command that was not sent.
struct FcSettings {
    int duplex = -1;           // 1B 7E 65 44 n
    int density = -1;          // 1B 7E 64 v 00
    int twoPly = -1;           // 1B 7E 70 n 00
    int feed = -1;             // 1B 7E 66 n
    int dashLine = -1;         // 1B 7E 2D n
    int speed = -1;            // 1B 7E 65 56 01 n
    int printerCase = -1;      // 1B 7E 65 52 01 n
    int paper = -1;            // 1B 7E 68 pL pH
    int paperWidthPaper = -1;  // 1B 7E 77 pL pH wL wH
    int paperWidthBytes = -1;
    int paperLength = -1;  // 1B 7E 6C lL lH
    // One letter per command in the order sent: U duplex, D density, P two-ply, F feed,
    // L dash line, S speed, C printer case, H paper, W paper width, N paper length.
    std::string order;
};

// A decoded page: its start block, the zero bytes after it and the page as fed lines of
// packed dots (one row per line fed; a data block lands on the current line).
struct FcPage {
    FcSettings settings;
    size_t startBlockLength = 0;
    size_t zeroBytes = 0;
    DotRows lines;
    // Data blocks and feed commands seen.
    size_t blocks = 0;
    size_t feeds = 0;
};

// Reads start block commands from the front of `data` while they are settings commands;
// `consumed` receives their length. False on a truncated command.
bool decodeFcStartBlock(const unsigned char* data, size_t length, FcSettings& settings,
                        size_t& consumed, std::string& error);

// A whole page body without Mode 9: the start block, zero bytes, then horizontal position
// (1B 7E 24), data block (1B 7E 2A), line feeds (1B 7E 0A, 1B 7E 4A) up to the page end
// (1B 7E 0C), which must be the last bytes. Pages are at most `widthDots` wide.
bool decodeFcPage(const unsigned char* data, size_t length, size_t widthDots, FcPage& page,
                  std::string& error);

}  // namespace raster_stream
