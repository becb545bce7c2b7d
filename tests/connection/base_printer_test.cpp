#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <type_traits>
#include <vector>

#include "connection/base_printer.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;

namespace {

void expectClearedStatus() {
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(Bytes(PrinterStatus::status_byte_, PrinterStatus::status_byte_ + 32), Bytes(32, 0));
    EXPECT_EQ(PrinterStatus::battery_normalized_, PrinterStatus::BatteryNormalized());
    EXPECT_EQ(PrinterStatus::label_color_, 255);
    EXPECT_EQ(PrinterStatus::ink_color_, 255);
    EXPECT_EQ(PrinterStatus::label_id_, 0xFFFF);
    EXPECT_EQ(PrinterStatus::label_type_, 0xFFFF);
    EXPECT_EQ(PrinterStatus::tube_, 255);
    EXPECT_EQ(PrinterStatus::tube_ribbon_, 255);
    EXPECT_EQ(PrinterStatus::tube_ribbon_level_, 255);
    EXPECT_EQ(PrinterStatus::tube_ribbon_ink_color_, 255);
    EXPECT_FALSE(BasePrinter::cancel_flag);
}

// Leaves the statics as a failed operation would.
void dirtyStatus() {
    PrinterStatus::error_code_ = 32;
    PrinterStatus::process_status_ = 77;
    PrinterStatus::mode9_ = 5;
    std::memset(PrinterStatus::status_byte_, 0xAB, 32);
    PrinterStatus::battery_normalized_.BatteryFromGY310Command(50);
    PrinterStatus::label_color_ = 1;
    PrinterStatus::ink_color_ = 2;
    PrinterStatus::label_id_ = 3;
    PrinterStatus::label_type_ = 4;
    PrinterStatus::tube_ = 5;
    PrinterStatus::tube_ribbon_ = 6;
    PrinterStatus::tube_ribbon_level_ = 7;
    PrinterStatus::tube_ribbon_ink_color_ = 8;
    BasePrinter::cancel_flag = true;
}

}  // namespace

class BasePrinterTest : public PrinterStatusTest {};

TEST_F(BasePrinterTest, LoadTimeValuesAreZeroWithABlankBattery) {
    // The fixture restores exactly these; this checks the fixture and the seeds agree.
    EXPECT_EQ(PrinterStatus::error_code_, 0);
    EXPECT_EQ(PrinterStatus::label_id_, 0);
    EXPECT_EQ(PrinterStatus::battery_normalized_.level, -1);
    EXPECT_EQ(PrinterStatus::battery_normalized_.healthLevel, -1);
}

TEST_F(BasePrinterTest, PortConstructorsClearStatusButKeepProcessStatusAndMode9) {
    SimulatedPrinter printer;
    dirtyStatus();
    TestPrinter withObserver(PORT_USB, &printer, KX_C270W);
    expectClearedStatus();
    EXPECT_EQ(PrinterStatus::process_status_, 77);
    EXPECT_EQ(PrinterStatus::mode9_, 5);
    EXPECT_EQ(withObserver.portValue(), PORT_USB);
    ASSERT_NE(withObserver.connection(), nullptr);
    EXPECT_EQ(withObserver.connection()->observer, &printer);

    dirtyStatus();
    TestPrinter fileOnly(KX_C270W, PORT_NET);
    expectClearedStatus();
    EXPECT_EQ(PrinterStatus::process_status_, 77);
    EXPECT_EQ(fileOnly.connection(), nullptr);
    EXPECT_EQ(fileOnly.editSpec().modelName, specOf(KX_C270W).modelName);
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(BasePrinterTest, ModelOnlyConstructorClearsOnlyTheCancelFlag) {
    dirtyStatus();
    TestPrinter query(FC_510);
    EXPECT_FALSE(BasePrinter::cancel_flag);
    EXPECT_EQ(PrinterStatus::error_code_, 32);
    EXPECT_EQ(PrinterStatus::status_byte_[31], 0xAB);
    EXPECT_EQ(PrinterStatus::label_id_, 3);
    EXPECT_EQ(PrinterStatus::battery_normalized_.level, 50);
    EXPECT_EQ(query.portValue(), 0);  // 0 names no port
    EXPECT_EQ(query.connection(), nullptr);
    EXPECT_EQ(query.editSpec().ports, specOf(FC_510).ports);
}

TEST_F(BasePrinterTest, SecondClearStatusGivesTheSameSpec) {
    SimulatedPrinter printer;
    TestPrinter op(PORT_BLUETOOTH, &printer, HU_3620B);
    const PrinterSpec once = op.editSpec();
    op.clearStatus();
    op.clearStatus();
    EXPECT_EQ(op.editSpec().ports, once.ports);
    EXPECT_EQ(op.editSpec().ports, specOf(HU_3620B).ports);
    EXPECT_EQ(op.editSpec().supportFunctions, once.supportFunctions);
    EXPECT_FALSE(once.ports.empty());
}

TEST_F(BasePrinterTest, ModelsWithoutRecordKeepDefaultsAndSupportNothing) {
    for (Model m : {static_cast<Model>(43), static_cast<Model>(44), NO_MODEL}) {
        SCOPED_TRACE(static_cast<int>(m));
        SimulatedPrinter printer;
        TestPrinter op(PORT_USB, &printer, m);
        const PrinterSpec defaults;
        EXPECT_TRUE(op.editSpec().ports.empty());
        EXPECT_TRUE(op.editSpec().statusSupported);
        EXPECT_EQ(op.editSpec().seriesId, defaults.seriesId);
        EXPECT_EQ(op.editSpec().invalidateLength, 0);
        EXPECT_FALSE(op.isSupported(PS_SUPPORT_PRINT));
    }
}

TEST_F(BasePrinterTest, IsSupportedNeedsEveryRequestedBitOnTheOwnPort) {
    struct Row {
        Model model;
        Port port;
        int func;
        bool expected;
    };
    const Row rows[] = {
        {KX_C270W, PORT_USB, PS_SUPPORT_TEMPLATE_TRANSFER, true},  // mask 0x05
        {KX_C270W, PORT_USB, PS_SUPPORT_TEMPLATE_PRINT, false},
        {KX_C270W, PORT_USB, PS_SUPPORT_TEMPLATE_PRINT | PS_SUPPORT_TEMPLATE_TRANSFER, false},
        {FC_560, PORT_BLUETOOTH, PS_SUPPORT_TEMPLATE_PRINT | PS_SUPPORT_TEMPLATE_TRANSFER, true},
        {FC_560, PORT_BLUETOOTH, PS_SUPPORT_TEMPLATE_MANAGE, false},  // mask 0x07
        {HU_3430, PORT_USB, PS_SUPPORT_FIRMWARE_UPDATE, true},
        {HU_3440, PORT_BLUETOOTH, PS_SUPPORT_PRINT, false},  // no entry for the port
        {FC_660MFi, PORT_BLE, PS_SUPPORT_PRINT, false},      // listed port, no entry
        {FC_660MFi, PORT_USB, 0x3F, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.model << "/" << row.port << "/" << row.func);
        TestPrinter op(row.model, row.port);
        EXPECT_EQ(op.isSupported(static_cast<PSSupportFunc>(row.func)), row.expected);
    }
}

TEST_F(BasePrinterTest, CancelSetsFlagAndCode37) {
    TestPrinter query(GY_150BT);
    PrinterStatus::error_code_ = 1;
    query.cancel();
    EXPECT_TRUE(BasePrinter::cancel_flag);
    EXPECT_EQ(PrinterStatus::error_code_, 37);
}

TEST_F(BasePrinterTest, SendCancelDataTable) {
    enum class Link { Observer, NullObserver, NoConnect, SendFails };
    struct Row {
        Model model;
        bool flag;
        int code;
        Link link;
        size_t length;  // 0: nothing sent
        Bytes tail;
    };
    const Bytes init = {0x1B, 0x40};
    const Bytes cancelCommand = {0x1B, 0x69, 0x18};
    const Row rows[] = {
        {KX_C270W, true, 37, Link::Observer, 102, init},  // 100 zeros, version 89
        {KX_C240, true, 37, Link::Observer, 102, init},
        {HU_3620B, true, 37, Link::Observer, 353, cancelCommand},  // 350 zeros, version >= 100
        {SN_7550DNWB, true, 37, Link::Observer, 353, cancelCommand},
        {GY_150BT, true, 37, Link::Observer, 0, {}},  // invalidateLength 0
        {HU_3620B, false, 1, Link::Observer, 0, {}},  // nothing to cancel
        {HU_3620B, true, 6, Link::Observer, 0, {}},   // communication error
        {HU_3620B, false, 6, Link::Observer, 0, {}},
        {HU_3620B, false, 31, Link::Observer, 353, cancelCommand},  // failure without cancel
        {HU_3620B, true, 1, Link::Observer, 353, cancelCommand},
        {HU_3620B, true, 37, Link::SendFails, 353, cancelCommand},
        {HU_3620B, true, 37, Link::NullObserver, 0, {}},
        {HU_3620B, true, 37, Link::NoConnect, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "model " << row.model << " flag " << row.flag << " code "
                                        << row.code << " link " << static_cast<int>(row.link));
        SimulatedPrinter printer;
        printer.setOwnErrorCode(99);  // a host that stores its own code on failure
        std::unique_ptr<TestPrinter> op;
        if (row.link == Link::NoConnect) {
            op = std::make_unique<TestPrinter>(row.model, PORT_USB);
        } else {
            op = std::make_unique<TestPrinter>(
                PORT_USB, row.link == Link::NullObserver ? nullptr : &printer, row.model);
        }
        if (row.link == Link::SendFails) {
            printer.setSendDataResult(false);
        }
        BasePrinter::cancel_flag = row.flag;
        PrinterStatus::error_code_ = row.code;
        op->sendCancelData();
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        const auto sent = printer.sentData();
        if (row.length == 0) {
            EXPECT_TRUE(sent.empty());
            continue;
        }
        ASSERT_EQ(sent.size(), 1u);
        ASSERT_EQ(sent[0].size(), row.length);
        const size_t zeros = row.length - row.tail.size();
        EXPECT_EQ(Bytes(sent[0].begin(), sent[0].begin() + static_cast<long>(zeros)),
                  Bytes(zeros, 0));
        EXPECT_EQ(Bytes(sent[0].begin() + static_cast<long>(zeros), sent[0].end()), row.tail);
    }
}

TEST_F(BasePrinterTest, DestroyingAnOperationLeavesTheObserverAlive) {
    SimulatedPrinter printer;
    const int destroyedBefore = SimulatedPrinter::destroyedCount();
    { TestPrinter op(PORT_USB, &printer, HU_3620B); }
    {
        // A derived destructor may delete the Connect itself and leave null.
        TestPrinter op(PORT_USB, &printer, HU_3620B);
        delete op.connection();
        op.setConnection(nullptr);
    }
    EXPECT_EQ(SimulatedPrinter::destroyedCount(), destroyedBefore);
    EXPECT_TRUE(printer.sendMessage(1));  // still usable
}

TEST_F(BasePrinterTest, CancelFlagAndErrorCodeAreAtomicForTheCancelThread) {
    static_assert(std::is_same<decltype(BasePrinter::cancel_flag), std::atomic<bool>>::value,
                  "the cancel call runs on another host thread");
    static_assert(std::is_same<decltype(PrinterStatus::error_code_), std::atomic<int>>::value,
                  "the cancel call stores 37 from another host thread");
    TestPrinter query(GY_150BT);
    std::thread other([&query] { query.cancel(); });
    other.join();
    EXPECT_TRUE(BasePrinter::cancel_flag);
    EXPECT_EQ(PrinterStatus::error_code_, 37);
}
