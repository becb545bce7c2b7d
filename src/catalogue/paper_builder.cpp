#include "catalogue/paper_builder.h"

#include <utility>

#include "catalogue/full_page_paper_catalogue.h"
#include "catalogue/label_paper_catalogue.h"
#include "catalogue/paper_row.h"
#include "catalogue/tape_paper_catalogue.h"

namespace {

// paperKinds bits.
constexpr int kKindA7 = 0x0001;
constexpr int kKindA6 = 0x0002;
constexpr int kKindFullPage = 0x0004;
constexpr int kKindVZ = 0x0010;
constexpr int kKindKX = 0x0020;
constexpr int kKindKX3 = 0x0040;
constexpr int kKindKX36 = 0x0080;
constexpr int kKindTube = 0x0100;
constexpr int kKindGFe = 0x0200;
constexpr int kKindVZ4000 = 0x0400;

constexpr int kFeedModeEndOfPageRetract = 4;
constexpr int kPaperKindRoll = 1;

// Moves the paper into the map unless its id is there already.
void insertPaper(std::map<unsigned short, Paper>& papers, Paper paper) {
    const unsigned short id = paper.paperId;
    papers.try_emplace(id, std::move(paper));
}

template <size_t N>
void insertRows(std::map<unsigned short, Paper>& papers, const FullPagePaperRow (&rows)[N]) {
    for (const auto& row : rows) {
        insertPaper(papers, toPaper(row));
    }
}

template <size_t N>
void insertRows(std::map<unsigned short, Paper>& papers, const SheetPaperRow (&rows)[N]) {
    for (const auto& row : rows) {
        insertPaper(papers, toPaper(row));
    }
}

template <size_t N>
void insertRows(std::map<unsigned short, Paper>& papers, const MediaPaperRow (&rows)[N],
                const MediaListTraits& traits) {
    for (const auto& row : rows) {
        insertPaper(papers, toPaper(row, traits));
    }
}

// The full-page lists: only for paperKinds exactly 4, with the rows of the model's dpi.
template <size_t N>
void insertFullPageRows(const PrinterSpec& spec, std::map<unsigned short, Paper>& papers,
                        const FullPagePaperRow (&rows200)[N],
                        const FullPagePaperRow (&rows300)[N]) {
    if (spec.paperKinds != kKindFullPage) {
        return;
    }
    if (spec.dpi == 200) {
        insertRows(papers, rows200);
    } else if (spec.dpi == 300) {
        insertRows(papers, rows300);
    }
}

}  // namespace

void PaperBuilder::createPaperList(const PrinterSpec& spec, RasterPrintOption option,
                                   std::map<unsigned short, Paper>& papers) const {
    papers.clear();
    const int kinds = spec.paperKinds;
    if ((kinds & kKindFullPage) != 0) {
        if (option.fcFeedMode == kFeedModeEndOfPageRetract) {
            createFCEndOfPageRetractPaperList(spec, papers);
        } else if (option.fcPaperKind == kPaperKindRoll) {
            createFCRollPaperList(spec, papers);
        } else {
            createFCPaperList(spec, papers);
        }
    }
    if ((kinds & kKindA7) != 0) {
        createA7PaperList(spec, papers);
    }
    if ((kinds & kKindA6) != 0) {
        createA6PPaperList(spec, papers);
    }
    if ((kinds & kKindVZ) != 0) {
        createVZPaperList(spec, papers);
        createVZ2ColorPaperList(spec, papers);
    }
    if ((kinds & kKindVZ4000) != 0) {
        createVZ4000PaperList(spec, papers);
    }
    if ((kinds & kKindKX) != 0) {
        createKXPaperList(spec, papers);
    }
    if ((kinds & kKindKX3) != 0) {
        createKX3PaperList(spec, papers);
    }
    if ((kinds & kKindKX36) != 0) {
        createKX36PaperList(spec, papers);
    }
    if ((kinds & kKindTube) != 0) {
        createTubePaperList(spec, papers);
    }
    if ((kinds & kKindGFe) != 0) {
        createGFePaperList(spec, papers);
    }
}

void PaperBuilder::createFCPaperList(const PrinterSpec& spec,
                                     std::map<unsigned short, Paper>& papers) const {
    insertFullPageRows(spec, papers, kFCCutSheetRows200, kFCCutSheetRows300);
}

void PaperBuilder::createFCRollPaperList(const PrinterSpec& spec,
                                         std::map<unsigned short, Paper>& papers) const {
    insertFullPageRows(spec, papers, kFCRollRows200, kFCRollRows300);
}

void PaperBuilder::createFCEndOfPageRetractPaperList(
    const PrinterSpec& spec, std::map<unsigned short, Paper>& papers) const {
    insertFullPageRows(spec, papers, kFCRetractRows200, kFCRetractRows300);
}

void PaperBuilder::createA7PaperList(const PrinterSpec& spec,
                                     std::map<unsigned short, Paper>& papers) const {
    if (spec.paperKinds == kKindA7) {
        insertRows(papers, kA7Rows);
    }
}

void PaperBuilder::createA6PPaperList(const PrinterSpec& spec,
                                      std::map<unsigned short, Paper>& papers) const {
    if (spec.paperKinds == kKindA6) {
        insertRows(papers, kA6Rows);
    }
}

void PaperBuilder::createVZPaperList(const PrinterSpec&,
                                     std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kVZRows, kVZTraits);
}

void PaperBuilder::createVZ2ColorPaperList(const PrinterSpec&,
                                           std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kVZ2ColorRows, kVZ2ColorTraits);
}

void PaperBuilder::createVZ4000PaperList(const PrinterSpec&,
                                         std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kVZ4000Rows, kVZ4000Traits);
}

void PaperBuilder::createKXPaperList(const PrinterSpec&,
                                     std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kKXRows, kTapeTraits);
}

void PaperBuilder::createKX3PaperList(const PrinterSpec&,
                                      std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kKX3Rows, kTapeTraits);
}

void PaperBuilder::createKX36PaperList(const PrinterSpec&,
                                       std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kKX36Rows, kTapeTraits);
}

void PaperBuilder::createTubePaperList(const PrinterSpec&,
                                       std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kTubeRows, kTubeTraits);
}

void PaperBuilder::createGFePaperList(const PrinterSpec&,
                                      std::map<unsigned short, Paper>& papers) const {
    insertRows(papers, kGFeRows, kTapeTraits);
}
