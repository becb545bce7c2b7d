// A colour bitmap that is resized and not turned goes through grey conversion and resize in
// one streamed pass, a pixel row at a time. The one-bit image must be the one the steps give
// when each runs over the whole picture: grey conversion, turn, resize, halftone, packing.

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes picture(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const bool noise = (x / 9 + y / 7) % 3 == 0;
            p[0] = static_cast<unsigned char>(noise ? byte(rng) : x * 5 + y);
            p[1] = static_cast<unsigned char>(noise ? byte(rng) : y * 3);
            p[2] = static_cast<unsigned char>(noise ? byte(rng) : 255 - x);
        }
    }
    return rgb;
}

BitmapData bitmapOf(const std::string& path, Bytes* pixels, int width, int height) {
    BitmapData b;
    b.bitmapFile = path;
    b.pixels = pixels != nullptr ? pixels->data() : nullptr;
    b.bitmapWidth = width;
    b.bitmapHeight = height;
    b.isColor = true;
    b.applyScale = true;
    b.applyOrientation = true;
    return b;
}

struct OneBit {
    bool ok = false;
    int errorCode = 0;
    int width = 0;
    int height = 0;
    Bytes bytes;
};

// The scaled size the raster data object hands to the one-bit image.
void scaledSize(RasterData& r, const BitmapData& b, double& scale, int& w, int& h) {
    scale = r.getScale(b.bitmapWidth, b.bitmapHeight);
    w = static_cast<int>(b.bitmapWidth * scale + 0.5);
    h = static_cast<int>(b.bitmapHeight * scale + 0.5);
}

OneBit whole(zoo::Row row, BitmapData bitmap) {
    PrinterStatus status;
    RasterData r(row.option, row.spec, row.paper, status);
    PrinterStatus::error_code_ = 1;
    OneBit o;
    double scale = 1.0;
    scaledSize(r, bitmap, scale, o.width, o.height);
    const int tone = r.spec.legacyGamma ? 1 : 0;
    unsigned char* grey = new unsigned char[static_cast<size_t>(bitmap.bitmapWidth) *
                                            static_cast<size_t>(bitmap.bitmapHeight)];
    o.ok = bitmap.bitmapFile.empty()
               ? r.convertColorToGrayImage(grey, bitmap.bitmapWidth, bitmap.bitmapHeight,
                                           bitmap.pixels, tone)
               : r.convertColorToGrayImage(grey, bitmap.bitmapWidth, bitmap.bitmapHeight,
                                           bitmap.bitmapFile, tone);
    unsigned char* image = nullptr;
    if (o.ok) {
        o.ok = r.adjustBitmapDirection(bitmap, grey, o.width, o.height) &&
               r.adjustBitmapSize(bitmap, image, grey, scale, o.width, o.height);
    }
    delete[] grey;
    if (o.ok) {
        r.adjustHalftone(bitmap, image, o.width, o.height);
        unsigned char* packed = nullptr;
        const int n = r.getOneBitBitmap(o.width, o.height, image, 0, packed);
        o.bytes.assign(packed, packed + n);
        delete[] packed;
    }
    delete[] image;
    o.errorCode = PrinterStatus::error_code_;
    return o;
}

OneBit streamed(zoo::Row row, BitmapData bitmap) {
    PrinterStatus status;
    RasterData r(row.option, row.spec, row.paper, status);
    PrinterStatus::error_code_ = 1;
    OneBit o;
    double scale = 1.0;
    scaledSize(r, bitmap, scale, o.width, o.height);
    unsigned char* packed = nullptr;
    o.ok = r.makeOneBitBitmapFromColor(bitmap, packed, scale, o.width, o.height);
    if (o.ok) {
        const size_t n = static_cast<size_t>((o.width + 7) / 8) * static_cast<size_t>(o.height);
        o.bytes.assign(packed, packed + n);
    }
    delete[] packed;
    o.errorCode = PrinterStatus::error_code_;
    return o;
}

TEST(StreamedGreyResize, SameOneBitImageAsTheWholePictureSteps) {
    const struct {
        const char* row;
        int width;
        int height;
        int printQuality;
        int halftone;
        bool legacyTone;
        double scale = 0.0;  // 0: fit to the printable area; else print mode 3 at this scale
    } cases[] = {
        {"vz52_diecut62x29", 700, 300, 2, 3, false},  // scaled down
        {"vz52_diecut62x29", 90, 41, 2, 2, false},    // scaled up: rows and columns repeat
        {"kx38_tape24", 60, 500, 1, 1, false},        // low quality: the feed stretched by half
        {"kx38_tape24", 60, 500, 4, 3, false},        // high quality: stretched twice
        {"kx38_tape24", 333, 120, 2, 3, true},        // the legacy tone curve
        {"gy34_a7", 400, 600, 2, 3, false},
        {"fc28_a4", 1237, 1749, 2, 3, false},
        // 34,000 dots wide: too wide for the kernel, the threshold at 127 stands in.
        {"vz52_diecut62x29", 17000, 3, 2, 3, false, 2.0},
        {"vz52_diecut62x29", 300, 70, 2, 3, false, 1.5},
    };
    for (const auto& c : cases) {
        zoo::Row row = zoo::row(c.row);
        row.option.printMode = c.scale > 0.0 ? 3 : 2;
        row.option.scale = c.scale;
        row.option.printQuality = c.printQuality;
        row.option.halftone = c.halftone;
        row.option.mode9 = false;
        if (c.legacyTone) {
            row.spec.legacyGamma = true;
            row.option.useLegacyHalftoneEngine = true;
        }
        Bytes rgb = picture(c.width, c.height, static_cast<unsigned>(c.width + c.height));
        const std::string path = raster_files::tempPath("streamed_grey_resize.rgb");
        raster_files::writeAll(path, rgb);
        for (bool fromFile : {true, false}) {
            const BitmapData bitmap = fromFile ? bitmapOf(path, nullptr, c.width, c.height)
                                               : bitmapOf(std::string(), &rgb, c.width, c.height);
            const OneBit a = whole(row, bitmap);
            const OneBit b = streamed(row, bitmap);
            const std::string what = std::string(c.row) + " " + std::to_string(c.width) + "x" +
                                     std::to_string(c.height) + (fromFile ? " file" : " memory");
            ASSERT_TRUE(a.ok) << what << ": error " << a.errorCode;
            ASSERT_TRUE(b.ok) << what << ": error " << b.errorCode;
            EXPECT_EQ(b.width, a.width) << what;
            EXPECT_EQ(b.height, a.height) << what;
            EXPECT_TRUE(b.bytes == a.bytes) << what;
        }
    }
}

// A pixel file that cannot be opened, or that is shorter than the bitmap, fails with error
// code 40 on both paths; a short file fails even though the resize skips its last rows.
TEST(StreamedGreyResize, UnreadableAndShortFilesFailAlike) {
    zoo::Row row = zoo::row("vz52_diecut62x29");
    row.option.printMode = 2;
    const int width = 700;
    const int height = 300;
    Bytes rgb = picture(width, height, 1);
    rgb.resize(rgb.size() - 10);
    const std::string shortPath = raster_files::tempPath("streamed_grey_resize_short.rgb");
    raster_files::writeAll(shortPath, rgb);
    for (const std::string& path : {shortPath, raster_files::tempPath("no_such_dir/none.rgb")}) {
        const BitmapData bitmap = bitmapOf(path, nullptr, width, height);
        const OneBit a = whole(row, bitmap);
        const OneBit b = streamed(row, bitmap);
        EXPECT_FALSE(a.ok) << path;
        EXPECT_FALSE(b.ok) << path;
        EXPECT_EQ(a.errorCode, 40) << path;
        EXPECT_EQ(b.errorCode, 40) << path;
    }
}

// The grey value of every R, G, B triple is (30 R + 59 G + 11 B) / 100, truncated, whatever
// arithmetic the conversion uses to get there.
TEST(StreamedGreyResize, GreyOfEveryColour) {
    const int side = 4096;  // 4096 x 4096 pixels: every triple once
    Bytes rgb(static_cast<size_t>(side) * side * 3);
    for (size_t i = 0; i < static_cast<size_t>(side) * side; ++i) {
        rgb[3 * i] = static_cast<unsigned char>(i >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(i >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(i);
    }
    Bytes grey(static_cast<size_t>(side) * side);
    RasterData r;
    unsigned char* out = grey.data();
    ASSERT_TRUE(r.convertColorToGrayImage(out, side, side, rgb.data(), 0));
    size_t wrong = 0;
    for (size_t i = 0; i < grey.size(); ++i) {
        const unsigned v = 30u * rgb[3 * i] + 59u * rgb[3 * i + 1] + 11u * rgb[3 * i + 2];
        wrong += grey[i] != v / 100 ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
