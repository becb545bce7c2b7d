#include "catalogue/raster_print_option.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "catalogue/paper_fields.h"

namespace {

// The host's 32-bit integers are stored in these narrow fields by truncation.
static_assert(std::is_same_v<decltype(RasterPrintOption::paperId), unsigned short>);
static_assert(std::is_same_v<decltype(RasterPrintOption::halfThreshold), short>);
static_assert(std::is_same_v<decltype(RasterPrintOption::density), signed char>);
static_assert(std::is_same_v<decltype(RasterPrintOption::speed), unsigned char>);
static_assert(std::is_same_v<decltype(RasterPrintOption::colorBrightness), signed char>);
static_assert(std::is_same_v<decltype(RasterPrintOption::inkColor), signed char>);
static_assert(std::is_same_v<decltype(RasterPrintOption::labelColor), signed char>);
static_assert(std::is_same_v<decltype(RasterPrintOption::autoCutPageCount), unsigned short>);
static_assert(std::has_virtual_destructor_v<RasterPrintOption>);

TEST(RasterPrintOption, DefaultsOfEveryField) {
    const RasterPrintOption o;
    const struct {
        const char* name;
        double got;
        double expected;
    } numbers[] = {
        {"paperId", double(o.paperId), 255},
        {"orientation", double(o.orientation), 1},
        {"printMode", double(o.printMode), 1},
        {"halftone", double(o.halftone), 1},
        {"halfThreshold", double(o.halfThreshold), 128},
        {"colorBrightness", double(o.colorBrightness), 0},
        {"colorContrast", double(o.colorContrast), 0},
        {"colorRed", double(o.colorRed), 0},
        {"colorGreen", double(o.colorGreen), 0},
        {"colorBlue", double(o.colorBlue), 0},
        {"align", double(o.align), 1},
        {"valign", double(o.valign), 1},
        {"marginTop", double(o.marginTop), 0},
        {"marginLeft", double(o.marginLeft), 0},
        {"scale", o.scale, 1.0},
        {"mirrorPrint", double(o.mirrorPrint), 0},
        {"rotate180", double(o.rotate180), 0},
        {"isCutAtEnd", double(o.isCutAtEnd), 0},
        {"isAutoCut", double(o.isAutoCut), 0},
        {"autoCutPageCount", double(o.autoCutPageCount), 1},
        {"isSpecialTape", double(o.isSpecialTape), 0},
        {"isHalfCut", double(o.isHalfCut), 0},
        {"density", double(o.density), 5},
        {"speed", double(o.speed), 0},
        {"dashLine", double(o.dashLine), 0},
        {"peelMode", double(o.peelMode), 0},
        {"fcCarbon", double(o.fcCarbon), 0},
        {"mode9", double(o.mode9), 1},
        {"isCutMark", double(o.isCutMark), 0},
        {"labelMargin", double(o.labelMargin), 0},
        {"isLabelEndCut", double(o.isLabelEndCut), 0},
        {"printQuality", double(o.printQuality), 2},
        {"rollPrinterCase", double(o.rollPrinterCase), 1},
        {"paperPosition", double(o.paperPosition), 1},
        {"fcFeedMode", double(o.fcFeedMode), 1},
        {"checkPrintEnd", double(o.checkPrintEnd), 3},
        {"customPaperWidth", double(o.customPaperWidth), 0},
        {"customPaperLength", double(o.customPaperLength), 0},
        {"customFeed", double(o.customFeed), 0},
        {"spareFlag", double(o.spareFlag), 0},
        {"numberOfCopies", double(o.numberOfCopies), 1},
        {"doStatusCheck", double(o.doStatusCheck), 1},
        {"overwrite", double(o.overwrite), 1},
        {"trimTapeAfterData", double(o.trimTapeAfterData), 0},
        {"rawMode", double(o.rawMode), 0},
        {"fcPaperKind", double(o.fcPaperKind), 2},
        {"closeWaitDisusingStatusCheckSec", double(o.closeWaitDisusingStatusCheckSec), 3},
        {"useLegacyHalftoneEngine", double(o.useLegacyHalftoneEngine), 0},
        {"banishMargin", double(o.banishMargin), 0},
        {"checkInkColor", double(o.checkInkColor), 0},
        {"inkColor", double(o.inkColor), 0},
        {"checkLabelColor", double(o.checkLabelColor), 0},
        {"labelColor", double(o.labelColor), 0},
    };
    for (const auto& n : numbers) {
        EXPECT_EQ(n.got, n.expected) << n.name;
    }
    EXPECT_TRUE(o.customPaperPath.empty());
    EXPECT_TRUE(o.customPaperCommand.empty());
    EXPECT_TRUE(o.spareText1.empty());
    EXPECT_TRUE(o.spareText2.empty());
    EXPECT_TRUE(o.savePrnPath.empty());
    EXPECT_EQ(paper_fields::joined(paper_fields::differences(Paper(), o.presetPaper)), "");
}

RasterPrintOption filledOptions() {
    RasterPrintOption o;
    o.customPaperCommand = {0x1b, 0x69, 0x7a, 0x00, 0xff};
    o.customPaperPath = "/data/custom paper definition file.bin";
    o.savePrnPath = "/data/a print file with a long enough name.prn";
    o.spareText1 = "first spare text, long enough to live on the heap";
    o.spareText2 = "second spare text, long enough to live on the heap";
    o.presetPaper.paperId = 16;
    o.presetPaper.paperNameMm = "62mm continuous label with a long name";
    o.presetPaper.paperNameInch = "2.4\" continuous label with a long name";
    o.presetPaper.printableWidthDots = 696;
    o.density = -5;
    return o;
}

void expectSameOwnedContent(const RasterPrintOption& expected, const RasterPrintOption& actual) {
    EXPECT_EQ(actual.customPaperCommand, expected.customPaperCommand);
    EXPECT_EQ(actual.customPaperPath, expected.customPaperPath);
    EXPECT_EQ(actual.savePrnPath, expected.savePrnPath);
    EXPECT_EQ(actual.spareText1, expected.spareText1);
    EXPECT_EQ(actual.spareText2, expected.spareText2);
    EXPECT_EQ(
        paper_fields::joined(paper_fields::differences(expected.presetPaper, actual.presetPaper)),
        "");
    EXPECT_EQ(actual.density, expected.density);
}

TEST(RasterPrintOption, CopyOwnsItsBuffersAndOutlivesTheOriginal) {
    const RasterPrintOption reference = filledOptions();

    // Copy construction: destroying the original leaves the copy intact (the sanitizer
    // build reports any shared buffer).
    auto original = std::make_unique<RasterPrintOption>(reference);
    RasterPrintOption constructed(*original);
    original.reset();
    expectSameOwnedContent(reference, constructed);

    // Assignment: changing the copy leaves the source as it was.
    RasterPrintOption assigned;
    assigned = reference;
    assigned.customPaperCommand[0] = 0x00;
    assigned.customPaperCommand.push_back(0x42);
    assigned.presetPaper.paperNameMm[0] = 'X';
    assigned.spareText1.clear();
    expectSameOwnedContent(filledOptions(), reference);

    // Through a base pointer the virtual destructor releases everything.
    std::unique_ptr<RasterPrintOption> heap = std::make_unique<RasterPrintOption>(reference);
    RasterPrintOption fromHeap(*heap);
    heap.reset();
    expectSameOwnedContent(reference, fromHeap);
}

}  // namespace
