#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "catalogue/paper_builder.h"
#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/custom_paper_reader.h"
#include "connection/error_state.h"
#include "connection/util.h"

// Paper selection for a job, the paper list and the PrinterSpec copy. None of these talks to the
// printer.

namespace {

// The models without a paper catalogue take their paper from a custom paper command.
constexpr int kCustomPaperKinds = 8;

namespace error = lumeko::error;
using lumeko::setErrorCode;

// Every dot field of a Paper is 16 bits wide: values are stored modulo 65536.
unsigned short dots16(int value) {
    return static_cast<unsigned short>(static_cast<unsigned int>(value) & 0xFFFFu);
}

// Builds the custom paper into `paper` from the body fields; every field not named here
// keeps its value.
void applyCustomPaper(Paper& paper, const CustomPaperFields& fields, unsigned int dpi) {
    const int widthDots =
        static_cast<int>(static_cast<double>(dpi) * static_cast<double>(fields.tapeWidMm) / 25.4);
    paper.paperId = PAPER_ID_CUSTOM;
    paper.widthMm = static_cast<float>(fields.tapeWidMm);
    paper.lengthMm = static_cast<float>(fields.tapeLenMm);
    paper.rightOffsetDots = 0;
    paper.leftOffsetDots = fields.headDot;
    paper.leftOffsetBytes = static_cast<unsigned short>(fields.headDot >> 3);
    paper.printableWidthDots = fields.prtWidth;
    paper.printableLengthDots = fields.prtLength;
    paper.lengthValue1 = fields.prtLength;
    paper.widthDots = dots16(widthDots);
    // Signed division, truncating toward zero.
    paper.sideMarginDots = dots16((static_cast<int>(paper.widthDots) + 1 - fields.prtWidth) / 2);
    paper.feedMarginDots = fields.topMargin;
    paper.lengthDots = fields.prtLength == 0
                           ? 0
                           : dots16(fields.prtLength + 2 * static_cast<int>(fields.topMargin));
}

}  // namespace

void BasePrinter::init(RasterPrintOption option) {
    setErrorCode(error::kNone);
    currentPaper.paperNameMm.clear();
    currentPaper.widthDots = 0;
    currentPaper.printableWidthDots = 0;

    if (spec.paperKinds == kCustomPaperKinds) {
        // The error code it leaves (1 or 25) is the outcome.
        (void)getCustomPaperinfo(std::move(option));
        return;
    }

    const Paper& preset = option.presetPaper;
    if (preset.printableWidthDots != 0 && preset.printableLengthDots != 0) {
        currentPaper = preset;
        return;
    }

    std::map<unsigned short, Paper> papers;
    PaperBuilder().createPaperList(spec, option, papers);
    const auto entry = papers.find(option.paperId);
    if (entry == papers.end()) {
        setErrorCode(error::kPaperNotAvailable);
        return;
    }
    currentPaper = entry->second;

    if (option.paperId == PAPER_ID_CUSTOM) {
        if (option.customPaperWidth % 8 != 0) {
            // The custom sizes and colour checks are applied all the same.
            setErrorCode(error::kPaperNotAvailable);
        }
        currentPaper.printableWidthDots = dots16(option.customPaperWidth);
        currentPaper.printableLengthDots = dots16(option.customPaperLength);
        currentPaper.lengthValue1 = dots16(option.customPaperLength);
        currentPaper.lengthDots = dots16(option.customPaperLength);
    }

    currentPaper.checkInkColor = option.checkInkColor != 0;
    currentPaper.inkColor = dots16(option.inkColor);  // sign-extended: -1 gives 0xFFFF
    currentPaper.checkLabelColor = option.checkLabelColor != 0;
    currentPaper.labelColor = dots16(option.labelColor);
}

bool BasePrinter::getCustomPaperinfo(RasterPrintOption option) {
    // The options' command bytes win; the file is opened only when there are none.
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::unique_ptr<unsigned char[]> fileData;
    if (!option.customPaperCommand.empty()) {
        data = option.customPaperCommand.data();
        size = option.customPaperCommand.size();
    } else {
        if (option.customPaperPath.empty()) {
            setErrorCode(error::kNoCustomPaper);
            return false;
        }
        unsigned char* read = nullptr;
        int readSize = 0;
        if (!tpes::Util::readFile(option.customPaperPath, read, readSize)) {
            setErrorCode(error::kNoCustomPaper);
            return false;
        }
        fileData.reset(read);
        data = read;
        size = read == nullptr || readSize < 0 ? 0 : static_cast<std::size_t>(readSize);
    }

    const std::optional<CustomPaperFields> fields =
        CustomPaperReader(data, size).find(spec.seriesCode, spec.modelCode);
    if (!fields) {
        setErrorCode(error::kNoCustomPaper);
        return false;
    }
    setErrorCode(error::kNone);
    applyCustomPaper(currentPaper, *fields, spec.dpi);
    return true;
}

std::vector<Paper> BasePrinter::getPaperList(RasterPrintOption& option) {
    std::map<unsigned short, Paper> papers;
    PaperBuilder().createPaperList(spec, option, papers);

    std::vector<Paper> list;
    list.reserve(papers.size() + 1);
    for (auto& entry : papers) {
        Paper& paper = entry.second;
        if (entry.first == PAPER_ID_CUSTOM) {
            // No multiple-of-8 test and no colour checks here.
            paper.lengthDots = dots16(option.customPaperLength);
            paper.printableLengthDots = dots16(option.customPaperLength);
            paper.lengthValue1 = dots16(option.customPaperLength);
            paper.printableWidthDots = dots16(option.customPaperWidth);
        }
        list.push_back(paper);
    }

    if (spec.paperKinds == kCustomPaperKinds) {
        // The current paper goes in whatever the outcome; the error code says which.
        (void)getCustomPaperinfo(option);
        list.push_back(currentPaper);
    }
    return list;
}

PrinterSpec BasePrinter::getPrinterSpec() {
    return spec;
}
