#pragma once

#include "catalogue/paper_row.h"

// Paper rows of the tape models: tapes and heat-shrink tubes at 180 dpi, the four tapes of
// the smaller head, tapes up to 36 mm and heat-shrink tubes at 360 dpi, tubes, and the flag
// label.
//
// Columns: id, metric name, inch name, width x length mm, width x length dots, offsets
// left / right, margins side / feed, printable width x length dots, media width, length
// (mm), type / quality type, tenths width x length, printable tenths width x length, mediaId.
// A length of 0 marks continuous media. Heat-shrink rows ("HS") have type 0x11.

inline constexpr MediaListTraits kTapeTraits = {0, false, false, false};
inline constexpr MediaListTraits kTubeTraits = {0, false, true, false};

// clang-format off

// 180 dpi tapes and heat-shrink tubes. Offsets and printable width add up to 128.
inline constexpr MediaPaperRow kKXRows[] = {
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

// Four tapes at 180 dpi without a quality media type. Offsets and width add up to 128.
inline constexpr MediaPaperRow kKX3Rows[] = {
    {18, "3.5 mm", "0.13\"", 3.5f, 0, 24, 0, 55, 55, 4,  14, 18, 0, 4,  0, 0x01, 0x00, 34,  0, 34, 0, 263},
    {19, "6 mm",   "0.23\"", 6,    0, 42, 0, 48, 48, 5,  14, 32, 0, 6,  0, 0x01, 0x00, 59,  0, 45, 0, 257},
    {20, "9 mm",   "0.35\"", 9,    0, 64, 0, 39, 39, 7,  14, 50, 0, 9,  0, 0x01, 0x00, 90,  0, 71, 0, 258},
    {11, "12 mm",  "0.47\"", 12,   0, 84, 0, 32, 32, 11, 14, 64, 0, 12, 0, 0x01, 0x00, 119, 0, 99, 0, 259},
};

// 360 dpi tapes and heat-shrink tubes. Offsets and printable width add up to 560; a model
// with a smaller head gets these rows unchanged and the raster placement clips.
inline constexpr MediaPaperRow kKX36Rows[] = {
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

// Tubes: widthMm is the diameter, the media width its tenths. The inch names are kept as
// the printers' media carry them. Offsets and printable width add up to 144.
inline constexpr MediaPaperRow kTubeRows[] = {
    {36, "PVC Dia 2.5mm", "PVC Dia 0.09\"", 2.5f, 0, 78,  0, 27, 87, 24, 28, 30, 0, 25, 0, 0x12, 0x00, 55,  0, 21, 0, 427},
    {35, "PVC Dia 3.0mm", "PVC Dia 1.1\"",  3,    0, 90,  0, 25, 77, 24, 28, 42, 0, 30, 0, 0x12, 0x00, 63,  0, 30, 0, 428},
    {34, "PVC Dia 3.5mm", "PVC Dia 1.3\"",  3.5f, 0, 100, 0, 26, 70, 26, 28, 48, 0, 35, 0, 0x12, 0x00, 70,  0, 34, 0, 429},
    {33, "PVC Dia 4.0mm", "PVC Dia 1.5\"",  4.2f, 0, 112, 0, 27, 61, 28, 28, 56, 0, 40, 0, 0x12, 0x00, 79,  0, 39, 0, 430},
    {32, "PVC Dia 5.0mm", "PVC Dia 1.9\"",  5,    0, 134, 0, 28, 48, 33, 28, 68, 0, 50, 0, 0x12, 0x00, 94,  0, 48, 0, 431},
    {31, "PVC Dia 6.0mm", "PVC Dia 2.3\"",  6,    0, 156, 0, 29, 37, 39, 28, 78, 0, 60, 0, 0x12, 0x00, 110, 0, 55, 0, 432},
    {29, "PVC Dia 6.5mm", "PVC Dia 2.5\"",  6.5f, 0, 166, 0, 29, 29, 40, 28, 86, 0, 65, 0, 0x12, 0x00, 117, 0, 60, 0, 433},
};

// The flag label. Offsets and printable width add up to 560.
inline constexpr MediaPaperRow kGFeRows[] = {
    {37, "GF 21mm x 45mm", "GF 0.82\" x 1.77\"", 21, 45, 298, 638, 146, 160, 22, 70, 254, 496, 21, 45, 0x13, 0x00, 210, 450, 180, 350, 447},
};

// clang-format on
