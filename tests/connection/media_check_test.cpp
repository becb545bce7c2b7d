#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/status_reply_builder.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;
using B = StatusReplyBuilder;

namespace {

constexpr int kSentinel = 99;

Paper paper(unsigned short id, uint8_t width, uint8_t type, uint8_t length) {
    Paper p;
    p.paperId = id;
    p.paperNameMm = "paper " + std::to_string(id);
    p.mediaWidthMm = width;
    p.mediaType = type;
    p.mediaLengthMm = length;
    return p;
}

Paper tubePaper() {
    Paper p = paper(23, 5, 0x11, 0);
    p.isTube = true;
    return p;
}

Paper twoColour(uint8_t code) {
    Paper p = paper(38, 62, 0x0A, 0);
    p.isTwoColor = true;
    p.mediaColorCode = code;
    return p;
}

Paper withInk(Paper p, unsigned short ink) {
    p.checkInkColor = true;
    p.inkColor = ink;
    return p;
}

Paper withLabel(Paper p, unsigned short label) {
    p.checkLabelColor = true;
    p.labelColor = label;
    return p;
}

Paper unnamed(Paper p) {
    p.paperNameMm.clear();
    return p;
}

void loadReply(const Bytes& reply) {
    std::memcpy(PrinterStatus::status_byte_, reply.data(), 32);
}

PrinterSpec editedSpec(Model model, int inkIndex) {
    PrinterSpec spec = specOf(model);
    spec.inkColorStatusIndex = inkIndex;
    return spec;
}

}  // namespace

class MediaCheckTest : public PrinterStatusTest {};

TEST_F(MediaCheckTest, CheckPaperTable) {
    const Paper label = paper(9, 62, 0x0B, 29);
    struct Row {
        const char* name;
        PrinterSpec spec;
        Bytes reply;
        Paper paper;
        int inkBefore;
        int labelBefore;
        int code;
        int process;
    };
    const PrinterSpec kx = specOf(KX_C270W);       // paperCheck, colorMode 1
    const PrinterSpec fc = specOf(FC_510);         // waitForPaperSupported, no paperCheck
    const PrinterSpec tube = specOf(KX_C450TKW);   // tubeSupported
    const PrinterSpec vz = specOf(VZ_300);         // colorMode 2
    const PrinterSpec noColour = specOf(VZ_140N);  // paperCheck, colorMode 255
    PrinterSpec paperWait = kx;
    paperWait.waitForPaperSupported = true;
    const Row rows[] = {
        {"match", kx, B(kx).media(62, 0x0B, 29), label, 0, 0, 1, kSentinel},
        {"other type than 11 is not compared", kx, B(kx).media(62, 0x0A, 29), label, 0, 0, 1,
         kSentinel},
        {"no size", kx, B(kx).media(0, 0x0B, 0), label, 0, 0, 13, 2},
        {"no type", kx, B(kx).media(62, 0, 29), label, 0, 0, 13, 2},
        {"other length", kx, B(kx).media(62, 0x0B, 30), label, 0, 0, 32, 2},
        {"other width", kx, B(kx).media(61, 0x0B, 29), label, 0, 0, 32, 2},
        {"tube reported, label paper", kx, B(kx).media(62, 0x11, 29), label, 0, 0, 32, 2},
        {"tube reported, tube type paper", kx, B(kx).media(62, 0x11, 29), paper(9, 62, 0x11, 29), 0,
         0, 1, kSentinel},
        {"ink colour differs", kx, B(kx).media(62, 0x0B, 29), withInk(label, 4), 5, 0, 57, 2},
        {"ink colour equal", kx, B(kx).media(62, 0x0B, 29), withInk(label, 4), 4, 0, 1, kSentinel},
        {"label colour differs", kx, B(kx).media(62, 0x0B, 29), withLabel(label, 1), 0, 2, 58, 2},
        {"ink before label", kx, B(kx).media(62, 0x0B, 29), withLabel(withInk(label, 4), 1), 5, 2,
         57, 2},
        {"unnamed paper is not compared", kx, B(kx).media(1, 0x11, 2), unnamed(label), 0, 0, 1,
         kSentinel},
        {"no paper, unnamed, paper wait", fc, B(fc).media(0, 0, 0), unnamed(label), 0, 0, 4,
         kSentinel},
        {"no paper, named, paper wait", paperWait, B(kx).media(62, 0, 29), label, 0, 0, 13, 2},
        {"tube 0", tube, B(tube).media(9, 0x0B, 9), tubePaper(), 0, 0, 45, 2},
        {"ribbon 0", tube, B(tube).media(9, 0x0B, 9).tube(1), tubePaper(), 0, 0, 46, 2},
        {"ribbon level 3", tube, B(tube).tube(1).tubeRibbon(1).tubeRibbonLevel(3), tubePaper(), 0,
         0, 46, 2},
        {"ribbon level 4", tube, B(tube).tube(1).tubeRibbon(1).tubeRibbonLevel(4), tubePaper(), 0,
         0, 46, 2},
        {"tube fine, sizes not compared", tube,
         B(tube).tube(1).tubeRibbon(1).tubeRibbonLevel(2).media(1, 2, 3), tubePaper(), 0, 0, 1,
         kSentinel},
        {"tube paper without tube support", kx, B(kx), tubePaper(), 0, 0, 1, kSentinel},
        {"colour mode 2 equal", vz, B(vz).media(62, 0x0A, 0).inkColor(129), twoColour(129), 0, 0, 1,
         kSentinel},
        {"colour mode 2 differs", vz, B(vz).media(62, 0x0A, 0).inkColor(1), twoColour(129), 0, 0,
         32, 2},
        {"colour mode 2, index -1", editedSpec(VZ_300, -1), B(vz).media(62, 0x0A, 0), twoColour(0),
         0, 0, 32, 2},
        {"colour mode 2, index 40", editedSpec(VZ_300, 40), B(vz).media(62, 0x0A, 0), twoColour(0),
         0, 0, 32, 2},
        {"colour mode 255 stops", noColour, B(noColour).media(62, 0x0B, 29), withInk(label, 4), 5,
         0, 1, kSentinel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        loadReply(row.reply);
        PrinterStatus::error_code_ = 1;
        PrinterStatus::process_status_ = kSentinel;
        PrinterStatus::ink_color_ = static_cast<uint8_t>(row.inkBefore);
        PrinterStatus::label_color_ = static_cast<uint8_t>(row.labelBefore);
        PrintStatusManager manager = makeManager(nullptr, row.spec, PORT_USB);
        manager.checkPaper(row.paper);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(PrinterStatus::process_status_, row.process);
    }
}

TEST_F(MediaCheckTest, LabelIdentificationTable) {
    const PrinterSpec kx = specOf(KX_C270W);
    const PrinterSpec tube = specOf(KX_C450TKW);
    const PrinterSpec vz = specOf(VZ_300);
    const PrinterSpec noColour = specOf(VZ_140N);
    const Paper fixed = paper(9, 62, 0x0B, 29);
    const Paper continuous = paper(16, 62, 0x0A, 0);
    struct Row {
        const char* name;
        PrinterSpec spec;
        Bytes reply;
        std::vector<Paper> papers;
        int code;
        int labelId;
        int labelType;
        int labelColour;
        int inkColour;
    };
    const Row rows[] = {
        {"fixed length",
         kx,
         B(kx).media(62, 0x0B, 29).labelColor(3).inkColor(4),
         {continuous, fixed},
         1,
         9,
         0x0B,
         3,
         4},
        {"continuous",
         kx,
         B(kx).media(62, 0x0A, 0).labelColor(3).inkColor(4),
         {continuous, fixed},
         1,
         16,
         0x0A,
         3,
         4},
        {"last match wins",
         kx,
         B(kx).media(62, 0x0B, 29),
         {fixed, paper(7, 62, 0x0B, 29)},
         1,
         7,
         0x0B,
         0,
         0},
        {"other type does not fit",
         kx,
         B(kx).media(62, 0x0B, 0),
         {continuous},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"type 0 and 1 fit any",
         kx,
         B(kx).media(12, 0x0B, 0),
         {paper(11, 12, 1, 0), paper(12, 12, 0, 0)},
         1,
         12,
         0x0B,
         0,
         0},
        {"11 needs 11",
         kx,
         B(kx).media(5, 0x11, 0),
         {paper(23, 5, 1, 0)},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"11 with 11", kx, B(kx).media(5, 0x11, 0), {paper(23, 5, 0x11, 0)}, 1, 23, 0x11, 0, 0},
        {"bit 7 never fits",
         kx,
         B(kx).media(62, 0x8B, 29),
         {paper(51, 62, 0x8B, 29)},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"no media information goes on",
         kx,
         B(kx).media(0, 0, 0),
         {paper(5, 0, 0, 0)},
         13,
         5,
         0,
         0,
         0},
        {"empty list", kx, B(kx).media(62, 0x0B, 29), {}, 52, 255, 0xFFFF, 255, 255},
        {"two colour equal",
         vz,
         B(vz).media(62, 0x0A, 0).labelColor(1).inkColor(129),
         {twoColour(129)},
         1,
         38,
         0x0A,
         1,
         129},
        {"two colour differs",
         vz,
         B(vz).media(62, 0x0A, 0).inkColor(1),
         {twoColour(129)},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"two colour, index -1",
         editedSpec(VZ_300, -1),
         B(vz).media(62, 0x0A, 0),
         {twoColour(0)},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"two colour, index 40",
         editedSpec(VZ_300, 40),
         B(vz).media(62, 0x0A, 0),
         {twoColour(0)},
         52,
         255,
         0xFFFF,
         255,
         255},
        {"single colour paper ignores index 40",
         editedSpec(VZ_300, 40),
         B(vz).media(62, 0x0A, 0).labelColor(6),
         {paper(16, 62, 0x0A, 0)},
         1,
         16,
         0x0A,
         6,
         255},
        {"colour mode 255 keeps 255",
         noColour,
         B(noColour).media(62, 0x0B, 29).labelColor(3),
         {fixed},
         1,
         9,
         0x0B,
         255,
         255},
        {"tube model",
         tube,
         B(tube).media(9, 0x11, 0).tubeRibbonInkColor(8),
         {tubePaper()},
         52,
         255,
         0xFFFF,
         255,
         255},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        loadReply(row.reply);
        PrinterStatus::error_code_ = 1;
        PrinterStatus::label_id_ = 0xFFFF;
        PrinterStatus::label_type_ = 0xFFFF;
        PrintStatusManager manager = makeManager(nullptr, row.spec, PORT_USB);
        manager.getLabelInfo(row.papers);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(PrinterStatus::label_id_, row.labelId);
        EXPECT_EQ(PrinterStatus::label_type_, row.labelType);
        EXPECT_EQ(PrinterStatus::label_color_, row.labelColour);
        EXPECT_EQ(PrinterStatus::ink_color_, row.inkColour);
    }
}

TEST_F(MediaCheckTest, TubeBytesAreCopiedForEveryPaperAndRibbonColourOnAMatch) {
    const PrinterSpec tube = specOf(KX_C450TKW);
    const Bytes reply = B(tube)
                            .media(9, 0x11, 0)
                            .tube(4)
                            .tubeRibbon(5)
                            .tubeRibbonLevel(6)
                            .tubeRibbonInkColor(8)
                            .labelColor(1)
                            .inkColor(2);
    for (bool match : {false, true}) {
        SCOPED_TRACE(match);
        resetPrinterStatusStatics();
        loadReply(reply);
        PrintStatusManager manager = makeManager(nullptr, tube, PORT_USB);
        manager.getLabelInfo({paper(24, match ? 9 : 8, 0x11, 0)});
        EXPECT_EQ(PrinterStatus::tube_, 4);
        EXPECT_EQ(PrinterStatus::tube_ribbon_, 5);
        EXPECT_EQ(PrinterStatus::tube_ribbon_level_, 6);
        EXPECT_EQ(PrinterStatus::tube_ribbon_ink_color_, match ? 8 : 255);
        EXPECT_EQ(PrinterStatus::label_color_, match ? 1 : 255);
    }
    // Without tube support the tube fields stay.
    resetPrinterStatusStatics();
    loadReply(reply);
    PrintStatusManager kx = makeManager(nullptr, specOf(KX_C270W), PORT_USB);
    PrinterStatus::tube_ = 77;
    kx.getLabelInfo({paper(24, 9, 0x11, 0)});
    EXPECT_EQ(PrinterStatus::tube_, 77);
    EXPECT_EQ(PrinterStatus::tube_ribbon_ink_color_, 255);
}

TEST_F(MediaCheckTest, NoPaperCheckLeavesEverything) {
    loadReply(B(HU_3430).media(62, 0x0A, 0));
    PrinterStatus::error_code_ = 1;
    PrinterStatus::label_id_ = 0xFFFF;
    PrintStatusManager manager = makeManager(nullptr, specOf(HU_3430), PORT_USB);
    manager.getLabelInfo({paper(1, 62, 0x0A, 0)});
    manager.checkPaper(paper(1, 1, 0x11, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(PrinterStatus::label_id_, 0xFFFF);
}
