// A page read from a pixel file (streamed a row at a time) and the same page handed over
// as pixels in memory (the whole picture at once) give the same bytes: page commands and
// page body, on every kind of raster data object and every halftone method.

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "connection/printer_status.h"
#include "raster/bi_color_raster_data.h"
#include "raster/fc_raster_data.h"
#include "raster/raster_data.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;

// R, G, B pixels: colour ramps, black and red marks, white stretches and noise, so that
// every halftone method and the colour separation make both decisions often.
Bytes colourPicture(int width, int height) {
    std::mt19937 rng(static_cast<unsigned>(width * 131 + height));
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const int kind = (x / 17 + y / 11) % 5;
            if (kind == 0) {
                p[0] = p[1] = p[2] = 255;
            } else if (kind == 1) {
                p[0] = p[1] = p[2] = 0;
            } else if (kind == 2) {
                p[0] = 230;
                p[1] = static_cast<unsigned char>(y * 2);
                p[2] = 20;
            } else if (kind == 3) {
                p[0] = static_cast<unsigned char>(x * 3);
                p[1] = static_cast<unsigned char>(y * 5);
                p[2] = static_cast<unsigned char>(x + y);
            } else {
                p[0] = static_cast<unsigned char>(byte(rng));
                p[1] = static_cast<unsigned char>(byte(rng));
                p[2] = static_cast<unsigned char>(byte(rng));
            }
        }
    }
    return rgb;
}

struct Page {
    bool ok = false;
    int errorCode = 0;
    Bytes start;
    Bytes body;
};

// The raster data object the print job would make for the row, run over one bitmap.
Page pageOf(zoo::Row row, BitmapData bitmap) {
    PrinterStatus status;
    std::unique_ptr<RasterData> raster;
    if (row.spec.seriesId == 1) {
        raster.reset(new FCRasterData(row.option, row.spec, row.paper, status));
    } else if (row.paper.isTwoColor) {
        raster.reset(new BiColorRasterData(row.option, row.spec, row.paper, status));
    } else {
        raster.reset(new RasterData(row.option, row.spec, row.paper, status));
    }
    PrinterStatus::error_code_ = 1;
    Page page;
    page.ok = raster->createRasterDataFromColorData(bitmap, 1, 0);
    page.errorCode = PrinterStatus::error_code_;
    page.start = raster->startPageCommand;
    if (raster->pageData != nullptr) {
        page.body.assign(raster->pageData, raster->pageData + raster->pageDataLength);
    }
    return page;
}

TEST(PipelinePaths, PixelFileAndPixelsInMemoryGiveTheSamePage) {
    const int width = 173;
    const int height = 141;
    Bytes rgb = colourPicture(width, height);
    const std::string path = raster_files::tempPath("pipeline_paths.rgb");
    raster_files::writeAll(path, rgb);

    for (const std::string& name : zoo::rowNames()) {
        if (name == "none43" || name == "fc28_custom") {
            continue;  // no model record; a custom size the row leaves unset: no page at all
        }
        for (int halftone : {1, 2, 3}) {
            for (bool legacy : {false, true}) {
                zoo::Row row = zoo::row(name);
                row.option.halftone = halftone;
                row.option.useLegacyHalftoneEngine = legacy;
                row.option.printMode = 2;  // fit to the printable area: every row takes it

                BitmapData fromFile;
                fromFile.bitmapFile = path;
                fromFile.bitmapWidth = width;
                fromFile.bitmapHeight = height;
                fromFile.isColor = true;
                fromFile.applyScale = true;
                fromFile.applyOrientation = true;
                BitmapData inMemory = fromFile;
                inMemory.bitmapFile.clear();
                inMemory.pixels = rgb.data();

                const Page a = pageOf(row, fromFile);
                const Page b = pageOf(row, inMemory);
                const std::string what =
                    name + ", halftone " + std::to_string(halftone) + (legacy ? ", legacy" : "");
                ASSERT_TRUE(a.ok) << what << ": error " << a.errorCode;
                EXPECT_EQ(a.ok, b.ok) << what;
                EXPECT_EQ(a.errorCode, b.errorCode) << what;
                EXPECT_EQ(a.start, b.start) << what;
                EXPECT_FALSE(a.body.empty()) << what;
                EXPECT_TRUE(a.body == b.body) << what;
            }
        }
    }
}

}  // namespace
