#include "raster_zoo.h"

#include <map>

#include "catalogue/paper_builder.h"
#include "connection/base_printer.h"

namespace zoo {

namespace {

struct CatalogueRow {
    const char* name;
    Model model;
    unsigned short paperId;
};

// clang-format off
const CatalogueRow kCatalogueRows[] = {
    {"kx38_tape24",       KX_F420W,   22},  // tape, quality media type 0x09
    {"kx38_flag",         KX_F420W,   37},  // flag label: a media length, quality type 0
    {"kx24_hs58",         KX_A380W,   23},  // heat-shrink tube, quality media type 0
    {"kx37_tube65",       KX_C450TKW, 29},  // tube paper on a tube model
    {"vz52_diecut62x29",  VZ_310W,    9},
    {"vz52_continuous62", VZ_310W,    16},
    {"vz52_twocolor",     VZ_310W,    38},
    {"vz54_dt90",         VZ_4600,    51},
    {"vz54_dt102",        VZ_4600,    52},
    {"vz54_dt102x51",     VZ_4600,    53},
    {"vz54_dt102x152",    VZ_4600,    54},
    {"vz54_dia12",        VZ_4600,    55},
    {"gy34_a7",           GY_160MFi,  6},   // Mode 9 with the mirrored margin
    {"fc28_a4",           FC_660,     1},
    {"fc28_custom",       FC_660,     254}, // custom row: paper offset and position
};
// clang-format on

// The custom paper of the SN-7500D row: 102 mm continuous tape, printable 1200 dots from
// dot 24 of the 1280-dot head, feed margin 36.
constexpr CustomPaperBody kSn63Body = {102, 0, 24, 1200, 0, 36};

// Paper selection of a model-only operation, with its selected paper readable.
class SelectingPrinter : public BasePrinter {
  public:
    using BasePrinter::BasePrinter;
    Paper selectedPaper() const { return currentPaper; }
};

void putLe16(std::vector<unsigned char>& out, size_t at, unsigned short v) {
    out[at] = static_cast<unsigned char>(v & 0xFF);
    out[at + 1] = static_cast<unsigned char>(v >> 8);
}

}  // namespace

const std::vector<std::string>& rowNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const CatalogueRow& r : kCatalogueRows) {
            v.push_back(r.name);
        }
        v.push_back("sn63_custom");
        v.push_back("none43");
        return v;
    }();
    return names;
}

Paper cataloguePaper(const PrinterSpec& spec, unsigned short paperId,
                     const RasterPrintOption& option) {
    std::map<unsigned short, Paper> papers;
    PaperBuilder().createPaperList(spec, option, papers);
    auto it = papers.find(paperId);
    return it == papers.end() ? Paper() : it->second;
}

std::vector<unsigned char> customPaperCommand(const PrinterSpec& spec,
                                              const CustomPaperBody& body) {
    std::vector<unsigned char> cmd;
    // ESC i a 01: switch to raster mode
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x61, 0x01});
    // Block header: marker ESC i U O, 0x10, series and model code, 0, length 132, 4 zeros.
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x55, 0x4F, 0x10, spec.seriesCode, spec.modelCode, 0x00, 132,
                           0, 0, 0, 0, 0, 0, 0});
    // Body marker ESC i U w 01, then the 127-byte body.
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x55, 0x77, 0x01});
    const size_t b = cmd.size();
    cmd.resize(b + 127, 0);
    cmd[b + 2] = body.tapeWidMm;
    putLe16(cmd, b + 3, body.tapeLenMm);
    putLe16(cmd, b + 6, body.headDot);
    putLe16(cmd, b + 8, body.prtWidth);
    putLe16(cmd, b + 10, body.prtLength);
    putLe16(cmd, b + 115, body.topMargin);
    // ESC i a FF: back to the default command mode
    cmd.insert(cmd.end(), {0x1B, 0x69, 0x61, 0xFF});
    return cmd;
}

Paper customPaper(const PrinterSpec& spec, const CustomPaperBody& body) {
    Paper p;
    p.paperId = 254;
    p.widthMm = body.tapeWidMm;
    p.lengthMm = body.tapeLenMm;
    p.widthDots = static_cast<unsigned short>(spec.dpi * body.tapeWidMm / 25.4);
    p.leftOffsetDots = body.headDot;
    p.leftOffsetBytes = static_cast<unsigned short>(body.headDot >> 3);
    p.rightOffsetDots = 0;
    p.printableWidthDots = body.prtWidth;
    p.printableLengthDots = body.prtLength;
    p.lengthValue1 = body.prtLength;
    p.sideMarginDots = static_cast<unsigned short>((p.widthDots + 1 - body.prtWidth) / 2);
    p.feedMarginDots = body.topMargin;
    p.lengthDots =
        static_cast<unsigned short>(body.prtLength != 0 ? body.prtLength + 2 * body.topMargin : 0);
    return p;
}

Row row(const std::string& name) {
    Row r;
    for (const CatalogueRow& c : kCatalogueRows) {
        if (name == c.name) {
            r.name = name;
            r.model = c.model;
            r.spec = specOf(c.model);
            r.option.paperId = c.paperId;
            r.paper = cataloguePaper(r.spec, c.paperId, r.option);
            return r;
        }
    }
    if (name == "sn63_custom") {
        r.name = name;
        r.model = SN_7500D;
        r.spec = specOf(SN_7500D);
        r.option.paperId = 254;
        r.option.customPaperCommand = customPaperCommand(r.spec, kSn63Body);
        // The paper as paper selection builds it from the command.
        SelectingPrinter printer(SN_7500D);
        r.paper = printer.getCustomPaperinfo(r.option) ? printer.selectedPaper()
                                                       : customPaper(r.spec, kSn63Body);
    } else if (name == "none43") {
        r.name = name;
        r.model = static_cast<Model>(43);
        r.spec = specOf(r.model);
    }
    return r;
}

}  // namespace zoo
