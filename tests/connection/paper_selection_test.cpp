#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "catalogue/paper_builder.h"
#include "catalogue/paper_fields.h"
#include "catalogue/printer_spec_builder.h"
#include "connection/printer_status.h"
#include "support/custom_paper_command_builder.h"
#include "support/model_spec.h"
#include "support/printer_spec_compare.h"
#include "support/printer_status_fixture.h"
#include "support/scratch_dir.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;

namespace {

constexpr int kUntouched = 99;  // error code preset before a call that must not touch it

int errorCode() {
    return PrinterStatus::error_code_.load();
}

CustomPaperCommandBuilder commandFor(Model model) {
    const PrinterSpec spec = specOf(model);
    return CustomPaperCommandBuilder(spec.seriesCode, spec.modelCode);
}

// The six fields that selection reads, set on a builder.
struct Geometry {
    unsigned int tapeWidMm, tapeLenMm, headDot, prtWidth, prtLength, topMargin;
};

CustomPaperCommandBuilder& withGeometry(CustomPaperCommandBuilder& builder, const Geometry& g) {
    return builder.set("tapeWidMm", g.tapeWidMm)
        .set("tapeLenMm", g.tapeLenMm)
        .set("headDot", g.headDot)
        .set("prtWidth", g.prtWidth)
        .set("prtLength", g.prtLength)
        .set("topMargin", g.topMargin);
}

// A paper with both names and every number set, all different, none 0.
Paper filledPaper() {
    Paper paper;
    paper.paperNameMm = "name mm";
    paper.paperNameInch = "name inch";
    int next = 11;
    paper_fields::forEachNumber(paper, [&](const char*, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        field = static_cast<Field>(next++);
    });
    return paper;
}

::testing::AssertionResult samePaper(const Paper& expected, const Paper& actual) {
    const auto differences = paper_fields::differences(expected, actual);
    if (differences.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << paper_fields::joined(differences);
}

// The paper as `init` prepares it before choosing.
Paper prepared(Paper paper) {
    paper.paperNameMm.clear();
    paper.widthDots = 0;
    paper.printableWidthDots = 0;
    return paper;
}

// The geometry of the worked examples and of garbled data.
constexpr Geometry kContinuous58 = {58, 0, 8, 448, 0, 24};
constexpr Geometry kLabel50 = {50, 30, 40, 384, 224, 12};
constexpr Geometry kWide102 = {102, 0, 0, 1200, 0, 0};
constexpr Geometry kOther = {20, 10, 16, 150, 80, 4};

// What a custom paper built from a body holds; the rest of the paper keeps its values.
struct Built {
    unsigned short widthDots, sideMarginDots, leftOffsetDots, leftOffsetBytes;
    unsigned short printableWidthDots, printableLengthDots, lengthValue1, feedMarginDots;
    unsigned short lengthDots;
    float widthMm, lengthMm;
};

constexpr Built kContinuous58At203 = {463, 8, 8, 1, 448, 0, 0, 24, 0, 58.0f, 0.0f};
constexpr Built kLabel50At203 = {399, 8, 40, 5, 384, 224, 224, 12, 248, 50.0f, 30.0f};
constexpr Built kWide102At300 = {1204, 2, 0, 0, 1200, 0, 0, 0, 0, 102.0f, 0.0f};

Paper withCustom(Paper paper, const Built& b) {
    paper.paperId = 254;
    paper.widthDots = b.widthDots;
    paper.sideMarginDots = b.sideMarginDots;
    paper.leftOffsetDots = b.leftOffsetDots;
    paper.leftOffsetBytes = b.leftOffsetBytes;
    paper.rightOffsetDots = 0;
    paper.printableWidthDots = b.printableWidthDots;
    paper.printableLengthDots = b.printableLengthDots;
    paper.lengthValue1 = b.lengthValue1;
    paper.feedMarginDots = b.feedMarginDots;
    paper.lengthDots = b.lengthDots;
    paper.widthMm = b.widthMm;
    paper.lengthMm = b.lengthMm;
    return paper;
}

Bytes build(CustomPaperCommandBuilder builder, const Geometry& g) {
    return withGeometry(builder, g).build();
}

struct CustomCase {
    const char* name;
    Model model;
    Bytes data;
    bool found;    // false: error 25 and the paper untouched
    Built expect;  // when found
};

std::vector<CustomCase> customCases() {
    const Model m = SN_3100;  // 203 dpi, series code '5', model code '3'
    const Bytes mine = build(commandFor(m), kContinuous58);
    const Bytes sameSeries = build(commandFor(SN_3200N), kOther);  // other model code
    const Bytes sameModelCode = build(CustomPaperCommandBuilder(0x37, 0x33), kOther);
    const Bytes headerOnly = commandFor(m).noBodyMarker().cutBodyTo(0).build();
    const Bytes noMarker = build(commandFor(m).noBodyMarker(), kContinuous58);
    // Header 16 bytes before the end: nothing may follow it.
    Bytes headerAtEnd(headerOnly.begin() + 4, headerOnly.end());
    Bytes seventeen = headerAtEnd;
    seventeen.push_back(0x00);
    // Garbled geometry: printable width above the tape's dots ((464 - 471) / 2 truncates to
    // -3), length sum above 65535, the largest head offset.
    const Geometry garbled = {58, 0, 65535, 471, 65000, 1000};
    // clang-format off
    const Built garbledAt203 = {463, 65533, 65535, 8191, 471, 65000, 65000, 1000, 1464,
                                58.0f, 0.0f};
    // clang-format on
    // The header marker 1B 69 55 4F among a body's own bytes.
    const unsigned int headerMarker = 0x4F55691B;
    // A whole command without its trailer.
    Bytes untrailed = mine;
    untrailed.resize(untrailed.size() - 4);
    // Another model's command whose printable width (720 dots) stands where a body cut to
    // 82 bytes would find its top margin.
    const Bytes wide = build(commandFor(SN_3200N), {102, 0, 0, 720, 0, 0});
    return {
        {"continuous 58 mm at 203 dpi", m, mine, true, kContinuous58At203},
        {"labels 50 mm on the other series", HU_3430, build(commandFor(HU_3430), kLabel50), true,
         kLabel50At203},
        {"102 mm at 300 dpi", SN_3300N, build(commandFor(SN_3300N), kWide102), true, kWide102At300},
        {"other models first", m, chain({sameSeries, sameModelCode, mine}), true,
         kContinuous58At203},
        {"other model after", m, chain({mine, sameSeries}), true, kContinuous58At203},
        {"own header without body, then another model's command",
         m,
         chain({headerOnly, sameSeries}),
         false,
         {}},
        {"own body unmarked, then another model's command",
         m,
         chain({noMarker, sameSeries}),
         false,
         {}},
        {"no marker anywhere", m, noMarker, false, {}},
        {"header 16 bytes before the end", m, headerAtEnd, false, {}},
        {"header 17 bytes before the end, no body", m, seventeen, false, {}},
        {"header byte 4 is 0x00", m, build(commandFor(m).headerByte4(0x00), kContinuous58), true,
         kContinuous58At203},
        {"header byte 4 is 0xFF", m, build(commandFor(m).headerByte4(0xFF), kContinuous58), true,
         kContinuous58At203},
        {"filler between header and marker", m, build(commandFor(m).gap(7, 0xAA), kContinuous58),
         true, kContinuous58At203},
        {"whole body without trailer ends the data", m, untrailed, true, kContinuous58At203},
        {"whole body without trailer, then another model's command", m,
         chain({untrailed, sameSeries}), true, kContinuous58At203},
        // A body's extent is its own: a body cut short never takes the bytes that follow it.
        {"body of 126 bytes ends the data",
         m,
         build(commandFor(m).cutBodyTo(126), kContinuous58),
         false,
         {}},
        {"body of 117 bytes ends the data",
         m,
         build(commandFor(m).cutBodyTo(117), kContinuous58),
         false,
         {}},
        {"short body, then another model's command",
         m,
         chain({build(commandFor(m).cutBodyTo(100), kContinuous58), sameSeries}),
         false,
         {}},
        {"body of 82 bytes, then another model's command",
         m,
         chain({build(commandFor(m).cutBodyTo(82), kContinuous58), wide}),
         false,
         {}},
        {"short body, then a whole command of this model",
         m,
         chain({build(commandFor(m).cutBodyTo(100), kLabel50), mine}),
         false,
         {}},
        {"header marker at body offset 32", m,
         build(commandFor(m).set("blockPos2", headerMarker), kContinuous58), true,
         kContinuous58At203},
        {"header marker at body offset 77, then another model's command", m,
         chain({build(commandFor(m).set("szSizeMM", headerMarker), kContinuous58), sameSeries}),
         true, kContinuous58At203},
        {"own header without body, then a whole command of this model",
         m,
         chain({headerOnly, build(commandFor(m), kContinuous58)}),
         false,
         {}},
        {"16 bytes", m, Bytes(mine.begin() + 4, mine.begin() + 20), false, {}},
        {"garbled geometry", m, build(commandFor(m), garbled), true, garbledAt203},
    };
}

class CustomPaperTest : public PrinterStatusTest {};

}  // namespace

TEST_F(CustomPaperTest, CommandBytesSelectTheModelsBlock) {
    for (const CustomCase& c : customCases()) {
        SCOPED_TRACE(c.name);
        TestPrinter printer(c.model);
        // Names, media bytes and colour fields: fields no custom paper sets must survive.
        printer.paper() = filledPaper();
        RasterPrintOption option;
        option.customPaperCommand = c.data;
        PrinterStatus::error_code_ = kUntouched;

        const bool found = printer.getCustomPaperinfo(option);

        EXPECT_EQ(found, c.found);
        EXPECT_EQ(errorCode(), c.found ? 1 : 25);
        const Paper expected = c.found ? withCustom(filledPaper(), c.expect) : filledPaper();
        EXPECT_TRUE(samePaper(expected, printer.paper()));
    }
}

TEST_F(CustomPaperTest, NoDataGivesErrorTwentyFive) {
    // Seventeen bytes without any header, and options with neither bytes nor a path.
    for (const Bytes& data : {Bytes(17, 0x1B), Bytes()}) {
        TestPrinter printer(SN_3100);
        RasterPrintOption option;
        option.customPaperCommand = data;
        PrinterStatus::error_code_ = kUntouched;
        EXPECT_FALSE(printer.getCustomPaperinfo(option));
        EXPECT_EQ(errorCode(), 25);
        EXPECT_TRUE(samePaper(Paper(), printer.paper()));
    }
}

TEST_F(CustomPaperTest, InitTakesTheCustomRouteBeforeAPresetPaper) {
    Paper preset = filledPaper();
    RasterPrintOption option;
    option.presetPaper = preset;
    option.checkInkColor = 1;
    option.inkColor = -1;
    option.checkLabelColor = 1;
    option.labelColor = 5;

    // No custom data: 25 and the paper as prepared; the preset is not taken.
    TestPrinter without(SN_3100);
    without.paper() = filledPaper();
    without.init(option);
    EXPECT_EQ(errorCode(), 25);
    EXPECT_TRUE(samePaper(prepared(filledPaper()), without.paper()));

    // With data: the custom paper over the prepared paper, colour fields as they were.
    option.customPaperCommand = build(commandFor(SN_3100), kContinuous58);
    TestPrinter with(SN_3100);
    with.paper() = filledPaper();
    with.init(option);
    EXPECT_EQ(errorCode(), 1);
    EXPECT_TRUE(samePaper(withCustom(prepared(filledPaper()), kContinuous58At203), with.paper()));
}

TEST_F(CustomPaperTest, FileRoute) {
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    const Bytes mine = build(commandFor(SN_3100), kContinuous58);
    const Bytes other = build(commandFor(SN_3200N), kOther);
    const std::string twoModels = dir.write("two_models.bin", chain({other, mine}));
    const std::string onlyOther = dir.write("only_other.bin", other);
    const std::string empty = dir.write("empty.bin", {});

    struct Case {
        const char* name;
        std::string path;
        Bytes command;
        bool found;
    };
    const Case cases[] = {
        {"file with two models' commands", twoModels, {}, true},
        {"missing file", dir.path() + "/missing.bin", {}, false},
        {"empty file", empty, {}, false},
        {"directory", dir.path(), {}, false},
        {"empty path", "", {}, false},
        // The command bytes win and the file is never opened.
        {"bytes and a missing file", dir.path() + "/missing.bin", mine, true},
        {"other model's bytes and a file of this model", twoModels, other, false},
        {"bytes of this model and a file of another", onlyOther, mine, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPrinter printer(SN_3100);
        printer.paper() = filledPaper();
        RasterPrintOption option;
        option.customPaperPath = c.path;
        option.customPaperCommand = c.command;
        PrinterStatus::error_code_ = kUntouched;

        EXPECT_EQ(printer.getCustomPaperinfo(option), c.found);
        EXPECT_EQ(errorCode(), c.found ? 1 : 25);
        const Paper expected =
            c.found ? withCustom(filledPaper(), kContinuous58At203) : filledPaper();
        EXPECT_TRUE(samePaper(expected, printer.paper()));
    }
}

namespace {

Paper catalogueEntry(Model model, unsigned short paperId) {
    std::map<unsigned short, Paper> papers;
    PaperBuilder().createPaperList(specOf(model), RasterPrintOption(), papers);
    return papers.at(paperId);
}

class CatalogueSelectionTest : public PrinterStatusTest {};

}  // namespace

TEST_F(CatalogueSelectionTest, PaperIdLookupAndColourChecks) {
    // FC_510: ids 1-5 and 254 at 200 dpi.
    struct Case {
        const char* name;
        Model model;
        unsigned short paperId;
        int customWidth;
        int error;
        bool fromCatalogue;  // false: the paper as prepared, colours not applied
    };
    const Case cases[] = {
        {"A4 copied whole", FC_510, 1, 0, 1, true},
        {"no paper chosen", FC_510, 255, 0, 32, false},
        {"id not in the list", FC_510, 40, 0, 32, false},
        {"custom size of 96 dots", FC_510, 254, 96, 1, true},
        {"custom size of 100 dots: 32, sizes and colours applied", FC_510, 254, 100, 32, true},
        {"custom size of -8 dots", FC_510, 254, -8, 1, true},
        {"no model", NO_MODEL, 1, 0, 32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPrinter printer(c.model);
        printer.paper() = filledPaper();
        RasterPrintOption option;
        option.paperId = c.paperId;
        option.customPaperWidth = c.customWidth;
        option.customPaperLength = 70000;  // stored modulo 65536: 4464
        option.checkInkColor = 1;
        option.inkColor = -1;
        option.checkLabelColor = 2;
        option.labelColor = 5;
        PrinterStatus::error_code_ = kUntouched;

        printer.init(option);

        EXPECT_EQ(errorCode(), c.error);
        Paper expected = prepared(filledPaper());
        if (c.fromCatalogue) {
            expected = catalogueEntry(c.model, c.paperId);
            if (c.paperId == 254) {
                expected.printableWidthDots = static_cast<unsigned short>(c.customWidth);
                expected.printableLengthDots = 4464;
                expected.lengthValue1 = 4464;
                expected.lengthDots = 4464;
            }
            expected.checkInkColor = true;
            expected.inkColor = 0xFFFF;
            expected.checkLabelColor = true;
            expected.labelColor = 5;
        }
        EXPECT_TRUE(samePaper(expected, printer.paper()));
    }
}

TEST_F(CatalogueSelectionTest, PresetPaperNeedsBothPrintableSizes) {
    Paper full = filledPaper();
    Paper widthOnly = filledPaper();
    widthOnly.printableLengthDots = 0;
    Paper lengthOnly = filledPaper();
    lengthOnly.printableWidthDots = 0;

    struct Case {
        const char* name;
        Paper preset;
        bool taken;
    };
    const Case cases[] = {
        {"both sizes", full, true},
        {"width only", widthOnly, false},
        {"length only", lengthOnly, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPrinter printer(FC_510);
        RasterPrintOption option;
        option.paperId = 2;
        option.presetPaper = c.preset;
        option.inkColor = -1;  // not applied to a preset paper
        PrinterStatus::error_code_ = kUntouched;

        printer.init(option);

        EXPECT_EQ(errorCode(), 1);
        Paper expected = c.preset;
        if (!c.taken) {
            expected = catalogueEntry(FC_510, 2);
            expected.inkColor = 0xFFFF;
        }
        EXPECT_TRUE(samePaper(expected, printer.paper()));
    }
}

TEST_F(CatalogueSelectionTest, PaperListOfACatalogueModel) {
    TestPrinter printer(FC_510);
    RasterPrintOption option;
    option.customPaperWidth = 100;  // no multiple-of-8 test in the list
    option.customPaperLength = 500;
    option.checkInkColor = 1;
    option.inkColor = -1;
    PrinterStatus::error_code_ = kUntouched;

    const std::vector<Paper> list = printer.getPaperList(option);

    EXPECT_EQ(errorCode(), kUntouched);
    std::map<unsigned short, Paper> catalogue;
    PaperBuilder().createPaperList(specOf(FC_510), option, catalogue);
    ASSERT_EQ(list.size(), 6u);
    size_t i = 0;
    for (const auto& entry : catalogue) {
        SCOPED_TRACE(entry.first);
        Paper expected = entry.second;
        if (entry.first == 254) {
            expected.printableWidthDots = 100;
            expected.printableLengthDots = 500;
            expected.lengthValue1 = 500;
            expected.lengthDots = 500;
        }
        EXPECT_TRUE(samePaper(expected, list[i++]));
    }
    EXPECT_EQ(list.back().paperId, 254);
    EXPECT_EQ(list.front().paperId, 1);
}

TEST_F(CatalogueSelectionTest, PaperListOfACustomPaperModel) {
    BasePrinter printer(SN_3100);
    RasterPrintOption option;

    // Without custom data: the empty paper of a model-only object, error 25.
    PrinterStatus::error_code_ = kUntouched;
    std::vector<Paper> list = printer.getPaperList(option);
    EXPECT_EQ(errorCode(), 25);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(samePaper(Paper(), list[0]));

    // With data: the custom paper, error 1; it also becomes the object's current paper.
    option.customPaperCommand = build(commandFor(SN_3100), kContinuous58);
    list = printer.getPaperList(option);
    EXPECT_EQ(errorCode(), 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(samePaper(withCustom(Paper(), kContinuous58At203), list[0]));

    option.customPaperCommand.clear();
    list = printer.getPaperList(option);
    EXPECT_EQ(errorCode(), 25);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].paperId, 254);
}

TEST_F(CatalogueSelectionTest, PaperListWithoutModelIsEmpty) {
    BasePrinter printer(NO_MODEL);
    RasterPrintOption option;
    PrinterStatus::error_code_ = kUntouched;
    EXPECT_TRUE(printer.getPaperList(option).empty());
    EXPECT_EQ(errorCode(), kUntouched);
}

TEST_F(CatalogueSelectionTest, PrinterSpecIsACopyOfTheModelsSpec) {
    for (Model model : {FC_510, SN_3300N, static_cast<Model>(43), NO_MODEL}) {
        SCOPED_TRACE(static_cast<int>(model));
        BasePrinter printer(model);
        EXPECT_TRUE(samePrinterSpec(specOf(model), printer.getPrinterSpec()));
    }
    BasePrinter none(static_cast<Model>(43));
    EXPECT_TRUE(samePrinterSpec(PrinterSpec(), none.getPrinterSpec()));
}
