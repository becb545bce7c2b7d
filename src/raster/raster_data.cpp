#include "raster/raster_data.h"

#include <cmath>

#include "common/error_code.h"
#include "connection/printer_status.h"
#include "raster/image_limits.h"

namespace error = lumeko::error;

RasterData::RasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec, Paper& jobPaper,
                       PrinterStatus& /*status*/)
    : paper(jobPaper),
      option(jobOption),
      spec(jobSpec),
      printQualitySetting(jobOption, jobSpec, jobPaper) {
    printQualitySetting.setPrintQualityMode();
}

RasterData::RasterData() = default;

RasterData::~RasterData() {
    delete[] pageData;
}

bool RasterData::isRotate180() {
    return (spec.variousModeCaps & 0x08) != 0 && option.rotate180;
}

bool RasterData::shouldSetAdditionalMediaInfo(Paper& media) {
    return (media.mediaType & 0x80) != 0;
}

bool RasterData::createRasterDataFromColorData(BitmapData& bitmap, int pages, int page) {
    // A custom paper of the full-page series cannot be fitted to the paper: fit to page.
    if (spec.seriesId == 1 && paper.paperId == PAPER_ID_CUSTOM && option.printMode == 4) {
        option.printMode = 2;
    }
    // Without a quality mode on spec or paper, low and high quality print as normal. Only
    // the job's copy changes; the quality mode chosen at construction stays.
    if ((!spec.qualityModeSupported || paper.qualityMediaType == 0) &&
        (option.printQuality == 1 || option.printQuality == 4)) {
        option.printQuality = 2;
    }

    int width = bitmap.bitmapWidth;
    int height = bitmap.bitmapHeight;
    if (!raster_limits::isBufferSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    double scale = 1.0;
    if (bitmap.applyScale) {
        scale = getScale(width, height);
        if (!std::isfinite(scale) || !(scale > 0.0)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return false;
        }
        if (scale != 1.0) {
            const double w = width * scale + 0.5;
            const double h = height * scale + 0.5;
            // Checked before the conversion: a huge value converted to int is undefined.
            if (!(w < raster_limits::kMaxImageSide + 1.0) ||
                !(h < raster_limits::kMaxImageSide + 1.0)) {
                PrinterStatus::error_code_ = error::kInvalidParameter;
                return false;
            }
            width = static_cast<int>(w) < 1 ? 1 : static_cast<int>(w);
            height = static_cast<int>(h) < 1 ? 1 : static_cast<int>(h);
        } else {
            scale = 1.0;
        }
    }
    if (!raster_limits::isImageSizeAllowed(width, height)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }

    const bool result = createPrnDate(bitmap, scale, width, height, pages, page);
    if (pageData == nullptr) {
        // Any failure that left no page body reaches the job as an invalid parameter.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return false;
    }
    return result;
}

bool RasterData::createPrnDate(BitmapData& bitmap, double scale, int& width, int& height, int pages,
                               int page) {
    unsigned char* image = nullptr;
    bool result = makeOneBitBitmapFromColor(bitmap, image, scale, width, height);
    if (result) {
        result = preCreateRasterDataFromOneBitmap(width, height, pages);
    }
    if (result) {
        result = convertBitmapToRaster(image, width, height, page + 1 == pages);
    }
    delete[] image;
    return result;
}
