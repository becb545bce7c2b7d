// Print files: the save job writes what the print job sends, a prepared file is sent as it
// is (with ESC i S appended off the network port), and the file operations fail cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "raster_print_fixture.h"
#include "support/raster_stream/job_layout.h"
#include "support/raster_test_files.h"

using namespace print_job;
using raster_files::readAll;
using raster_files::tempPath;
using raster_files::writeAll;

namespace {

raster_stream::JobStream walk(const Bytes& stream, Model model, const RasterPrintOption& o) {
    ProbeRasterPrint probe(PORT_USB, nullptr, model, const_cast<RasterPrintOption&>(o));
    const PrinterSpec& spec = probe.jobSpec();
    const raster_stream::JobLayout layout =
        raster_stream::layoutFor(spec, probe.jobPaper(), o, o.mode9 && spec.mode9Supported);
    raster_stream::JobStream job;
    std::string error;
    EXPECT_TRUE(raster_stream::walkJob(stream, layout, job, error)) << error;
    return job;
}

}  // namespace

class RasterPrintFileTest : public PrintJobTest {
  protected:
    Picture pic = framePicture(40, 30);
};

TEST_F(RasterPrintFileTest, SaveThenReplayOnEverySeries) {
    for (const SeriesRow& row : seriesRows()) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        const RasterPrintOption base = rowOption(row);
        BitmapData bitmap = pic.bitmap();

        // What a one-copy print job sends, without its Mode 9 initialise.
        SimulatedPrinter printed;
        {
            RasterPrintOption o = base;
            RasterPrint job(PORT_USB, &printed, row.model, o);
            ASSERT_TRUE(job.printBitmap(bitmap, 0, 1));
        }
        Bytes expected;
        for (const Bytes& b : sendsFrom(printed, 0)) {
            if (b != kInitMode9) {
                expected.insert(expected.end(), b.begin(), b.end());
            }
        }

        // The print file holds exactly that.
        const std::string file = tempPath(std::string("replay_") + row.name + ".prn");
        {
            SimulatedPrinter observer;
            RasterPrintOption o = base;
            o.savePrnPath = file;
            RasterPrint job(PORT_USB, &observer, row.model, o);
            ASSERT_TRUE(job.createPrintData(bitmap, 0, 1));
            EXPECT_EQ(observer.messages(), (std::vector<int>{12, 14, 13, 21}));
            for (const auto& c : observer.calls()) {
                EXPECT_EQ(c.slot, Slot::SendMessage);
            }
        }
        const Bytes saved = readAll(file);
        ASSERT_EQ(saved, expected);

        // Replayed on Bluetooth: the file and ESC i S in one send, the same page decoded.
        SimulatedPrinter bluetooth;
        {
            RasterPrintOption o = base;
            RasterPrint job(PORT_BLUETOOTH, &bluetooth, row.model, o);
            std::string path = file;
            ASSERT_TRUE(job.printPrn(path));
            EXPECT_EQ(bluetooth.messages(), (std::vector<int>{14, 15}));
        }
        ASSERT_EQ(bluetooth.sentData(), (std::vector<Bytes>{cat({saved, kStatusRequest})}));
        const raster_stream::JobStream fromFile = walk(saved, row.model, base);
        const raster_stream::JobStream fromPrinter = walk(bluetooth.sentData()[0], row.model, base);
        ASSERT_EQ(fromFile.calls.size(), 1u);
        ASSERT_EQ(fromPrinter.calls.size(), 1u);
        ASSERT_EQ(fromPrinter.calls[0].pages.size(), 1u);
        EXPECT_EQ(fromPrinter.calls[0].pages[0].lines, fromFile.calls[0].pages[0].lines);
        EXPECT_TRUE(fromPrinter.calls[0].trailer);
        EXPECT_EQ(fromPrinter.statusRequests, 1u);

        // On the network port nothing is appended.
        SimulatedPrinter network;
        {
            RasterPrintOption o = base;
            RasterPrint job(PORT_NET, &network, row.model, o);
            std::string path = file;
            ASSERT_TRUE(job.printPrn(path));
        }
        EXPECT_EQ(network.sentData(), (std::vector<Bytes>{saved}));

        // With a save path the same bytes go to that file and nothing is sent.
        SimulatedPrinter unused;
        const std::string copy = tempPath(std::string("replay_copy_") + row.name + ".prn");
        {
            RasterPrintOption o = base;
            o.savePrnPath = copy;
            RasterPrint job(PORT_BLUETOOTH, &unused, row.model, o);
            std::string path = file;
            ASSERT_TRUE(job.printPrn(path));
        }
        EXPECT_TRUE(unused.sentData().empty());
        EXPECT_EQ(readAll(copy), cat({saved, kStatusRequest}));
        std::remove(file.c_str());
        std::remove(copy.c_str());
    }
}

// What a prepared file sends: the file once a copy, with ESC i S appended unless it already
// ends with it (a file of fewer than three bytes never does). No copies asked for: nothing at
// all, not even a copy's progress codes, and the job still succeeds.
TEST_F(RasterPrintFileTest, PreparedFileSends) {
    const Bytes endsWithRequest = cat({Bytes{0x1B, 0x40, 0x01}, kStatusRequest});
    const Bytes plain = {0x1B, 0x69, 0x54};
    const Bytes plainSent = cat({plain, kStatusRequest});
    const struct {
        const char* name;
        Bytes file;
        int copies;
        std::vector<Bytes> sent;
        std::vector<int> messages;
    } rows[] = {
        {"ends with ESC i S", endsWithRequest, 1, {endsWithRequest}, {14, 15}},
        {"one byte", Bytes{0x53}, 1, {cat({Bytes{0x53}, kStatusRequest})}, {14, 15}},
        {"two bytes", Bytes{0x69, 0x53}, 1, {cat({Bytes{0x69, 0x53}, kStatusRequest})}, {14, 15}},
        {"ends with ESC i T", plain, 1, {plainSent}, {14, 15}},
        {"two copies", plain, 2, {plainSent, plainSent}, {14, 15, 14, 15}},
        {"no copies", plain, 0, {}, {}},
        {"negative copies", plain, -1, {}, {}},
    };
    const std::string path = tempPath("prepared.prn");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        writeAll(path, row.file);
        RasterPrintOption o = jobOption(11, row.copies);
        RasterPrint job(PORT_BLUETOOTH, &p, KX_A380W, o);
        std::string name = path;
        EXPECT_TRUE(job.printPrn(name));
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(p.sentData(), row.sent);
        EXPECT_EQ(p.messages(), row.messages);
    }
    std::remove(path.c_str());
}

// Three pages saved one call each: every call writes its page as a one-page stream; page 0
// replaces an existing file or extends it as the option says, later pages extend it.
TEST_F(RasterPrintFileTest, ThreePagesOverAnExistingFile) {
    const Model model = KX_A380W;
    const Bytes junk = {0x01, 0x02, 0x03};
    Picture pages[3] = {framePicture(40, 30), framePicture(24, 20), framePicture(48, 36)};

    // Each page saved alone.
    std::vector<Bytes> alone;
    for (int page = 0; page < 3; ++page) {
        const std::string path = tempPath("page_alone.prn");
        RasterPrintOption o = jobOption(11, 1);
        o.savePrnPath = path;
        RasterPrint job(PORT_USB, nullptr, model, o);
        BitmapData bitmap = pages[page].bitmap();
        ASSERT_TRUE(job.createPrintData(bitmap, page, 3));
        alone.push_back(readAll(path));
        std::remove(path.c_str());
    }
    for (bool overwrite : {true, false}) {
        SCOPED_TRACE(overwrite ? "overwrite" : "extend");
        const std::string path = tempPath("three_pages.prn");
        writeAll(path, junk);
        for (int page = 0; page < 3; ++page) {
            resetPrinterStatusStatics();
            RasterPrintOption o = jobOption(11, 1);
            o.savePrnPath = path;
            o.overwrite = overwrite;
            RasterPrint job(PORT_USB, nullptr, model, o);
            BitmapData bitmap = pages[page].bitmap();
            ASSERT_TRUE(job.createPrintData(bitmap, page, 3));
        }
        const Bytes pagesBytes = cat({alone[0], alone[1], alone[2]});
        const Bytes file = readAll(path);
        EXPECT_EQ(file, overwrite ? pagesBytes : cat({junk, pagesBytes}));
        const raster_stream::JobStream walked = walk(pagesBytes, model, jobOption(11, 1));
        ASSERT_EQ(walked.calls.size(), 3u);
        for (const auto& call : walked.calls) {
            EXPECT_EQ(call.zeroBytes, 100u);
            EXPECT_TRUE(call.init);
            ASSERT_EQ(call.pages.size(), 1u);
            EXPECT_TRUE(call.pages[0].last);
            EXPECT_TRUE(call.trailer);
        }
        std::remove(path.c_str());
    }
}

TEST_F(RasterPrintFileTest, UnwritablePrintFile) {
    RasterPrintOption o = jobOption(11, 1);
    o.savePrnPath = tempPath("no_such_directory/job.prn");
    RasterPrint job(PORT_USB, &printer, KX_A380W, o);
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.createPrintData(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(printer.messages(), (std::vector<int>{12, 14, 13, 22}));
}

// A page that cannot be built: progress 12 and 13, nothing written.
TEST_F(RasterPrintFileTest, PageThatCannotBeBuilt) {
    const std::string path = tempPath("not_built.prn");
    std::remove(path.c_str());
    RasterPrintOption o = jobOption(11, 1);
    o.savePrnPath = path;
    RasterPrint job(PORT_USB, &printer, KX_A380W, o);
    Picture wide = framePicture(400, 30);  // wider than the 12 mm tape
    BitmapData bitmap = wide.bitmap();
    EXPECT_FALSE(job.createPrintData(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(printer.messages(), (std::vector<int>{12, 13}));
    EXPECT_TRUE(readAll(path).empty());
}

// A prepared file's print-end wait asks for the status while the printer is busy and ends at
// its plain status reply.
TEST_F(RasterPrintFileTest, PreparedFileWaitAsksForTheStatus) {
    const std::string path = tempPath("status_wait.prn");
    writeAll(path, cat({kSwitchRaster, kInit, kTrailer, kStatusRequest}));
    RasterPrintOption o = jobOption(11, 1);
    o.checkPrintEnd = 3;
    RasterPrint job(PORT_USB, &printer, KX_A380W, o);
    printer.queueRecord(
        StatusReplyBuilder(KX_A380W).statusType(5).notification(3).bytes());  // busy
    printer.queueRecord(StatusReplyBuilder(KX_A380W).bytes());                // plain
    std::string name = path;
    EXPECT_TRUE(job.printPrn(name));
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    const std::vector<Bytes> sent = printer.sentData();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], kStatusRequest);
    EXPECT_EQ(printer.messages(), (std::vector<int>{14, 24, 25, 15}));
    std::remove(path.c_str());
}

TEST_F(RasterPrintFileTest, NoSavePath) {
    RasterPrintOption o = jobOption(11, 1);
    RasterPrint job(PORT_USB, &printer, KX_A380W, o);
    BitmapData bitmap = pic.bitmap();
    EXPECT_FALSE(job.createPrintData(bitmap, 0, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(printer.messages(), (std::vector<int>{12, 22}));
}

// A prepared file that is missing or empty: error 28, nothing sent.
TEST_F(RasterPrintFileTest, MissingOrEmptyPreparedFile) {
    const std::string empty = tempPath("empty.prn");
    writeAll(empty, {});
    for (std::string path : {tempPath("missing.prn"), empty}) {
        SCOPED_TRACE(path);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = jobOption(11, 1);
        RasterPrint job(PORT_BLUETOOTH, &p, KX_A380W, o);
        EXPECT_FALSE(job.printPrn(path));
        EXPECT_EQ(PrinterStatus::error_code_, 28);
        EXPECT_TRUE(p.calls().empty());
    }
    std::remove(empty.c_str());
}

// Two copies of a prepared file; the printer reports an error after the first: the second
// copy is not sent and the job fails with the printer's error.
TEST_F(RasterPrintFileTest, PreparedFileStopsAfterTheFirstCopy) {
    const std::string path = tempPath("two_copies.prn");
    const Bytes file = cat({kSwitchRaster, kInit, kTrailer});
    writeAll(path, file);
    RasterPrintOption o = jobOption(11, 2);
    o.checkPrintEnd = 3;
    RasterPrint job(PORT_BLUETOOTH, &printer, KX_A380W, o);
    printer.setDefaultRecord(StatusReplyBuilder(KX_A380W).statusType(2).errorInfo1(0x40));
    std::string name = path;
    EXPECT_FALSE(job.printPrn(name));
    EXPECT_NE(PrinterStatus::error_code_, 1);
    const std::vector<Bytes> sent = printer.sentData();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], cat({file, kStatusRequest}));
    EXPECT_TRUE(isCancelSequence(sent[1], zoo::specOf(KX_A380W)));
    EXPECT_EQ(printer.messages(), (std::vector<int>{14}));
    std::remove(path.c_str());
}
