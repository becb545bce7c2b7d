#include "raster/bi_color_raster_data.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "common/error_code.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/color_kernels.h"
#include "raster/htnlib.h"
#include "raster/image_buffer.h"
#include "raster/image_limits.h"
#include "raster/raster_line.h"

namespace error = lumeko::error;

namespace {

// Without a file, the pixels in memory must be R, G, B triples: one grey byte a pixel is a
// third of what the separation reads, and missing pixels leave nothing to print.
bool colourPixelsInMemory(const BitmapData& bitmap) {
    return bitmap.pixels != nullptr && bitmap.isColor;
}

// clang-format off
constexpr unsigned char kTwoColorLine = 0x77;  // 'w' plane length data: two-colour raster line
constexpr unsigned char kBlankLine    = 0x5A;  // 'Z': one line white in both planes
constexpr unsigned char kPageEnd      = 0x1A;  // page end
// clang-format on

// Plane numbers on the wire: the black plane (index 0) goes out as 1, the red plane as 2.
constexpr int kPlaneCount = 2;
// The colour-effect table: three curves of 256 entries.
constexpr int kColorEffectTableBytes = 768;
// Side of the ordered-dither matrix.
constexpr unsigned int kDitherSide = 8;
// The largest value a one-byte line length can carry.
constexpr int kMaxLineLength = 255;

// Eight pixels into one byte, the first in the most significant bit: a bit is 1 where the
// pixel equals value. getOneByte does the same a pixel at a time.
inline unsigned char packEqualEight(const unsigned char* p, unsigned char value) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Pixel k is byte k of the word. After the exclusive or a byte is 0 exactly where the
    // pixel equals value; adding 0x7F to its low seven bits sets bit 7 unless they are all 0,
    // without a carry into the next byte. The inverted bit 7 of each byte, moved to bit 8k,
    // is then gathered by one multiply into the top byte, pixel k at bit 63 - k.
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const uint64_t diff = word ^ (kOnes * value);
    const uint64_t nonZero = ((diff & kLow7) + kLow7) | diff;
    const uint64_t dots = (~nonZero >> 7) & kOnes;
    return static_cast<unsigned char>((dots * 0x8040201008040201ull) >> 56);
#else
    unsigned byte = 0;
    for (int i = 0; i < 8; ++i) {
        byte |= static_cast<unsigned>(p[i] == value) << (7 - i);
    }
    return static_cast<unsigned char>(byte);
#endif
}

// True when a width x height colour image (3 bytes a pixel) may be allocated.
bool isColorSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= raster_limits::kMaxImageBytes &&
           height <= raster_limits::kMaxImageBytes &&
           width * height <= raster_limits::kMaxImageBytes / 3;
}

using raster_image::allocateImage;
using raster_image::packedRowBytes;

void releasePlanes(unsigned char**& planes) {
    if (planes == nullptr) {
        return;
    }
    for (int p = 0; p < kPlaneCount; ++p) {
        delete[] planes[p];
    }
    delete[] planes;
    planes = nullptr;
}

}  // namespace

BiColorRasterData::BiColorRasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec,
                                     Paper& jobPaper, PrinterStatus& status)
    : RasterData(jobOption, jobSpec, jobPaper, status) {}

BiColorRasterData::~BiColorRasterData() = default;

bool BiColorRasterData::createPrnDate(BitmapData& bitmap, double scale, int& width, int& height,
                                      int pages, int /*page*/) {
    unsigned char** planes = nullptr;
    bool result = makeOneBitBitmapFromColor(bitmap, planes, scale, width, height);
    if (result) {
        result = preCreateRasterDataFromOneBitmap(width, height, pages);
    }
    if (result) {
        result = convertBitmapToRasterPrnData(planes, width, height);
    }
    releasePlanes(planes);
    return result;
}

bool BiColorRasterData::makeOneBitBitmapFromColor(BitmapData& bitmap, unsigned char**& planes,
                                                  double scale, int& width, int& height) {
    planes = nullptr;
    // Every size is checked before anything is allocated.
    if (!raster_limits::isImageSizeAllowed(width, height) || !isColorSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    if (option.halftone < 1 || option.halftone > 3) {
        // No separation method: the page would be undefined.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }

    // Without a turn, a resize, a fit or a colour effect no step needs the whole colour
    // picture: the pixel rows are then read one at a time and separated as they come, with
    // the same checks and the same bytes.
    const bool streamRows = option.orientation != 2 && !(bitmap.applyScale && scale != 1.0) &&
                            option.printMode != 4 && !shouldConvertedByTable();
    unsigned char* image = nullptr;
    // A larger stream buffer than the default: fewer, longer reads of the file.
    constexpr std::streamsize kReadBuffer = 1 << 17;
    std::unique_ptr<char[]> streamBuffer;
    std::ifstream file;
    std::unique_ptr<unsigned char[]> rowBuffer;
    if (streamRows) {
        width = bitmap.bitmapWidth;
        height = bitmap.bitmapHeight;
        if (!isColorSizeAllowed(width, height) ||
            (bitmap.bitmapFile.empty() && !colourPixelsInMemory(bitmap))) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return false;
        }
        if (!bitmap.bitmapFile.empty()) {
            streamBuffer.reset(new (std::nothrow) char[kReadBuffer]);
            if (streamBuffer) {
                file.rdbuf()->pubsetbuf(streamBuffer.get(), kReadBuffer);
            }
            file.open(bitmap.bitmapFile, std::ios::binary);
            if (!file) {
                PrinterStatus::error_code_ = error::kBitmapUnreadable;
                return false;
            }
            rowBuffer.reset(allocateImage(int64_t{width} * 3));
            if (!rowBuffer) {
                return false;
            }
        }
    } else {
        // 1. Read and turn.
        unsigned char* source = nullptr;
        int sourceWidth = 0;
        int sourceHeight = 0;
        if (!adjustBitmapDirection(bitmap, source, sourceWidth, sourceHeight)) {
            return false;
        }
        // 2. Size: the target follows the turn.
        if (option.orientation == 2) {
            std::swap(width, height);
        }
        if (!adjustBitmapSize(image, source, scale, width, height, sourceWidth, sourceHeight,
                              bitmap)) {
            delete[] source;
            return false;
        }
        delete[] source;  // null when the image took it over
        // 3. Fit.
        if (option.printMode == 4 && !adjustFitToPaper(image, width, height)) {
            delete[] image;
            return false;
        }
    }

    // 4. Colour-effect table.
    const bool useTable = shouldConvertedByTable();
    unsigned char table[kColorEffectTableBytes];
    if (useTable &&
        MakeColorEffectTable(option.colorBrightness, option.colorContrast, option.colorRed,
                             option.colorGreen, option.colorBlue, table) != 0) {
        // A value the table cannot take: the page stops here.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        delete[] image;
        return false;
    }

    // 5. Separation, one row per kernel call; the dither counter and the error rows run on
    // from row to row.
    unsigned char* ternary = allocateImage(int64_t{width} * height);
    std::vector<int> errorSums;
    if (ternary != nullptr && option.halftone == 3) {
        errorSums.assign(static_cast<size_t>(width) * 6, 0);
    }
    BinarizeErrorRows redState{};
    BinarizeErrorRows blackState{};
    if (!errorSums.empty()) {
        int* rows = errorSums.data();
        redState = {rows, rows + width, rows + 2 * width};
        blackState = {rows + 3 * width, rows + 4 * width, rows + 5 * width};
    }
    const int threshold = 255 - (option.halfThreshold & 0xFF);
    const int stride = 3 * width;
    int rowCounter = 0;
    bool ok = ternary != nullptr;
    for (int y = 0; ok && y < height; ++y) {
        unsigned char* rgb = nullptr;
        if (!streamRows) {
            rgb = image + int64_t{y} * stride;
        } else if (rowBuffer) {
            file.read(reinterpret_cast<char*>(rowBuffer.get()),
                      static_cast<std::streamsize>(stride));
            if (file.gcount() != stride) {
                // A short pixel file is an unreadable bitmap: never print what was not read.
                PrinterStatus::error_code_ = error::kBitmapUnreadable;
                ok = false;
                break;
            }
            rgb = rowBuffer.get();
        } else {
            // The host's pixels: the kernels only read them (no colour effect on this path).
            rgb = bitmap.pixels + int64_t{y} * stride;
        }
        unsigned char* out = ternary + int64_t{y} * width;
        if (useTable) {
            ExecColorEffect(rgb, width, stride, 1, table);
        }
        int result = -1;
        switch (option.halftone) {
            case 1:
                result = MakeBicolorTernaryThreshold(rgb, width, stride, 1, threshold, out);
                break;
            case 2:
                result = MakeBicolorTernaryDither(rgb, width, stride, 1, kDitherSide, kDitherSide,
                                                  tbl_Dither, &rowCounter, out);
                break;
            default:
                result = MakeBicolorTernaryErrorDiffusion(rgb, width, stride, 1, threshold,
                                                          &redState, &blackState, out);
                break;
        }
        ok = result == 0;
    }
    delete[] image;
    if (!ok) {
        delete[] ternary;
        return false;
    }

    // 6. Trim trailing rows without ink, keeping the model's shortest printable length.
    if (option.trimTapeAfterData) {
        const int keep = tpes::Util::clampLower(cutZeroLine(ternary, width, height),
                                                spec.minPrintableAreaLength_dot());
        // The shortest length passes the image: white rows (no ink, 0) are added below it.
        if (keep > height && !raster_image::extendWithBlankRows(ternary, width, height, keep, 0)) {
            delete[] ternary;
            return false;
        }
        height = keep;
    }
    // 7. Turn by 180 degrees.
    if (isRotate180() && !rotate180(ternary, width, height)) {
        delete[] ternary;
        return false;
    }
    // 8. Planes: black, then red.
    planes = new (std::nothrow) unsigned char*[kPlaneCount]();
    if (planes == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        delete[] ternary;
        return false;
    }
    ok = getOneBitBitmap(width, height, ternary, 0, planes[0], COLORCONV_BLACK) != 0 &&
         getOneBitBitmap(width, height, ternary, 0, planes[1], COLORCONV_RED) != 0;
    delete[] ternary;
    if (!ok) {
        releasePlanes(planes);
    }
    return ok;
}

bool BiColorRasterData::adjustBitmapDirection(BitmapData& bitmap, unsigned char*& image, int& width,
                                              int& height) {
    image = nullptr;
    width = bitmap.bitmapWidth;
    height = bitmap.bitmapHeight;
    if (!isColorSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int64_t bytes = int64_t{width} * height * 3;
    unsigned char* read = nullptr;
    if (bitmap.bitmapFile.empty()) {
        if (!colourPixelsInMemory(bitmap)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return false;
        }
        read = allocateImage(bytes);
        if (read == nullptr) {
            return false;
        }
        std::memcpy(read, bitmap.pixels, static_cast<size_t>(bytes));
    } else {
        std::ifstream file(bitmap.bitmapFile, std::ios::binary);
        if (!file) {
            PrinterStatus::error_code_ = error::kBitmapUnreadable;
            return false;
        }
        read = allocateImage(bytes);
        if (read == nullptr) {
            return false;
        }
        const int64_t rowBytes = int64_t{width} * 3;
        for (int y = 0; y < height; ++y) {
            file.read(reinterpret_cast<char*>(read + y * rowBytes),
                      static_cast<std::streamsize>(rowBytes));
            if (file.gcount() != rowBytes) {
                // A short pixel file is an unreadable bitmap: never print what was not read.
                PrinterStatus::error_code_ = error::kBitmapUnreadable;
                delete[] read;
                return false;
            }
        }
    }
    unsigned char* turned = nullptr;
    const bool ok = adjustDirection(read, turned, width, height, option.orientation);
    delete[] read;
    if (ok) {
        image = turned;
    }
    return ok;
}

bool BiColorRasterData::adjustDirection(unsigned char*& src, unsigned char*& dst, int& width,
                                        int& height, int orientation) {
    dst = nullptr;
    if (src == nullptr || !isColorSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int64_t bytes = int64_t{width} * height * 3;
    dst = allocateImage(bytes);
    if (dst == nullptr) {
        return false;
    }
    if (orientation == 2) {
        rotate(dst, src, width, height);
        std::swap(width, height);
    } else {
        std::memcpy(dst, src, static_cast<size_t>(bytes));
    }
    return true;
}

void BiColorRasterData::rotate(unsigned char*& dst, unsigned char*& src, int width, int height) {
    // Destination row x is source column x read from the bottom row up.
    unsigned char* out = dst;
    for (int x = 0; x < width; ++x) {
        for (int y = height - 1; y >= 0; --y) {
            const unsigned char* pixel = src + (int64_t{y} * width + x) * 3;
            *out++ = pixel[0];
            *out++ = pixel[1];
            *out++ = pixel[2];
        }
    }
}

bool BiColorRasterData::adjustBitmapSize(unsigned char*& out, unsigned char*& in, double scale,
                                         int& width, int& height, int sourceWidth, int sourceHeight,
                                         BitmapData bitmap) {
    if (bitmap.applyScale && scale != 1.0) {
        // No quality stretch on this path: one scale for both directions.
        const bool ok = resize(in, out, sourceWidth, sourceHeight, width, height, scale, scale);
        delete[] in;
        in = nullptr;
        return ok;
    }
    out = in;
    in = nullptr;
    width = sourceWidth;
    height = sourceHeight;
    return true;
}

bool BiColorRasterData::resize(unsigned char*& src, unsigned char*& dst, int sourceWidth,
                               int sourceHeight, int width, int height, double scaleX,
                               double scaleY) {
    dst = nullptr;
    if (src == nullptr || !isColorSizeAllowed(sourceWidth, sourceHeight) ||
        !isColorSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    int* columns = nullptr;
    int* rows = nullptr;
    calcOriginalPos(sourceWidth, width, scaleX, columns);
    calcOriginalPos(sourceHeight, height, scaleY, rows);
    dst = (columns != nullptr && rows != nullptr) ? allocateImage(int64_t{width} * height * 3)
                                                  : nullptr;
    if (dst == nullptr) {
        delete[] columns;
        delete[] rows;
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    unsigned char* out = dst;
    for (int y = 0; y < height; ++y) {
        const unsigned char* sourceRow = src + int64_t{rows[y]} * sourceWidth * 3;
        for (int x = 0; x < width; ++x) {
            const unsigned char* pixel = sourceRow + int64_t{columns[x]} * 3;
            *out++ = pixel[0];
            *out++ = pixel[1];
            *out++ = pixel[2];
        }
    }
    delete[] columns;
    delete[] rows;
    return true;
}

bool BiColorRasterData::adjustFitToPaper(unsigned char*& image, int& width, int& height) {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
    getFitToPaperHeightMargin(height, top, bottom, 1.0);
    getFitToPaperWidthMargin(width, left, right, 1.0);
    top = std::max(top, 0);
    bottom = std::max(bottom, 0);
    left = std::max(left, 0);
    right = std::max(right, 0);

    const int64_t newWidth = int64_t{width} - left - right;
    const int64_t newHeight = int64_t{height} - top - bottom;
    if (newWidth <= 0 || newHeight <= 0) {
        PrinterStatus::error_code_ = error::kNoPrintArea;
        return false;
    }
    unsigned char* cut = allocateImage(newWidth * newHeight * 3);
    if (cut == nullptr) {
        return false;
    }
    for (int64_t r = 0; r < newHeight; ++r) {
        std::memcpy(cut + r * newWidth * 3, image + ((top + r) * width + left) * 3,
                    static_cast<size_t>(newWidth) * 3);
    }
    delete[] image;
    image = cut;
    width = static_cast<int>(newWidth);
    height = static_cast<int>(newHeight);
    return true;
}

int BiColorRasterData::cutZeroLine(unsigned char*& image, int width, int height) {
    return raster_image::rowsUpToLastInk(image, width, height, 0);  // 0: no ink
}

unsigned char BiColorRasterData::getOneByte(unsigned char* pixels, int count, int /*unused*/,
                                            COLORCONV value) {
    // Without a branch: the pixels of a halftoned page follow no pattern.
    unsigned byte = 0;
    for (int i = 0; i < count && i < 8; ++i) {
        byte |= static_cast<unsigned>(pixels[i] == value) << (7 - i);
    }
    return static_cast<unsigned char>(byte);
}

int BiColorRasterData::getOneBitBitmap(int width, int height, unsigned char*& ternary,
                                       int /*unused*/, unsigned char*& plane, COLORCONV value) {
    plane = nullptr;
    if (width <= 0 || height <= 0 || ternary == nullptr) {
        return 0;
    }
    const int rowBytes = packedRowBytes(width);
    const int64_t bytes = int64_t{rowBytes} * height;
    plane = allocateImage(bytes);
    if (plane == nullptr) {
        return 0;
    }
    const int whole = width / 8;
    for (int y = 0; y < height; ++y) {
        unsigned char* src = ternary + int64_t{y} * width;
        unsigned char* dst = plane + int64_t{y} * rowBytes;
        for (int b = 0; b < whole; ++b) {
            dst[b] = packEqualEight(src + b * 8, static_cast<unsigned char>(value));
        }
        for (int b = whole; b < rowBytes; ++b) {
            dst[b] = getOneByte(src + b * 8, std::min(8, width - b * 8), 0, value);
        }
    }
    return static_cast<int>(bytes);
}

bool BiColorRasterData::convertBitmapToRasterPrnData(unsigned char** planes, int width,
                                                     int height) {
    if (planes == nullptr || planes[0] == nullptr || planes[1] == nullptr || width <= 0 ||
        height < 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int lineBytes = lineBytesOfHead();
    if (lineBytes <= 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const bool raw = spec.compression == 0 || (spec.compression == 1 && option.rawMode);
    if (raw && lineBytes > kMaxLineLength) {
        // The length of every raw line goes into one byte.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    // Sized from the real counts: every blank and image line in its longest form for both
    // planes (a raw line, or a line sent as two literal stretches), and the page end.
    const int64_t printable = paper.printableLengthDots;
    const int64_t blank = std::max<int64_t>(0, topMargin) +
                          std::max<int64_t>(0, printable - (int64_t{height} + topMargin));
    const int64_t longestLine = 3 + int64_t{lineBytes} + 2;
    const int64_t bytes = (blank + height) * kPlaneCount * longestLine + 1;
    if (bytes > raster_limits::kMaxImageBytes) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    delete[] pageData;
    pageDataLength = 0;
    pageData = allocateImage(bytes);
    if (pageData == nullptr) {
        return false;
    }
    if (raw) {
        return createRawData(planes, width, height, lineBytes);
    }
    return createTiffData(planes, width, height, lineBytes);
}

namespace {

// Top and bottom blank-line counts of a two-colour body; with the 180-degree turn they swap
// and the top margin takes the bottom count.
void blankCounts(RasterData& data, int height, int& top, int& bottom) {
    top = data.topMargin;
    const int64_t rest =
        int64_t{data.paper.printableLengthDots} - (int64_t{height} + data.topMargin);
    bottom = raster_limits::clampToInt(rest);
    if (data.isRotate180()) {
        std::swap(top, bottom);
        data.topMargin = top;
    }
}

}  // namespace

bool BiColorRasterData::createRawData(unsigned char**& planes, int width, int height,
                                      int lineBytes) {
    int top = 0;
    int bottom = 0;
    blankCounts(*this, height, top, bottom);
    const int rowBytes = packedRowBytes(width);
    std::vector<unsigned char> work(static_cast<size_t>(lineBytes));
    unsigned char* out = pageData + pageDataLength;
    out += setZeroData(out, lineBytes, top);
    for (int r = 0; r < height; ++r) {
        for (int p = 0; p < kPlaneCount; ++p) {
            *out++ = kTwoColorLine;
            *out++ = static_cast<unsigned char>(p + 1);
            *out++ = static_cast<unsigned char>(lineBytes);
            raster_line::prepareLine(*this, planes[p] + int64_t{r} * rowBytes, rowBytes, lineBytes,
                                     work.data(), out);
            out += lineBytes;
        }
    }
    out += setZeroData(out, lineBytes, bottom);
    *out++ = kPageEnd;
    pageDataLength = static_cast<int>(out - pageData);
    return true;
}

bool BiColorRasterData::createTiffData(unsigned char**& planes, int width, int height,
                                       int lineBytes) {
    int top = 0;
    int bottom = 0;
    blankCounts(*this, height, top, bottom);
    const int rowBytes = packedRowBytes(width);
    std::vector<unsigned char> work(static_cast<size_t>(lineBytes));
    std::vector<unsigned char> line(static_cast<size_t>(lineBytes));
    std::vector<unsigned char> packed(static_cast<size_t>(lineBytes) * 2);
    unsigned char* out = pageData + pageDataLength;
    for (int i = 0; i < top; ++i) {
        *out++ = kBlankLine;
    }
    for (int r = 0; r < height; ++r) {
        for (int p = 0; p < kPlaneCount; ++p) {
            raster_line::prepareLine(*this, planes[p] + int64_t{r} * rowBytes, rowBytes, lineBytes,
                                     work.data(), line.data());
            unsigned char* in = line.data();
            unsigned char* pk = packed.data();
            const int n = compressData(in, lineBytes, pk);
            // Packed, or the whole line as literal stretches when packing does not pay.
            const int64_t length = n <= lineBytes ? n : raster_line::literalFormBytes(lineBytes);
            if (n <= 0 || length > kMaxLineLength) {
                // A line whose length does not fit its one-byte field.
                delete[] pageData;
                pageData = nullptr;
                pageDataLength = 0;
                PrinterStatus::error_code_ = error::kInvalidParameter;
                return false;
            }
            *out++ = kTwoColorLine;
            *out++ = static_cast<unsigned char>(p + 1);
            *out++ = static_cast<unsigned char>(length);
            if (n <= lineBytes) {
                std::memcpy(out, packed.data(), static_cast<size_t>(n));
                out += n;
            } else {
                out += raster_line::putLiteralStretches(out, line.data(), lineBytes);
            }
        }
    }
    for (int i = 0; i < bottom; ++i) {
        *out++ = kBlankLine;
    }
    *out++ = kPageEnd;
    pageDataLength = static_cast<int>(out - pageData);
    return true;
}

int BiColorRasterData::setZeroData(unsigned char* out, int lineBytes, int count) {
    if (count < 1) {
        return 0;
    }
    unsigned char* p = out;
    for (int i = 0; i < count; ++i) {
        for (int plane = 0; plane < kPlaneCount; ++plane) {
            *p++ = kTwoColorLine;
            *p++ = static_cast<unsigned char>(plane + 1);
            *p++ = static_cast<unsigned char>(lineBytes);
            std::memset(p, 0, static_cast<size_t>(lineBytes));
            p += lineBytes;
        }
    }
    return static_cast<int>(p - out);
}

bool BiColorRasterData::shouldConvertedByTable() {
    return option.colorBrightness != 0 || option.colorContrast != 0 || option.colorRed != 0 ||
           option.colorGreen != 0 || option.colorBlue != 0;
}
