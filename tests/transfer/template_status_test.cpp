#include <gtest/gtest.h>

#include <cstring>

#include "file_transfer_fixture.h"
#include "transfer/template_status.h"

using namespace transfer_test;

namespace {

const std::string kTransferStatusOid = "1.3.6.1.4.1.7741.3.3.9.1.6.3.0";

class TemplateStatusTest : public PrinterStatusTest {
  protected:
    TemplateStatus statusOn(Port port) {
        connect.observer = &printer;
        return makeTemplateStatus(&connect, PrinterSpec(), port);
    }
    void store(const Bytes& bytes) { std::memcpy(PrinterStatus::status_byte_, bytes.data(), 32); }

    SimulatedPrinter printer;
    Connect connect;
};

}  // namespace

TEST_F(TemplateStatusTest, Judgement) {
    struct Row {
        const char* name;
        Bytes status;
        bool result;
        int code;
        int process;
    };
    Bytes wrongHeader = transferStatus(0);
    wrongHeader[0] = 0x80;
    const Row rows[] = {
        {"taken", transferStatus(1), true, 1, 1},
        {"taken, ordinary status header", wrongHeader, true, 3, 1},
        {"error 2 before 4", transferStatus(2, 2, 4), false, 6, 2},
        {"template functions refused", transferStatus(2, 0, 4), false, 41, 2},
        {"other printer before busy", transferStatus(2, 1, 0x80), false, 29, 2},
        {"other printer in byte 9", transferStatus(2, 0, 1), false, 29, 2},
        {"busy", transferStatus(2, 0x80, 0), false, 12, 2},
        {"other error", transferStatus(2, 0x10, 0), false, 6, 2},
        {"unknown type", transferStatus(5), false, 6, 9},
    };
    TemplateStatus status = statusOn(PORT_USB);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PrinterStatus::error_code_ = 1;
        PrinterStatus::process_status_ = 9;
        store(row.status);
        EXPECT_EQ(status.checkTransStatus(), row.result);
        EXPECT_EQ(errorCode(), row.code);
        EXPECT_EQ(PrinterStatus::process_status_, row.process);
    }
}

TEST_F(TemplateStatusTest, SanityOfTheStoredStatus) {
    SimulatedPrinter p;
    RasterPrintOption option;
    TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
    const TemplateStatus status = t.templateStatus();
    store(transferStatus(1, 0, 0, 0xA000));
    EXPECT_TRUE(t.checkTemplateStatusSanity(status, false));
    EXPECT_FALSE(t.checkTemplateStatusSanity(status, true));
    store(transferStatus(1));
    EXPECT_TRUE(t.checkTemplateStatusSanity(status, true));
    store(transferStatus(0));
    EXPECT_FALSE(t.checkTemplateStatusSanity(status, false));
    store(transferStatus(1, 0, 0x80));
    EXPECT_FALSE(t.checkTemplateStatusSanity(status, false));
}

TEST_F(TemplateStatusTest, RequestByCommandOrObject) {
    printer.onExchange({0x1B, 0x69, 0x46, 0x53}, {Reply(transferStatus(1, 0, 0, 7))});
    EXPECT_TRUE(statusOn(PORT_USB).updateTemplateStatus());
    EXPECT_EQ(PrinterStatus::status_byte_[24], 7);
    EXPECT_TRUE(printer.messages().empty());

    printer.onOid(kTransferStatusOid, {Reply(transferStatus(2, 0x80)), Reply::failure()});
    EXPECT_FALSE(statusOn(PORT_NET).updateTemplateStatus());
    EXPECT_EQ(errorCode(), 12);
    // A failed request leaves the status cleared.
    EXPECT_FALSE(statusOn(PORT_NET).updateTemplateStatus());
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(PrinterStatus::status_byte_[0], 0);

    connect.observer = nullptr;
    TemplateStatus none = makeTemplateStatus(&connect, PrinterSpec(), PORT_USB);
    EXPECT_FALSE(none.updateTemplateStatus());
    EXPECT_EQ(errorCode(), 6);
}

TEST_F(TemplateStatusTest, ReceiptWithProgressCodes) {
    printer.queueRecord(Record(transferStatus(1)));
    EXPECT_TRUE(statusOn(PORT_USB).receiveStatus(false));
    EXPECT_EQ(printer.messages(), (std::vector<int>{10}));
    EXPECT_TRUE(printer.sentData().empty());
    EXPECT_TRUE(printer.calls(Slot::ReceiveData).at(0).flag);

    // 31 bytes are not a status; 11 follows even a failed read.
    store(transferStatus(1, 0, 0, 5));
    printer.queueRecord(Record(Bytes(31, 0x81)));
    EXPECT_FALSE(statusOn(PORT_USB).receiveStatus(true));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.messages(), (std::vector<int>{10, 10, 11}));
    EXPECT_EQ(PrinterStatus::status_byte_[24], 5);  // the short reply is not stored

    printer.queueRecord(Record::withCount({}, -1));
    EXPECT_FALSE(statusOn(PORT_USB).receiveStatus(true));
    EXPECT_EQ(errorCode(), 6);

    printer.onOid(kTransferStatusOid, {Reply(transferStatus(1))});
    PrinterStatus::error_code_ = 1;
    EXPECT_TRUE(statusOn(PORT_NET).receiveStatus(true));
}
