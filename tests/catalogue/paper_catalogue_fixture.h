#pragma once

#include <cstddef>

// Every row of every paper list, written column for column after the catalogue's tables
// and kept in their shape and order; nothing here was taken from the stored rows. A field
// that a table does not show holds the value stated for its whole list (below) or 0.

namespace paper_fixture {

// The full-page lists: one text for both names ("" where the table says empty).
struct FullPageRow {
    unsigned short id;
    const char* names;
    float widthMm, lengthMm;
    unsigned short widthDots, lengthDots;
    unsigned short leftOffsetDots;
    unsigned short sideMarginDots;
    unsigned short feedMarginDots;
    unsigned short printableWidthDots, printableLengthDots;
    unsigned short leftOffsetBytes;
    unsigned short fcPaperCommandValue;
    bool isCustomSize;
    unsigned short lengthValue1;
};

// The one-row A7 and A6 lists.
struct SheetRow {
    unsigned short id;
    const char* names;
    float widthMm, lengthMm;
    unsigned short widthDots, lengthDots;
    unsigned short sideMarginDots, feedMarginDots;
    unsigned short printableWidthDots, printableLengthDots;
    unsigned short lengthValue1;
};

// The label, tape, tube and flag-label lists.
struct MediaRow {
    unsigned short id;
    const char* nameMm;
    const char* nameInch;
    float widthMm, lengthMm;
    unsigned short widthDots, lengthDots;
    unsigned short leftOffsetDots, rightOffsetDots;
    unsigned short sideMarginDots, feedMarginDots;
    unsigned short printableWidthDots, printableLengthDots;
    unsigned char mediaWidthMm, mediaLengthMm;
    unsigned char mediaType, qualityMediaType;
    unsigned short widthTenthMm, lengthTenthMm;
    unsigned short printableWidthTenthMm, printableLengthTenthMm;
    unsigned short mediaId;
};

// clang-format off
// Columns of the full-page rows: id, names, mm w, l, dots w, l, leftOffsetDots,
// sideMarginDots, feedMarginDots, printable dots w, l, leftOffsetBytes, fcPaperCommandValue,
// isCustomSize, lengthValue1.

// createFCPaperList (cut sheets; fcFeedMode other than 4 and fcPaperKind other than 1), 200 dpi
inline constexpr FullPageRow kFC200[] = {
    {1,   "A4",           210,    297,    1654, 2338,  0, 27, 20, 1600, 2200, 8, 2200, 0, 2200},
    {2,   "A5",           148,    210,    1165, 1654,  0, 27, 20, 1111, 1526, 6, 2133, 1, 1587},
    {3,   "A5_LANDSCAPE", 210,    148,    1654, 1166,  0, 27, 20, 1600, 1044, 6, 2133, 1, 1099},
    {4,   "LETTER",       215.9f, 279.4f, 1700, 2200,  0, 34, 20, 1632, 2133, 6, 2133, 0, 2133},
    {5,   "LEGAL",        215.9f, 355.6f, 1700, 2800,  0, 34, 20, 1632, 2733, 6, 2733, 0, 2733},
    {254, "CUSTOM",       0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// createFCPaperList, 300 dpi
inline constexpr FullPageRow kFC300[] = {
    {1,   "A4",           210,    297,    2480, 3507,  0, 40, 30, 2400, 3300, 12, 3300, 0, 3300},
    {2,   "A5",           148,    210,    1748, 2480,  0, 40, 30, 1668, 2289, 8,  4100, 1, 2380},
    {3,   "A5_LANDSCAPE", 210,    148,    2480, 1748,  0, 40, 30, 2400, 1566, 8,  4100, 1, 1648},
    {4,   "LETTER",       215.9f, 279.4f, 2550, 3300,  0, 43, 30, 2464, 3200, 8,  3200, 0, 3200},
    {5,   "LEGAL",        215.9f, 355.6f, 2550, 4200,  0, 43, 30, 2464, 4100, 8,  4100, 0, 4100},
    {254, "CUSTOM",       0,      0,      2464, 65535, 0, 0,  0,  0,    0,    8,  4100, 1, 0},
};

// createFCRollPaperList (roll paper; fcPaperKind 1 and fcFeedMode other than 4), 200 dpi
inline constexpr FullPageRow kRoll200[] = {
    {1,   "A4",     210,    297,    1654, 2338,  0, 27, 93, 1600, 2198, 8, 2200, 0, 2200},
    {2,   "A5",     148,    210,    1165, 1654,  0, 27, 86, 1111, 1520, 6, 2133, 1, 1587},
    {3,   "A5",     210,    148,    1654, 1166,  0, 27, 86, 1600, 1032, 6, 2133, 1, 1099},
    {4,   "LETTER", 215.9f, 279.4f, 1700, 2200,  0, 34, 86, 1632, 2067, 6, 2133, 0, 2133},
    {5,   "LEGAL",  215.9f, 355.6f, 1700, 2800,  0, 34, 86, 1632, 2667, 6, 2733, 0, 2733},
    {254, "CUSTOM", 0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// createFCRollPaperList, 300 dpi
inline constexpr FullPageRow kRoll300[] = {
    {1,   "A4",     210,    297,    2480, 3507,  0, 40, 140, 2400, 3297, 12, 3300, 0, 3300},
    {2,   "A5",     148,    210,    1748, 2480,  0, 40, 140, 1668, 2270, 8,  4100, 1, 2380},
    {3,   "A5",     210,    148,    2480, 1748,  0, 40, 140, 2400, 1538, 8,  4100, 1, 1648},
    {4,   "LETTER", 215.9f, 279.4f, 2550, 3300,  0, 43, 140, 2464, 3090, 8,  3200, 0, 3200},
    {5,   "LEGAL",  215.9f, 355.6f, 2550, 4200,  0, 43, 140, 2464, 3990, 8,  4100, 0, 4100},
    {254, "CUSTOM", 0,      0,      2464, 65535, 0, 0,  0,   0,    0,    8,  4100, 1, 0},
};

// createFCEndOfPageRetractPaperList (fcFeedMode 4, whatever fcPaperKind), 200 dpi
inline constexpr FullPageRow kRetract200[] = {
    {1,   "A4",           210,    297,    1654, 2338,  0, 27, 86, 1599, 2118, 8, 2200, 0, 2200},
    {2,   "A5",           148,    210,    1165, 1654,  0, 27, 86, 1111, 1433, 6, 2733, 1, 1587},
    {3,   "A5_LANDSCAPE", 210,    148,    1654, 1166,  0, 27, 86, 1600, 945,  6, 2733, 0, 1099},
    {4,   "LETTER",       215.9f, 279.4f, 1700, 2200,  0, 34, 86, 1632, 1980, 6, 2133, 0, 2133},
    {5,   "LEGAL",        215.9f, 355.6f, 1700, 2800,  0, 34, 86, 1632, 2580, 6, 2733, 0, 2733},
    {254, "",             0,      0,      1632, 65535, 0, 0,  0,  0,    0,    6, 2733, 1, 0},
};

// createFCEndOfPageRetractPaperList, 300 dpi
inline constexpr FullPageRow kRetract300[] = {
    {1,   "A4",           210,    297,    2480, 3507,  0,  40, 140, 2400, 3177, 12, 3300, 0, 3300},
    {2,   "A5",           148,    210,    1748, 2480,  40, 40, 140, 1668, 2150, 8,  4100, 1, 2380},
    {3,   "A5_LANDSCAPE", 210,    148,    2480, 1748,  0,  40, 140, 2400, 1418, 8,  4100, 1, 1648},
    {4,   "LETTER",       215.9f, 279.4f, 2550, 3300,  0,  43, 140, 2464, 2970, 8,  3200, 0, 3200},
    {5,   "LEGAL",        215.9f, 355.6f, 2550, 4200,  0,  43, 140, 2464, 3870, 8,  4100, 0, 4100},
    {254, "",             0,      0,      2464, 65535, 0,  0,  0,   0,    0,    8,  4100, 1, 0},
};

// Columns of the A7 and A6 rows: id, names, mm w, l, dots w, l, sideMarginDots,
// feedMarginDots, printable dots w, l, lengthValue1.
// createA7PaperList (one row) and createA6PPaperList (one row)
inline constexpr SheetRow kSheets[] = {
    {6, "A7", 7.4f,  10.5f, 874,  1240, 29, 30, 816,  1180, 1180},
    {7, "A6", 10.5f, 14.8f, 1240, 1748, 44, 44, 1152, 1660, 1660},
};

// Columns of the media rows: id, metric name, inch name, mm w, l, dots w, l, offsets left,
// right, margins side, feed, printable dots w, l, media w, l (mm), type, quality type,
// tenths w, l, printable tenths w, l, mediaId.

// createVZ4000PaperList (29 rows)
inline constexpr MediaRow kVZ4000[] = {
    {1,  "17mm x 54mm",      "0.66\" x 2.1\"", 17,     53.9f,  201,  636,  1087, 44,  18, 35, 165,  566,  17,  54,  0x0b, 0x0b, 170,  539,  140,  479,  269},
    {2,  "17mm x 87mm",      "0.66\" x 3.4\"", 17,     86.9f,  201,  1026, 1087, 44,  18, 35, 165,  956,  17,  87,  0x0b, 0x0b, 170,  869,  140,  809,  270},
    {3,  "23mm x 23mm",      "0.9\" x 0.9\"",  23,     23,     272,  272,  975,  85,  18, 35, 236,  202,  23,  23,  0x0b, 0x0b, 230,  230,  200,  171,  370},
    {4,  "29mm x 42mm",      "1.1\" x 1.6\"",  29,     41.9f,  342,  495,  939,  50,  18, 35, 306,  425,  29,  42,  0x0b, 0x0b, 290,  419,  259,  360,  358},
    {5,  "29mm x 90mm",      "1.1\" x 3.5\"",  29,     89.8f,  342,  1061, 940,  50,  18, 35, 306,  991,  29,  90,  0x0b, 0x0b, 290,  898,  259,  839,  271},
    {6,  "38mm x 90mm",      "1.4\" x 3.5\"",  38,     89.8f,  449,  1061, 827,  56,  18, 35, 413,  991,  38,  90,  0x0b, 0x0b, 380,  898,  350,  839,  272},
    {7,  "39mm x 48mm",      "1.5\" x 1.8\"",  39,     47.8f,  461,  565,  821,  50,  18, 35, 425,  495,  39,  48,  0x0b, 0x0b, 390,  478,  360,  419,  367},
    {8,  "52mm x 29mm",      "2\" x 1.1\"",    52,     28.9f,  614,  341,  674,  44,  18, 35, 578,  271,  52,  29,  0x0b, 0x0b, 520,  289,  489,  229,  374},
    {17, "60mm x 86mm",      "2.3\" x 3.4\"",  60,     86.8f,  708,  1024, 556,  68,  18, 35, 672,  954,  60,  87,  0x0b, 0x0b, 600,  868,  569,  808,  376},
    {9,  "62mm x 29mm",      "2.4\" x 1.1\"",  62,     28.9f,  732,  341,  544,  56,  18, 35, 696,  271,  62,  29,  0x0b, 0x0b, 620,  289,  589,  229,  274},
    {10, "62mm x 100mm",     "2.4\" x 3.9\"",  62,     99.8f,  732,  1179, 544,  56,  18, 35, 696,  1109, 62,  100, 0x0b, 0x0b, 620,  998,  589,  939,  275},
    {41, "102mm x 51mm",     "4\" x 2\"",      101.6f, 50.5f,  1200, 596,  76,   56,  18, 36, 1164, 526,  102, 51,  0x0b, 0x0b, 1016, 505,  986,  445,  365},
    {48, "102mm x 152mm",    "4\" x 6\"",      101.6f, 152.8f, 1200, 1804, 76,   56,  18, 72, 1164, 1660, 102, 153, 0x0b, 0x0b, 1016, 1528, 986,  1406, 366},
    {50, "103mm x 164mm",    "4.07\" x 6.4\"", 103.6f, 164.3f, 1224, 1941, 58,   38,  12, 59, 1200, 1822, 104, 164, 0x0b, 0x0b, 1036, 1643, 1016, 1543, 385},
    {51, "DT 90mm",          "DT 3.5\"",       89.9f,  0,      1062, 0,    145,  125, 18, 35, 1026, 0,    90,  0,   0x8a, 0x8a, 899,  0,    869,  0,    465},
    {52, "DT 102mm",         "DT 4\"",         101.6f, 0,      1200, 0,    76,   56,  18, 35, 1164, 0,    102, 0,   0x8a, 0x8a, 1016, 0,    986,  0,    466},
    {53, "DT 102mm x 51mm",  "DT 4\" x 2\"",   101.6f, 50.5f,  1200, 596,  76,   56,  18, 36, 1164, 526,  102, 51,  0x8b, 0x8b, 1016, 505,  986,  445,  467},
    {54, "DT 102mm x 152mm", "DT 4\" x 6\"",   101.6f, 152.8f, 1200, 1804, 76,   56,  18, 72, 1164, 1660, 102, 152, 0x8b, 0x8b, 1016, 1528, 986,  1406, 468},
    {11, "12mm",             "0.47\"",         12,     0,      142,  0,    1116, 74,  18, 35, 106,  0,    12,  0,   0x0a, 0x0a, 120,  0,    90,   0,    257},
    {12, "29mm",             "1.1\"",          29,     0,      342,  0,    940,  50,  18, 35, 306,  0,    29,  0,   0x0a, 0x0a, 290,  0,    259,  0,    258},
    {13, "38mm",             "1.4\"",          38,     0,      449,  0,    827,  56,  18, 35, 413,  0,    38,  0,   0x0a, 0x0a, 380,  0,    350,  0,    264},
    {14, "50mm",             "1.9\"",          50,     0,      590,  0,    686,  56,  18, 35, 554,  0,    50,  0,   0x0a, 0x0a, 500,  0,    469,  0,    262},
    {15, "54mm",             "2.1\"",          53.8f,  0,      636,  0,    662,  44,  23, 35, 590,  0,    54,  0,   0x0a, 0x0a, 538,  0,    500,  0,    261},
    {16, "62mm",             "2.4\"",          62,     0,      732,  0,    544,  56,  18, 35, 696,  0,    62,  0,   0x0a, 0x0a, 620,  0,    589,  0,    259},
    {40, "102mm",            "4\"",            101.6f, 0,      1200, 0,    76,   56,  18, 35, 1164, 0,    102, 0,   0x0a, 0x0a, 1016, 0,    986,  0,    260},
    {49, "103mm",            "4.07\"",         103.6f, 0,      1224, 0,    58,   38,  12, 35, 1200, 0,    104, 0,   0x0a, 0x0a, 1036, 0,    1016, 0,    265},
    {55, "12mm Dia",         "0.47\" Dia",     12,     12,     142,  142,  1046, 156, 24, 24, 94,   94,   12,  12,  0x0b, 0x0b, 120,  120,  80,   80,   362},
    {56, "24mm Dia",         "0.94\" Dia",     24,     24,     284,  284,  975,  85,  24, 24, 236,  236,  24,  24,  0x0b, 0x0b, 240,  240,  200,  200,  363},
    {57, "58mm Dia",         "2.2\" Dia",      58.3f,  58.3f,  688,  688,  584,  94,  35, 35, 618,  618,  58,  58,  0x0b, 0x0b, 583,  583,  523,  523,  273},
};

// createVZPaperList (21 rows)
inline constexpr MediaRow kVZ[] = {
    {1,  "17mm x 54mm",  "0.66\" x 2.1\"", 17,    53.9f, 201, 636,  555, 0,   18, 35, 165, 566,  17, 54,  0x0b, 0x0b, 170, 539, 140, 479, 269},
    {2,  "17mm x 87mm",  "0.66\" x 3.4\"", 17,    86.9f, 201, 1026, 555, 0,   18, 35, 165, 956,  17, 87,  0x0b, 0x0b, 170, 869, 140, 809, 270},
    {3,  "23mm x 23mm",  "0.9\" x 0.9\"",  23,    23,    272, 272,  442, 42,  18, 35, 236, 202,  23, 23,  0x0b, 0x0b, 230, 230, 200, 171, 370},
    {4,  "29mm x 42mm",  "1.1\" x 1.6\"",  29,    41.9f, 342, 495,  408, 6,   18, 35, 306, 425,  29, 42,  0x0b, 0x0b, 290, 419, 259, 360, 358},
    {5,  "29mm x 90mm",  "1.1\" x 3.5\"",  29,    89.8f, 342, 1061, 408, 6,   18, 35, 306, 991,  29, 90,  0x0b, 0x0b, 290, 898, 259, 839, 271},
    {6,  "38mm x 90mm",  "1.4\" x 3.5\"",  38,    89.8f, 449, 1061, 295, 12,  18, 35, 413, 991,  38, 90,  0x0b, 0x0b, 380, 898, 350, 839, 272},
    {7,  "39mm x 48mm",  "1.5\" x 1.8\"",  39,    47.8f, 461, 565,  289, 6,   18, 35, 425, 495,  39, 48,  0x0b, 0x0b, 390, 478, 360, 419, 367},
    {8,  "52mm x 29mm",  "2\" x 1.1\"",    52,    28.9f, 614, 341,  142, 0,   18, 35, 578, 271,  52, 29,  0x0b, 0x0b, 520, 289, 489, 229, 374},
    {39, "54mm x 29mm",  "2.1\" x 1.1\"",  54,    28.9f, 638, 341,  59,  59,  18, 35, 602, 271,  54, 29,  0x0b, 0x0b, 540, 289, 510, 229, 382},
    {17, "60mm x 86mm",  "2.3\" x 3.4\"",  60,    86.8f, 708, 1024, 24,  24,  18, 35, 672, 954,  60, 87,  0x0b, 0x0b, 600, 868, 569, 808, 376},
    {9,  "62mm x 29mm",  "2.4\" x 1.1\"",  62,    28.9f, 732, 341,  12,  12,  18, 35, 696, 271,  62, 29,  0x0b, 0x0b, 620, 289, 589, 229, 274},
    {10, "62mm x 100mm", "2.4\" x 3.9\"",  62,    99.8f, 732, 1179, 12,  12,  18, 35, 696, 1109, 62, 100, 0x0b, 0x0b, 620, 998, 589, 939, 275},
    {11, "12mm",         "0.47\"",         12,    0,     142, 0,    585, 29,  18, 35, 106, 0,    12, 0,   0x0a, 0x0a, 120, 0,   90,  0,   257},
    {12, "29mm",         "1.1\"",          29,    0,     342, 0,    408, 6,   18, 35, 306, 0,    29, 0,   0x0a, 0x0a, 290, 0,   259, 0,   258},
    {13, "38mm",         "1.4\"",          38,    0,     449, 0,    295, 12,  18, 35, 413, 0,    38, 0,   0x0a, 0x0a, 380, 0,   350, 0,   264},
    {14, "50mm",         "1.9\"",          50,    0,     590, 0,    154, 12,  18, 35, 554, 0,    50, 0,   0x0a, 0x0a, 500, 0,   469, 0,   262},
    {15, "54mm",         "2.1\"",          53.8f, 0,     636, 0,    130, 0,   23, 35, 590, 0,    54, 0,   0x0a, 0x0a, 538, 0,   500, 0,   261},
    {16, "62mm",         "2.4\"",          62,    0,     732, 0,    12,  12,  18, 35, 696, 0,    62, 0,   0x0a, 0x0a, 620, 0,   589, 0,   259},
    {55, "12mm Dia",     "0.47\" Dia",     12,    12,    142, 142,  513, 113, 24, 35, 94,  94,   12, 12,  0x0b, 0x0b, 120, 120, 80,  80,  362},
    {56, "24mm Dia",     "0.94\" Dia",     24,    24,    284, 284,  442, 42,  24, 35, 236, 236,  24, 24,  0x0b, 0x0b, 240, 240, 200, 200, 363},
    {57, "58mm Dia",     "2.2\" Dia",      58.3f, 58.3f, 688, 688,  51,  51,  35, 35, 618, 618,  58, 58,  0x0b, 0x0b, 583, 583, 523, 523, 273},
};

// createVZ2ColorPaperList (1 row, the two-colour label)
inline constexpr MediaRow kVZ2Color[] = {
    {38, "62mm", "2.4\"", 62, 0, 732, 0, 12, 12, 18, 35, 696, 0, 62, 0, 0x0a, 0x00, 620, 0, 589, 0, 259},
};

// createKXPaperList (11 rows)
inline constexpr MediaRow kKX[] = {
    {18, "3.5 mm",     "0.13\"",    3.5f,  0, 24,  0, 52, 52, 0,  14, 24,  0, 4,  0, 0x01, 0x09, 34,  0, 34,  0, 263},
    {19, "6 mm",       "0.23\"",    6,     0, 42,  0, 48, 48, 5,  14, 32,  0, 6,  0, 0x01, 0x09, 59,  0, 45,  0, 257},
    {20, "9 mm",       "0.35\"",    9,     0, 64,  0, 39, 39, 7,  14, 50,  0, 9,  0, 0x01, 0x09, 90,  0, 71,  0, 258},
    {11, "12 mm",      "0.47\"",    12,    0, 84,  0, 29, 29, 7,  14, 70,  0, 12, 0, 0x01, 0x09, 119, 0, 99,  0, 259},
    {21, "18 mm",      "0.70\"",    18,    0, 128, 0, 8,  8,  8,  14, 112, 0, 18, 0, 0x01, 0x09, 181, 0, 158, 0, 260},
    {22, "24 mm",      "0.94\"",    24,    0, 170, 0, 0,  0,  21, 14, 128, 0, 24, 0, 0x01, 0x09, 240, 0, 181, 0, 261},
    {23, "HS 5.8 mm",  "HS 0.23\"", 5.8f,  0, 40,  0, 50, 50, 6,  14, 28,  0, 6,  0, 0x11, 0x00, 56,  0, 39,  0, 415},
    {24, "HS 8.8 mm",  "HS 0.34\"", 8.7f,  0, 62,  0, 40, 40, 7,  14, 48,  0, 9,  0, 0x11, 0x00, 87,  0, 68,  0, 416},
    {25, "HS 11.7 mm", "HS 0.46\"", 11.7f, 0, 82,  0, 31, 31, 8,  14, 66,  0, 12, 0, 0x11, 0x00, 116, 0, 93,  0, 417},
    {26, "HS 17.7 mm", "HS 0.69\"", 17.7f, 0, 126, 0, 11, 11, 10, 14, 106, 0, 18, 0, 0x11, 0x00, 178, 0, 149, 0, 418},
    {27, "HS 23.6 mm", "HS 0.93\"", 23.6f, 0, 168, 0, 0,  0,  20, 14, 128, 0, 24, 0, 0x11, 0x00, 237, 0, 181, 0, 419},
};

// createKX3PaperList (4 rows)
inline constexpr MediaRow kKX3[] = {
    {18, "3.5 mm", "0.13\"", 3.5f, 0, 24, 0, 55, 55, 4,  14, 18, 0, 4,  0, 0x01, 0x00, 34,  0, 34, 0, 263},
    {19, "6 mm",   "0.23\"", 6,    0, 42, 0, 48, 48, 5,  14, 32, 0, 6,  0, 0x01, 0x00, 59,  0, 45, 0, 257},
    {20, "9 mm",   "0.35\"", 9,    0, 64, 0, 39, 39, 7,  14, 50, 0, 9,  0, 0x01, 0x00, 90,  0, 71, 0, 258},
    {11, "12 mm",  "0.47\"", 12,   0, 84, 0, 32, 32, 11, 14, 64, 0, 12, 0, 0x01, 0x00, 119, 0, 99, 0, 259},
};

// createKX36PaperList (12 rows)
inline constexpr MediaRow kKX36[] = {
    {18, "3.5 mm",     "0.13\"",    3.38f,  0, 48,  0, 248, 264, 0,  14, 48,  0, 4,  0, 0x00, 0x09, 34,  0, 34,  0, 263},
    {19, "6 mm",       "0.23\"",    6,      0, 84,  0, 240, 256, 10, 14, 64,  0, 6,  0, 0x00, 0x09, 59,  0, 45,  0, 257},
    {20, "9 mm",       "0.35\"",    9,      0, 128, 0, 219, 235, 11, 14, 106, 0, 9,  0, 0x00, 0x09, 90,  0, 75,  0, 258},
    {11, "12 mm",      "0.47\"",    12,     0, 170, 0, 197, 213, 10, 14, 150, 0, 12, 0, 0x00, 0x09, 120, 0, 106, 0, 259},
    {21, "18 mm",      "0.70\"",    18,     0, 256, 0, 155, 171, 11, 14, 234, 0, 18, 0, 0x00, 0x09, 181, 0, 165, 0, 260},
    {22, "24 mm",      "0.94\"",    24,     0, 340, 0, 112, 128, 10, 14, 320, 0, 24, 0, 0x00, 0x09, 240, 0, 226, 0, 261},
    {28, "36 mm",      "1.4\"",     36.09f, 0, 512, 0, 45,  61,  29, 14, 454, 0, 36, 0, 0x00, 0x09, 361, 0, 320, 0, 262},
    {23, "HS 5.8 mm",  "HS 0.23\"", 5.6f,   0, 80,  0, 244, 260, 12, 28, 56,  0, 6,  0, 0x11, 0x00, 56,  0, 40,  0, 415},
    {24, "HS 8.8 mm",  "HS 0.34\"", 8.7f,   0, 124, 0, 224, 240, 14, 28, 96,  0, 9,  0, 0x11, 0x00, 87,  0, 68,  0, 416},
    {25, "HS 11.7 mm", "HS 0.46\"", 11.6f,  0, 164, 0, 206, 222, 16, 28, 132, 0, 12, 0, 0x11, 0x00, 116, 0, 93,  0, 417},
    {26, "HS 17.7 mm", "HS 0.69\"", 17.8f,  0, 252, 0, 166, 182, 20, 28, 212, 0, 18, 0, 0x11, 0x00, 178, 0, 150, 0, 418},
    {27, "HS 23.6 mm", "HS 0.93\"", 23.7f,  0, 336, 0, 144, 160, 40, 28, 256, 0, 24, 0, 0x11, 0x00, 237, 0, 181, 0, 419},
};

// createTubePaperList (7 rows)
inline constexpr MediaRow kTube[] = {
    {36, "PVC Dia 2.5mm", "PVC Dia 0.09\"", 2.5f, 0, 78,  0, 27, 87, 24, 28, 30, 0, 25, 0, 0x12, 0x00, 55,  0, 21, 0, 427},
    {35, "PVC Dia 3.0mm", "PVC Dia 1.1\"",  3,    0, 90,  0, 25, 77, 24, 28, 42, 0, 30, 0, 0x12, 0x00, 63,  0, 30, 0, 428},
    {34, "PVC Dia 3.5mm", "PVC Dia 1.3\"",  3.5f, 0, 100, 0, 26, 70, 26, 28, 48, 0, 35, 0, 0x12, 0x00, 70,  0, 34, 0, 429},
    {33, "PVC Dia 4.0mm", "PVC Dia 1.5\"",  4.2f, 0, 112, 0, 27, 61, 28, 28, 56, 0, 40, 0, 0x12, 0x00, 79,  0, 39, 0, 430},
    {32, "PVC Dia 5.0mm", "PVC Dia 1.9\"",  5,    0, 134, 0, 28, 48, 33, 28, 68, 0, 50, 0, 0x12, 0x00, 94,  0, 48, 0, 431},
    {31, "PVC Dia 6.0mm", "PVC Dia 2.3\"",  6,    0, 156, 0, 29, 37, 39, 28, 78, 0, 60, 0, 0x12, 0x00, 110, 0, 55, 0, 432},
    {29, "PVC Dia 6.5mm", "PVC Dia 2.5\"",  6.5f, 0, 166, 0, 29, 29, 40, 28, 86, 0, 65, 0, 0x12, 0x00, 117, 0, 60, 0, 433},
};

// createGFePaperList (1 row)
inline constexpr MediaRow kGFe[] = {
    {37, "GF 21mm x 45mm", "GF 0.82\" x 1.77\"", 21, 45, 298, 638, 146, 160, 22, 70, 254, 496, 21, 45, 0x13, 0x00, 210, 450, 180, 350, 447},
};

// clang-format on

// What a media list states for all of its rows besides the table.
struct MediaList {
    const char* name;
    const MediaRow* rows;
    std::size_t count;
    unsigned char mediaColorCode;
    bool isTwoColor;
    bool isTube;
    // Continuous rows (length 0) carry lengthValue2 1500, lengthValue3 30000 and
    // minLengthTenthMm 254.
    bool continuousLengthValues;
};

template <std::size_t N>
constexpr MediaList mediaList(const char* name, const MediaRow (&rows)[N], unsigned char colorCode,
                              bool twoColor, bool tube, bool continuousLengthValues) {
    return {name, rows, N, colorCode, twoColor, tube, continuousLengthValues};
}

inline constexpr MediaList kVZ4000List = mediaList("VZ4000", kVZ4000, 1, false, false, true);
inline constexpr MediaList kVZList = mediaList("VZ", kVZ, 1, false, false, false);
inline constexpr MediaList kVZ2ColorList =
    mediaList("VZ2Color", kVZ2Color, 129, true, false, false);
inline constexpr MediaList kKXList = mediaList("KX", kKX, 0, false, false, false);
inline constexpr MediaList kKX3List = mediaList("KX3", kKX3, 0, false, false, false);
inline constexpr MediaList kKX36List = mediaList("KX36", kKX36, 0, false, false, false);
inline constexpr MediaList kTubeList = mediaList("Tube", kTube, 0, false, true, false);
inline constexpr MediaList kGFeList = mediaList("GFe", kGFe, 0, false, false, false);

}  // namespace paper_fixture
