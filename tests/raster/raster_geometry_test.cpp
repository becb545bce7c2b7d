#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/raster_geometry_probe.h"
#include "support/raster_zoo.h"

namespace {

// A bitmap of one grey byte per pixel with a recognisable pattern.
struct TestBitmap {
    TestBitmap(int w, int h, bool scale = true, bool orient = true) : pixels(pixelCount(w, h)) {
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = static_cast<unsigned char>(i % 251);
        }
        bitmap.bitmapWidth = w;
        bitmap.bitmapHeight = h;
        bitmap.pixels = pixels.empty() ? nullptr : pixels.data();
        bitmap.applyScale = scale;
        bitmap.applyOrientation = orient;
    }
    static size_t pixelCount(int w, int h) {
        return (w > 0 && h > 0 && int64_t{w} * h < (1 << 26)) ? static_cast<size_t>(w) * h : 0;
    }
    std::vector<unsigned char> pixels;
    BitmapData bitmap;
};

struct PageResult {
    bool ok = false;
    int code = 0;
    int innerCode = 0;
    double scale = 0.0;
    int width = 0;
    int height = 0;
    bool hasBody = false;
};

// Runs the pipeline of a probe on a bitmap.
PageResult runPage(GeometryProbe& probe, TestBitmap& tb, int pages = 1) {
    PrinterStatus::error_code_ = 1;
    PageResult r;
    r.ok = probe.createRasterDataFromColorData(tb.bitmap, pages, 0);
    r.code = PrinterStatus::error_code_;
    r.innerCode = probe.innerCode;
    r.scale = probe.seenScale;
    r.hasBody = probe.pageData != nullptr;
    return r;
}

using Tweak = std::function<void(zoo::Row&)>;

struct GoldenCase {
    const char* what;
    const char* row;
    Tweak tweak;
    int bitmapWidth;
    int bitmapHeight;
    bool applyScale;
    double scale;
    int width;  // final image size
    int height;
    int leftMargin;
    int topMargin;
    int pageLines;
    int lengthDots;  // the job's paper afterwards
    int printableLengthDots;
    int code;       // after the pipeline
    int innerCode;  // right after the page geometry
};

TEST(RasterGeometry, GoldenTable) {
    const GoldenCase cases[] = {
        {"scale 0.333 gives 33 x 17", "vz52_continuous62",
         [](zoo::Row& r) {
             r.option.printMode = 3;
             r.option.scale = 0.333;
         },
         100, 50, true, 0.333, 33, 17, 12, 0, 17, 17, 17, 1, 1},
        {"fit to the printable area: the smaller factor", "vz52_diecut62x29",
         [](zoo::Row& r) {
             r.option.printMode = 2;
             r.paper.printableWidthDots = 566;
             r.paper.printableLengthDots = 1090;
         },
         300, 400, true, 566.0 / 300.0, 566, 755, 12, 0, 1090, 341, 1090, 1, 1},
        {"continuous paper: factor 2.0 from the width", "vz54_dt90",
         [](zoo::Row& r) { r.option.printMode = 2; }, 513, 100, true, 2.0, 1026, 200, 145, 0, 200,
         200, 200, 1, 1},
        {"factor 1.0 in quality mode 1: no resize", "vz52_diecut62x29", nullptr, 40, 30, true, 1.0,
         40, 30, 12, 0, 271, 341, 271, 1, 1},
        {"quality mode 3 doubles the rows", "kx38_tape24",
         [](zoo::Row& r) { r.option.printQuality = 4; }, 5, 3, true, 1.0, 5, 6, 112, 0, 6, 6, 6, 1,
         1},
        {"quality mode 4 keeps the size, doubles the margin", "kx38_tape24",
         [](zoo::Row& r) {
             r.option.printQuality = 5;
             r.option.marginTop = 10;
         },
         5, 3, true, 1.0, 5, 3, 112, 20, 23, 23, 23, 1, 1},
        {"applyScale clear: no resize in mode 3", "kx38_tape24",
         [](zoo::Row& r) { r.option.printQuality = 4; }, 5, 3, false, 1.0, 5, 3, 112, 0, 3, 3, 3, 1,
         1},
        {"centred: left margin 19 before the offset", "sn63_custom",
         [](zoo::Row& r) {
             r.option.mode9 = false;
             r.option.align = 2;
             r.paper.printableWidthDots = 100;
         },
         61, 10, true, 1.0, 61, 10, 19 + 24, 0, 10, 10, 10, 1, 1},
        {"centred and turned by 180 degrees: 20", "sn63_custom",
         [](zoo::Row& r) {
             r.option.mode9 = false;
             r.option.align = 2;
             r.option.rotate180 = true;
             r.paper.printableWidthDots = 100;
         },
         61, 10, true, 1.0, 61, 10, 20 + 24, 0, 10, 10, 10, 1, 1},
        {"orientation 2, valign 3: left margin 0", "vz52_diecut62x29",
         [](zoo::Row& r) {
             r.option.orientation = 2;
             r.option.valign = 3;
         },
         40, 30, true, 1.0, 30, 40, 12, 0, 271, 341, 271, 1, 1},
        {"continuous, mode 3: top margin 20", "kx38_tape24",
         [](zoo::Row& r) {
             r.option.printQuality = 4;
             r.option.marginTop = 10;
         },
         5, 3, true, 1.0, 5, 6, 112, 20, 26, 26, 26, 1, 1},
        {"fixed length 500 in mode 3: L 1000, pageLines 500", "vz52_diecut62x29",
         [](zoo::Row& r) {
             r.option.printQuality = 4;
             r.option.valign = 3;
             r.paper.printableLengthDots = 500;
         },
         40, 30, true, 1.0, 40, 60, 12, 940, 500, 341, 500, 1, 1},
        {"one dot too wide: 21 inside, 39 outside", "vz52_diecut62x29", nullptr, 697, 10, true, 1.0,
         697, 10, 0, 0, 0, 341, 271, 39, 21},
        {"custom paper beyond the head: 39", "sn63_custom",
         [](zoo::Row& r) { r.paper.leftOffsetDots = 100; }, 10, 10, true, 1.0, 10, 10, 0, 0, 0, 0,
         0, 39, 39},
        {"custom paper ending at 0: 39", "sn63_custom",
         [](zoo::Row& r) {
             r.paper.leftOffsetDots = 0;
             r.paper.printableWidthDots = 0;
         },
         10, 10, false, 1.0, 10, 10, 0, 0, 0, 0, 0, 39, 39},
        {"fit key 2: 6 dots cut on each side", "vz52_diecut62x29",
         [](zoo::Row& r) {
             r.option.printMode = 4;
             r.option.align = 2;
             r.option.valign = 2;
         },
         707, 271, false, 1.0, 695, 271, 12, 0, 271, 341, 271, 1, 1},
        {"fit key 2 on continuous paper: m cut at both ends", "vz52_continuous62",
         [](zoo::Row& r) {
             r.option.printMode = 4;
             r.option.align = 2;
             r.option.valign = 2;
         },
         100, 200, false, 1.0, 100, 130, 310, 0, 130, 130, 130, 1, 1},
        {"3 x 2 landscape page", "vz52_continuous62", [](zoo::Row& r) { r.option.orientation = 2; },
         3, 2, true, 1.0, 2, 3, 706, 0, 3, 3, 3, 1, 1},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.what);
        zoo::Row row = zoo::row(c.row);
        ASSERT_FALSE(row.name.empty()) << c.row;
        if (c.tweak) {
            c.tweak(row);
        }
        GeometryProbe probe(row);
        TestBitmap tb(c.bitmapWidth, c.bitmapHeight, c.applyScale);
        const PageResult r = runPage(probe, tb);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.innerCode, c.innerCode);
        EXPECT_EQ(r.ok, c.code == 1);
        EXPECT_EQ(r.hasBody, c.code == 1);
        if (c.innerCode == 39) {
            continue;  // refused before any margin
        }
        EXPECT_DOUBLE_EQ(r.scale, c.scale);
        EXPECT_EQ(probe.image.size(), static_cast<size_t>(c.width) * c.height);
        EXPECT_EQ(probe.leftMargin, c.leftMargin);
        EXPECT_EQ(probe.topMargin, c.topMargin);
        if (c.code == 1) {
            EXPECT_EQ(probe.pageLines, c.pageLines);
        }
        EXPECT_EQ(probe.paper.lengthDots, c.lengthDots);
        EXPECT_EQ(probe.paper.printableLengthDots, c.printableLengthDots);
    }
}

TEST(RasterGeometry, PaperPositionOnTheHead) {
    // Full-page custom paper (its printable size as paper selection sets it): the model adds
    // the paper offset and the position on the head, and the right edge becomes the width.
    struct Case {
        int paperPosition;
        int offset;
    } cases[] = {{1, 0}, {2, (2464 - 800) / 2}, {3, 2464 - 800}, {0, 0}};
    for (const Case& c : cases) {
        zoo::Row row = zoo::row("fc28_custom");
        row.paper.printableWidthDots = 800;
        row.paper.printableLengthDots = 1000;
        row.option.paperPosition = c.paperPosition;
        row.option.align = 3;  // right: the margin is D, so the edge is visible
        GeometryProbe probe(row);
        TestBitmap tb(100, 50);
        ASSERT_TRUE(runPage(probe, tb).ok) << c.paperPosition;
        EXPECT_EQ(probe.paperLeftOffset, c.offset) << c.paperPosition;
        EXPECT_EQ(probe.leftMargin, 700 + c.offset) << c.paperPosition;
        EXPECT_EQ(probe.getPaperLeftMargin(800), c.offset);
    }
    // A catalogue paper has no position; a custom-size tube paper counts on the tube head.
    zoo::Row a4 = zoo::row("fc28_a4");
    a4.option.paperPosition = 3;
    GeometryProbe a4Probe(a4);
    EXPECT_EQ(a4Probe.getPaperLeftMargin(2400), 0);
    zoo::Row tube = zoo::row("kx37_tube65");
    tube.paper.isCustomSize = true;
    tube.option.paperPosition = 3;
    GeometryProbe tubeProbe(tube);
    EXPECT_EQ(tubeProbe.getPaperLeftMargin(86), 144 - 86);
}

TEST(RasterGeometry, ImageContentOfResizeAndTurn) {
    {
        // Factor 1.0, mode 1: the grey image passes unchanged.
        zoo::Row row = zoo::row("vz52_diecut62x29");
        GeometryProbe probe(row);
        TestBitmap tb(40, 30);
        ASSERT_TRUE(runPage(probe, tb).ok);
        EXPECT_EQ(probe.image, tb.pixels);
    }
    {
        // Mode 3: rows 0 and 1 repeat source row 0, rows 2 and 3 source row 1, ...
        zoo::Row row = zoo::row("kx38_tape24");
        row.option.printQuality = 4;
        GeometryProbe probe(row);
        TestBitmap tb(5, 3);
        ASSERT_TRUE(runPage(probe, tb).ok);
        ASSERT_EQ(probe.image.size(), 30u);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(probe.image[y * 5 + x], tb.pixels[(y / 2) * 5 + x]) << x << "," << y;
            }
        }
    }
    {
        // Rows a b c / d e f turn into d a / e b / f c; the record's sizes stay swapped.
        zoo::Row row = zoo::row("vz52_continuous62");
        row.option.orientation = 2;
        GeometryProbe probe(row);
        TestBitmap tb(3, 2);
        const unsigned char a = 'a', b = 'b', c = 'c', d = 'd', e = 'e', f = 'f';
        tb.pixels = {a, b, c, d, e, f};
        tb.bitmap.pixels = tb.pixels.data();
        ASSERT_TRUE(runPage(probe, tb).ok);
        EXPECT_EQ(probe.image, (std::vector<unsigned char>{d, a, e, b, f, c}));
        EXPECT_EQ(tb.bitmap.bitmapWidth, 2);
        EXPECT_EQ(tb.bitmap.bitmapHeight, 3);
    }
}

TEST(RasterGeometry, QuarterTurnOfOtherOrientationsOnlyForTwo) {
    // Every orientation other than 1 is landscape for the scale, but only 2 turns.
    for (int orientation : {0, 2, 3}) {
        zoo::Row row = zoo::row("vz52_continuous62");
        row.option.orientation = orientation;
        row.option.valign = 2;
        GeometryProbe probe(row);
        TestBitmap tb(3, 2);
        ASSERT_TRUE(runPage(probe, tb).ok) << orientation;
        EXPECT_EQ(tb.bitmap.bitmapWidth, orientation == 2 ? 2 : 3) << orientation;
    }
}

TEST(RasterGeometry, ResizeIndexesStayInsideTheImage) {
    // 3 rows at factor 0.5 in quality mode 3: H = 2, stretched to 4; the row table would reach
    // source row 3 without the clamp.
    zoo::Row row = zoo::row("kx38_tape24");
    row.option.printQuality = 4;
    row.option.printMode = 3;
    row.option.scale = 0.5;
    GeometryProbe probe(row);
    TestBitmap tb(4, 3);
    ASSERT_TRUE(runPage(probe, tb).ok);
    ASSERT_EQ(probe.image.size(), 2u * 4u);
    int* table = nullptr;
    probe.calcOriginalPos(3, 4, 1.0, table);
    EXPECT_EQ(table[3], 2);
    delete[] table;
    // The last output row reads source row 2 (row 3 would be past the image).
    EXPECT_EQ(probe.image[3 * 2 + 0], tb.pixels[2 * 4 + 0]);
}

// Writes a binary PGM of a width x height grey image.
void writePgm(const std::string& path, const std::vector<unsigned char>& img, int w, int h) {
    std::ofstream f(path, std::ios::binary);
    f << "P5\n" << w << " " << h << "\n255\n";
    f.write(reinterpret_cast<const char*>(img.data()), static_cast<std::streamsize>(img.size()));
}

// Reads the pixel data of a binary PGM (no comments, maxval 255).
bool readPgm(const std::string& path, std::vector<unsigned char>& img, int& w, int& h) {
    std::ifstream f(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    if (!(f >> magic >> w >> h >> maxval) || magic != "P5") {
        return false;
    }
    f.get();
    img.resize(static_cast<size_t>(w) * h);
    f.read(reinterpret_cast<char*>(img.data()), static_cast<std::streamsize>(img.size()));
    return static_cast<size_t>(f.gcount()) == img.size();
}

bool haveTool(const char* tool) {
    const std::string cmd = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

TEST(RasterGeometry, RotateMatchesNetpbmClockwiseTurn) {
    if (!haveTool("pamflip")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    std::mt19937 rng(8);
    const std::string dir = ::testing::TempDir();
    RasterData raster;
    for (int trial = 0; trial < 6; ++trial) {
        const int w = 1 + 2 * static_cast<int>(rng() % 40);
        const int h = 1 + 2 * static_cast<int>(rng() % 40);
        std::vector<unsigned char> img(static_cast<size_t>(w) * h);
        for (auto& p : img) {
            p = static_cast<unsigned char>(rng());
        }
        const std::string in = dir + "raster_rotate_in.pgm";
        const std::string out = dir + "raster_rotate_out.pgm";
        writePgm(in, img, w, h);
        ASSERT_EQ(std::system(("pamflip -cw " + in + " > " + out).c_str()), 0);
        std::vector<unsigned char> expected;
        int ew = 0, eh = 0;
        ASSERT_TRUE(readPgm(out, expected, ew, eh));
        ASSERT_EQ(ew, h);
        ASSERT_EQ(eh, w);
        std::vector<unsigned char> got(img.size());
        unsigned char* o = got.data();
        unsigned char* i = img.data();
        raster.rotate(o, i, w, h);
        EXPECT_EQ(got, expected) << w << " x " << h;
    }
}

TEST(RasterGeometry, FitToPaperKeyOneWritesBackTheResidualMargin) {
    // Height side, orientation 1: valign 1 with marginTop 50 on continuous paper (A = 0):
    // bottom = m = 35, top = 0 (m < u), the field keeps u - m = 15.
    {
        zoo::Row row = zoo::row("vz52_continuous62");
        row.option.printMode = 4;
        row.option.marginTop = 50;
        row.option.align = 2;
        GeometryProbe probe(row);
        int top = -1, bottom = -1;
        probe.getFitToPaperHeightMargin(200, top, bottom, 1.0);
        EXPECT_EQ(top, 0);
        EXPECT_EQ(bottom, 35);
        EXPECT_EQ(probe.option.marginTop, 15);
    }
    // The same in quality mode 3: u = trunc(50 x 2) = 100, m = 70, the field is
    // trunc(30 / 2) = 15 again.
    {
        zoo::Row row = zoo::row("vz52_continuous62");
        row.option.printMode = 4;
        row.option.printQuality = 4;
        row.option.marginTop = 50;
        GeometryProbe probe(row);
        int top = -1, bottom = -1;
        probe.getFitToPaperHeightMargin(200, top, bottom, 1.0);
        EXPECT_EQ(top, 0);
        EXPECT_EQ(bottom, 70);
        EXPECT_EQ(probe.option.marginTop, 15);
    }
    // Width side, orientation 1: align 1 with marginLeft 5 and side margin 18 on a 710-dot
    // image: the far cut uses u on entry (710 + 5 - 18 - 696 = 1), the near cut 13, u 0.
    {
        zoo::Row row = zoo::row("vz52_diecut62x29");
        row.option.printMode = 4;
        row.option.marginLeft = 5;
        GeometryProbe probe(row);
        int left = -1, right = -1;
        probe.getFitToPaperWidthMargin(710, left, right, 1.0);
        EXPECT_EQ(left, 13);
        EXPECT_EQ(right, 1);
        EXPECT_EQ(probe.option.marginLeft, 0);
    }
    // Orientation 2 exchanges the near and far cuts and uses valign / marginTop.
    {
        zoo::Row row = zoo::row("vz52_diecut62x29");
        row.option.printMode = 4;
        row.option.orientation = 2;
        row.option.marginTop = 30;
        GeometryProbe probe(row);
        int left = -1, right = -1;
        probe.getFitToPaperWidthMargin(700, left, right, 1.0);
        EXPECT_EQ(right, 0);                   // near: m <= u
        EXPECT_EQ(left, 700 + 30 - 18 - 696);  // far
        EXPECT_EQ(probe.option.marginTop, 12);
    }
}

TEST(RasterGeometry, FitToPaperKeyThreeInBothOrientations) {
    struct Case {
        int orientation;
        int expectTop, expectBottom, expectLeft, expectRight;
    } cases[] = {
        // Portrait: bottom = m, top = overflow; right = side margin, left = overflow.
        {1, 400 - 271 - 35, 35, 720 - 696 - 18, 18},
        // Landscape: the height key is align, the width key valign; left = m, right = overflow.
        {2, 400 - 271 - 35, 35, 18, 720 - 696 - 18},
    };
    for (const Case& c : cases) {
        zoo::Row row = zoo::row("vz52_diecut62x29");
        row.option.printMode = 4;
        row.option.align = 3;
        row.option.valign = 3;
        row.option.orientation = c.orientation;
        GeometryProbe probe(row);
        int top = -1, bottom = -1, left = -1, right = -1;
        probe.getFitToPaperHeightMargin(400, top, bottom, 1.0);
        probe.getFitToPaperWidthMargin(720, left, right, 1.0);
        EXPECT_EQ(top, c.expectTop) << c.orientation;
        EXPECT_EQ(bottom, c.expectBottom) << c.orientation;
        EXPECT_EQ(left, c.expectLeft) << c.orientation;
        EXPECT_EQ(right, c.expectRight) << c.orientation;
    }
}

TEST(RasterGeometry, FitToPaperThatLeavesNothingIsError23) {
    // A 30-row image on continuous paper, key 2: m = 35 at both ends cuts every row.
    zoo::Row row = zoo::row("vz52_continuous62");
    row.option.printMode = 4;
    row.option.valign = 2;
    GeometryProbe probe(row);
    std::vector<unsigned char> pixels(100 * 30, 0);
    unsigned char* image = new unsigned char[pixels.size()];
    int w = 100, h = 30;
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(probe.adjustFitToPaper(image, w, h));
    EXPECT_EQ(PrinterStatus::error_code_, 23);
    delete[] image;
    // Through the pipeline the job sees 39 and no page.
    TestBitmap tb(100, 30, false);
    const PageResult r = runPage(probe, tb);
    EXPECT_EQ(r.innerCode, 23);
    EXPECT_EQ(r.code, 39);
    EXPECT_FALSE(r.hasBody);
}

TEST(RasterGeometry, FitToPaperFillsWhiteBeforeCopying) {
    // Landscape key 1 with a large marginTop: far cut from u on entry, image copied at the cut.
    zoo::Row row = zoo::row("vz52_diecut62x29");
    row.option.printMode = 4;
    row.option.align = 2;
    row.option.valign = 2;
    GeometryProbe probe(row);
    int w = 8, h = 4;
    unsigned char* image = new unsigned char[32];
    for (int i = 0; i < 32; ++i) {
        image[i] = static_cast<unsigned char>(i);
    }
    PrinterStatus::error_code_ = 1;
    ASSERT_TRUE(probe.adjustFitToPaper(image, w, h));
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 4);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(image[i], i);
    }
    delete[] image;
}

struct QualityCase {
    const char* row;
    int printQuality;
    int halftone;
    int mode;
    float image, margin, raster, raw, tiff, convert;
    bool energyUp;
};

TEST(PrintQualitySetting, ModesAndFactorsOverZooRows) {
    const QualityCase cases[] = {
        // Model 38 offers both qualities; its tape has no media length.
        {"kx38_tape24", 1, 1, 2, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"kx38_tape24", 2, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"kx38_tape24", 3, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"kx38_tape24", 4, 1, 3, 2.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, true},
        {"kx38_tape24", 5, 1, 4, 1.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, true},
        {"kx38_tape24", 4, 3, 3, 2.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        // Mode 2 does not look at the paper; with a media length the raster factor is 0.5,
        // the page buffer factor never.
        {"kx38_flag", 1, 1, 2, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 1.0f, false},
        // Quality type 0 on the paper: the mode is still chosen from the PrinterSpec.
        {"kx24_hs58", 4, 1, 3, 2.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, true},
        {"kx24_hs58", 1, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        // A die-cut label has a media length: the raster factors follow the image factor.
        {"vz52_diecut62x29", 4, 1, 3, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, true},
        {"vz52_diecut62x29", 5, 2, 4, 1.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"vz52_continuous62", 4, 1, 3, 2.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f, true},
        // Two-colour paper: no high resolution.
        {"vz52_twocolor", 5, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"vz52_twocolor", 4, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
        {"none43", 4, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, false},
    };
    for (const QualityCase& c : cases) {
        zoo::Row row = zoo::row(c.row);
        row.option.printQuality = c.printQuality;
        row.option.halftone = c.halftone;
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        const tpes::PrintQualitySetting& q = raster.printQualitySetting;
        SCOPED_TRACE(std::string(c.row) + " quality " + std::to_string(c.printQuality));
        EXPECT_EQ(q.printQualityMode, c.mode);
        EXPECT_EQ(q.isLowResolution(), c.mode == 2);
        EXPECT_EQ(q.isHighOrLowResolutionMode(), c.mode != 1);
        EXPECT_EQ(q.getMagnificationForImageArea(), c.image);
        EXPECT_EQ(q.magnificationOfBitmapData(), c.image);
        EXPECT_EQ(q.magnificationOfCuttingPaperHeight(), c.image);
        EXPECT_EQ(q.magnificationOfImageAreaForFitToPaper(), c.image);
        EXPECT_EQ(q.getMagnificationForMargin(), c.margin);
        EXPECT_EQ(q.magnificationOfSpace(), c.margin);
        EXPECT_EQ(q.magnificationOfTopMargin(), c.margin);
        EXPECT_EQ(q.magnificationOfMarginForFitToPaper(), c.margin);
        EXPECT_EQ(q.magnificationOfRasterData(), c.raster);
        EXPECT_EQ(q.magnificationOfPaperImageareaHeightForRaw(), c.raw);
        EXPECT_EQ(q.magnificationOfPaperImageareaHeightForTiff(), c.tiff);
        EXPECT_EQ(q.magnificationOfPaperImageareaHeightForConvertBitmapToRasterPrnData(),
                  c.convert);
        EXPECT_EQ(q.isEnergyUp(), c.energyUp);
        EXPECT_EQ(q.isConvert3BlackLineTo1WhiteLine(), c.energyUp);
    }
}

TEST(PrintQualitySetting, PipelineRewritesOnlyTheJobsOptionCopy) {
    // Quality type 0 on the paper: the job's option shows 2, the mode stays 3.
    zoo::Row row = zoo::row("kx24_hs58");
    row.option.printQuality = 4;
    GeometryProbe probe(row);
    TestBitmap tb(10, 10);
    ASSERT_TRUE(runPage(probe, tb).ok);
    EXPECT_EQ(probe.option.printQuality, 2);
    EXPECT_EQ(probe.printQualitySetting.printQualityMode, 3);
    EXPECT_EQ(probe.printQualitySetting.option.printQuality, 4);

    // Fit to paper on a full-page custom paper becomes fit to page.
    zoo::Row fc = zoo::row("fc28_custom");
    fc.option.printMode = 4;
    GeometryProbe fcProbe(fc);
    TestBitmap small(8, 8);
    runPage(fcProbe, small);
    EXPECT_EQ(fcProbe.option.printMode, 2);
}

TEST(RasterGeometry, BadSizesAndScalesAre39BeforeAnyPage) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        int w, h;
        int printMode;
        double scale;
    } cases[] = {
        {"width 0", 0, 10, 1, 1.0},
        {"height 0", 10, 0, 1, 1.0},
        {"width -1", -1, 10, 1, 1.0},
        {"height -1", 10, -1, 1, 1.0},
        {"width 65536", 65536, 1, 1, 1.0},
        {"height 65536", 1, 65536, 1, 1.0},
        {"scale NaN", 10, 10, 3, nan},
        {"scale infinity", 10, 10, 3, inf},
        {"scale 0", 10, 10, 3, 0.0},
        {"scale -1", 10, 10, 3, -1.0},
        {"scale 1e9", 10, 10, 3, 1e9},
        {"scale 6554 on 10", 10, 10, 3, 6554.0},
        {"fit to page, width 0", 10, 10, 2, 1.0},
        {"source past the byte cap, scaled down", 50000, 50000, 3, 0.01},
    };
    for (const Case& c : cases) {
        zoo::Row row = zoo::row("vz52_diecut62x29");
        row.option.printMode = c.printMode;
        row.option.scale = c.scale;
        if (c.printMode == 2) {
            row.paper.printableWidthDots = 0;
        }
        GeometryProbe probe(row);
        TestBitmap tb(c.w, c.h);
        const PageResult r = runPage(probe, tb);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.code, 39) << c.what;
        EXPECT_FALSE(probe.reachedPage) << c.what;
        EXPECT_FALSE(r.hasBody) << c.what;
    }
}

TEST(RasterGeometry, QualityStretchPast65535Is39) {
    // 40,000 rows doubled in quality mode 3 would pass the 16-bit kernel limit.
    zoo::Row row = zoo::row("kx38_tape24");
    row.option.printQuality = 4;
    GeometryProbe probe(row);
    TestBitmap tb(1, 40000);
    const PageResult r = runPage(probe, tb);
    EXPECT_EQ(r.code, 39);
    EXPECT_EQ(r.innerCode, 39);
    EXPECT_FALSE(r.hasBody);
}

TEST(RasterGeometry, ContinuousPageLongerThan65535LinesIs21) {
    // top margin 2 x 20,000 plus 30,000 rows: 70,000 lines do not fit the paper's fields.
    zoo::Row row = zoo::row("kx38_tape24");
    row.option.printQuality = 5;
    row.option.marginTop = 20000;
    GeometryProbe probe(row);
    TestBitmap tb(2, 30000);
    const PageResult r = runPage(probe, tb);
    EXPECT_EQ(r.innerCode, 21);
    EXPECT_EQ(r.code, 39);
    EXPECT_FALSE(r.hasBody);
    EXPECT_EQ(probe.paper.lengthDots, 0);  // the 16-bit fields were not written
}

TEST(RasterGeometry, ModelWithoutRecordDividesByNothing) {
    // Model 43: headDots 0. A catalogue-less paper with a printable area places normally;
    // a custom paper fails with 39.
    zoo::Row row = zoo::row("none43");
    row.paper.printableWidthDots = 100;
    row.paper.printableLengthDots = 100;
    {
        GeometryProbe probe(row);
        TestBitmap tb(10, 10);
        EXPECT_TRUE(runPage(probe, tb).ok);
    }
    row.option.paperId = 254;
    {
        GeometryProbe probe(row);
        TestBitmap tb(10, 10);
        const PageResult r = runPage(probe, tb);
        EXPECT_EQ(r.innerCode, 39);
        EXPECT_EQ(r.code, 39);
    }
    // Fit to page on the empty paper: the factor is 0, refused.
    zoo::Row empty = zoo::row("none43");
    empty.option.printMode = 2;
    GeometryProbe probe(empty);
    TestBitmap tb(10, 10);
    EXPECT_EQ(runPage(probe, tb).code, 39);
}

TEST(RasterGeometry, PlacementPropertiesOverRandomPages) {
    std::mt19937 rng(2026);
    const std::vector<std::string> rows = {
        "kx38_tape24",   "kx24_hs58",  "kx37_tube65", "vz52_diecut62x29", "vz52_continuous62",
        "vz54_dt102x51", "vz54_dia12", "gy34_a7",     "sn63_custom",      "fc28_a4"};
    for (int trial = 0; trial < 400; ++trial) {
        zoo::Row row = zoo::row(rows[rng() % rows.size()]);
        row.option.orientation = 1 + static_cast<int>(rng() % 3);
        row.option.align = static_cast<int>(rng() % 5);
        row.option.valign = static_cast<int>(rng() % 5);
        row.option.marginLeft = static_cast<int>(rng() % 200) - 50;
        row.option.marginTop = static_cast<int>(rng() % 200) - 50;
        row.option.rotate180 = rng() % 2 == 0;
        row.option.printMode = 1 + static_cast<int>(rng() % 4);
        row.option.scale = 0.1 + (rng() % 30) / 10.0;
        row.option.printQuality = 1 + static_cast<int>(rng() % 5);
        const bool mirrored = row.spec.mode9MirrorMargin && row.spec.mode9Supported;
        const bool offset = row.spec.usePaperLeftOffset;
        GeometryProbe probe(row);
        TestBitmap tb(1 + static_cast<int>(rng() % 300), 1 + static_cast<int>(rng() % 300),
                      rng() % 4 != 0);
        const PageResult r = runPage(probe, tb);
        SCOPED_TRACE(row.name + " trial " + std::to_string(trial));
        if (!r.ok) {
            EXPECT_EQ(r.code, 39);
            EXPECT_TRUE(r.innerCode == 21 || r.innerCode == 23 || r.innerCode == 39) << r.innerCode;
            EXPECT_FALSE(r.hasBody);
            continue;
        }
        const int w = probe.finalWidth;
        const int h = probe.finalHeight;
        EXPECT_GE(probe.leftMargin, 0);
        EXPECT_GE(probe.topMargin, 0);
        const bool continuous = row.paper.printableLengthDots == 0;
        const float factor = probe.printQualitySetting.magnificationOfCuttingPaperHeight();
        const int length =
            continuous
                ? probe.paper.printableLengthDots
                : static_cast<int>(static_cast<float>(row.paper.printableLengthDots) * factor);
        EXPECT_LE(probe.topMargin + h, length);
        if (continuous) {
            EXPECT_EQ(probe.pageLines, probe.topMargin + h);
            EXPECT_EQ(probe.paper.lengthDots, probe.pageLines);
        } else {
            EXPECT_EQ(probe.pageLines, row.paper.printableLengthDots);
        }
        if (!mirrored && !offset) {
            EXPECT_LE(probe.leftMargin + w,
                      row.paper.leftOffsetDots + row.paper.printableWidthDots);
        }
    }
}

}  // namespace
