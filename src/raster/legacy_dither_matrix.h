#pragma once

// The 4 x 4 matrix of the legacy ordered dither, as four groups of four: the group is chosen
// by the column (x mod 4), the place in the group by the row (y mod 4).
// clang-format off
constexpr unsigned char kLegacyDitherMatrix[16] = {
     0,  8,  2, 10,
    12,  4, 14,  6,
     3, 11,  1,  9,
    15,  7, 13,  5,
};
// clang-format on
