#include <gtest/gtest.h>

#include "file_transfer_fixture.h"
#include "support/status_reply_builder.h"

using namespace transfer_test;

namespace {

const Bytes kTransferModeQuery = {0x1B, 0x69, 0x46, 0x69, 0x00};
const Bytes kTransferModeSwitch = {0x1B, 0x69, 0x46, 0x4D};
const Bytes kFirmwareInformation = {0x1B, 0x69, 0x58, 0x53};
const Bytes kTimeout60 = {0x1B, 0x69, 0x46, 0x74, 0x01, 0x06};
const Bytes kTimeoutReset = {0x1B, 0x69, 0x46, 0x74, 0x01, 0x00};
const std::string kReadyOid = "1.3.6.1.2.1.25.3.5.1.1.1";

Bytes switchReply(unsigned char byte18) {
    Bytes r(32, 0);
    r[18] = byte18;
    return r;
}

class UploadTest : public PrinterStatusTest {
  protected:
    std::unique_ptr<TestFileTransfer> make(Port port, int protocol = 100) {
        auto t = std::make_unique<TestFileTransfer>(port, &printer, KX_C270W, option);
        configure(*t, port, false, protocol);
        t->editSpec().modelName = "KX-C270W";
        return t;
    }
    std::string package(const std::string& name, uint16_t key) {
        return files.write(
            name, concat({preamble("KX-C270W"), record(templateHeader(key), Bytes(20, 1))}));
    }
    std::string firmwareFile() {
        Bytes f = header(0x80, 0x0600);
        f.resize(200, 0x77);
        return files.write("firm.kd3", f);
    }

    SimulatedPrinter printer;
    RasterPrintOption option = defaultOptions(false);
    TempFiles files;
    WaitRecorder waits;
};

}  // namespace

TEST_F(UploadTest, FirmwareUpdateWithTransferTimeout) {
    auto t = make(PORT_USB, 102);
    t->editSpec().changeModeBeforeFirmwareUpdate = true;
    printer.onExchange(kTransferModeQuery, {Reply({0})});
    EXPECT_TRUE(t->updateFirm(firmwareFile()));
    EXPECT_EQ(errorCode(), 1);
    const auto sends = printer.sentData();
    ASSERT_EQ(sends.size(), 7u);
    EXPECT_EQ(sends[0], kStart);
    EXPECT_EQ(sends[1], kTimeout60);
    EXPECT_EQ(sends[2], kFileFollows);
    EXPECT_EQ(sends[6], kTimeoutReset);
    EXPECT_EQ(printer.messages(), (std::vector<int>{37, 14, 15, 38}));
    // The reset is the last exchange; progress code 38 follows it and ends the update.
    const auto& calls = printer.calls();
    EXPECT_EQ(calls[calls.size() - 2].bytes, kTimeoutReset);
    EXPECT_EQ(calls.back().code, 38);
}

TEST_F(UploadTest, FirmwareUpdateStopsWhenTheTimeoutFails) {
    auto t = make(PORT_USB, 102);
    t->editSpec().changeModeBeforeFirmwareUpdate = true;
    printer.onExchange(kTransferModeQuery, {Reply({0})});
    printer.failSlotCall(Slot::SendData, 2);
    EXPECT_FALSE(t->updateFirm(firmwareFile()));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kStart, kTimeout60}));
}

TEST_F(UploadTest, FailedFirmwareTransferKeepsTheTimeout) {
    auto t = make(PORT_USB, 102);
    t->editSpec().changeModeBeforeFirmwareUpdate = true;
    printer.onExchange(kTransferModeQuery, {Reply({0})});
    EXPECT_FALSE(t->updateFirm(files.write("missing/firm.kd3", {})));
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kStart, kTimeout60}));
    EXPECT_EQ(printer.messages(), (std::vector<int>{37}));
}

TEST_F(UploadTest, FunctionsMissingOnThePort) {
    auto t = make(PORT_USB);
    t->editSpec().supportFunctions[PORT_USB] = 0x01;
    EXPECT_FALSE(t->updateFirm(firmwareFile()));
    EXPECT_EQ(errorCode(), 30);
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(t->uploadTemplate({package("a.tlf", 1)}));
    EXPECT_EQ(errorCode(), 30);
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(UploadTest, TemplateUploadStartsTransfersExceptOnTheNetwork) {
    for (Port port : {PORT_USB, PORT_BLUETOOTH, PORT_BLE, PORT_NET}) {
        SCOPED_TRACE(port);
        SimulatedPrinter p;
        TestFileTransfer t(port, &p, KX_C270W, option);
        configure(t, port, false);
        t.editSpec().modelName = "KX-C270W";
        p.onOid(kReadyOid, {Reply({3})});
        EXPECT_TRUE(t.uploadTemplate({package("a.tlf", 1), package("b.tlf", 2)}));
        const auto sends = p.sentData();
        EXPECT_EQ(sends.size(), port == PORT_NET ? 2u : 3u);
        EXPECT_EQ(sends.front() == kStart, port != PORT_NET);
        EXPECT_EQ(p.messages().front(), 16);
        EXPECT_EQ(p.messages().back(), 17);
    }
}

TEST_F(UploadTest, FirstFailedFileEndsTheUpload) {
    auto t = make(PORT_USB);
    EXPECT_FALSE(t->uploadTemplate(
        {package("a.tlf", 1), files.write("missing/b.tlf", {}), package("c.tlf", 3)}));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_EQ(printer.sentData().size(), 2u);  // start and the first file
    EXPECT_EQ(printer.messages().back(), 17);

    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(t->uploadTemplate({}));
    EXPECT_EQ(errorCode(), 28);
    EXPECT_EQ(printer.messages().back(), 16);
}

TEST_F(UploadTest, FirmwareTooOldForTemplates) {
    auto t = make(PORT_USB);
    t->editSpec().templateFirmwareCheck = true;
    t->editSpec().templateFirmwareMinVersion = "1.06";
    t->editSpec().templateFirmwareCode = 0x42;
    Bytes reply(32, 0);
    reply[27] = '1';
    reply[28] = '.';
    reply[29] = '0';
    reply[30] = '5';
    printer.onExchange(kFirmwareInformation, {Reply(reply)});
    EXPECT_FALSE(t->uploadTemplate({package("a.tlf", 1)}));
    // Reported to the host, not left at 1.
    EXPECT_EQ(errorCode(), 41);
    EXPECT_TRUE(printer.sentData().empty());
}

TEST_F(UploadTest, OneModelRoute) {
    auto t = make(PORT_USB);
    t->editSpec().seriesCode = 0x30;
    t->editSpec().modelCode = 0x65;
    printer.onExchange(kTransferModeSwitch, {Reply(switchReply(1))});
    Bytes file = header(0x40, 0x0100, 0x30, 0x65);
    file.resize(200, 0x33);
    EXPECT_TRUE(t->uploadTemplate({files.write("t.bin", file)}));
    EXPECT_EQ(errorCode(), 1);
    const auto sends = printer.sentData();
    ASSERT_EQ(sends.size(), 5u);
    EXPECT_EQ(sends[0], kStart);
    EXPECT_EQ(sends[1], kFileFollows);
    EXPECT_EQ(sends[2], Bytes(file.begin(), file.begin() + 64));
    EXPECT_EQ(sends[4], Bytes(file.begin() + 64, file.end()));
    EXPECT_EQ(printer.messages(), (std::vector<int>{16, 14, 15, 17}));

    file[3] = 0x41;  // made for another printer
    EXPECT_FALSE(t->uploadTemplate({files.write("other.bin", file)}));
    EXPECT_EQ(errorCode(), 29);

    SimulatedPrinter p;
    TestFileTransfer onBluetooth(PORT_BLUETOOTH, &p, KX_C270W, option);
    configure(onBluetooth, PORT_BLUETOOTH, false);
    onBluetooth.editSpec().seriesCode = 0x30;
    onBluetooth.editSpec().modelCode = 0x65;
    EXPECT_FALSE(onBluetooth.uploadTemplate({files.write("t2.bin", file)}));
    EXPECT_EQ(errorCode(), 39);
    EXPECT_EQ(p.messages(), (std::vector<int>{16, 17}));
    EXPECT_TRUE(p.sentData().empty());
}

TEST_F(UploadTest, FirmwareDatabaseFileIsCheckedAgainstTheStatusRead) {
    for (bool samePrinter : {true, false}) {
        SCOPED_TRACE(samePrinter);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
        configure(t, PORT_USB, true);
        const PrinterSpec& spec = t.editSpec();
        p.onExchange({0x1B, 0x69, 0x53}, {Reply(StatusReplyBuilder(spec).bytes())});
        p.setDefaultRecord(transferStatus(1));
        Bytes f =
            header(0x80, 0x0600, spec.seriesCode,
                   samePrinter ? spec.modelCode : static_cast<unsigned char>(spec.modelCode + 1));
        f.resize(300, 0x77);
        EXPECT_EQ(t.updateFirm(files.write("firm.kd3", f)), samePrinter);
        EXPECT_EQ(errorCode(), samePrinter ? 1 : 29);
        EXPECT_EQ(p.sentData().size(), samePrinter ? 5u : 1u);
    }
}

TEST_F(UploadTest, CancelDuringTheTransfer) {
    auto t = make(PORT_USB);
    t->editSpec().changeModeBeforeFirmwareUpdate = true;
    printer.onExchange(kTransferModeQuery, {Reply({0})});
    Bytes f = header(0x80, 0x0600);
    f.resize(128 + 50000, 0x77);
    // The host cancels while the first piece is on its way: the next piece is not sent.
    printer.onSlotCall(Slot::SendData, 5, [&] { t->cancel(); });
    EXPECT_FALSE(t->updateFirm(files.write("firm.kd3", f)));
    EXPECT_EQ(errorCode(), 37);
    EXPECT_EQ(printer.sentData().size(), 5u);  // start, F D, header, one length + piece pair
    EXPECT_EQ(printer.messages(), (std::vector<int>{37, 14}));
}

TEST_F(UploadTest, CancelBetweenPackageRecords) {
    auto t = make(PORT_USB);
    const Bytes pre = preamble("KX-C270W");
    const std::string path =
        files.write("two.tlf", concat({pre, record(templateHeader(1), Bytes(20, 1)),
                                       record(templateHeader(2), Bytes(20, 2))}));
    // The cancel comes with the first record's last progress code; the second record is not
    // sent and the outcome is the cancel, not error 1.
    printer.onSlotCall(Slot::SendMessage, 4, [&] { BasePrinter::cancel_flag = true; });
    EXPECT_FALSE(t->uploadTemplate({path}));
    EXPECT_EQ(errorCode(), 37);
    EXPECT_EQ(printer.sentData().size(), 2u);  // start and the first record
}
