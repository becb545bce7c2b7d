#pragma once

// The custom paper limit tables, written after the catalogue's tables in their shape: a row
// names one or more parameters and paper kinds (comma-separated) and gives the maximum, the
// minimum and the caution in millimetres and in inches. A series is its base table with the
// rows it changes laid over it. Nothing here was taken from the stored tables.

namespace limit_fixture {

struct Cell {
    float maximum;
    float minimum;
    int caution;  // 0 none, 1 dependent limit, 3 not applicable, 5 same as top margin
};

struct Row {
    const char* names;
    const char* kinds;
    Cell mm;
    Cell inch;
};

// clang-format off
// Series "SN-7000D"; "HU-3400a" has the same rows.
inline constexpr Row kSN7000D[] = {
    {"tapeWidMm",                          "Roll, DieCut, MarkRoll", {114.1f, 12, 0},     {4.49f, 0.47f, 0}},
    {"tapeLenMm",                          "Roll",                   {0, 0, 3},           {0, 0, 3}},
    {"tapeLenMm",                          "DieCut",                 {1000, 6, 0},        {39.37f, 0.24f, 0}},
    {"tapeLenMm",                          "MarkRoll",               {1000, 12.7f, 0},    {39.37f, 0.5f, 0}},
    {"rightMargin, leftMargin, topMargin", "Roll, DieCut, MarkRoll", {0, 0, 1},           {0, 0, 1}},
    {"bottomMargin",                       "Roll",                   {0, 0, 5},           {0, 0, 5}},
    {"bottomMargin",                       "DieCut, MarkRoll",       {0, 0, 1},           {0, 0, 1}},
    {"labelPitch",                         "Roll, MarkRoll",         {0, 0, 3},           {0, 0, 3}},
    {"labelPitch",                         "DieCut",                 {1000, 2, 0},        {39.37f, 0.078f, 0}},
    {"markPosition",                       "Roll, DieCut",           {0, 0, 3},           {0, 0, 3}},
    {"markPosition",                       "MarkRoll",               {1000, -1000, 0},    {39.37f, -39.37f, 0}},
    {"markHeight",                         "Roll, DieCut",           {0, 0, 3},           {0, 0, 3}},
    {"markHeight",                         "MarkRoll",               {0, 2, 1},           {0, 0.078f, 1}},
};

// Series "HU-3400": the "SN-7000D" table with these rows.
inline constexpr Row kHU3400Changes[] = {
    {"tapeWidMm",    "Roll, DieCut, MarkRoll", {104, 12, 0},  {4.09f, 0.47f, 0}},
    {"tapeLenMm",    "MarkRoll",               {1000, 25.4f, 0}, {39.37f, 1, 0}},
    {"bottomMargin", "DieCut, MarkRoll",       {0, 0, 5},     {0, 0, 5}},
};

// Series "SN-7000": the "SN-7000D" table with these rows.
inline constexpr Row kSN7000Changes[] = {
    {"tapeWidMm",    "Roll, DieCut", {106, 12, 0}, {4.17f, 0.47f, 0}},
    {"bottomMargin", "DieCut",       {0, 0, 5},    {0, 0, 5}},
    {"tapeWidMm, tapeLenMm, rightMargin, leftMargin, topMargin, bottomMargin, labelPitch, "
     "markPosition, markHeight",
                     "MarkRoll",     {0, 0, 3},    {0, 0, 3}},
};
// clang-format on

struct Series {
    const char* name;
    const char* models;  // full printer names, comma-separated
    const Row* changes;
    int changeCount;
};

inline constexpr Series kSeries[] = {
    {"SN-7000D",
     "Talvora SN-7400D, Talvora SN-7500D, Talvora SN-7410DN, Talvora SN-7510DN, "
     "Talvora SN-7550DNWB",
     nullptr, 0},
    {"HU-3400a", "Talvora HU-3650WB, Talvora HU-3620B", nullptr, 0},
    {"HU-3400", "Talvora HU-3430, Talvora HU-3430Ai, Talvora HU-3440", kHU3400Changes, 3},
    {"SN-7000", "Talvora SN-7100N, Talvora SN-7000", kSN7000Changes, 3},
};

}  // namespace limit_fixture
