#pragma once

#include <vector>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"

// Read cursors of one line's encoding: the current line, the previous line (null for the
// first line of a page), the start of the part not yet covered by a command, the line
// length and the line's index in the page.
struct M9paraR {
    const unsigned char* current = nullptr;
    const unsigned char* previous = nullptr;
    int uncovered = 0;
    int size = 0;
    int lineIndex = 0;
};

// Write cursor of one line's encoding: the command buffer, the position of the count
// byte, the next write position, and the number of commands so far. `overflow` is set
// once the line can only go out as one literal.
struct M9paraW {
    unsigned char* commands = nullptr;
    int countPosition = 0;
    int position = 0;
    int commandCount = 0;
    bool overflow = false;
};

// Mode 9 page body: every line encoded as commands that say which bytes differ from the
// line before it, the lines carried in blocks ESC ^ 9 nL nH (1B 5E 39) of at most 661 data
// bytes. One object serves one page.
//
// Line encoding: FF for an all-zero line, else a count byte c (0 to 254) and c commands.
// Literal: 0sssslll [skip ext] [length ext] bytes (skip 0-14, 15 + ext; length 1-7 as
// length - 1, 8 + ext as 7). Run: 1ssccccc [skip ext] [count ext] byte (skip 0-2, 3 + ext;
// count 2-32 as count - 2, 33 + ext as 31). Extension: FF per 255 while more than 254 is
// left, then the rest.
class Mode9 {
  public:
    static constexpr int kBlockCapacity = 661;

    Mode9(Paper& jobPaper, RasterPrintOption& jobOption, PrinterSpec& jobSpec,
          std::vector<unsigned char>& pageCommand);
    Mode9(const Mode9&) = delete;
    Mode9& operator=(const Mode9&) = delete;
    virtual ~Mode9();

    // Builds the page body of a one-bit image (height rows of ceil(width / 8) bytes) and
    // hands it over in pageData (a new array the caller owns) with its length. False with
    // error code 39 when a line cannot fit a block or the body cannot be allocated.
    bool convertBitmapToMode9(unsigned char* image, int width, int height, int& pageDataLength,
                              unsigned char*& pageData, int topMargin, int leftMargin);

    // The page body into `out`; returns its length.
    int makeRasterDataMode9(unsigned char* out, unsigned char* image, int width, int height,
                            int topMargin, int leftMargin);
    // One image row into the block; returns the bytes flushed to `out`.
    int make1LineMode9Data(unsigned char* out, const unsigned char* row, int rowBytes,
                           int leftMargin);
    // Encodes currentLine against previousLine (none for the first line) into lineCommands
    // and sets lineCommandSize.
    void compress1LineMode9();
    // A literal command of `length` bytes after `skip` kept bytes.
    void m9replace(M9paraR& r, M9paraW& w, int skip, int length);
    // A run command of `count` bytes `value` after `skip` kept bytes.
    void repeatMode9(M9paraR& r, M9paraW& w, int skip, int count, unsigned char value);
    // Writes the count byte of a line.
    void m9cmdsize(M9paraW& w, int count);
    // `count` blank lines (FF each) in blocks; returns the bytes written.
    int feedLineMode9(unsigned char* out, int count);
    // Flushes the block; returns the bytes written.
    int writeMode9data(unsigned char* out);
    void initMode9Param();
    void initMode9ptr(M9paraR& r, M9paraW& w);
    void clearParamM9();
    bool isRotate180();

    Paper paper;
    RasterPrintOption option;
    PrinterSpec spec;
    std::vector<unsigned char> pageCommand;

    int lineIndex = 0;
    int lineCommandSize = 0;
    int maxLineCommandSize = 0;
    int leftOffsetBytes = 0;
    int blockLength = 0;
    // Bytes of one line.
    int size = 0;

    unsigned char* currentLine = nullptr;
    unsigned char* previousLine = nullptr;
    unsigned char* lineCommands = nullptr;
    unsigned char* blockBuffer = nullptr;

  private:
    bool allocateBuffers();
    void putExtension(M9paraW& w, int value);
    // True when a command of `bytes` more bytes keeps the line below its limits.
    bool roomFor(M9paraW& w, int bytes);
    int lineCommandsCapacity = 0;
};
