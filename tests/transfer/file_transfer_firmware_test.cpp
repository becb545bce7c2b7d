#include <gtest/gtest.h>

#include <algorithm>

#include "file_transfer_fixture.h"

using namespace transfer_test;

namespace {

const Bytes kMethod1 = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x01, 0x01};
const Bytes kMethod2 = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0E, 0x01};
const Bytes kMethod3 = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x02, 0x01};
const Bytes kDefaultMode = {0x1B, 0x69, 0x61, 0xFF};
const Bytes kFirmwareInformation = {0x1B, 0x69, 0x58, 0x53};
const Bytes kBootMode = {0x1B, 0x69, 0x46, 0x69, 0x01};
const Bytes kBatteryWeak = {0x1B, 0x69, 0x46, 0x69, 0x02};
const std::string kFirmwareOid = "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5";
const std::string kInterpreterOid = "1.3.6.1.2.1.43.15.1.1.6.1.1";

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

class FirmwareQueryTest : public PrinterStatusTest {
  protected:
    std::unique_ptr<TestFileTransfer> make(Port port, int method = 1) {
        auto t = std::make_unique<TestFileTransfer>(port, &printer, KX_C270W, option);
        configure(*t, port, false);
        t->editSpec().firmwareVersionMethod = method;
        return t;
    }

    SimulatedPrinter printer;
    RasterPrintOption option = defaultOptions();
};

}  // namespace

TEST_F(FirmwareQueryTest, VersionByCommand) {
    struct Row {
        const char* name;
        int method;
        Bytes command;
        Bytes reply;
        std::string version;
        int code;
    };
    Bytes method2Reply = text("Ver 1.07");
    method2Reply.resize(16, 0);
    const Row rows[] = {
        {"method 1", 1, kMethod1, {0x31, 0x2E, 0x30, 0x37, 0x00}, "107", 1},
        {"method 2, last piece", 2, kMethod2, method2Reply, "107", 1},
        {"method 4, five bytes", 4, kMethod2, text("V1.10xyz"), "110", 1},
        {"all zero", 1, kMethod1, Bytes(5, 0), "", 6},
        {"no digit left", 1, kMethod1, text("V..V."), "", 6},
        {"last piece without digit", 2, kMethod2, text("Ver V."), "", 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
        configure(t, PORT_USB, false);
        t.editSpec().firmwareVersionMethod = row.method;
        p.onExchange(row.command, {Reply(row.reply)});
        EXPECT_EQ(t.getFirmVer(), row.version);
        EXPECT_EQ(errorCode(), row.code);
        ASSERT_EQ(p.calls(Slot::SendDataReceiveData).size(), 1u);
        EXPECT_EQ(p.calls(Slot::SendDataReceiveData)[0].bytes, row.command);
        EXPECT_EQ(p.sentData(), (std::vector<Bytes>{kDefaultMode}));
    }
}

TEST_F(FirmwareQueryTest, VersionByCountedReply) {
    auto t = make(PORT_USB, 3);
    // The count byte asks for 200 bytes; the first read brings 132, the rest comes in a
    // second read.
    Bytes reply(201, 0x20);
    reply[0] = 200;
    const Bytes version = text("1.2.3");
    std::copy(version.begin(), version.end(), reply.begin() + 65);
    printer.queueRecord(Record(Bytes(reply.begin(), reply.begin() + 132)));
    printer.queueRecord(Record(Bytes(reply.begin() + 132, reply.end())));
    EXPECT_EQ(t->getFirmVer(), "123");
    const auto reads = printer.calls(Slot::ReceiveData);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].length, 132);
    EXPECT_EQ(reads[1].length, 72);  // ((201 - 132) / 8 + 1) * 8
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kMethod3, kDefaultMode}));
}

TEST_F(FirmwareQueryTest, CountedReplyThatStopsShortIsNoVersion) {
    auto t = make(PORT_USB, 3);
    // The count promises 100 bytes; the version's first byte came, the rest never does.
    Bytes first(67, 0x20);
    first[0] = 100;
    first[65] = '1';
    first[66] = '2';
    printer.queueRecord(Record(first));
    printer.setDefaultRecord({});
    EXPECT_EQ(t->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.calls(Slot::ReceiveData).size(), 4u);
}

TEST_F(FirmwareQueryTest, CountedReplyNeverReadsPastItsBuffer) {
    auto t = make(PORT_USB, 3);
    Bytes first(132, 0x31);
    first[0] = 255;  // asks for 255 more bytes than the buffer can hold after 132
    printer.queueRecord(Record(first));
    // A host that hands back more than asked is cut to the request.
    printer.setDefaultRecord(Bytes(300, 0x32));
    t->getFirmVer();
    const auto reads = printer.calls(Slot::ReceiveData);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[1].length, 256 - 132);
    EXPECT_EQ(reads[1].written.size(), 124u);
}

TEST_F(FirmwareQueryTest, VersionFailures) {
    auto t = make(PORT_USB, 5);
    EXPECT_EQ(t->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 39);
    EXPECT_TRUE(printer.calls().empty());

    auto t2 = make(PORT_USB, 1);
    printer.onExchange(kMethod1, {Reply::failure()});
    EXPECT_EQ(t2->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 6);

    // Closing the mode fails: a query that failed gives no version, whatever it read.
    printer.onExchange(kMethod1, {Reply(text("1.07"))});
    printer.setSendDataResult(false);
    EXPECT_EQ(t2->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 6);

    // No firmware functions on the port: the empty text is the answer, not a failure.
    auto noFirmware = make(PORT_USB, 1);
    noFirmware->editSpec().supportFunctions[PORT_USB] = 0x01;
    const size_t before = printer.calls().size();
    EXPECT_EQ(noFirmware->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(printer.calls().size(), before);
}

TEST_F(FirmwareQueryTest, VersionOverTheNetwork) {
    auto t = make(PORT_NET);
    printer.onOid(kFirmwareOid, {Reply::text("FIRMVER=\"1.07\"\r\n"), Reply::failure()});
    EXPECT_EQ(t->getFirmVer(), "107");
    EXPECT_EQ(errorCode(), 1);

    printer.onOid(kInterpreterOid, {Reply::text("V2.01"), Reply::failure()});
    EXPECT_EQ(t->getFirmVer(), "201");
    EXPECT_EQ(errorCode(), 1);  // the fallback answered: not a failure
    EXPECT_EQ(t->getFirmVer(), "");
    EXPECT_EQ(errorCode(), 6);
}

TEST_F(FirmwareQueryTest, FirmwareGateOfTemplateUploads) {
    struct Row {
        const char* name;
        std::string printerVersion;
        unsigned char code;
        bool ok;
    };
    const Row rows[] = {
        {"newer", "1.07", 0, true},
        {"same as the minimum", "1.06", 0, false},
        {"older", "1.05", 0, false},
        {"matching code", "0.01", 0x42, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
        configure(t, PORT_USB, false);
        t.editSpec().templateFirmwareCheck = true;
        t.editSpec().templateFirmwareCode = 0x42;
        t.editSpec().templateFirmwareMinVersion = "1.06";
        Bytes reply(32, 0);
        reply[21] = row.code;
        // The version text fills the reply from byte 27 to its end at most.
        const size_t room = reply.size() - 27;
        std::copy_n(row.printerVersion.begin(), std::min(row.printerVersion.size(), room),
                    reply.begin() + 27);
        p.onExchange(kFirmwareInformation, {Reply(reply)});
        EXPECT_EQ(t.isSupportedFirmVer(), row.ok);
    }
    auto onNet = make(PORT_NET);
    onNet->editSpec().templateFirmwareCheck = true;
    EXPECT_TRUE(onNet->isSupportedFirmVer());
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(FirmwareQueryTest, DeviceFlags) {
    auto t = make(PORT_USB);
    EXPECT_EQ(t->getBootMode(), 0);
    EXPECT_EQ(t->getBatteryWeak(), 0);
    EXPECT_TRUE(printer.calls().empty());

    t->editSpec().batteryWeakBootModeCommand = true;
    printer.onExchange(kBootMode, {Reply({0xF2})});
    printer.onExchange(kBatteryWeak, {Reply({1}), Reply::failure()});
    EXPECT_EQ(t->getBootMode(), 0xF2);
    EXPECT_EQ(t->getBatteryWeak(), 1);
    EXPECT_EQ(t->getBatteryWeak(), -1);
    EXPECT_EQ(errorCode(), 6);

    TestFileTransfer none(PORT_USB, nullptr, KX_C270W, option);
    none.editSpec().batteryWeakBootModeCommand = true;
    EXPECT_EQ(none.getBootMode(), -1);
    EXPECT_EQ(errorCode(), 39);
}
