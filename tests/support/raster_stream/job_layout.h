#pragma once

#include <fstream>
#include <iterator>
#include <vector>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "support/raster_stream/job_stream_walker.h"

// The stream layout of a model, its paper and the job's options, for the job-stream walker.
// Header only, so that the walker library itself needs nothing of the library under test.
namespace raster_stream {

// mode9: Mode 9 is in use for the job (the option's mode9 as the job ends up with it and
// the model's mode9Supported).
inline JobLayout layoutFor(const PrinterSpec& spec, const Paper& paper,
                           const RasterPrintOption& option, bool mode9) {
    JobLayout l;
    const bool fullPage = spec.seriesId == 1;
    if (mode9) {
        l.body = BodyKind::Mode9;
        l.mode9FullPageStart = fullPage;
    } else if (fullPage) {
        l.body = BodyKind::FullPage;
    } else if (paper.isTwoColor) {
        l.body = BodyKind::TwoColor;
    } else {
        l.body = BodyKind::Label;
    }
    l.zeroBytes = spec.invalidateLength;
    if (spec.paperKinds == 8) {
        if (!option.customPaperCommand.empty()) {
            l.customPaper = option.customPaperCommand;
        } else {
            std::ifstream f(option.customPaperPath, std::ios::binary);
            l.customPaper.assign(std::istreambuf_iterator<char>(f),
                                 std::istreambuf_iterator<char>());
        }
    }
    l.fullPageSwitch = fullPage;
    const bool tube = paper.isTube && spec.tubeSupported;
    l.lineBytes = (tube ? spec.tubeHeadDots : spec.headDots) / 8;
    l.packed = !(spec.compression == 0 || (spec.compression == 1 && option.rawMode));
    l.mode9LineSize = paper.printableWidthDots / 8 + paper.leftOffsetBytes + 1;
    l.widthDots = spec.headDots;
    return l;
}

}  // namespace raster_stream
