// Print jobs that fail or are cancelled: a failed exchange at every position, a cancel at
// every wait, a cancel inside a status reading and a print-end wait that runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "connection/printer_mib_oids.h"
#include "raster_print_fixture.h"
#include "support/raster_test_files.h"

using namespace print_job;

namespace {

bool isExchange(Slot s) {
    return s == Slot::SendData || s == Slot::SendDataAsynchronous ||
           s == Slot::SendDataReceiveData || s == Slot::ReceiveData;
}

// One job set-up: the model, port and options, and the printer's answers.
struct Scenario {
    std::string name;
    Model model;
    Port port;
    RasterPrintOption option;
    // Answers of the printer for the job's paper.
    std::function<void(SimulatedPrinter&, const Paper&)> answers;
    int copies() const { return option.numberOfCopies; }
};

// The outcome of one bitmap job.
struct JobRun {
    bool result = false;
    int code = 0;
    std::vector<int> messages;
    size_t cancelAt = 0;  // calls made before the cancel
    bool cancelled = false;
};

JobRun runJob(const Scenario& s, SimulatedPrinter& p, WaitRecorder& w, int cancelAtWait) {
    JobRun r;
    ProbeRasterPrint job(s.port, &p, s.model, const_cast<RasterPrintOption&>(s.option));
    s.answers(p, job.jobPaper());
    if (cancelAtWait > 0) {
        w.onWait(cancelAtWait, [&] {
            r.cancelAt = p.calls().size();
            r.cancelled = true;
            job.cancel();
        });
    }
    Picture pic = framePicture(64, 40);
    BitmapData bitmap = pic.bitmap();
    r.result = job.printBitmap(bitmap, 0, s.copies());
    r.code = PrinterStatus::error_code_;
    r.messages = p.messages();
    return r;
}

}  // namespace

class RasterPrintFailureTest : public PrintJobTest {};

// A two-page job of two copies each, status check on: whichever exchange fails, the call
// reports the failure (6), sends nothing afterwards but cancel sequences and no trailer
// (unless the trailer itself failed).
TEST_F(RasterPrintFailureTest, FailEveryExchange) {
    const Model model = KX_A380W;
    const PrinterSpec spec = zoo::specOf(model);
    RasterPrintOption o = jobOption(11, 2);
    o.doStatusCheck = true;
    o.checkPrintEnd = 3;
    Picture pic = framePicture(64, 40);

    enum class Fault { Fail, ShortCount };
    // Runs page 0, then page 1 when page 0 went through; returns the calls made.
    const auto runPages = [&](SimulatedPrinter& p, std::vector<bool>& results,
                              std::vector<size_t>& firstCall) {
        for (int page = 0; page < 2; ++page) {
            firstCall.push_back(p.calls().size());
            resetPrinterStatusStatics();
            ProbeRasterPrint job(PORT_USB, &p, model, o);
            p.onExchange(kStatusRequest, {readyStatus(model, job.jobPaper())});
            p.setDefaultRecord(printedRecord(model));
            BitmapData bitmap = pic.bitmap();
            results.push_back(job.printBitmap(bitmap, page, 4));
            if (!results.back()) {
                return;
            }
        }
    };

    SimulatedPrinter dry;
    std::vector<bool> dryResults;
    std::vector<size_t> dryFirst;
    runPages(dry, dryResults, dryFirst);
    ASSERT_EQ(dryResults, (std::vector<bool>{true, true}));
    const auto dryCalls = dry.calls();

    int exchanges = 0;
    for (size_t k = 1; k <= dryCalls.size(); ++k) {
        const Slot slot = dryCalls[k - 1].slot;
        if (!isExchange(slot)) {
            continue;
        }
        ++exchanges;
        for (Fault fault : {Fault::Fail, Fault::ShortCount}) {
            if (fault == Fault::ShortCount && slot != Slot::ReceiveData) {
                continue;
            }
            SCOPED_TRACE("exchange " + std::to_string(k) + " (" + slotName(slot) + ")" +
                         (fault == Fault::ShortCount ? ", short count" : ""));
            SimulatedPrinter p;
            if (fault == Fault::Fail) {
                p.failCall(static_cast<int>(k));
            } else {
                const Bytes record = printedRecord(model);
                p.onCall(static_cast<int>(k), [&p, record] {
                    p.queueRecord(SimulatedPrinter::Record::withCount(record, 20));
                });
            }
            std::vector<bool> results;
            std::vector<size_t> first;
            runPages(p, results, first);
            ASSERT_FALSE(results.empty());
            EXPECT_FALSE(results.back());
            EXPECT_EQ(PrinterStatus::error_code_, 6);
            EXPECT_EQ(p.messages().back(), 22);
            const bool trailerFailed = dryCalls[k - 1].bytes == kTrailer;
            const std::vector<Bytes> after = sendsFrom(p, k);
            for (const Bytes& b : after) {
                EXPECT_TRUE(isCancelSequence(b, spec)) << "sent after the failure: " << b.size();
            }
            // No trailer in the failed call (the failed one is counted as sent).
            const std::vector<Bytes> failedCall = sendsFrom(p, first.back());
            size_t trailers = 0;
            for (const Bytes& b : failedCall) {
                trailers += b == kTrailer ? 1 : 0;
            }
            EXPECT_EQ(trailers, trailerFailed ? 1u : 0u);
        }
    }
    EXPECT_GE(exchanges, 14);
}

// A cancel during any wait of a job: false, 37, progress 22, no trailer and nothing sent
// afterwards but (at most) one cancel sequence.
TEST_F(RasterPrintFailureTest, CancelAtEveryWait) {
    std::vector<Scenario> scenarios;
    {
        Scenario s{"paper wait, then the close wait", FC_660, PORT_USB, jobOption(MP_A5, 1), {}};
        s.option.doStatusCheck = true;
        s.option.mode9 = false;
        s.option.closeWaitDisusingStatusCheckSec = 3;
        s.answers = [](SimulatedPrinter& p, const Paper&) {
            // Paper out twice, then sheets are loaded (any media type but 0).
            const Bytes loaded = StatusReplyBuilder(FC_660).media(0, 0x01, 0);
            p.onExchange(kStatusRequest, {paperOutStatus(FC_660), paperOutStatus(FC_660), loaded});
        };
        scenarios.push_back(s);
    }
    {
        Scenario s{"media block of paper 17", VZ_210W, PORT_USB, jobOption(17, 1), {}};
        s.option.closeWaitDisusingStatusCheckSec = 3;
        s.answers = [](SimulatedPrinter&, const Paper&) {};
        scenarios.push_back(s);
    }
    {
        Scenario s{"print-end waits on the network port", KX_A380W, PORT_NET, jobOption(11, 2), {}};
        s.option.checkPrintEnd = 3;
        s.answers = [](SimulatedPrinter& p, const Paper&) {
            p.onOid(tpes::PrinterMibOids::oidPrinterStatusReply,
                    {SimulatedPrinter::Reply(printedRecord(KX_A380W))});
        };
        scenarios.push_back(s);
    }
    {
        Scenario s{"model without status", FC_412, PORT_USB, jobOption(MP_A5, 2), {}};
        s.option.checkPrintEnd = 3;
        s.answers = [](SimulatedPrinter&, const Paper&) {};
        scenarios.push_back(s);
    }
    for (Port port : {PORT_USB, PORT_BLUETOOTH}) {
        Scenario s{port == PORT_USB ? "asynchronous polls, USB" : "asynchronous polls, Bluetooth",
                   VZ_300,
                   port,
                   jobOption(16, 2),
                   {}};
        s.option.closeWaitDisusingStatusCheckSec = 1;
        s.answers = [](SimulatedPrinter& p, const Paper&) {
            // Every send runs for two polls.
            p.setAliveSendTask(true);
            for (int k = 3; k < 20; k += 3) {
                p.onSlotCall(Slot::IsAliveSendTask, k, [&p] { p.setAliveSendTask(false); });
                p.onSlotCall(Slot::IsAliveSendTask, k + 1, [&p] { p.setAliveSendTask(true); });
            }
        };
        scenarios.push_back(s);
    }

    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        const PrinterSpec spec = zoo::specOf(s.model);
        size_t waitCount = 0;
        std::vector<std::chrono::microseconds> dryWaits;
        {
            resetPrinterStatusStatics();
            SimulatedPrinter p;
            WaitRecorder w;
            const JobRun r = runJob(s, p, w, 0);
            ASSERT_TRUE(r.result) << "code " << r.code;
            waitCount = w.waits().size();
            dryWaits = w.waits();
            ASSERT_GT(waitCount, 0u);
        }
        for (size_t i = 1; i <= waitCount; ++i) {
            SCOPED_TRACE("cancel at wait " + std::to_string(i));
            resetPrinterStatusStatics();
            SimulatedPrinter p;
            WaitRecorder w;
            const JobRun r = runJob(s, p, w, static_cast<int>(i));
            ASSERT_TRUE(r.cancelled);
            EXPECT_FALSE(r.result);
            EXPECT_EQ(r.code, 37);
            EXPECT_EQ(r.messages.back(), 22);
            const std::vector<Bytes> after = sendsFrom(p, r.cancelAt);
            // The job's own poll of a running send answers a cancel with the cancel sequence.
            const bool sendPoll = dryWaits[i - 1] == std::chrono::microseconds(300000);
            EXPECT_EQ(after.size(), sendPoll ? 1u : std::min<size_t>(after.size(), 1u));
            for (const Bytes& b : after) {
                EXPECT_TRUE(isCancelSequence(b, spec)) << "sent after the cancel: " << b.size();
            }
            EXPECT_FALSE(containsTrailer(sendsFrom(p, 0)));
        }
    }
}

// The printer answers the print-end reading with "printed", but the cancel arrived while it
// was read: the reading puts error code 1 back, the job still ends as cancelled.
TEST_F(RasterPrintFailureTest, CancelInsideAReadingThatSaysAllIsWell) {
    const Model model = KX_A380W;
    RasterPrintOption o = jobOption(11, 2);
    o.checkPrintEnd = 3;
    ProbeRasterPrint job(PORT_USB, &printer, model, o);
    printer.setDefaultRecord(printedRecord(model));
    size_t cancelAt = 0;
    printer.onSlotCall(Slot::ReceiveData, 1, [&] {
        cancelAt = printer.calls().size();
        job.cancel();
    });
    Picture pic = framePicture(64, 40);
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.printBitmap(bitmap, 0, 2));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages().back(), 22);
    const std::vector<Bytes> after = sendsFrom(printer, cancelAt);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_TRUE(isCancelSequence(after[0], zoo::specOf(model)));
}

// A cancel while the media block of paper 17 is being sent: the step then puts error code 1
// in place of the 37, and the job still ends as cancelled.
TEST_F(RasterPrintFailureTest, CancelWhileTheMediaBlockIsSent) {
    RasterPrintOption o = jobOption(17, 1);
    RasterPrint job(PORT_USB, &printer, VZ_210W, o);
    printer.onSlotCall(Slot::SendData, 1, [&] { job.cancel(); });
    Picture pic = framePicture(64, 40);
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.printBitmap(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages(), (std::vector<int>{22}));
    const std::vector<Bytes> all = sends();
    ASSERT_EQ(all.size(), 2u);  // the media block, the cancel sequence
    EXPECT_EQ(all[0].size(), 132u);
    EXPECT_TRUE(isCancelSequence(all[1], zoo::specOf(VZ_210W)));
}

// A print-end wait that never sees the end of the print gives up: the cancel sequence, error
// code 6, no trailer.
TEST_F(RasterPrintFailureTest, PrintEndWaitThatRunsOut) {
    const Model model = KX_A380W;
    RasterPrintOption o = jobOption(11, 1);
    o.checkPrintEnd = 3;
    RasterPrint job(PORT_USB, &printer, model, o);
    printer.setDefaultRecord(StatusReplyBuilder(model));  // a plain status reply, again and again
    Picture pic = framePicture(64, 40);
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.printBitmap(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    EXPECT_EQ(printer.messages().back(), 22);
    const std::vector<Bytes> all = sends();
    ASSERT_EQ(all.size(), 4u);  // header, 1B 40, the page, the cancel sequence
    EXPECT_TRUE(isCancelSequence(all.back(), zoo::specOf(model)));
    EXPECT_FALSE(containsTrailer(all));
}

// A cancel while the host handles any progress code of a job: when the call returns, its
// result is true exactly when the error code is 1. A cancel before the final code (21 or
// 22, or the last copy's done code of a prepared file) stops the job with false and 37;
// during the final code it comes too late and the call keeps the outcome it had without
// the cancel.
TEST_F(RasterPrintFailureTest, CancelDuringEveryProgressCode) {
    enum class Job { Bitmap, PrintFile, Prepared };
    const std::string prepared = raster_files::tempPath("cancel_progress.prn");
    raster_files::writeAll(prepared, Bytes{0x1B, 0x40, 0x0C});
    struct Case {
        const char* name;
        Job job;
        Model model;
        RasterPrintOption option;
        bool succeeds;
    };
    RasterPrintOption twoCopies = jobOption(11, 2);
    RasterPrintOption fileA4 = jobOption(MP_A4);
    fileA4.savePrnPath = raster_files::tempPath("cancel_progress_a4.prn");
    RasterPrintOption fileLabel = jobOption(16);
    fileLabel.savePrnPath = raster_files::tempPath("cancel_progress_label.prn");
    RasterPrintOption unwritable = jobOption(16);
    unwritable.savePrnPath = raster_files::tempPath("no_such_directory/job.prn");
    RasterPrintOption noCopies = jobOption(16, 0);
    noCopies.savePrnPath = fileLabel.savePrnPath;
    const Case cases[] = {
        {"bitmap, two copies", Job::Bitmap, KX_A380W, twoCopies, true},
        {"print file, full page", Job::PrintFile, FC_412, fileA4, true},
        {"print file, label", Job::PrintFile, VZ_310W, fileLabel, true},
        {"print file that cannot be written", Job::PrintFile, VZ_310W, unwritable, false},
        {"print file without copies", Job::PrintFile, VZ_310W, noCopies, false},
        {"prepared file, two copies", Job::Prepared, KX_A380W, twoCopies, true},
    };
    struct Outcome {
        bool result;
        int code;
        size_t messages;
    };
    const auto run = [&](const Case& c, int cancelAtMessage) {
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = c.option;
        RasterPrint job(PORT_USB, &p, c.model, o);
        if (cancelAtMessage > 0) {
            p.onSlotCall(Slot::SendMessage, cancelAtMessage, [&job] { job.cancel(); });
        }
        Picture pic = framePicture(16, 16);
        BitmapData bitmap = pic.bitmap();
        std::string path = prepared;
        bool result = false;
        switch (c.job) {
            case Job::Bitmap:
                result = job.printBitmap(bitmap, 0, o.numberOfCopies);
                break;
            case Job::PrintFile:
                result = job.createPrintData(bitmap, 0, 1);
                break;
            case Job::Prepared:
                result = job.printPrn(path);
                break;
        }
        return Outcome{result, PrinterStatus::error_code_, p.messages().size()};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome plain = run(c, 0);
        ASSERT_EQ(plain.result, c.succeeds);
        ASSERT_EQ(plain.result, plain.code == 1);
        ASSERT_GT(plain.messages, 1u);
        for (size_t k = 1; k <= plain.messages; ++k) {
            SCOPED_TRACE("cancel during progress code " + std::to_string(k));
            const Outcome r = run(c, static_cast<int>(k));
            EXPECT_EQ(r.result, r.code == 1) << "code " << r.code;
            const bool tooLate = k == plain.messages;
            if (tooLate) {
                EXPECT_EQ(r.result, plain.result);
                EXPECT_EQ(r.code, plain.code);
            } else if (c.succeeds) {
                EXPECT_FALSE(r.result);
                EXPECT_EQ(r.code, 37);
            }
        }
    }
    std::remove(prepared.c_str());
    std::remove(fileA4.savePrnPath.c_str());
    std::remove(fileLabel.savePrnPath.c_str());
}
