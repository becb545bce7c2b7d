// Prints, for every model value from -1 to 71 and 1000, the host's view of its PrinterSpec
// and of its paper list for default print options, one line per record:
//   spec|model|modelCode|seriesCode|usbProductId|headDots|dpi|dpiSecond|speedCommand|
//        tubeHeadDots|name (hex)
//   paper|model|id|widthMm (float bits)|lengthMm (bits)|widthDots|lengthDots|sideMarginDots|
//        feedMarginDots|printableWidthDots|printableLengthDots|mediaWidthMm|mediaLengthMm|
//        leftOffsetDots|rightOffsetDots|mediaType|nameMm (hex)|nameInch (hex)
// The JVM test compares the bridge's results with it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"

namespace {

std::string hex(const std::string& text) {
    std::string out;
    char byte[3];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        out += byte;
    }
    return out;
}

std::uint32_t bits(float value) {
    std::uint32_t out = 0;
    std::memcpy(&out, &value, sizeof out);
    return out;
}

void dump(int value) {
    const auto model = static_cast<Model>(value);
    BasePrinter printer(model);
    const PrinterSpec spec = printer.getPrinterSpec();
    std::printf("spec|%d|%u|%u|%u|%u|%u|%u|%d|%u|%s\n", value, spec.modelCode, spec.seriesCode,
                spec.usbProductId, spec.headDots, spec.dpi, spec.dpiSecond,
                spec.speedCommand ? 1 : 0, spec.tubeHeadDots, hex(spec.modelName).c_str());
    RasterPrintOption options;
    for (const Paper& p : printer.getPaperList(options)) {
        std::printf("paper|%d|%u|%u|%u|%u|%u|%u|%u|%u|%u|%u|%u|%u|%u|%u|%s|%s\n", value, p.paperId,
                    bits(p.widthMm), bits(p.lengthMm), p.widthDots, p.lengthDots, p.sideMarginDots,
                    p.feedMarginDots, p.printableWidthDots, p.printableLengthDots, p.mediaWidthMm,
                    p.mediaLengthMm, p.leftOffsetDots, p.rightOffsetDots, p.mediaType,
                    hex(p.paperNameMm).c_str(), hex(p.paperNameInch).c_str());
    }
}

}  // namespace

int main() {
    for (int model = -1; model <= 71; ++model) {
        dump(model);
    }
    dump(1000);
    return 0;
}
