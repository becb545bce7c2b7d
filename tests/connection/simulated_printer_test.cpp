#include <gtest/gtest.h>

#include <vector>

#include "connection/printer_status.h"
#include "connection/wait.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/wait_recorder.h"

using Slot = SimulatedPrinter::Slot;
using Bytes = std::vector<unsigned char>;

class SimulatedPrinterTest : public PrinterStatusTest {};

TEST_F(SimulatedPrinterTest, ReceiveNeverWritesMoreThanLengthWhateverCountItReports) {
    SimulatedPrinter printer;
    printer.queueRecord(SimulatedPrinter::Record::withCount(Bytes(40, 0xAA), 33));
    printer.queueRecord(SimulatedPrinter::Record::withCount({}, -1));
    printer.queueRecord(Bytes{1, 2, 3});
    unsigned char buffer[8] = {};
    unsigned char guard[8] = {};  // a read past buffer would land here in a naive copy
    EXPECT_EQ(printer.receiveData(4, buffer, true), 33);
    EXPECT_EQ(Bytes(buffer, buffer + 8), (Bytes{0xAA, 0xAA, 0xAA, 0xAA, 0, 0, 0, 0}));
    EXPECT_EQ(printer.receiveData(4, buffer, false), -1);
    EXPECT_EQ(printer.receiveData(8, buffer, false), 3);
    EXPECT_EQ(Bytes(guard, guard + 8), Bytes(8, 0));
    ASSERT_EQ(printer.calls().size(), 3u);
    EXPECT_TRUE(printer.calls()[0].flag);
    EXPECT_EQ(printer.calls()[0].written.size(), 4u);
}

TEST_F(SimulatedPrinterTest, RulesAnswerInTurnAndFaultsHitTheNthCall) {
    SimulatedPrinter printer;
    printer.onExchange({0x1B, 0x69}, {Bytes{1}, Bytes{2}});
    printer.onExchange({0x1B, 0x69, 0x53}, {Bytes{9}, SimulatedPrinter::Reply::silent()});
    printer.failSlotCall(Slot::SendDataReceiveData, 3);
    printer.setOwnErrorCode(42);
    unsigned char status[] = {0x1B, 0x69, 0x53};
    unsigned char other[] = {0x1B, 0x69, 0x61};
    unsigned char reply = 0xEE;
    EXPECT_TRUE(printer.sendDataReceiveData(3, status, 1, &reply));
    EXPECT_EQ(reply, 9);  // longest prefix wins
    reply = 0xEE;
    EXPECT_TRUE(printer.sendDataReceiveData(3, status, 1, &reply));
    EXPECT_EQ(reply, 0xEE);  // true without writing
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(printer.sendDataReceiveData(3, other, 1, &reply));
    EXPECT_EQ(PrinterStatus::error_code_, 42);  // the host stored its own code
    EXPECT_TRUE(printer.sendDataReceiveData(3, other, 1, &reply));
    EXPECT_EQ(reply, 1);
    EXPECT_TRUE(printer.sendDataReceiveData(3, other, 1, &reply));
    EXPECT_TRUE(printer.sendDataReceiveData(3, other, 1, &reply));
    EXPECT_EQ(reply, 2);  // the last reply repeats
}

TEST_F(SimulatedPrinterTest, ScriptHooksMessagesAndDestruction) {
    const int destroyedBefore = SimulatedPrinter::destroyedCount();
    {
        SimulatedPrinter printer;
        SimulatedPrinter::Step send;
        send.slot = Slot::SendData;
        send.checkSent = true;
        send.sent = {0x1B, 0x40};
        SimulatedPrinter::Step oid;
        oid.slot = Slot::SendStringReceiveData;
        oid.request = "1.2.3";
        oid.reply = Bytes{3};
        printer.script({send, oid});
        int hookRuns = 0;
        printer.onCall(2, [&] { ++hookRuns; });
        unsigned char init[] = {0x1B, 0x40};
        EXPECT_TRUE(printer.sendData(2, init));
        unsigned char value = 0;
        EXPECT_TRUE(printer.sendStringReceiveData("1.2.3", 1, &value));
        EXPECT_EQ(value, 3);
        EXPECT_TRUE(printer.scriptDone());
        printer.sendMessage(8);  // progress codes are not part of a script
        EXPECT_EQ(printer.messages(), std::vector<int>{8});
        EXPECT_EQ(hookRuns, 1);
    }
    EXPECT_EQ(SimulatedPrinter::destroyedCount(), destroyedBefore + 1);
}

TEST(WaitSeamTest, RecorderRecordsNestedWithoutSleepingAndRunsHooks) {
    WaitRecorder recorder;
    int hookRuns = 0;
    recorder.onWait(2, [&] { ++hookRuns; });
    lumeko::waitSeconds(10);
    lumeko::waitMicroseconds(300000);
    {
        WaitRecorder inner;
        lumeko::waitSeconds(1);
        EXPECT_EQ(inner.seconds(), std::vector<long long>{1});
    }
    lumeko::waitSeconds(2);
    EXPECT_EQ(recorder.waits().size(), 3u);
    EXPECT_EQ(recorder.waits()[1].count(), 300000);
    EXPECT_EQ(recorder.now().count(), 12300000);
    EXPECT_EQ(hookRuns, 1);
}
