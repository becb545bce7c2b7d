#include "raster/fc_raster_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "connection/printer_status.h"
#include "support/raster_stream/dot_lines.h"
#include "support/raster_stream/fc_stream_decoder.h"
#include "support/raster_stream/raster_body_decoder.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;
using raster_stream::DotRows;
using raster_stream::FcPage;
using raster_stream::FcSettings;

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

// The full-page row of the zoo, without Mode 9 unless a test turns it on, set to the values
// of the worked start block: density 5, no two-ply, feed mode 1, no dash line, speed 0,
// printer case 1, no extra feed, paper value 3300.
struct FcJob {
    PrinterSpec spec;
    Paper paper;
    RasterPrintOption option;
    FcJob() {
        zoo::Row r = zoo::row("fc28_a4");
        spec = r.spec;
        paper = r.paper;
        option = r.option;
        spec.statusSupported = true;
        spec.feedModes = 15;
        spec.speedCommand = true;
        spec.printerCaseCommand = true;
        option.mode9 = false;
        option.density = 5;
        option.fcCarbon = false;
        option.fcFeedMode = 1;
        option.dashLine = false;
        option.speed = 0;
        option.rollPrinterCase = 1;
        option.customFeed = 0;
        paper.isCustomSize = false;
        paper.fcPaperCommandValue = 3300;
        PrinterStatus::error_code_ = 1;
    }
};

Bytes startBlock(FcJob& job, int height, int top, Bytes already = {}) {
    FCRasterData d(job.option, job.spec, job.paper, status());
    d.startPageCommand = std::move(already);
    d.topMargin = top;
    d.createStartPageCommand(2400, height, 1);
    return d.startPageCommand;
}

// The body of a packed image built directly, with the given geometry.
Bytes body(FcJob& job, const Bytes& image, int width, int height, int top, int left,
           const Bytes& start = {}) {
    FCRasterData d(job.option, job.spec, job.paper, status());
    d.startPageCommand = start;
    d.topMargin = top;
    d.leftMargin = left;
    Bytes copy = image;
    EXPECT_TRUE(d.convertBitmapToRaster(copy.data(), width, height, true));
    return Bytes(d.pageData, d.pageData + d.pageDataLength);
}

TEST(FcRasterData, WorkedStartBlockAppendsToWhatIsThere) {
    FcJob job;
    const Bytes expected = {
        0x1B, 0x7E, 0x65, 0x44, 0x01,        // duplex
        0x1B, 0x7E, 0x64, 0x78, 0x00,        // density 5
        0x1B, 0x7E, 0x70, 0x00, 0x00,        // two-ply off
        0x1B, 0x7E, 0x66, 0x00,              // feed mode 1
        0x1B, 0x7E, 0x2D, 0x00,              // dash line off
        0x1B, 0x7E, 0x65, 0x56, 0x01, 0x00,  // speed 0
        0x1B, 0x7E, 0x65, 0x52, 0x01, 0x00,  // printer case 1
        0x1B, 0x7E, 0x68, 0xE4, 0x0C,        // paper 3300
        0x1B, 0x7E, 0x6C, 0xB8, 0x0B,        // length 3000
    };
    EXPECT_EQ(startBlock(job, 3000, 0), expected);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    // The block is not emptied first.
    EXPECT_EQ(startBlock(job, 3000, 0, {0xAA, 0xBB}), cat({{0xAA, 0xBB}, expected}));
}

TEST(FcRasterData, StartBlockOptions) {
    struct Case {
        const char* what;
        std::function<void(FcJob&, int& height, int& top)> tweak;
        std::string order;
        std::vector<std::pair<int FcSettings::*, int>> fields;
        int code;
    };
    const auto none = [](FcJob&, int&, int&) {};
    // clang-format off
    const Case cases[] = {
        {"the worked block", none, "UDPFLSCHN",
         {{&FcSettings::density, 0x78}, {&FcSettings::paperLength, 3000}}, 1},
        {"no status support: no duplex", [](FcJob& j, int&, int&) { j.spec.statusSupported = false; },
         "DPFLSCHN", {}, 1},
        {"density 10", [](FcJob& j, int&, int&) { j.option.density = 10; }, "UDPFLSCHN",
         {{&FcSettings::density, 0xFF}}, 1},
        {"density 9", [](FcJob& j, int&, int&) { j.option.density = 9; }, "UDPFLSCHN",
         {{&FcSettings::density, 0xD8}}, 1},
        {"density 0", [](FcJob& j, int&, int&) { j.option.density = 0; }, "UDPFLSCHN",
         {{&FcSettings::density, 0x00}}, 1},
        {"density -1 is left out", [](FcJob& j, int&, int&) { j.option.density = -1; },
         "UPFLSCHN", {}, 1},
        {"density 11 is left out", [](FcJob& j, int&, int&) { j.option.density = 11; },
         "UPFLSCHN", {}, 1},
        {"two-ply and dash line", [](FcJob& j, int&, int&) { j.option.fcCarbon = true; j.option.dashLine = true; },
         "UDPFLSCHN", {{&FcSettings::twoPly, 1}, {&FcSettings::dashLine, 1}}, 1},
        {"feed 4 without retract", [](FcJob& j, int&, int&) { j.option.fcFeedMode = 4; j.spec.feedModes = 7; },
         "UDPFLSCHN", {{&FcSettings::feed, 1}}, 1},
        {"feed 4 with retract", [](FcJob& j, int&, int&) { j.option.fcFeedMode = 4; },
         "UDPFLSCHN", {{&FcSettings::feed, 3}}, 1},
        {"no feed modes", [](FcJob& j, int&, int&) { j.spec.feedModes = 0; }, "UDPLSCHN", {}, 1},
        {"speed 3", [](FcJob& j, int&, int&) { j.option.speed = 3; }, "UDPFLSCHN",
         {{&FcSettings::speed, 3}}, 1},
        {"speed 4 is left out", [](FcJob& j, int&, int&) { j.option.speed = 4; }, "UDPFLCHN", {}, 1},
        {"no speed command", [](FcJob& j, int&, int&) { j.spec.speedCommand = false; }, "UDPFLCHN", {}, 1},
        {"printer case 3", [](FcJob& j, int&, int&) { j.option.rollPrinterCase = 3; }, "UDPFLSCHN",
         {{&FcSettings::printerCase, 2}}, 1},
        {"printer case 0 sends nothing", [](FcJob& j, int&, int&) { j.option.rollPrinterCase = 0; },
         "UDPFLSHN", {}, 39},
        {"printer case 4 sends nothing", [](FcJob& j, int&, int&) { j.option.rollPrinterCase = 4; },
         "UDPFLSHN", {}, 39},
        {"no printer case command", [](FcJob& j, int&, int&) { j.spec.printerCaseCommand = false; j.option.rollPrinterCase = 0; },
         "UDPFLSHN", {}, 1},
        {"custom size: paper width in bytes", [](FcJob& j, int&, int&) { j.paper.isCustomSize = true; j.paper.printableWidthDots = 2001; },
         "UDPFLSCWN", {{&FcSettings::paperWidthPaper, 3300}, {&FcSettings::paperWidthBytes, 251}}, 1},
        {"image length with top margin", [](FcJob&, int& h, int& t) { h = 2000; t = 20; }, "UDPFLSCHN",
         {{&FcSettings::paperLength, 2020}}, 1},
        {"paper length and extra feed", [](FcJob& j, int&, int&) { j.option.fcFeedMode = 2; j.option.customFeed = 100; },
         "UDPFLSCHN", {{&FcSettings::feed, 1}, {&FcSettings::paperLength, 3400}}, 1},
        {"printable length 150", [](FcJob& j, int&, int&) { j.paper.printableLengthDots = 150; },
         "UDPFLSCH", {}, 39},
        {"extra feed above 0xFFFF", [](FcJob& j, int&, int&) { j.option.customFeed = 0x10000; },
         "UDPFLSCH", {}, 39},
        {"negative extra feed", [](FcJob& j, int&, int&) { j.option.customFeed = -1; }, "UDPFLSCH", {}, 39},
        {"length above 0xFFFF", [](FcJob&, int& h, int& t) { h = 65000; t = 600; }, "UDPFLSCH", {}, 39},
        {"length 0xFFFF", [](FcJob&, int& h, int& t) { h = 65000; t = 535; }, "UDPFLSCHN",
         {{&FcSettings::paperLength, 0xFFFF}}, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        FcJob job;
        int height = 3000;
        int top = 0;
        c.tweak(job, height, top);
        const Bytes block = startBlock(job, height, top);
        FcSettings s;
        size_t used = 0;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeFcStartBlock(block.data(), block.size(), s, used, error))
            << c.what << ": " << error;
        EXPECT_EQ(used, block.size()) << c.what;
        EXPECT_EQ(s.order, c.order) << c.what;
        for (const auto& f : c.fields) {
            EXPECT_EQ(s.*(f.first), f.second) << c.what;
        }
        EXPECT_EQ(PrinterStatus::error_code_, c.code) << c.what;
    }
}

TEST(FcRasterData, StartBlockErrorStopsThePageBeforeAnything) {
    FcJob job;
    job.option.rollPrinterCase = 0;
    FCRasterData d(job.option, job.spec, job.paper, status());
    Bytes pixels(16 * 8 * 3, 0);
    BitmapData bitmap;
    bitmap.bitmapWidth = 16;
    bitmap.bitmapHeight = 8;
    bitmap.pixels = pixels.data();
    bitmap.isColor = true;
    EXPECT_FALSE(d.createRasterDataFromColorData(bitmap, 1, 0));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(d.pageData, nullptr);
}

TEST(FcRasterData, SwitchIsTheSeriesOwn) {
    FcJob job;
    FCRasterData d(job.option, job.spec, job.paper, status());
    Bytes out = {0x01};
    d.setSwitchDynamicCommand(out);
    EXPECT_EQ(out, (Bytes{0x01, 0x1B, 0x69, 0x61, 0x00}));
}

TEST(FcRasterData, LineFeeds) {
    FcJob job;
    FCRasterData d(job.option, job.spec, job.paper, status());
    const std::pair<int, Bytes> cases[] = {
        {0, {0x1B, 0x7E, 0x4A, 0x00}},
        {1, {0x1B, 0x7E, 0x0A}},
        {2, {0x1B, 0x7E, 0x4A, 0x02}},
        {255, {0x1B, 0x7E, 0x4A, 0xFF}},
        {256, {0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x0A}},
        {510, {0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x4A, 0xFF}},
        {511, {0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x0A}},
        {601, {0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x4A, 0xFF, 0x1B, 0x7E, 0x4A, 0x5B}},
    };
    for (const auto& c : cases) {
        Bytes out(64, 0xEE);
        const int n = d.linefeed(c.first, out.data());
        EXPECT_EQ(Bytes(out.begin(), out.begin() + n), c.second) << c.first;
    }
}

TEST(FcRasterData, RowBlocks) {
    FcJob job;
    FCRasterData d(job.option, job.spec, job.paper, status());
    struct Case {
        const char* what;
        Bytes row;
        int left;
        Bytes expected;
    };
    // clang-format off
    const Case cases[] = {
        // The inner run of seven zeros splits the row; the two trailing zeros stay in the
        // second block (its data length says 3).
        {"worked row", {0x00, 0x00, 0xF0, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00}, 96,
         {0x1B, 0x7E, 0x24, 0x60, 0x00, 0x1B, 0x7E, 0x2A, 0x04, 0x00, 0x00, 0x00, 0xF0, 0x0F,
          0x1B, 0x7E, 0x24, 0xB8, 0x00, 0x1B, 0x7E, 0x2A, 0x03, 0x00, 0x80, 0x00, 0x00}},
        {"five leading zeros go out as data", {0, 0, 0, 0, 0, 0x01}, 3,
         {0x1B, 0x7E, 0x24, 0x03, 0x00, 0x1B, 0x7E, 0x2A, 0x06, 0x00, 0, 0, 0, 0, 0, 0x01}},
        {"six leading zeros are skipped", {0, 0, 0, 0, 0, 0, 0x01}, 3,
         {0x1B, 0x7E, 0x24, 0x33, 0x00, 0x1B, 0x7E, 0x2A, 0x01, 0x00, 0x01}},
        {"five inner zeros stay in the block", {0x01, 0, 0, 0, 0, 0, 0x02}, 0,
         {0x1B, 0x7E, 0x24, 0x00, 0x00, 0x1B, 0x7E, 0x2A, 0x07, 0x00, 0x01, 0, 0, 0, 0, 0, 0x02}},
        {"six inner zeros split", {0x01, 0, 0, 0, 0, 0, 0, 0x02}, 0,
         {0x1B, 0x7E, 0x24, 0x00, 0x00, 0x1B, 0x7E, 0x2A, 0x01, 0x00, 0x01,
          0x1B, 0x7E, 0x24, 0x38, 0x00, 0x1B, 0x7E, 0x2A, 0x01, 0x00, 0x02}},
        {"five trailing zeros are dropped", {0x01, 0, 0, 0, 0, 0}, 0,
         {0x1B, 0x7E, 0x24, 0x00, 0x00, 0x1B, 0x7E, 0x2A, 0x01, 0x00, 0x01}},
        {"bytes are neither mirrored nor reversed", {0x12, 0x34}, 0,
         {0x1B, 0x7E, 0x24, 0x00, 0x00, 0x1B, 0x7E, 0x2A, 0x02, 0x00, 0x12, 0x34}},
        {"a white row has no block", {0, 0, 0}, 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        Bytes row = c.row;
        Bytes out(256, 0xEE);
        const int n =
            d.make1RasterData(row.data(), static_cast<int>(row.size()), c.left, out.data());
        EXPECT_EQ(Bytes(out.begin(), out.begin() + n), c.expected) << c.what;
    }
}

// Body commands, in the order they are written.
const Bytes kZeroFeed = {0x1B, 0x7E, 0x4A, 0x00};
const Bytes kOneFeed = {0x1B, 0x7E, 0x0A};
const Bytes kPageEnd = {0x1B, 0x7E, 0x0C};
Bytes position(int x) {
    return {0x1B, 0x7E, 0x24, static_cast<unsigned char>(x & 0xFF),
            static_cast<unsigned char>(x >> 8)};
}
Bytes block(Bytes data) {
    return cat({{0x1B, 0x7E, 0x2A, static_cast<unsigned char>(data.size()), 0x00}, data});
}
Bytes feed(int n) {
    return {0x1B, 0x7E, 0x4A, static_cast<unsigned char>(n)};
}

TEST(FcRasterData, BodyOrderStartZerosTopFeedRowsFeedsEnd) {
    FcJob job;
    job.spec.invalidateLength = 3;
    const Bytes start = {0x1B, 0x7E, 0x2D, 0x00};
    // Rows: printed, white, printed; the top margin is 0 and still fed.
    const Bytes image = {0x80, 0x00, 0x00, 0x00, 0x00, 0x01};
    const Bytes expected = cat({start,
                                {0, 0, 0},
                                kZeroFeed,
                                position(8),
                                block({0x80, 0x00}),
                                feed(2),
                                position(8),
                                block({0x00, 0x01}),
                                kOneFeed,
                                kPageEnd});
    EXPECT_EQ(body(job, image, 16, 3, 0, 8, start), expected);
}

TEST(FcRasterData, LongWhiteRunsBetweenRows) {
    FcJob job;
    job.spec.invalidateLength = 0;
    for (int white : {254, 255, 256, 600}) {
        Bytes image(static_cast<size_t>(white) + 2, 0);
        image.front() = 0x80;
        image.back() = 0x80;
        Bytes feeds;
        for (int n = white + 1; n > 0;) {
            const int step = n > 255 ? 255 : n;
            // The last piece of a feed is 0A only when exactly one line is left.
            feeds = cat({feeds, step == 1 ? kOneFeed : feed(step)});
            n -= step;
        }
        const Bytes expected = cat({kZeroFeed, position(0), block({0x80}), feeds, position(0),
                                    block({0x80}), kOneFeed, kPageEnd});
        EXPECT_EQ(body(job, image, 8, white + 2, 0, 0), expected) << white;
    }
    // 600 white rows: FF, FF, 5B (the printed row's own line and the 600 white ones).
    Bytes image(602, 0);
    image.front() = image.back() = 0x80;
    const Bytes b = body(job, image, 8, 602, 0, 0);
    const Bytes run = cat({feed(255), feed(255), feed(0x5B)});
    EXPECT_NE(std::search(b.begin(), b.end(), run.begin(), run.end()), b.end());
}

TEST(FcRasterData, WhiteImageAndCutAtPrintableLength) {
    FcJob job;
    job.spec.invalidateLength = 0;
    // Only white rows: one feed for all of them and the page end, nothing below.
    EXPECT_EQ(body(job, Bytes(5, 0), 8, 5, 2, 0), cat({feed(2), feed(5), kPageEnd}));
    // No rows at all: the top feed and the page end.
    EXPECT_EQ(body(job, Bytes(1, 0), 8, 0, 7, 0), cat({feed(7), kPageEnd}));

    // Printable length 10 with a top margin of 4: rows past the sixth are dropped.
    job.paper.printableLengthDots = 10;
    Bytes image(9, 0xFF);
    const Bytes b = body(job, image, 8, 9, 4, 0);
    FcPage page;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeFcPage(b.data(), b.size(), 64, page, error)) << error;
    ASSERT_EQ(page.lines.size(), 10u);
    for (size_t y = 0; y < 10; ++y) {
        EXPECT_EQ(page.lines[y][0], y < 4 ? 0x00 : 0xFF) << y;
    }
    EXPECT_EQ(page.blocks, 6u);
}

// A sparse random image whose rows hold zero runs of 4 to 8 bytes between short inked
// stretches, and whole white runs of the given lengths between inked rows.
Bytes sparseImage(std::mt19937& rng, int rowBytes, const std::vector<int>& whiteRuns, int& height) {
    Bytes image;
    auto inkedRow = [&] {
        Bytes row(static_cast<size_t>(rowBytes), 0);
        size_t x = rng() % 7;  // 0..6 leading zeros
        while (x < row.size()) {
            const size_t ink = 1 + rng() % 3;
            for (size_t i = 0; i < ink && x < row.size(); ++i, ++x) {
                row[x] = static_cast<unsigned char>(1 + rng() % 255);
            }
            x += 4 + rng() % 5;
        }
        image.insert(image.end(), row.begin(), row.end());
    };
    height = 0;
    for (int run : whiteRuns) {
        for (int i = 0; i < 1 + static_cast<int>(rng() % 3); ++i, ++height) {
            inkedRow();
        }
        image.insert(image.end(), static_cast<size_t>(run) * rowBytes, 0);
        height += run;
    }
    inkedRow();
    ++height;
    return image;
}

// Clears the bits past `width` in the last byte of every row.
void clearPadBits(Bytes& image, int width) {
    const int rowBytes = (width + 7) / 8;
    const unsigned char keep = static_cast<unsigned char>(0xFF << (rowBytes * 8 - width));
    for (size_t i = static_cast<size_t>(rowBytes) - 1; i < image.size(); i += rowBytes) {
        image[i] &= keep;
    }
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

TEST(FcRasterData, DecodedPageEqualsThePlacedImage) {
    std::mt19937 rng(108);
    const std::vector<std::vector<int>> runs = {
        {0, 1, 254, 255, 256, 600}, {3, 0, 0, 17}, {600, 255}, {}};
    for (int trial = 0; trial < 8; ++trial) {
        FcJob job;
        const int width = 200 + static_cast<int>(rng() % 500);  // not a multiple of 8 as a rule
        const int rowBytes = (width + 7) / 8;
        int height = 0;
        Bytes image = sparseImage(rng, rowBytes, runs[trial % runs.size()], height);
        clearPadBits(image, width);
        const int left = 1 + static_cast<int>(rng() % 200);  // seldom a multiple of 8
        const int top = static_cast<int>(rng() % 300);
        const Bytes b = body(job, image, width, height, top, left);

        FcPage page;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeFcPage(b.data(), b.size(), job.spec.headDots, page, error))
            << error;
        EXPECT_EQ(page.zeroBytes, job.spec.invalidateLength);
        // The page ends with the last image row: nothing is fed below it.
        ASSERT_EQ(page.lines.size(), static_cast<size_t>(top + height)) << trial;
        EXPECT_EQ(
            difference(raster_stream::cropDots(page.lines, 0, static_cast<size_t>(top), 0, 2464),
                       DotRows(static_cast<size_t>(top), Bytes(308, 0))),
            "");
        const DotRows placed = raster_stream::cropDots(
            page.lines, static_cast<size_t>(top), static_cast<size_t>(height),
            static_cast<size_t>(left), static_cast<size_t>(width));
        EXPECT_EQ(difference(placed, raster_stream::rowsOf(image.data(), static_cast<size_t>(width),
                                                           static_cast<size_t>(height))),
                  "")
            << "trial " << trial << " width " << width << " left " << left;
    }
}

// The most commands a page can take: every row of the full printable area inked and split
// into one-byte blocks by runs of exactly six zeros, a feed after every row. The body must
// fit its work buffer (checked by AddressSanitizer) and decode to the image.
TEST(FcRasterData, MostFragmentedPageFitsItsBuffer) {
    FcJob job;
    const int width = job.paper.printableWidthDots;
    const int rowBytes = (width + 7) / 8;
    const int top = 3;
    const int height = job.paper.printableLengthDots - top;
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    Bytes image(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int b = y % 2; b < rowBytes; b += 7) {
            image[static_cast<size_t>(y) * rowBytes + b] = static_cast<unsigned char>(0x81 + y % 3);
        }
    }
    clearPadBits(image, width);
    const Bytes b = body(job, image, width, height, top, 0);
    FcPage page;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeFcPage(b.data(), b.size(), job.spec.headDots, page, error))
        << error;
    ASSERT_EQ(page.lines.size(), static_cast<size_t>(top + height));
    EXPECT_EQ(difference(raster_stream::cropDots(page.lines, static_cast<size_t>(top),
                                                 static_cast<size_t>(height), 0,
                                                 static_cast<size_t>(width)),
                         raster_stream::rowsOf(image.data(), static_cast<size_t>(width),
                                               static_cast<size_t>(height))),
              "");
}

TEST(FcRasterData, DecoderRejectsBrokenBodies) {
    FcJob job;
    job.spec.invalidateLength = 2;
    const Bytes good = body(job, Bytes{0x80}, 8, 1, 0, 0, {0x1B, 0x7E, 0x2D, 0x00});
    FcPage page;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeFcPage(good.data(), good.size(), 64, page, error)) << error;
    const std::pair<const char*, Bytes> cases[] = {
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"unknown command", cat({Bytes(good.begin(), good.end() - 3), {0x1B, 0x7E, 0x99}})},
        {"data block past its end", cat({{0x1B, 0x7E, 0x2A, 0x09, 0x00, 0x01}})},
        {"data past the page width", cat({position(60), block({0x01, 0x02}), kPageEnd})},
        {"bytes after the page end", cat({good, {0x00}})},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(raster_stream::decodeFcPage(c.second.data(), c.second.size(), 64, page, error))
            << c.first;
    }
}

TEST(FcRasterData, DecoderStaysInBoundsOnDamagedBodies) {
    FcJob job;
    job.spec.invalidateLength = 4;
    std::mt19937 rng(11);
    int height = 0;
    Bytes image = sparseImage(rng, 6, {2, 300}, height);
    FCRasterData d(job.option, job.spec, job.paper, status());
    d.topMargin = 3;
    d.leftMargin = 5;
    d.createStartPageCommand(48, height, 1);
    ASSERT_TRUE(d.convertBitmapToRaster(image.data(), 48, height, true));
    const Bytes good(d.pageData, d.pageData + d.pageDataLength);
    FcPage page;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeFcPage(good.data(), good.size(), 64, page, error)) << error;
    // Every cut is refused; damaged bytes never read outside the input.
    for (size_t n = 0; n < good.size(); ++n) {
        const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(raster_stream::decodeFcPage(cut.data(), cut.size(), 64, page, error)) << n;
    }
    for (int trial = 0; trial < 2000; ++trial) {
        Bytes damaged = good;
        for (int k = 0; k < 3; ++k) {
            damaged[rng() % damaged.size()] = static_cast<unsigned char>(rng());
        }
        raster_stream::decodeFcPage(damaged.data(), damaged.size(), 64, page, error);
    }
}

// A colour bitmap in memory: black where the pattern says so, white elsewhere.
struct Picture {
    int width;
    int height;
    Bytes rgb;
    Bytes packed;
    Picture(int w, int h, unsigned seed) : width(w), height(h) {
        std::mt19937 rng(seed);
        rgb.assign(static_cast<size_t>(w) * h * 3, 255);
        packed.assign(static_cast<size_t>((w + 7) / 8) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                // Blocks of ink with white gaps, so that rows have both kinds of runs.
                if (((x / 24 + y / 16) % 3 == 0) && rng() % 4 != 0) {
                    const size_t i = (static_cast<size_t>(y) * w + x) * 3;
                    rgb[i] = rgb[i + 1] = rgb[i + 2] = 0;
                    packed[static_cast<size_t>(y) * ((w + 7) / 8) + x / 8] |=
                        static_cast<unsigned char>(0x80 >> (x % 8));
                }
            }
        }
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

TEST(FcRasterData, WholePageThroughThePipeline) {
    FcJob job;
    job.option.halftone = 1;
    job.option.align = 2;   // centred across
    job.option.valign = 1;  // top margin from the option
    job.option.marginTop = 37;
    Picture picture(301, 120, 7);
    FCRasterData d(job.option, job.spec, job.paper, status());
    BitmapData bitmap = picture.bitmap();
    ASSERT_TRUE(d.createRasterDataFromColorData(bitmap, 1, 0));
    ASSERT_EQ(PrinterStatus::error_code_, 1);

    FcPage page;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeFcPage(d.pageData, static_cast<size_t>(d.pageDataLength),
                                            job.spec.headDots, page, error))
        << error;
    EXPECT_EQ(page.settings.paper, 3300);
    EXPECT_EQ(page.settings.paperLength, 120 + 37);
    EXPECT_EQ(page.zeroBytes, 700u);
    EXPECT_EQ(page.startBlockLength, d.startPageCommand.size());
    EXPECT_EQ(d.topMargin, 37);
    ASSERT_EQ(page.lines.size(), static_cast<size_t>(37 + 120));
    EXPECT_EQ(difference(raster_stream::cropDots(page.lines, 37, 120,
                                                 static_cast<size_t>(d.leftMargin), 301),
                         raster_stream::rowsOf(picture.packed.data(), 301, 120)),
              "");
}

TEST(FcRasterData, ModeNineCarriesTheStartBlockAndIgnoresTheLastPage) {
    FcJob job;
    job.option.mode9 = true;
    ASSERT_TRUE(job.spec.mode9Supported);
    Picture picture(160, 40, 3);
    Bytes bodies[2];
    for (int last = 0; last < 2; ++last) {
        FCRasterData d(job.option, job.spec, job.paper, status());
        BitmapData bitmap = picture.bitmap();
        // pages 2: page 0 is not the last, page 1 is.
        ASSERT_TRUE(d.createRasterDataFromColorData(bitmap, 2, last));
        bodies[last].assign(d.pageData, d.pageData + d.pageDataLength);

        // Zero bytes, then this series' start block, then Mode 9 blocks.
        const size_t zeros = job.spec.invalidateLength;
        ASSERT_GT(bodies[last].size(), zeros + d.startPageCommand.size());
        EXPECT_EQ(
            Bytes(bodies[last].begin() + static_cast<long>(zeros),
                  bodies[last].begin() + static_cast<long>(zeros + d.startPageCommand.size())),
            d.startPageCommand);
        FcSettings s;
        size_t used = 0;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeFcStartBlock(d.startPageCommand.data(),
                                                      d.startPageCommand.size(), s, used, error));
        EXPECT_EQ(used, d.startPageCommand.size());
        EXPECT_EQ(s.paper, 3300);

        raster_stream::Lines lines;
        const int size = job.paper.printableWidthDots / 8 + job.paper.leftOffsetBytes + 1;
        ASSERT_TRUE(raster_stream::decodeMode9Body(bodies[last].data(), bodies[last].size(), zeros,
                                                   d.startPageCommand.size(), size, lines, error))
            << error;
        EXPECT_EQ(
            difference(raster_stream::cropDots(
                           lines, static_cast<size_t>(d.topMargin), 40,
                           static_cast<size_t>(d.leftMargin) + 8u * job.paper.leftOffsetBytes, 160),
                       raster_stream::rowsOf(picture.packed.data(), 160, 40)),
            "");
    }
    EXPECT_EQ(bodies[0], bodies[1]);
}

TEST(FcRasterData, ContinuousPageLongerThanSixteenBitsIsRefused) {
    FcJob job;
    job.paper.printableLengthDots = 0;  // continuous: the page is as long as the image
    job.paper.lengthDots = 0;
    job.option.valign = 1;
    job.option.marginTop = 100;
    Picture picture(8, 65500, 1);
    FCRasterData d(job.option, job.spec, job.paper, status());
    BitmapData bitmap = picture.bitmap();
    EXPECT_FALSE(d.createRasterDataFromColorData(bitmap, 1, 0));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(d.pageData, nullptr);
}

}  // namespace
