#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/printer_spec.h"
#include "connection/printer_status.h"
#include "custom_paper_fixtures.h"
#include "custompaper/custom_paper_info_command.h"
#include "custompaper/custom_paper_info_command_creator.h"
#include "support/model_spec.h"
#include "support/printer_status_fixture.h"
#include "support/test_printer.h"

using custom_paper_test::Bytes;
using custom_paper_test::definition300;
using custom_paper_test::definitionWith;
using custom_paper_test::dieCut62x100;
using custom_paper_test::kModel;
using custom_paper_test::sizes;
using TL::CustomPaperErrorList;
using TL::CustomPaperInfoCommandCreator;
using TL::ErrorDetail;
using TL::ErrorParameter;
using TL::PaperKind;
using TL::UnitOfLength;
using TL::UserSettingPaperInfo;

namespace layout = custom_paper_layout;

namespace {

CustomPaperInfoCommandCreator creator(PaperKind kind, const UserSettingPaperInfo& s,
                                      const std::string& definition = definition300(),
                                      const std::string& model = kModel,
                                      UnitOfLength unit = UnitOfLength::Mm) {
    return CustomPaperInfoCommandCreator(model, kind, unit, s, definition, "");
}

// Error pairs as plain numbers, as the host receives them.
std::vector<std::pair<int, int>> pairs(const CustomPaperErrorList& list) {
    std::vector<std::pair<int, int>> out;
    for (const auto& [parameter, detail] : list) {
        out.emplace_back(static_cast<int>(parameter), static_cast<int>(detail));
    }
    return out;
}

using Pairs = std::vector<std::pair<int, int>>;
const Pairs kClean = {{0, 0}};

void append(Bytes& bytes, std::initializer_list<unsigned char> more) {
    bytes.insert(bytes.end(), more);
}

void appendText16(Bytes& bytes, const std::string& text) {
    Bytes field(text.begin(), text.end());
    field.resize(16, 0);
    bytes.insert(bytes.end(), field.begin(), field.end());
}

unsigned int le16(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

}  // namespace

TEST(CustomPaperCommand, LabelsWithinTheirLimitsGiveTheWholeCommand) {
    Bytes expected;
    append(expected, {0x1B, 0x69, 0x61, 0x01});                        // raster command mode
    append(expected, {0x1B, 0x69, 0x55, 0x4F, 0x10, 0x35, 0x39, 0x00,  // header
                      0x84, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    append(expected, {0x1B, 0x69, 0x55, 0x77, 0x01});  // body marker
    append(expected, {0x01,                            // sensorID
                      0x0F,                            // energyRank of series 35, model 39
                      0x3E,                            // tapeWidMm 62
                      0x64, 0x00,                      // tapeLenMm 100
                      0x3E,                            // rollWidMm
                      0x25, 0x01,                      // headDot (2 x 35 - 732 + 1248) / 2 = 293
                      0x96, 0x02,                      // prtWidth 732 - 35 - 35 = 662
                      0x6D, 0x04,                      // prtLength 1181 - 24 - 24 = 1133
                      0x02,                            // headDivide
                      0x08, 0x00});                    // dieStartPlus
    expected.insert(expected.end(), 6, 0x00);  // dieStartRevPlus, dieStartFwdPlus, afterFeedPlus
    append(expected, {0x01, 0x02});            // pafMediaID
    expected.insert(expected.end(), 9 + 18 + 27, 0x00);  // blockPos1..3
    appendText16(expected, "62mm x 100mm");              // szSizeMM
    appendText16(expected, "62mm x 100mm");              // szSizeIN
    append(expected, {0x00, 0x00,                        // charAtrInfo
                      0xC0, 0x04,                        // lblPitchDot 1181 + 35
                      0x00, 0x00,                        // markNoChkValu
                      0x18, 0x00,                        // topMargin 24
                      0x00, 0x00,                        // markPosition: not on labels
                      0x00, 0x00,                        // markHeight: not on labels
                      0x01,                              // sensingType: die-cut
                      0x18, 0x00,                        // bottomMargin 24
                      0x00, 0x00, 0x00});
    append(expected, {0x1B, 0x69, 0x61, 0xFF});  // default command mode
    ASSERT_EQ(expected.size(), layout::kCommandLength);

    const CustomPaperInfoCommandCreator c = creator(PaperKind::DieCut, dieCut62x100());
    const auto [errors, bytes] = c.createCustomPaperInfoCommandAllRelated();
    EXPECT_EQ(pairs(errors), kClean);
    EXPECT_EQ(bytes, expected);
    // The same result again, and the inner builders agree with it.
    EXPECT_EQ(c.createCustomPaperInfoCommandAllRelated().second, expected);
    EXPECT_EQ(c.createHeaderCommandAndCustomPaperInfoCommand().second,
              Bytes(expected.begin() + 4, expected.end() - 4));
    EXPECT_EQ(c.createCustomPaperInfoCommand(1).second,
              Bytes(expected.begin() + 20, expected.end() - 4));
}

TEST(CustomPaperCommand, RollWritesZerosForWhatDoesNotApply) {
    const auto [errors, bytes] = creator(PaperKind::Roll, sizes(62, 0, 3, 3, 5, 0, 0, 0, 0))
                                     .createCustomPaperInfoCommandAllRelated();
    ASSERT_EQ(pairs(errors), kClean);
    ASSERT_EQ(bytes.size(), layout::kCommandLength);
    const std::size_t body = layout::kBodyOffset;
    EXPECT_EQ(le16(bytes, body + layout::kTapeLenMm.offset), 0u);
    EXPECT_EQ(le16(bytes, body + layout::kPrtLength.offset), 0u);
    EXPECT_EQ(le16(bytes, body + layout::kLblPitchDot.offset), 0u);
    EXPECT_EQ(le16(bytes, body + layout::kTopMargin.offset), 59u);
    EXPECT_EQ(le16(bytes, body + layout::kBottomMargin.offset), 59u);  // follows the top
    EXPECT_EQ(bytes[body + layout::kSensingType.offset], 0);
    EXPECT_EQ(bytes[body + layout::kSzSizeMm.offset + 4], 0);  // "62mm" alone
    EXPECT_EQ(le16(bytes, body + layout::kPafMediaId.offset), 0x0201u);
}

TEST(CustomPaperCommand, ErrorListsNameEveryFailingValueInFieldOrder) {
    const UserSettingPaperInfo labels = dieCut62x100();
    UserSettingPaperInfo wideAndShort = sizes(114.2f, 5.9f, 5, 5, 2, 2, 3, 0, 0);
    UserSettingPaperInfo rightOnly = labels;
    rightOnly.tapeWidth = 110;
    rightOnly.rightMargin = 2;
    UserSettingPaperInfo lowPitch = labels;
    lowPitch.labelPitch = 1.9f;
    UserSettingPaperInfo everything = sizes(200, 2000, 150, 3, -1, -1, 0, 0, 0);
    struct Case {
        const char* name;
        CustomPaperInfoCommandCreator c;
        Pairs errors;
    };
    const Case cases[] = {
        {"tape width above and length below",
         creator(PaperKind::DieCut, wideAndShort),
         {{1, 2}, {2, 3}}},
        {"right margin fails, left passes",
         creator(PaperKind::DieCut, rightOnly),
         {{3, 3}, {4, 0}}},
        {"label pitch below its minimum", creator(PaperKind::DieCut, lowPitch), {{7, 3}}},
        {"many values at once",
         creator(PaperKind::DieCut, everything),
         {{1, 2}, {2, 2}, {3, 0}, {4, 3}, {7, 3}, {5, 3}, {6, 3}}},
        {"marked roll: mark outside the tape",
         creator(PaperKind::MarkRoll, sizes(62, 50, 3, 3, 2, 2, 0, 50.1f, 60)),
         {{8, 2}, {9, 2}}},
        {"model outside the limit tables",
         creator(PaperKind::Roll, sizes(62, 0, 3, 3, 0, 0, 0, 0, 0), definition300(),
                 "Talvora XX-1"),
         {{1, 2}, {2, 1}, {3, 2}, {4, 2}, {7, 1}, {5, 1}, {6, 1}}},
        {"empty paper definition",
         creator(PaperKind::Roll, sizes(62, 0, 3, 3, 0, 0, 0, 0, 0), ""),
         {{-1, 1}, {12, 1}, {-1, 1}, {-1, 1}, {-1, 1}, {8, 1}}},
        {"paper kind 0",
         creator(static_cast<PaperKind>(0), sizes(0, 0, 0, 0, 0, 0, 0, 0, 0)),
         {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {7, 1}, {5, 1}, {-1, 1}, {6, 1}}},
        {"tape width not a number",
         creator(PaperKind::DieCut, sizes(NAN, 100, 3, 3, 2, 2, 3, 0, 0)),
         {{1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [errors, bytes] = c.c.createCustomPaperInfoCommandAllRelated();
        EXPECT_EQ(pairs(errors), c.errors);
        EXPECT_TRUE(bytes.empty());
        // The body alone is complete even with errors, and carries the same pairs.
        const auto body = c.c.createCustomPaperInfoCommand(1);
        EXPECT_EQ(body.second.size(), layout::kHeaderBodyLength);
        EXPECT_EQ(pairs(body.first), c.errors);
    }
}

// A paper definition whose values cannot be written as they are makes no command: nothing
// is cut to its low bits, and a resolution of 0 does not pass for a paper of 0 dots.
TEST(CustomPaperCommand, UnwritableDefinitionValuesMakeNoCommand) {
    const UserSettingPaperInfo labels = dieCut62x100();
    const UserSettingPaperInfo roll = sizes(62, 0, 3, 3, 5, 5, 0, 0, 0);
    const auto emptyDefinition =
        pairs(creator(PaperKind::DieCut, labels, "").createCustomPaperInfoCommand(1).first);
    struct Case {
        const char* name;
        CustomPaperInfoCommandCreator c;
        Pairs errors;
    };
    const Case cases[] = {
        {"die start beyond 16 bits",
         creator(PaperKind::DieCut, labels,
                 definitionWith("nDieStartPlus", "nDieStartPlus = 65536")),
         {{-1, 1}}},
        {"sensor id above a byte",
         creator(PaperKind::DieCut, labels, definitionWith("nSensorID", "nSensorID = 256")),
         {{-1, 1}}},
        {"head divide above a byte",
         creator(PaperKind::DieCut, labels, definitionWith("byHeadDivide", "byHeadDivide = 300")),
         {{-1, 1}}},
        {"resolution 0",
         creator(PaperKind::DieCut, labels,
                 definitionWith("wResolutions", "wResolutions = 0,0,600,300")),
         emptyDefinition},
        {"resolution without a number",
         creator(PaperKind::DieCut, labels, definitionWith("wResolutions", "wResolutions = x,y")),
         emptyDefinition},
        {"negative resolution",
         creator(PaperKind::DieCut, labels,
                 definitionWith("wResolutions", "wResolutions = -300,300")),
         emptyDefinition},
        // A negative least margin lets a negative top margin pass on a roll; its dots are
        // negative and cannot be written.
        {"negative top margin on a roll",
         creator(PaperKind::Roll, sizes(62, 0, 3, 3, -0.4f, 0, 0, 0, 0),
                 definitionWith("nMinMargin", "nMinMargin = -50")),
         {{5, 1}, {6, 1}}},
        // A head of 200000 dots puts the head dot beyond 16 bits; no other value fails.
        {"head dot beyond 16 bits",
         creator(PaperKind::Roll, roll, definitionWith("dwHeadPinNum", "dwHeadPinNum = 200000")),
         {{-1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [errors, bytes] = c.c.createCustomPaperInfoCommandAllRelated();
        EXPECT_EQ(pairs(errors), c.errors);
        EXPECT_TRUE(bytes.empty());
    }
    EXPECT_EQ(emptyDefinition.front(), std::make_pair(-1, 1));
    // The same texts with writable values make the command.
    EXPECT_EQ(pairs(creator(PaperKind::Roll, roll).createCustomPaperInfoCommandAllRelated().first),
              kClean);
    EXPECT_EQ(pairs(creator(PaperKind::DieCut, labels,
                            definitionWith("nDieStartPlus", "nDieStartPlus = 0"))
                        .createCustomPaperInfoCommandAllRelated()
                        .first),
              kClean);
}

// Negative constants of the paper definition go out as all ones, and a head dot that works
// out below 0 as 0: the command is made.
TEST(CustomPaperCommand, NegativeConstantsAndAHeadDotBelowZeroAreWritten) {
    const UserSettingPaperInfo labels = dieCut62x100();
    struct Case {
        const char* name;
        CustomPaperInfoCommandCreator c;
        layout::BodyField field;
        Bytes value;
    };
    const Case cases[] = {
        {"die start -2.7",
         creator(PaperKind::DieCut, labels,
                 definitionWith("nDieStartPlus", "nDieStartPlus = -2.7")),
         layout::kDieStartPlus,
         {0xFF, 0xFF}},
        {"sensor id -3",
         creator(PaperKind::DieCut, labels, definitionWith("nSensorID", "nSensorID = -3")),
         layout::kSensorId,
         {0xFF}},
        {"head divide -1",
         creator(PaperKind::DieCut, labels, definitionWith("byHeadDivide", "byHeadDivide = -1")),
         layout::kHeadDivide,
         {0xFF}},
        // 600 dpi, 2496 head dots, a 107 mm roll, side margins 0.651 mm, top 2 mm: the head
        // dot works out as (2 x 15 - 2528 + 2496) / 2 = -1.
        {"head dot -1",
         creator(PaperKind::Roll, sizes(107, 0, 0.651f, 0.651f, 2, 0, 0, 0, 0),
                 custom_paper_test::definition600()),
         layout::kHeadDot,
         {0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [errors, bytes] = c.c.createCustomPaperInfoCommandAllRelated();
        EXPECT_EQ(pairs(errors), kClean);
        EXPECT_EQ(bytes.size(), layout::kCommandLength);
        if (bytes.size() != layout::kCommandLength) {
            continue;
        }
        const auto at =
            bytes.begin() + static_cast<std::ptrdiff_t>(layout::kBodyOffset + c.field.offset);
        EXPECT_EQ(Bytes(at, at + static_cast<std::ptrdiff_t>(c.field.width)), c.value);
    }
}

TEST(CustomPaperCommand, CodesOfZeroGiveOneHeaderError) {
    const UserSettingPaperInfo labels = dieCut62x100();
    for (const char* value : {"0", "zz", "100", "0x00"}) {
        SCOPED_TRACE(value);
        const auto c =
            creator(PaperKind::DieCut, labels,
                    definitionWith("bySeriesCode", std::string("bySeriesCode = ") + value));
        const auto [errors, bytes] = c.createCustomPaperInfoCommandAllRelated();
        EXPECT_EQ(pairs(errors), Pairs({{-1, 1}}));
        EXPECT_TRUE(bytes.empty());
        // The body itself is clean.
        EXPECT_EQ(pairs(c.createCustomPaperInfoCommand(1).first), kClean);
    }
    const auto c =
        creator(PaperKind::DieCut, labels, definitionWith("byModelCode", "byModelCode = 0"));
    EXPECT_EQ(pairs(c.createHeaderCommandAndCustomPaperInfoCommand().first), Pairs({{-1, 1}}));
}

TEST(CustomPaperCommand, FieldAndHeaderBuilders) {
    const CustomPaperInfoCommandCreator c = creator(PaperKind::DieCut, dieCut62x100());
    Bytes bytes = {0xAA};
    CustomPaperErrorList errors;
    c.setCustomPaperInfoParameter("tapeWidth", bytes, errors);  // not a field name
    EXPECT_EQ(bytes, Bytes({0xAA, 0x00}));
    EXPECT_EQ(pairs(errors), Pairs({{-1, 1}}));
    c.setCustomPaperInfoParameter("tapeLenMm", bytes, errors);
    EXPECT_EQ(bytes, Bytes({0xAA, 0x00, 0x64, 0x00}));
    c.setCustomPaperInfoParameter("pafMediaID", bytes, errors);
    c.setCustomPaperInfoParameter("blockPos2", bytes, errors);
    EXPECT_EQ(bytes.size(), 4u + 2u + 18u);
    EXPECT_EQ(pairs(errors), Pairs({{-1, 1}}));

    const Bytes length = c.devideUint32DataInto4Uint8Data(0x12345678);
    EXPECT_EQ(length, Bytes({0x78, 0x56, 0x34, 0x12}));
    const auto header = c.createHeaderCommnad(0x35, 0x39, length);
    EXPECT_TRUE(header.first);
    EXPECT_EQ(header.second, Bytes({0x1B, 0x69, 0x55, 0x4F, 0x10, 0x35, 0x39, 0x00, 0x78, 0x56,
                                    0x34, 0x12, 0x00, 0x00, 0x00, 0x00}));
    const auto shortLength = c.createHeaderCommnad(0x35, 0x39, Bytes({1, 2, 3}));
    EXPECT_FALSE(shortLength.first);
    EXPECT_EQ(Bytes(shortLength.second.begin() + 8, shortLength.second.begin() + 12),
              Bytes(4, 0x00));
    EXPECT_FALSE(c.createHeaderCommnad(0x00, 0x39, length).first);
    EXPECT_FALSE(c.createHeaderCommnad(0x35, 0x00, length).first);
}

namespace {

class CustomPaperSelectionTest : public PrinterStatusTest {};

// A paper-definition text for the model's own codes and resolution.
std::string definitionFor(Model model, int headDots) {
    const PrinterSpec spec = specOf(model);
    char codes[64];
    std::snprintf(codes, sizeof codes, "bySeriesCode = %x\nbyModelCode = %x\n", spec.seriesCode,
                  spec.modelCode);
    const std::string text =
        "nSensorID = 1\ndwHeadPinNum = " + std::to_string(headDots) +
        "\nwResolutionNum = 1\nwResolutions = " + std::to_string(spec.dpi) + "," +
        std::to_string(spec.dpi) + "\n" + codes +
        "byHeadDivide = 1\nnDieStartPlus = 0\nnMinPaperLength = 60\nnMaxPaperLength = 10000\n"
        "nMinMargin = 30\nnMaxMargin = 1270\n";
    return text;
}

}  // namespace

TEST_F(CustomPaperSelectionTest, PaperSelectionReadsTheEncodedCommandBack) {
    struct Case {
        const char* name;
        Model model;
        const char* modelName;
        int headDots;
        PaperKind kind;
        UserSettingPaperInfo sizes;
    };
    const Case cases[] = {
        {"labels on a 300 dpi model", SN_7500D, "Talvora SN-7500D", 1248, PaperKind::DieCut,
         dieCut62x100()},
        {"roll on a 203 dpi model", SN_7400D, "Talvora SN-7400D", 832, PaperKind::Roll,
         sizes(58, 0, 3, 3, 5, 0, 0, 0, 0)},
        {"marked roll on the other series", HU_3430, "Talvora HU-3430", 832, PaperKind::MarkRoll,
         sizes(100, 150, 2, 2, 3, 3, 0, -4, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [errors, command] =
            creator(c.kind, c.sizes, definitionFor(c.model, c.headDots), c.modelName)
                .createCustomPaperInfoCommandAllRelated();
        ASSERT_EQ(pairs(errors), kClean);
        const std::size_t body = layout::kBodyOffset;

        TestPrinter printer(c.model);
        RasterPrintOption option;
        option.customPaperCommand = command;
        printer.init(option);

        EXPECT_EQ(PrinterStatus::error_code_.load(), 1);
        const Paper& paper = printer.paper();
        EXPECT_EQ(paper.paperId, 254);
        EXPECT_EQ(paper.widthMm, static_cast<float>(command[body + layout::kTapeWidMm.offset]));
        EXPECT_EQ(paper.widthMm, c.sizes.tapeWidth);
        EXPECT_EQ(paper.lengthMm, c.kind == PaperKind::Roll ? 0.0f : c.sizes.tapeLength);
        EXPECT_EQ(paper.leftOffsetDots, le16(command, body + layout::kHeadDot.offset));
        EXPECT_EQ(paper.printableWidthDots, le16(command, body + layout::kPrtWidth.offset));
        EXPECT_EQ(paper.printableLengthDots, le16(command, body + layout::kPrtLength.offset));
        EXPECT_EQ(paper.feedMarginDots, le16(command, body + layout::kTopMargin.offset));
        EXPECT_GT(paper.printableWidthDots, 0);
    }

    // Another model of the same series finds no block of its own in that command.
    const auto command = creator(PaperKind::DieCut, dieCut62x100(), definitionFor(SN_7500D, 1248),
                                 "Talvora SN-7500D")
                             .createCustomPaperInfoCommandAllRelated()
                             .second;
    TestPrinter other(SN_7400D);
    RasterPrintOption option;
    option.customPaperCommand = command;
    other.init(option);
    EXPECT_EQ(PrinterStatus::error_code_.load(), 25);
}
