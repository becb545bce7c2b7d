// The one-bit image of RasterData: grey conversion, trimming, the Mode 9 mirror,
// halftoning, the 180-degree turn, the high-resolution rule and packing into rows of bits;
// plus the file writers the host calls without a printer.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "common/error_code.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/color_kernels_grey.h"
#include "raster/halftone.h"
#include "raster/halftone_legacy.h"
#include "raster/halftone_private.h"
#include "raster/htnlib.h"
#include "raster/image_buffer.h"
#include "raster/image_limits.h"
#include "raster/raster_data.h"

namespace error = lumeko::error;

namespace {

// One row of R, G, B pixels into grey, through the tone curve when one is given.
void greyRow(const unsigned char* rgb, int width, unsigned char* grey, const unsigned char* curve) {
    grey_conversion::greyRow(rgb, width, grey);
    if (curve != nullptr) {
        for (int x = 0; x < width; ++x) {
            grey[x] = curve[grey[x]];
        }
    }
}

// 1 for a black dot: a grey value below 128 (0 after halftoning), that is bit 7 clear.
inline int isDot(unsigned char grey) {
    return (grey >> 7) ^ 1;
}

// Eight grey pixels packed into one byte, the first in the most significant bit.
inline unsigned char packEight(const unsigned char* p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Pixel k is byte k of the word: its bit 7, inverted, moves to bit 8k, and one multiply
    // gathers the eight bits into the top byte, pixel k at bit 63 - k. The partial products
    // land on distinct bits below bit 56 or beyond bit 63, so nothing carries into the byte.
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const uint64_t dots = (~word >> 7) & 0x0101010101010101ull;
    return static_cast<unsigned char>((dots * 0x8040201008040201ull) >> 56);
#else
    unsigned char byte = 0;
    for (int k = 0; k < 8; ++k) {
        byte = static_cast<unsigned char>(byte | (isDot(p[k]) << (7 - k)));
    }
    return byte;
#endif
}

// One row of `width` grey pixels packed into `dst`; the bits past the last pixel stay 0.
void packRow(const unsigned char* src, int width, unsigned char* dst) {
    const int whole = width / 8;
    for (int j = 0; j < whole; ++j) {
        dst[j] = packEight(src + 8 * j);
    }
    if (whole * 8 < width) {
        unsigned char last = 0;
        for (int x = 8 * whole; x < width; ++x) {
            last = static_cast<unsigned char>(last | (isDot(src[x]) << (7 - (x & 7))));
        }
        dst[whole] = last;
    }
}

// The legacy tone curve: trunc(255 * (g / 255)^0.625), at most 255.
void fillToneCurve(unsigned char (&curve)[256]) {
    for (int g = 0; g < 256; ++g) {
        const double v = 255.0 * std::pow(g / 255.0, 0.625);
        curve[g] = v > 255.0 ? 255 : static_cast<unsigned char>(v);
    }
}

// Whether the file at path can be read and holds at least `bytes` bytes.
bool fileHoldsAtLeast(const std::string& path, int64_t bytes) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && static_cast<std::uintmax_t>(bytes) <= size;
}

using raster_image::allocateImage;
using raster_image::packedRowBytes;

// The engine named by the option: the legacy one or the kernel one.
std::unique_ptr<HalfToneInterface> makeEngine(bool legacy) {
    if (legacy) {
        return std::unique_ptr<HalfToneInterface>(new HalfToneLegacy());
    }
    return std::unique_ptr<HalfToneInterface>(new HalfTone());
}

// Runs halftone method `method` (1 threshold, 2 ordered dither, 3 error diffusion; any other
// value leaves the grey image as it is).
void runHalftone(HalfToneInterface& engine, int method, int width, int height, unsigned char* image,
                 int threshold) {
    switch (method) {
        case 1:
            engine.fillThresholdProc(width, height, image, threshold);
            break;
        case 2:
            engine.fillBayerPatternProc(width, height, image);
            break;
        case 3:
            engine.fillErrorDiffusionProc(width, height, image);
            break;
        default:
            break;
    }
}

// Writes `length` bytes to `path`, replacing the file or appending to it. False when the
// file cannot be opened or a byte cannot be written.
bool writeBytes(const std::string& path, const unsigned char* data, int length, bool overwrite) {
    std::ofstream file(path, std::ios::binary | (overwrite ? std::ios::trunc : std::ios::app));
    if (!file) {
        return false;
    }
    if (length > 0 && data != nullptr) {
        file.write(reinterpret_cast<const char*>(data), length);
    }
    file.close();
    return !file.fail();
}

}  // namespace

namespace {

// Bytes of the stream buffer of a pixel file read a row at a time.
constexpr std::streamsize kReadBuffer = 1 << 17;

// What the streamed conversion did.
enum class Streamed {
    kNotTaken,  // a size check would refuse the page: take the step-by-step route
    kDone,
    kFailed,
};

// Error diffusion of the kernel engine and packing, a band of rows at a time, for a page whose
// only step after the resize is that error diffusion (Route::kBanded). The kernel carries its state
// from band to band, so the bands give the bytes of HalfTone::fillErrorDiffusionProc over the whole
// image (with its fallback to a threshold at 127 for an image the kernel cannot take) followed by
// getOneBitBitmap.
class BandedErrorDiffusion {
  public:
    static constexpr int kBandRows = 32;
    // The threshold HalfTone falls back to when the kernel cannot take the image.
    static constexpr int kFallbackThreshold = 127;

    bool start(int width, int height) {
        width_ = width;
        rowBytes_ = packedRowBytes(width);
        kernel_ = width > 0 && width < 0x8000 && height > 0 && height <= 0xFFFF;
        band_.reset(new (std::nothrow) unsigned char[static_cast<size_t>(width) * kBandRows]);
        packed_.reset(new (std::nothrow) unsigned char[static_cast<size_t>(rowBytes_) * height]);
        if (kernel_) {
            state_.reset(new (std::nothrow) HTNLIB_ErrorDiffusionState);
        }
        if (!band_ || !packed_ || (kernel_ && !state_)) {
            return false;
        }
        if (kernel_) {
            HTNLIB_InitErrorDiffusion(state_.get());
        }
        return true;
    }
    // The band row that receives output row y; rows come in order.
    unsigned char* row() { return band_.get() + static_cast<size_t>(filled_) * width_; }
    void rowDone() {
        if (++filled_ == kBandRows) {
            flush();
        }
    }
    // The packed image of every row; the caller frees it.
    unsigned char* finish() {
        flush();
        return packed_.release();
    }

  private:
    void flush() {
        if (filled_ == 0) {
            return;
        }
        unsigned char* band = band_.get();
        const auto w = static_cast<unsigned short>(width_);
        if (kernel_) {
            HTNLIB_ErrorDiffusion(band, band, w, w, static_cast<unsigned short>(filled_),
                                  state_.get());
            HalfTone_private::invertImage(width_, filled_, band);
        } else {
            HalfTone_private::thresholdProc(width_, filled_, band, kFallbackThreshold);
        }
        for (int y = 0; y < filled_; ++y) {
            packRow(band + static_cast<size_t>(y) * width_, width_,
                    packed_.get() + static_cast<size_t>(packedRows_ + y) * rowBytes_);
        }
        packedRows_ += filled_;
        filled_ = 0;
    }

    int width_ = 0;
    int rowBytes_ = 0;
    bool kernel_ = false;
    int filled_ = 0;
    int packedRows_ = 0;
    std::unique_ptr<unsigned char[]> band_;
    std::unique_ptr<unsigned char[]> packed_;
    std::unique_ptr<HTNLIB_ErrorDiffusionState> state_;
};

// Grey conversion and resize in one pass, for a colour bitmap that is resized and not turned
// (Route::kStreamed and Route::kBanded): the pixels are read a row at a time, and only the
// source rows and columns that the nearest-neighbour resize picks are kept, so the grey
// picture of the whole bitmap is never held. Every check of the step-by-step route that could
// refuse the page is made first, and the page is left to that route when one would; what
// remains (a file that cannot be opened or is short, a failed allocation) fails with the same
// error code. The bytes are those of the step-by-step route: each output pixel is the grey
// value of the source pixel the resize picks, through the same tone curve.
//
// With `banded`, the rows go on through error diffusion and packing, and `image` receives the
// packed one-bit image.
Streamed streamGreyResize(RasterData& r, BitmapData& bitmap, double scale, int& width, int& height,
                          unsigned char*& image, BandedErrorDiffusion* banded) {
    const bool fromFile = !bitmap.bitmapFile.empty();
    // The size checks of adjustBitmapSize and resize.
    const float m = r.printQualitySetting.magnificationOfBitmapData();
    const float stretched = static_cast<float>(height) * m;
    if (!(stretched < raster_limits::kMaxImageSide + 1.0f)) {
        return Streamed::kNotTaken;
    }
    const int outHeight = static_cast<int>(stretched);
    const int outWidth = width;
    const int inWidth = bitmap.bitmapWidth;
    const int inHeight = bitmap.bitmapHeight;
    if (!raster_limits::isImageSizeAllowed(outWidth, outHeight) || inWidth <= 0 || inHeight <= 0) {
        return Streamed::kNotTaken;
    }

    int* columnTable = nullptr;
    int* rowTable = nullptr;
    r.calcOriginalPos(inWidth, outWidth, scale, columnTable);
    r.calcOriginalPos(inHeight, outHeight, static_cast<double>(m) * scale, rowTable);
    const std::unique_ptr<int[]> columns(columnTable);
    const std::unique_ptr<int[]> rows(rowTable);
    const size_t rgbRowBytes = static_cast<size_t>(inWidth) * 3;
    std::unique_ptr<unsigned char[]> rgbRow(fromFile ? new (std::nothrow) unsigned char[rgbRowBytes]
                                                     : nullptr);
    std::unique_ptr<unsigned char[]> greyLine(new (std::nothrow) unsigned char[inWidth]);
    std::unique_ptr<unsigned char[]> out(
        banded != nullptr
            ? nullptr
            : new (std::nothrow) unsigned char[static_cast<size_t>(outWidth) * outHeight]);
    if (!columns || !rows || (fromFile && !rgbRow) || !greyLine ||
        (banded == nullptr ? !out : !banded->start(outWidth, outHeight))) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return Streamed::kFailed;
    }
    // A larger stream buffer than the default: fewer, longer reads of the file.
    std::unique_ptr<char[]> streamBuffer(fromFile ? new (std::nothrow) char[kReadBuffer] : nullptr);
    std::ifstream file;
    if (fromFile) {
        if (streamBuffer) {
            file.rdbuf()->pubsetbuf(streamBuffer.get(), kReadBuffer);
        }
        file.open(bitmap.bitmapFile, std::ios::binary);
        if (!file) {
            PrinterStatus::error_code_ = error::kBitmapUnreadable;
            return Streamed::kFailed;
        }
    }
    const bool useCurve = r.spec.legacyGamma && r.option.useLegacyHalftoneEngine;
    unsigned char curve[256];
    fillToneCurve(curve);

    int y = 0;  // the next output row; the row table never goes down
    for (int sy = 0; sy < inHeight; ++sy) {
        const unsigned char* rgb;
        if (fromFile) {
            // Every row is read, so that a short file fails as it does on the other path.
            file.read(reinterpret_cast<char*>(rgbRow.get()),
                      static_cast<std::streamsize>(rgbRowBytes));
            if (static_cast<size_t>(file.gcount()) != rgbRowBytes) {
                PrinterStatus::error_code_ = error::kBitmapUnreadable;
                return Streamed::kFailed;
            }
            rgb = rgbRow.get();
        } else {
            rgb = bitmap.pixels + static_cast<size_t>(sy) * rgbRowBytes;
        }
        if (y < outHeight && rows[y] == sy) {
            greyRow(rgb, inWidth, greyLine.get(), useCurve ? curve : nullptr);
            for (; y < outHeight && rows[y] == sy; ++y) {
                unsigned char* dst = banded != nullptr
                                         ? banded->row()
                                         : out.get() + static_cast<size_t>(y) * outWidth;
                for (int x = 0; x < outWidth; ++x) {
                    dst[x] = greyLine[columns[x]];
                }
                if (banded != nullptr) {
                    banded->rowDone();
                }
            }
        }
    }
    height = outHeight;
    image = banded != nullptr ? banded->finish() : out.release();
    return Streamed::kDone;
}

// The steps of a page after its grey source, in the order they run on the image.
enum class PageStep {
    kTurn,            // the landscape turn, adjustBitmapDirection
    kResize,          // adjustBitmapSize
    kFitToPaper,      // print mode 4, adjustFitToPaper
    kTrim,            // blank rows at the end cut off
    kMirror,          // the Mode 9 mirror, adjustFlip
    kHalftone,        // adjustHalftone: every page (a method other than 1 to 3 leaves the grey)
    kRotate180,       // the 180-degree turn
    kHighResolution,  // the high-resolution rule
};
using PageSteps = std::vector<PageStep>;

// Every step the page needs, in order: the one place that decides them. The routes take the
// page from this list, so a step added here is run on every route or rules the short routes
// out.
PageSteps pageStepsOf(RasterData& r, const BitmapData& bitmap, double scale) {
    PageSteps steps;
    if (r.isQuarterTurned(bitmap)) {
        steps.push_back(PageStep::kTurn);
    }
    if (r.isResized(bitmap, scale)) {
        steps.push_back(PageStep::kResize);
    }
    if (r.option.printMode == 4) {
        steps.push_back(PageStep::kFitToPaper);
    }
    if (r.option.trimTapeAfterData) {
        steps.push_back(PageStep::kTrim);
    }
    if (r.isMode9Mirrored()) {
        steps.push_back(PageStep::kMirror);
    }
    steps.push_back(PageStep::kHalftone);
    if (r.isRotate180()) {
        steps.push_back(PageStep::kRotate180);
    }
    if (r.isNeedAdjustHighResolutionMode() &&
        r.printQualitySetting.isConvert3BlackLineTo1WhiteLine()) {
        steps.push_back(PageStep::kHighResolution);
    }
    return steps;
}

// How a page reaches its one-bit image.
enum class Route {
    kStepByStep,  // the grey picture of the whole bitmap, then every step on the whole image
    kStreamed,    // grey conversion and resize in one pass over the rows, then the other steps
    kBanded,      // the same pass, on through error diffusion and packing: nothing else to do
};

Route routeOf(const RasterData& r, const BitmapData& bitmap, const PageSteps& steps) {
    // One pass over the rows turns a colour bitmap into grey and resizes it; a turn needs the
    // whole picture first.
    const bool hasSource = !bitmap.bitmapFile.empty() || bitmap.pixels != nullptr;
    if (!bitmap.isColor || !hasSource || steps.empty() || steps.front() != PageStep::kResize) {
        return Route::kStepByStep;
    }
    // The pass goes on through the error diffusion of the kernel engine when that is all
    // that is left.
    const PageSteps rest(steps.begin() + 1, steps.end());
    if (rest == PageSteps{PageStep::kHalftone} && r.option.halftone == 3 &&
        !r.option.useLegacyHalftoneEngine) {
        return Route::kBanded;
    }
    return Route::kStreamed;
}

// Trimming: the rows after the last one with ink are dropped, down to the model's shortest
// printable length; an image shorter than that is extended with white rows.
bool trimBlankRows(RasterData& r, unsigned char*& image, int width, int& height) {
    const int keep = tpes::Util::clampLower(r.cutZeroLine(image, width, height),
                                            r.spec.minPrintableAreaLength_dot());
    if (keep > height && !raster_image::extendWithBlankRows(image, width, height, keep, 255)) {
        return false;
    }
    height = keep;
    return true;
}

// Runs one step on the work image; false when it fails (the error code is set).
bool runStep(RasterData& r, PageStep step, BitmapData& bitmap, double scale, unsigned char*& image,
             int& width, int& height) {
    switch (step) {
        case PageStep::kTurn:
            return r.adjustBitmapDirection(bitmap, image, width, height);
        case PageStep::kResize: {
            unsigned char* resized = nullptr;
            const bool ok = r.adjustBitmapSize(bitmap, resized, image, scale, width, height);
            delete[] image;  // null once the resize has replaced it
            image = resized;
            return ok;
        }
        case PageStep::kFitToPaper:
            return r.adjustFitToPaper(image, width, height);
        case PageStep::kTrim:
            return trimBlankRows(r, image, width, height);
        case PageStep::kMirror:
            return r.adjustFlip(image, width, height);
        case PageStep::kHalftone:
            r.adjustHalftone(bitmap, image, width, height);
            return true;
        case PageStep::kRotate180:
            return r.rotate180(image, width, height);
        case PageStep::kHighResolution:
            r.adjustHighResolutionMode(image, width, height);
            return true;
    }
    return false;
}

}  // namespace

bool RasterData::makeOneBitBitmapFromColor(BitmapData& bitmap, unsigned char*& out, double scale,
                                           int& width, int& height) {
    out = nullptr;
    const int sourceWidth = bitmap.bitmapWidth;
    const int sourceHeight = bitmap.bitmapHeight;
    if (!raster_limits::isBufferSizeAllowed(sourceWidth, sourceHeight)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    // A pixel file too short for the stated size fails now, before any buffer for that size
    // is allocated: a few bytes of file must not cost gigabytes of memory.
    if (!bitmap.bitmapFile.empty() &&
        !fileHoldsAtLeast(bitmap.bitmapFile,
                          int64_t{sourceWidth} * sourceHeight * (bitmap.isColor ? 3 : 1))) {
        PrinterStatus::error_code_ = error::kBitmapUnreadable;
        return false;
    }
    const PageSteps steps = pageStepsOf(*this, bitmap, scale);
    const Route route = routeOf(*this, bitmap, steps);
    unsigned char* image = nullptr;
    BandedErrorDiffusion banded;
    const Streamed streamed = route == Route::kStepByStep
                                  ? Streamed::kNotTaken
                                  : streamGreyResize(*this, bitmap, scale, width, height, image,
                                                     route == Route::kBanded ? &banded : nullptr);
    if (streamed == Streamed::kFailed) {
        return false;
    }
    if (streamed == Streamed::kDone && route == Route::kBanded) {
        out = image;  // halftoned and packed
        return true;
    }
    // The steps the pass over the rows left: those after the resize, or every one.
    size_t next = streamed == Streamed::kDone ? 1 : 0;
    bool ok = true;
    if (streamed == Streamed::kNotTaken) {
        // The grey picture of the whole bitmap.
        image = allocateImage(int64_t{sourceWidth} * sourceHeight);
        if (image == nullptr) {
            return false;
        }
        if (!bitmap.isColor) {
            ok = copyOriginalPixel(bitmap, image, sourceWidth * sourceHeight);
        } else if (!bitmap.bitmapFile.empty()) {
            ok = convertColorToGrayImage(image, sourceWidth, sourceHeight, bitmap.bitmapFile,
                                         spec.legacyGamma ? 1 : 0);
        } else if (bitmap.pixels != nullptr) {
            ok = convertColorToGrayImage(image, sourceWidth, sourceHeight, bitmap.pixels,
                                         spec.legacyGamma ? 1 : 0);
        } else {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            ok = false;
        }
    }
    for (; ok && next < steps.size(); ++next) {
        ok = runStep(*this, steps[next], bitmap, scale, image, width, height);
    }
    if (ok) {
        ok = getOneBitBitmap(width, height, image, spec.additionMedia ? 1 : 0, out) != 0;
    }
    delete[] image;
    return ok;
}

bool RasterData::convertColorToGrayImage(unsigned char*& grey, int width, int height,
                                         std::string path, int toneSwitch) {
    if (grey == nullptr || !raster_limits::isBufferSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    // A larger stream buffer than the default: fewer, longer reads of the file.
    std::unique_ptr<char[]> streamBuffer(new (std::nothrow) char[kReadBuffer]);
    std::ifstream file;
    if (streamBuffer) {
        file.rdbuf()->pubsetbuf(streamBuffer.get(), kReadBuffer);
    }
    file.open(path, std::ios::binary);
    if (!file) {
        PrinterStatus::error_code_ = error::kBitmapUnreadable;
        return false;
    }
    const bool useCurve = toneSwitch == 1 && option.useLegacyHalftoneEngine;
    unsigned char curve[256];
    fillToneCurve(curve);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::unique_ptr<unsigned char[]> row(new (std::nothrow) unsigned char[rowBytes]);
    if (!row) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    unsigned char* dst = grey;
    for (int y = 0; y < height; ++y) {
        file.read(reinterpret_cast<char*>(row.get()), static_cast<std::streamsize>(rowBytes));
        if (static_cast<size_t>(file.gcount()) != rowBytes) {
            // A short pixel file is an unreadable bitmap: never print what was not read.
            PrinterStatus::error_code_ = error::kBitmapUnreadable;
            return false;
        }
        greyRow(row.get(), width, dst, useCurve ? curve : nullptr);
        dst += width;
    }
    return true;
}

bool RasterData::convertColorToGrayImage(unsigned char*& grey, int width, int height,
                                         unsigned char* rgb, int toneSwitch) {
    if (grey == nullptr || rgb == nullptr || !raster_limits::isBufferSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const bool useCurve = toneSwitch == 1 && option.useLegacyHalftoneEngine;
    unsigned char curve[256];
    fillToneCurve(curve);
    for (int y = 0; y < height; ++y) {
        const int64_t at = int64_t{y} * width;
        greyRow(rgb + 3 * at, width, grey + at, useCurve ? curve : nullptr);
    }
    return true;
}

bool RasterData::copyOriginalPixel(BitmapData& bitmap, unsigned char*& grey, int size) {
    if (!bitmap.bitmapFile.empty()) {
        return readFile(grey, size, bitmap.bitmapFile);
    }
    if (bitmap.pixels == nullptr || grey == nullptr || size < 0) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    std::memcpy(grey, bitmap.pixels, static_cast<size_t>(size));
    return true;
}

bool RasterData::readFile(unsigned char*& buffer, int size, std::string path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        PrinterStatus::error_code_ = error::kBitmapUnreadable;
        return false;
    }
    if (buffer == nullptr || size < 0) {
        return false;
    }
    file.read(reinterpret_cast<char*>(buffer), size);
    if (file.gcount() != size) {
        // A grey-byte file shorter than the image is unreadable.
        PrinterStatus::error_code_ = error::kBitmapUnreadable;
        return false;
    }
    return true;
}

int RasterData::cutZeroLine(unsigned char*& image, int width, int height) {
    return raster_image::rowsUpToLastInk(image, width, height, 255);  // 255: white
}

bool RasterData::isMode9Mirrored() const {
    return spec.mode9MirrorMargin && option.mode9 && spec.mode9Supported;
}

bool RasterData::adjustFlip(unsigned char*& image, int& width, int& height) {
    if (!isMode9Mirrored()) {
        return true;
    }
    const int64_t bytes = int64_t{width} * height;
    unsigned char* mirrored = allocateImage(bytes);
    if (mirrored == nullptr) {
        return false;
    }
    flip(mirrored, image, width, height);
    std::memcpy(image, mirrored, static_cast<size_t>(bytes));
    delete[] mirrored;
    return true;
}

void RasterData::flip(unsigned char* out, unsigned char* in, int width, int height) {
    for (int y = 0; y < height; ++y) {
        const unsigned char* src = in + int64_t{y} * width;
        unsigned char* dst = out + int64_t{y} * width;
        for (int x = 0; x < width; ++x) {
            dst[x] = src[width - 1 - x];
        }
    }
}

void RasterData::adjustHalftone(BitmapData& /*bitmap*/, unsigned char*& image, int width,
                                int height) {
    if (image == nullptr) {
        return;
    }
    std::unique_ptr<HalfToneInterface> engine = makeEngine(option.useLegacyHalftoneEngine);
    // The 16-bit threshold is widened with its sign.
    runHalftone(*engine, option.halftone, width, height, image, option.halfThreshold);
}

bool RasterData::rotate180(unsigned char*& image, int width, int height) {
    const int64_t bytes = int64_t{width} * height;
    unsigned char* turned = allocateImage(bytes);
    if (turned == nullptr) {
        return false;
    }
    for (int64_t i = 0; i < bytes; ++i) {
        turned[i] = image[bytes - 1 - i];
    }
    delete[] image;
    image = turned;
    return true;
}

bool RasterData::isNeedAdjustHighResolutionMode() {
    if (spec.seriesCode != 0x30) {
        return false;
    }
    switch (spec.modelCode) {
        case 0x6D:
        case 0x6E:
        case 0x6F:
        case 0x70:
        case 0x74:
            return true;
        default:
            return false;
    }
}

void RasterData::adjustHighResolutionMode(unsigned char*& image, int width, int height) {
    if (image == nullptr || !printQualitySetting.isConvert3BlackLineTo1WhiteLine() || height <= 2) {
        return;
    }
    // In place, top to bottom: every third pixel of a vertical black run turns white.
    for (int y = 2; y < height; ++y) {
        const unsigned char* above2 = image + int64_t{y - 2} * width;
        const unsigned char* above1 = image + int64_t{y - 1} * width;
        unsigned char* row = image + int64_t{y} * width;
        for (int x = 0; x < width; ++x) {
            if (above2[x] == 0 && above1[x] == 0 && row[x] == 0) {
                row[x] = 255;
            }
        }
    }
}

int RasterData::getOneBitBitmap(int width, int height, unsigned char*& grey, int /*additionMedia*/,
                                unsigned char*& out) {
    out = nullptr;
    if (height <= 0 || width <= 0 || grey == nullptr) {
        return 0;
    }
    const int rowBytes = packedRowBytes(width);
    const int64_t bytes = int64_t{rowBytes} * height;
    out = allocateImage(bytes);
    if (out == nullptr) {
        return 0;
    }
    for (int y = 0; y < height; ++y) {
        packRow(grey + int64_t{y} * width, width, out + int64_t{y} * rowBytes);
    }
    return static_cast<int>(bytes);
}

bool RasterData::makeOneBitBitmap(BitmapData& bitmap, std::string path, int halftone, int threshold,
                                  int toneSwitch) {
    const int width = bitmap.bitmapWidth;
    const int height = bitmap.bitmapHeight;
    const bool hasSource = !bitmap.bitmapFile.empty() || bitmap.pixels != nullptr;
    if (!hasSource) {
        return false;  // the error code is left alone
    }
    // The kernels see the bitmap's own size.
    if (!raster_limits::isImageSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const int size = width * height;
    unsigned char* buffer = allocateImage(size);
    if (buffer == nullptr) {
        return false;
    }
    bool ok;
    if (bitmap.isColor) {
        ok = !bitmap.bitmapFile.empty()
                 ? convertColorToGrayImage(buffer, width, height, bitmap.bitmapFile, toneSwitch)
                 : convertColorToGrayImage(buffer, width, height, bitmap.pixels, toneSwitch);
    } else if (!bitmap.bitmapFile.empty()) {
        ok = readFile(buffer, size, bitmap.bitmapFile);
    } else {
        std::memcpy(buffer, bitmap.pixels, static_cast<size_t>(size));
        ok = true;
    }
    if (ok) {
        std::unique_ptr<HalfToneInterface> engine = makeEngine(option.useLegacyHalftoneEngine);
        runHalftone(*engine, halftone, width, height, buffer, threshold);
        ok = writeBytes(path, buffer, size, true);
    }
    delete[] buffer;
    return ok;
}

int RasterData::writeByteInFile(int*& pixels, int count, std::string path, bool append) {
    if (count < 0) {
        return 0;
    }
    if (count == 0) {
        return 1;  // nothing to write: an existing file stays as it was
    }
    if (pixels == nullptr) {
        return 0;
    }
    // A chunk holds count / 3 pixels, and at least one.
    const int64_t chunkPixels = count / 3 > 0 ? count / 3 : 1;
    const int64_t chunk = chunkPixels * 3;
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[chunk]);
    if (!buffer) {
        return 0;
    }
    int continued = 0;
    int64_t filled = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned int v = static_cast<unsigned int>(pixels[i]);
        buffer[filled++] = static_cast<unsigned char>(v >> 16);
        buffer[filled++] = static_cast<unsigned char>(v >> 8);
        buffer[filled++] = static_cast<unsigned char>(v);
        if (filled == chunk) {
            unsigned char* data = buffer.get();
            if (writeFile(data, static_cast<int>(filled), path, append, continued) != 1) {
                return 0;
            }
            continued = 1;
            filled = 0;
        }
    }
    if (filled > 0) {
        unsigned char* data = buffer.get();
        if (writeFile(data, static_cast<int>(filled), path, append, continued) != 1) {
            return 0;
        }
    }
    return 1;
}

int RasterData::writeFile(unsigned char*& data, int length, const std::string& path, bool append,
                          int continued) {
    const bool overwrite = !append && continued == 0;
    return writeBytes(path, data, length, overwrite) ? 1 : 0;
}

bool RasterData::writeByteToPixel(int*& pixels, int count, unsigned char* out) {
    if (out == nullptr || (pixels == nullptr && count > 0)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const unsigned int v = static_cast<unsigned int>(pixels[i]);
        *out++ = static_cast<unsigned char>(v >> 16);
        *out++ = static_cast<unsigned char>(v >> 8);
        *out++ = static_cast<unsigned char>(v);
    }
    return true;
}
