#include "raster/print_quality_setting.h"

namespace tpes {

namespace {
// Margin factor of modes 2, 3 and 4.
constexpr float kMarginFactors[3] = {0.5f, 2.0f, 2.0f};
}  // namespace

PrintQualitySetting::PrintQualitySetting(const RasterPrintOption& opt, const PrinterSpec& sp,
                                         const Paper& pa)
    : option(opt), spec(sp), paper(pa) {}

void PrintQualitySetting::setPrintQualityMode() {
    if (isLowResolution()) {
        printQualityMode = 2;
    } else if (isHighResolution()) {
        printQualityMode = 3;
    } else if (isHighResolutionHRImage()) {
        printQualityMode = 4;
    } else {
        printQualityMode = 1;
    }
}

bool PrintQualitySetting::isLowResolution() const {
    return spec.qualityModeSupported && (spec.advancedModeCaps & 0x80) != 0 &&
           option.printQuality == 1;
}

bool PrintQualitySetting::isHighResolution() const {
    return !paper.isTwoColor && spec.qualityModeSupported && (spec.advancedModeCaps & 0x10) != 0 &&
           option.printQuality == 4;
}

bool PrintQualitySetting::isHighResolutionHRImage() const {
    return !paper.isTwoColor && spec.qualityModeSupported && (spec.advancedModeCaps & 0x10) != 0 &&
           option.printQuality == 5;
}

bool PrintQualitySetting::isHighOrLowResolutionMode() const {
    return printQualityMode >= 2 && printQualityMode <= 4;
}

bool PrintQualitySetting::isEnergyUp() const {
    return option.halftone == 1 && (printQualityMode == 3 || printQualityMode == 4);
}

bool PrintQualitySetting::isConvert3BlackLineTo1WhiteLine() const {
    return isEnergyUp();
}

float PrintQualitySetting::getMagnificationForImageArea() const {
    switch (printQualityMode) {
        case 2:
            return 0.5f;
        case 3:
            return 2.0f;
        default:
            return 1.0f;
    }
}

float PrintQualitySetting::getMagnificationForMargin() const {
    if (printQualityMode >= 2 && printQualityMode <= 4) {
        return kMarginFactors[printQualityMode - 2];
    }
    return 1.0f;
}

float PrintQualitySetting::mediaLengthFactor() const {
    return paper.mediaLengthMm != 0 ? getMagnificationForImageArea() : 1.0f;
}

float PrintQualitySetting::magnificationOfBitmapData() const {
    return getMagnificationForImageArea();
}
float PrintQualitySetting::magnificationOfCuttingPaperHeight() const {
    return getMagnificationForImageArea();
}
float PrintQualitySetting::magnificationOfImageAreaForFitToPaper() const {
    return getMagnificationForImageArea();
}
float PrintQualitySetting::magnificationOfRasterData() const {
    return mediaLengthFactor();
}
float PrintQualitySetting::magnificationOfPaperImageareaHeightForRaw() const {
    return mediaLengthFactor();
}
float PrintQualitySetting::magnificationOfPaperImageareaHeightForTiff() const {
    return mediaLengthFactor();
}
float PrintQualitySetting::magnificationOfPaperImageareaHeightForConvertBitmapToRasterPrnData()
    const {
    return (paper.mediaLengthMm != 0 && printQualityMode == 3) ? 2.0f : 1.0f;
}
float PrintQualitySetting::magnificationOfSpace() const {
    return getMagnificationForMargin();
}
float PrintQualitySetting::magnificationOfTopMargin() const {
    return getMagnificationForMargin();
}
float PrintQualitySetting::magnificationOfMarginForFitToPaper() const {
    return getMagnificationForMargin();
}

}  // namespace tpes
