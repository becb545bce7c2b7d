// Single cases of the print job: asynchronous send polling, the media block of paper 17,
// the label length limit, papers that skip the checks, Mode 9 as the printer reports it, and
// the refusals of bad job arguments.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "raster_print_fixture.h"

using namespace print_job;
using std::chrono::microseconds;

class RasterPrintJobTest : public PrintJobTest {
  protected:
    Picture pic = framePicture(64, 40);
};

// Asynchronous pages: off USB the job polls the running send right after it and asks once
// more after the print-end wait; on USB the print-end wait comes first, then the poll.
TEST_F(RasterPrintJobTest, AsynchronousSendPollOrder) {
    for (Port port : {PORT_USB, PORT_BLUETOOTH}) {
        for (int busy : {0, 1, 3}) {
            SCOPED_TRACE("port " + std::to_string(port) + ", busy for " + std::to_string(busy));
            resetPrinterStatusStatics();
            SimulatedPrinter p;
            WaitRecorder w;
            RasterPrintOption o = jobOption(16, 1);
            o.closeWaitDisusingStatusCheckSec = 2;  // the print-end wait of the last page
            RasterPrint job(port, &p, VZ_300, o);
            p.setAliveSendTask(busy > 0);
            p.onSlotCall(Slot::IsAliveSendTask, busy + 1, [&p] { p.setAliveSendTask(false); });
            BitmapData bitmap = pic.bitmap();
            ASSERT_TRUE(job.printBitmap(bitmap, 0, 1));

            std::vector<Slot> order;
            for (const auto& c : p.calls()) {
                if (c.slot != Slot::SendMessage) {
                    order.push_back(c.slot);
                }
            }
            std::vector<Slot> expectedOrder = {Slot::SendData, Slot::SendData,
                                               Slot::SendDataAsynchronous};
            std::vector<microseconds> expectedWaits;
            const microseconds poll(300000);
            const microseconds printEnd(2000000);
            if (port == PORT_USB) {
                expectedWaits.push_back(printEnd);
            }
            for (int i = 0; i < busy; ++i) {
                expectedOrder.push_back(Slot::IsAliveSendTask);
                expectedWaits.push_back(poll);
            }
            expectedOrder.push_back(Slot::IsAliveSendTask);  // answers false
            if (port != PORT_USB) {
                expectedWaits.push_back(printEnd);
                expectedOrder.push_back(Slot::IsAliveSendTask);  // once after the wait
            }
            expectedOrder.push_back(Slot::SendData);  // trailer
            EXPECT_EQ(order, expectedOrder);
            EXPECT_EQ(w.waits(), expectedWaits);
        }
    }
}

// Paper 17 on the models that take its media block: the block goes out, then the printer is
// given up to ten times three seconds to take it.
TEST_F(RasterPrintJobTest, MediaBlockOfPaper17) {
    struct Row {
        const char* name;
        bool statusCheck;
        int readingsAt13;  // status readings after the block that still report no media
        bool printed;
        int code;
        size_t waits;
    };
    const Row rows[] = {
        {"the printer takes the block after two readings", true, 2, true, 1, 3},
        {"the printer never takes it: cancel sequence, error 13", true, 10, false, 13, 10},
        {"no status check: thirty seconds, then the page", false, 0, true, 1, 10},
    };
    const Model model = VZ_210W;
    const PrinterSpec spec = zoo::specOf(model);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        WaitRecorder w;
        RasterPrintOption o = jobOption(17, 1);
        o.doStatusCheck = row.statusCheck;
        ProbeRasterPrint job(PORT_USB, &p, model, o);
        const Bytes noMedia = StatusReplyBuilder(model).media(0, 0, 0);
        std::vector<SimulatedPrinter::Reply> replies(1 + row.readingsAt13, noMedia);
        replies.emplace_back(readyStatus(model, job.jobPaper()));
        p.onExchange(kStatusRequest, replies);
        BitmapData bitmap = pic.bitmap();
        EXPECT_EQ(job.printBitmap(bitmap, 0, 1), row.printed);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);

        const std::vector<Bytes> all = p.sentData();
        ASSERT_FALSE(all.empty());
        ASSERT_EQ(all[0].size(), 132u);
        EXPECT_EQ(Bytes(all[0].begin(), all[0].begin() + 8),
                  (Bytes{0x1B, 0x69, 0x55, 0x77, 0x01, 0x10, 0x02, 0x3C}));
        EXPECT_EQ(std::string(all[0].begin() + 4 + 78, all[0].begin() + 4 + 89), "60mm x 86mm");
        EXPECT_EQ(std::string(all[0].begin() + 4 + 94, all[0].begin() + 4 + 105), "2.3\" x 3.4\"");
        const std::vector<long long> seconds = w.seconds();
        ASSERT_GE(seconds.size(), row.waits);
        for (size_t i = 0; i < row.waits; ++i) {
            EXPECT_EQ(seconds[i], 3);
        }
        if (row.printed) {
            EXPECT_EQ(all.back(), kTrailer);
        } else {
            ASSERT_EQ(all.size(), 2u);
            EXPECT_TRUE(isCancelSequence(all[1], spec));
        }
    }
    // With the status check, a printer that reports its media takes no block.
    {
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(17, 1);
        o.doStatusCheck = true;
        ProbeRasterPrint job(PORT_USB, &p, model, o);
        p.onExchange(kStatusRequest, {readyStatus(model, job.jobPaper())});
        BitmapData bitmap = pic.bitmap();
        EXPECT_TRUE(job.printBitmap(bitmap, 0, 1));
        EXPECT_NE(p.sentData().front().size(), 132u);
    }
    // Another paper on the same model, and paper 17 on a model that does not take the block.
    for (auto [m, paperId] : {std::pair<Model, unsigned short>{VZ_210W, 9}, {VZ_310W, 17}}) {
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(paperId, 1);
        RasterPrint job(PORT_USB, &p, m, o);
        BitmapData bitmap = pic.bitmap();
        EXPECT_TRUE(job.printBitmap(bitmap, 0, 1));
        EXPECT_NE(p.sentData().front().size(), 132u);
    }
}

// Continuous labels shorter than the model's minimum fail with 56: at 300 dpi with a
// minimum of 25.4 mm and 3 mm margins, 229 lines are too short and 230 are enough.
TEST_F(RasterPrintJobTest, LabelLengthLimit) {
    RasterPrintOption o = jobOption(16, 1);
    ProbeRasterPrint job(PORT_USB, &printer, VZ_4600, o);
    ASSERT_EQ(job.jobSpec().dpi, 300);
    ASSERT_EQ(job.jobSpec().minLengthTenthMm, 254);
    ASSERT_EQ(job.jobSpec().lengthMarginTenthMm, 30);
    ASSERT_TRUE(job.jobPaper().isFreeLength());
    RasterData raster;
    raster.pageLines = 229;
    EXPECT_FALSE(job.checkLabelLengthLimit(&raster));
    EXPECT_EQ(PrinterStatus::error_code_, 56);
    PrinterStatus::error_code_ = 1;
    raster.pageLines = 230;
    EXPECT_TRUE(job.checkLabelLengthLimit(&raster));
    EXPECT_EQ(PrinterStatus::error_code_, 1);

    // A short page fails before anything is sent.
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.printBitmap(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 56);
    EXPECT_TRUE(sends().empty());
    EXPECT_EQ(printer.messages(), (std::vector<int>{12, 22}));
}

// A paper whose media type has bit 0x80 set: no status request, no paper wait, no media
// block, whatever the options say.
TEST_F(RasterPrintJobTest, ExtendedMediaTypeSkipsTheChecks) {
    RasterPrintOption o = jobOption(KX_DT_W90, 1);
    o.doStatusCheck = true;
    ProbeRasterPrint job(PORT_USB, &printer, VZ_4600, o);
    ASSERT_EQ(job.jobPaper().mediaType, 0x8A);
    Picture tall = framePicture(64, 300);
    BitmapData bitmap = tall.bitmap();
    EXPECT_TRUE(job.printBitmap(bitmap, 0, 1));
    EXPECT_TRUE(printer.calls(Slot::SendDataReceiveData).empty());
    EXPECT_EQ(printer.messages(), (std::vector<int>{12, 13, 14, 15, 21}));
}

// With the status check, the printer's own Mode 9 setting decides: a printer that reports
// it off gets label lines with page blocks, one that reports it on gets Mode 9.
TEST_F(RasterPrintJobTest, Mode9AsThePrinterReportsIt) {
    for (int reported : {0, 1}) {
        SCOPED_TRACE("printer reports Mode 9 " + std::to_string(reported));
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(6, 2);
        o.doStatusCheck = true;
        o.mode9 = true;
        ProbeRasterPrint job(PORT_USB, &p, GY_160MFi, o);
        const Paper& paper = job.jobPaper();
        p.onExchange(kStatusRequest,
                     {StatusReplyBuilder(GY_160MFi)
                          .media(paper.mediaWidthMm, paper.mediaType, paper.mediaLengthMm)
                          .mode(static_cast<uint8_t>(reported))
                          .bytes()});
        p.onExchange({}, {Bytes{0x00}});  // the battery reading of the status check
        p.setDefaultRecord(printedRecord(GY_160MFi));
        BitmapData bitmap = pic.bitmap();
        ASSERT_TRUE(job.printBitmap(bitmap, 0, 2));
        EXPECT_EQ(job.jobOption().mode9, reported == 1);
        const std::vector<Bytes> all = p.sentData();
        ASSERT_EQ(all.size(), reported ? 6u : 5u);
        EXPECT_EQ(all[1], kInit);
        if (reported) {
            EXPECT_EQ(all[2], kInitMode9);
            EXPECT_EQ(Bytes(all[3].end() - 3, all[3].end()), (Bytes{0x1B, 0x5E, 0x0C}));
            EXPECT_EQ(Bytes(all[4].end() - 3, all[4].end()), (Bytes{0x1B, 0x5E, 0x0C}));
        } else {
            EXPECT_EQ(all[2].back(), 0x0C);
            EXPECT_EQ(all[3].back(), 0x1A);
        }
    }
}

// Arguments the page blocks cannot carry are refused before anything is sent or written.
TEST_F(RasterPrintJobTest, CopyCountsRefused) {
    struct Row {
        const char* name;
        int copies;
        int page;
        bool save;
        std::vector<int> messages;
    };
    const Row rows[] = {
        {"print, 65536 copies", 0x10000, 0, false, {22}},
        {"print, job page number past int", 0xFFFF, 40000, false, {22}},
        {"print, negative copies", -1, 0, false, {22}},
        {"save, 65536 copies", 0x10000, 0, true, {12, 22}},
        {"save, no copies", 0, 0, true, {12, 22}},
        {"save, negative copies", -1, 0, true, {12, 22}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(11, row.copies);
        o.doStatusCheck = true;
        const std::string path = ::testing::TempDir() + "refused.prn";
        std::remove(path.c_str());
        o.savePrnPath = row.save ? path : "";
        RasterPrint job(PORT_USB, &p, KX_A380W, o);
        BitmapData bitmap = pic.bitmap();
        const bool result = row.save ? job.createPrintData(bitmap, row.page, 1)
                                     : job.printBitmap(bitmap, row.page, row.page + 1);
        EXPECT_FALSE(result);
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        EXPECT_EQ(p.messages(), row.messages);
        for (const auto& c : p.calls()) {
            EXPECT_EQ(c.slot, Slot::SendMessage);
        }
        EXPECT_FALSE(std::ifstream(path).good());
    }
}

// An error left by paper selection, or a custom paper file that can no longer be read for
// the header: the call sends nothing and keeps that error.
TEST_F(RasterPrintJobTest, NothingSentWhileAnErrorIsPending) {
    {
        SCOPED_TRACE("paper not in the model's list (32)");
        RasterPrintOption o = jobOption(200, 1);
        RasterPrint job(PORT_USB, &printer, KX_A380W, o);
        EXPECT_EQ(PrinterStatus::error_code_, 32);
        BitmapData bitmap = pic.bitmap();
        EXPECT_FALSE(job.printBitmap(bitmap, 0, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 32);
        EXPECT_TRUE(sends().empty());
    }
    {
        SCOPED_TRACE("save after paper selection left 32");
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(200, 1);
        const std::string path = ::testing::TempDir() + "pending_error.prn";
        std::remove(path.c_str());
        o.savePrnPath = path;
        RasterPrint job(PORT_USB, &p, KX_A380W, o);
        ASSERT_EQ(PrinterStatus::error_code_, 32);
        BitmapData bitmap = pic.bitmap();
        EXPECT_FALSE(job.createPrintData(bitmap, 0, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 32);
        EXPECT_EQ(p.messages(), (std::vector<int>{12, 22}));
        EXPECT_FALSE(std::ifstream(path).good());
    }
    {
        SCOPED_TRACE("custom paper file gone before the header (25)");
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        const std::string path = ::testing::TempDir() + "custom_paper.bin";
        {
            const Bytes command = customPaperFor(HU_3430);
            std::ofstream f(path, std::ios::binary | std::ios::trunc);
            f.write(reinterpret_cast<const char*>(command.data()),
                    static_cast<std::streamsize>(command.size()));
        }
        RasterPrintOption o = jobOption(PAPER_ID_CUSTOM, 1);
        o.customPaperPath = path;
        RasterPrint job(PORT_USB, &p, HU_3430, o);
        ASSERT_EQ(PrinterStatus::error_code_, 1);
        std::remove(path.c_str());
        BitmapData bitmap = pic.bitmap();
        EXPECT_FALSE(job.printBitmap(bitmap, 0, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 25);
        EXPECT_TRUE(p.sentData().empty());
        EXPECT_EQ(p.messages().back(), 22);
    }
}

// Raw lines of a model with compression 1 go out asynchronously, except with Mode 9 in use.
TEST_F(RasterPrintJobTest, RawModeAsynchronousUnlessMode9) {
    const struct {
        Model model;
        bool mode9;
        bool rawMode;
        Slot pageSlot;
    } rows[] = {
        {HU_3430, false, true, Slot::SendDataAsynchronous},
        {HU_3430, false, false, Slot::SendData},
        {HU_1200, false, true, Slot::SendDataAsynchronous},
        {HU_1200, true, true, Slot::SendData},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.model) + (row.mode9 ? " Mode 9" : "") +
                     (row.rawMode ? " raw" : ""));
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(PAPER_ID_CUSTOM, 1);
        o.customPaperCommand = customPaperFor(row.model);
        o.mode9 = row.mode9;
        o.rawMode = row.rawMode;
        RasterPrint job(PORT_BLUETOOTH, &p, row.model, o);
        Picture tall = framePicture(64, 200);
        BitmapData bitmap = tall.bitmap();
        ASSERT_TRUE(job.printBitmap(bitmap, 0, 1));
        std::vector<Slot> slots;
        for (const auto& c : p.calls()) {
            if (c.slot == Slot::SendData || c.slot == Slot::SendDataAsynchronous) {
                slots.push_back(c.slot);
            }
        }
        ASSERT_GE(slots.size(), 3u);
        EXPECT_EQ(slots[slots.size() - 2], row.pageSlot);
        EXPECT_EQ(p.calls(Slot::SendDataAsynchronous).size(),
                  row.pageSlot == Slot::SendDataAsynchronous ? 1u : 0u);
    }
}
