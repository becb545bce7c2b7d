#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/raster_stream/dot_lines.h"
#include "support/raster_stream/fc_stream_decoder.h"

// Splits the byte stream of raster print calls (the bytes a printer received, or a print
// file) into its parts and decodes every page body with the decoder of its series. Written
// from the command formats alone; every read is bounded and any byte the walker does not
// expect is reported as false with a reason.
//
// One call: [zero bytes] [custom paper bytes] mode switch (1B 69 61 01, full page 1B 69 61 00)
// [1B 40 [1B 5E 40]] pages... [trailer 1B 69 61 FF]. A page: the page commands ahead of the
// body (label series), the body and its page end. Between pages and calls the walker also
// accepts the status request 1B 69 53 and the cancel sequence (the zero bytes and 1B 69 18
// or 1B 40), which ends the call.
namespace raster_stream {

enum class BodyKind {
    Label,     // 'g' / 'G' / 'Z' lines, page end 0C or 1A
    Mode9,     // zero bytes, page command block, 1B 5E 39 blocks, Mode 9 page end
    FullPage,  // start block, zero bytes, 1B 7E commands up to 1B 7E 0C
    TwoColor,  // 'w' / 'Z' lines of two planes, page end 0C or 1A
};

// What the walker needs to know of the model and its paper.
struct JobLayout {
    BodyKind body = BodyKind::Label;
    size_t zeroBytes = 0;                    // the model's leading zero bytes
    std::vector<unsigned char> customPaper;  // custom paper bytes of every header; empty: none
    bool fullPageSwitch = false;             // the mode switch is 1B 69 61 00
    int lineBytes = 0;                       // Label, TwoColor: bytes of one head line
    bool packed = true;                      // Label, TwoColor: run-length lines
    int mode9LineSize = 0;                   // Mode9: bytes of one line
    bool mode9FullPageStart = false;         // Mode9: the block inside is a full-page start block
    size_t widthDots = 0;                    // FullPage: width of the page in dots
};

struct JobPage {
    // Page commands ahead of the body (label series) or inside the Mode 9 body, each whole.
    std::vector<std::vector<unsigned char>> commands;
    // Decoded lines: head lines (Label, TwoColor black plane), Mode 9 lines or full-page rows.
    DotRows lines;
    DotRows red;  // TwoColor: the red plane
    // The page end as sent: 0C / 1A, 1B 5E 0C / 1A, 1B 5E 40 0C / 1A; empty for full page.
    std::vector<unsigned char> pageEnd;
    bool last = false;         // the page end was the last-page one
    size_t bodyZeroBytes = 0;  // Mode9 / FullPage: zero bytes inside the body
    FcSettings fullPage;       // FullPage (and a full-page start block inside Mode 9)
};

struct JobCall {
    size_t zeroBytes = 0;  // leading zero bytes of the header
    bool customPaper = false;
    bool init = false;       // 1B 40
    bool initMode9 = false;  // 1B 5E 40
    std::vector<JobPage> pages;
    bool trailer = false;
    bool cancelled = false;  // a cancel sequence ended the call
};

struct JobStream {
    std::vector<JobCall> calls;
    size_t statusRequests = 0;  // 1B 69 53 between pages and calls
    size_t cancelSequences = 0;
};

// Walks the whole stream. False with a reason (and the position) on any unexpected byte.
bool walkJob(const unsigned char* data, size_t length, const JobLayout& layout, JobStream& job,
             std::string& error);
inline bool walkJob(const std::vector<unsigned char>& data, const JobLayout& layout, JobStream& job,
                    std::string& error) {
    return walkJob(data.data(), data.size(), layout, job, error);
}

// Length of the label page command at data (page command set, 1B 69 ... and 4D n), or 0.
size_t pageCommandLength(const unsigned char* data, size_t length);

}  // namespace raster_stream
