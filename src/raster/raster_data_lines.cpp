// Raster line encoding of RasterData: the choice of Mode 9, raw and run-length page
// bodies, the run-length encoder, bit reversal and the row helpers of the full-page series.
//
// A transmitted line is the head line mirrored end to end with every byte bit-reversed:
// byte k = reverseByte(head byte lineBytes - 1 - k).
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "common/byte_order.h"
#include "common/error_code.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/image_buffer.h"
#include "raster/image_limits.h"
#include "raster/mode9.h"
#include "raster/raster_data.h"
#include "raster/raster_line.h"

namespace error = lumeko::error;

namespace {

constexpr std::array<unsigned char, 256> makeReverseTable() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int r = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (b & (1 << bit)) {
                r |= 0x80 >> bit;
            }
        }
        t[b] = static_cast<unsigned char>(r);
    }
    return t;
}

constexpr std::array<unsigned char, 256> kReverse = makeReverseTable();

// Writes a raster line header: 'g' with a big-endian length for style 1, else 'G' with a
// little-endian length.
int putLineHeader(unsigned char* out, bool bigEndian, int length) {
    out[0] = bigEndian ? 0x67 : 0x47;  // g / G: one raster line
    if (bigEndian) {
        lumeko::writeBe16(out + 1, static_cast<std::uint32_t>(length));
    } else {
        lumeko::writeLe16(out + 1, static_cast<std::uint32_t>(length));
    }
    return 3;
}

}  // namespace

namespace raster_line {

void prepareLine(RasterData& r, const unsigned char* row, int rowBytes, int lineBytes,
                 unsigned char* work, unsigned char* line) {
    std::memset(work, 0, static_cast<size_t>(lineBytes));
    tpes::Util::setLeftMargin(row, work, rowBytes, r.leftMargin, 0, lineBytes);
    for (int k = 0; k < lineBytes; ++k) {
        line[k] = r.reverseByte(work[lineBytes - 1 - k]);
    }
}

int64_t literalFormBytes(int lineBytes) {
    return lineBytes + (lineBytes + 127) / 128;
}

int putLiteralStretches(unsigned char* out, const unsigned char* line, int lineBytes) {
    unsigned char* const start = out;
    for (int at = 0; at < lineBytes; at += 128) {
        const int len = lineBytes - at < 128 ? lineBytes - at : 128;
        *out++ = static_cast<unsigned char>(len - 1);
        std::memcpy(out, line + at, static_cast<size_t>(len));
        out += len;
    }
    return static_cast<int>(out - start);
}

}  // namespace raster_line

using raster_line::literalFormBytes;
using raster_line::prepareLine;

int RasterData::lineBytesOfHead() const {
    const int dots = (spec.tubeSupported && paper.isTube) ? spec.tubeHeadDots : spec.headDots;
    return dots / 8;
}

unsigned char RasterData::reverseByte(unsigned char b) {
    return kReverse[b];
}

bool RasterData::convertBitmapToRaster(unsigned char* image, int width, int height,
                                       bool /*isLastPage*/) {
    if (spec.mode9Supported && option.mode9) {
        Mode9 mode9(paper, option, spec, startPageCommand);
        delete[] pageData;
        pageData = nullptr;
        pageDataLength = 0;
        return mode9.convertBitmapToMode9(image, width, height, pageDataLength, pageData, topMargin,
                                          leftMargin);
    }
    return convertBitmapToRasterPrnData(image, width, height);
}

namespace {

// Blank line counts above and below the image of a line body.
struct BlankCounts {
    int top = 0;
    int bottom = 0;
};

}  // namespace

bool RasterData::convertBitmapToRasterPrnData(unsigned char* image, int width, int height) {
    if (image == nullptr || width <= 0 || height < 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int lineBytes = lineBytesOfHead();
    if (lineBytes <= 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;  // no head to print on
        return false;
    }
    const bool raw = spec.compression == 0 || (spec.compression == 1 && option.rawMode);

    // Size the body from the real counts and the longest form of a line.
    const float m = raw ? printQualitySetting.magnificationOfPaperImageareaHeightForRaw()
                        : printQualitySetting.magnificationOfPaperImageareaHeightForTiff();
    const int bottom = raster_limits::truncToInt(m * static_cast<float>(paper.printableLengthDots) -
                                                 static_cast<float>(int64_t{height} + topMargin));
    const int64_t blanks = int64_t{bottom > 0 ? bottom : 0} + (topMargin > 0 ? topMargin : 0);
    const int64_t blankBytes = raw ? lineBytes + 3 : 1;
    const int64_t lineMax = 3 + (raw ? lineBytes : literalFormBytes(lineBytes));
    const int64_t bytes = blanks * blankBytes + int64_t{height} * lineMax + 1;
    if (bytes > raster_limits::kMaxImageBytes) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    delete[] pageData;
    pageDataLength = 0;
    pageData = new (std::nothrow) unsigned char[static_cast<size_t>(bytes)];
    if (pageData == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    return raw ? createRawData(image, width, height, lineBytes)
               : createTiffData(image, width, height, lineBytes);
}

namespace {

// The blank counts of a line body; under the 180-degree turn the counts swap and the
// top margin takes the bottom value.
BlankCounts blankCountsOf(RasterData& r, float m, int height) {
    BlankCounts c;
    const int bottom =
        raster_limits::truncToInt(m * static_cast<float>(r.paper.printableLengthDots) -
                                  static_cast<float>(int64_t{height} + r.topMargin));
    c.top = r.topMargin;
    c.bottom = bottom;
    if (r.isRotate180()) {
        std::swap(c.top, c.bottom);
        r.topMargin = c.top;
    }
    if (c.top < 1) {
        c.top = 0;
    }
    if (c.bottom < 1) {
        c.bottom = 0;
    }
    return c;
}

}  // namespace

bool RasterData::createRawData(unsigned char*& image, int width, int height, int lineBytes) {
    const BlankCounts blanks = blankCountsOf(
        *this, printQualitySetting.magnificationOfPaperImageareaHeightForRaw(), height);
    const bool bigEndian = spec.rasterLineStyle == 1;
    const int rowBytes = raster_image::packedRowBytes(width);
    std::unique_ptr<unsigned char[]> work(new unsigned char[static_cast<size_t>(lineBytes)]);
    unsigned char* out = pageData + pageDataLength;
    out += setZeroData(out, lineBytes, blanks.top);
    for (int r = 0; r < height; ++r) {
        out += putLineHeader(out, bigEndian, lineBytes);
        prepareLine(*this, image + int64_t{r} * rowBytes, rowBytes, lineBytes, work.get(), out);
        out += lineBytes;
    }
    out += setZeroData(out, lineBytes, blanks.bottom);
    *out++ = 0x1A;  // page end
    pageDataLength = static_cast<int>(out - pageData);
    return true;
}

bool RasterData::createTiffData(unsigned char*& image, int width, int height, int lineBytes) {
    const BlankCounts blanks = blankCountsOf(
        *this, printQualitySetting.magnificationOfPaperImageareaHeightForTiff(), height);
    const int rowBytes = raster_image::packedRowBytes(width);
    std::unique_ptr<unsigned char[]> work(new unsigned char[static_cast<size_t>(lineBytes)]);
    std::unique_ptr<unsigned char[]> line(new unsigned char[static_cast<size_t>(lineBytes)]);
    std::unique_ptr<unsigned char[]> packed(new unsigned char[2 * static_cast<size_t>(lineBytes)]);
    unsigned char* out = pageData + pageDataLength;
    for (int i = 0; i < blanks.top; ++i) {
        *out++ = 0x5A;  // Z: one blank line
    }
    for (int r = 0; r < height; ++r) {
        if (spec.rasterLineStyle != 1 && spec.rasterLineStyle != 2) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            delete[] pageData;
            pageData = nullptr;
            pageDataLength = 0;
            return false;
        }
        const bool bigEndian = spec.rasterLineStyle == 1;
        prepareLine(*this, image + int64_t{r} * rowBytes, rowBytes, lineBytes, work.get(),
                    line.get());
        unsigned char* in = line.get();
        unsigned char* pk = packed.get();
        const int n = compressData(in, lineBytes, pk);
        if (n <= lineBytes) {
            out += putLineHeader(out, bigEndian, n);
            std::memcpy(out, pk, static_cast<size_t>(n));
            out += n;
        } else {
            // Literal stretches of at most 128 bytes, the whole line.
            out += putLineHeader(out, bigEndian, static_cast<int>(literalFormBytes(lineBytes)));
            out += raster_line::putLiteralStretches(out, line.get(), lineBytes);
        }
    }
    for (int i = 0; i < blanks.bottom; ++i) {
        *out++ = 0x5A;  // Z: one blank line
    }
    *out++ = 0x1A;  // page end
    pageDataLength = static_cast<int>(out - pageData);
    return true;
}

int RasterData::setZeroData(unsigned char* out, int lineBytes, int count) {
    if (count < 1) {
        return 0;
    }
    const bool bigEndian = spec.rasterLineStyle == 1;
    unsigned char* p = out;
    for (int i = 0; i < count; ++i) {
        p += putLineHeader(p, bigEndian, lineBytes);
        std::memset(p, 0, static_cast<size_t>(lineBytes));
        p += lineBytes;
    }
    return static_cast<int>(p - out);
}

int RasterData::compressData(unsigned char*& in, int n, unsigned char*& out) {
    int o = 0;
    int literalStart = 0;
    int literalLength = 0;
    auto flushLiteral = [&]() {
        if (literalLength > 0) {
            out[o++] = static_cast<unsigned char>(literalLength - 1);
            std::memcpy(out + o, in + literalStart, static_cast<size_t>(literalLength));
            o += literalLength;
            literalLength = 0;
        }
    };
    auto addLiteral = [&](int at) {
        if (literalLength == 128) {
            flushLiteral();
        }
        if (literalLength == 0) {
            literalStart = at;
        }
        ++literalLength;
    };
    int i = 0;
    while (i < n) {
        int run = 1;
        while (i + run < n && in[i + run] == in[i]) {
            ++run;
        }
        if (run < 2) {
            addLiteral(i);
            ++i;
            continue;
        }
        flushLiteral();
        while (run >= 2) {
            const int c = run > 128 ? 128 : run;
            out[o++] = static_cast<unsigned char>(1 - c);  // -(c - 1) as a signed byte
            out[o++] = in[i];
            i += c;
            run -= c;
        }
        if (run == 1) {
            addLiteral(i);  // a single byte left over starts the next stretch
            ++i;
        }
    }
    flushLiteral();
    return o;
}

int RasterData::getBlock(unsigned char*& row, int start, int end) {
    if (start >= end) {
        return 0;
    }
    int i = start;
    int zeros = 0;
    while (i < end) {
        zeros = row[i] == 0 ? zeros + 1 : 0;
        ++i;
        if (zeros == 6) {
            break;
        }
    }
    int read = i - start;
    if (zeros >= 5) {
        read -= zeros;
    }
    return read;
}

int RasterData::stripNullData(int position, unsigned char* out) {
    // ESC ~ $ nL nH (1B 7E 24): horizontal position of the next block, in dots
    out[0] = 0x1B;
    out[1] = 0x7E;
    out[2] = 0x24;
    lumeko::writeLe16(out + 3, static_cast<std::uint32_t>(position));
    return 5;
}
