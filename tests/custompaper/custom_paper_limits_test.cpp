#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "custom_paper_limit_fixture.h"
#include "custompaper/custom_paper_info_parameters_calculator.h"
#include "custompaper/custom_paper_info_parameters_data.h"
#include "custompaper/custom_paper_info_parameters_default.h"

using TL::CustomPaperInfoParametersCalculator;
using TL::CustomPaperInfoParametersData;
using TL::ErrorDetail;
using TL::PaperKind;
using TL::UnitOfLength;

namespace {

const char* const kNames[] = {"tapeWidMm",  "tapeLenMm",    "rightMargin",
                              "leftMargin", "topMargin",    "bottomMargin",
                              "labelPitch", "markPosition", "markHeight"};

std::tuple<float, float, ErrorDetail> lookup(const std::string& model, int kind, int unit,
                                             const std::string& name) {
    return CustomPaperInfoParametersCalculator().getMaxValueAndMinValue(
        model, static_cast<PaperKind>(kind), static_cast<UnitOfLength>(unit), name, "", "");
}

constexpr int kRoll = 1, kDieCut = 2, kMarkRoll = 3;
constexpr int kInch = 1, kMm = 2;

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(", ", start);
        out.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 2;
    }
    return out;
}

using LimitKey = std::tuple<std::string, std::string, std::string>;  // name, kind, unit

// The 54 limits of a series: the base table with the series' own rows laid over it.
std::map<LimitKey, limit_fixture::Cell> expandSeries(const limit_fixture::Series& series) {
    std::map<LimitKey, limit_fixture::Cell> out;
    const auto lay = [&out](const limit_fixture::Row& row) {
        for (const std::string& name : splitList(row.names)) {
            for (const std::string& kind : splitList(row.kinds)) {
                out[{name, kind, "Mm"}] = row.mm;
                out[{name, kind, "Inch"}] = row.inch;
            }
        }
    };
    for (const limit_fixture::Row& row : limit_fixture::kSN7000D) {
        lay(row);
    }
    for (int i = 0; i < series.changeCount; ++i) {
        lay(series.changes[i]);
    }
    return out;
}

}  // namespace

TEST(CustomPaperLimits, LookupBySeries) {
    struct Case {
        const char* model;
        int kind;
        int unit;
        const char* name;
        float maximum;
        float minimum;
        ErrorDetail detail;
    };
    // clang-format off
    const Case cases[] = {
        {"Talvora SN-7400D",    kDieCut,   kMm,   "tapeLenMm",    1000.0f, 6.0f,    ErrorDetail::None},
        {"Talvora SN-7500D",    kRoll,     kMm,   "tapeWidMm",    114.1f,  12.0f,   ErrorDetail::None},
        {"Talvora SN-7410DN",   kRoll,     kInch, "tapeLenMm",    0.0f,    0.0f,    ErrorDetail::NotApplicable},
        {"Talvora HU-3430",     kMarkRoll, kInch, "tapeLenMm",    39.37f,  1.0f,    ErrorDetail::None},
        {"Talvora HU-3620B",    kMarkRoll, kInch, "tapeLenMm",    39.37f,  0.5f,    ErrorDetail::None},
        {"Talvora HU-3430",     kDieCut,   kMm,   "tapeWidMm",    104.0f,  12.0f,   ErrorDetail::None},
        {"Talvora SN-7100N",    kDieCut,   kMm,   "tapeWidMm",    106.0f,  12.0f,   ErrorDetail::None},
        {"Talvora SN-7000",     kRoll,     kInch, "tapeWidMm",    4.17f,   0.47f,   ErrorDetail::None},
        {"Talvora SN-7000",     kDieCut,   kMm,   "labelPitch",   1000.0f, 2.0f,    ErrorDetail::None},
        {"Talvora HU-3440",     kRoll,     kInch, "bottomMargin", 0.0f,    0.0f,    ErrorDetail::SameAsTopMargin},
        {"Talvora SN-7510DN",   kDieCut,   kMm,   "bottomMargin", 0.0f,    0.0f,    ErrorDetail::DependentLimit},
        {"Talvora HU-3430Ai",   kDieCut,   kMm,   "bottomMargin", 0.0f,    0.0f,    ErrorDetail::SameAsTopMargin},
        {"Talvora SN-7000",     kDieCut,   kInch, "bottomMargin", 0.0f,    0.0f,    ErrorDetail::SameAsTopMargin},
        {"Talvora SN-7000",     kMarkRoll, kInch, "bottomMargin", 0.0f,    0.0f,    ErrorDetail::NotApplicable},
        {"Talvora SN-7550DNWB", kMarkRoll, kMm,   "markHeight",   0.0f,    2.0f,    ErrorDetail::DependentLimit},
        {"Talvora HU-3650WB",   kMarkRoll, kInch, "markPosition", 39.37f,  -39.37f, ErrorDetail::None},
        {"Talvora HU-3650WB",   kDieCut,   kInch, "labelPitch",   39.37f,  0.078f,  ErrorDetail::None},
        {"Talvora SN-7400D",    kRoll,     kMm,   "rightMargin",  0.0f,    0.0f,    ErrorDetail::DependentLimit},
        {"Talvora SN-7400D",    kDieCut,   kMm,   "markHeight",   0.0f,    0.0f,    ErrorDetail::NotApplicable},
        // Outside the map, the enumerations or the names: no row.
        {"SN-7400D",            kDieCut,   kMm,   "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora sn-7400D",    kDieCut,   kMm,   "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D ",   kDieCut,   kMm,   "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D",    0,         kMm,   "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D",    4,         kMm,   "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D",    kDieCut,   0,     "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D",    kDieCut,   3,     "tapeWidMm",    0.0f,    0.0f,    ErrorDetail::Unavailable},
        {"Talvora SN-7400D",    kDieCut,   kMm,   "tapeWidth",    0.0f,    0.0f,    ErrorDetail::Unavailable},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.name);
        const auto [maximum, minimum, detail] = lookup(c.model, c.kind, c.unit, c.name);
        EXPECT_EQ(maximum, c.maximum);
        EXPECT_EQ(minimum, c.minimum);
        EXPECT_EQ(detail, c.detail);
    }
}

TEST(CustomPaperLimits, MarkedRollDoesNotApplyOnTheSN7000Series) {
    for (const char* model : {"Talvora SN-7000", "Talvora SN-7100N"}) {
        for (const char* name : kNames) {
            SCOPED_TRACE(std::string(model) + " " + name);
            EXPECT_EQ(lookup(model, kMarkRoll, kMm, name),
                      std::make_tuple(0.0f, 0.0f, ErrorDetail::NotApplicable));
        }
    }
}

TEST(CustomPaperLimits, EverySeriesHasTheFullTable) {
    const CustomPaperInfoParametersData data("");
    const std::vector<CustomPaperInfoParametersData::ParametersMaxAndMinDataMap> tables = {
        data.getSN7DSeriesParametersMaxAndMinDataMap(),
        data.getHU3aSeriesParametersMaxAndMinDataMap(),
        data.getHU3SeriesParametersMaxAndMinDataMap(),
        data.getSN7SeriesParametersMaxAndMinDataMap()};
    for (const auto& table : tables) {
        ASSERT_EQ(table.size(), 54u);
        for (const char* name : kNames) {
            for (const char* kind : {"Roll", "DieCut", "MarkRoll"}) {
                for (const char* unit : {"Mm", "Inch"}) {
                    EXPECT_EQ(table.count({name, kind, unit}), 1u) << name << kind << unit;
                }
            }
        }
    }
    EXPECT_EQ(tables[0], tables[1]);  // "HU-3400a" has the rows of "SN-7000D"
    EXPECT_TRUE(
        CustomPaperInfoParametersData("Talvora XX").getParametersMaxAndMinDataMap().empty());
    EXPECT_EQ(CustomPaperInfoParametersData("Talvora HU-3650WB").getSeriesName(), "HU-3400a");
    EXPECT_EQ(CustomPaperInfoParametersData("Talvora SN-7100N").getSeriesName(), "SN-7000");
    EXPECT_EQ(CustomPaperInfoParametersData("Talvora SN-7100").getSeriesName(), "");
}

TEST(CustomPaperLimits, KeyOrder) {
    using Key = CustomPaperInfoParametersData::Parameters;
    EXPECT_TRUE((Key{"a", "z", "z"} < Key{"b", "a", "a"}));
    EXPECT_TRUE((Key{"a", "Roll", "z"} < Key{"a", "Rollx", "a"}));  // a prefix orders first
    EXPECT_TRUE((Key{"a", "b", "Inch"} < Key{"a", "b", "Mm"}));
    EXPECT_FALSE((Key{"a", "b", "c"} < Key{"a", "b", "c"}));
    EXPECT_TRUE((Key{"a", "b", "A"} < Key{"a", "b", "\xC3"}));  // bytes compare unsigned
}

TEST(CustomPaperLimits, Conversions) {
    const CustomPaperInfoParametersCalculator calc;
    struct MmCase {
        float x;
        const char* text;
    };
    const MmCase mm[] = {{61.5f, "62"}, {0.4f, "0"},     {-0.5f, "0"},
                         {-0.6f, "-1"}, {114.1f, "114"}, {1e30f, "2147483647"}};
    for (const MmCase& c : mm) {
        EXPECT_EQ(calc.convertToStringAfterRoundedMmValue(c.x), c.text) << c.x;
    }
    EXPECT_EQ(calc.convertToStringAfterRoundedMmValue(NAN), "0");
    struct InchCase {
        float x;
        const char* text;
    };
    const InchCase inch[] = {{4.49f, "4.49"}, {1.0f, "1.00"}, {39.37f, "39.37"}, {-0.5f, "-0.50"}};
    for (const InchCase& c : inch) {
        EXPECT_EQ(calc.convertToStringAfterRoundedInchValue(c.x), c.text) << c.x;
    }
    struct MinusCase {
        int v;
        int result;
        unsigned short stored;
    };
    const MinusCase minus[] = {{-1, -1, 0xFFFF},
                               {-100, -100, 0xFF9C},
                               {-35, -35, 0xFFDD},
                               {-65535, -65535, 0x0001},
                               {-65536, 0, 0x0000},
                               {-65537, -1, 0xFFFF},
                               {-2147483647 - 1, 0, 0x0000}};
    for (const MinusCase& c : minus) {
        const int r = calc.convertToMinusHexadecimalFromMinusDecimal(c.v);
        EXPECT_EQ(r, c.result) << c.v;
        EXPECT_EQ(static_cast<unsigned short>(r), c.stored) << c.v;
    }
    EXPECT_EQ(calc.devideUint16DataInto2Uint8Data(0x1234),
              std::make_tuple(static_cast<unsigned char>(0x34), static_cast<unsigned char>(0x12)));
    EXPECT_TRUE(calc.covertToUint8FromString("").empty());
    EXPECT_EQ(calc.covertToUint8FromString("62mm"),
              (std::vector<unsigned char>{'6', '2', 'm', 'm'}));
    const TL::CustomPaperInfoParametersDefault names;
    EXPECT_EQ(names.paperKindWithString(PaperKind::MarkRoll), "MarkRoll");
    EXPECT_EQ(names.paperKindWithString(static_cast<PaperKind>(7)), "");
    EXPECT_EQ(names.unitOfLengthWithString(UnitOfLength::Inch), "Inch");
    EXPECT_EQ(names.unitOfLengthWithString(static_cast<UnitOfLength>(0)), "");
}

// Every limit of every custom-paper model against the tables: maximum, minimum and the
// detail that the row's caution gives.
TEST(CustomPaperLimits, EveryLimitOfEveryModel) {
    const std::map<std::string, int> kinds = {
        {"Roll", kRoll}, {"DieCut", kDieCut}, {"MarkRoll", kMarkRoll}};
    const std::map<std::string, int> units = {{"Mm", kMm}, {"Inch", kInch}};
    const std::map<int, ErrorDetail> details = {{0, ErrorDetail::None},
                                                {1, ErrorDetail::DependentLimit},
                                                {3, ErrorDetail::NotApplicable},
                                                {5, ErrorDetail::SameAsTopMargin}};
    int models = 0;
    for (const limit_fixture::Series& series : limit_fixture::kSeries) {
        const auto limits = expandSeries(series);
        ASSERT_EQ(limits.size(), 54u) << series.name;
        for (const std::string& model : splitList(series.models)) {
            ++models;
            EXPECT_EQ(CustomPaperInfoParametersData(model).getSeriesName(), series.name);
            for (const auto& [key, cell] : limits) {
                const auto& [name, kind, unit] = key;
                SCOPED_TRACE(model + " " + name + " " + kind + " " + unit);
                const auto [maximum, minimum, detail] =
                    lookup(model, kinds.at(kind), units.at(unit), name);
                EXPECT_EQ(maximum, cell.maximum);
                EXPECT_EQ(minimum, cell.minimum);
                EXPECT_EQ(detail, details.at(cell.caution));
            }
        }
    }
    EXPECT_EQ(models, 12);
}
