#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/raster_geometry_probe.h"
#include "support/raster_page_image.h"
#include "support/raster_stream/raster_body_decoder.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;
using raster_page::placedRow;

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// A black-and-white picture: a frame, a diagonal and a filled block.
Bytes picture() {
    Bytes grey(static_cast<size_t>(kWidth) * kHeight, 255);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool frame = x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
            const bool diagonal = x == y;
            const bool block = x >= 25 && x < 33 && y >= 5 && y < 12;
            if (frame || diagonal || block) {
                grey[static_cast<size_t>(y) * kWidth + x] = 0;
            }
        }
    }
    return grey;
}

Bytes packed(const Bytes& grey, bool mirror) {
    const int rb = (kWidth + 7) / 8;
    Bytes out(static_cast<size_t>(rb) * kHeight, 0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int sx = mirror ? kWidth - 1 - x : x;
            if (grey[static_cast<size_t>(y) * kWidth + sx] == 0) {
                out[static_cast<size_t>(y) * rb + x / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    return out;
}

struct Printed {
    std::unique_ptr<RasterData> raster;
    bool ok = false;
    Bytes body;
};

// The whole page of the picture on a zoo row, from a pixel file written by writeByteInFile.
Printed print(zoo::Row& row) {
    const Bytes grey = picture();
    std::vector<int> colours;
    for (unsigned char g : grey) {
        colours.push_back(static_cast<int>(0xFF000000u | (g << 16) | (g << 8) | g));
    }
    const std::string path = raster_files::tempPath("raster_end_to_end.rgb");
    int* p = colours.data();
    EXPECT_EQ(RasterData::writeByteInFile(p, static_cast<int>(colours.size()), path, false), 1);
    BitmapData bitmap;
    bitmap.bitmapFile = path;
    bitmap.bitmapWidth = kWidth;
    bitmap.bitmapHeight = kHeight;
    bitmap.isColor = true;
    bitmap.applyScale = true;
    bitmap.applyOrientation = true;
    Printed out;
    PrinterStatus::error_code_ = 1;
    out.raster.reset(new RasterData(row.option, row.spec, row.paper, GeometryProbe::status()));
    out.ok = out.raster->createRasterDataFromColorData(bitmap, 1, 0);
    if (out.raster->pageData != nullptr) {
        out.body.assign(out.raster->pageData, out.raster->pageData + out.raster->pageDataLength);
    }
    return out;
}

TEST(RasterEndToEnd, LabelSeriesKX) {
    zoo::Row row = zoo::row("kx38_tape24");
    const Printed p = print(row);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(
        p.raster->startPageCommand,
        (Bytes{0x1B, 0x69, 0x7A, 0xC4, 0x00, 0x18, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x02, 0x00,  //
               0x1B, 0x69, 0x4B, 0x00, 0x1B, 0x69, 0x4D, 0x00,                                //
               0x1B, 0x69, 0x6B, 0x63, 0x01, 0x00, 0x1B, 0x69, 0x64, 0x0E, 0x00, 0x4D, 0x02}));
    raster_stream::Lines lines;
    std::string error;
    ASSERT_TRUE(
        raster_stream::decodeLabelBody(p.body.data(), p.body.size(), 70, true, lines, error))
        << error;
    ASSERT_EQ(lines.size(), static_cast<size_t>(kHeight));
    const Bytes img = packed(picture(), false);
    for (int y = 0; y < kHeight; ++y) {
        EXPECT_EQ(lines[static_cast<size_t>(y)], placedRow(img, kWidth, y, 112, 70)) << y;
    }
}

TEST(RasterEndToEnd, LabelSeriesVZWrittenAsPbm) {
    zoo::Row row = zoo::row("vz52_diecut62x29");
    const Printed p = print(row);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.raster->startPageCommand, (Bytes{0x1B, 0x69, 0x21, 0x00,  //
                                                 0x1B, 0x69, 0x7A, 0xC6, 0x0B, 0x3E, 0x1D, 0x0F,
                                                 0x01, 0x00, 0x00, 0x00, 0x00,  //
                                                 0x1B, 0x69, 0x4B, 0x00, 0x1B, 0x69, 0x4D, 0x00,
                                                 0x1B, 0x69, 0x64, 0x00, 0x00, 0x4D, 0x02}));
    EXPECT_EQ(p.raster->pageLines, 271);
    raster_stream::Lines lines;
    std::string error;
    ASSERT_TRUE(
        raster_stream::decodeLabelBody(p.body.data(), p.body.size(), 90, true, lines, error))
        << error;
    ASSERT_EQ(lines.size(), 271u);
    const Bytes img = packed(picture(), false);
    for (int y = 0; y < 271; ++y) {
        const Bytes expected = y < kHeight ? placedRow(img, kWidth, y, 12, 90) : Bytes(90, 0);
        EXPECT_EQ(lines[static_cast<size_t>(y)], expected) << y;
    }
    // The page as a picture: the PBM of the decoded lines holds the source at its margin.
    const std::string pbm = raster_files::tempPath("raster_vz_page.pbm");
    ASSERT_TRUE(raster_stream::writePbm(pbm, lines, 720));
    Bytes data;
    int w = 0, h = 0;
    ASSERT_TRUE(raster_files::readNetpbm(pbm, data, w, h));
    EXPECT_EQ(w, 720);
    EXPECT_EQ(h, 271);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int at = 12 + x;
            const bool black = (data[static_cast<size_t>(y) * 90 + at / 8] >> (7 - at % 8)) & 1;
            ASSERT_EQ(black, picture()[static_cast<size_t>(y) * kWidth + x] == 0) << x << "," << y;
        }
    }
}

TEST(RasterEndToEnd, ModeNineSeriesGY) {
    // Mode 9 with the mirrored margin: the line carries the mirrored row counted from the
    // right edge of the printable area.
    zoo::Row row = zoo::row("gy34_a7");
    const Printed p = print(row);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.raster->startPageCommand, (Bytes{0x4D, 0x02}));
    const int size = 816 / 8 + 0 + 1;
    raster_stream::Lines lines;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeMode9Body(
        p.body.data(), p.body.size(), 0, p.raster->startPageCommand.size(), size, lines, error))
        << error;
    ASSERT_EQ(lines.size(), 1180u);
    const int mirroredLeft = 816 - kWidth - 0;
    EXPECT_EQ(p.raster->leftMargin, mirroredLeft);
    const Bytes img = packed(picture(), true);
    const Bytes straight = packed(picture(), false);
    for (int y = 0; y < kHeight; ++y) {
        const Bytes line = lines[static_cast<size_t>(y)];
        EXPECT_EQ(line, placedRow(img, kWidth, y, mirroredLeft, size)) << y;
        // Mirrored back across the printable width, the line shows the picture at dot 0.
        Bytes back(static_cast<size_t>(size), 0);
        for (int d = 0; d < 816; ++d) {
            if ((line[static_cast<size_t>(d / 8)] >> (7 - d % 8)) & 1) {
                const int m = 815 - d;
                back[static_cast<size_t>(m / 8)] |= static_cast<unsigned char>(0x80 >> (m % 8));
            }
        }
        EXPECT_EQ(back, placedRow(straight, kWidth, y, 0, size)) << y;
    }
    for (size_t y = kHeight; y < lines.size(); ++y) {
        EXPECT_EQ(lines[y], Bytes(static_cast<size_t>(size), 0));
    }
}

TEST(RasterEndToEnd, CustomPaperSeriesSN) {
    zoo::Row row = zoo::row("sn63_custom");
    row.option.marginTop = 5;
    const Printed p = print(row);
    ASSERT_TRUE(p.ok);
    const int pageLines = 5 + kHeight;
    EXPECT_EQ(p.raster->startPageCommand, (Bytes{0x1B,
                                                 0x69,
                                                 0x21,
                                                 0x00,  //
                                                 0x1B,
                                                 0x69,
                                                 0x7A,
                                                 0x00,
                                                 0x00,
                                                 0x00,
                                                 0x00,  //
                                                 static_cast<unsigned char>(pageLines),
                                                 0x00,
                                                 0x00,
                                                 0x00,
                                                 0x00,
                                                 0x00,  //
                                                 0x1B,
                                                 0x69,
                                                 0x4B,
                                                 0x00,
                                                 0x1B,
                                                 0x69,
                                                 0x4D,
                                                 0x00,  //
                                                 0x1B,
                                                 0x69,
                                                 0x58,
                                                 0x65,
                                                 0x32,
                                                 0x01,
                                                 0x00,
                                                 0x85,  //
                                                 0x1B,
                                                 0x69,
                                                 0x64,
                                                 0x24,
                                                 0x00,
                                                 0x4D,
                                                 0x06}));
    const int size = 1200 / 8 + 3 + 1;
    raster_stream::Lines lines;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeMode9Body(
        p.body.data(), p.body.size(), 350, p.raster->startPageCommand.size(), size, lines, error))
        << error;
    ASSERT_EQ(lines.size(), static_cast<size_t>(pageLines));
    // Right edge 24 + 1200; the mirrored margin counts from it, after the offset bytes.
    const int mirroredLeft = 1224 - kWidth - 24;
    EXPECT_EQ(p.raster->leftMargin, mirroredLeft);
    const Bytes img = packed(picture(), true);
    for (int y = 0; y < pageLines; ++y) {
        const Bytes expected = y < 5 ? Bytes(static_cast<size_t>(size), 0)
                                     : placedRow(img, kWidth, y - 5, 24 + mirroredLeft, size);
        EXPECT_EQ(lines[static_cast<size_t>(y)], expected) << y;
    }
}

TEST(RasterEndToEnd, FailedPagesLeaveNoBody) {
    // An image wider than the printable area: 21 inside, 39 for the job, no body.
    zoo::Row row = zoo::row("kx24_hs58");
    const Printed p = print(row);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_TRUE(p.body.empty());
    // A copy count the command cannot carry fails the page as well.
    zoo::Row copies = zoo::row("kx38_tape24");
    GeometryProbe probe(copies);
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(probe.preCreateRasterDataFromOneBitmap(10, 10, 70000));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST(RasterEndToEnd, RandomJobsEndWithADecodablePageOr39) {
    // Whole pages with random options on every label row: either a body the decoders read
    // back, or error code 39 and no body; never a crash (the suite runs under the sanitizers).
    std::mt19937 rng(15);
    const std::vector<std::string>& names = zoo::rowNames();
    int pages = 0;
    for (int trial = 0; trial < 150; ++trial) {
        zoo::Row row = zoo::row(names[rng() % names.size()]);
        if (row.spec.seriesId == 1) {
            continue;  // the full-page series has a body of its own
        }
        RasterPrintOption& o = row.option;
        o.orientation = 1 + static_cast<int>(rng() % 3);
        o.printMode = 1 + static_cast<int>(rng() % 4);
        o.scale = (rng() % 40) / 10.0;
        o.align = static_cast<int>(rng() % 4);
        o.valign = static_cast<int>(rng() % 4);
        o.marginLeft = static_cast<int>(rng() % 300) - 100;
        o.marginTop = static_cast<int>(rng() % 300) - 100;
        o.printQuality = 1 + static_cast<int>(rng() % 5);
        o.halftone = static_cast<int>(rng() % 5);
        o.rotate180 = rng() % 2 == 0;
        o.mode9 = rng() % 2 == 0;
        o.rawMode = rng() % 2 == 0;
        o.trimTapeAfterData = rng() % 2 == 0;
        o.labelMargin = static_cast<int>(rng() % 100);
        const int w = 1 + static_cast<int>(rng() % 200);
        const int h = 1 + static_cast<int>(rng() % 200);
        Bytes rgb(static_cast<size_t>(w) * h * 3);
        for (auto& b : rgb) {
            b = static_cast<unsigned char>(rng() % 3 == 0 ? rng() : 255);
        }
        BitmapData bitmap;
        bitmap.pixels = rgb.data();
        bitmap.bitmapWidth = w;
        bitmap.bitmapHeight = h;
        bitmap.isColor = true;
        bitmap.applyScale = rng() % 4 != 0;
        bitmap.applyOrientation = true;
        PrinterStatus::error_code_ = 1;
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        const bool ok = raster.createRasterDataFromColorData(bitmap, 1, 0);
        SCOPED_TRACE(row.name + " trial " + std::to_string(trial));
        if (!ok) {
            EXPECT_EQ(PrinterStatus::error_code_, 39);
            EXPECT_EQ(raster.pageData, nullptr);
            continue;
        }
        ASSERT_NE(raster.pageData, nullptr);
        ++pages;
        raster_stream::Lines lines;
        std::string error;
        const size_t n = static_cast<size_t>(raster.pageDataLength);
        if (raster.spec.mode9Supported && raster.option.mode9) {
            const int size = raster.paper.printableWidthDots / 8 + raster.paper.leftOffsetBytes + 1;
            if (!raster.paper.isCustomSize) {
                EXPECT_TRUE(raster_stream::decodeMode9Body(
                    raster.pageData, n, raster.spec.invalidateLength,
                    raster.startPageCommand.size(), size, lines, error))
                    << error;
                EXPECT_EQ(static_cast<int>(lines.size()), raster.paper.printableLengthDots);
            }
        } else {
            const int lb =
                (raster.spec.tubeSupported && raster.paper.isTube ? raster.spec.tubeHeadDots
                                                                  : raster.spec.headDots) /
                8;
            const bool raw = raster.spec.compression == 0 ||
                             (raster.spec.compression == 1 && raster.option.rawMode);
            EXPECT_TRUE(raster_stream::decodeLabelBody(raster.pageData, n, lb, !raw, lines, error))
                << error;
            const float m = raster.printQualitySetting.magnificationOfPaperImageareaHeightForTiff();
            const int expectedLines =
                static_cast<int>(m * static_cast<float>(raster.paper.printableLengthDots));
            EXPECT_GE(static_cast<int>(lines.size()),
                      std::min<int>(expectedLines, raster.paper.printableLengthDots));
        }
    }
    EXPECT_GT(pages, 30);  // enough of the random jobs make a page
}

}  // namespace
