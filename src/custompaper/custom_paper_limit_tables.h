#pragma once

#include <cstddef>

namespace TL {

// The limits of the nine user values of a custom paper request, one table per series of
// custom-paper models: 9 names x 3 paper kinds x 2 units = 54 rows each. A row gives the
// maximum and the minimum in the unit of the request and a caution that says how they are
// to be taken (0 none, 1 the bound follows from other values, 2 reserved, 3 not applicable
// to the paper kind, 4 unavailable, 5 the bottom margin follows the top margin). The name
// "tapeWidMm" and its siblings also name the inch rows.
struct CustomPaperLimitRow {
    const char* name;
    const char* paperKind;
    const char* unit;
    float maximum;
    float minimum;
    int caution;
};

constexpr std::size_t kCustomPaperLimitRows = 54;

// Series "SN-7000D"; the series "HU-3400a" has the same rows.
constexpr CustomPaperLimitRow kSN7DLimits[] = {
    // clang-format off
    {"tapeWidMm",    "Roll",     "Mm",   114.1f,    12.0f,     0},
    {"tapeWidMm",    "Roll",     "Inch", 4.49f,     0.47f,     0},
    {"tapeWidMm",    "DieCut",   "Mm",   114.1f,    12.0f,     0},
    {"tapeWidMm",    "DieCut",   "Inch", 4.49f,     0.47f,     0},
    {"tapeWidMm",    "MarkRoll", "Mm",   114.1f,    12.0f,     0},
    {"tapeWidMm",    "MarkRoll", "Inch", 4.49f,     0.47f,     0},
    {"tapeLenMm",    "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"tapeLenMm",    "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"tapeLenMm",    "DieCut",   "Mm",   1000.0f,   6.0f,      0},
    {"tapeLenMm",    "DieCut",   "Inch", 39.37f,    0.24f,     0},
    {"tapeLenMm",    "MarkRoll", "Mm",   1000.0f,   12.7f,     0},
    {"tapeLenMm",    "MarkRoll", "Inch", 39.37f,    0.5f,      0},
    {"rightMargin",  "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"bottomMargin", "Roll",     "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "Roll",     "Inch", 0.0f,      0.0f,      5},
    {"bottomMargin", "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"bottomMargin", "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"bottomMargin", "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"bottomMargin", "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"labelPitch",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"labelPitch",   "DieCut",   "Mm",   1000.0f,   2.0f,      0},
    {"labelPitch",   "DieCut",   "Inch", 39.37f,    0.078f,    0},
    {"labelPitch",   "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "MarkRoll", "Mm",   1000.0f,   -1000.0f,  0},
    {"markPosition", "MarkRoll", "Inch", 39.37f,    -39.37f,   0},
    {"markHeight",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "MarkRoll", "Mm",   0.0f,      2.0f,      1},
    {"markHeight",   "MarkRoll", "Inch", 0.0f,      0.078f,    1},
    // clang-format on
};

// Series "HU-3400".
constexpr CustomPaperLimitRow kHU3Limits[] = {
    // clang-format off
    {"tapeWidMm",    "Roll",     "Mm",   104.0f,    12.0f,     0},
    {"tapeWidMm",    "Roll",     "Inch", 4.09f,     0.47f,     0},
    {"tapeWidMm",    "DieCut",   "Mm",   104.0f,    12.0f,     0},
    {"tapeWidMm",    "DieCut",   "Inch", 4.09f,     0.47f,     0},
    {"tapeWidMm",    "MarkRoll", "Mm",   104.0f,    12.0f,     0},
    {"tapeWidMm",    "MarkRoll", "Inch", 4.09f,     0.47f,     0},
    {"tapeLenMm",    "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"tapeLenMm",    "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"tapeLenMm",    "DieCut",   "Mm",   1000.0f,   6.0f,      0},
    {"tapeLenMm",    "DieCut",   "Inch", 39.37f,    0.24f,     0},
    {"tapeLenMm",    "MarkRoll", "Mm",   1000.0f,   25.4f,     0},
    {"tapeLenMm",    "MarkRoll", "Inch", 39.37f,    1.0f,      0},
    {"rightMargin",  "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "MarkRoll", "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "MarkRoll", "Inch", 0.0f,      0.0f,      1},
    {"bottomMargin", "Roll",     "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "Roll",     "Inch", 0.0f,      0.0f,      5},
    {"bottomMargin", "DieCut",   "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "DieCut",   "Inch", 0.0f,      0.0f,      5},
    {"bottomMargin", "MarkRoll", "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "MarkRoll", "Inch", 0.0f,      0.0f,      5},
    {"labelPitch",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"labelPitch",   "DieCut",   "Mm",   1000.0f,   2.0f,      0},
    {"labelPitch",   "DieCut",   "Inch", 39.37f,    0.078f,    0},
    {"labelPitch",   "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "MarkRoll", "Mm",   1000.0f,   -1000.0f,  0},
    {"markPosition", "MarkRoll", "Inch", 39.37f,    -39.37f,   0},
    {"markHeight",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "MarkRoll", "Mm",   0.0f,      2.0f,      1},
    {"markHeight",   "MarkRoll", "Inch", 0.0f,      0.078f,    1},
    // clang-format on
};

// Series "SN-7000": no parameter applies to a marked roll.
constexpr CustomPaperLimitRow kSN7Limits[] = {
    // clang-format off
    {"tapeWidMm",    "Roll",     "Mm",   106.0f,    12.0f,     0},
    {"tapeWidMm",    "Roll",     "Inch", 4.17f,     0.47f,     0},
    {"tapeWidMm",    "DieCut",   "Mm",   106.0f,    12.0f,     0},
    {"tapeWidMm",    "DieCut",   "Inch", 4.17f,     0.47f,     0},
    {"tapeWidMm",    "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"tapeWidMm",    "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"tapeLenMm",    "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"tapeLenMm",    "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"tapeLenMm",    "DieCut",   "Mm",   1000.0f,   6.0f,      0},
    {"tapeLenMm",    "DieCut",   "Inch", 39.37f,    0.24f,     0},
    {"tapeLenMm",    "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"tapeLenMm",    "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"rightMargin",  "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"rightMargin",  "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"rightMargin",  "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"rightMargin",  "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"leftMargin",   "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"leftMargin",   "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"leftMargin",   "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"leftMargin",   "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"topMargin",    "Roll",     "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "Roll",     "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Mm",   0.0f,      0.0f,      1},
    {"topMargin",    "DieCut",   "Inch", 0.0f,      0.0f,      1},
    {"topMargin",    "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"topMargin",    "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"bottomMargin", "Roll",     "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "Roll",     "Inch", 0.0f,      0.0f,      5},
    {"bottomMargin", "DieCut",   "Mm",   0.0f,      0.0f,      5},
    {"bottomMargin", "DieCut",   "Inch", 0.0f,      0.0f,      5},
    {"bottomMargin", "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"bottomMargin", "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"labelPitch",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"labelPitch",   "DieCut",   "Mm",   1000.0f,   2.0f,      0},
    {"labelPitch",   "DieCut",   "Inch", 39.37f,    0.078f,    0},
    {"labelPitch",   "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"labelPitch",   "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markPosition", "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"markPosition", "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "Roll",     "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "Roll",     "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "DieCut",   "Inch", 0.0f,      0.0f,      3},
    {"markHeight",   "MarkRoll", "Mm",   0.0f,      0.0f,      3},
    {"markHeight",   "MarkRoll", "Inch", 0.0f,      0.0f,      3},
    // clang-format on
};
static_assert(sizeof(kSN7DLimits) / sizeof(kSN7DLimits[0]) == kCustomPaperLimitRows, "54 rows");
static_assert(sizeof(kHU3Limits) / sizeof(kHU3Limits[0]) == kCustomPaperLimitRows, "54 rows");
static_assert(sizeof(kSN7Limits) / sizeof(kSN7Limits[0]) == kCustomPaperLimitRows, "54 rows");

// The custom-paper models by their full names, and their series.
struct CustomPaperSeriesRow {
    const char* modelName;
    const char* seriesName;
};

constexpr CustomPaperSeriesRow kCustomPaperSeries[] = {
    {"Talvora SN-7400D", "SN-7000D"},    {"Talvora SN-7500D", "SN-7000D"},
    {"Talvora SN-7410DN", "SN-7000D"},   {"Talvora SN-7510DN", "SN-7000D"},
    {"Talvora SN-7550DNWB", "SN-7000D"}, {"Talvora HU-3650WB", "HU-3400a"},
    {"Talvora HU-3620B", "HU-3400a"},    {"Talvora HU-3430", "HU-3400"},
    {"Talvora HU-3430Ai", "HU-3400"},    {"Talvora HU-3440", "HU-3400"},
    {"Talvora SN-7100N", "SN-7000"},     {"Talvora SN-7000", "SN-7000"},
};

}  // namespace TL
