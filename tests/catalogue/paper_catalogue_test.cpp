// The rows of every paper list: every model's list against the catalogue tables, and the
// rules the tables state for whole lists.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/paper_builder.h"
#include "catalogue/paper_fields.h"
#include "model_catalogue_fixture.h"
#include "paper_catalogue_fixture.h"
#include "support/model_spec.h"

namespace {

using PaperMap = std::map<unsigned short, Paper>;
using ListFn = void (PaperBuilder::*)(const PrinterSpec&, PaperMap&) const;

struct PaperList {
    const char* name;
    ListFn fn;
    int paperKinds;  // what the list's guard needs
    int dpi;
    size_t rows;
    int offsetSum;  // left offset + printable width + right offset; 0: not checked
};

// clang-format off
const PaperList kLists[] = {
    {"FC200",      &PaperBuilder::createFCPaperList,                 4, 200, 6,  0},
    {"FC300",      &PaperBuilder::createFCPaperList,                 4, 300, 6,  0},
    {"Roll200",    &PaperBuilder::createFCRollPaperList,             4, 200, 6,  0},
    {"Roll300",    &PaperBuilder::createFCRollPaperList,             4, 300, 6,  0},
    {"Retract200", &PaperBuilder::createFCEndOfPageRetractPaperList, 4, 200, 6,  0},
    {"Retract300", &PaperBuilder::createFCEndOfPageRetractPaperList, 4, 300, 6,  0},
    {"A7",         &PaperBuilder::createA7PaperList,                 1, 300, 1,  0},
    {"A6",         &PaperBuilder::createA6PPaperList,                2, 300, 1,  0},
    {"VZ4000",     &PaperBuilder::createVZ4000PaperList,             0, 0,   29, 1296},
    {"VZ",         &PaperBuilder::createVZPaperList,                 0, 0,   21, 720},
    {"VZ2Color",   &PaperBuilder::createVZ2ColorPaperList,           0, 0,   1,  720},
    {"KX",         &PaperBuilder::createKXPaperList,                 0, 0,   11, 128},
    {"KX3",        &PaperBuilder::createKX3PaperList,                0, 0,   4,  128},
    {"KX36",       &PaperBuilder::createKX36PaperList,               0, 0,   12, 560},
    {"Tube",       &PaperBuilder::createTubePaperList,               0, 0,   7,  144},
    {"GFe",        &PaperBuilder::createGFePaperList,                0, 0,   1,  560},
};
// clang-format on

PaperMap build(const PaperList& list) {
    PrinterSpec spec;
    spec.paperKinds = list.paperKinds;
    spec.dpi = static_cast<uint16_t>(list.dpi);
    PaperMap papers;
    (PaperBuilder().*list.fn)(spec, papers);
    return papers;
}

TEST(PaperCatalogue, RowCountsAndOffsetSums) {
    for (const auto& list : kLists) {
        const PaperMap papers = build(list);
        EXPECT_EQ(papers.size(), list.rows) << list.name;
        for (const auto& [id, p] : papers) {
            EXPECT_EQ(id, p.paperId) << list.name;
            if (list.offsetSum == 0) {
                continue;
            }
            // The one row of a list whose offsets do not fill the head.
            const int expected =
                (std::string(list.name) == "VZ4000" && id == 4) ? 1295 : list.offsetSum;
            EXPECT_EQ(p.leftOffsetDots + p.printableWidthDots + p.rightOffsetDots, expected)
                << list.name << " id " << id;
        }
    }
}

// Not a stated rule, but it holds on every row except those singled out: a transcription
// slip in a width or a margin shows up here.
TEST(PaperCatalogue, PrintableWidthIsWidthLessBothSideMargins) {
    const std::set<std::pair<std::string, unsigned short>> exceptions = {
        {"FC200", 254},    {"FC300", 254},      {"Roll200", 254},
        {"Roll300", 254},  {"Retract200", 254}, {"Retract300", 254},
        {"Retract200", 1}, {"KX3", 18},         {"KX3", 11}};
    for (const auto& list : kLists) {
        for (const auto& [id, p] : build(list)) {
            const bool holds = p.printableWidthDots == p.widthDots - 2 * p.sideMarginDots;
            EXPECT_EQ(holds, exceptions.count({list.name, id}) == 0) << list.name << " id " << id;
        }
    }
}

// Expected rows, from the catalogue tables of the fixture.
// The fields every kind of row has.
template <class Row>
Paper paperWithSize(const Row& r) {
    Paper p;
    p.paperId = r.id;
    p.widthMm = r.widthMm;
    p.lengthMm = r.lengthMm;
    p.widthDots = r.widthDots;
    p.lengthDots = r.lengthDots;
    p.sideMarginDots = r.sideMarginDots;
    p.feedMarginDots = r.feedMarginDots;
    p.printableWidthDots = r.printableWidthDots;
    p.printableLengthDots = r.printableLengthDots;
    return p;
}

Paper expectedPaper(const paper_fixture::FullPageRow& r) {
    Paper p = paperWithSize(r);
    p.paperNameMm = r.names;
    p.paperNameInch = r.names;
    p.leftOffsetDots = r.leftOffsetDots;
    p.leftOffsetBytes = r.leftOffsetBytes;
    p.fcPaperCommandValue = r.fcPaperCommandValue;
    p.isCustomSize = r.isCustomSize;
    p.lengthValue1 = r.lengthValue1;
    return p;
}

Paper expectedPaper(const paper_fixture::SheetRow& r) {
    Paper p = paperWithSize(r);
    p.paperNameMm = r.names;
    p.paperNameInch = r.names;
    p.lengthValue1 = r.lengthValue1;
    return p;
}

Paper expectedPaper(const paper_fixture::MediaRow& r, const paper_fixture::MediaList& list) {
    Paper p = paperWithSize(r);
    p.paperNameMm = r.nameMm;
    p.paperNameInch = r.nameInch;
    p.leftOffsetDots = r.leftOffsetDots;
    p.rightOffsetDots = r.rightOffsetDots;
    p.mediaWidthMm = r.mediaWidthMm;
    p.mediaLengthMm = r.mediaLengthMm;
    p.mediaType = r.mediaType;
    p.qualityMediaType = r.qualityMediaType;
    p.widthTenthMm = r.widthTenthMm;
    p.lengthTenthMm = r.lengthTenthMm;
    p.printableWidthTenthMm = r.printableWidthTenthMm;
    p.printableLengthTenthMm = r.printableLengthTenthMm;
    p.mediaId = r.mediaId;
    p.mediaColorCode = list.mediaColorCode;
    p.isTwoColor = list.isTwoColor;
    p.isTube = list.isTube;
    if (list.continuousLengthValues && r.lengthDots == 0) {
        p.lengthValue2 = 1500;
        p.lengthValue3 = 30000;
        p.minLengthTenthMm = 254;
    }
    return p;
}

// Inserts without replacing: the list added first keeps an id.
template <class Row>
void addRows(PaperMap& papers, const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        papers.emplace(rows[i].id, expectedPaper(rows[i]));
    }
}

void addList(PaperMap& papers, const paper_fixture::MediaList& list) {
    for (size_t i = 0; i < list.count; ++i) {
        papers.emplace(list.rows[i].id, expectedPaper(list.rows[i], list));
    }
}

// The paper list of a model as the catalogue describes it: the lists of its paper kinds in
// the builder's order, the full-page list by the feed mode first, then the paper kind.
PaperMap expectedList(int paperKinds, int dpi, int fcFeedMode, int fcPaperKind) {
    using namespace paper_fixture;
    PaperMap papers;
    if (paperKinds == 0x0004 && (dpi == 200 || dpi == 300)) {
        const bool at200 = dpi == 200;
        if (fcFeedMode == 4) {
            at200 ? addRows(papers, kRetract200, std::size(kRetract200))
                  : addRows(papers, kRetract300, std::size(kRetract300));
        } else if (fcPaperKind == 1) {
            at200 ? addRows(papers, kRoll200, std::size(kRoll200))
                  : addRows(papers, kRoll300, std::size(kRoll300));
        } else {
            at200 ? addRows(papers, kFC200, std::size(kFC200))
                  : addRows(papers, kFC300, std::size(kFC300));
        }
    }
    if (paperKinds == 0x0001) {
        addRows(papers, &kSheets[0], 1);
    }
    if (paperKinds == 0x0002) {
        addRows(papers, &kSheets[1], 1);
    }
    const struct {
        int bit;
        const MediaList* list;
    } media[] = {{0x0010, &kVZList},   {0x0010, &kVZ2ColorList}, {0x0400, &kVZ4000List},
                 {0x0020, &kKXList},   {0x0040, &kKX3List},      {0x0080, &kKX36List},
                 {0x0100, &kTubeList}, {0x0200, &kGFeList}};
    for (const auto& m : media) {
        if ((paperKinds & m.bit) != 0) {
            addList(papers, *m.list);
        }
    }
    return papers;
}

// Every model's paper list, for every choice of the full-page options, field by field
// against the catalogue tables.
TEST(PaperCatalogue, EveryModelsListMatchesTheTables) {
    struct ModelKinds {
        int model;
        int paperKinds;
        int dpi;
    };
    std::vector<ModelKinds> models = {{43, 0, 0}, {44, 0, 0}};  // no record: no paper
    for (const auto& row : catalogue_fixture::kIdentity) {
        models.push_back({row.value, row.paperKinds, row.dpi});
    }
    ASSERT_EQ(models.size(), 70u);
    for (const ModelKinds& m : models) {
        const PrinterSpec spec = specOf(static_cast<Model>(m.model));
        for (const auto& [feedMode, paperKind] : {std::pair{1, 2}, {1, 1}, {4, 1}, {4, 2}}) {
            SCOPED_TRACE("model " + std::to_string(m.model) + ", feed mode " +
                         std::to_string(feedMode) + ", paper kind " + std::to_string(paperKind));
            RasterPrintOption option;
            option.fcFeedMode = feedMode;
            option.fcPaperKind = paperKind;
            PaperMap built;
            PaperBuilder().createPaperList(spec, option, built);
            const PaperMap expected = expectedList(m.paperKinds, m.dpi, feedMode, paperKind);
            std::vector<unsigned short> builtIds, expectedIds;
            for (const auto& entry : built) {
                builtIds.push_back(entry.first);
            }
            for (const auto& entry : expected) {
                expectedIds.push_back(entry.first);
            }
            ASSERT_EQ(builtIds, expectedIds);
            for (const auto& [id, paper] : expected) {
                EXPECT_EQ(paper_fields::joined(paper_fields::differences(paper, built.at(id))), "")
                    << "id " << id;
            }
        }
    }
}

TEST(PaperCatalogue, StatedSetsOfRows) {
    const std::set<std::string> fullPage = {"FC200",      "FC300",      "Roll200", "Roll300",
                                            "Retract200", "Retract300", "A7",      "A6"};
    const std::set<std::string> labels = {"VZ4000", "VZ", "VZ2Color"};
    const std::set<unsigned short> freeLabelIds = {11, 12, 13, 14, 15, 16, 38, 40, 49, 51, 52};
    const std::set<unsigned short> heatShrinkIds = {23, 24, 25, 26, 27};
    for (const auto& list : kLists) {
        const std::string name = list.name;
        for (const auto& [id, p] : build(list)) {
            const std::string where = name + " id " + std::to_string(id);
            bool freeLength;
            if (fullPage.count(name) != 0) {
                freeLength = false;
            } else if (labels.count(name) != 0) {
                freeLength = freeLabelIds.count(id) != 0;
            } else {
                freeLength = name != "GFe";
            }
            EXPECT_EQ(p.isFreeLength(), freeLength) << where;

            const bool heatShrink =
                (name == "KX" || name == "KX36") && heatShrinkIds.count(id) != 0;
            EXPECT_EQ(p.mediaType == MEDIA_TYPE_HEAT_SHRINK, heatShrink) << where;

            const bool continuousWideLabel = name == "VZ4000" && p.lengthDots == 0;
            EXPECT_EQ(p.minLengthTenthMm == 254, continuousWideLabel) << where;
            EXPECT_EQ(p.minLengthTenthMm == 0, !continuousWideLabel) << where;

            EXPECT_EQ(p.isTube, name == "Tube") << where;
            EXPECT_EQ(p.isTwoColor, name == "VZ2Color") << where;
            const int colorCode = name == "VZ2Color" ? 129 : (name == "VZ" || name == "VZ4000");
            EXPECT_EQ(p.mediaColorCode, colorCode) << where;

            // Every row leaves the colour checks to paper selection.
            EXPECT_FALSE(p.checkInkColor || p.checkLabelColor || p.inkColor || p.labelColor)
                << where;
        }
    }
}

}  // namespace
