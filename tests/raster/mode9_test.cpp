#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/mode9.h"
#include "raster/raster_data.h"
#include "support/raster_geometry_probe.h"
#include "support/raster_page_image.h"
#include "support/raster_stream/raster_body_decoder.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes block(const Bytes& data) {
    Bytes b = {0x1B, 0x5E, 0x39, static_cast<unsigned char>(data.size() & 0xFF),
               static_cast<unsigned char>(data.size() >> 8)};
    return cat(b, data);
}

// A Mode 9 setting: a spec without lead-in zeros, lines of `size` bytes (no offset bytes),
// a printable length and a command limit.
struct Setting {
    zoo::Row row;
    Setting(int size, int printableLength, int limit = 102) {
        row = zoo::row("gy34_a7");
        row.spec.invalidateLength = 0;
        row.spec.mode9Parameter = limit;
        row.paper.leftOffsetBytes = 0;
        row.paper.printableWidthDots = static_cast<unsigned short>((size - 1) * 8);
        row.paper.printableLengthDots = static_cast<unsigned short>(printableLength);
    }
    // The page body of an image of `height` rows of `rowBytes` bytes.
    Bytes body(const Bytes& image, int rowBytes, int height, int top, const Bytes& command = {}) {
        Bytes cmd = command;
        Mode9 m(row.paper, row.option, row.spec, cmd);
        int length = 0;
        unsigned char* data = nullptr;
        Bytes img = image.empty() ? Bytes(1, 0) : image;
        PrinterStatus::error_code_ = 1;
        ok = m.convertBitmapToMode9(img.data(), rowBytes * 8, height, length, data, top, 0);
        Bytes out = data == nullptr ? Bytes() : Bytes(data, data + length);
        delete[] data;
        return out;
    }
    bool ok = false;
};

TEST(Mode9, WorkedExample) {
    Setting s(8, 5);
    const Bytes image = {0x80, 0,    0, 0,    0, 0, 0, 0x01, 0x80, 0, 0xFF, 0x0F,
                         0x0F, 0x0F, 0, 0x01, 0, 0, 0, 0,    0,    0, 0,    0};
    const Bytes command = {0xAA, 0xBB};
    const Bytes expected = cat(
        cat(cat(command, block({0xFF})),
            block({0x03, 0x00, 0x80, 0x84, 0x00, 0x00, 0x01, 0x02, 0x10, 0xFF, 0x81, 0x0F, 0xFF})),
        block({0xFF}));
    EXPECT_EQ(s.body(image, 8, 3, 1, command), expected);
    EXPECT_TRUE(s.ok);
}

// The block data of a page of the given lines, top margin 0, printable length = lines.
Bytes encode(int size, const std::vector<Bytes>& lines, int limit = 102) {
    Setting s(size, static_cast<int>(lines.size()), limit);
    Bytes image;
    for (const Bytes& l : lines) {
        image.insert(image.end(), l.begin(), l.end());
    }
    const Bytes b = s.body(image, size, static_cast<int>(lines.size()), 0);
    return b.size() >= 5 ? Bytes(b.begin() + 5, b.end()) : Bytes();
}

TEST(Mode9, SingleLineTable) {
    struct Case {
        const char* what;
        int size;
        std::vector<Bytes> lines;
        Bytes data;  // the block data of all lines
    } cases[] = {
        {"40 bytes of 05 as a first line", 40, {Bytes(40, 5)}, {0x01, 0x9F, 0x07, 0x05}},
        {"a line equal to its previous line",
         4,
         {{1, 2, 3, 4}, {1, 2, 3, 4}},
         {0x01, 0x03, 1, 2, 3, 4, 0x00}},
        {"20 zeros and 07 against zeros",
         21,
         {Bytes(21, 0), cat(Bytes(20, 0), {7})},
         {0xFF, 0x01, 0x78, 0x05, 0x07}},
        {"an all-zero line after an all-zero line",
         4,
         {Bytes(4, 0), Bytes(4, 0), {0, 0, 0, 9}},
         {0xFF, 0xFF, 0x01, 0x18, 0x09}},
        {"skip of exactly 15",
         16,
         {Bytes(16, 0), cat(Bytes(15, 0), {7})},
         {0xFF, 0x01, 0x78, 0x00, 0x07}},
        {"skip of 270",
         271,
         {Bytes(271, 0), cat(Bytes(270, 0), {7})},
         {0xFF, 0x01, 0x78, 0xFF, 0x00, 0x07}},
        {"run of 33", 33, {Bytes(33, 5)}, {0x01, 0x9F, 0x00, 0x05}},
        {"all zero after ink is FF",
         3,
         {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}},
         {0x01, 0x81, 0x01, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encode(c.size, c.lines, 400), c.data) << c.what;
    }
}

TEST(Mode9, PageLayoutCases) {
    {
        // Rows beyond the printable length less the top margin are dropped, no bottom lines.
        Setting s(2, 3);
        const Bytes b = s.body({1, 1, 2, 2, 3, 3, 4, 4}, 2, 4, 1);
        raster_stream::Lines lines;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeMode9Body(b.data(), b.size(), 0, 0, 2, lines, error))
            << error;
        EXPECT_EQ(lines, (raster_stream::Lines{{0, 0}, {1, 1}, {2, 2}}));
    }
    {
        // Top margin 0 and no bottom lines: one block with the image lines.
        Setting s(2, 1);
        EXPECT_EQ(s.body({1, 2}, 2, 1, 0, {0xC0}), cat({0xC0}, block({0x01, 0x01, 1, 2})));
    }
    {
        // No image lines: the closing block is still there.
        Setting s(2, 0);
        EXPECT_EQ(s.body({}, 2, 0, 0), block({}));
    }
    {
        // 700 blank lines above: 661 and 39.
        Setting s(2, 701);
        const Bytes b = s.body({5, 5}, 2, 1, 700);
        EXPECT_EQ(b, cat(cat(block(Bytes(661, 0xFF)), block(Bytes(39, 0xFF))),
                         block({0x01, 0x01, 0x05, 0x05})));
    }
    {
        // 180 degrees: 10 top and 30 bottom lines become 30 above and 10 below.
        zoo::Row row = zoo::row("sn63_custom");
        row.option.rotate180 = true;
        row.paper.printableLengthDots = 41;
        const int size = 150 + 3 + 1;
        Bytes cmd;
        Mode9 m(row.paper, row.option, row.spec, cmd);
        Bytes img(2, 0xFF);
        int length = 0;
        unsigned char* data = nullptr;
        ASSERT_TRUE(m.convertBitmapToMode9(img.data(), 16, 1, length, data, 10, 0));
        raster_stream::Lines lines;
        std::string error;
        ASSERT_TRUE(raster_stream::decodeMode9Body(data, static_cast<size_t>(length), 350, 0, size,
                                                   lines, error))
            << error;
        delete[] data;
        ASSERT_EQ(lines.size(), 41u);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i][3] != 0, i == 30) << i;
        }
    }
}

TEST(Mode9, BlocksNeverSplitALine) {
    // 30 noisy lines of 100 bytes: several fill a block and the next one starts a new block.
    std::mt19937 rng(12);
    Setting s(100, 30, 400);
    Bytes image(100 * 30);
    for (auto& b : image) {
        b = static_cast<unsigned char>(rng() % 3 == 0 ? rng() : 0);
    }
    const Bytes b = s.body(image, 100, 30, 0);
    raster_stream::Lines lines;
    std::string error;
    std::vector<size_t> blocks;
    ASSERT_TRUE(
        raster_stream::decodeMode9Body(b.data(), b.size(), 0, 0, 100, lines, error, &blocks))
        << error;
    EXPECT_GT(blocks.size(), 2u);
    for (size_t n : blocks) {
        EXPECT_LE(n, 661u);
    }
    ASSERT_EQ(lines.size(), 30u);
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(lines[static_cast<size_t>(y)],
                  Bytes(image.begin() + y * 100, image.begin() + (y + 1) * 100));
    }
}

// A line of `size` bytes repeating `pattern`.
Bytes periodic(int size, const Bytes& pattern) {
    Bytes b;
    for (int i = 0; i < size; ++i) {
        b.push_back(pattern[static_cast<size_t>(i) % pattern.size()]);
    }
    return b;
}

TEST(Mode9, AdversarialLinesFallBackToOneLiteral) {
    // Limit 104: a period-3 line against a shifted one needs more than 208 bytes of commands.
    struct Case {
        int size;
        Bytes previous, line;
        unsigned char lengthExtension;
    } cases[] = {
        {161, periodic(161, {1, 2, 1}), periodic(161, {1, 1, 2}), 0x99},
        {162, periodic(162, {1, 1, 2}), periodic(162, {2, 1, 1}), 0x9A},
    };
    for (const Case& c : cases) {
        const Bytes data = encode(c.size, {c.previous, c.line}, 104);
        const Bytes tail = cat({0x01, 0x07, c.lengthExtension}, c.line);
        ASSERT_GE(data.size(), tail.size());
        EXPECT_EQ(Bytes(data.end() - static_cast<long>(tail.size()), data.end()), tail) << c.size;
        raster_stream::Lines lines;
        std::string error;
        const Bytes body = block(data);
        ASSERT_TRUE(
            raster_stream::decodeMode9Body(body.data(), body.size(), 0, 0, c.size, lines, error))
            << error;
        EXPECT_EQ(lines, (raster_stream::Lines{c.previous, c.line}));
    }
}

TEST(Mode9, PageBufferHoldsLinesLongerInCommandsThanInBytes) {
    // Against a shifted period-3 line every line takes about 4 bytes for 3; with a high limit
    // no line falls back, and 40 such lines must still fit the page buffer.
    const int size = 60;
    Setting s(size, 40, 400);
    Bytes image;
    std::vector<Bytes> rows;
    for (int y = 0; y < 40; ++y) {
        rows.push_back(periodic(size, y % 2 == 0 ? Bytes{1, 2, 1} : Bytes{1, 1, 2}));
        image.insert(image.end(), rows.back().begin(), rows.back().end());
    }
    const Bytes b = s.body(image, size, 40, 0);
    ASSERT_TRUE(s.ok);
    EXPECT_GT(b.size(), static_cast<size_t>(40 * (size + 13) + 15)) << b.size();
    raster_stream::Lines lines;
    std::string error;
    ASSERT_TRUE(raster_stream::decodeMode9Body(b.data(), b.size(), 0, 0, size, lines, error))
        << error;
    EXPECT_EQ(lines, rows);
}

TEST(Mode9, LinesTooLongForABlockAreRefused) {
    Setting s(657, 1, 400);
    s.body(Bytes(657, 1), 657, 1, 0);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    Setting fits(656, 1, 400);
    Bytes line;
    for (int k = 0; k < 656; ++k) {
        line.push_back(static_cast<unsigned char>(1 + k % 2));
    }
    const Bytes b = fits.body(line, 656, 1, 0);
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(b.size(), 5u + 1 + 1 + 3 + 656);  // one block: 01, the literal header, 656 bytes
}

TEST(Mode9, RoundTripOverRandomPages) {
    std::mt19937 rng(13);
    for (int trial = 0; trial < 80; ++trial) {
        const int size = 1 + static_cast<int>(rng() % 300);
        const int height = static_cast<int>(rng() % 30);
        const int top = static_cast<int>(rng() % 3 == 0 ? 700 : rng() % 40);
        const int bottom = static_cast<int>(rng() % 3 == 0 ? 33 : rng() % 5);
        const int limit = rng() % 2 == 0 ? 104 : 400;
        Setting s(size, top + height + bottom, limit);
        // Lines made of long skips (15, 270), runs (33 and more), noise and repeats.
        Bytes image;
        Bytes prev(static_cast<size_t>(size), 0);
        for (int y = 0; y < height; ++y) {
            Bytes line = prev;
            switch (rng() % 5) {
                case 0:
                    line.assign(static_cast<size_t>(size), 0);
                    break;
                case 1:
                    for (auto& b : line) {
                        b = static_cast<unsigned char>(rng() % 4);
                    }
                    break;
                case 2: {
                    const size_t at = rng() % line.size();
                    const size_t n = std::min<size_t>(line.size() - at, 33 + rng() % 40);
                    std::fill(line.begin() + static_cast<long>(at),
                              line.begin() + static_cast<long>(at + n),
                              static_cast<unsigned char>(rng()));
                    break;
                }
                case 3:
                    for (size_t at : {size_t{15}, size_t{270}}) {
                        if (at < line.size()) {
                            line[at] = static_cast<unsigned char>(line[at] + 1);
                        }
                    }
                    break;
                default:
                    break;  // equal to the line before
            }
            image.insert(image.end(), line.begin(), line.end());
            prev = line;
        }
        const Bytes b = s.body(image, size, height, top);
        ASSERT_TRUE(s.ok);
        raster_stream::Lines lines;
        std::string error;
        std::vector<size_t> blocks;
        ASSERT_TRUE(
            raster_stream::decodeMode9Body(b.data(), b.size(), 0, 0, size, lines, error, &blocks))
            << "trial " << trial << ": " << error;
        for (size_t n : blocks) {
            EXPECT_LE(n, 661u);
        }
        ASSERT_EQ(static_cast<int>(lines.size()), top + height + bottom) << trial;
        for (int y = 0; y < top + height + bottom; ++y) {
            const int r = y - top;
            const Bytes expected = (r >= 0 && r < height)
                                       ? Bytes(image.begin() + static_cast<long>(r) * size,
                                               image.begin() + static_cast<long>(r + 1) * size)
                                       : Bytes(static_cast<size_t>(size), 0);
            ASSERT_EQ(lines[static_cast<size_t>(y)], expected)
                << "trial " << trial << " line " << y;
        }
    }
}

TEST(Mode9, RasterDataRoundTripOverZooRows) {
    // Through RasterData: lines of printableWidthDots / 8 + offset bytes + 1 bytes (custom
    // size: from the image), the row at the offset bytes plus the left margin, the page
    // command block and the model's zero bytes in front.
    std::mt19937 rng(14);
    for (int trial = 0; trial < 40; ++trial) {
        zoo::Row row = zoo::row(trial % 2 == 0 ? "gy34_a7" : "sn63_custom");
        const bool custom = trial % 4 == 1;
        row.paper.isCustomSize = custom;
        row.option.rotate180 = rng() % 2 == 0;
        const int width = 1 + static_cast<int>(rng() % 300);
        const int height = static_cast<int>(rng() % 20);
        const int top = static_cast<int>(rng() % 30);
        row.paper.printableLengthDots = static_cast<unsigned short>(top + height + rng() % 20);
        RasterData raster(row.option, row.spec, row.paper, GeometryProbe::status());
        raster.startPageCommand = {0x4D, 0x06};
        raster.topMargin = top;
        raster.leftMargin = static_cast<int>(rng() % 200);
        const int lob = row.paper.leftOffsetBytes;
        const int size =
            (custom ? (raster.leftMargin + width + 7) / 8 : row.paper.printableWidthDots / 8) +
            lob + 1;
        const Bytes img = raster_page::randomImage(rng, width, height);
        Bytes in = img.empty() ? Bytes(1, 0) : img;
        PrinterStatus::error_code_ = 1;
        ASSERT_TRUE(raster.convertBitmapToRaster(in.data(), width, height, true)) << trial;
        raster_stream::Lines lines;
        std::string error;
        std::vector<size_t> blocks;
        ASSERT_TRUE(raster_stream::decodeMode9Body(
            raster.pageData, static_cast<size_t>(raster.pageDataLength), row.spec.invalidateLength,
            2, size, lines, error, &blocks))
            << trial << ": " << error;
        EXPECT_EQ(Bytes(raster.pageData + row.spec.invalidateLength,
                        raster.pageData + row.spec.invalidateLength + 2),
                  (Bytes{0x4D, 0x06}));
        for (size_t n : blocks) {
            EXPECT_LE(n, 661u);
        }
        const int pl = row.paper.printableLengthDots;
        const int bottom = pl - top - height;
        const int above = raster.isRotate180() ? bottom : top;
        ASSERT_EQ(static_cast<int>(lines.size()), pl) << trial;
        for (int y = 0; y < pl; ++y) {
            const int r = y - above;
            const Bytes expected =
                (r >= 0 && r < height)
                    ? raster_page::placedRow(img, width, r, lob * 8 + raster.leftMargin, size)
                    : Bytes(static_cast<size_t>(size), 0);
            ASSERT_EQ(lines[static_cast<size_t>(y)], expected)
                << "trial " << trial << " line " << y;
        }
    }
}

}  // namespace
