#include "support/raster_stream/job_stream_walker.h"

#include <initializer_list>

#include "support/raster_stream/bi_color_decoder.h"
#include "support/raster_stream/raster_body_decoder.h"

namespace raster_stream {

namespace {

struct Cursor {
    const unsigned char* data;
    size_t length;
    size_t pos = 0;

    size_t left() const { return length - pos; }
    bool at(std::initializer_list<unsigned char> bytes, size_t offset = 0) const {
        if (left() < offset + bytes.size()) {
            return false;
        }
        size_t i = pos + offset;
        for (unsigned char b : bytes) {
            if (data[i++] != b) {
                return false;
            }
        }
        return true;
    }
    bool atBytes(const std::vector<unsigned char>& bytes) const {
        if (left() < bytes.size()) {
            return false;
        }
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (data[pos + i] != bytes[i]) {
                return false;
            }
        }
        return true;
    }
    size_t zerosAhead() const {
        size_t n = 0;
        while (pos + n < length && data[pos + n] == 0) {
            ++n;
        }
        return n;
    }
};

std::string where(const Cursor& c, const std::string& what) {
    return what + " at byte " + std::to_string(c.pos);
}

// The cancel sequence: the zero bytes, then 1B 69 18 or 1B 40.
size_t cancelSequenceLength(const Cursor& c, size_t zeroBytes) {
    if (zeroBytes == 0 || c.zerosAhead() != zeroBytes) {
        return 0;
    }
    if (c.at({0x1B, 0x69, 0x18}, zeroBytes)) {
        return zeroBytes + 3;
    }
    if (c.at({0x1B, 0x40}, zeroBytes)) {
        return zeroBytes + 2;
    }
    return 0;
}

// Takes status requests and cancel sequences between pages and calls; true when a cancel
// sequence was among them.
bool takeInterludes(Cursor& c, const JobLayout& layout, JobStream& job) {
    bool cancelled = false;
    for (;;) {
        if (c.at({0x1B, 0x69, 0x53})) {
            c.pos += 3;
            ++job.statusRequests;
            continue;
        }
        const size_t n = cancelSequenceLength(c, layout.zeroBytes);
        if (n != 0) {
            c.pos += n;
            ++job.cancelSequences;
            cancelled = true;
            continue;
        }
        return cancelled;
    }
}

// Page commands at the cursor, appended to page.commands.
bool takePageCommands(Cursor& c, JobPage& page, std::string& error) {
    for (;;) {
        const size_t n = pageCommandLength(c.data + c.pos, c.left());
        if (n == 0) {
            return true;
        }
        if (n > c.left()) {
            error = where(c, "page command cut short");
            return false;
        }
        page.commands.emplace_back(c.data + c.pos, c.data + c.pos + n);
        c.pos += n;
    }
}

// Scans a label or two-colour body to its page end byte; returns the body length with
// the end byte, or 0.
size_t lineBodyLength(const Cursor& c, bool twoColor, std::string& error) {
    size_t p = c.pos;
    while (p < c.length) {
        const unsigned char cmd = c.data[p];
        if (cmd == 0x0C || cmd == 0x1A) {
            return p + 1 - c.pos;
        }
        if (cmd == 0x5A) {
            ++p;
            continue;
        }
        size_t n = 0;
        if (!twoColor && (cmd == 0x67 || cmd == 0x47) && c.length - p >= 3) {
            n = cmd == 0x67 ? (c.data[p + 1] << 8 | c.data[p + 2])
                            : (c.data[p + 2] << 8 | c.data[p + 1]);
            p += 3;
        } else if (twoColor && cmd == 0x77 && c.length - p >= 3) {
            n = c.data[p + 2];
            p += 3;
        } else {
            error = "unexpected byte in a page body at byte " + std::to_string(p);
            return 0;
        }
        if (n > c.length - p) {
            error = "line past the end at byte " + std::to_string(p);
            return 0;
        }
        p += n;
    }
    error = "page body without page end";
    return 0;
}

bool takeLineBody(Cursor& c, const JobLayout& layout, JobPage& page, std::string& error) {
    const bool twoColor = layout.body == BodyKind::TwoColor;
    const size_t n = lineBodyLength(c, twoColor, error);
    if (n == 0) {
        return false;
    }
    // The decoders read a body that ends with 1A; other pages end with 0C.
    std::vector<unsigned char> body(c.data + c.pos, c.data + c.pos + n);
    page.pageEnd = {body.back()};
    page.last = body.back() == 0x1A;
    body.back() = 0x1A;
    if (twoColor) {
        TwoColorLines lines;
        if (!decodeTwoColorBody(body.data(), body.size(), layout.lineBytes, layout.packed, lines,
                                error)) {
            error = where(c, "two-colour body: " + error);
            return false;
        }
        page.lines = std::move(lines.black);
        page.red = std::move(lines.red);
    } else {
        Lines lines;
        if (!decodeLabelBody(body.data(), body.size(), layout.lineBytes, layout.packed, lines,
                             error)) {
            error = where(c, "label body: " + error);
            return false;
        }
        page.lines = std::move(lines);
    }
    c.pos += n;
    return true;
}

bool takeMode9Body(Cursor& c, const JobLayout& layout, JobPage& page, std::string& error) {
    const size_t start = c.pos;
    page.bodyZeroBytes = c.zerosAhead();
    if (page.bodyZeroBytes != layout.zeroBytes) {
        error = where(c, "Mode 9 body without the model's zero bytes");
        return false;
    }
    c.pos += page.bodyZeroBytes;
    const size_t commandsStart = c.pos;
    if (layout.mode9FullPageStart) {
        size_t used = 0;
        if (!decodeFcStartBlock(c.data + c.pos, c.left(), page.fullPage, used, error)) {
            error = where(c, "full-page start block: " + error);
            return false;
        }
        page.commands.emplace_back(c.data + c.pos, c.data + c.pos + used);
        c.pos += used;
    } else if (!takePageCommands(c, page, error)) {
        return false;
    }
    const size_t commandLength = c.pos - commandsStart;
    while (c.at({0x1B, 0x5E, 0x39})) {
        if (c.left() < 5) {
            error = where(c, "Mode 9 block header cut short");
            return false;
        }
        const size_t n = c.data[c.pos + 3] | (c.data[c.pos + 4] << 8);
        if (n > c.left() - 5) {
            error = where(c, "Mode 9 block past the end");
            return false;
        }
        c.pos += 5 + n;
    }
    Lines lines;
    if (!decodeMode9Body(c.data + start, c.pos - start, page.bodyZeroBytes, commandLength,
                         layout.mode9LineSize, lines, error)) {
        error = "Mode 9 body at byte " + std::to_string(start) + ": " + error;
        return false;
    }
    page.lines = std::move(lines);
    for (const auto& end : {std::vector<unsigned char>{0x1B, 0x5E, 0x40, 0x0C},
                            std::vector<unsigned char>{0x1B, 0x5E, 0x40, 0x1A},
                            std::vector<unsigned char>{0x1B, 0x5E, 0x0C},
                            std::vector<unsigned char>{0x1B, 0x5E, 0x1A}}) {
        if (c.atBytes(end)) {
            page.pageEnd = end;
            page.last = end.back() == 0x1A;
            c.pos += end.size();
            return true;
        }
    }
    error = where(c, "Mode 9 body without its page end");
    return false;
}

bool takeFullPageBody(Cursor& c, const JobLayout& layout, JobPage& page, std::string& error) {
    const size_t start = c.pos;
    FcSettings settings;
    size_t used = 0;
    if (!decodeFcStartBlock(c.data + c.pos, c.left(), settings, used, error)) {
        error = where(c, "full-page start block: " + error);
        return false;
    }
    size_t p = c.pos + used;
    while (p < c.length && c.data[p] == 0) {
        ++p;
    }
    // 1B 7E commands up to the page end.
    for (;;) {
        if (c.length - p < 3 || c.data[p] != 0x1B || c.data[p + 1] != 0x7E) {
            error = "unexpected byte in a full-page body at byte " + std::to_string(p);
            return false;
        }
        const unsigned char cmd = c.data[p + 2];
        size_t n = 0;
        if (cmd == 0x0C) {
            p += 3;
            break;
        } else if (cmd == 0x0A) {
            n = 3;
        } else if (cmd == 0x4A) {
            n = 4;
        } else if (cmd == 0x24) {
            n = 5;
        } else if (cmd == 0x2A && c.length - p >= 5) {
            n = 5 + (c.data[p + 3] | (c.data[p + 4] << 8));
        } else {
            error = "unknown full-page command at byte " + std::to_string(p);
            return false;
        }
        if (n > c.length - p) {
            error = "full-page command past the end at byte " + std::to_string(p);
            return false;
        }
        p += n;
    }
    FcPage decoded;
    if (!decodeFcPage(c.data + start, p - start, layout.widthDots, decoded, error)) {
        error = where(c, "full-page body: " + error);
        return false;
    }
    page.fullPage = decoded.settings;
    page.bodyZeroBytes = decoded.zeroBytes;
    page.commands.emplace_back(c.data + start, c.data + start + decoded.startBlockLength);
    page.lines = std::move(decoded.lines);
    c.pos = p;
    return true;
}

bool takePage(Cursor& c, const JobLayout& layout, JobPage& page, std::string& error) {
    switch (layout.body) {
        case BodyKind::Mode9:
            return takeMode9Body(c, layout, page, error);
        case BodyKind::FullPage:
            return takeFullPageBody(c, layout, page, error);
        case BodyKind::Label:
        case BodyKind::TwoColor:
            return takePageCommands(c, page, error) && takeLineBody(c, layout, page, error);
    }
    return false;
}

bool takeCall(Cursor& c, const JobLayout& layout, JobStream& job, std::string& error) {
    JobCall call;
    call.zeroBytes = c.zerosAhead();
    if (call.zeroBytes != 0 && call.zeroBytes != layout.zeroBytes) {
        error = where(c, "header with " + std::to_string(call.zeroBytes) + " zero bytes");
        return false;
    }
    c.pos += call.zeroBytes;
    if (!layout.customPaper.empty()) {
        if (!c.atBytes(layout.customPaper)) {
            error = where(c, "header without the custom paper bytes");
            return false;
        }
        c.pos += layout.customPaper.size();
        call.customPaper = true;
    }
    if (!c.at(
            {0x1B, 0x69, 0x61, static_cast<unsigned char>(layout.fullPageSwitch ? 0x00 : 0x01)})) {
        error = where(c, "header without the mode switch");
        return false;
    }
    c.pos += 4;
    if (c.at({0x1B, 0x40})) {
        c.pos += 2;
        call.init = true;
        if (c.at({0x1B, 0x5E, 0x40})) {
            c.pos += 3;
            call.initMode9 = true;
        }
    }
    for (;;) {
        if (takeInterludes(c, layout, job)) {
            call.cancelled = true;
            break;
        }
        if (c.left() == 0) {
            break;
        }
        if (c.at({0x1B, 0x69, 0x61, 0xFF})) {
            c.pos += 4;
            call.trailer = true;
            break;
        }
        JobPage page;
        if (!takePage(c, layout, page, error)) {
            return false;
        }
        call.pages.push_back(std::move(page));
    }
    job.calls.push_back(std::move(call));
    return true;
}

}  // namespace

size_t pageCommandLength(const unsigned char* data, size_t length) {
    if (length >= 2 && data[0] == 0x4D) {
        return 2;  // M n: compression mode
    }
    if (length < 3 || data[0] != 0x1B || data[1] != 0x69) {
        return 0;
    }
    switch (data[2]) {
        case 0x55:  // ESC i U w: media information block
            return length >= 4 && data[3] == 0x77 ? 132 : 0;
        case 0x21:  // ESC i !: change status mode
        case 0x4B:  // ESC i K: advanced mode
        case 0x4D:  // ESC i M: various mode
        case 0x41:  // ESC i A: auto cut
            return 4;
        case 0x7A:  // ESC i z: print information
            return 13;
        case 0x58:  // ESC i X e 2: density
            return 8;
        case 0x6B:  // ESC i k c: copies
            return 6;
        case 0x64:  // ESC i d: margin
            return 5;
        default:
            return 0;
    }
}

bool walkJob(const unsigned char* data, size_t length, const JobLayout& layout, JobStream& job,
             std::string& error) {
    job = JobStream();
    if (data == nullptr && length != 0) {
        error = "no data";
        return false;
    }
    Cursor c{data, length};
    for (;;) {
        takeInterludes(c, layout, job);
        if (c.left() == 0) {
            return true;
        }
        if (!takeCall(c, layout, job, error)) {
            return false;
        }
    }
}

}  // namespace raster_stream
