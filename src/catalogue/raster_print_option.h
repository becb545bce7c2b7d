#pragma once

#include <string>
#include <vector>

#include "catalogue/paper.h"

// The print options of one raster job. The host bridge keeps one process-wide instance, built
// with the defaults below and filled from the host's option object; every operation that needs
// the options takes its own deep copy.
class RasterPrintOption {
  public:
    unsigned short paperId = PAPER_ID_NONE;  // 254 custom size, 255 no paper
    int orientation = 1;                     // 1 portrait, 2 a quarter turn
    int printMode = 1;  // 1 unscaled, 2 fit printable area, 3 by `scale`, 4 fit paper
    int halftone = 1;   // 1 threshold, 2 ordered dither, 3 error diffusion
    short halfThreshold = 128;
    // Colour-effect values of the two-colour path; all five 0 means no colour-effect table.
    signed char colorBrightness = 0;
    signed char colorContrast = 0;
    signed char colorRed = 0;
    signed char colorGreen = 0;
    signed char colorBlue = 0;
    int align = 1;   // 1 left (by marginLeft), 2 centre, 3 right
    int valign = 1;  // 1 top (by marginTop), 2 centre, 3 bottom
    int marginTop = 0;
    int marginLeft = 0;
    double scale = 1.0;  // used with printMode 3
    bool mirrorPrint = false;
    bool rotate180 = false;
    bool isCutAtEnd = false;
    bool isAutoCut = false;
    unsigned short autoCutPageCount = 1;  // low byte is the auto-cut page operand
    bool isSpecialTape = false;
    bool isHalfCut = false;
    signed char density = 5;  // -5..5 label series, 0..10 full-page series
    unsigned char speed = 0;  // full-page series, 0..3
    bool dashLine = false;
    bool peelMode = false;
    bool fcCarbon = false;
    bool mode9 = true;
    bool isCutMark = false;
    int labelMargin = 0;
    bool isLabelEndCut = false;
    int printQuality = 2;  // 1 low, 2 normal, 4 high, 5 high for a high-resolution image
    int rollPrinterCase = 1;
    int paperPosition = 1;  // custom-size width across the head: 1 left, 2 centre, 3 right
    int fcFeedMode = 1;     // 4 selects the end-of-page retract paper list
    int checkPrintEnd = 3;  // status reading: 1 never, 2 all pages but the last, 3 every page
    std::string customPaperPath;
    int customPaperWidth = 0;   // dots
    int customPaperLength = 0;  // dots
    int customFeed = 0;
    std::vector<unsigned char> customPaperCommand;
    // Spare fields: stored and copied, read by nothing.
    bool spareFlag = false;
    std::string spareText1;
    std::string spareText2;
    int numberOfCopies = 1;
    bool doStatusCheck = true;
    std::string savePrnPath;  // not empty: the job is written to this file
    bool overwrite = true;    // writing to savePrnPath replaces the file; false appends
    Paper presetPaper;        // taken when its printable width and length are both non-zero
    bool trimTapeAfterData = false;
    bool rawMode = false;
    int fcPaperKind = 2;  // 1 selects the roll paper list
    int closeWaitDisusingStatusCheckSec = 3;
    bool useLegacyHalftoneEngine = false;
    bool banishMargin = false;
    unsigned char checkInkColor = 0;
    signed char inkColor = 0;
    unsigned char checkLabelColor = 0;
    signed char labelColor = 0;

    RasterPrintOption() = default;
    RasterPrintOption(const RasterPrintOption&) = default;
    RasterPrintOption& operator=(const RasterPrintOption&) = default;
    RasterPrintOption(RasterPrintOption&&) = default;
    RasterPrintOption& operator=(RasterPrintOption&&) = default;
    virtual ~RasterPrintOption() = default;
};
