#include "raster/mode9.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "common/byte_order.h"
#include "common/error_code.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/image_buffer.h"
#include "raster/image_limits.h"

namespace error = lumeko::error;

namespace {

// Bytes of an extension of value v.
int extensionBytes(int v) {
    return v / 255 + 1;
}

// Bytes of a literal command of n bytes after `skip` kept bytes.
int literalBytes(int skip, int n) {
    return 1 + (skip >= 15 ? extensionBytes(skip - 15) : 0) + (n >= 8 ? extensionBytes(n - 8) : 0) +
           n;
}

// Bytes of a run command.
int runBytes(int skip, int count) {
    return 1 + (skip >= 3 ? extensionBytes(skip - 3) : 0) +
           (count >= 33 ? extensionBytes(count - 33) : 0) + 1;
}

// The longest line whose whole-line literal (count byte, command, bytes) fits a block.
constexpr int kMaxLineSize = 656;

}  // namespace

Mode9::Mode9(Paper& jobPaper, RasterPrintOption& jobOption, PrinterSpec& jobSpec,
             std::vector<unsigned char>& jobPageCommand)
    : paper(jobPaper), option(jobOption), spec(jobSpec), pageCommand(jobPageCommand) {}

Mode9::~Mode9() {
    clearParamM9();
}

bool Mode9::isRotate180() {
    return (spec.variousModeCaps & 0x08) != 0 && option.rotate180;
}

void Mode9::initMode9Param() {
    lineIndex = 0;
    blockLength = 0;
    lineCommandSize = 0;
    maxLineCommandSize = spec.mode9Parameter;
    leftOffsetBytes = paper.leftOffsetBytes;
}

void Mode9::clearParamM9() {
    delete[] currentLine;
    delete[] previousLine;
    delete[] lineCommands;
    delete[] blockBuffer;
    currentLine = nullptr;
    previousLine = nullptr;
    lineCommands = nullptr;
    blockBuffer = nullptr;
}

bool Mode9::allocateBuffers() {
    clearParamM9();
    // The command buffer holds what a line may take before its limit test, and the
    // whole-line literal that replaces it.
    lineCommandsCapacity = std::max(2 * std::max(maxLineCommandSize, 0), size + 8);
    currentLine = new (std::nothrow) unsigned char[size];
    previousLine = new (std::nothrow) unsigned char[size];
    lineCommands = new (std::nothrow) unsigned char[lineCommandsCapacity];
    blockBuffer = new (std::nothrow) unsigned char[kBlockCapacity];
    if (!currentLine || !previousLine || !lineCommands || !blockBuffer) {
        clearParamM9();
        return false;
    }
    std::memset(previousLine, 0, static_cast<size_t>(size));
    std::memset(blockBuffer, 0, kBlockCapacity);
    return true;
}

bool Mode9::convertBitmapToMode9(unsigned char* image, int width, int height, int& pageDataLength,
                                 unsigned char*& pageData, int topMargin, int leftMargin) {
    initMode9Param();
    pageDataLength = 0;
    int lineWidth;
    if (paper.isCustomSize) {
        lineWidth = static_cast<int>((std::max<int64_t>(0, int64_t{leftMargin} + width) + 7) / 8);
    } else {
        lineWidth = paper.printableWidthDots / 8;
    }
    const int64_t lineSize = int64_t{lineWidth} + leftOffsetBytes + 1;
    if (lineSize > kMaxLineSize || width < 0 || height < 0 || (height > 0 && image == nullptr)) {
        // A line whose whole-line literal cannot fit one block cannot be sent.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    size = static_cast<int>(lineSize);
    if (!allocateBuffers()) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }

    // Size the work buffer from the real counts: blank lines one byte each plus a block
    // header per 661, every image line at worst in a block of its own.
    // A line's encoding stays below the command limit, or is the whole-line literal, and
    // never passes a block.
    const int64_t lineLimit =
        std::min<int64_t>(kBlockCapacity, std::max<int64_t>(size + 8, maxLineCommandSize));
    const int64_t printable = paper.printableLengthDots;
    const int64_t blankLines =
        std::max<int64_t>(0, topMargin) + std::max<int64_t>(0, printable - topMargin - height);
    const int64_t bytes =
        int64_t{spec.invalidateLength} + static_cast<int64_t>(pageCommand.size()) + blankLines +
        5 * (blankLines / kBlockCapacity + 2) + int64_t{height} * (lineLimit + 5) + 5;
    if (bytes > raster_limits::kMaxImageBytes) {
        clearParamM9();
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    unsigned char* work = new (std::nothrow) unsigned char[static_cast<size_t>(bytes)];
    if (work == nullptr) {
        clearParamM9();
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int length = makeRasterDataMode9(work, image, width, height, topMargin, leftMargin);
    unsigned char* body = new (std::nothrow) unsigned char[length > 0 ? length : 1];
    if (body == nullptr) {
        delete[] work;
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    std::memcpy(body, work, static_cast<size_t>(length));
    delete[] work;
    delete[] pageData;
    pageData = body;
    pageDataLength = length;
    return true;
}

int Mode9::makeRasterDataMode9(unsigned char* out, unsigned char* image, int width, int height,
                               int topMargin, int leftMargin) {
    if (blockBuffer == nullptr) {
        if (size <= 0) {
            size = paper.printableWidthDots / 8 + paper.leftOffsetBytes + 1;
        }
        if (!allocateBuffers()) {
            return 0;
        }
    }
    unsigned char* p = out;
    std::memset(p, 0, spec.invalidateLength);
    p += spec.invalidateLength;
    p += tpes::Util::writeData(pageCommand, p);

    const int printable = paper.printableLengthDots;
    const int room = std::max(0, printable - topMargin);
    const int lines = std::min(height, room);
    int topCount = topMargin;
    int bottomCount = std::max(0, printable - topMargin - height);
    if (isRotate180()) {
        std::swap(topCount, bottomCount);
    }
    const int rowBytes = raster_image::packedRowBytes(width);
    p += feedLineMode9(p, topCount);
    for (int i = 0; i < lines; ++i) {
        p += make1LineMode9Data(p, image + int64_t{i} * rowBytes, rowBytes, leftMargin);
    }
    p += writeMode9data(p);  // closes the image lines, even when empty
    p += feedLineMode9(p, bottomCount);
    clearParamM9();
    return static_cast<int>(p - out);
}

int Mode9::feedLineMode9(unsigned char* out, int count) {
    if (count < 1) {
        return 0;
    }
    int written = 0;
    blockLength = 0;
    for (int i = 0; i < count; ++i) {
        blockBuffer[blockLength++] = 0xFF;
        if (blockLength == kBlockCapacity) {
            written += writeMode9data(out + written);
        }
    }
    if (blockLength > 0) {
        written += writeMode9data(out + written);
    }
    return written;
}

int Mode9::writeMode9data(unsigned char* out) {
    const int n = blockLength;
    // ESC ^ 9 nL nH (1B 5E 39): a block of Mode 9 line data
    out[0] = 0x1B;
    out[1] = 0x5E;
    out[2] = 0x39;
    lumeko::writeLe16(out + 3, static_cast<std::uint32_t>(n));
    std::memcpy(out + 5, blockBuffer, static_cast<size_t>(n));
    std::memset(blockBuffer, 0, kBlockCapacity);
    blockLength = 0;
    return 5 + n;
}

int Mode9::make1LineMode9Data(unsigned char* out, const unsigned char* row, int rowBytes,
                              int leftMargin) {
    std::memset(currentLine, 0, static_cast<size_t>(size));
    tpes::Util::setLeftMargin(row, currentLine, rowBytes, leftMargin, leftOffsetBytes, size);
    compress1LineMode9();
    std::memcpy(previousLine, currentLine, static_cast<size_t>(size));
    int written = 0;
    if (blockLength + lineCommandSize > kBlockCapacity) {
        written = writeMode9data(out);
    }
    std::memcpy(blockBuffer + blockLength, lineCommands, static_cast<size_t>(lineCommandSize));
    blockLength += lineCommandSize;
    ++lineIndex;
    return written;
}

void Mode9::initMode9ptr(M9paraR& r, M9paraW& w) {
    r.current = currentLine;
    r.previous = lineIndex == 0 ? nullptr : previousLine;
    r.uncovered = 0;
    r.size = size;
    r.lineIndex = lineIndex;
    w.commands = lineCommands;
    w.countPosition = 0;
    w.position = 1;
    w.commandCount = 0;
    w.overflow = false;
}

void Mode9::m9cmdsize(M9paraW& w, int count) {
    w.commands[w.countPosition] = static_cast<unsigned char>(count);
}

bool Mode9::roomFor(M9paraW& w, int bytes) {
    // The limit test comes at the end of the line, but once a line has reached it no later
    // command can bring it back: stop writing as soon as it is reached. A line is never
    // longer than a block.
    if (w.overflow || w.commandCount + 1 > 254 || w.position + bytes >= maxLineCommandSize ||
        w.position + bytes > kBlockCapacity) {
        w.overflow = true;
        return false;
    }
    return true;
}

void Mode9::putExtension(M9paraW& w, int value) {
    while (value > 254) {
        w.commands[w.position++] = 0xFF;
        value -= 255;
    }
    w.commands[w.position++] = static_cast<unsigned char>(value);
}

void Mode9::m9replace(M9paraR& r, M9paraW& w, int skip, int length) {
    const int64_t from = int64_t{r.uncovered} + skip;
    if (skip < 0 || length < 1 || from + length > r.size) {
        w.overflow = true;  // never read outside the line: the whole-line literal goes out
    } else if (roomFor(w, literalBytes(skip, length))) {
        w.commands[w.position++] =
            static_cast<unsigned char>((std::min(skip, 15) << 3) | (length >= 8 ? 7 : length - 1));
        if (skip >= 15) {
            putExtension(w, skip - 15);
        }
        if (length >= 8) {
            putExtension(w, length - 8);
        }
        std::memcpy(w.commands + w.position, r.current + r.uncovered + skip,
                    static_cast<size_t>(length));
        w.position += length;
        ++w.commandCount;
    }
    r.uncovered += skip + length;
}

void Mode9::repeatMode9(M9paraR& r, M9paraW& w, int skip, int count, unsigned char value) {
    if (skip < 0 || count < 2 || int64_t{r.uncovered} + skip + count > r.size) {
        w.overflow = true;
    } else if (roomFor(w, runBytes(skip, count))) {
        w.commands[w.position++] = static_cast<unsigned char>(0x80 | (std::min(skip, 3) << 5) |
                                                              (count >= 33 ? 31 : count - 2));
        if (skip >= 3) {
            putExtension(w, skip - 3);
        }
        if (count >= 33) {
            putExtension(w, count - 33);
        }
        w.commands[w.position++] = value;
        ++w.commandCount;
    }
    r.uncovered += skip + count;
}

void Mode9::compress1LineMode9() {
    M9paraR r;
    M9paraW w;
    initMode9ptr(r, w);
    const unsigned char* line = r.current;
    const unsigned char* prevLine = r.previous;

    int skip = 0;
    int pending = 0;
    int run = 0;  // the first byte, compared with itself, makes a stretch of 1
    bool carry = false;
    unsigned char prev = line[0];

    auto ruleM = [&]() {
        if (pending == 0) {
            if (!carry) {
                ++skip;
            }
        } else if (run == 1) {
            m9replace(r, w, skip, pending);
            pending = 0;
            skip = carry ? 0 : 1;
        } else {
            carry = true;
            if (pending >= run) {
                m9replace(r, w, skip, pending - run + 1);
                skip = 0;
                pending = 0;
            }
        }
    };

    for (int i = 0; i < size; ++i) {
        const unsigned char x = line[i];
        const bool match = prevLine != nullptr && x == prevLine[i];
        if (x == prev) {
            ++run;
            if (match) {
                ruleM();
            } else {
                if (pending == 0 && run > 1 && !carry) {
                    skip -= run - 1;  // the earlier bytes of the run leave the skip
                }
                ++pending;
            }
        } else {
            if (run > 1) {
                if (pending > 0 && pending <= run) {
                    repeatMode9(r, w, skip, run, prev);
                    skip = 0;
                    pending = 0;
                    run = 1;
                    carry = false;
                } else if (pending > 0 && run == 2) {
                    run = 1;  // the pair stays in the pending stretch
                } else if (pending > run && run > 2) {
                    m9replace(r, w, skip, pending - run);
                    repeatMode9(r, w, 0, run, prev);
                    skip = 0;
                    pending = 0;
                    run = 1;
                    carry = false;
                } else if (pending == 0 && carry) {
                    repeatMode9(r, w, skip, run, prev);
                    skip = 0;
                    run = 1;
                    carry = false;
                } else {
                    run = 1;
                }
            }
            if (match) {
                ruleM();
            } else {
                ++pending;
            }
        }
        prev = x;
    }

    const unsigned char last = line[size - 1];
    if (run == size && last == 0) {
        // An all-zero line, whatever the previous line.
        lineCommands[0] = 0xFF;
        lineCommandSize = 1;
        return;
    }
    if (carry) {
        repeatMode9(r, w, skip, run, last);
    } else if (pending == 0) {
        // nothing left
    } else if (run <= 2) {
        m9replace(r, w, skip, std::max(pending, run));
    } else if (run < pending) {
        m9replace(r, w, skip, pending - run);
        repeatMode9(r, w, 0, run, last);
    } else {
        repeatMode9(r, w, skip, run, last);
    }

    if (w.overflow) {
        // One literal of the whole line.
        M9paraR whole;
        whole.current = currentLine;
        whole.size = size;
        M9paraW fallback;
        fallback.commands = lineCommands;
        fallback.position = 1;
        const int savedLimit = maxLineCommandSize;
        maxLineCommandSize = lineCommandsCapacity + 1;
        m9replace(whole, fallback, 0, size);
        maxLineCommandSize = savedLimit;
        m9cmdsize(fallback, 1);
        lineCommandSize = fallback.position;
        return;
    }
    m9cmdsize(w, w.commandCount);
    lineCommandSize = w.position;
}
