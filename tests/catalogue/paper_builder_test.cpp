// Which lists createPaperList chooses for a model's paper kinds and the print options.
#include "catalogue/paper_builder.h"

#include "catalogue/printer_spec_builder.h"
#include "support/model_spec.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using PaperMap = std::map<unsigned short, Paper>;

// The paper list of a spec with these full-page options.
PaperMap listOf(const PrinterSpec& spec, int fcFeedMode, int fcPaperKind) {
    RasterPrintOption option;
    option.fcFeedMode = fcFeedMode;
    option.fcPaperKind = fcPaperKind;
    PaperMap papers;
    PaperBuilder().createPaperList(spec, option, papers);
    return papers;
}

PaperMap paperList(int paperKinds, int dpi, int fcFeedMode = 1, int fcPaperKind = 2) {
    PrinterSpec spec;
    spec.paperKinds = paperKinds;
    spec.dpi = static_cast<uint16_t>(dpi);
    return listOf(spec, fcFeedMode, fcPaperKind);
}

std::vector<unsigned short> idsOf(const PaperMap& papers) {
    std::vector<unsigned short> ids;
    for (const auto& entry : papers) {
        ids.push_back(entry.first);
    }
    return ids;
}

// Names the full-page list a map holds, by its telltale rows: the retract list's custom row
// has empty names, the roll list's row 3 is named "A5", and row 1's width gives the dpi.
std::string fullPageListOf(const PaperMap& papers) {
    if (papers.empty()) {
        return "none";
    }
    if (papers.size() != 6 || papers.count(1) == 0 || papers.count(3) == 0 ||
        papers.count(254) == 0) {
        return "unexpected";
    }
    std::string kind = "cut";
    if (papers.at(254).paperNameMm.empty()) {
        kind = "retract";
    } else if (papers.at(3).paperNameMm == "A5") {
        kind = "roll";
    }
    const unsigned short width = papers.at(1).widthDots;
    return kind + (width == 1654 ? "200" : width == 2480 ? "300" : "?");
}

TEST(PaperBuilder, FullPageListByFeedModePaperKindAndDpi) {
    for (const int dpi : {200, 300, 203}) {
        for (const int feedMode : {1, 4}) {
            for (const int paperKind : {1, 2}) {
                std::string expected = "none";
                if (dpi != 203) {
                    // The feed mode goes first: 4 with paper kind 1 is the retract list.
                    const char* kind = feedMode == 4 ? "retract" : paperKind == 1 ? "roll" : "cut";
                    expected = kind + std::to_string(dpi);
                }
                EXPECT_EQ(fullPageListOf(paperList(4, dpi, feedMode, paperKind)), expected)
                    << "dpi " << dpi << " feed mode " << feedMode << " paper kind " << paperKind;
            }
        }
    }
}

TEST(PaperBuilder, ExactGuardsAndUnknownKindsGiveEmptyLists) {
    // 0: a model without a record; 3: neither the A7 nor the A6 guard holds; 5: neither the
    // full-page nor the A7 guard holds; 8: the custom-paper models; other bits add nothing.
    for (const int kinds : {0, 3, 5, 8, 0x0006, 0x0800, 0x8000}) {
        for (const int dpi : {0, 200, 300}) {
            EXPECT_TRUE(paperList(kinds, dpi).empty()) << "paper kinds " << kinds << " dpi " << dpi;
        }
    }
    // The full-page guard fails beside another bit; that bit's lists still come.
    const PaperMap withLabels = paperList(0x0004 | 0x0010, 300);
    EXPECT_EQ(withLabels.size(), 22u);
    EXPECT_EQ(withLabels.count(254), 0u);
    // A7 and A6 need nothing of the dpi.
    EXPECT_EQ(idsOf(paperList(1, 0)), std::vector<unsigned short>{6});
    EXPECT_EQ(idsOf(paperList(2, 0)), std::vector<unsigned short>{7});
}

TEST(PaperBuilder, ListSizesForSingleBits) {
    const struct {
        int kinds;
        size_t size;
    } cases[] = {{0x0010, 22}, {0x0400, 29}, {0x0020, 11}, {0x0040, 4},
                 {0x0080, 12}, {0x0100, 7},  {0x0200, 1},  {0x0380, 20}};
    for (const auto& c : cases) {
        // The label and tape lists have no guard: neither dpi nor head width matter.
        EXPECT_EQ(paperList(c.kinds, 0).size(), c.size) << "paper kinds " << c.kinds;
        EXPECT_EQ(paperList(c.kinds, 203).size(), c.size) << "paper kinds " << c.kinds;
    }
}

TEST(PaperBuilder, FirstListToHoldAnIdWins) {
    // Both label lists: the narrow-head rows for the shared ids, the wide-head rows only for
    // the ids the narrow-head list lacks.
    const PaperMap labels = paperList(0x0010 | 0x0400, 300);
    EXPECT_EQ(labels.size(), 31u);
    const std::set<unsigned short> wideOnly = {40, 41, 48, 49, 50, 51, 52, 53, 54};
    for (const auto& [id, p] : labels) {
        const int headDots = p.leftOffsetDots + p.printableWidthDots + p.rightOffsetDots;
        const bool wide = headDots == 1296 || (id == 4 && headDots == 1295);
        EXPECT_EQ(wide, wideOnly.count(id) != 0) << "id " << id;
    }
    EXPECT_EQ(labels.at(40).minLengthTenthMm, 254);
    EXPECT_EQ(labels.at(11).minLengthTenthMm, 0);

    // Tapes at 180 and 360 dpi: the 180-dpi rows plus the 36 mm tape.
    const PaperMap tapes = paperList(0x0020 | 0x0080, 0);
    EXPECT_EQ(idsOf(tapes),
              (std::vector<unsigned short>{11, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}));
    EXPECT_EQ(tapes.at(18).widthDots, 24);
    EXPECT_EQ(tapes.at(23).mediaType, MEDIA_TYPE_HEAT_SHRINK);
    EXPECT_EQ(tapes.at(28).widthDots, 512);

    // The small-head list adds nothing after the 180-dpi list.
    const PaperMap smallHead = paperList(0x0020 | 0x0040, 0);
    EXPECT_EQ(smallHead.size(), 11u);
    EXPECT_EQ(smallHead.at(18).printableWidthDots, 24);
    EXPECT_EQ(smallHead.at(11).qualityMediaType, MEDIA_TYPE_TAPE_QUALITY);
}

TEST(PaperBuilder, MapIsEmptiedFirstAndIteratesInIdOrder) {
    PrinterSpec spec;
    spec.paperKinds = 0x0010;
    PaperMap papers;
    Paper stale;
    stale.paperId = 1;
    stale.paperNameMm = "stale";
    papers.emplace(1, stale);
    papers.emplace(300, stale);
    PaperBuilder().createPaperList(spec, RasterPrintOption(), papers);

    ASSERT_EQ(papers.size(), 22u);
    EXPECT_EQ(papers.count(300), 0u);
    EXPECT_EQ(papers.at(1).paperNameMm, "17mm x 54mm");
    const std::vector<unsigned short> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                  12, 13, 14, 15, 16, 17, 38, 39, 55, 56, 57};
    EXPECT_EQ(idsOf(papers), expected);

    // A model without paper kinds empties a filled map too.
    PaperBuilder().createPaperList(PrinterSpec(), RasterPrintOption(), papers);
    EXPECT_TRUE(papers.empty());
}

TEST(PaperBuilder, NarrowHeadGetsThe360DpiRowsUnchanged) {
    // A 128-dot model with the 360-dpi tape kind keeps the rows laid out for a 560-dot head;
    // the raster placement clips them later.
    PrinterSpec spec;
    spec.paperKinds = 0x0080;
    spec.headDots = 128;
    spec.dpi = 180;
    PaperMap papers;
    PaperBuilder().createPaperList(spec, RasterPrintOption(), papers);
    ASSERT_EQ(papers.size(), 12u);
    EXPECT_EQ(papers.at(18).leftOffsetDots, 248);
    for (const auto& [id, p] : papers) {
        EXPECT_EQ(p.leftOffsetDots + p.printableWidthDots + p.rightOffsetDots, 560) << id;
    }
}

// Through the stored model records.
PaperMap modelPaperList(int model, int fcFeedMode = 1, int fcPaperKind = 2) {
    return listOf(specOf(static_cast<Model>(model)), fcFeedMode, fcPaperKind);
}

TEST(PaperBuilder, EveryModelsListWithDefaultOptions) {
    const std::set<int> fullPage200 = {3, 7, 9, 11, 27, 30};
    const std::set<int> fullPage300 = {4, 5, 6, 8, 10, 12, 28, 29, 31, 32, 33};
    const struct {
        size_t size;
        std::vector<int> models;
    } groups[] = {
        {1, {0, 1, 34, 66, 2, 35, 67}},
        {6, {3, 7, 9, 11, 27, 30, 4, 5, 6, 8, 10, 12, 28, 29, 31, 32, 33}},
        {0, {13, 14, 15, 16, 20, 21, 22, 25, 26, 41, 45, 46, 47, 48,
             49, 50, 59, 60, 61, 62, 63, 64, 65, 43, 44, 70, -1}},
        {22, {17, 18, 19, 51, 52, 53}},
        {29, {54, 55, 56}},
        {11, {23, 24, 57, 58, 69}},
        {4, {36}},
        {12, {68}},
        {20, {37, 38, 39, 40, 42}},
    };
    std::set<int> seen;
    for (const auto& group : groups) {
        for (const int model : group.models) {
            seen.insert(model);
            const PaperMap papers = modelPaperList(model);
            EXPECT_EQ(papers.size(), group.size) << "model " << model;
            if (fullPage200.count(model) != 0) {
                EXPECT_EQ(fullPageListOf(papers), "cut200") << "model " << model;
            } else if (fullPage300.count(model) != 0) {
                EXPECT_EQ(fullPageListOf(papers), "cut300") << "model " << model;
            }
        }
    }
    for (int model = 0; model < 70; ++model) {
        EXPECT_EQ(seen.count(model), 1u) << "model " << model << " not covered";
    }
    EXPECT_EQ(idsOf(modelPaperList(0)), std::vector<unsigned short>{6});
    EXPECT_EQ(idsOf(modelPaperList(2)), std::vector<unsigned short>{7});
}

TEST(PaperBuilder, FullPageModelsGetRetractAndRollListsAtTheirDpi) {
    const struct {
        int dpi;
        std::vector<int> models;
    } groups[] = {{200, {3, 7, 9, 11, 27, 30}}, {300, {4, 5, 6, 8, 10, 12, 28, 29, 31, 32, 33}}};
    for (const auto& group : groups) {
        const std::string dpi = std::to_string(group.dpi);
        for (const int model : group.models) {
            EXPECT_EQ(fullPageListOf(modelPaperList(model, 4, 1)), "retract" + dpi) << model;
            EXPECT_EQ(fullPageListOf(modelPaperList(model, 1, 1)), "roll" + dpi) << model;
        }
    }
}

TEST(PaperBuilder, NarrowHeadModelGetsThe360DpiRows) {
    PrinterSpec spec;
    PrinterSpecBuilder().getPrinterSpec(spec, static_cast<Model>(68));
    EXPECT_EQ(spec.headDots, 128);
    const PaperMap papers = modelPaperList(68);
    ASSERT_EQ(papers.count(18), 1u);
    EXPECT_EQ(papers.at(18).leftOffsetDots, 248);
    EXPECT_EQ(papers.at(28).widthDots, 512);
}

}  // namespace
