// The command stream of print calls: header, initialise commands, copies with their page
// blocks and page ends, trailer; progress codes and waits.
#include <gtest/gtest.h>

#include <functional>

#include "raster_print_fixture.h"

using namespace print_job;

namespace {

const Bytes kMode9End = {0x1B, 0x5E, 0x0C};
const Bytes kMode9LastEnd = {0x1B, 0x5E, 0x1A};
const Bytes kMode9InitEnd = {0x1B, 0x5E, 0x40, 0x0C};
const Bytes kMode9InitLastEnd = {0x1B, 0x5E, 0x40, 0x1A};
const Bytes kFullPageSwitch = {0x1B, 0x69, 0x61, 0x00};

struct StreamRow {
    const char* name;
    Model model;
    Port port;
    unsigned short paperId;
    int copies;
    int page;
    int pages;
    bool mode9;
    bool customPaper;
    // The sends expected, from the page the job builds.
    std::function<std::vector<Bytes>(const ReferencePage&, const Bytes& customPaper)> sends;
    std::vector<int> messages;
    std::vector<long long> waits;  // whole seconds
    bool asynchronous = false;     // copies go by sendDataAsynchronous
};

}  // namespace

class RasterPrintStreamTest : public PrintJobTest {};

TEST_F(RasterPrintStreamTest, StreamShapes) {
    const std::vector<int> twoCopies = {12, 13, 14, 15, 14, 15, 21};
    const std::vector<int> oneCopy = {12, 13, 14, 15, 21};
    const std::vector<int> threeCopies = {12, 13, 14, 15, 14, 15, 14, 15, 21};
    const StreamRow rows[] = {
        {"two copies on a KX model (the documented example)",
         KX_A380W,
         PORT_USB,
         11,
         2,
         0,
         2,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(100), kSwitchRaster}), kInit,
                                       cat({r.raster->startPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x1A)}), kTrailer};
         },
         twoCopies,
         {2}},
        {"three copies, copies command 1: the last copy takes the last page block",
         KX_F420W,
         PORT_USB,
         11,
         3,
         0,
         3,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(300), kSwitchRaster}),
                                       kInit,
                                       cat({r.raster->startPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x0C)}),
                                       cat({r.raster->lastPageCommand, r.body(0x1A)}),
                                       kTrailer};
         },
         threeCopies,
         {2}},
        {"three copies, copies command 0: other page block twice",
         KX_A380W,
         PORT_USB,
         11,
         3,
         0,
         3,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(100), kSwitchRaster}),
                                       kInit,
                                       cat({r.raster->startPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x1A)}),
                                       kTrailer};
         },
         threeCopies,
         {2}},
        {"no copies: header, initialise and trailer",
         KX_A380W,
         PORT_USB,
         11,
         0,
         0,
         0,
         false,
         false,
         [](const ReferencePage&, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(100), kSwitchRaster}), kInit, kTrailer};
         },
         {12, 13, 21},
         {}},
        {"page 2 of a custom-paper model: custom paper bytes again, no zero bytes, no initialise",
         HU_3430,
         PORT_USB,
         PAPER_ID_CUSTOM,
         1,
         2,
         3,
         false,
         true,
         [](const ReferencePage& r, const Bytes& custom) {
             return std::vector<Bytes>{cat({custom, kSwitchRaster}),
                                       cat({r.raster->otherPageCommand, r.body(0x1A)}), kTrailer};
         },
         oneCopy,
         {2}},
        {"Mode 9 ending pages with the Mode 9 initialise",
         HU_1200,
         PORT_USB,
         PAPER_ID_CUSTOM,
         2,
         0,
         2,
         true,
         true,
         [](const ReferencePage& r, const Bytes& custom) {
             return std::vector<Bytes>{cat({zeros(350), custom, kSwitchRaster}),
                                       kInit,
                                       kInitMode9,
                                       cat({r.body(), kMode9InitEnd}),
                                       cat({r.body(), kMode9InitLastEnd}),
                                       kTrailer};
         },
         twoCopies,
         {2}},
        {"Mode 9 without a last-page end",
         HU_3430Ai,
         PORT_USB,
         PAPER_ID_CUSTOM,
         2,
         0,
         2,
         true,
         true,
         [](const ReferencePage& r, const Bytes& custom) {
             return std::vector<Bytes>{cat({zeros(350), custom, kSwitchRaster}),
                                       kInit,
                                       kInitMode9,
                                       cat({r.body(), kMode9End}),
                                       cat({r.body(), kMode9End}),
                                       kTrailer};
         },
         twoCopies,
         {2}},
        {"Mode 9, newer protocol: no Mode 9 initialise, last-page end",
         HU_3620B,
         PORT_USB,
         PAPER_ID_CUSTOM,
         2,
         0,
         2,
         true,
         true,
         [](const ReferencePage& r, const Bytes& custom) {
             return std::vector<Bytes>{cat({zeros(350), custom, kSwitchRaster}), kInit,
                                       cat({r.body(), kMode9End}), cat({r.body(), kMode9LastEnd}),
                                       kTrailer};
         },
         twoCopies,
         {2}},
        {"full-page series: no zero bytes, its own switch, the body as built",
         FC_660,
         PORT_USB,
         MP_A5,
         2,
         0,
         2,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{kFullPageSwitch, kInit, r.body(), r.body(), kTrailer};
         },
         twoCopies,
         {2}},
        {"two-colour page",
         VZ_310W,
         PORT_USB,
         38,
         1,
         0,
         1,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(400), kSwitchRaster}), kInit,
                                       cat({r.raster->startPageCommand, r.body(0x1A)}), kTrailer};
         },
         oneCopy,
         {2}},
        {"asynchronous pages (no compression)",
         VZ_300,
         PORT_BLUETOOTH,
         16,
         2,
         0,
         2,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(400), kSwitchRaster}), kInit,
                                       cat({r.raster->startPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x1A)}), kTrailer};
         },
         twoCopies,
         {2},
         true},
        {"asynchronous pages (no compression), USB",
         VZ_300,
         PORT_USB,
         16,
         2,
         0,
         2,
         false,
         false,
         [](const ReferencePage& r, const Bytes&) {
             return std::vector<Bytes>{cat({zeros(400), kSwitchRaster}), kInit,
                                       cat({r.raster->startPageCommand, r.body(0x0C)}),
                                       cat({r.raster->otherPageCommand, r.body(0x1A)}), kTrailer};
         },
         twoCopies,
         {2},
         true},
    };
    for (const StreamRow& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        WaitRecorder w;
        RasterPrintOption o = jobOption(row.paperId, row.copies);
        o.mode9 = row.mode9;
        o.closeWaitDisusingStatusCheckSec = 2;
        Bytes custom;
        if (row.customPaper) {
            custom = customPaperFor(row.model);
            o.customPaperCommand = custom;
        }
        Picture pic = framePicture(64, 160);
        BitmapData bitmap = pic.bitmap();
        ReferencePage ref(row.model, o, bitmap, row.page, row.pages);
        ASSERT_NE(ref.raster, nullptr);
        ASSERT_GT(ref.raster->pageDataLength, 0);

        RasterPrint job(row.port, &p, row.model, o);
        ASSERT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_TRUE(job.printBitmap(bitmap, row.page, row.pages));
        EXPECT_EQ(PrinterStatus::error_code_, 1);

        std::vector<Bytes> sent;
        std::vector<Slot> slots;
        for (const auto& c : p.calls()) {
            if (c.slot == Slot::SendData || c.slot == Slot::SendDataAsynchronous) {
                sent.push_back(c.bytes);
                slots.push_back(c.slot);
            }
        }
        const std::vector<Bytes> expected = row.sends(ref, custom);
        ASSERT_EQ(sent.size(), expected.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i], expected[i]) << "send " << i + 1;
            const bool page = i >= sent.size() - 1 - static_cast<size_t>(row.copies) &&
                              i + 1 < sent.size() && row.copies > 0;
            EXPECT_EQ(slots[i],
                      page && row.asynchronous ? Slot::SendDataAsynchronous : Slot::SendData)
                << "send " << i + 1;
        }
        EXPECT_EQ(p.messages(), row.messages);
        EXPECT_EQ(w.seconds(), row.waits);
    }
}
