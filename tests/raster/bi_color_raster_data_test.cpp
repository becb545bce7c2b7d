#include "raster/bi_color_raster_data.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#ifdef LUMEKO_HAVE_LIBTIFF
#include <tiffio.h>
#endif

#include "connection/printer_status.h"
#include "raster/color_kernels.h"
#include "raster/htnlib.h"
#include "support/raster_stream/bi_color_decoder.h"
#include "support/raster_stream/dot_lines.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;
using raster_stream::DotRows;
using raster_stream::TwoColorLines;

PrinterStatus& status() {
    static PrinterStatus instance;
    return instance;
}

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// The two-colour paper of the zoo (continuous 62 mm, 90-byte lines, run-length lines).
struct TwoColorJob {
    PrinterSpec spec;
    Paper paper;
    RasterPrintOption option;
    TwoColorJob() {
        zoo::Row r = zoo::row("vz52_twocolor");
        spec = r.spec;
        paper = r.paper;
        option = r.option;
        PrinterStatus::error_code_ = 1;
    }
};

constexpr unsigned char kWhite[3] = {255, 255, 255};
constexpr unsigned char kRed[3] = {255, 0, 0};
constexpr unsigned char kBlack[3] = {0, 0, 0};

// A colour image in memory, filled pixel by pixel.
struct ColorImage {
    int width;
    int height;
    Bytes rgb;
    ColorImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 255) {}
    void set(int x, int y, const unsigned char (&c)[3]) {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        rgb[i] = c[0];
        rgb[i + 1] = c[1];
        rgb[i + 2] = c[2];
    }
    BitmapData bitmap() {
        BitmapData b;
        b.bitmapWidth = width;
        b.bitmapHeight = height;
        b.pixels = rgb.data();
        b.isColor = true;
        b.applyScale = true;
        b.applyOrientation = true;
        return b;
    }
};

// The planes of an image as rows: black (index 0) and red (index 1).
struct Planes {
    DotRows black;
    DotRows red;
};

// Runs the conversion of the raster data object and returns its planes.
bool convert(BiColorRasterData& d, ColorImage& image, Planes& out, int& width, int& height) {
    BitmapData bitmap = image.bitmap();
    width = image.width;
    height = image.height;
    unsigned char** planes = nullptr;
    if (!d.makeOneBitBitmapFromColor(bitmap, planes, 1.0, width, height)) {
        return false;
    }
    out.black =
        raster_stream::rowsOf(planes[0], static_cast<size_t>(width), static_cast<size_t>(height));
    out.red =
        raster_stream::rowsOf(planes[1], static_cast<size_t>(width), static_cast<size_t>(height));
    delete[] planes[0];
    delete[] planes[1];
    delete[] planes;
    return true;
}

// Planes of a ternary image, packed the way the printer expects them.
Planes planesOf(const Bytes& ternary, int width, int height) {
    Planes p;
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    for (int y = 0; y < height; ++y) {
        Bytes black(rowBytes, 0);
        Bytes red(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const unsigned char v = ternary[static_cast<size_t>(y) * width + x];
            if (v == 2) {
                raster_stream::setDot(black, static_cast<size_t>(x));
            } else if (v == 1) {
                raster_stream::setDot(red, static_cast<size_t>(x));
            }
        }
        p.black.push_back(black);
        p.red.push_back(red);
    }
    return p;
}

// The body of hand-made planes (rows of ceil(width / 8) bytes) with the given geometry.
Bytes body(TwoColorJob& job, const Planes& planes, int width, int top, int left, int printable,
           int* topAfter = nullptr) {
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    d.topMargin = top;
    d.leftMargin = left;
    d.paper.printableLengthDots = static_cast<unsigned short>(printable);
    Bytes black;
    Bytes red;
    for (size_t y = 0; y < planes.black.size(); ++y) {
        black.insert(black.end(), planes.black[y].begin(), planes.black[y].end());
        red.insert(red.end(), planes.red[y].begin(), planes.red[y].end());
    }
    unsigned char* both[2] = {black.data(), red.data()};
    const bool ok =
        d.convertBitmapToRasterPrnData(both, width, static_cast<int>(planes.black.size()));
    if (topAfter != nullptr) {
        *topAfter = d.topMargin;
    }
    if (!ok) {
        EXPECT_EQ(d.pageData, nullptr);
        return {};
    }
    return Bytes(d.pageData, d.pageData + d.pageDataLength);
}

// "" when the two pictures are equal, else where they first differ.
std::string difference(const DotRows& got, const DotRows& want) {
    if (got.size() != want.size()) {
        return "rows " + std::to_string(got.size()) + " != " + std::to_string(want.size());
    }
    for (size_t y = 0; y < got.size(); ++y) {
        if (got[y] != want[y]) {
            return "row " + std::to_string(y) + " differs";
        }
    }
    return "";
}

TEST(BiColorRasterData, WorkedRowRedThenBlack) {
    TwoColorJob job;
    ColorImage image(16, 1);
    for (int x = 0; x < 16; ++x) {
        image.set(x, 0, x < 8 ? kRed : kBlack);
    }
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    Planes planes;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(convert(d, image, planes, width, height));
    EXPECT_EQ(planes.black, DotRows({{0x00, 0xFF}}));
    EXPECT_EQ(planes.red, DotRows({{0xFF, 0x00}}));
    const Bytes expected = {0x77, 0x01, 0x05, 0xA9, 0x00, 0x01, 0xFF,
                            0x00,                                      // black: 88 zeros, FF, 00
                            0x77, 0x02, 0x04, 0xA8, 0x00, 0x00, 0xFF,  // red: 89 zeros, FF
                            0x1A};
    EXPECT_EQ(body(job, planes, 16, 0, 0, 1), expected);
}

TEST(BiColorRasterData, RedRowAndBlackRowFillTheirOwnPlane) {
    TwoColorJob job;
    ColorImage image(10, 3);
    for (int x = 0; x < 10; ++x) {
        image.set(x, 0, kRed);
        image.set(x, 1, kBlack);
        image.set(x, 2, kWhite);
    }
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    Planes planes;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(convert(d, image, planes, width, height));
    EXPECT_EQ(planes.black, DotRows({{0x00, 0x00}, {0xFF, 0xC0}, {0x00, 0x00}}));
    EXPECT_EQ(planes.red, DotRows({{0xFF, 0xC0}, {0x00, 0x00}, {0x00, 0x00}}));
}

TEST(BiColorRasterData, RunLengthBodyForms) {
    TwoColorJob job;
    const Bytes whitePacked = {0xA7, 0x00};  // 90 zeros
    // White image rows are packed like any other row; only the margins use 'Z'.
    Planes white{{Bytes(2, 0), Bytes(2, 0)}, {Bytes(2, 0), Bytes(2, 0)}};
    const Bytes whiteRow = cat({{0x77, 0x01, 0x02}, whitePacked, {0x77, 0x02, 0x02}, whitePacked});
    EXPECT_EQ(body(job, white, 16, 1, 0, 5), cat({{0x5A}, whiteRow, whiteRow, {0x5A, 0x5A, 0x1A}}));

    // A line whose packed form is longer than 90 bytes goes as one literal stretch.
    Bytes distinct(90);
    for (int i = 0; i < 90; ++i) {
        distinct[static_cast<size_t>(i)] = static_cast<unsigned char>(2 * i + 1);
    }
    Bytes sent(90);
    for (int k = 0; k < 90; ++k) {
        unsigned char b = distinct[static_cast<size_t>(89 - k)];
        unsigned char r = 0;
        for (int i = 0; i < 8; ++i) {
            r = static_cast<unsigned char>(r | (((b >> i) & 1) << (7 - i)));
        }
        sent[static_cast<size_t>(k)] = r;
    }
    Planes literal{{distinct}, {Bytes(90, 0)}};
    EXPECT_EQ(body(job, literal, 720, 0, 0, 1),
              cat({{0x77, 0x01, 0x5B, 0x59}, sent, {0x77, 0x02, 0x02}, whitePacked, {0x1A}}));
}

TEST(BiColorRasterData, RawBodyWithTopMargin) {
    TwoColorJob job;
    job.spec.compression = 0;
    Planes one{{{0x80}}, {{0x00}}};
    const Bytes blankPair =
        cat({{0x77, 0x01, 0x5A}, Bytes(90, 0), {0x77, 0x02, 0x5A}, Bytes(90, 0)});
    Bytes blackLine(90, 0);
    blackLine[89] = 0x01;  // the leftmost dot ends the mirrored line
    const Bytes expected = cat({blankPair,
                                blankPair,
                                {0x77, 0x01, 0x5A},
                                blackLine,
                                {0x77, 0x02, 0x5A},
                                Bytes(90, 0),
                                blankPair,
                                {0x1A}});
    EXPECT_EQ(body(job, one, 8, 2, 0, 4), expected);

    // compression 1 with the raw option gives the same.
    TwoColorJob rawOption;
    rawOption.option.rawMode = true;
    EXPECT_EQ(body(rawOption, one, 8, 2, 0, 4), expected);
}

TEST(BiColorRasterData, TurnSwapsTheBlankCounts) {
    TwoColorJob job;
    job.spec.variousModeCaps |= 0x08;
    job.option.rotate180 = true;
    Planes one{{{0x80}}, {{0x00}}};
    int top = 0;
    const Bytes b = body(job, one, 8, 10, 0, 41, &top);
    ASSERT_GT(b.size(), 41u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 30), Bytes(30, 0x5A));
    EXPECT_NE(b[30], 0x5A);
    EXPECT_EQ(Bytes(b.end() - 11, b.end()), cat({Bytes(10, 0x5A), {0x1A}}));
    EXPECT_EQ(top, 30);
}

TEST(BiColorRasterData, LineWidthsThatNoLengthByteCarries) {
    Planes one{{{0x80}}, {{0x00}}};
    {
        TwoColorJob job;
        job.spec.headDots = 0;  // no line at all
        EXPECT_EQ(body(job, one, 8, 0, 0, 1), Bytes());
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
    {
        TwoColorJob job;
        job.spec.headDots = 2400;  // 300-byte lines
        job.spec.compression = 0;
        EXPECT_EQ(body(job, one, 8, 0, 0, 1), Bytes());
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
    {
        // Packed, a 300-byte line fits its length byte until it falls back to literals.
        TwoColorJob job;
        job.spec.headDots = 2400;
        EXPECT_FALSE(body(job, one, 8, 0, 0, 1).empty());
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        Bytes noise(300);
        for (size_t i = 0; i < noise.size(); ++i) {
            noise[i] = static_cast<unsigned char>(i * 7 + 1);
        }
        Planes busy{{noise}, {Bytes(300, 0)}};
        EXPECT_EQ(body(job, busy, 2400, 0, 0, 1), Bytes());
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
    {
        // A 128-byte head still sends its literal line in one stretch (length 129).
        TwoColorJob job;
        job.spec.headDots = 1024;
        Bytes noise(128);
        for (size_t i = 0; i < noise.size(); ++i) {
            noise[i] = static_cast<unsigned char>(i * 2 + 1);
        }
        Planes busy{{noise}, {Bytes(128, 0)}};
        const Bytes b = body(job, busy, 1024, 0, 0, 1);
        ASSERT_GE(b.size(), 4u);
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 4), (Bytes{0x77, 0x01, 0x81, 0x7F}));
    }
}

TEST(BiColorRasterData, ThresholdOf127FromTheDefault) {
    // Grey 128 is 127 of black ink: a dot at the default threshold; grey 129 is not.
    for (short halfThreshold : {128, 0x180}) {
        TwoColorJob job;
        job.option.halfThreshold = halfThreshold;
        ColorImage image(2, 1);
        const unsigned char g128[3] = {128, 128, 128};
        const unsigned char g129[3] = {129, 129, 129};
        image.set(0, 0, g128);
        image.set(1, 0, g129);
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        Planes planes;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(convert(d, image, planes, width, height));
        EXPECT_EQ(planes.black, DotRows({{0x80}})) << halfThreshold;
        EXPECT_EQ(planes.red, DotRows({{0x00}})) << halfThreshold;
    }
}

TEST(BiColorRasterData, ErrorDiffusionDotsFromAToneOf127) {
    // Ink 155 tones to 127 and prints; ink 154 tones to 125 and does not.
    const std::pair<unsigned char, Bytes> cases[] = {{100, {0x80}}, {101, {0x00}}};
    for (const auto& c : cases) {
        TwoColorJob job;
        job.option.halftone = 3;
        ColorImage image(1, 1);
        const unsigned char grey[3] = {c.first, c.first, c.first};
        image.set(0, 0, grey);
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        Planes planes;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(convert(d, image, planes, width, height));
        EXPECT_EQ(planes.black, DotRows({c.second})) << int{c.first};
    }
}

TEST(BiColorRasterData, ColourEffectIsAppliedAndKeepsWhite) {
    TwoColorJob job;
    ColorImage image(2, 1);
    const unsigned char light[3] = {140, 140, 140};  // 115 of ink: no dot as it is
    image.set(0, 0, light);
    image.set(1, 0, kWhite);
    Planes planes;
    int width = 0;
    int height = 0;
    {
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        ASSERT_TRUE(convert(d, image, planes, width, height));
        EXPECT_EQ(planes.black, DotRows({{0x00}}));
    }
    job.option.colorBrightness = -20;
    {
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        EXPECT_TRUE(d.shouldConvertedByTable());
        ASSERT_TRUE(convert(d, image, planes, width, height));
        EXPECT_EQ(planes.black, DotRows({{0x80}}));  // darker, and white stays white
    }
}

// Each method row by row, with state that runs on, equals one call over the whole image.
TEST(BiColorRasterData, RowByRowEqualsTheWholeImage) {
    std::mt19937 rng(109);
    for (int halftone = 1; halftone <= 3; ++halftone) {
        for (int width : {1, 13, 61}) {
            const int height = 23;
            ColorImage image(width, height);
            for (unsigned char& c : image.rgb) {
                c = static_cast<unsigned char>(rng());
            }
            TwoColorJob job;
            job.option.halftone = halftone;
            BiColorRasterData d(job.option, job.spec, job.paper, status());
            Planes planes;
            int w = 0;
            int h = 0;
            ASSERT_TRUE(convert(d, image, planes, w, h));

            Bytes ternary(static_cast<size_t>(width) * height);
            const int stride = 3 * width;
            int result = -1;
            if (halftone == 1) {
                result = MakeBicolorTernaryThreshold(image.rgb.data(), width, stride, height, 127,
                                                     ternary.data());
            } else if (halftone == 2) {
                int counter = 0;
                result = MakeBicolorTernaryDither(image.rgb.data(), width, stride, height, 8, 8,
                                                  tbl_Dither, &counter, ternary.data());
            } else {
                std::vector<int> sums(static_cast<size_t>(width) * 6, 0);
                int* s = sums.data();
                BinarizeErrorRows red = {s, s + width, s + 2 * width};
                BinarizeErrorRows black = {s + 3 * width, s + 4 * width, s + 5 * width};
                result = MakeBicolorTernaryErrorDiffusion(image.rgb.data(), width, stride, height,
                                                          127, &red, &black, ternary.data());
            }
            ASSERT_EQ(result, 0);
            const Planes whole = planesOf(ternary, width, height);
            EXPECT_EQ(difference(planes.black, whole.black), "")
                << "halftone " << halftone << " width " << width;
            EXPECT_EQ(difference(planes.red, whole.red), "")
                << "halftone " << halftone << " width " << width;
        }
    }
}

TEST(BiColorRasterData, FitThatLeavesNothingIsError23) {
    TwoColorJob job;
    job.option.printMode = 4;
    ColorImage image(10, 4);  // narrower than the paper's side margins
    BitmapData bitmap = image.bitmap();
    bitmap.applyScale = false;
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    int width = 10;
    int height = 4;
    unsigned char** planes = nullptr;
    EXPECT_FALSE(d.makeOneBitBitmapFromColor(bitmap, planes, 1.0, width, height));
    EXPECT_EQ(PrinterStatus::error_code_, 23);
    EXPECT_EQ(planes, nullptr);
    // The page reports it as 39, with no body.
    EXPECT_FALSE(d.createRasterDataFromColorData(bitmap, 1, 0));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(d.pageData, nullptr);
}

TEST(BiColorRasterData, TrimKeepsTheShortestLength) {
    struct Case {
        const char* what;
        int height;
        int inkedRows;
        int minimum;
        int expected;
    };
    const Case cases[] = {
        {"white lower half is dropped", 40, 20, 0, 20},
        {"not below the minimum", 40, 5, 12, 12},
        {"white rows added up to the minimum", 8, 3, 30, 30},
        {"no ink at all keeps one row", 10, 0, 0, 1},
    };
    for (const Case& c : cases) {
        TwoColorJob job;
        job.option.trimTapeAfterData = true;
        job.spec.dpi = 254;
        job.spec.lengthMarginTenthMm = 0;
        job.spec.minLengthTenthMm =
            static_cast<uint16_t>(c.minimum);  // at 254 dpi a tenth of a millimetre is a dot
        ASSERT_EQ(job.spec.minPrintableAreaLength_dot(), c.minimum) << c.what;
        ColorImage image(9, c.height);
        for (int y = 0; y < c.inkedRows; ++y) {
            image.set(y % 9, y, y % 2 ? kRed : kBlack);
        }
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        Planes planes;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(convert(d, image, planes, width, height)) << c.what;
        EXPECT_EQ(height, c.expected) << c.what;
        ASSERT_EQ(planes.black.size(), static_cast<size_t>(c.expected)) << c.what;
        for (int y = c.inkedRows; y < c.expected; ++y) {
            EXPECT_EQ(planes.black[static_cast<size_t>(y)], Bytes(2, 0)) << c.what << " row " << y;
            EXPECT_EQ(planes.red[static_cast<size_t>(y)], Bytes(2, 0)) << c.what << " row " << y;
        }
    }
}

// A picture of red, black and white blocks and the planes it must give.
struct BlockPicture {
    ColorImage image;
    Planes expected;
    BlockPicture(int w, int h, unsigned seed) : image(w, h) {
        std::mt19937 rng(seed);
        Bytes ternary(static_cast<size_t>(w) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const unsigned kind = (x / 11 + y / 7 + (rng() % 8 == 0 ? 1 : 0)) % 3;
                image.set(x, y, kind == 0 ? kWhite : kind == 1 ? kRed : kBlack);
                ternary[static_cast<size_t>(y) * w + x] = static_cast<unsigned char>(kind);
            }
        }
        expected = planesOf(ternary, w, h);
    }
};

TEST(BiColorRasterData, WholePageDecodesToThePictureInBothBodies) {
    for (bool raw : {false, true}) {
        TwoColorJob job;
        job.option.rawMode = raw;
        job.option.valign = 1;
        job.option.marginTop = 6;
        job.option.align = 2;
        BlockPicture picture(203, 57, raw ? 1 : 2);
        BiColorRasterData d(job.option, job.spec, job.paper, status());
        BitmapData bitmap = picture.image.bitmap();
        ASSERT_TRUE(d.createRasterDataFromColorData(bitmap, 1, 0));
        ASSERT_EQ(PrinterStatus::error_code_, 1);

        TwoColorLines lines;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeTwoColorBody(
            d.pageData, static_cast<size_t>(d.pageDataLength), 90, !raw, lines, error))
            << error;
        EXPECT_EQ(lines.black.size(), static_cast<size_t>(6 + 57));
        const size_t left = static_cast<size_t>(d.leftMargin);
        EXPECT_EQ(difference(raster_stream::cropDots(lines.black, 6, 57, left, 203),
                             picture.expected.black),
                  "")
            << "raw " << raw;
        EXPECT_EQ(
            difference(raster_stream::cropDots(lines.red, 6, 57, left, 203), picture.expected.red),
            "")
            << "raw " << raw;
        // Nothing outside the placed picture.
        EXPECT_EQ(difference(raster_stream::cropDots(lines.black, 0, 6, 0, 720),
                             DotRows(6, Bytes(90, 0))),
                  "");

        if (!raw) {
            const std::string path = raster_files::tempPath("two_colour_page.ppm");
            ASSERT_TRUE(raster_stream::writeTwoColorPpm(path, lines.black, lines.red, 720));
            const Bytes ppm = raster_files::readAll(path);
            const std::string header = "P6\n720 63\n255\n";
            ASSERT_GT(ppm.size(), header.size());
            EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + static_cast<long>(header.size())),
                      header);
            bool red = false;
            bool black = false;
            for (size_t i = header.size(); i + 2 < ppm.size(); i += 3) {
                red |= ppm[i] == 255 && ppm[i + 1] == 0 && ppm[i + 2] == 0;
                black |= ppm[i] == 0 && ppm[i + 1] == 0 && ppm[i + 2] == 0;
            }
            EXPECT_TRUE(red);
            EXPECT_TRUE(black);
        }
    }
}

TEST(BiColorRasterData, TurnedPageIsUpsideDown) {
    TwoColorJob job;
    job.spec.variousModeCaps |= 0x08;
    job.option.rotate180 = true;
    BlockPicture picture(40, 12, 5);
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    Planes planes;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(convert(d, picture.image, planes, width, height));
    // Dot (x, y) lands at (width - 1 - x, height - 1 - y).
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 40; ++x) {
            EXPECT_EQ(raster_stream::dotAt(planes.red[static_cast<size_t>(11 - y)],
                                           static_cast<size_t>(39 - x)),
                      raster_stream::dotAt(picture.expected.red[static_cast<size_t>(y)],
                                           static_cast<size_t>(x)));
        }
    }
}

TEST(BiColorRasterData, DecoderRoundTripOfRandomPlanes) {
    std::mt19937 rng(38);
    for (int trial = 0; trial < 12; ++trial) {
        const bool raw = trial % 2 == 0;
        TwoColorJob job;
        job.option.rawMode = raw;
        const int width = 1 + static_cast<int>(rng() % 600);
        const int height = 1 + static_cast<int>(rng() % 20);
        const int left = static_cast<int>(rng() % static_cast<unsigned>(720 - width + 1));
        const int top = static_cast<int>(rng() % 4);
        const int bottom = static_cast<int>(rng() % 4);
        Bytes ternary(static_cast<size_t>(width) * height);
        for (unsigned char& t : ternary) {
            // Sparse rows pack, dense ones fall back to literals.
            t = static_cast<unsigned char>(trial % 3 == 0 ? rng() % 3 : (rng() % 9 == 0 ? 2 : 0));
        }
        const Planes planes = planesOf(ternary, width, height);
        const Bytes b = body(job, planes, width, top, left, top + height + bottom);
        TwoColorLines lines;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeTwoColorBody(b.data(), b.size(), 90, !raw, lines, error))
            << error;
        ASSERT_EQ(lines.black.size(), static_cast<size_t>(top + height + bottom));
        EXPECT_EQ(lines.blankLines, raw ? 0u : static_cast<size_t>(top + bottom));
        EXPECT_EQ(difference(raster_stream::cropDots(
                                 lines.black, static_cast<size_t>(top), static_cast<size_t>(height),
                                 static_cast<size_t>(left), static_cast<size_t>(width)),
                             planes.black),
                  "")
            << trial;
        EXPECT_EQ(difference(raster_stream::cropDots(
                                 lines.red, static_cast<size_t>(top), static_cast<size_t>(height),
                                 static_cast<size_t>(left), static_cast<size_t>(width)),
                             planes.red),
                  "")
            << trial;
    }
}

TEST(BiColorRasterData, DecoderRejectsBrokenBodies) {
    const std::pair<const char*, Bytes> cases[] = {
        {"no page end", {0x5A}},
        {"red before black", {0x77, 0x02, 0x02, 0xA7, 0x00, 0x1A}},
        {"blank between planes", {0x77, 0x01, 0x02, 0xA7, 0x00, 0x5A, 0x1A}},
        {"length past the end", {0x77, 0x01, 0x09, 0x00}},
        {"unknown command", {0x67, 0x00, 0x1A}},
        {"bytes after the end", {0x1A, 0x00}},
    };
    for (const auto& c : cases) {
        TwoColorLines lines;
        std::string error;
        EXPECT_FALSE(raster_stream::decodeTwoColorBody(c.second.data(), c.second.size(), 90, true,
                                                       lines, error))
            << c.first;
    }
}

TEST(BiColorRasterData, DecoderStaysInBoundsOnDamagedBodies) {
    std::mt19937 rng(12);
    for (bool raw : {false, true}) {
        TwoColorJob job;
        job.option.rawMode = raw;
        Bytes ternary(40 * 3);
        for (unsigned char& t : ternary) {
            t = static_cast<unsigned char>(rng() % 3);
        }
        const Bytes good = body(job, planesOf(ternary, 40, 3), 40, 2, 9, 7);
        TwoColorLines lines;
        std::string error;
        ASSERT_TRUE(
            raster_stream::decodeTwoColorBody(good.data(), good.size(), 90, !raw, lines, error))
            << error;
        for (size_t n = 0; n < good.size(); ++n) {
            const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
            EXPECT_FALSE(
                raster_stream::decodeTwoColorBody(cut.data(), cut.size(), 90, !raw, lines, error))
                << n;
        }
        for (int trial = 0; trial < 2000; ++trial) {
            Bytes damaged = good;
            for (int k = 0; k < 3; ++k) {
                damaged[rng() % damaged.size()] = static_cast<unsigned char>(rng());
            }
            raster_stream::decodeTwoColorBody(damaged.data(), damaged.size(), 90, !raw, lines,
                                              error);
        }
    }
}

#ifdef LUMEKO_HAVE_LIBTIFF
// The line a PackBits stream gives when libtiff decodes it as a one-row strip.
bool libtiffUnpack(const Bytes& packed, size_t lineBytes, Bytes& out) {
    const std::string path = raster_files::tempPath("two_colour_line.tif");
    TIFF* w = TIFFOpen(path.c_str(), "w");
    if (w == nullptr) {
        return false;
    }
    TIFFSetField(w, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(lineBytes * 8));
    TIFFSetField(w, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(w, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(w, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(w, TIFFTAG_ROWSPERSTRIP, 1u);
    TIFFSetField(w, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(w, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(w, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    Bytes data = packed;
    const bool written = TIFFWriteRawStrip(w, 0, data.data(), static_cast<tmsize_t>(data.size())) ==
                         static_cast<tmsize_t>(data.size());
    TIFFClose(w);
    if (!written) {
        return false;
    }
    TIFF* r = TIFFOpen(path.c_str(), "r");
    if (r == nullptr) {
        return false;
    }
    out.assign(lineBytes, 0);
    const tmsize_t got = TIFFReadEncodedStrip(r, 0, out.data(), static_cast<tmsize_t>(lineBytes));
    TIFFClose(r);
    return got == static_cast<tmsize_t>(lineBytes);
}

TEST(BiColorRasterData, LibtiffRestoresEveryPackedLine) {
    TIFFSetWarningHandler(nullptr);
    std::mt19937 rng(90);
    for (int trial = 0; trial < 6; ++trial) {
        TwoColorJob job;
        const int width = 720;
        const int height = 6;
        Bytes ternary(static_cast<size_t>(width) * height);
        for (unsigned char& t : ternary) {
            t = static_cast<unsigned char>(trial % 2 ? rng() % 3 : (rng() % 17 == 0 ? 1 : 0));
        }
        const Planes planes = planesOf(ternary, width, height);
        const Bytes b = body(job, planes, width, 0, 0, height);
        // Walk the lines: every one is packed here ('w' plane length data).
        size_t pos = 0;
        size_t line = 0;
        while (pos < b.size() && b[pos] == 0x77) {
            ASSERT_LE(pos + 3, b.size());
            const size_t n = b[pos + 2];
            const Bytes packed(b.begin() + static_cast<long>(pos + 3),
                               b.begin() + static_cast<long>(pos + 3 + n));
            Bytes sent;
            ASSERT_TRUE(libtiffUnpack(packed, 90, sent)) << "line " << line;
            const DotRows& plane = b[pos + 1] == 1 ? planes.black : planes.red;
            // The transmitted line is the head line mirrored with every byte reversed, so
            // transmitted bit j is head dot 719 - j.
            for (size_t j = 0; j < 720; ++j) {
                ASSERT_EQ(raster_stream::dotAt(sent, j),
                          raster_stream::dotAt(plane[line / 2], 719 - j))
                    << "line " << line << " dot " << j;
            }
            pos += 3 + n;
            ++line;
        }
        EXPECT_EQ(line, static_cast<size_t>(2 * height));
        EXPECT_EQ(b.size(), pos + 1);
    }
}
#endif

TEST(BiColorRasterData, QuarterTurnMatchesNetpbm) {
    if (!raster_files::haveTool("pamflip")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    std::mt19937 rng(2);
    TwoColorJob job;
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    for (int trial = 0; trial < 3; ++trial) {
        int width = 1 + static_cast<int>(rng() % 37);
        int height = 1 + static_cast<int>(rng() % 23);
        Bytes rgb(static_cast<size_t>(width) * height * 3);
        for (unsigned char& c : rgb) {
            c = static_cast<unsigned char>(rng());
        }
        const std::string in = raster_files::tempPath("two_colour_turn_in.ppm");
        const std::string out = raster_files::tempPath("two_colour_turn_out.ppm");
        {
            std::ofstream f(in, std::ios::binary);
            f << "P6\n" << width << " " << height << "\n255\n";
            f.write(reinterpret_cast<const char*>(rgb.data()),
                    static_cast<std::streamsize>(rgb.size()));
        }
        ASSERT_EQ(std::system(("pamflip -cw " + in + " > " + out).c_str()), 0);
        const Bytes ppm = raster_files::readAll(out);
        const std::string header =
            "P6\n" + std::to_string(height) + " " + std::to_string(width) + "\n255\n";
        ASSERT_GT(ppm.size(), header.size());
        ASSERT_EQ(std::string(ppm.begin(), ppm.begin() + static_cast<long>(header.size())), header);

        unsigned char* src = rgb.data();
        unsigned char* turned = nullptr;
        ASSERT_TRUE(d.adjustDirection(src, turned, width, height, 2));
        EXPECT_EQ(Bytes(turned, turned + rgb.size()),
                  Bytes(ppm.begin() + static_cast<long>(header.size()), ppm.end()))
            << trial;
        delete[] turned;
    }
}

TEST(BiColorRasterData, LandscapeTurnsBeforeScaling) {
    TwoColorJob job;
    job.option.orientation = 2;
    ColorImage image(3, 2);
    image.set(0, 0, kRed);    // top left
    image.set(2, 1, kBlack);  // bottom right
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    Planes planes;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(convert(d, image, planes, width, height));
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 3);
    // A quarter clockwise: the top left goes to the top right, the bottom right to the
    // bottom left.
    EXPECT_EQ(planes.red, DotRows({{0x40}, {0x00}, {0x00}}));
    EXPECT_EQ(planes.black, DotRows({{0x00}, {0x00}, {0x80}}));
}

TEST(BiColorRasterData, ScalingUsesOneFactorForBothDirections) {
    TwoColorJob job;
    ColorImage image(2, 2);
    image.set(0, 0, kRed);
    image.set(1, 1, kBlack);
    BitmapData bitmap = image.bitmap();
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    int width = 4;
    int height = 4;
    unsigned char** planes = nullptr;
    ASSERT_TRUE(d.makeOneBitBitmapFromColor(bitmap, planes, 2.0, width, height));
    EXPECT_EQ(raster_stream::rowsOf(planes[1], 4, 4), DotRows({{0xC0}, {0xC0}, {0x00}, {0x00}}));
    EXPECT_EQ(raster_stream::rowsOf(planes[0], 4, 4), DotRows({{0x00}, {0x00}, {0x30}, {0x30}}));
    delete[] planes[0];
    delete[] planes[1];
    delete[] planes;
}

TEST(BiColorRasterData, BadInputFailsThePageWith39) {
    const std::string shortFile = raster_files::tempPath("two_colour_short.rgb");
    raster_files::writeAll(shortFile, Bytes(4 * 3 * 3 - 1, 0));
    Bytes small(16 * 3, 255);
    // One grey byte for each of the 4 x 3 pixels, on the heap so that a read past it shows.
    std::unique_ptr<unsigned char[]> grey(new unsigned char[4 * 3]());
    struct Case {
        const char* what;
        std::function<void(TwoColorJob&, BitmapData&)> tweak;
        int directCode;  // the code of the conversion itself
    };
    const Case cases[] = {
        {"short pixel file",
         [&](TwoColorJob&, BitmapData& b) {
             b.bitmapFile = shortFile;
             b.pixels = nullptr;
         },
         40},
        {"missing pixel file",
         [](TwoColorJob&, BitmapData& b) { b.bitmapFile = raster_files::tempPath("none.rgb"); },
         40},
        {"no path and no pixels", [](TwoColorJob&, BitmapData& b) { b.pixels = nullptr; }, 39},
        {"grey pixels in memory",
         [&](TwoColorJob&, BitmapData& b) {
             b.pixels = grey.get();
             b.isColor = false;
         },
         39},
        {"halftone 0", [](TwoColorJob& j, BitmapData&) { j.option.halftone = 0; }, 39},
        {"halftone 4", [](TwoColorJob& j, BitmapData&) { j.option.halftone = 4; }, 39},
        {"colour value 21", [](TwoColorJob& j, BitmapData&) { j.option.colorRed = 21; }, 39},
        {"colour value -21", [](TwoColorJob& j, BitmapData&) { j.option.colorContrast = -21; }, 39},
        {"huge size",
         [](TwoColorJob&, BitmapData& b) {
             b.bitmapWidth = 40000;
             b.bitmapHeight = 40000;
         },
         39},
        {"negative size", [](TwoColorJob&, BitmapData& b) { b.bitmapWidth = -4; }, 39},
    };
    for (const Case& c : cases) {
        for (bool whole : {false, true}) {
            TwoColorJob job;
            BitmapData bitmap;
            bitmap.bitmapWidth = 4;
            bitmap.bitmapHeight = 3;
            bitmap.pixels = small.data();
            bitmap.isColor = true;
            bitmap.applyScale = true;
            bitmap.applyOrientation = true;
            c.tweak(job, bitmap);
            BiColorRasterData d(job.option, job.spec, job.paper, status());
            if (whole) {
                EXPECT_FALSE(d.createRasterDataFromColorData(bitmap, 1, 0)) << c.what;
                EXPECT_EQ(PrinterStatus::error_code_, 39) << c.what;
                EXPECT_EQ(d.pageData, nullptr) << c.what;
            } else {
                int width = bitmap.bitmapWidth;
                int height = bitmap.bitmapHeight;
                unsigned char** planes = nullptr;
                EXPECT_FALSE(d.makeOneBitBitmapFromColor(bitmap, planes, 1.0, width, height))
                    << c.what;
                EXPECT_EQ(PrinterStatus::error_code_, c.directCode) << c.what;
                EXPECT_EQ(planes, nullptr) << c.what;
            }
        }
    }
}

TEST(BiColorRasterData, ContinuousPageLongerThanSixteenBitsIsRefused) {
    TwoColorJob job;
    job.option.valign = 1;
    job.option.marginTop = 100;
    ColorImage image(8, 65500);
    BiColorRasterData d(job.option, job.spec, job.paper, status());
    BitmapData bitmap = image.bitmap();
    EXPECT_FALSE(d.createRasterDataFromColorData(bitmap, 1, 0));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(d.pageData, nullptr);
}

}  // namespace
