#include <gtest/gtest.h>

#include <climits>

#include "file_transfer_fixture.h"
#include "transfer/lazy_whole_life.h"

using namespace transfer_test;

namespace {

const Bytes kTransferModeQuery = {0x1B, 0x69, 0x46, 0x69, 0x00};
const Bytes kTransferModeSwitch = {0x1B, 0x69, 0x46, 0x4D};
const Bytes kTransferStatusRequest = {0x1B, 0x69, 0x46, 0x53};
const std::string kTransferModeOid = "1.3.6.1.4.1.7741.3.3.9.1.6.6.0";

Bytes switchReply(unsigned char byte18) {
    Bytes r(32, 0);
    r[18] = byte18;
    return r;
}

// A database file: a 128-byte header of the kind, then the payload.
Bytes kd3File(uint16_t kind, size_t payload) {
    Bytes f = header(0x80, kind);
    for (size_t i = 0; i < payload; ++i) {
        f.push_back(static_cast<unsigned char>(i * 7));
    }
    return f;
}

// Sizes of the chunks sent after the header (the 4-byte length sends are left out).
std::vector<size_t> chunkSizes(const std::vector<Bytes>& sends, size_t from) {
    std::vector<size_t> sizes;
    for (size_t i = from; i + 1 < sends.size(); i += 2) {
        EXPECT_EQ(sends[i].size(), 4u);
        sizes.push_back(sends[i + 1].size());
    }
    return sizes;
}

class TransferEngineTest : public PrinterStatusTest {
  protected:
    std::unique_ptr<TestFileTransfer> make(Port port, bool statusSupported, int protocol = 100) {
        auto t = std::make_unique<TestFileTransfer>(port, &printer, KX_C270W, option);
        configure(*t, port, statusSupported, protocol);
        return t;
    }

    SimulatedPrinter printer;
    RasterPrintOption option = defaultOptions();
    TempFiles files;
    WaitRecorder waits;
};

}  // namespace

TEST_F(TransferEngineTest, TransferTimeoutCommand) {
    auto t = make(PORT_USB, false);
    struct Row {
        int seconds;
        bool reset;
        unsigned char n;
    };
    const Row rows[] = {{60, false, 6},   {1, false, 1},        {0, false, 1}, {-30, false, 1},
                        {601, false, 60}, {INT_MAX, false, 60}, {60, true, 0}};
    for (const Row& row : rows) {
        EXPECT_TRUE(t->setTimeoutWhileTransferFile(row.seconds, row.reset));
    }
    const auto sends = printer.sentData();
    ASSERT_EQ(sends.size(), std::size(rows));
    for (size_t i = 0; i < sends.size(); ++i) {
        EXPECT_EQ(sends[i], (Bytes{0x1B, 0x69, 0x46, 0x74, 0x01, rows[i].n})) << rows[i].seconds;
    }
    BasePrinter::cancel_flag = true;
    EXPECT_FALSE(t->setTimeoutWhileTransferFile(60, false));
    EXPECT_EQ(printer.sentData().size(), sends.size());
}

TEST(LazyWholeLifeTest, RunsTheLastTaskOnceAtItsEnd) {
    int first = 0;
    int second = 0;
    {
        tf::resource::LazyWholeLife guard([&] { ++first; });
        guard.setTask([&] { ++second; });
    }
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    { tf::resource::LazyWholeLife nothing; }
}

TEST_F(TransferEngineTest, TransferModeSwitch) {
    auto t = make(PORT_USB, true);
    printer.onExchange(kTransferModeQuery, {Reply({1})});
    printer.onExchange(kTransferModeSwitch, {Reply(switchReply(1))});
    printer.onExchange(kTransferStatusRequest, {Reply(transferStatus(1))});
    EXPECT_TRUE(t->changeTransferMode());
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(printer.calls(Slot::SendDataReceiveData).size(), 3u);

    printer.onExchange(kTransferModeSwitch, {Reply(switchReply(0))});
    EXPECT_FALSE(t->changeTransferMode());
    EXPECT_EQ(errorCode(), 40);

    // The network port asks its object; mode 0 needs no switch.
    SimulatedPrinter net;
    TestFileTransfer onNet(PORT_NET, &net, KX_C270W, option);
    configure(onNet, PORT_NET, false);
    net.onOid(kTransferModeOid, {Reply({0})});
    EXPECT_TRUE(onNet.changeTransferMode());
    EXPECT_TRUE(net.calls(Slot::SendDataReceiveData).empty());
}

TEST_F(TransferEngineTest, DispatchByPathAndPort) {
    const Bytes db = kd3File(0x0200, 10);
    const std::string upper = files.write("DATA.KD3", db);
    auto onBluetooth = make(PORT_BLUETOOTH, false);
    EXPECT_TRUE(onBluetooth->transfer(upper, false));
    EXPECT_EQ(printer.sentData().front(), kFileFollows);
    EXPECT_EQ(onBluetooth->loadedData(), nullptr);  // released after the transfer

    SimulatedPrinter net;
    TestFileTransfer onNet(PORT_NET, &net, KX_C270W, option);
    configure(onNet, PORT_NET, false);
    EXPECT_FALSE(onNet.transfer(upper, false));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_FALSE(onNet.transfer("", false));
    EXPECT_EQ(errorCode(), 28);
    EXPECT_FALSE(onNet.transfer(files.write("data.bin", db), false));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_TRUE(net.sentData().empty());

    // Firmware kinds go only into a firmware update.
    SimulatedPrinter usb;
    TestFileTransfer t(PORT_USB, &usb, KX_C270W, option);
    configure(t, PORT_USB, false);
    EXPECT_FALSE(t.transfer(files.write("firm.kd3", kd3File(0x0612, 10)), false));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_TRUE(usb.sentData().empty());
}

TEST_F(TransferEngineTest, ChunksFollowThePrintersRequest) {
    auto t = make(PORT_USB, false);
    const Bytes file = kd3File(0x0200, 100000);
    ASSERT_TRUE(t->getKd3Data(files.write("big.kd3", file)));
    // The printer asks for 16384 bytes: one piece per call.
    PrinterStatus::status_byte_[24] = 0x00;
    PrinterStatus::status_byte_[25] = 0x40;
    EXPECT_EQ(t->sendTemplate(100000, 0), 16384);
    EXPECT_EQ(chunkSizes(printer.sentData(), 0), (std::vector<size_t>{16384}));
    EXPECT_EQ(printer.sentData()[0], (Bytes{0x00, 0x40, 0x00, 0x00}));

    // It asks for nothing: the rest goes in pieces of at most 40960.
    PrinterStatus::status_byte_[25] = 0;
    EXPECT_EQ(t->sendTemplate(100000, 16384), 100000);
    const auto sends = printer.sentData();
    EXPECT_EQ(chunkSizes(sends, 2), (std::vector<size_t>{40960, 40960, 1696}));
    Bytes payload;
    for (size_t i = 1; i < sends.size(); i += 2) {
        payload.insert(payload.end(), sends[i].begin(), sends[i].end());
    }
    EXPECT_EQ(payload, Bytes(file.begin() + 128, file.end()));

    // From the start with no request: 40960, 40960, 18080 in one call.
    SimulatedPrinter other;
    TestFileTransfer fresh(PORT_USB, &other, KX_C270W, option);
    ASSERT_TRUE(fresh.getKd3Data(files.write("big2.kd3", file)));
    EXPECT_EQ(fresh.sendTemplate(100000, 0), 100000);
    EXPECT_EQ(chunkSizes(other.sentData(), 0), (std::vector<size_t>{40960, 40960, 18080}));

    // A caller asking beyond the loaded payload gets nothing sent.
    EXPECT_EQ(fresh.sendTemplate(100001, 0), -1);
    EXPECT_EQ(errorCode(), 23);
}

TEST_F(TransferEngineTest, DatabaseHeaderBusyThreeTimes) {
    auto t = make(PORT_USB, true);
    for (int i = 0; i < 3; ++i) {
        printer.queueRecord(Record(transferStatus(2, 0x80, 0)));
    }
    EXPECT_FALSE(t->transfer(files.write("busy.kd3", kd3File(0x0200, 10)), false));
    EXPECT_EQ(errorCode(), 12);
    EXPECT_EQ(waits.seconds(), (std::vector<long long>{1, 1}));
    const auto sends = printer.sentData();
    ASSERT_EQ(sends.size(), 6u);  // header three times, no chunk
    EXPECT_EQ(sends[4], kFileFollows);
}

TEST_F(TransferEngineTest, DatabaseTransferWithStatusAfterEveryChunk) {
    auto t = make(PORT_USB, true);
    printer.queueRecord(Record(transferStatus(1, 0, 0, 600)));  // after the header
    printer.queueRecord(Record(transferStatus(1, 0, 0, 400)));  // after 600 bytes
    printer.queueRecord(Record(transferStatus(1)));             // after the rest
    EXPECT_TRUE(t->transfer(files.write("db.kd3", kd3File(0x0200, 1000)), false));
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(chunkSizes(printer.sentData(), 2), (std::vector<size_t>{600, 400}));
    EXPECT_EQ(printer.messages(), (std::vector<int>{10, 11, 14, 10, 11, 10, 11, 15}));
}

TEST_F(TransferEngineTest, FirmwareFileWhosePrinterStopsAnsweringAfterTheLastChunk) {
    struct Row {
        const char* name;
        Port port;
        bool waitAfterLastChunk;
        int failedPolls;  // failed reads after the last chunk's own failed read
        bool ok;
        std::vector<long long> waits;
    };
    const Row rows[] = {
        {"port 1, waits, answers on the third poll", PORT_USB, true, 2, true, {3, 3, 3}},
        {"port 1, waits, never answers", PORT_USB, true, 15, true, std::vector<long long>(15, 3)},
        {"port 1, no wait", PORT_USB, false, 0, true, {}},
        {"port 2, no wait", PORT_BLUETOOTH, false, 0, true, {}},
        {"port 2, waits", PORT_BLUETOOTH, true, 0, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        WaitRecorder recorder;
        TestFileTransfer t(row.port, &p, KX_C270W, option);
        configure(t, row.port, true);
        t.editSpec().waitAfterLastChunk = row.waitAfterLastChunk;
        p.queueRecord(Record(transferStatus(1)));
        p.queueRecord(Record::withCount({}, -1));
        for (int i = 0; i < row.failedPolls; ++i) {
            p.queueRecord(Record::withCount({}, -1));
        }
        p.setDefaultRecord(transferStatus(1));
        EXPECT_EQ(t.transfer(files.write("firm.kd3", kd3File(0x0600, 50)), true), row.ok);
        EXPECT_EQ(errorCode(), row.ok ? 1 : 6);
        EXPECT_EQ(recorder.seconds(), row.waits);
        EXPECT_EQ(!p.messages().empty() && p.messages().back() == 15, row.ok);
    }
}

namespace {

class PackageTest : public TransferEngineTest {
  protected:
    void SetUp() override {
        TransferEngineTest::SetUp();
        t = make(PORT_USB, false, 101);
        t->editSpec().modelName = "KX-C270W";
    }
    std::unique_ptr<TestFileTransfer> t;
    const Bytes pre = preamble("KX_C270W");
};

}  // namespace

TEST_F(PackageTest, EachRecordGoesWithThePreamble) {
    const Bytes r1 = record(templateHeader(1), Bytes(30, 1));
    const Bytes r2 = record(templateHeader(2), Bytes(40, 2));
    const Bytes r3 = record(templateHeader(3), Bytes(50, 3));
    EXPECT_TRUE(t->transfer(files.write("three.tlf", concat({pre, r1, r2, r3})), false));
    EXPECT_EQ(printer.sentData(),
              (std::vector<Bytes>{concat({pre, r1}), concat({pre, r2}), concat({pre, r3})}));
    EXPECT_EQ(printer.messages(), (std::vector<int>{14, 14, 15, 14, 15, 14, 15}));

    SimulatedPrinter failing;
    TestFileTransfer second(PORT_USB, &failing, KX_C270W, option);
    configure(second, PORT_USB, false, 101);
    second.editSpec().modelName = "KX-C270W";
    failing.failSlotCall(Slot::SendData, 2);
    EXPECT_FALSE(second.transfer(files.write("three2.tlf", concat({pre, r1, r2, r3})), false));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(failing.calls(Slot::SendData).size(), 2u);
}

TEST_F(PackageTest, HeaderlessRecordSendsOnlyItsPayload) {
    // A long preamble puts the payload past byte 255 of the scanned bytes.
    Bytes longPre = pre;
    longPre.insert(longPre.end(), 200, 'Z');
    const Bytes payload(64, 0x5A);
    const Bytes r = record(header(0x80, 0x0B00), payload);
    t->editSpec().commandProtocol.version = 100;
    t->editSpec().statusSupported = true;
    EXPECT_TRUE(t->transfer(files.write("raw.tlf", concat({longPre, r})), false));
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{payload}));
    EXPECT_TRUE(printer.calls(Slot::ReceiveData).empty());
    EXPECT_EQ(printer.messages(), (std::vector<int>{14, 14}));
}

TEST_F(PackageTest, TemplateRecordWithTransferStatus) {
    t->editSpec().statusSupported = true;
    const Bytes r = record(templateHeader(1), Bytes(30, 1));
    printer.queueRecord(Record(transferStatus(1, 0, 0, 30)));  // taken, size not yet checked
    printer.queueRecord(Record(transferStatus(1)));
    EXPECT_TRUE(t->transfer(files.write("one.tlf", concat({pre, r})), false));
    EXPECT_EQ(errorCode(), 1);

    // The printer still asks for bytes at the end: the record is not complete.
    printer.queueRecord(Record(transferStatus(1)));
    printer.queueRecord(Record(transferStatus(1, 0, 0, 30)));
    EXPECT_FALSE(t->transfer(files.write("one.tlf", concat({pre, r})), false));
}

TEST_F(PackageTest, FirmwareRecordForgivesFailedReadsUpToTheLastPoll) {
    t->editSpec().statusSupported = true;
    const Bytes r = record(header(0x80, 0x0600), Bytes(30, 1));
    for (int failures : {35, 36}) {
        SCOPED_TRACE(failures);
        SimulatedPrinter p;
        WaitRecorder recorder;
        TestFileTransfer f(PORT_USB, &p, KX_C270W, option);
        configure(f, PORT_USB, true, 101);
        f.editSpec().modelName = "KX-C270W";
        p.queueRecord(Record(transferStatus(1)));  // the read right after the record
        for (int i = 0; i < failures; ++i) {
            p.queueRecord(Record::withCount({}, -1));
        }
        p.setDefaultRecord(transferStatus(1));
        const bool ok = f.transfer(files.write("firm.tlf", concat({pre, r})), true);
        EXPECT_EQ(ok, failures == 35);
        EXPECT_EQ(errorCode(), failures == 35 ? 1 : 6);
        EXPECT_EQ(p.calls(Slot::ResetPrinterResultErrorCode).size(), 35u);
        EXPECT_EQ(recorder.seconds(), std::vector<long long>(35, 1));
    }
}

TEST_F(PackageTest, FirmwareRecordPollJudgesOnlyItsOwnReading) {
    t->editSpec().statusSupported = true;
    const Bytes r = record(header(0x80, 0x0600), Bytes(30, 1));
    const Bytes busy = transferStatus(2, 0x80, 0);
    struct Row {
        const char* name;
        std::vector<Bytes> polls;  // the readings after the record's own status
        bool ok;
        int code;
        size_t waits;
    };
    const std::vector<Row> rows = {
        {"busy, then ready", {busy, transferStatus(1)}, true, 1, 1},
        {"busy twice, then ready", {busy, busy, transferStatus(1)}, true, 1, 2},
        {"still asking, busy, then ready",
         {transferStatus(1, 0, 0, 30), busy, transferStatus(1)},
         true,
         1,
         2},
        {"busy on every poll", std::vector<Bytes>(36, busy), false, 12, 35},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        WaitRecorder recorder;
        TestFileTransfer f(PORT_USB, &p, KX_C270W, option);
        configure(f, PORT_USB, true, 101);
        f.editSpec().modelName = "KX-C270W";
        p.queueRecord(Record(transferStatus(1)));  // the read right after the record
        for (const Bytes& reading : row.polls) {
            p.queueRecord(Record(reading));
        }
        EXPECT_EQ(f.transfer(files.write("firm.tlf", concat({pre, r})), true), row.ok);
        EXPECT_EQ(errorCode(), row.code);
        EXPECT_EQ(recorder.seconds(), std::vector<long long>(row.waits, 1));
    }
}

TEST_F(PackageTest, ReadinessWaitOnTheNetworkPort) {
    SimulatedPrinter net;
    WaitRecorder recorder;
    TestFileTransfer f(PORT_NET, &net, VZ_310W, option);
    configure(f, PORT_NET, false, 101);
    f.editSpec().modelName = "KX-C270W";
    net.onOid("1.3.6.1.2.1.25.3.5.1.1.1", {Reply({4}), Reply({4}), Reply({3})});
    EXPECT_TRUE(
        f.transfer(files.write("net.tlf", concat({pre, record(templateHeader(1), {1})})), false));
    // Two busy polls 2 seconds apart, then the extra second of this model.
    EXPECT_EQ(recorder.seconds(), (std::vector<long long>{2, 2, 1}));
}

TEST_F(PackageTest, FilesThatAreNotPackages) {
    // No record separator at all: refused, not reported as a success.
    EXPECT_FALSE(t->transfer(files.write("none.tlf", concat({pre, Bytes(200, 1)})), false));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_TRUE(printer.sentData().empty());

    // A preamble that itself holds a header and a file that ends in a bare separator: the
    // walk still ends.
    const Bytes headerInPreamble = concat({pre, templateHeader(9), Bytes(20, 'F')});
    const Bytes r = record(templateHeader(1), Bytes(10, 1));
    EXPECT_TRUE(
        t->transfer(files.write("tail.tlf", concat({headerInPreamble, r, kSeparator})), false));
    EXPECT_EQ(printer.sentData().size(), 2u);
    EXPECT_EQ(printer.sentData().back(), concat({headerInPreamble, kSeparator}));

    // A record too short to hold a header is refused before it is sent.
    SimulatedPrinter p;
    TestFileTransfer f(PORT_USB, &p, KX_C270W, option);
    EXPECT_FALSE(f.transferSingleTlf(concat({Bytes(10, 'P'), kSeparator}), false));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_TRUE(p.sentData().empty());
}
