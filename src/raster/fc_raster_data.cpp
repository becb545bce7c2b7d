#include "raster/fc_raster_data.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "common/byte_order.h"
#include "common/error_code.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/image_buffer.h"

namespace error = lumeko::error;

namespace {

// Commands of the full-page series, in the order of the printer's command table. Each row is
// the fixed part of the command; the operands follow as the builders give them (all
// little-endian).
// clang-format off
// ESC i a 00 (1B 69 61 00): switch to raster mode, setRasterModeFCCommand
constexpr unsigned char kDuplexMode[]       = {0x1B, 0x7E, 0x65, 0x44};  // ESC ~ e D n: duplex mode
constexpr unsigned char kDensity[]          = {0x1B, 0x7E, 0x64};        // ESC ~ d v 00: density
constexpr unsigned char kTwoPlyMode[]       = {0x1B, 0x7E, 0x70};        // ESC ~ p n 00: two-ply mode
constexpr unsigned char kFeedMode[]         = {0x1B, 0x7E, 0x66};        // ESC ~ f n: feed mode
constexpr unsigned char kDashLine[]         = {0x1B, 0x7E, 0x2D};        // ESC ~ - n: dash line
constexpr unsigned char kSpeed[]            = {0x1B, 0x7E, 0x65, 0x56, 0x01};  // ESC ~ e V 01 n: speed
constexpr unsigned char kPrinterCase[]      = {0x1B, 0x7E, 0x65, 0x52, 0x01};  // ESC ~ e R 01 n: printer case
constexpr unsigned char kPaper[]            = {0x1B, 0x7E, 0x68};        // ESC ~ h pL pH: paper
constexpr unsigned char kPaperWidth[]       = {0x1B, 0x7E, 0x77};        // ESC ~ w pL pH wL wH: paper width
constexpr unsigned char kPaperLength[]      = {0x1B, 0x7E, 0x6C};        // ESC ~ l lL lH: paper length
// ESC ~ $ xL xH (1B 7E 24): horizontal position, written by RasterData::stripNullData
constexpr unsigned char kDataBlock[]        = {0x1B, 0x7E, 0x2A};        // ESC ~ * nL nH: data block, n row bytes follow
constexpr unsigned char kLineFeedOne[]      = {0x1B, 0x7E, 0x0A};        // ESC ~ LF: line feed, one line
constexpr unsigned char kLineFeedN[]        = {0x1B, 0x7E, 0x4A};        // ESC ~ J n: line feed, n lines (0..255)
constexpr unsigned char kPageEnd[]          = {0x1B, 0x7E, 0x0C};        // ESC ~ FF: page end

// Density operand for the densities 0..10.
constexpr unsigned char kDensityValues[11] = {
    0x00, 0x18, 0x30, 0x48, 0x60, 0x78, 0x90, 0xA8, 0xC0, 0xD8, 0xFF,
};
// clang-format on

// Bytes of the horizontal position command and of the fixed part of a data block.
constexpr int kPositionBytes = 5;
constexpr int kBlockHeaderBytes = 5;
// Bytes of one line feed command.
constexpr int kFeedBytes = 4;
// A block ends before this many consecutive zero bytes.
constexpr int kZeroRunThatSplits = 6;

template <size_t N>
void append(std::vector<unsigned char>& out, const unsigned char (&command)[N]) {
    out.insert(out.end(), command, command + N);
}

template <size_t N>
unsigned char* put(unsigned char* out, const unsigned char (&command)[N]) {
    std::memcpy(out, command, N);
    return out + N;
}

using lumeko::appendLe16;

// Rows of the image that go into the body: those above printableLength - topMargin.
int64_t rowsHandled(int64_t lines, int64_t printableLength, int64_t top) {
    return std::max<int64_t>(0, std::min(lines, printableLength - top));
}

// Bytes a feed of n lines takes (n below 0 is written as 0).
int64_t feedBytes(int64_t n) {
    int64_t bytes = kFeedBytes;
    while (n > 255) {
        bytes += kFeedBytes;
        n -= 255;
    }
    return bytes;
}

}  // namespace

FCRasterData::FCRasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec, Paper& jobPaper,
                           PrinterStatus& status)
    : RasterData(jobOption, jobSpec, jobPaper, status) {}

FCRasterData::~FCRasterData() = default;

void FCRasterData::setSwitchDynamicCommand(std::vector<unsigned char>& out) {
    append(out, setRasterModeFCCommand);
}

void FCRasterData::createStartPageCommand(int /*width*/, int height, int /*pages*/) {
    std::vector<unsigned char>& out = startPageCommand;
    if (spec.statusSupported) {
        setDuplexMode(out);
    }
    setDensity(out);
    set2plyMode(out);
    if (spec.feedModes != 0) {
        setFeed(out);
    }
    setDashLine(out);
    if (spec.speedCommand && option.speed <= 3) {
        setSpped(out);
    }
    if (spec.printerCaseCommand) {
        setPrinterCase(out);
    }
    if (paper.isCustomSize) {
        setPaperWidth(out);
    } else {
        setPaper(out);
    }
    setPaperLength(out, height);
}

void FCRasterData::setDensity(std::vector<unsigned char>& out) {
    // Read as an unsigned byte: a negative density is above 10 and sends nothing.
    const unsigned char density = static_cast<unsigned char>(option.density);
    if (density > 10) {
        return;
    }
    append(out, kDensity);
    out.push_back(kDensityValues[density]);
    out.push_back(0x00);
}

void FCRasterData::setDuplexMode(std::vector<unsigned char>& out) {
    append(out, kDuplexMode);
    out.push_back(0x01);
}

void FCRasterData::set2plyMode(std::vector<unsigned char>& out) {
    append(out, kTwoPlyMode);
    out.push_back(option.fcCarbon ? 0x01 : 0x00);
    out.push_back(0x00);
}

void FCRasterData::setFeed(std::vector<unsigned char>& out) {
    unsigned char n = static_cast<unsigned char>(option.fcFeedMode - 1);
    if (option.fcFeedMode == 4 && (spec.feedModes & 0x08) == 0) {
        n = 0x01;  // no retract feed on this model: the end-of-page feed instead
    }
    append(out, kFeedMode);
    out.push_back(n);
}

void FCRasterData::setDashLine(std::vector<unsigned char>& out) {
    append(out, kDashLine);
    out.push_back(option.dashLine ? 0x01 : 0x00);
}

void FCRasterData::setSpped(std::vector<unsigned char>& out) {
    append(out, kSpeed);
    out.push_back(option.speed);
}

void FCRasterData::setPrinterCase(std::vector<unsigned char>& out) {
    if (option.rollPrinterCase < 1 || option.rollPrinterCase > 3) {
        // A case the printer does not have: no half command, the page fails.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    append(out, kPrinterCase);
    out.push_back(static_cast<unsigned char>(option.rollPrinterCase - 1));
}

void FCRasterData::setPaper(std::vector<unsigned char>& out) {
    append(out, kPaper);
    appendLe16(out, paper.fcPaperCommandValue);
}

void FCRasterData::setPaperWidth(std::vector<unsigned char>& out) {
    // The printable width in bytes, rounded up.
    const unsigned int dots = static_cast<unsigned int>(paper.printableWidthDots) + paper.reserved1;
    const unsigned int bytes = (dots + 7) / 8;
    append(out, kPaperWidth);
    appendLe16(out, paper.fcPaperCommandValue);
    appendLe16(out, bytes);
}

void FCRasterData::setPaperLength(std::vector<unsigned char>& out, int height) {
    if (option.customFeed < 0 || option.customFeed > 0xFFFF || paper.printableLengthDots < 200) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    int64_t length;
    if (option.fcFeedMode == 1) {
        length = int64_t{height} + topMargin + option.customFeed;
    } else {
        length = int64_t{paper.lengthValue1} + option.customFeed;
    }
    if (length < 0 || length > 0xFFFF) {
        // The operand has 16 bits: a longer page would be cut short by the printer.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    append(out, kPaperLength);
    appendLe16(out, static_cast<unsigned int>(length));
}

bool FCRasterData::convertBitmapToRaster(unsigned char* image, int width, int height,
                                         bool isLastPage) {
    if (spec.mode9Supported && option.mode9) {
        // The base form builds the Mode 9 body with startPageCommand inside it.
        return RasterData::convertBitmapToRaster(image, width, height, isLastPage);
    }
    return convertBitmapToTiff(image, width, height);
}

bool FCRasterData::convertBitmapToTiff(unsigned char* image, int width, int height) {
    pageDataLength = 0;
    if (image == nullptr || width <= 0 || height < 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int64_t rowLength = (int64_t{width} + 7) / 8;
    const int64_t printable = paper.printableLengthDots;
    const int64_t rows = rowsHandled(height, printable, topMargin);
    const int64_t fixed = int64_t{spec.invalidateLength} +
                          static_cast<int64_t>(startPageCommand.size()) +
                          static_cast<int64_t>(sizeof(kPageEnd));
    // The work buffer of the printer's own sizing rule ...
    const int64_t nominal =
        fixed + 2 * (int64_t{height} * (paper.printableWidthDots / 8 + 9) + 4 * printable + 12);
    // ... and the real worst case of this image: every row split into one-byte blocks
    // between runs of six zeros, a feed before every row and the long feeds above, between
    // and after the rows.
    const int64_t blocksPerRow = (rowLength + kZeroRunThatSplits) / (kZeroRunThatSplits + 1);
    const int64_t worstRow = rowLength + blocksPerRow * (kPositionBytes + kBlockHeaderBytes);
    const int64_t worst = fixed + rows * (worstRow + kFeedBytes) +
                          feedBytes(std::max(0, topMargin)) + feedBytes(rows + 1) + kFeedBytes;
    const int64_t bytes = std::max(nominal, worst);
    unsigned char* work = raster_image::allocateImage(bytes);
    if (work == nullptr) {
        return false;
    }
    const int written = makeRasterDataTiff(image, static_cast<int>(rowLength), height,
                                           paper.printableLengthDots, work);
    unsigned char* body = new (std::nothrow) unsigned char[static_cast<size_t>(written)];
    if (body == nullptr) {
        delete[] work;
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    std::memcpy(body, work, static_cast<size_t>(written));
    delete[] work;
    delete[] pageData;
    pageData = body;
    pageDataLength = written;
    return true;
}

int FCRasterData::makeRasterDataTiff(unsigned char* image, int rowLength, int lines,
                                     int printableLength, unsigned char* out) {
    unsigned char* p = out;
    // The start block comes first on this path, then the model's zero bytes.
    p += tpes::Util::writeData(startPageCommand, p);
    std::memset(p, 0, spec.invalidateLength);
    p += spec.invalidateLength;
    // The feed to the top margin is written even when it is 0.
    p += linefeed(topMargin, p);

    const int64_t rows = rowsHandled(lines, printableLength, topMargin);
    int pending = 0;
    for (int64_t r = 0; r < rows; ++r) {
        unsigned char* row = image + r * rowLength;
        if (whiteRows(row, rowLength)) {
            ++pending;
            continue;
        }
        if (pending != 0) {
            p += linefeed(pending, p);
        }
        p += make1RasterData(row, rowLength, leftMargin, p);
        pending = 1;  // the feed past the row just printed
    }
    if (rows > 0) {
        p += linefeed(pending, p);
    }
    p = put(p, kPageEnd);
    return static_cast<int>(p - out);
}

int FCRasterData::make1RasterData(unsigned char* row, int rowLength, int margin,
                                  unsigned char* out) {
    unsigned char* p = out;
    int start = 0;
    while (start < rowLength && row[start] == 0) {
        ++start;
    }
    if (start == rowLength) {
        return 0;  // a white row has no block
    }
    if (start < kZeroRunThatSplits) {
        start = 0;  // up to five leading zeros go out as data
    }
    while (start < rowLength) {
        const int n = getBlock(row, start, rowLength);
        if (n <= 0) {
            break;
        }
        p += stripNullData(margin + 8 * start, p);
        p = put(p, kDataBlock);
        lumeko::writeLe16(p, static_cast<unsigned int>(n));
        p += 2;
        std::memcpy(p, row + start, static_cast<size_t>(n));
        p += n;
        start += n;
        while (start < rowLength && row[start] == 0) {
            ++start;
        }
    }
    return static_cast<int>(p - out);
}

bool FCRasterData::whiteRows(unsigned char* row, int rowLength) {
    for (int i = 0; i < rowLength; ++i) {
        if (row[i] != 0) {
            return false;
        }
    }
    return true;
}

int FCRasterData::linefeed(int n, unsigned char* out) {
    unsigned char* p = out;
    if (n < 0) {
        n = 0;
    }
    while (n > 255) {
        p = put(p, kLineFeedN);
        *p++ = 0xFF;
        n -= 255;
    }
    if (n == 1) {
        p = put(p, kLineFeedOne);
    } else {
        p = put(p, kLineFeedN);
        *p++ = static_cast<unsigned char>(n);
    }
    return static_cast<int>(p - out);
}
