#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/raster_geometry_probe.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using raster_files::readAll;
using raster_files::tempPath;
using Bytes = std::vector<unsigned char>;

// Reference packing: ceil(w / 8) bytes a row, leftmost pixel in the top bit, 1 for a value
// below 128, pad bits 0.
Bytes pack(const Bytes& img, int w, int h) {
    const int rb = (w + 7) / 8;
    Bytes out(static_cast<size_t>(rb) * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (img[static_cast<size_t>(y) * w + x] < 128) {
                out[static_cast<size_t>(y) * rb + x / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    return out;
}

// Host colour values (0xAARRGGBB) of a grey image.
std::vector<int> toColours(const Bytes& grey) {
    std::vector<int> px;
    for (unsigned char g : grey) {
        px.push_back(static_cast<int>(0xFF000000u | (g << 16) | (g << 8) | g));
    }
    return px;
}

// Writes a grey picture as a pixel file through writeByteInFile.
void writePixelFile(const std::string& path, const Bytes& grey) {
    std::vector<int> px = toColours(grey);
    int* p = px.data();
    ASSERT_EQ(RasterData::writeByteInFile(p, static_cast<int>(px.size()), path, false), 1);
}

struct Page {
    bool ok = false;
    int code = 0;
    int width = 0;
    int height = 0;
    Bytes packed;
};

// makeOneBitBitmapFromColor of a pixel file on a zoo row, factor 1.0.
Page oneBit(zoo::Row& row, const std::string& path, int w, int h, bool applyScale = false) {
    PrinterStatus::error_code_ = 1;
    RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
    BitmapData bitmap;
    bitmap.bitmapFile = path;
    bitmap.bitmapWidth = w;
    bitmap.bitmapHeight = h;
    bitmap.isColor = true;
    bitmap.applyScale = applyScale;
    bitmap.applyOrientation = true;
    Page p;
    p.width = w;
    p.height = h;
    unsigned char* out = nullptr;
    p.ok = raster.makeOneBitBitmapFromColor(bitmap, out, 1.0, p.width, p.height);
    p.code = PrinterStatus::error_code_;
    if (p.ok) {
        p.packed.assign(out, out + static_cast<size_t>((p.width + 7) / 8) * p.height);
    }
    delete[] out;
    return p;
}

TEST(RasterOneBit, GreyValuesAndToneCurve) {
    struct Case {
        unsigned char r, g, b, grey;
    } cases[] = {{255, 0, 0, 76},      {0, 255, 0, 150}, {0, 0, 255, 28},
                 {255, 255, 255, 255}, {10, 20, 30, 18}, {200, 100, 50, 124}};
    RasterData raster;
    for (const Case& c : cases) {
        unsigned char rgb[3] = {c.r, c.g, c.b};
        unsigned char grey = 0;
        unsigned char* g = &grey;
        ASSERT_TRUE(raster.convertColorToGrayImage(g, 1, 1, rgb, 1));
        EXPECT_EQ(grey, c.grey) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
    // The legacy tone curve truncates (the halftone LUT rounds: 1 -> 8, 128 -> 166).
    const int curve[][2] = {{0, 0},     {1, 7},     {2, 12},    {64, 107},
                            {128, 165}, {192, 213}, {254, 254}, {255, 255}};
    RasterData legacy;
    legacy.option.useLegacyHalftoneEngine = true;
    for (const auto& c : curve) {
        unsigned char rgb[3] = {static_cast<unsigned char>(c[0]), static_cast<unsigned char>(c[0]),
                                static_cast<unsigned char>(c[0])};
        unsigned char grey = 0;
        unsigned char* g = &grey;
        ASSERT_TRUE(legacy.convertColorToGrayImage(g, 1, 1, rgb, 1));
        EXPECT_EQ(grey, c[1]) << c[0];
        // Tone switch 0, or the option clear: no curve.
        ASSERT_TRUE(legacy.convertColorToGrayImage(g, 1, 1, rgb, 0));
        EXPECT_EQ(grey, c[0]);
        ASSERT_TRUE(raster.convertColorToGrayImage(g, 1, 1, rgb, 1));
        EXPECT_EQ(grey, c[0]);
    }
}

TEST(RasterOneBit, PackingTable) {
    struct Case {
        int width;
        std::vector<int> black;
        Bytes packed;
    } cases[] = {
        {10, {0, 9}, {0x80, 0x40}},
        {16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {0xFF, 0xFF}},
        {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0xFF, 0xF0}},
        {1, {}, {0x00}},
    };
    RasterData raster;
    for (const Case& c : cases) {
        Bytes row(static_cast<size_t>(c.width), 255);
        for (int x : c.black) {
            row[static_cast<size_t>(x)] = 0;
        }
        unsigned char* g = row.data();
        unsigned char* out = nullptr;
        const int n = raster.getOneBitBitmap(c.width, 1, g, 1, out);
        ASSERT_EQ(n, static_cast<int>(c.packed.size()));
        EXPECT_EQ(Bytes(out, out + n), c.packed) << c.width;
        delete[] out;
    }
    // Grey that was not halftoned: black exactly below 128.
    Bytes grey = {0, 1, 127, 128, 129, 200, 254, 255};
    unsigned char* g = grey.data();
    unsigned char* out = nullptr;
    ASSERT_EQ(raster.getOneBitBitmap(8, 1, g, 1, out), 1);
    EXPECT_EQ(out[0], 0xE0);
    delete[] out;
    // No rows: no bytes.
    EXPECT_EQ(raster.getOneBitBitmap(8, 0, g, 1, out), 0);
    EXPECT_EQ(out, nullptr);
}

TEST(RasterOneBit, HighResolutionRule) {
    // A column of 7 black pixels from row 0: rows 2 and 5 turn white, but only in quality
    // mode 3 or 4 with threshold halftoning.
    struct Case {
        int printQuality;
        int halftone;
        bool changes;
    } cases[] = {{4, 1, true}, {5, 1, true}, {4, 3, false}, {2, 1, false}, {1, 1, false}};
    for (const Case& c : cases) {
        zoo::Row row = zoo::row("kx38_tape24");
        row.option.printQuality = c.printQuality;
        row.option.halftone = c.halftone;
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        EXPECT_TRUE(raster.isNeedAdjustHighResolutionMode());
        Bytes column(8, 0);
        column[7] = 255;
        unsigned char* img = column.data();
        raster.adjustHighResolutionMode(img, 1, 8);
        Bytes expected(8, 0);
        expected[7] = 255;
        if (c.changes) {
            expected[2] = expected[5] = 255;
        }
        EXPECT_EQ(column, expected) << c.printQuality << "/" << c.halftone;
    }
    // The five models by series and model code; model 24 is not one of them.
    for (const char* name : {"kx37_tube65", "kx24_hs58", "vz52_diecut62x29"}) {
        zoo::Row row = zoo::row(name);
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        EXPECT_EQ(raster.isNeedAdjustHighResolutionMode(), std::string(name) == "kx37_tube65");
    }
}

TEST(RasterOneBit, TrimmingKeepsTheShortestPrintableLength) {
    RasterData raster;
    struct Case {
        int height;
        int lastInk;  // last row with a non-white byte, -1 none
        unsigned char ink;
        int keep;
    } cases[] = {{100, 69, 0, 70}, {100, -1, 0, 1}, {0, -1, 0, 1}, {10, 9, 254, 10}};
    for (const Case& c : cases) {
        Bytes img(static_cast<size_t>(4) * (c.height > 0 ? c.height : 1), 255);
        if (c.lastInk >= 0) {
            img[static_cast<size_t>(c.lastInk) * 4 + 3] = c.ink;
        }
        unsigned char* p = img.data();
        EXPECT_EQ(raster.cutZeroLine(p, 4, c.height), c.keep) << c.height << "/" << c.lastInk;
    }

    // Through the pipeline on model 54 (shortest printable length 230 dots): an image whose
    // last 30 of 300 rows are white keeps 270; one with ink in its first 10 rows keeps 230,
    // and a 100-row image grows white rows up to 230.
    struct PageCase {
        int height, inkRows, expectHeight;
    } pages[] = {{300, 270, 270}, {300, 10, 230}, {100, 10, 230}};
    for (const PageCase& c : pages) {
        zoo::Row row = zoo::row("vz54_dt90");
        row.option.trimTapeAfterData = true;
        Bytes grey(static_cast<size_t>(16) * c.height, 255);
        for (int y = 0; y < c.inkRows; ++y) {
            grey[static_cast<size_t>(y) * 16] = 0;
        }
        const std::string path = tempPath("raster_trim.rgb");
        writePixelFile(path, grey);
        const Page p = oneBit(row, path, 16, c.height);
        ASSERT_TRUE(p.ok) << c.height;
        EXPECT_EQ(p.height, c.expectHeight) << c.height;
        Bytes expected(static_cast<size_t>(2) * c.expectHeight, 0);
        for (int y = 0; y < c.inkRows && y < c.expectHeight; ++y) {
            expected[static_cast<size_t>(y) * 2] = 0x80;
        }
        EXPECT_EQ(p.packed, expected) << c.height;
    }
}

TEST(RasterOneBit, WriteByteInFile) {
    const std::string path = tempPath("raster_write_bytes.rgb");
    std::remove(path.c_str());
    std::vector<int> one = {static_cast<int>(0xFF102030u)};
    int* p = one.data();
    ASSERT_EQ(RasterData::writeByteInFile(p, 1, path, false), 1);
    EXPECT_EQ(readAll(path), (Bytes{0x10, 0x20, 0x30}));

    // Count 6: three chunks of two pixels; the file holds 18 bytes, replaced or appended.
    std::vector<int> six;
    for (int i = 0; i < 6; ++i) {
        six.push_back(0x010203 * (i + 1));
    }
    Bytes expected;
    for (int v : six) {
        expected.push_back(static_cast<unsigned char>(v >> 16));
        expected.push_back(static_cast<unsigned char>(v >> 8));
        expected.push_back(static_cast<unsigned char>(v));
    }
    p = six.data();
    ASSERT_EQ(RasterData::writeByteInFile(p, 6, path, false), 1);
    EXPECT_EQ(readAll(path), expected);
    ASSERT_EQ(RasterData::writeByteInFile(p, 6, path, true), 1);
    Bytes twice = expected;
    twice.insert(twice.end(), expected.begin(), expected.end());
    EXPECT_EQ(readAll(path), twice);

    // Counts 2, 0 and -1; a path that cannot be written.
    p = six.data();
    ASSERT_EQ(RasterData::writeByteInFile(p, 2, path, false), 1);
    EXPECT_EQ(readAll(path), Bytes(expected.begin(), expected.begin() + 6));
    EXPECT_EQ(RasterData::writeByteInFile(p, 0, path, false), 1);
    EXPECT_EQ(readAll(path).size(), 6u);  // left as it was
    EXPECT_EQ(RasterData::writeByteInFile(p, -1, path, false), 0);
    EXPECT_EQ(readAll(path).size(), 6u);
    EXPECT_EQ(RasterData::writeByteInFile(p, 6, "/nonexistent-dir/x.rgb", false), 0);
    EXPECT_EQ(RasterData::writeByteInFile(p, 6, "/dev/full", true), 0);

    // The same conversion into memory.
    Bytes mem(18, 0);
    EXPECT_TRUE(RasterData::writeByteToPixel(p, 6, mem.data()));
    EXPECT_EQ(mem, expected);
    EXPECT_FALSE(RasterData::writeByteToPixel(p, 6, nullptr));
}

TEST(RasterOneBit, MakeOneBitBitmapSavesTheHalftonedBytes) {
    const std::string in = tempPath("raster_save_in.grey");
    const std::string out = tempPath("raster_save_out.grey");
    Bytes grey(7 * 5);
    for (size_t i = 0; i < grey.size(); ++i) {
        grey[i] = static_cast<unsigned char>(i * 7);
    }
    raster_files::writeAll(in, grey);
    BitmapData bitmap;
    bitmap.bitmapFile = in;
    bitmap.bitmapWidth = 7;
    bitmap.bitmapHeight = 5;
    RasterData raster;
    PrinterStatus::error_code_ = 1;
    ASSERT_TRUE(raster.makeOneBitBitmap(bitmap, out, 1, 128, 1));
    Bytes expected;
    for (unsigned char g : grey) {
        expected.push_back(g < 128 ? 0 : 255);
    }
    EXPECT_EQ(readAll(out), expected);
    // halftone 0 and 7: the grey bytes as they are.
    for (int method : {0, 7}) {
        ASSERT_TRUE(raster.makeOneBitBitmap(bitmap, out, method, 128, 1));
        EXPECT_EQ(readAll(out), grey) << method;
    }
    // An unwritable target, a missing source, no source at all.
    EXPECT_FALSE(raster.makeOneBitBitmap(bitmap, "/nonexistent-dir/out", 1, 128, 1));
    BitmapData missing = bitmap;
    missing.bitmapFile = tempPath("raster_no_such_file");
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(raster.makeOneBitBitmap(missing, out, 1, 128, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 40);
    BitmapData none = bitmap;
    none.bitmapFile.clear();
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(raster.makeOneBitBitmap(none, out, 1, 128, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

// Runs a netpbm command line; false when it fails.
bool run(const std::string& cmd) {
    return std::system(cmd.c_str()) == 0;
}

TEST(RasterOneBit, NetpbmAgreesOnFlipTurnAndPacking) {
    if (!raster_files::haveTool("pamflip") || !raster_files::haveTool("pgmtopbm")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    std::mt19937 rng(9);
    const std::string in = tempPath("raster_np_in.pgm");
    const std::string out = tempPath("raster_np_out");
    RasterData raster;
    for (int trial = 0; trial < 5; ++trial) {
        const int w = 1 + 2 * static_cast<int>(rng() % 30);
        const int h = 1 + 2 * static_cast<int>(rng() % 20);
        Bytes img(static_cast<size_t>(w) * h);
        for (auto& v : img) {
            v = static_cast<unsigned char>(rng());
        }
        raster_files::writePgm(in, img, w, h);
        Bytes expected;
        int ew = 0, eh = 0;

        ASSERT_TRUE(run("pamflip -lr " + in + " > " + out));
        ASSERT_TRUE(raster_files::readNetpbm(out, expected, ew, eh));
        Bytes flipped(img.size());
        raster.flip(flipped.data(), img.data(), w, h);
        EXPECT_EQ(flipped, expected) << "flip " << w << "x" << h;

        ASSERT_TRUE(run("pamflip -r180 " + in + " > " + out));
        ASSERT_TRUE(raster_files::readNetpbm(out, expected, ew, eh));
        unsigned char* turned = new unsigned char[img.size()];
        std::copy(img.begin(), img.end(), turned);
        ASSERT_TRUE(raster.rotate180(turned, w, h));
        EXPECT_EQ(Bytes(turned, turned + img.size()), expected) << "turn " << w << "x" << h;
        delete[] turned;

        ASSERT_TRUE(run("pgmtopbm -threshold " + in + " > " + out));
        ASSERT_TRUE(raster_files::readNetpbm(out, expected, ew, eh));
        // Unhalftoned grey, then a threshold-128 image of the kernel engine.
        Bytes grey = img;
        unsigned char* g = grey.data();
        unsigned char* packed = nullptr;
        ASSERT_GT(raster.getOneBitBitmap(w, h, g, 1, packed), 0);
        EXPECT_EQ(Bytes(packed, packed + expected.size()), expected) << "grey " << w << "x" << h;
        delete[] packed;
        RasterData thresholded;
        thresholded.option.halftone = 1;
        thresholded.option.halfThreshold = 128;
        BitmapData unused;
        g = grey.data();
        thresholded.adjustHalftone(unused, g, w, h);
        ASSERT_GT(thresholded.getOneBitBitmap(w, h, g, 1, packed), 0);
        EXPECT_EQ(Bytes(packed, packed + expected.size()), expected)
            << "halftone " << w << "x" << h;
        delete[] packed;
    }
}

TEST(RasterOneBit, PipelineOnZooRows) {
    // A 20 x 9 black-and-white picture with a vertical bar and a diagonal.
    const int w = 20, h = 9;
    Bytes pic(static_cast<size_t>(w) * h, 255);
    for (int y = 0; y < h; ++y) {
        pic[static_cast<size_t>(y) * w + 3] = 0;
        pic[static_cast<size_t>(y) * w + (y * 2) % w] = 0;
    }
    const std::string path = tempPath("raster_pipeline.rgb");
    writePixelFile(path, pic);

    auto mirrored = [&](const Bytes& img) {
        Bytes m(img.size());
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                m[static_cast<size_t>(y) * w + x] = img[static_cast<size_t>(y) * w + (w - 1 - x)];
            }
        }
        return m;
    };
    auto highRes = [&](Bytes img) {
        for (int y = 2; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (img[(y - 2) * w + x] == 0 && img[(y - 1) * w + x] == 0 && img[y * w + x] == 0) {
                    img[y * w + x] = 255;
                }
            }
        }
        return img;
    };

    {
        zoo::Row row = zoo::row("vz52_diecut62x29");
        const Page p = oneBit(row, path, w, h);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.packed, pack(pic, w, h)) << "plain";
    }
    {
        zoo::Row row = zoo::row("gy34_a7");  // Mode 9 with the mirrored margin
        const Page p = oneBit(row, path, w, h);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.packed, pack(mirrored(pic), w, h)) << "mirror";
        row.option.mode9 = false;
        EXPECT_EQ(oneBit(row, path, w, h).packed, pack(pic, w, h)) << "no Mode 9, no mirror";
    }
    {
        zoo::Row row = zoo::row("kx38_tape24");  // quality mode 3, threshold halftone
        row.option.printQuality = 4;
        const Page p = oneBit(row, path, w, h);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.packed, pack(highRes(pic), w, h)) << "high resolution";
    }
    {
        zoo::Row row = zoo::row("sn63_custom");
        row.option.mode9 = false;
        row.option.rotate180 = true;
        const Page p = oneBit(row, path, w, h);
        ASSERT_TRUE(p.ok);
        Bytes turned(pic.rbegin(), pic.rend());
        EXPECT_EQ(p.packed, pack(turned, w, h)) << "180 degrees";
    }
}

TEST(RasterOneBit, BadInputs) {
    const std::string good = tempPath("raster_bad_good.rgb");
    writePixelFile(good, Bytes(16 * 4, 0));
    const std::string shortFile = tempPath("raster_bad_short.rgb");
    raster_files::writeAll(shortFile, Bytes(16 * 4 * 3 - 1, 0));
    struct Case {
        const char* what;
        std::string path;
        int w, h;
        bool isColor;
        int code;
    } cases[] = {
        {"missing file", tempPath("raster_bad_missing.rgb"), 16, 4, true, 40},
        {"short pixel file", shortFile, 16, 4, true, 40},
        {"short grey file", shortFile, 16, 12, false, 40},
        // Refused from the file size, before gigabytes are set aside for the stated size.
        {"huge size, short file", shortFile, 894863590, 1, true, 40},
        {"width 0", good, 0, 4, true, 39},
        {"height -1", good, 16, -1, true, 39},
        {"no file, no pixels", "", 16, 4, true, 39},
        {"no file, no grey pixels", "", 16, 4, false, 39},
    };
    zoo::Row row = zoo::row("vz52_diecut62x29");
    for (const Case& c : cases) {
        PrinterStatus::error_code_ = 1;
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        BitmapData bitmap;
        bitmap.bitmapFile = c.path;
        bitmap.bitmapWidth = c.w;
        bitmap.bitmapHeight = c.h;
        bitmap.isColor = c.isColor;
        int w = c.w, h = c.h;
        unsigned char* out = nullptr;
        EXPECT_FALSE(raster.makeOneBitBitmapFromColor(bitmap, out, 1.0, w, h)) << c.what;
        EXPECT_EQ(PrinterStatus::error_code_, c.code) << c.what;
        EXPECT_EQ(out, nullptr) << c.what;
        // Through the whole page the job sees 39 and no body.
        PrinterStatus::error_code_ = 1;
        RasterData page(row.option, row.spec, row.paper, GeometryProbe::status());
        EXPECT_FALSE(page.createRasterDataFromColorData(bitmap, 1, 0)) << c.what;
        EXPECT_EQ(PrinterStatus::error_code_, 39) << c.what;
        EXPECT_EQ(page.pageData, nullptr) << c.what;
    }
    // The save path refuses sizes the kernels cannot take before allocating.
    for (int side : {0, -1, 65536}) {
        RasterData raster;
        BitmapData bitmap;
        bitmap.bitmapFile = good;
        bitmap.bitmapWidth = side;
        bitmap.bitmapHeight = 1;
        PrinterStatus::error_code_ = 1;
        EXPECT_FALSE(raster.makeOneBitBitmap(bitmap, tempPath("raster_bad_out"), 1, 128, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 39) << side;
    }
}

}  // namespace
