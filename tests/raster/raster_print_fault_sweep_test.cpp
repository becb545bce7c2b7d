// Fault sweep of the print job, the print file and the prepared print file: each exchange
// of a good run fails once, and each receiveData comes back once with a short, an
// over-long, a negative and a zero count. Every rerun ends with an error code other than 1
// and progress code 22, sends nothing after the failure but cancel sequences, and never the
// trailer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "connection/util.h"
#include "raster_print_fixture.h"
#include "support/fault_sweep.h"

using namespace print_job;
using fault_sweep::Outcome;

namespace {

// Answers of a printer that prints: ready for the job's paper, a battery byte for every
// battery command, after every page the "printed" record (a bitmap job's wait ends on it)
// or, for a prepared file, the status reply (its wait ends on a ready printer).
void printingPrinter(SimulatedPrinter& p, Model model, const RasterPrintOption& option,
                     bool preparedFile = false) {
    ProbeRasterPrint probe(PORT_USB, nullptr, model, const_cast<RasterPrintOption&>(option));
    const Bytes ready = readyStatus(model, probe.jobPaper());
    p.onExchange(kStatusRequest, {SimulatedPrinter::Reply(ready)});
    p.onExchange({0x1B, 0x69, 0x61}, {SimulatedPrinter::Reply(Bytes{0xC8})});
    p.onExchange({0x1B, 0x7E, 0x65, 0x50}, {SimulatedPrinter::Reply(Bytes{0x97})});
    p.setDefaultRecord(preparedFile ? ready : printedRecord(model));
}

// The checks every rerun of a job must pass.
void checkFailedJob(const fault_sweep::Rerun& r, const PrinterSpec& spec) {
    EXPECT_FALSE(r.outcome.ok) << r.label();
    EXPECT_EQ(r.outcome.code, 6) << r.label();
    ASSERT_FALSE(r.printer->messages().empty()) << r.label();
    EXPECT_EQ(r.printer->messages().back(), 22) << r.label();
    for (const Bytes& b : sendsFrom(*r.printer, static_cast<size_t>(r.call))) {
        EXPECT_NE(b, kTrailer) << r.label();
        EXPECT_TRUE(isCancelSequence(b, spec)) << r.label() << ": " << b.size() << " bytes sent";
    }
}

class RasterPrintFaultSweep : public PrintJobTest {};

// A job of two pages with two copies each, status check and print-end check on, on one
// model of every series.
TEST_F(RasterPrintFaultSweep, TwoPagesTwoCopies) {
    for (const SeriesRow& row : seriesRows()) {
        SCOPED_TRACE(row.name);
        RasterPrintOption option = rowOption(row, 2);
        option.doStatusCheck = true;
        option.checkPrintEnd = 3;
        const PrinterSpec spec = zoo::specOf(row.model);
        Picture picture = framePicture(64, 40);
        int reruns = 0;
        const Outcome clean =
            fault_sweep::sweep([&](SimulatedPrinter& p) { printingPrinter(p, row.model, option); },
                               [&](CommunicationObserver* o) {
                                   resetPrinterStatusStatics();
                                   Outcome out;
                                   out.ok = true;
                                   for (int page = 0; page < 2 && out.ok; ++page) {
                                       RasterPrint job(PORT_USB, o, row.model, option);
                                       BitmapData bitmap = picture.bitmap();
                                       out.ok = job.printBitmap(bitmap, page, 4);
                                   }
                                   out.code = PrinterStatus::error_code_;
                                   return out;
                               },
                               [&](const Outcome&, const std::vector<SimulatedPrinter::Call>&,
                                   const fault_sweep::Rerun& r) {
                                   ++reruns;
                                   checkFailedJob(r, spec);
                               });
        EXPECT_TRUE(clean.ok);
        EXPECT_EQ(clean.code, 1);
        EXPECT_GE(reruns, 4);
    }
}

// A prepared print file of two copies: status check, each copy and its print-end wait.
TEST_F(RasterPrintFaultSweep, PreparedFile) {
    const std::string path = ::testing::TempDir() + "lumeko_sweep.prn";
    const Bytes file = cat({kSwitchRaster, kInit, {0x67, 0x00, 0x02, 0x01, 0xFF, 0x1A}, kTrailer});
    ASSERT_TRUE(tpes::Util::writeFile(path, file.data(), static_cast<int>(file.size()), true));
    for (const SeriesRow& row : seriesRows()) {
        SCOPED_TRACE(row.name);
        RasterPrintOption option = rowOption(row, 2);
        option.doStatusCheck = true;
        option.checkPrintEnd = 3;
        const PrinterSpec spec = zoo::specOf(row.model);
        const Outcome clean = fault_sweep::sweep(
            [&](SimulatedPrinter& p) { printingPrinter(p, row.model, option, true); },
            [&](CommunicationObserver* o) {
                resetPrinterStatusStatics();
                RasterPrint job(PORT_USB, o, row.model, option);
                std::string name = path;
                Outcome out;
                out.ok = job.printPrn(name);
                out.code = PrinterStatus::error_code_;
                return out;
            },
            [&](const Outcome&, const std::vector<SimulatedPrinter::Call>&,
                const fault_sweep::Rerun& r) {
                EXPECT_FALSE(r.outcome.ok) << r.label();
                EXPECT_EQ(r.outcome.code, 6) << r.label();
                // The file's own bytes end with the trailer; nothing of it goes out after a
                // failure, only cancel sequences.
                for (const Bytes& b : sendsFrom(*r.printer, static_cast<size_t>(r.call))) {
                    EXPECT_TRUE(isCancelSequence(b, spec)) << r.label() << ": " << b.size();
                }
            });
        EXPECT_TRUE(clean.ok);
        EXPECT_EQ(clean.code, 1);
    }
    std::remove(path.c_str());
}

// Saving to a file talks to no printer: the sweep finds no exchange, and a file that cannot
// be written is the failure that remains.
TEST_F(RasterPrintFaultSweep, SaveToFile) {
    const SeriesRow row = seriesRows()[3];
    RasterPrintOption option = rowOption(row, 2);
    Picture picture = framePicture(64, 40);
    for (const std::string& target :
         {::testing::TempDir() + "lumeko_sweep_save.prn", std::string("/nonexistent/dir/x.prn")}) {
        SCOPED_TRACE(target);
        option.savePrnPath = target;
        std::vector<SimulatedPrinter::Call> calls;
        int reruns = 0;
        const Outcome clean =
            fault_sweep::sweep([](SimulatedPrinter&) {},
                               [&](CommunicationObserver* o) {
                                   resetPrinterStatusStatics();
                                   Outcome out;
                                   out.ok = true;
                                   for (int page = 0; page < 2 && out.ok; ++page) {
                                       RasterPrint job(PORT_USB, o, row.model, option);
                                       BitmapData bitmap = picture.bitmap();
                                       out.ok = job.createPrintData(bitmap, page, 2);
                                   }
                                   out.code = PrinterStatus::error_code_;
                                   return out;
                               },
                               [&](const Outcome&, const std::vector<SimulatedPrinter::Call>&,
                                   const fault_sweep::Rerun&) { ++reruns; },
                               &calls);
        EXPECT_EQ(reruns, 0);
        for (const auto& c : calls) {
            EXPECT_EQ(c.slot, Slot::SendMessage);
        }
        if (target[0] == '/' && target.rfind("/nonexistent", 0) == 0) {
            EXPECT_FALSE(clean.ok);
            EXPECT_NE(clean.code, 1);
        } else {
            EXPECT_TRUE(clean.ok);
            EXPECT_EQ(clean.code, 1);
            std::remove(target.c_str());
        }
    }
}

}  // namespace
