#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/raster_geometry_probe.h"
#include "support/raster_test_files.h"
#include "support/raster_zoo.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A raster data object on a zoo row, after a tweak of its option, spec or paper.
struct Job {
    explicit Job(zoo::Row r) : row(std::move(r)) {}
    RasterData& make() {
        raster.reset(new RasterData(row.option, row.spec, row.paper, GeometryProbe::status()));
        return *raster;
    }
    zoo::Row row;
    std::unique_ptr<RasterData> raster;
};

template <typename F>
Bytes build(RasterData& r, F f) {
    Bytes out = {0xEE};  // builders append and never clear
    f(r, out);
    EXPECT_EQ(out.front(), 0xEE);
    return Bytes(out.begin() + 1, out.end());
}

TEST(PageCommands, FixedCommands) {
    RasterData r;
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setInitCommand(o); }), (Bytes{0x1B, 0x40}));
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setInitCommandMode9(o); }),
              (Bytes{0x1B, 0x5E, 0x40}));
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setSwitchDynamicCommand(o); }),
              (Bytes{0x1B, 0x69, 0x61, 0x01}));
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setChangeStatusMode(o, true); }),
              (Bytes{0x1B, 0x69, 0x21, 0x00}));
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setChangeStatusMode(o, false); }),
              (Bytes{0x1B, 0x69, 0x21, 0x01}));
    r.option.autoCutPageCount = 0x0102;
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setAutoCutPage(o); }),
              (Bytes{0x1B, 0x69, 0x41, 0x02}));
    r.option.customPaperCommand = {1, 2, 3};
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setCustomPaperInfoCommnad(o); }),
              (Bytes{1, 2, 3}));
    r.option.customPaperCommand.clear();
    EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setCustomPaperInfoCommnad(o); }), Bytes());
}

TEST(PageCommands, CopiesAndDensity) {
    struct Copies {
        int count;
        Bytes bytes;
        int code;
    } copies[] = {{1, {0x1B, 0x69, 0x6B, 0x63, 0x01, 0x00}, 1},
                  {300, {0x1B, 0x69, 0x6B, 0x63, 0x2C, 0x01}, 1},
                  {0, {0x1B, 0x69, 0x6B, 0x63, 0x00, 0x00}, 1},
                  {65535, {0x1B, 0x69, 0x6B, 0x63, 0xFF, 0xFF}, 1},
                  {65536, {}, 39},
                  {-1, {}, 39}};
    RasterData r;
    for (const Copies& c : copies) {
        PrinterStatus::error_code_ = 1;
        EXPECT_EQ(build(r, [&](RasterData& d, Bytes& o) { d.setCopyNumCommand(o, c.count); }),
                  c.bytes)
            << c.count;
        EXPECT_EQ(PrinterStatus::error_code_, c.code) << c.count;
    }
    const int densities[][2] = {{-5, 0x7B}, {0, 0x80}, {5, 0x85}, {6, -1}, {-6, -1}};
    for (const auto& d : densities) {
        r.option.density = static_cast<signed char>(d[0]);
        const Bytes expected =
            d[1] < 0 ? Bytes() : Bytes{0x1B, 0x69, 0x58, 0x65,
                                       0x32, 0x01, 0x00, static_cast<unsigned char>(d[1])};
        EXPECT_EQ(build(r, [](RasterData& x, Bytes& o) { x.setDensity(o); }), expected) << d[0];
    }
}

TEST(PageCommands, SpaceTable) {
    struct Case {
        const char* what;
        const char* row;
        int labelMargin;
        int printQuality;
        bool banish;
        int value;
    } cases[] = {
        {"die-cut 55, no margin: its feed margin", "vz54_dia12", 0, 2, false, 24},
        {"die-cut, no margin: 0", "vz52_diecut62x29", 0, 2, false, 0},
        {"die-cut, margin 1", "vz52_diecut62x29", 1, 2, false, 1},
        {"die-cut, margin past 16 bits: feed", "vz52_diecut62x29", 70000, 2, false, 35},
        {"continuous, no margin: feed", "vz52_continuous62", 0, 2, false, 35},
        {"continuous, shorter margin ignored", "vz52_continuous62", 10, 2, false, 35},
        {"continuous, longer margin", "vz52_continuous62", 50, 2, false, 50},
        {"continuous, past 16 bits: feed", "vz52_continuous62", 70000, 2, false, 35},
        {"banished", "vz52_continuous62", 50, 2, true, 0},
        {"mode 3 doubles", "vz52_continuous62", 50, 4, false, 100},
        {"mode 3 doubling clamps at 16 bits", "vz52_continuous62", 65535, 4, false, 0xFFFF},
    };
    for (const Case& c : cases) {
        Job j(zoo::row(c.row));
        j.row.option.labelMargin = c.labelMargin;
        j.row.option.printQuality = c.printQuality;
        j.row.option.banishMargin = c.banish;
        RasterData& r = j.make();
        EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setSpaceCommand(o); }),
                  (Bytes{0x1B, 0x69, 0x64, static_cast<unsigned char>(c.value & 0xFF),
                         static_cast<unsigned char>(c.value >> 8)}))
            << c.what;
    }
}

TEST(PageCommands, VariousAndAdvancedModes) {
    struct Various {
        int caps;
        bool autoCut, peel, mirror, cutMark;
        unsigned char n;
    } various[] = {
        {0x11, true, false, false, true, 0x40}, {0x1F, true, true, true, false, 0xD0},
        {0x00, true, true, true, true, 0x00},   {0x10, false, false, false, true, 0x40},
        {0x06, false, true, true, false, 0x90},
    };
    for (const Various& v : various) {
        RasterData r;
        r.spec.variousModeCaps = v.caps;
        r.option.isAutoCut = v.autoCut;
        r.option.peelMode = v.peel;
        r.option.mirrorPrint = v.mirror;
        r.option.isCutMark = v.cutMark;
        EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setVariousMode(o); }),
                  (Bytes{0x1B, 0x69, 0x4D, v.n}))
            << v.caps;
    }
    struct Advanced {
        int caps;
        unsigned char mediaType;
        bool half, end, special, endCut, twoColor;
        int quality;
        unsigned char n;
    } advanced[] = {
        {0xFF, 0x00, true, true, true, false, false, 2, 0x10},
        {0xFF, 0x00, true, true, false, false, false, 2, 0x0C},
        {0xFF, 0x13, true, true, true, true, false, 2, 0x20},
        {0xFF, 0x00, false, false, false, false, false, 4, 0x40},
        {0xFF, 0x00, false, false, false, false, false, 5, 0x40},
        {0xFF, 0x00, false, false, false, false, false, 1, 0x01},
        {0x00, 0x00, true, true, true, true, true, 1, 0x01},
        {0x05, 0x00, true, true, false, false, false, 2, 0x0C},
    };
    for (const Advanced& a : advanced) {
        RasterData r;
        r.spec.advancedModeCaps = a.caps;
        r.paper.mediaType = a.mediaType;
        r.paper.isTwoColor = a.twoColor;
        r.option.isHalfCut = a.half;
        r.option.isCutAtEnd = a.end;
        r.option.isSpecialTape = a.special;
        r.option.isLabelEndCut = a.endCut;
        r.option.printQuality = a.quality;
        EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setAdvancedMode(o); }),
                  (Bytes{0x1B, 0x69, 0x4B, a.n}))
            << a.caps << "/" << int(a.mediaType) << "/" << a.quality;
    }
}

TEST(PageCommands, CompressionMode) {
    struct Case {
        const char* what;
        const char* row;
        int protocol;  // 0 keeps the model's
        int compression;
        bool mode9, rawMode;
        unsigned char n;
    } cases[] = {
        {"Mode 9 named by the protocol", "sn63_custom", 0, 1, true, false, 0x06},
        {"Mode 9, older protocol, raw mode", "sn63_custom", 89, 1, true, true, 0x02},
        {"raw mode on compression 1", "vz52_diecut62x29", 0, 1, false, true, 0x00},
        {"compression 1", "vz52_diecut62x29", 0, 1, false, false, 0x02},
        {"compression 2 ignores raw mode", "vz52_diecut62x29", 0, 2, false, true, 0x02},
        {"compression 0", "vz52_diecut62x29", 0, 0, false, false, 0x00},
    };
    for (const Case& c : cases) {
        Job j(zoo::row(c.row));
        if (c.protocol != 0) {
            j.row.spec.commandProtocol.version = c.protocol;
        }
        j.row.spec.compression = c.compression;
        j.row.option.mode9 = c.mode9;
        j.row.option.rawMode = c.rawMode;
        RasterData& r = j.make();
        EXPECT_EQ(build(r, [](RasterData& d, Bytes& o) { d.setCompressModeCommand(o); }),
                  (Bytes{0x4D, c.n}))
            << c.what;
    }
}

TEST(PageCommands, PrintInformation) {
    struct Case {
        const char* what;
        const char* row;
        int printQuality;
        bool mode9;
        PageMode mode;
        int pageLines;
        Bytes operands;
    } cases[] = {
        {"die-cut label, first page",
         "vz52_diecut62x29",
         2,
         true,
         PAGE_MODE_FIRST,
         271,
         {0xC6, 0x0B, 0x3E, 0x1D, 0x0F, 0x01, 0x00, 0x00, 0x00, 0x00}},
        {"print quality 3: no 0x40",
         "kx38_tape24",
         3,
         true,
         PAGE_MODE_OTHER,
         10,
         {0x84, 0x00, 0x18, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x01, 0x00}},
        {"high resolution: quality type, energy",
         "kx38_tape24",
         4,
         true,
         PAGE_MODE_LAST,
         10,
         {0xC6, 0x09, 0x18, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x02, 0x01}},
        {"low resolution with a media length",
         "kx38_flag",
         1,
         true,
         PAGE_MODE_FIRST,
         271,
         {0xC6, 0x00, 0x15, 0x2D, 0x87, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"two-colour paper",
         "vz52_twocolor",
         2,
         true,
         PAGE_MODE_LAST,
         300,
         {0x86, 0x0A, 0x3E, 0x00, 0x2C, 0x01, 0x00, 0x00, 0x01, 0x00}},
        {"tube width in whole millimetres",
         "kx37_tube65",
         2,
         true,
         PAGE_MODE_FIRST,
         1,
         {0xC6, 0x12, 0x0C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"custom paper with Mode 9",
         "sn63_custom",
         2,
         true,
         PAGE_MODE_FIRST,
         70000,
         {0x00, 0x00, 0x00, 0x00, 0x70, 0x11, 0x01, 0x00, 0x00, 0x00}},
        {"custom paper without Mode 9",
         "sn63_custom",
         2,
         false,
         PAGE_MODE_FIRST,
         5,
         {0x86, 0x0A, 0x66, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        Job j(zoo::row(c.row));
        j.row.option.printQuality = c.printQuality;
        j.row.option.mode9 = c.mode9;
        RasterData& r = j.make();
        r.pageLines = c.pageLines;
        EXPECT_EQ(build(r, [&](RasterData& d, Bytes& o) { d.setPrintInformation(o, c.mode); }),
                  cat({0x1B, 0x69, 0x7A}, c.operands))
            << c.what;
    }
    // Custom paper with a length: 8E 0B and the whole millimetres.
    Job j(zoo::row("sn63_custom"));
    j.row.option.mode9 = false;
    j.row.paper.widthMm = 62.9f;
    j.row.paper.lengthMm = 100.0f;
    RasterData& r = j.make();
    const Bytes b =
        build(r, [](RasterData& d, Bytes& o) { d.setPrintInformation(o, PAGE_MODE_FIRST); });
    EXPECT_EQ(Bytes(b.begin() + 3, b.begin() + 7), (Bytes{0x8E, 0x0B, 62, 100}));
}

TEST(PageCommands, BlockComposition) {
    // Model 38 has the copies command: one page puts the last-page set in the start block.
    Job kx(zoo::row("kx38_tape24"));
    RasterData& r = kx.make();
    r.pageLines = 30;
    auto next = [&](PageMode mode, int count) {
        Bytes o;
        r.createNextPageCommand(o, mode, count);
        return o;
    };
    // The fixed order: print information, advanced, various, copies, space, compression.
    Bytes expectedLast;
    r.setPrintInformation(expectedLast, PAGE_MODE_LAST);
    r.setAdvancedMode(expectedLast);
    r.setVariousMode(expectedLast);
    r.setCopyNumCommand(expectedLast, 1);
    r.setSpaceCommand(expectedLast);
    r.setCompressModeCommand(expectedLast);
    EXPECT_EQ(next(PAGE_MODE_LAST, 1), expectedLast);

    r.createStartPageCommand(10, 30, 1);
    r.createOtherPageCommand(10, 30, 1);
    EXPECT_EQ(r.startPageCommand, expectedLast);
    EXPECT_EQ(r.startPageCommand[3 + 8], 2);  // print information byte 9
    EXPECT_TRUE(r.otherPageCommand.empty());
    EXPECT_TRUE(r.lastPageCommand.empty());

    r.createStartPageCommand(10, 30, 2);
    r.createOtherPageCommand(10, 30, 2);
    EXPECT_EQ(r.startPageCommand, next(PAGE_MODE_FIRST, 2));
    EXPECT_TRUE(r.otherPageCommand.empty());
    EXPECT_EQ(r.lastPageCommand, next(PAGE_MODE_LAST, 2));
    EXPECT_EQ(r.lastPageCommand[3 + 8], 2);
    r.createOtherPageCommand(10, 30, 3);
    EXPECT_EQ(r.otherPageCommand, next(PAGE_MODE_OTHER, 3));
    EXPECT_EQ(r.lastPageCommand, next(PAGE_MODE_LAST, 3));

    // Auto cut adds its page command after the various mode.
    kx.row.option.isAutoCut = true;
    RasterData& cut = kx.make();
    Bytes withCut;
    cut.createNextPageCommand(withCut, PAGE_MODE_FIRST, 1);
    const Bytes various = {0x1B, 0x69, 0x4D, 0x40, 0x1B, 0x69, 0x41, 0x01};
    EXPECT_NE(std::search(withCut.begin(), withCut.end(), various.begin(), various.end()),
              withCut.end());

    // Without the copies command the other pages get byte 9 = 1 and no last block.
    Job vz(zoo::row("vz52_diecut62x29"));
    RasterData& v = vz.make();
    v.createStartPageCommand(10, 10, 3);
    v.createOtherPageCommand(10, 10, 3);
    ASSERT_FALSE(v.otherPageCommand.empty());
    EXPECT_EQ(v.otherPageCommand[3 + 8], 1);
    EXPECT_TRUE(v.lastPageCommand.empty());
    // The start block begins with the change of status mode.
    EXPECT_EQ(Bytes(v.startPageCommand.begin(), v.startPageCommand.begin() + 4),
              (Bytes{0x1B, 0x69, 0x21, 0x00}));
}

TEST(PageCommands, MediaInformationBlocks) {
    auto blockOf = [](const char* row) {
        Job j(zoo::row(row));
        RasterData& r = j.make();
        r.createStartPageCommand(1, 1, 1);
        return r.startPageCommand;
    };
    auto expected = [](std::vector<std::pair<int, Bytes>> parts) {
        Bytes b(128, 0);
        for (const auto& p : parts) {
            std::copy(p.second.begin(), p.second.end(), b.begin() + p.first);
        }
        return cat({0x1B, 0x69, 0x55, 0x77}, b);
    };
    auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    const Bytes blocks[] = {
        expected({{0, {0x01, 0x3F, 0x02, 0x5A}},
                  {6, {0x6A, 0x91}},
                  {9, {0x02, 0x04}},
                  {13, {0x0A}},
                  {22, {0xD1, 0x01}},
                  {78, text("90mm")},
                  {94, text("3.5\"")}}),
        expected({{0, {0x01, 0x3F, 0x02, 0x66}},
                  {6, {0x6A, 0x4C}},
                  {9, {0x8C, 0x04}},
                  {13, {0x0A}},
                  {22, {0xD2, 0x01}},
                  {78, text("102mm")},
                  {94, text("4.0\"")}}),
        expected({{0, {0x01, 0x3F, 0x02, 0x66, 0x33}},
                  {6, {0x6A, 0x4C}},
                  {9, {0x8C, 0x04, 0x0E, 0x02, 0x0A}},
                  {22, {0xD3, 0x01}},
                  {78, text("102mm x 51mm")},
                  {94, text("4.0\" x 2.0\"")},
                  {112, {0x9B, 0x02, 0xD2}}}),
        expected({{0, {0x01, 0x3F, 0x02, 0x66, 0x99}},
                  {6, {0x6A, 0x4C}},
                  {9, {0x8C, 0x04, 0x7C, 0x06, 0x0A, 0x24}},
                  {18, {0x24}},
                  {22, {0xD4, 0x01}},
                  {78, text("102mm x 152mm")},
                  {94, text("4.0\" x 6.0\"")},
                  {112, {0x54, 0x07, 0xF6}}}),
    };
    const char* rows[] = {"vz54_dt90", "vz54_dt102", "vz54_dt102x51", "vz54_dt102x152"};
    for (int i = 0; i < 4; ++i) {
        const Bytes start = blockOf(rows[i]);
        ASSERT_GE(start.size(), blocks[i].size());
        EXPECT_EQ(Bytes(start.begin(), start.begin() + static_cast<long>(blocks[i].size())),
                  blocks[i])
            << rows[i];
        // The change of status mode follows the block.
        EXPECT_EQ(Bytes(start.begin() + 132, start.begin() + 136), (Bytes{0x1B, 0x69, 0x21, 0x00}));
    }
    // Another paper with bit 0x80: only the four command bytes.
    RasterData r;
    Paper other;
    other.paperId = 9;
    other.mediaType = 0x8B;
    EXPECT_TRUE(r.shouldSetAdditionalMediaInfo(other));
    Bytes out;
    r.setAdditionalMediaInfoCommand(out, other);
    EXPECT_EQ(out, (Bytes{0x1B, 0x69, 0x55, 0x77}));
}

TEST(PageCommands, CustomPaperFile) {
    const std::string path = raster_files::tempPath("raster_custom_paper.bin");
    const Bytes content = {0x1B, 0x69, 0x55, 0x4F, 1, 2, 3};
    raster_files::writeAll(path, content);
    RasterData r;
    r.option.customPaperPath = path;
    PrinterStatus::error_code_ = 1;
    Bytes out = {9};
    r.setAdditionalBinMediaInfo(out);
    EXPECT_EQ(out, cat({9}, content));
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    r.option.customPaperPath = raster_files::tempPath("raster_no_custom_paper.bin");
    out = {9};
    r.setAdditionalBinMediaInfo(out);
    EXPECT_EQ(out, Bytes{9});
    EXPECT_EQ(PrinterStatus::error_code_, 25);
}

}  // namespace
