#pragma once

#include <cstring>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "raster_zoo.h"

// A RasterData whose page step runs only the geometry of the one-bit image (quarter turn,
// resize, fit to paper) and the page geometry, and records what it saw. A page that gets
// through gets a one-byte body, so the pipeline's own checks can be observed.
class GeometryProbe : public RasterData {
  public:
    GeometryProbe(RasterPrintOption& o, PrinterSpec& s, Paper& p) : RasterData(o, s, p, status()) {}
    explicit GeometryProbe(zoo::Row& row) : GeometryProbe(row.option, row.spec, row.paper) {}

    bool createPrnDate(BitmapData& bitmap, double scale, int& width, int& height, int pages,
                       int /*page*/) override {
        seenScale = scale;
        reachedPage = true;
        const size_t bytes = static_cast<size_t>(bitmap.bitmapWidth) * bitmap.bitmapHeight;
        unsigned char* grey = new unsigned char[bytes];
        std::memcpy(grey, bitmap.pixels, bytes);
        unsigned char* work = nullptr;
        bool ok = adjustBitmapDirection(bitmap, grey, width, height) &&
                  adjustBitmapSize(bitmap, work, grey, scale, width, height);
        delete[] grey;
        if (ok && option.printMode == 4) {
            ok = adjustFitToPaper(work, width, height);
        }
        if (ok) {
            image.assign(work, work + static_cast<size_t>(width) * height);
            finalWidth = width;
            finalHeight = height;
            ok = preCreateRasterDataFromOneBitmap(width, height, pages);
        }
        delete[] work;
        innerCode = PrinterStatus::error_code_;
        if (ok) {
            pageData = new unsigned char[1]{0x1A};
            pageDataLength = 1;
        }
        return ok;
    }

    static PrinterStatus& status() {
        static PrinterStatus instance;
        return instance;
    }

    double seenScale = 0.0;
    bool reachedPage = false;
    int innerCode = 0;
    int finalWidth = 0;
    int finalHeight = 0;
    std::vector<unsigned char> image;
};
