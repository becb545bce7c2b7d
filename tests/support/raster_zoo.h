#pragma once

#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "support/model_spec.h"

// A small set of named (spec, paper, option) rows built from the real catalogue, for the
// raster tests. Tests tweak the option (and, where a case needs it, the paper) of a row
// before they build a RasterData from it.
namespace zoo {

struct Row {
    std::string name;
    Model model = NO_MODEL;
    PrinterSpec spec;
    Paper paper;
    RasterPrintOption option;  // paperId already set to the row's paper
};

// The body fields of a custom paper command that paper selection reads.
struct CustomPaperBody {
    unsigned char tapeWidMm = 0;
    unsigned short tapeLenMm = 0;
    unsigned short headDot = 0;
    unsigned short prtWidth = 0;
    unsigned short prtLength = 0;
    unsigned short topMargin = 0;
};

// Names of every row, in a fixed order.
const std::vector<std::string>& rowNames();
// The named row; a row with an empty name when the name is unknown.
Row row(const std::string& name);

// The decoded spec of a model (the defaults for a model without a record).
using ::specOf;
// A paper of the model's catalogue (a zeroed Paper when the list has no such id).
Paper cataloguePaper(const PrinterSpec& spec, unsigned short paperId,
                     const RasterPrintOption& option = RasterPrintOption());
// The 156-byte custom paper command of a model with the given body.
std::vector<unsigned char> customPaperCommand(const PrinterSpec& spec, const CustomPaperBody& body);
// The custom paper (id 254) that paper selection builds from such a command.
Paper customPaper(const PrinterSpec& spec, const CustomPaperBody& body);

}  // namespace zoo
