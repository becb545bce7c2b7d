// Page geometry of RasterData: scale factor, margins and their checks, quarter turn,
// nearest-neighbour resize with the print-quality stretch, fit to paper and the page
// geometry step that fixes margins and page length.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "common/error_code.h"
#include "connection/printer_status.h"
#include "raster/image_limits.h"
#include "raster/raster_data.h"

namespace error = lumeko::error;

using raster_limits::clampToInt;
using raster_limits::truncToInt;

// Pixel (column, row) of a width-wide image.
unsigned char getPixelSpec(unsigned char* image, int column, int row, int width) {
    return image[static_cast<int64_t>(row) * width + column];
}

namespace {

// Divisions by 2 truncate toward zero, also for negative values (C++ integer division).
int half(int64_t d) {
    return clampToInt(d / 2);
}

}  // namespace

double RasterData::getScale(int width, int height) {
    switch (option.printMode) {
        case 2:  // fit to the printable area
            return calculateScale(width, height, paper.printableWidthDots,
                                  paper.printableLengthDots);
        case 3:  // by the option's factor
            return option.scale;
        case 4:  // fit to the paper
            return calculateScale(width, height, paper.widthDots, paper.lengthDots);
        default:
            return 1.0;
    }
}

double RasterData::calculateScale(int width, int height, int acrossDots, int alongDots) {
    if (width <= 0 || height <= 0) {
        return 0.0;
    }
    double sx;
    double sy;
    if (option.orientation == 1) {
        sx = static_cast<double>(acrossDots) / width;
        sy = static_cast<double>(alongDots) / height;
    } else {
        // The image will be turned: its height runs across the head.
        sx = static_cast<double>(acrossDots) / height;
        sy = static_cast<double>(alongDots) / width;
    }
    if (sy == 0.0) {
        return sx;  // a paper without a fixed length
    }
    return std::min(sx, sy);
}

int RasterData::getLeftMargin(int areaWidth, int width) {
    const int64_t d = static_cast<int64_t>(areaWidth) - width;
    int64_t r = 0;
    if (option.orientation == 1) {
        switch (option.align) {
            case 1:
                r = option.marginLeft;
                break;
            case 2:
                r = half(d);
                break;
            case 3:
                r = d;
                break;
            default:
                r = 0;
        }
    } else {
        switch (option.valign) {
            case 1:
                r = d - option.marginTop;
                break;
            case 2:
                r = half(d);
                break;
            default:
                r = 0;
        }
    }
    if (isRotate180()) {
        r = d - r;
    }
    return clampToInt(r);
}

int RasterData::getTopMargin(int areaLength, int height) {
    const int64_t d = static_cast<int64_t>(areaLength) - height;
    const float factor = printQualitySetting.magnificationOfTopMargin();
    int key = option.orientation == 1 ? option.valign : option.align;
    int userMargin = option.orientation == 1 ? option.marginTop : option.marginLeft;
    switch (key) {
        case 1:
            return truncToInt(factor * static_cast<float>(userMargin));
        case 2:
            return half(d);
        case 3:
            return clampToInt(d);
        default:
            return 0;
    }
}

int RasterData::getPaperLeftMargin(int areaWidth) {
    const int head = (spec.tubeSupported && paper.isTube) ? spec.tubeHeadDots : spec.headDots;
    if (!paper.isCustomSize) {
        return 0;
    }
    switch (option.paperPosition) {
        case 2:
            return half(static_cast<int64_t>(head) - areaWidth);
        case 3:
            return head - areaWidth;
        default:
            return 0;
    }
}

bool RasterData::checkMargin(int width, int height, int rightEdge, int length) {
    if (leftMargin >= 0 && topMargin >= 0 &&
        static_cast<int64_t>(leftMargin) + width <= rightEdge &&
        static_cast<int64_t>(topMargin) + height <= length) {
        return true;
    }
    PrinterStatus::error_code_ = error::kImageOutsideMargins;
    return false;
}

bool RasterData::preCreateRasterDataFromOneBitmap(int width, int height, int pages) {
    const int areaWidth = paper.printableWidthDots;
    const int areaLength = paper.printableLengthDots;
    int rightEdge = paper.leftOffsetDots + areaWidth;

    // A custom paper must lie on the head (a spec without a record has no head: 39).
    if (option.paperId == PAPER_ID_CUSTOM && (rightEdge == 0 || rightEdge > spec.headDots)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }

    leftMargin = getLeftMargin(areaWidth, width);

    int length;
    if (areaLength != 0) {
        length = truncToInt(static_cast<float>(areaLength) *
                            printQualitySetting.magnificationOfCuttingPaperHeight());
        topMargin = getTopMargin(length, height);
    } else {
        // Continuous paper: only a user margin can put lines above the image.
        topMargin = getTopMargin(height, height);
        const int64_t pageLength = static_cast<int64_t>(topMargin) + height;
        // The page length goes into 16-bit paper fields.
        if (pageLength < 0 || pageLength > 65535) {
            PrinterStatus::error_code_ = error::kImageOutsideMargins;
            return false;
        }
        length = static_cast<int>(pageLength);
        paper.lengthDots = static_cast<unsigned short>(length);
        paper.printableLengthDots = static_cast<unsigned short>(length);
    }

    if (length < height || width > areaWidth || leftMargin < 0) {
        PrinterStatus::error_code_ = error::kImageOutsideMargins;
        return false;
    }
    leftMargin = clampToInt(static_cast<int64_t>(leftMargin) + paper.leftOffsetDots);
    if (!checkMargin(width, height, rightEdge, length)) {
        return false;
    }

    if (spec.usePaperLeftOffset) {
        const int position = getPaperLeftMargin(areaWidth);
        paperLeftOffset = paper.leftOffsetDots + position;
        leftMargin += position;
        rightEdge = paper.widthDots;
    }
    // The image was mirrored for Mode 9: count the margin from the other end.
    if (isMode9Mirrored()) {
        leftMargin = rightEdge - width - leftMargin;
    }

    pageLines = paper.printableLengthDots;

    createStartPageCommand(width, height, pages);
    createOtherPageCommand(width, height, pages);
    return PrinterStatus::error_code_ == error::kNone;
}

bool RasterData::isQuarterTurned(const BitmapData& bitmap) const {
    return bitmap.applyOrientation && option.orientation == 2;
}

bool RasterData::adjustBitmapDirection(BitmapData& bitmap, unsigned char*& image, int& width,
                                       int& height) {
    if (!isQuarterTurned(bitmap)) {
        return true;
    }
    return adjustOrientation(image, bitmap.bitmapWidth, bitmap.bitmapHeight, width, height);
}

bool RasterData::adjustOrientation(unsigned char*& image, int& bitmapWidth, int& bitmapHeight,
                                   int& width, int& height) {
    if (option.orientation != 2) {
        return true;
    }
    if (image == nullptr || !raster_limits::isBufferSizeAllowed(bitmapWidth, bitmapHeight)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    const size_t bytes = static_cast<size_t>(bitmapWidth) * static_cast<size_t>(bitmapHeight);
    unsigned char* turned = new (std::nothrow) unsigned char[bytes];
    if (turned == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    rotate(turned, image, bitmapWidth, bitmapHeight);
    std::memcpy(image, turned, bytes);
    delete[] turned;
    std::swap(bitmapWidth, bitmapHeight);
    std::swap(width, height);
    return true;
}

void RasterData::rotate(unsigned char*& out, unsigned char*& in, int width, int height) {
    // Output row j is input column j read from the bottom row up.
    unsigned char* dst = out;
    for (int j = 0; j < width; ++j) {
        for (int k = 0; k < height; ++k) {
            *dst++ = in[static_cast<int64_t>(height - 1 - k) * width + j];
        }
    }
}

bool RasterData::isResized(const BitmapData& bitmap, double scale) const {
    return bitmap.applyScale && (scale != 1.0 || printQualitySetting.isHighOrLowResolutionMode());
}

bool RasterData::adjustBitmapSize(BitmapData& bitmap, unsigned char*& out, unsigned char*& in,
                                  double scale, int& width, int& height) {
    if (isResized(bitmap, scale)) {
        const float m = printQualitySetting.magnificationOfBitmapData();
        // The quality mode stretches the feed direction only.
        const float stretched = static_cast<float>(height) * m;
        if (!(stretched < raster_limits::kMaxImageSide + 1.0f)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return false;
        }
        const int newHeight = static_cast<int>(stretched);
        if (!raster_limits::isImageSizeAllowed(width, newHeight)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return false;
        }
        height = newHeight;
        const bool result = resize(in, out, bitmap.bitmapWidth, bitmap.bitmapHeight, width, height,
                                   scale, static_cast<double>(m) * scale);
        delete[] in;
        in = nullptr;
        return result;
    }
    out = in;
    in = nullptr;
    return true;
}

bool RasterData::resize(unsigned char*& in, unsigned char*& out, int inWidth, int inHeight,
                        int outWidth, int outHeight, double scaleX, double scaleY) {
    if (in == nullptr || inWidth <= 0 || inHeight <= 0 ||
        !raster_limits::isImageSizeAllowed(outWidth, outHeight)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    int* columns = nullptr;
    int* rows = nullptr;
    calcOriginalPos(inWidth, outWidth, scaleX, columns);
    calcOriginalPos(inHeight, outHeight, scaleY, rows);
    out = new (std::nothrow) unsigned char[static_cast<size_t>(outWidth) * outHeight];
    if (columns == nullptr || rows == nullptr || out == nullptr) {
        delete[] columns;
        delete[] rows;
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    unsigned char* dst = out;
    for (int y = 0; y < outHeight; ++y) {
        for (int x = 0; x < outWidth; ++x) {
            *dst++ = getPixelSpec(in, columns[x], rows[y], inWidth);
        }
    }
    delete[] columns;
    delete[] rows;
    return true;
}

void RasterData::calcOriginalPos(int inSize, int outSize, double scale, int*& table) {
    table = new (std::nothrow) int[outSize > 0 ? outSize : 1];
    if (table == nullptr) {
        return;
    }
    const int last = inSize > 0 ? inSize - 1 : 0;
    for (int i = 0; i < outSize; ++i) {
        // One division per entry; the source index never passes the last row or column.
        const int pos = truncToInt(i / scale);
        table[i] = std::max(0, std::min(pos, last));
    }
}

bool RasterData::adjustFitToPaper(unsigned char*& image, int& width, int& height) {
    if (option.printMode != 4) {
        return true;
    }
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
    getFitToPaperHeightMargin(height, top, bottom, 1.0);
    getFitToPaperWidthMargin(width, left, right, 1.0);

    const int64_t newWidth = static_cast<int64_t>(width) - left - right;
    const int64_t newHeight = static_cast<int64_t>(height) - top - bottom;
    if (newWidth <= 0 || newHeight <= 0) {
        PrinterStatus::error_code_ = error::kNoPrintArea;
        return false;
    }
    const size_t bytes = static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight);
    unsigned char* cut = new (std::nothrow) unsigned char[bytes];
    if (cut == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    std::memset(cut, 255, bytes);
    for (int64_t r = 0; top + r < height && r < newHeight; ++r) {
        std::memcpy(cut + r * newWidth, image + (top + r) * width + left,
                    static_cast<size_t>(newWidth));
    }
    delete[] image;
    image = cut;
    width = static_cast<int>(newWidth);
    height = static_cast<int>(newHeight);
    return true;
}

void RasterData::getFitToPaperHeightMargin(int height, int& top, int& bottom, double scale) {
    const double fM =
        static_cast<double>(printQualitySetting.magnificationOfMarginForFitToPaper()) * scale;
    const double fI =
        static_cast<double>(printQualitySetting.magnificationOfImageAreaForFitToPaper()) * scale;

    int margin = truncToInt(paper.feedMarginDots * fM);
    if (spec.spaceCommand && option.orientation == 1 && option.labelMargin > 0) {
        margin = truncToInt(option.labelMargin * fM);
    }
    const int area = truncToInt(fI * paper.printableLengthDots);
    const int areaOrRest = area != 0 ? area : clampToInt(height - 2 * int64_t{margin});

    const int key = option.orientation == 1 ? option.valign : option.align;
    int& field = option.orientation == 1 ? option.marginTop : option.marginLeft;
    int userMargin = truncToInt(field * fM);
    switch (key) {
        case 1:
            setTopPositionOffset(margin, height, bottom, top, userMargin, area);
            field = truncToInt(userMargin / fM);
            break;
        case 2:
            setCenterPositionOffset(height, top, bottom, areaOrRest);
            break;
        case 3:
            setRightBottomPositionOffset(margin, height, bottom, top, areaOrRest);
            break;
        default:
            break;
    }
}

void RasterData::getFitToPaperWidthMargin(int width, int& left, int& right, double scale) {
    int margin = paper.sideMarginDots;
    if (spec.spaceCommand && option.labelMargin > 0 && option.orientation == 2) {
        margin = truncToInt(
            static_cast<double>(printQualitySetting.magnificationOfMarginForFitToPaper()) * scale *
            option.labelMargin);
    }
    const int area = paper.printableWidthDots;
    const bool portrait = option.orientation == 1;
    const int key = portrait ? option.align : option.valign;
    int& field = portrait ? option.marginLeft : option.marginTop;
    switch (key) {
        case 1:
            // Portrait: the left cut is the near one; otherwise the two exchange.
            setLeftPositionOffset(margin, width, right, left, field, area);
            break;
        case 2:
            setCenterPositionOffset(width, right, left, area);
            break;
        case 3:
            if (portrait) {
                setRightBottomPositionOffset(margin, width, right, left, area);
            } else {
                setRightBottomPositionOffset(margin, width, left, right, area);
            }
            break;
        default:
            break;
    }
}

void RasterData::setLeftPositionOffset(int margin, int size, int& cutA, int& cutB, int& userMargin,
                                       int area) {
    const int64_t far = std::max<int64_t>(0, int64_t{size} + userMargin - margin - int64_t{area});
    int64_t near;
    if (margin > userMargin) {
        near = int64_t{margin} - userMargin;
        userMargin = 0;
    } else {
        near = 0;
        userMargin = clampToInt(int64_t{userMargin} - margin);
    }
    if (option.orientation == 1) {
        cutA = clampToInt(far);
        cutB = clampToInt(near);
    } else {
        cutA = clampToInt(near);
        cutB = clampToInt(far);
    }
}

void RasterData::setTopPositionOffset(int margin, int size, int& bottom, int& top, int& userMargin,
                                      int area) {
    if (area != 0) {
        bottom =
            clampToInt(std::max<int64_t>(0, int64_t{size} + userMargin - margin - int64_t{area}));
    } else {
        bottom = margin;
    }
    if (margin >= userMargin) {
        top = clampToInt(int64_t{margin} - userMargin);
        userMargin = 0;
    } else {
        top = 0;
        userMargin = clampToInt(int64_t{userMargin} - margin);
    }
}

void RasterData::setCenterPositionOffset(int size, int& cutA, int& cutB, int area) {
    const int cut = clampToInt(std::max<int64_t>(0, (int64_t{size} - area + 1) / 2));
    cutA = cut;
    cutB = cut;
}

void RasterData::setRightBottomPositionOffset(int margin, int size, int& cutA, int& cutB,
                                              int area) {
    cutA = margin;
    cutB = clampToInt(std::max<int64_t>(0, int64_t{size} - area - margin));
}
