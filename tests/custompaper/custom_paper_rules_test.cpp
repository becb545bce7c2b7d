#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "custom_paper_fixtures.h"
#include "custompaper/custom_paper_info.h"
#include "custompaper/custom_paper_parameter_rules.h"

using custom_paper_test::Bytes;
using custom_paper_test::definition300;
using custom_paper_test::definitionWith;
using custom_paper_test::kModel;
using custom_paper_test::sizes;
using TL::CustomPaperInfo;
using TL::ErrorDetail;
using TL::PaperKind;
using TL::UnitOfLength;
using TL::UserSettingPaperInfo;

namespace {

// An accessor's result as (detail, bytes in the order the command holds them).
using Out = std::pair<ErrorDetail, Bytes>;

Out out(const std::pair<ErrorDetail, unsigned char>& r) {
    return {r.first, {r.second}};
}
Out out(const std::pair<ErrorDetail, std::tuple<unsigned char, unsigned char>>& r) {
    return {r.first, {std::get<0>(r.second), std::get<1>(r.second)}};
}
Out out(const std::pair<ErrorDetail, std::vector<unsigned char>>& r) {
    return r;
}

using Getter = std::function<Out(const CustomPaperInfo&)>;

template <typename T>
Getter get(CustomPaperInfo::ParametersAccesor<T> CustomPaperInfo::*accessor) {
    return [accessor](const CustomPaperInfo& info) { return out((info.*accessor)()); };
}

constexpr PaperKind kRoll = PaperKind::Roll;
constexpr PaperKind kDieCut = PaperKind::DieCut;
constexpr PaperKind kMarkRoll = PaperKind::MarkRoll;

CustomPaperInfo info(PaperKind kind, const UserSettingPaperInfo& s,
                     UnitOfLength unit = UnitOfLength::Mm,
                     const std::string& definition = definition300(),
                     const std::string& model = kModel) {
    return CustomPaperInfo(model, kind, unit, s, definition, "");
}

// Width, length and the side margins; the rest 0.
UserSettingPaperInfo tape(float width, float length, float right = 3, float left = 3) {
    return sizes(width, length, right, left, 0, 0, 0, 0, 0);
}

Bytes text16(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(16, 0);
    return bytes;
}

const ErrorDetail kOk = ErrorDetail::None;
const ErrorDetail kAbove = ErrorDetail::AboveMaximum;
const ErrorDetail kBelow = ErrorDetail::BelowMinimum;
const ErrorDetail kNotApplicable = ErrorDetail::NotApplicable;
const ErrorDetail kUnavailable = ErrorDetail::Unavailable;

struct Case {
    const char* name;
    CustomPaperInfo info;
    Getter accessor;
    Out expected;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Out first = c.accessor(c.info);
        EXPECT_EQ(first.first, c.expected.first);
        EXPECT_EQ(first.second, c.expected.second);
        EXPECT_EQ(c.accessor(c.info), first);  // the same pair every time
    }
}

const float kNan = std::numeric_limits<float>::quiet_NaN();

}  // namespace

// Figures at 300 dpi with a head of 1248 dots (105.7 mm), limits of the series "SN-7000D".
TEST(CustomPaperRules, TapeWidthAndLength) {
    const Getter width = get(&CustomPaperInfo::tapeWidMm);
    const Getter length = get(&CustomPaperInfo::tapeLenMm);
    const Getter roll = get(&CustomPaperInfo::rollWidMm);
    check({
        {"62 mm", info(kDieCut, tape(62, 100)), width, {kOk, {0x3E}}},
        {"114.1 mm is the maximum", info(kDieCut, tape(114.1f, 100)), width, {kOk, {0x72}}},
        {"114.2 mm", info(kDieCut, tape(114.2f, 100)), width, {kAbove, {0}}},
        {"11.9 mm", info(kDieCut, tape(11.9f, 100)), width, {kBelow, {0}}},
        {"2.44 inch", info(kDieCut, tape(2.44f, 3.94f), UnitOfLength::Inch), width, {kOk, {0x3E}}},
        {"not a number", info(kDieCut, tape(kNan, 100)), width, {kUnavailable, {0}}},
        {"model outside the tables, 62 mm",
         info(kDieCut, tape(62, 100), UnitOfLength::Mm, definition300(), "Talvora XX-1"),
         width,
         {kAbove, {0}}},
        {"model outside the tables, 0 mm",
         info(kDieCut, tape(0, 100), UnitOfLength::Mm, definition300(), "Talvora XX-1"),
         width,
         {kUnavailable, {0}}},
        {"paper kind 7", info(static_cast<PaperKind>(7), tape(62, 100)), width, {kAbove, {0}}},
        {"roll: length does not apply",
         info(kRoll, tape(62, 100)),
         length,
         {kNotApplicable, {0, 0}}},
        {"1000 mm labels", info(kDieCut, tape(62, 1000)), length, {kOk, {0xE8, 0x03}}},
        {"61.5 mm rounds up", info(kDieCut, tape(62, 61.5f)), length, {kOk, {62, 0}}},
        {"5.9 mm labels", info(kDieCut, tape(62, 5.9f)), length, {kBelow, {0, 0}}},
        {"1000.1 mm labels", info(kDieCut, tape(62, 1000.1f)), length, {kAbove, {0, 0}}},
        {"marked roll of 12 mm", info(kMarkRoll, tape(62, 12)), length, {kBelow, {0, 0}}},
        {"length not a number", info(kDieCut, tape(62, kNan)), length, {kUnavailable, {0, 0}}},
        {"roll width is not tested", info(kDieCut, tape(200, 100)), roll, {kOk, {200}}},
        {"roll width of an inch request",
         info(kRoll, tape(2.44f, 0), UnitOfLength::Inch),
         roll,
         {kOk, {62}}},
    });
}

TEST(CustomPaperRules, SideMargins) {
    const Getter right = get(&CustomPaperInfo::rightMargin);
    const Getter left = get(&CustomPaperInfo::leftMargin);
    check({
        // 110 mm is wider than the head: 2.15 mm on each side are out of reach.
        {"2 mm on 110 mm", info(kDieCut, tape(110, 100, 2, 3)), right, {kBelow, {0}}},
        {"3 mm on 110 mm, right", info(kDieCut, tape(110, 100, 3, 3)), right, {kOk, {3}}},
        {"3 mm on 110 mm, left", info(kDieCut, tape(110, 100, 3, 3)), left, {kOk, {3}}},
        {"107.7 mm on 110 mm", info(kDieCut, tape(110, 100, 107.7f, 0)), right, {kAbove, {0}}},
        // 100 mm is narrower than the head.
        {"99.9 mm on 100 mm", info(kDieCut, tape(100, 100, 99.9f, 0)), right, {kAbove, {0}}},
        {"99.8 mm on 100 mm", info(kDieCut, tape(100, 100, 99.8f, 0)), right, {kOk, {100}}},
        {"50 and 50 on 100 mm, right", info(kDieCut, tape(100, 100, 50, 50)), right, {kAbove, {0}}},
        {"50 and 50 on 100 mm, left", info(kDieCut, tape(100, 100, 50, 50)), left, {kAbove, {0}}},
        {"negative margin", info(kRoll, tape(100, 0, -1, 3)), right, {kBelow, {0}}},
        {"inch margins",
         info(kRoll, tape(2.44f, 0, 0.12f, 0.12f), UnitOfLength::Inch),
         left,
         {kOk, {3}}},
        {"margin not a number", info(kRoll, tape(100, 0, kNan, 3)), right, {kUnavailable, {0}}},
        // An invalid definition has no head: only the sum of both margins is tested.
        {"no head, 1 mm on 110 mm",
         info(kDieCut, tape(110, 100, 1, 3), UnitOfLength::Mm, ""),
         right,
         {kOk, {1}}},
        {"no head, sum above the tape",
         info(kDieCut, tape(110, 100, 60, 50), UnitOfLength::Mm, ""),
         right,
         {kAbove, {0}}},
    });
}

TEST(CustomPaperRules, HeadDotPrintWidthAndLength) {
    const Getter headDot = get(&CustomPaperInfo::headDot);
    const Getter width = get(&CustomPaperInfo::prtWidth);
    const Getter length = get(&CustomPaperInfo::prtLength);
    const UserSettingPaperInfo labels = sizes(62, 100, 3, 3, 2, 2, 3, 0, 0);
    check({
        // (2 x 35 - 1181 + 1248) / 2
        {"head dot, 3 mm on 100 mm", info(kRoll, tape(100, 0, 3, 0)), headDot, {kOk, {0x44, 0x00}}},
        {"head dot, no unit",
         info(kRoll, tape(100, 0), static_cast<UnitOfLength>(0)),
         headDot,
         {kOk, {0x70, 0x02}}},  // 1248 / 2
        {"print width, 3 and 3 mm on 110 mm",
         info(kRoll, tape(110, 0, 3, 3)),
         width,
         {kOk, {0xCD, 0x04}}},  // 1299 - 70
        {"print width of an inch request",
         info(kRoll, tape(2.44f, 0, 0.12f, 0.12f), UnitOfLength::Inch),
         width,
         {kOk, {0x94, 0x02}}},  // 732 - 2 x 36
        {"print length of 62 x 100 mm labels",
         info(kDieCut, labels),
         length,
         {kOk, {0x6D, 0x04}}},  // 1181 - 24 - 24
        {"print length of a roll", info(kRoll, labels), length, {kNotApplicable, {0, 0}}},
        {"invalid definition",
         info(kDieCut, labels, UnitOfLength::Mm, ""),
         length,
         {kUnavailable, {0, 0}}},
        // Margins that pass their rules can work out a head dot of -1: the head starts at 0.
        {"head dot below 0 is 0",
         info(kRoll, sizes(107, 0, 0.651f, 0.651f, 2, 0, 0, 0, 0), UnitOfLength::Mm,
              custom_paper_test::definition600()),
         headDot,
         {kOk, {0x00, 0x00}}},
        // A negative width (the margins fail their own tests) is not cut to FF FF.
        {"negative print width is unavailable",
         info(kRoll, tape(10, 0, 6, 6)),
         width,
         {kUnavailable, {0, 0}}},
    });
}

TEST(CustomPaperRules, TopAndBottomMargins) {
    const Getter top = get(&CustomPaperInfo::topMargin);
    const Getter bottom = get(&CustomPaperInfo::bottomMargin);
    check({
        {"2 mm top on 50 mm labels",
         info(kDieCut, sizes(62, 50, 3, 3, 2, 2, 3, 0, 0)),
         top,
         {kOk, {0x18, 0x00}}},
        {"2 mm bottom on 50 mm labels",
         info(kDieCut, sizes(62, 50, 3, 3, 2, 2, 3, 0, 0)),
         bottom,
         {kOk, {0x18, 0x00}}},
        {"25 and 24.9 mm on 50 mm labels, top",
         info(kDieCut, sizes(62, 50, 3, 3, 25, 24.9f, 3, 0, 0)),
         top,
         {kAbove, {0, 0}}},
        {"25 and 24.9 mm on 50 mm labels, bottom",
         info(kDieCut, sizes(62, 50, 3, 3, 25, 24.9f, 3, 0, 0)),
         bottom,
         {kAbove, {0, 0}}},
        {"negative top", info(kDieCut, sizes(62, 50, 3, 3, -1, 2, 3, 0, 0)), top, {kBelow, {0, 0}}},
        // On a roll the bottom follows the top, tested against the definition's margins.
        {"roll, top 5 mm: bottom gives the top's dots",
         info(kRoll, sizes(62, 0, 3, 3, 5, 40, 0, 0, 0)),
         bottom,
         {kOk, {0x3B, 0x00}}},
        {"roll, top 5 mm",
         info(kRoll, sizes(62, 0, 3, 3, 5, 40, 0, 0, 0)),
         top,
         {kOk, {0x3B, 0x00}}},
        {"roll, top 1 mm: 2 mm below 3 mm",
         info(kRoll, sizes(62, 0, 3, 3, 1, 0, 0, 0, 0)),
         top,
         {kBelow, {0, 0}}},
        {"roll, top 64 mm: 128 mm above 127 mm",
         info(kRoll, sizes(62, 0, 3, 3, 64, 0, 0, 0, 0)),
         bottom,
         {kAbove, {0, 0}}},
        {"roll in inches: 0.06 inch twice is 0.12, the minimum",
         info(kRoll, sizes(2.44f, 0, 0.12f, 0.12f, 0.06f, 0, 0, 0, 0), UnitOfLength::Inch),
         top,
         {kOk, {0x12, 0x00}}},  // 1.5 mm = 17.7 dots
        {"roll with a definition whose margin limit is not a number",
         info(kRoll, sizes(62, 0, 3, 3, 5, 0, 0, 0, 0), UnitOfLength::Mm,
              definitionWith("nMaxMargin", "nMaxMargin = nan")),
         top,
         {kUnavailable, {0, 0}}},
        {"top not a number",
         info(kDieCut, sizes(62, 50, 3, 3, kNan, 2, 3, 0, 0)),
         top,
         {kUnavailable, {0, 0}}},
        {"bottom not a number",
         info(kDieCut, sizes(62, 50, 3, 3, 2, kNan, 3, 0, 0)),
         bottom,
         {kUnavailable, {0, 0}}},
    });
    // On the series "HU-3400" the bottom of labels follows the top too.
    const CustomPaperInfo hu(std::string("Talvora HU-3430"), kDieCut, UnitOfLength::Mm,
                             sizes(62, 50, 3, 3, 2, 30, 3, 0, 0), definition300(), "");
    EXPECT_EQ(out(hu.bottomMargin()), Out(kOk, {0x18, 0x00}));
    EXPECT_EQ(out(hu.prtLength()), Out(kOk, {0x1F, 0x02}));  // 591 - 24 - 24 = 543
}

TEST(CustomPaperRules, LabelPitchAndMarks) {
    const Getter pitch = get(&CustomPaperInfo::labelPitch);
    const Getter pitchDots = get(&CustomPaperInfo::lblPitchDot);
    const Getter position = get(&CustomPaperInfo::markPosition);
    const Getter height = get(&CustomPaperInfo::markHeight);
    const auto marked = [](float markAt, float markHeight) {
        return info(kMarkRoll, sizes(62, 50, 3, 3, 2, 2, 0, markAt, markHeight));
    };
    check({
        {"pitch 3 mm",
         info(kDieCut, sizes(62, 100, 3, 3, 2, 2, 3, 0, 0)),
         pitch,
         {kOk, {0x23, 0x00}}},
        {"pitch 1.9 mm",
         info(kDieCut, sizes(62, 100, 3, 3, 2, 2, 1.9f, 0, 0)),
         pitch,
         {kBelow, {0, 0}}},
        {"pitch on a roll",
         info(kRoll, sizes(62, 0, 3, 3, 2, 2, 3, 0, 0)),
         pitch,
         {kNotApplicable, {0, 0}}},
        {"pitch not a number",
         info(kDieCut, sizes(62, 100, 3, 3, 2, 2, kNan, 0, 0)),
         pitch,
         {kUnavailable, {0, 0}}},
        {"length plus pitch in dots",
         info(kDieCut, sizes(62, 100, 3, 3, 2, 2, 3, 0, 0)),
         pitchDots,
         {kOk, {0xC0, 0x04}}},  // 1181 + 35
        {"mark at -3 mm", marked(-3, 5), position, {kOk, {0xDD, 0xFF}}},
        {"mark at 3 mm", marked(3, 5), position, {kOk, {0x23, 0x00}}},
        {"mark at -50.1 mm", marked(-50.1f, 5), position, {kBelow, {0, 0}}},
        {"mark at 50.1 mm", marked(50.1f, 5), position, {kAbove, {0, 0}}},
        {"mark at -50 mm", marked(-50, 5), position, {kOk, {0xB1, 0xFD}}},  // -591
        {"mark on labels",
         info(kDieCut, sizes(62, 50, 3, 3, 2, 2, 3, 3, 5)),
         position,
         {kNotApplicable, {0, 0}}},
        {"mark with a tape length below its limits",
         info(kMarkRoll, sizes(62, 12, 3, 3, 2, 2, 0, 3, 5)),
         position,
         {kUnavailable, {0, 0}}},
        {"mark position not a number", marked(kNan, 5), position, {kUnavailable, {0, 0}}},
        {"mark with an invalid definition",
         info(kMarkRoll, sizes(62, 50, 3, 3, 2, 2, 0, 3, 5), UnitOfLength::Mm, ""),
         position,
         {kUnavailable, {0, 0}}},
        {"mark height 5 mm", marked(3, 5), height, {kOk, {0x3B, 0x00}}},
        {"mark height 1.9 mm", marked(3, 1.9f), height, {kBelow, {0, 0}}},
        {"mark height up to the tape length", marked(3, 50), height, {kOk, {0x4F, 0x02}}},
        {"mark height above the tape length", marked(3, 50.1f), height, {kAbove, {0, 0}}},
        {"mark height on labels",
         info(kDieCut, sizes(62, 50, 3, 3, 2, 2, 3, 3, 5)),
         height,
         {kNotApplicable, {0, 0}}},
    });
}

TEST(CustomPaperRules, SizeTexts) {
    const Getter mm = get(&CustomPaperInfo::szSizeMM);
    const Getter in = get(&CustomPaperInfo::szSizeIN);
    UserSettingPaperInfo preset = tape(62, 100);
    preset.szSizeIN = "2.4\" x 3.9\"";
    UserSettingPaperInfo tooLong = tape(62, 100);
    tooLong.szSizeMM = "12345678901234567";
    UserSettingPaperInfo sixteen = tape(62, 100);
    sixteen.szSizeMM = "1234567890123456";
    const UnitOfLength inch = UnitOfLength::Inch;
    check({
        {"62 x 100 mm labels", info(kDieCut, tape(62, 100)), mm, {kOk, text16("62mm x 100mm")}},
        {"inch text of a millimetre request",
         info(kDieCut, tape(62, 100)),
         in,
         {kOk, text16("62mm x 100mm")}},
        {"62 mm roll", info(kRoll, tape(62, 100)), mm, {kOk, text16("62mm")}},
        {"inch labels",
         info(kDieCut, tape(2.44f, 3.94f), inch),
         mm,
         {kOk, text16("2.44\" x 3.94\"")}},
        {"inch roll", info(kRoll, tape(2.44f, 0), inch), in, {kOk, text16("2.44\"")}},
        {"no unit",
         info(kDieCut, tape(62, 100), static_cast<UnitOfLength>(0)),
         mm,
         {kOk, text16("")}},
        {"preset inch text serves both", info(kDieCut, preset), mm, {kOk, text16("2.4\" x 3.9\"")}},
        {"16 bytes fit", info(kDieCut, sixteen), in, {kOk, text16("1234567890123456")}},
        {"17 bytes", info(kDieCut, tooLong), mm, {kAbove, Bytes(16, 0)}},
        {"huge sizes", info(kDieCut, tape(1e30f, 1e30f)), mm, {kAbove, Bytes(16, 0)}},
    });
}

TEST(CustomPaperRules, ValuesOfThePaperDefinition) {
    const auto codes = [](const char* series, const char* model) {
        return info(kRoll, tape(62, 0), UnitOfLength::Mm,
                    definitionWith("byModelCode", std::string("byModelCode = ") + model)
                        .replace(definition300().find("bySeriesCode = 35"), 17,
                                 std::string("bySeriesCode = ") + series));
    };
    const Getter energy = get(&CustomPaperInfo::energyRank);
    const Getter series = get(&CustomPaperInfo::seriesCode);
    const Getter sensor = get(&CustomPaperInfo::sensorID);
    const Getter dieStart = get(&CustomPaperInfo::dieStartPlus);
    const CustomPaperInfo empty = info(kRoll, tape(62, 0), UnitOfLength::Mm, "");
    check({
        {"energy of series 35 model 41", codes("35", "41"), energy, {kOk, {15}}},
        {"energy of series 35 model 37", codes("35", "37"), energy, {kOk, {15}}},
        {"energy of series 35 model 36", codes("35", "36"), energy, {kOk, {7}}},
        {"energy of series 34 model 41", codes("34", "41"), energy, {kOk, {7}}},
        {"energy of series 135 model 41: low byte", codes("135", "41"), energy, {kOk, {15}}},
        {"series code 135: low byte", codes("135", "41"), series, {kOk, {0x35}}},
        {"sensor id", info(kRoll, tape(62, 0)), sensor, {kOk, {1}}},
        // A negative constant goes out as all ones; one too large for its field is
        // unavailable, never cut to its low bits.
        {"negative sensor id",
         info(kRoll, tape(62, 0), UnitOfLength::Mm, definitionWith("nSensorID", "nSensorID = -3")),
         sensor,
         {kOk, {0xFF}}},
        {"sensor id 256",
         info(kRoll, tape(62, 0), UnitOfLength::Mm, definitionWith("nSensorID", "nSensorID = 256")),
         sensor,
         {kUnavailable, {0}}},
        {"sensor id 255",
         info(kRoll, tape(62, 0), UnitOfLength::Mm, definitionWith("nSensorID", "nSensorID = 255")),
         sensor,
         {kOk, {0xFF}}},
        {"negative head divide",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("byHeadDivide", "byHeadDivide = -1")),
         get(&CustomPaperInfo::headDivide),
         {kOk, {0xFF}}},
        {"head divide 256",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("byHeadDivide", "byHeadDivide = 256")),
         get(&CustomPaperInfo::headDivide),
         {kUnavailable, {0}}},
        {"die start 8", info(kRoll, tape(62, 0)), dieStart, {kOk, {8, 0}}},
        {"die start -2.7",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("nDieStartPlus", "nDieStartPlus = -2.7")),
         dieStart,
         {kOk, {0xFF, 0xFF}}},
        {"die start -1e30",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("nDieStartPlus", "nDieStartPlus = -1e30")),
         dieStart,
         {kOk, {0xFF, 0xFF}}},
        {"die start not a number",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("nDieStartPlus", "nDieStartPlus = nan")),
         dieStart,
         {kUnavailable, {0, 0}}},
        {"die start 1e30",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("nDieStartPlus", "nDieStartPlus = 1e30")),
         dieStart,
         {kUnavailable, {0, 0}}},
        {"die start 65535.9",
         info(kRoll, tape(62, 0), UnitOfLength::Mm,
              definitionWith("nDieStartPlus", "nDieStartPlus = 65535.9")),
         dieStart,
         {kOk, {0xFF, 0xFF}}},
        {"sensing type of a marked roll",
         info(kMarkRoll, tape(62, 50)),
         get(&CustomPaperInfo::sensingType),
         {kOk, {2}}},
        {"sensing type of paper kind 0",
         info(static_cast<PaperKind>(0), tape(62, 50)),
         get(&CustomPaperInfo::sensingType),
         {kUnavailable, {0}}},
    });
    // An empty definition: the codes are missing, every definition value unavailable.
    EXPECT_EQ(out(empty.seriesCode()), Out(ErrorDetail::CodeMissing, {0}));
    EXPECT_EQ(out(empty.modelCode()), Out(ErrorDetail::CodeMissing, {0}));
    for (const Getter& g : {get(&CustomPaperInfo::energyRank), get(&CustomPaperInfo::sensorID),
                            get(&CustomPaperInfo::headDivide)}) {
        EXPECT_EQ(g(empty), Out(kUnavailable, {0}));
    }
    for (const Getter& g :
         {get(&CustomPaperInfo::dieStartPlus), get(&CustomPaperInfo::markNoChkValu),
          get(&CustomPaperInfo::headDot), get(&CustomPaperInfo::prtWidth),
          get(&CustomPaperInfo::prtLength), get(&CustomPaperInfo::lblPitchDot),
          get(&CustomPaperInfo::markPosition)}) {
        EXPECT_EQ(g(empty), Out(kUnavailable, {0, 0}));
    }
    // The limit rules still apply, and their dots are 0 without a resolution.
    EXPECT_EQ(out(empty.tapeWidMm()), Out(kOk, {62}));
    const CustomPaperInfo emptyLabels =
        info(kDieCut, sizes(62, 50, 3, 3, 2, 2, 3, 0, 0), UnitOfLength::Mm, "");
    EXPECT_EQ(out(emptyLabels.topMargin()), Out(kOk, {0, 0}));
    EXPECT_EQ(out(emptyLabels.labelPitch()), Out(kOk, {0, 0}));
}

TEST(CustomPaperRules, AccessorsHoldTheirOwnInputs) {
    const UserSettingPaperInfo labels = sizes(62, 100, 3, 3, 2, 2, 3, 0, 0);
    CustomPaperInfo original = info(kDieCut, labels);
    const CustomPaperInfo::PairAccessor copy = original.prtLength;
    const auto before = original.prtLength();
    // Changing the request after construction changes no accessor.
    original.userSettingPaperInfo.tapeLength = 500;
    original.definitionText.clear();
    EXPECT_EQ(original.prtLength(), before);
    EXPECT_EQ(copy(), before);
    // Any order of invocation gives the same pairs.
    const CustomPaperInfo fresh = info(kDieCut, labels);
    const auto width = fresh.prtWidth();
    (void)fresh.bottomMargin();
    (void)fresh.szSizeIN();
    EXPECT_EQ(fresh.prtWidth(), width);
    // An accessor without a function yields Unavailable instead of throwing.
    const CustomPaperInfo::ByteAccessor none;
    EXPECT_EQ(none().first, kUnavailable);
}

TEST(CustomPaperRules, HugeAndNonFiniteLengthsStayDefined) {
    // Values far beyond every limit reach the dot arithmetic of the untested accessors.
    const float inf = std::numeric_limits<float>::infinity();
    for (const float v : {1e30f, -1e30f, inf, -inf, kNan, 3e38f}) {
        SCOPED_TRACE(v);
        for (const UnitOfLength unit : {UnitOfLength::Mm, UnitOfLength::Inch}) {
            const CustomPaperInfo i = info(kDieCut, sizes(v, v, v, v, v, v, v, v, v), unit);
            (void)i.headDot();
            (void)i.prtWidth();
            (void)i.prtLength();
            (void)i.lblPitchDot();
            (void)i.rollWidMm();
            (void)i.szSizeMM();
            EXPECT_NE(i.tapeWidMm().first, kOk);
            EXPECT_NE(i.tapeLenMm().first, kOk);
            EXPECT_NE(i.labelPitch().first, kOk);
        }
    }
    EXPECT_EQ(TL::convertToHexadecimalFromDecimal(0), 0);
    EXPECT_EQ(TL::convertToHexadecimalFromDecimal(1000), 1000);
    EXPECT_EQ(TL::convertToHexadecimalFromDecimal(-1), 2147483647);
    EXPECT_EQ(TL::convertToHexadecimalFromDecimal(-2147483647 - 1), 2147483647);
}
