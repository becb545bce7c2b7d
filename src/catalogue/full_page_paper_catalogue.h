#pragma once

#include "catalogue/paper_row.h"

// Paper rows of the full-page models (cut sheet, roll and end-of-page retract lists, each at
// 200 and 300 dpi) and of the one-row A7 and A6 lists.
//
// Full-page columns: id, names, width x length mm, width x length dots, leftOffsetDots,
// sideMarginDots, feedMarginDots, printable width x length dots, leftOffsetBytes,
// fcPaperCommandValue, isCustomSize, lengthValue1.
// Row 254 is the custom size: lengthDots 65535, no printable area, the head width as width.

// clang-format off

// Cut sheets (feed mode not 4, paper kind not 1), 200 dpi.
inline constexpr FullPagePaperRow kFCCutSheetRows200[] = {
    {1,   "A4",           210,    297,    1654, 2338,  0, 27, 20, 1600, 2200, 8, 2200, 0, 2200},
    {2,   "A5",           148,    210,    1165, 1654,  0, 27, 20, 1111, 1526, 6, 2133, 1, 1587},
    {3,   "A5_LANDSCAPE", 210,    148,    1654, 1166,  0, 27, 20, 1600, 1044, 6, 2133, 1, 1099},
    {4,   "LETTER",       215.9f, 279.4f, 1700, 2200,  0, 34, 20, 1632, 2133, 6, 2133, 0, 2133},
    {5,   "LEGAL",        215.9f, 355.6f, 1700, 2800,  0, 34, 20, 1632, 2733, 6, 2733, 0, 2733},
    {254, "CUSTOM",       0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// Cut sheets, 300 dpi.
inline constexpr FullPagePaperRow kFCCutSheetRows300[] = {
    {1,   "A4",           210,    297,    2480, 3507,  0, 40, 30, 2400, 3300, 12, 3300, 0, 3300},
    {2,   "A5",           148,    210,    1748, 2480,  0, 40, 30, 1668, 2289, 8,  4100, 1, 2380},
    {3,   "A5_LANDSCAPE", 210,    148,    2480, 1748,  0, 40, 30, 2400, 1566, 8,  4100, 1, 1648},
    {4,   "LETTER",       215.9f, 279.4f, 2550, 3300,  0, 43, 30, 2464, 3200, 8,  3200, 0, 3200},
    {5,   "LEGAL",        215.9f, 355.6f, 2550, 4200,  0, 43, 30, 2464, 4100, 8,  4100, 0, 4100},
    {254, "CUSTOM",       0,      0,      2464, 65535, 0, 0,  0,  0,    0,    8,  4100, 1, 0},
};

// Roll paper (paper kind 1, feed mode not 4), 200 dpi. Row 3 is named "A5" like row 2.
inline constexpr FullPagePaperRow kFCRollRows200[] = {
    {1,   "A4",     210,    297,    1654, 2338,  0, 27, 93, 1600, 2198, 8, 2200, 0, 2200},
    {2,   "A5",     148,    210,    1165, 1654,  0, 27, 86, 1111, 1520, 6, 2133, 1, 1587},
    {3,   "A5",     210,    148,    1654, 1166,  0, 27, 86, 1600, 1032, 6, 2133, 1, 1099},
    {4,   "LETTER", 215.9f, 279.4f, 1700, 2200,  0, 34, 86, 1632, 2067, 6, 2133, 0, 2133},
    {5,   "LEGAL",  215.9f, 355.6f, 1700, 2800,  0, 34, 86, 1632, 2667, 6, 2733, 0, 2733},
    {254, "CUSTOM", 0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// Roll paper, 300 dpi.
inline constexpr FullPagePaperRow kFCRollRows300[] = {
    {1,   "A4",     210,    297,    2480, 3507,  0, 40, 140, 2400, 3297, 12, 3300, 0, 3300},
    {2,   "A5",     148,    210,    1748, 2480,  0, 40, 140, 1668, 2270, 8,  4100, 1, 2380},
    {3,   "A5",     210,    148,    2480, 1748,  0, 40, 140, 2400, 1538, 8,  4100, 1, 1648},
    {4,   "LETTER", 215.9f, 279.4f, 2550, 3300,  0, 43, 140, 2464, 3090, 8,  3200, 0, 3200},
    {5,   "LEGAL",  215.9f, 355.6f, 2550, 4200,  0, 43, 140, 2464, 3990, 8,  4100, 0, 4100},
    {254, "CUSTOM", 0,      0,      2464, 65535, 0, 0,  0,   0,    0,    8,  4100, 1, 0},
};

// Cut sheets retracted at the end of the page (feed mode 4), 200 dpi. The custom row has
// empty names, so the status check never compares it with the loaded media.
inline constexpr FullPagePaperRow kFCRetractRows200[] = {
    {1,   "A4",           210,    297,    1654, 2338,  0, 27, 86, 1599, 2118, 8, 2200, 0, 2200},
    {2,   "A5",           148,    210,    1165, 1654,  0, 27, 86, 1111, 1433, 6, 2733, 1, 1587},
    {3,   "A5_LANDSCAPE", 210,    148,    1654, 1166,  0, 27, 86, 1600, 945,  6, 2733, 0, 1099},
    {4,   "LETTER",       215.9f, 279.4f, 1700, 2200,  0, 34, 86, 1632, 1980, 6, 2133, 0, 2133},
    {5,   "LEGAL",        215.9f, 355.6f, 1700, 2800,  0, 34, 86, 1632, 2580, 6, 2733, 0, 2733},
    {254, "",             0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// End-of-page retract, 300 dpi.
inline constexpr FullPagePaperRow kFCRetractRows300[] = {
    {1,   "A4",           210,    297,    2480, 3507,  0,  40, 140, 2400, 3177, 12, 3300, 0, 3300},
    {2,   "A5",           148,    210,    1748, 2480,  40, 40, 140, 1668, 2150, 8,  4100, 1, 2380},
    {3,   "A5_LANDSCAPE", 210,    148,    2480, 1748,  0,  40, 140, 2400, 1418, 8,  4100, 1, 1648},
    {4,   "LETTER",       215.9f, 279.4f, 2550, 3300,  0,  43, 140, 2464, 2970, 8,  3200, 0, 3200},
    {5,   "LEGAL",        215.9f, 355.6f, 2550, 4200,  0,  43, 140, 2464, 3870, 8,  4100, 0, 4100},
    {254, "",             0,      0,      2464, 65535, 0,  0,  0,   0,    0,    8,  4100, 1, 0},
};

// A7 and A6 columns: id, names, width x length (centimetre figures), width x length dots,
// sideMarginDots, feedMarginDots, printable width x length dots, lengthValue1.
inline constexpr SheetPaperRow kA7Rows[] = {
    {6, "A7", 7.4f,  10.5f, 874,  1240, 29, 30, 816,  1180, 1180},
};

inline constexpr SheetPaperRow kA6Rows[] = {
    {7, "A6", 10.5f, 14.8f, 1240, 1748, 44, 44, 1152, 1660, 1660},
};

// clang-format on
