#pragma once

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"

namespace tpes {

// The print-quality mode of one raster page and the magnification factors it implies.
// Holds its own copies of the job's options, spec and paper, taken when the raster data
// object is built; later rewrites of the job's copies never reach them.
//
// Modes: 1 normal, 2 low resolution, 3 high resolution, 4 high resolution for a
// high-resolution image (image size unchanged, margins doubled).
class PrintQualitySetting {
  public:
    PrintQualitySetting() = default;
    PrintQualitySetting(const RasterPrintOption& option, const PrinterSpec& spec,
                        const Paper& paper);
    virtual ~PrintQualitySetting() = default;

    // Chooses the mode from the copies, tested in the order 2, 3, 4, else 1.
    void setPrintQualityMode();

    float getMagnificationForImageArea() const;
    float getMagnificationForMargin() const;
    float magnificationOfBitmapData() const;
    float magnificationOfCuttingPaperHeight() const;
    float magnificationOfImageAreaForFitToPaper() const;
    // The image-area factor when the paper has a media length, else 1.0.
    float magnificationOfRasterData() const;
    float magnificationOfPaperImageareaHeightForRaw() const;
    float magnificationOfPaperImageareaHeightForTiff() const;
    // 2.0 in mode 3 on a paper with a media length, else 1.0.
    float magnificationOfPaperImageareaHeightForConvertBitmapToRasterPrnData() const;
    float magnificationOfSpace() const;
    float magnificationOfTopMargin() const;
    float magnificationOfMarginForFitToPaper() const;

    bool isLowResolution() const;
    bool isHighResolution() const;
    bool isHighResolutionHRImage() const;
    bool isHighOrLowResolutionMode() const;
    // Threshold halftoning in mode 3 or 4.
    bool isEnergyUp() const;
    bool isConvert3BlackLineTo1WhiteLine() const;

    int printQualityMode = 1;
    RasterPrintOption option;
    PrinterSpec spec;
    Paper paper;

  private:
    float mediaLengthFactor() const;
};

}  // namespace tpes
