#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#ifdef LUMEKO_HAVE_LIBTIFF
#include <tiffio.h>
#endif

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

Bytes compress(RasterData& r, Bytes in) {
    Bytes out(2 * in.size() + 2);
    unsigned char* i = in.data();
    unsigned char* o = out.data();
    const int n = r.compressData(i, static_cast<int>(in.size()), o);
    out.resize(static_cast<size_t>(n));
    return out;
}

Bytes distinct(int n, int start = 1) {
    Bytes b;
    for (int i = 0; i < n; ++i) {
        b.push_back(static_cast<unsigned char>(start + i));
    }
    return b;
}

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(RasterLines, RunLengthEncoderGoldenTable) {
    RasterData r;
    struct Case {
        const char* what;
        Bytes in;
        Bytes out;
    } cases[] = {
        {"abc", {'a', 'b', 'c'}, {0x02, 'a', 'b', 'c'}},
        {"run, literal, run", {5, 5, 5, 1, 2, 3, 3}, {0xFE, 5, 0x01, 1, 2, 0xFF, 3}},
        {"129 zeros", Bytes(129, 0), {0x81, 0, 0x00, 0}},
        {"162 zeros", Bytes(162, 0), {0x81, 0, 0xDF, 0}},
        {"one byte", {0x42}, {0x00, 0x42}},
        {"two equal bytes", {7, 7}, {0xFF, 7}},
        {"128 distinct", distinct(128), cat({0x7F}, distinct(128))},
        {"129 distinct", distinct(129), cat(cat({0x7F}, distinct(128)), {0x00, 129})},
        {"89 zeros and 01", cat(Bytes(89, 0), {1}), {0xA8, 0, 0x00, 1}},
        {"130 equal then one", cat(Bytes(130, 9), {1}), {0x81, 9, 0xFF, 9, 0x00, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compress(r, c.in), c.out) << c.what;
    }
}

TEST(RasterLines, ReverseByteTable) {
    RasterData r;
    for (int b = 0; b < 256; ++b) {
        int expected = 0;
        for (int i = 0; i < 8; ++i) {
            expected |= ((b >> i) & 1) << (7 - i);
        }
        EXPECT_EQ(r.reverseByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

// A raster data object on a zoo row with its geometry set by hand.
struct Body {
    explicit Body(zoo::Row& row)
        : raster(row.option, row.spec, row.paper, GeometryProbe::status()) {}
    bool build(Bytes image, int width, int height) {
        PrinterStatus::error_code_ = 1;
        img = std::move(image);
        if (img.empty()) {
            img.push_back(0);
        }
        return raster.convertBitmapToRasterPrnData(img.data(), width, height);
    }
    Bytes bytes() const {
        return raster.pageData == nullptr
                   ? Bytes()
                   : Bytes(raster.pageData, raster.pageData + raster.pageDataLength);
    }
    RasterData raster;
    Bytes img;
};

// The image row whose transmitted line is `sent` (lineBytes long, placed at dot 0).
Bytes rowSending(RasterData& r, const Bytes& sent) {
    Bytes head(sent.size());
    for (size_t k = 0; k < sent.size(); ++k) {
        head[sent.size() - 1 - k] = r.reverseByte(sent[k]);
    }
    return head;
}

TEST(RasterLines, BodyGoldenTable) {
    zoo::Row vz = zoo::row("vz52_diecut62x29");  // 720-dot head, style 1, compression 1
    struct Case {
        const char* what;
        Bytes sent;  // transmitted image line
        Bytes body;
    } lines[] = {
        {"first dot only",
         cat(Bytes(89, 0), {0x01}),
         {0x67, 0x00, 0x04, 0xA8, 0x00, 0x00, 0x01, 0x1A}},
        {"white row", Bytes(90, 0), {0x67, 0x00, 0x02, 0xA7, 0x00, 0x1A}},
        {"90 distinct bytes: one literal stretch", distinct(90),
         cat(cat({0x67, 0x00, 0x5B, 0x59}, distinct(90)), {0x1A})},
        {"packed exactly 90 bytes: sent packed", cat(distinct(87), {200, 200, 200}),
         cat(cat({0x67, 0x00, 0x5A, 0x56}, distinct(87)), {0xFE, 200, 0x1A})},
        {"packed 91 bytes: literal", cat(distinct(88), {200, 200}),
         cat(cat({0x67, 0x00, 0x5B, 0x59}, cat(distinct(88), {200, 200})), {0x1A})},
    };
    for (const Case& c : lines) {
        zoo::Row row = vz;
        row.paper.printableLengthDots = 1;
        Body b(row);
        ASSERT_TRUE(b.build(rowSending(b.raster, c.sent), 720, 1)) << c.what;
        EXPECT_EQ(b.bytes(), c.body) << c.what;
    }

    // 128-byte head: one literal stretch 'g' 00 81 7F; 162-byte head: two stretches.
    {
        zoo::Row row = vz;
        row.spec.headDots = 1024;
        row.paper.printableLengthDots = 1;
        Body b(row);
        ASSERT_TRUE(b.build(rowSending(b.raster, distinct(128)), 1024, 1));
        EXPECT_EQ(b.bytes(), cat(cat({0x67, 0x00, 0x81, 0x7F}, distinct(128)), {0x1A}));
    }
    {
        zoo::Row row = zoo::row("vz54_dt90");  // 1296-dot head
        row.paper.printableLengthDots = 1;
        Body b(row);
        const Bytes sent = distinct(162);
        ASSERT_TRUE(b.build(rowSending(b.raster, sent), 1296, 1));
        Bytes expected = {0x67, 0x00, 0xA4, 0x7F};
        expected.insert(expected.end(), sent.begin(), sent.begin() + 128);
        expected.push_back(0x21);
        expected.insert(expected.end(), sent.begin() + 128, sent.end());
        expected.push_back(0x1A);
        EXPECT_EQ(b.bytes(), expected);
    }
}

TEST(RasterLines, LongLinesFallBackToStretchesOf128) {
    // A 300-byte line (no catalogued head is this wide): three literal stretches.
    zoo::Row row = zoo::row("vz52_diecut62x29");
    row.spec.headDots = 2400;
    row.paper.printableLengthDots = 1;
    Body b(row);
    Bytes sent;
    for (int i = 0; i < 300; ++i) {
        sent.push_back(static_cast<unsigned char>(i % 2 == 0 ? 1 : 2));
    }
    ASSERT_TRUE(b.build(rowSending(b.raster, sent), 2400, 1));
    Bytes expected = {0x67, 0x01, 0x2F, 0x7F};  // 300 + 3 headers
    expected.insert(expected.end(), sent.begin(), sent.begin() + 128);
    expected.push_back(0x7F);
    expected.insert(expected.end(), sent.begin() + 128, sent.begin() + 256);
    expected.push_back(0x2B);
    expected.insert(expected.end(), sent.begin() + 256, sent.end());
    expected.push_back(0x1A);
    EXPECT_EQ(b.bytes(), expected);
}

TEST(RasterLines, BlankLinesAndBodyForms) {
    struct Case {
        const char* what;
        const char* row;
        int compression;
        bool rawMode;
        int styleOverride;  // 0 keeps the model's style
        bool raw;           // expected body form
        bool bigEndian;
    } cases[] = {
        {"compression 1, run-length", "vz52_diecut62x29", 1, false, 0, false, true},
        {"compression 1 with raw mode", "vz52_diecut62x29", 1, true, 0, true, true},
        {"compression 0", "vz52_diecut62x29", 0, false, 0, true, true},
        {"compression 2 ignores raw mode", "vz52_diecut62x29", 2, true, 0, false, true},
        {"style 2: G, little-endian", "kx38_tape24", 2, false, 0, false, false},
        {"raw body, style 4: G", "vz52_diecut62x29", 0, false, 4, true, false},
    };
    for (const Case& c : cases) {
        zoo::Row row = zoo::row(c.row);
        row.spec.compression = c.compression;
        row.option.rawMode = c.rawMode;
        if (c.styleOverride != 0) {
            row.spec.rasterLineStyle = c.styleOverride;
        }
        row.paper.printableLengthDots = 6;  // 2 above, 1 image row, 3 below
        Body b(row);
        b.raster.topMargin = 2;
        const int lb = b.raster.spec.headDots / 8;
        ASSERT_TRUE(b.build(Bytes(1, 0xFF), 8, 1)) << c.what;
        const Bytes body = b.bytes();
        Bytes blank;
        if (c.raw) {
            blank = c.bigEndian ? Bytes{0x67, static_cast<unsigned char>(lb >> 8),
                                        static_cast<unsigned char>(lb)}
                                : Bytes{0x47, static_cast<unsigned char>(lb),
                                        static_cast<unsigned char>(lb >> 8)};
            blank.resize(3 + static_cast<size_t>(lb), 0);
        } else {
            blank = {0x5A};
        }
        ASSERT_GE(body.size(), 2 * blank.size()) << c.what;
        EXPECT_EQ(Bytes(body.begin(), body.begin() + static_cast<long>(blank.size())), blank)
            << c.what;
        EXPECT_EQ(body[2 * blank.size()], c.bigEndian ? 0x67 : 0x47) << c.what;
        EXPECT_EQ(Bytes(body.end() - 1 - 3 * static_cast<long>(blank.size()), body.end() - 1),
                  cat(cat(blank, blank), blank))
            << c.what;
        EXPECT_EQ(body.back(), 0x1A) << c.what;
        raster_stream::Lines lines;
        std::string error;
        ASSERT_TRUE(
            raster_stream::decodeLabelBody(body.data(), body.size(), lb, !c.raw, lines, error))
            << c.what << ": " << error;
        EXPECT_EQ(lines.size(), 6u) << c.what;
    }
}

TEST(RasterLines, TurnedPageSwapsTheBlankCounts) {
    zoo::Row row = zoo::row("sn63_custom");  // various mode allows the 180-degree turn
    row.option.rotate180 = true;
    row.paper.printableLengthDots = 42;
    Body b(row);
    b.raster.topMargin = 10;
    ASSERT_TRUE(b.build(Bytes(2 * 2, 0xFF), 16, 2));
    const Bytes body = b.bytes();
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 30), Bytes(30, 0x5A));
    EXPECT_EQ(body[30], 0x67);
    EXPECT_EQ(Bytes(body.end() - 11, body.end()), cat(Bytes(10, 0x5A), {0x1A}));
    EXPECT_EQ(b.raster.topMargin, 30);
}

TEST(RasterLines, PageEdgeCases) {
    zoo::Row row = zoo::row("vz52_diecut62x29");
    {
        // The image fills the printable length: no blank lines below.
        zoo::Row r = row;
        r.paper.printableLengthDots = 3;
        Body b(r);
        ASSERT_TRUE(b.build(Bytes(3, 0x80), 8, 3));
        raster_stream::Lines lines;
        std::string error;
        const Bytes body = b.bytes();
        ASSERT_TRUE(
            raster_stream::decodeLabelBody(body.data(), body.size(), 90, true, lines, error));
        EXPECT_EQ(lines.size(), 3u);
        EXPECT_NE(body[body.size() - 2], 0x5A);
    }
    {
        // No image rows: only the blank lines and the page end; the style is never checked.
        zoo::Row r = row;
        r.paper.printableLengthDots = 5;
        r.spec.rasterLineStyle = 4;
        Body b(r);
        b.raster.topMargin = 3;
        ASSERT_TRUE(b.build(Bytes(), 8, 0));
        EXPECT_EQ(b.bytes(), cat(Bytes(5, 0x5A), {0x1A}));
    }
    {
        // A run-length body with style 4 fails at its first image row and frees the body.
        zoo::Row r = row;
        r.spec.rasterLineStyle = 4;
        Body b(r);
        EXPECT_FALSE(b.build(Bytes(1, 0x80), 8, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        EXPECT_EQ(b.raster.pageData, nullptr);
        EXPECT_EQ(b.raster.pageDataLength, 0);
    }
    {
        // A null image, and a spec without a head.
        Body b(row);
        PrinterStatus::error_code_ = 1;
        EXPECT_FALSE(b.raster.convertBitmapToRasterPrnData(nullptr, 8, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        zoo::Row none = zoo::row("none43");
        Body n(none);
        EXPECT_FALSE(n.build(Bytes(1, 0x80), 8, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
}

TEST(RasterLines, TubePaperUsesTheTubeHead) {
    zoo::Row row = zoo::row("kx37_tube65");  // tube head 144 dots: 18-byte lines
    row.paper.printableLengthDots = 1;
    Body b(row);
    ASSERT_TRUE(b.build(Bytes(1, 0x80), 8, 1));
    raster_stream::Lines lines;
    std::string error;
    const Bytes body = b.bytes();
    ASSERT_TRUE(raster_stream::decodeLabelBody(body.data(), body.size(), 18, true, lines, error))
        << error;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], placedRow(Bytes(1, 0x80), 8, 0, 0, 18));
}

TEST(RasterLines, RowsPastTheHeadAreCut) {
    // Model 68: a 128-dot head; the row starts at dot 120 and is cut at the line's end.
    zoo::Row row;
    row.spec = zoo::specOf(KX_A550BT);
    row.paper.printableLengthDots = 1;
    Body b(row);
    b.raster.leftMargin = 120;
    ASSERT_TRUE(b.build(Bytes{0xFF, 0xFF, 0xFF}, 24, 1));
    raster_stream::Lines lines;
    std::string error;
    const Bytes body = b.bytes();
    ASSERT_TRUE(raster_stream::decodeLabelBody(body.data(), body.size(), 16, true, lines, error))
        << error;
    ASSERT_EQ(lines.size(), 1u);
    Bytes expected(16, 0);
    expected[15] = 0xFF;
    EXPECT_EQ(lines[0], expected);
}

TEST(RasterLines, RoundTripOverRandomPages) {
    std::mt19937 rng(10);
    const char* rows[] = {"vz52_diecut62x29", "vz52_continuous62", "kx38_tape24", "kx37_tube65",
                          "vz54_dt102x51",    "sn63_custom",       "kx24_hs58"};
    for (int trial = 0; trial < 60; ++trial) {
        zoo::Row row = zoo::row(rows[rng() % 7]);
        row.option.rotate180 = rng() % 2 == 0;
        row.spec.compression = static_cast<int>(rng() % 3);
        row.option.rawMode = rng() % 2 == 0;
        Body b(row);
        const int lb =
            (b.raster.spec.tubeSupported && b.raster.paper.isTube ? b.raster.spec.tubeHeadDots
                                                                  : b.raster.spec.headDots) /
            8;
        const int width = 1 + static_cast<int>(rng() % (lb * 8 + 20));
        const int height = static_cast<int>(rng() % 40);
        const int top = static_cast<int>(rng() % 10);
        b.raster.paper.printableLengthDots = static_cast<unsigned short>(top + height + rng() % 10);
        b.raster.topMargin = top;
        b.raster.leftMargin = static_cast<int>(rng() % (lb * 8));
        const int left = b.raster.leftMargin;
        const int pl = b.raster.paper.printableLengthDots;
        const bool turned = b.raster.isRotate180();
        const Bytes img = raster_page::randomImage(rng, width, height);
        SCOPED_TRACE(row.name + " trial " + std::to_string(trial));
        ASSERT_TRUE(b.build(img, width, height));
        const bool raw =
            row.spec.compression == 0 || (row.spec.compression == 1 && row.option.rawMode);
        raster_stream::Lines lines;
        std::string error;
        const Bytes body = b.bytes();
        ASSERT_TRUE(
            raster_stream::decodeLabelBody(body.data(), body.size(), lb, !raw, lines, error))
            << error;
        ASSERT_EQ(static_cast<int>(lines.size()), pl);
        const int bottom = pl - top - height;
        const int above = turned ? bottom : top;
        for (int y = 0; y < pl; ++y) {
            const int imageRow = y - above;
            const Bytes expected = (imageRow >= 0 && imageRow < height)
                                       ? placedRow(img, width, imageRow, left, lb)
                                       : Bytes(static_cast<size_t>(lb), 0);
            ASSERT_EQ(lines[static_cast<size_t>(y)], expected) << "line " << y;
        }
    }
}

#ifdef LUMEKO_HAVE_LIBTIFF
// Decodes one PackBits line with libtiff: a one-row strip of a 1-bit image.
bool tiffDecode(const Bytes& packed, int lineBytes, Bytes& out) {
    const std::string path = raster_files::tempPath("raster_line.tif");
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
    const bool written =
        TIFFWriteRawStrip(w, 0, data.data(), static_cast<tmsize_t>(data.size())) >= 0;
    TIFFClose(w);
    if (!written) {
        return false;
    }
    TIFF* r = TIFFOpen(path.c_str(), "r");
    if (r == nullptr) {
        return false;
    }
    out.assign(static_cast<size_t>(lineBytes), 0);
    const tmsize_t n = TIFFReadEncodedStrip(r, 0, out.data(), static_cast<tmsize_t>(out.size()));
    TIFFClose(r);
    return n == static_cast<tmsize_t>(lineBytes);
}

TEST(RasterLines, LibtiffDecodesEveryRunLengthLine) {
    TIFFSetWarningHandler(nullptr);
    std::mt19937 rng(11);
    struct Case {
        const char* row;
        int headDots;
    } cases[] = {{"vz52_diecut62x29", 0},
                 {"vz54_dt90", 0},
                 {"vz52_diecut62x29", 1024},
                 {"vz52_diecut62x29", 1032},
                 {"vz52_diecut62x29", 2400}};
    for (const Case& c : cases) {
        zoo::Row row = zoo::row(c.row);
        if (c.headDots != 0) {
            row.spec.headDots = static_cast<unsigned short>(c.headDots);
        }
        const int lb = row.spec.headDots / 8;
        const int height = 12;
        row.paper.printableLengthDots = height;
        Body b(row);
        // Rows from sparse to noisy, so that runs, literals and fallback lines all occur.
        Bytes img;
        for (int y = 0; y < height; ++y) {
            const Bytes r = raster_page::randomImage(rng, lb * 8, 1, y * 9);
            img.insert(img.end(), r.begin(), r.end());
        }
        ASSERT_TRUE(b.build(img, lb * 8, height));
        const Bytes body = b.bytes();
        size_t at = 0;
        for (int y = 0; y < height; ++y) {
            ASSERT_EQ(body[at], 0x67);
            const size_t n = static_cast<size_t>(body[at + 1] << 8 | body[at + 2]);
            const Bytes packed(body.begin() + static_cast<long>(at + 3),
                               body.begin() + static_cast<long>(at + 3 + n));
            at += 3 + n;
            Bytes decoded;
            ASSERT_TRUE(tiffDecode(packed, lb, decoded)) << c.row << " row " << y;
            const Bytes head = placedRow(img, lb * 8, y, 0, lb);
            Bytes sent(head.size());
            for (size_t k = 0; k < head.size(); ++k) {
                sent[k] = b.raster.reverseByte(head[head.size() - 1 - k]);
            }
            EXPECT_EQ(decoded, sent) << c.row << " " << lb << " bytes, row " << y;
        }
    }
}
#endif

TEST(RasterLines, FullPageRowHelpers) {
    RasterData r;
    struct Case {
        Bytes row;
        int start, end, block;
    } cases[] = {
        {{1, 2, 3}, 0, 3, 3},
        {{1, 0, 0, 0, 0, 0, 0, 2}, 0, 8, 1},  // six zeros end the block
        {{1, 0, 0, 0, 0, 0, 2}, 0, 7, 7},     // five inner zeros stay
        {{1, 0, 0, 0, 0, 0}, 0, 6, 1},        // five trailing zeros go
        {{1, 0, 0, 0, 0}, 0, 5, 5},           // four trailing zeros stay
        {{1, 2}, 2, 2, 0},
        {{1, 2}, 1, 0, 0},
    };
    for (const Case& c : cases) {
        Bytes row = c.row;
        unsigned char* p = row.data();
        EXPECT_EQ(r.getBlock(p, c.start, c.end), c.block);
    }
    Bytes out(5);
    EXPECT_EQ(r.stripNullData(0x1234, out.data()), 5);
    EXPECT_EQ(out, (Bytes{0x1B, 0x7E, 0x24, 0x34, 0x12}));
}

}  // namespace
