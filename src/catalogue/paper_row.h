#pragma once

#include "catalogue/paper.h"

// Rows of the stored paper catalogues. Each row type holds the columns of its catalogue table
// in table order; the conversion into `Paper` fills the fields the table leaves out.

// A row of the three full-page lists (cut sheet, roll, retract). Both names carry `name`.
struct FullPagePaperRow {
    unsigned short paperId;
    const char* name;
    float widthMm;
    float lengthMm;
    unsigned short widthDots;
    unsigned short lengthDots;
    unsigned short leftOffsetDots;
    unsigned short sideMarginDots;
    unsigned short feedMarginDots;
    unsigned short printableWidthDots;
    unsigned short printableLengthDots;
    unsigned short leftOffsetBytes;
    unsigned short fcPaperCommandValue;
    bool isCustomSize;
    unsigned short lengthValue1;
};

// A row of the one-row A7 and A6 lists. Both names carry `name`.
struct SheetPaperRow {
    unsigned short paperId;
    const char* name;
    float widthMm;  // centimetre figures, as the host has always seen them
    float lengthMm;
    unsigned short widthDots;
    unsigned short lengthDots;
    unsigned short sideMarginDots;
    unsigned short feedMarginDots;
    unsigned short printableWidthDots;
    unsigned short printableLengthDots;
    unsigned short lengthValue1;
};

// A row of the label, tape, tube and flag-label lists.
struct MediaPaperRow {
    unsigned short paperId;
    const char* nameMm;
    const char* nameInch;
    float widthMm;
    float lengthMm;
    unsigned short widthDots;
    unsigned short lengthDots;
    unsigned short leftOffsetDots;
    unsigned short rightOffsetDots;
    unsigned short sideMarginDots;
    unsigned short feedMarginDots;
    unsigned short printableWidthDots;
    unsigned short printableLengthDots;
    unsigned char mediaWidthMm;
    unsigned char mediaLengthMm;
    unsigned char mediaType;
    unsigned char qualityMediaType;
    unsigned short widthTenthMm;
    unsigned short lengthTenthMm;
    unsigned short printableWidthTenthMm;
    unsigned short printableLengthTenthMm;
    unsigned short mediaId;
};

// Values that a whole media list shares and its table does not show.
struct MediaListTraits {
    unsigned char mediaColorCode;
    bool isTwoColor;
    bool isTube;
    // Continuous rows (lengthDots 0) carry lengthValue2 1500, lengthValue3 30000 and a
    // shortest printable length of 25.4 mm.
    bool continuousMinimumLength;
};

// Every field not in the row is 0 (names included where the row has none).
Paper toPaper(const FullPagePaperRow& row);
Paper toPaper(const SheetPaperRow& row);
Paper toPaper(const MediaPaperRow& row, const MediaListTraits& traits);
