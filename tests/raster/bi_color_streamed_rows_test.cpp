// A two-colour page that is not turned, resized, fitted or colour-corrected is separated row
// by row as its pixels are read, without the whole colour picture. Its planes must be those
// of the whole picture taken through the separation kernels row after row.

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "connection/printer_status.h"
#include "raster/bi_color_raster_data.h"
#include "raster/color_kernels.h"
#include "raster/htnlib.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes picture(int width, int height) {
    std::mt19937 rng(static_cast<unsigned>(width * 7 + height));
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const int kind = (x / 13 + y / 5) % 4;
            p[0] = static_cast<unsigned char>(kind == 0 ? 255 : kind == 1 ? 200 : byte(rng));
            p[1] = static_cast<unsigned char>(kind == 0 ? 255 : kind == 1 ? y : byte(rng));
            p[2] = static_cast<unsigned char>(kind == 0 ? 255 : kind == 1 ? 10 : byte(rng));
        }
    }
    return rgb;
}

// The planes of the whole picture: every row through the kernel of the method, the dither
// counter and the error rows running on, then one plane per ink.
std::vector<Bytes> wholePicturePlanes(BiColorRasterData& r, const Bytes& rgb, int width, int height,
                                      int halftone, int halfThreshold) {
    Bytes ternary(static_cast<size_t>(width) * height);
    std::vector<int> sums(static_cast<size_t>(width) * 6, 0);
    BinarizeErrorRows red = {sums.data(), sums.data() + width, sums.data() + 2 * width};
    BinarizeErrorRows black = {sums.data() + 3 * width, sums.data() + 4 * width,
                               sums.data() + 5 * width};
    const int threshold = 255 - (halfThreshold & 0xFF);
    int counter = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = rgb.data() + static_cast<size_t>(y) * width * 3;
        unsigned char* out = ternary.data() + static_cast<size_t>(y) * width;
        const int result =
            halftone == 1   ? MakeBicolorTernaryThreshold(row, width, 3 * width, 1, threshold, out)
            : halftone == 2 ? MakeBicolorTernaryDither(row, width, 3 * width, 1, 8, 8, tbl_Dither,
                                                       &counter, out)
                            : MakeBicolorTernaryErrorDiffusion(row, width, 3 * width, 1, threshold,
                                                               &red, &black, out);
        EXPECT_EQ(result, 0);
    }
    std::vector<Bytes> planes;
    for (COLORCONV ink : {COLORCONV_BLACK, COLORCONV_RED}) {
        unsigned char* t = ternary.data();
        unsigned char* plane = nullptr;
        const int n = r.getOneBitBitmap(width, height, t, 0, plane, ink);
        planes.emplace_back(plane, plane + n);
        delete[] plane;
    }
    return planes;
}

TEST(BiColorStreamedRows, PlanesEqualThoseOfTheWholePicture) {
    const int width = 350;
    const int height = 97;
    Bytes rgb = picture(width, height);
    const std::string path = raster_files::tempPath("bi_color_streamed_rows.rgb");
    raster_files::writeAll(path, rgb);
    for (int halftone : {1, 2, 3}) {
        for (bool fromFile : {true, false}) {
            zoo::Row row = zoo::row("vz52_twocolor");
            row.option.halftone = halftone;
            row.option.halfThreshold = 100;
            PrinterStatus status;
            BiColorRasterData r(row.option, row.spec, row.paper, status);
            BitmapData bitmap;
            bitmap.bitmapFile = fromFile ? path : std::string();
            bitmap.pixels = fromFile ? nullptr : rgb.data();
            bitmap.bitmapWidth = width;
            bitmap.bitmapHeight = height;
            bitmap.isColor = true;
            bitmap.applyScale = true;
            bitmap.applyOrientation = true;
            PrinterStatus::error_code_ = 1;
            unsigned char** planes = nullptr;
            int w = width;
            int h = height;
            ASSERT_TRUE(r.makeOneBitBitmapFromColor(bitmap, planes, 1.0, w, h));
            const std::vector<Bytes> expected =
                wholePicturePlanes(r, rgb, width, height, halftone, 100);
            const size_t n = static_cast<size_t>((w + 7) / 8) * h;
            const std::string what =
                "halftone " + std::to_string(halftone) + (fromFile ? ", file" : ", memory");
            EXPECT_TRUE(Bytes(planes[0], planes[0] + n) == expected[0]) << what;
            EXPECT_TRUE(Bytes(planes[1], planes[1] + n) == expected[1]) << what;
            delete[] planes[0];
            delete[] planes[1];
            delete[] planes;
        }
    }
}

// A pixel file shorter than the bitmap is unreadable (error code 40) also when its rows are
// separated as they are read; the host's pixels are left as they were.
TEST(BiColorStreamedRows, ShortFileFailsAndPixelsStayUntouched) {
    const int width = 80;
    const int height = 30;
    Bytes rgb = picture(width, height);
    Bytes shortFile(rgb.begin(), rgb.end() - 5);
    const std::string path = raster_files::tempPath("bi_color_streamed_short.rgb");
    raster_files::writeAll(path, shortFile);
    zoo::Row row = zoo::row("vz52_twocolor");
    row.option.halftone = 3;
    PrinterStatus status;
    BiColorRasterData r(row.option, row.spec, row.paper, status);
    BitmapData bitmap;
    bitmap.bitmapFile = path;
    bitmap.bitmapWidth = width;
    bitmap.bitmapHeight = height;
    bitmap.isColor = true;
    PrinterStatus::error_code_ = 1;
    unsigned char** planes = nullptr;
    int w = width;
    int h = height;
    EXPECT_FALSE(r.makeOneBitBitmapFromColor(bitmap, planes, 1.0, w, h));
    EXPECT_EQ(PrinterStatus::error_code_, 40);
    EXPECT_EQ(planes, nullptr);

    const Bytes before = rgb;
    bitmap.bitmapFile.clear();
    bitmap.pixels = rgb.data();
    PrinterStatus::error_code_ = 1;
    w = width;
    h = height;
    ASSERT_TRUE(r.makeOneBitBitmapFromColor(bitmap, planes, 1.0, w, h));
    EXPECT_TRUE(rgb == before);
    delete[] planes[0];
    delete[] planes[1];
    delete[] planes;
}

// The planes, packed eight pixels at a time, hold a bit exactly where a pixel equals the ink,
// also for bytes that are not ternary values and for rows that end inside a byte.
TEST(BiColorStreamedRows, PackedPlanesMatchPixelByPixel) {
    std::mt19937 rng(5);
    zoo::Row row = zoo::row("vz52_twocolor");
    PrinterStatus status;
    BiColorRasterData r(row.option, row.spec, row.paper, status);
    for (int width : {1, 7, 8, 9, 63, 64, 65, 696}) {
        const int height = 5;
        for (int range : {3, 255}) {
            std::uniform_int_distribution<int> pick(0, range);
            Bytes ternary(static_cast<size_t>(width) * height);
            for (auto& v : ternary) {
                v = static_cast<unsigned char>(pick(rng));
            }
            for (COLORCONV ink : {COLORCONV_BLACK, COLORCONV_RED}) {
                unsigned char* t = ternary.data();
                unsigned char* plane = nullptr;
                const int n = r.getOneBitBitmap(width, height, t, 0, plane, ink);
                const int rowBytes = (width + 7) / 8;
                ASSERT_EQ(n, rowBytes * height);
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < rowBytes * 8; ++x) {
                        const bool bit = (plane[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
                        const bool want =
                            x < width && ternary[static_cast<size_t>(y) * width + x] == ink;
                        ASSERT_EQ(bit, want) << width << " " << x << "," << y;
                    }
                }
                delete[] plane;
            }
        }
    }
}

}  // namespace
