#include "standard_pages.h"

#include <fstream>

#include "catalogue/port.h"
#include "catalogue/printer_spec_builder.h"
#include "connection/base_printer.h"
#include "page_generator.h"

namespace bench {

namespace {

// The custom paper command (156 bytes) of a continuous tape for the models that take their
// paper from one: width in mm, printable width in dots from dot `offset` of the head.
std::vector<unsigned char> continuousTapeCommand(const PrinterSpec& spec, unsigned char widthMm,
                                                 unsigned short offset, unsigned short printable,
                                                 unsigned short feedMargin) {
    auto le16 = [](std::vector<unsigned char>& out, size_t at, unsigned short v) {
        out[at] = static_cast<unsigned char>(v & 0xFF);
        out[at + 1] = static_cast<unsigned char>(v >> 8);
    };
    std::vector<unsigned char> cmd;
    // ESC i a 01 (1B 69 61 01): switch to raster mode
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x61, 0x01});
    // ESC i U O (1B 69 55 4F): custom paper block header, series and model code, length 132
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x55, 0x4F, 0x10, spec.seriesCode, spec.modelCode, 0x00, 132,
                           0, 0, 0, 0, 0, 0, 0});
    // ESC i U w 01 (1B 69 55 77 01): custom paper body of 127 bytes
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x55, 0x77, 0x01});
    const size_t body = cmd.size();
    cmd.resize(body + 127, 0);
    cmd[body + 2] = widthMm;
    le16(cmd, body + 6, offset);
    le16(cmd, body + 8, printable);
    le16(cmd, body + 115, feedMargin);
    // ESC i a FF (1B 69 61 FF): back to the default command mode
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x61, 0xFF});
    return cmd;
}

// A paper selection without a printer, to read the paper a job would print on.
class PaperSelection : public BasePrinter {
  public:
    PaperSelection(Model printerModel, const RasterPrintOption& jobOption)
        : BasePrinter(printerModel, static_cast<Port>(1)) {
        init(jobOption);
    }
    Paper paper() const { return currentPaper; }
};

StandardJob job(const char* name, const char* title, Model model, unsigned short paperId, int width,
                int height) {
    StandardJob j;
    j.name = name;
    j.title = title;
    j.model = model;
    j.width = width;
    j.height = height;
    j.option.paperId = paperId;
    j.option.numberOfCopies = 1;
    j.option.doStatusCheck = false;
    j.option.overwrite = true;
    return j;
}

}  // namespace

const std::vector<std::string>& standardJobNames() {
    static const std::vector<std::string> names = {"a", "a9", "b", "c", "k", "g", "s", "h"};
    return names;
}

bool standardJob(const std::string& name, int halftone, StandardJob& out) {
    // 1 m at 300 dpi.
    constexpr int kMetre = 11811;
    StandardJob j;
    if (name == "a" || name == "a9") {
        // Fit to the printable area; "a" as the full-page stream, "a9" with Mode 9.
        j = job(name.c_str(),
                name == "a" ? "full page, A4 2464x3508, stream" : "full page, A4, Mode 9", FC_660,
                MP_A4, kPageWidth, kPageHeight);
        j.option.printMode = 2;
        j.option.mode9 = name == "a9";
    } else if (name == "b") {
        j = job("b", "label 696x11811 (1 m), run-length", VZ_310W, KX_W62, 696, kMetre);
    } else if (name == "c") {
        j = job("c", "two-colour label 696x11800", VZ_310W, 38, 696, 11800);
    } else if (name == "k") {
        j = job("k", "24 mm tape 128x2000", KX_F420W, KX_TAPE_24, 128, 2000);
    } else if (name == "g") {
        j = job("g", "A7 page, Mode 9", GY_160MFi, MP_A7, 816, 1180);
        j.option.printMode = 2;
    } else if (name == "s" || name == "h") {
        // A continuous tape of the custom-paper models, as wide as the head allows.
        const Model model = name == "s" ? SN_7500D : HU_3430;
        const PrinterSpec spec = specOf(model);
        const int printable = spec.headDots - 16;
        j = job(name.c_str(), name == "s" ? "custom tape, 1 m" : "custom roll, 1 m", model,
                PAPER_ID_CUSTOM, printable, kMetre);
        j.option.customPaperCommand = continuousTapeCommand(
            spec, static_cast<unsigned char>(printable * 254 / (spec.dpi * 10) + 2), 8,
            static_cast<unsigned short>(printable), 36);
    } else {
        return false;
    }
    j.option.halftone = halftone;
    out = j;
    return true;
}

std::vector<unsigned char> pictureOf(const StandardJob& job) {
    return makeRgbPage(job.width, job.height);
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                const std::string& header) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(header.data(), static_cast<std::streamsize>(header.size()));
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

BitmapData bitmapOfFile(const std::string& path, int width, int height) {
    BitmapData b;
    b.bitmapFile = path;
    b.bitmapWidth = width;
    b.bitmapHeight = height;
    b.isColor = true;
    b.applyScale = true;
    b.applyOrientation = true;
    return b;
}

BitmapData bitmapOfPixels(unsigned char* pixels, int width, int height) {
    BitmapData b = bitmapOfFile(std::string(), width, height);
    b.pixels = pixels;
    return b;
}

PrinterSpec specOf(Model model) {
    PrinterSpec spec;
    PrinterSpecBuilder().getPrinterSpec(spec, model);
    return spec;
}

Paper paperOf(const StandardJob& job) {
    return PaperSelection(job.model, job.option).paper();
}

}  // namespace bench
