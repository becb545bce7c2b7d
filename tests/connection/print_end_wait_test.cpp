#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "connection/base_printer.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "support/page_check.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"

using Bytes = std::vector<unsigned char>;
using Record = SimulatedPrinter::Record;
using Reply = SimulatedPrinter::Reply;
using B = StatusReplyBuilder;
using CS = BasePrinter::CheckStatus;

namespace {

Bytes cancelSequence(size_t zeros, Bytes tail) {
    Bytes out(zeros + tail.size(), 0);
    std::copy(tail.begin(), tail.end(), out.begin() + static_cast<long>(zeros));
    return out;
}
const Bytes kInit = {0x1B, 0x40};
const Bytes kCancel = {0x1B, 0x69, 0x18};
const Bytes kStatusRequest = {0x1B, 0x69, 0x53};

// Printer records by meaning.
Bytes plain(Model m) {
    return B(m);
}  // process 7
Bytes notification(Model m, uint8_t n) {
    return B(m).statusType(5).notification(n);
}
Bytes phase(Model m, uint8_t type) {
    return B(m).statusType(6).phaseType(type);
}
Bytes printerError(Model m) {
    return B(m).statusType(2).errorInfo1(0x40);
}  // 9, process 2
Bytes paperOut(Model m) {
    return B(m).statusType(2).errorInfo1(0x01);
}  // 4, process 2

void queue(SimulatedPrinter& p, const std::vector<Bytes>& records) {
    for (const Bytes& r : records) {
        p.queueRecord(r);
    }
}

// On the network port each poll reads three times; the replies are used in turn.
void netReplies(SimulatedPrinter& p, const std::vector<Bytes>& perPoll) {
    std::vector<Reply> replies;
    for (const Bytes& r : perPoll) {
        for (int i = 0; i < 3; ++i) {
            replies.emplace_back(r);
        }
    }
    p.onOid(tpes::PrinterMibOids::oidPrinterStatusReply, replies);
}

std::vector<int> repeat(int v, int n) {
    return std::vector<int>(n, v);
}

// Records in runs: {record, count}, ...
std::vector<Bytes> runs(std::initializer_list<std::pair<Bytes, int>> parts) {
    std::vector<Bytes> out;
    for (const auto& [record, count] : parts) {
        out.insert(out.end(), static_cast<size_t>(count), record);
    }
    return out;
}
Bytes completed(Model m) {
    return B(m).statusType(1);
}  // process 1: keeps the wait going on every port

}  // namespace

class PrintEndWaitTest : public PrinterStatusTest {};

TEST_F(PrintEndWaitTest, ScenarioTable) {
    struct Row {
        const char* name;
        Model model;
        Port port;
        PrintEndCheckOption option;
        CS check;
        int page;
        int pages;
        std::function<void(SimulatedPrinter&, WaitRecorder&)> setup;
        int next;
        int code;
        std::vector<int> messages;
        std::vector<Bytes> sent;
        std::vector<long long> waits;
        int readings;
    };
    const auto cancelNow = [] {
        BasePrinter::cancel_flag = true;
        PrinterStatus::error_code_ = 37;
    };
    const CS off = BasePrinter::CHECK_STATUS_OFF;
    const CS on = BasePrinter::CHECK_STATUS_ON;
    // A progress code whose reset comes late: 170 plain readings, the notification, 20 more
    // plain readings and the end of the job, within the poll limit only through the reset.
    const auto lateReset = [](const char* name, Model model, int notificationNumber, int code) {
        return Row{name,
                   model,
                   PORT_USB,
                   endCheck(3),
                   BasePrinter::CHECK_STATUS_OFF,
                   0,
                   1,
                   [model, notificationNumber](SimulatedPrinter& p, WaitRecorder&) {
                       queue(p, runs({{plain(model), 170},
                                      {notification(model, notificationNumber), 1},
                                      {plain(model), 20},
                                      {phase(model, 0), 1}}));
                   },
                   1,
                   1,
                   {code},
                   {},
                   {},
                   192};
    };
    const Row rows[] = {
        {"time-out after 180 plain readings, version 89",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) { p.setDefaultRecord(plain(HU_3430)); },
         1,
         6,
         {},
         {cancelSequence(350, kInit)},
         {},
         180},
        {"time-out, cancel command",
         HU_3620B,
         PORT_USB,
         endCheck(3),
         off,
         2,
         5,
         [](SimulatedPrinter& p, WaitRecorder&) { p.setDefaultRecord(plain(HU_3620B)); },
         7,
         6,
         {},
         {cancelSequence(350, kCancel)},
         {},
         180},
        {"time-out, no invalidate bytes",
         GY_150BT,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) { p.setDefaultRecord(plain(GY_150BT)); },
         1,
         6,
         {},
         {},
         {},
         180},
        {"network port: the first plain reply ends the wait",
         HU_3440,
         PORT_NET,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) { netReplies(p, {plain(HU_3440)}); },
         1,
         1,
         {},
         {},
         {1},
         3},
        {"network time-out after 180 printing polls",
         HU_3440,
         PORT_NET,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) { netReplies(p, {phase(HU_3440, 1)}); },
         1,
         6,
         {},
         {cancelSequence(350, kInit)},
         std::vector<long long>(181, 1),
         540},
        {"network time-out with a cancel in the last sleep",
         HU_3440,
         PORT_NET,
         endCheck(3),
         off,
         0,
         1,
         [cancelNow](SimulatedPrinter& p, WaitRecorder& w) {
             netReplies(p, {phase(HU_3440, 1)});
             w.onWait(181, cancelNow);
         },
         1,
         37,
         {},
         {cancelSequence(350, kInit)},
         std::vector<long long>(181, 1),
         540},
        {"paper out on a paper-wait model: 30 readings",
         FC_510,
         PORT_USB,
         endCheck(3),
         off,
         0,
         50,
         [](SimulatedPrinter& p, WaitRecorder&) { p.setDefaultRecord(paperOut(FC_510)); },
         50,
         4,
         repeat(23, 9),
         {cancelSequence(700, kInit)},
         {},
         30},
        {"notification 3 twice, then phase 0",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {notification(HU_3430, 3), notification(HU_3430, 3), phase(HU_3430, 0)});
         },
         1,
         1,
         {24, 24, 25},
         {},
         {},
         3},
        {"notification 4 and 7 reset with 25 and 40",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p,
                   {notification(HU_3430, 4), notification(HU_3430, 7), notification(HU_3430, 2)});
         },
         1,
         1,
         {25, 40},
         {},
         {},
         3},
        {"peel model, notification 5",
         SN_3200N,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {notification(SN_3200N, 5), phase(SN_3200N, 0)});
         },
         1,
         1,
         {27},
         {},
         {},
         2},
        {"no peel on model 13",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {notification(HU_3430, 5), phase(HU_3430, 0)});
         },
         1,
         1,
         {},
         {},
         {},
         2},
        {"peel mode, printing phase on the network port",
         SN_3200N,
         PORT_NET,
         endCheck(3, 0, true),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             netReplies(p, {phase(SN_3200N, 1), phase(SN_3200N, 0)});
         },
         1,
         1,
         {27},
         {},
         {1, 1},
         6},
        {"printing phase without peel mode",
         SN_3200N,
         PORT_NET,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             netReplies(p, {phase(SN_3200N, 1), phase(SN_3200N, 0)});
         },
         1,
         1,
         {},
         {},
         {1, 1},
         6},
        {"printing phase, peel mode, other port",
         SN_3200N,
         PORT_USB,
         endCheck(3, 0, true),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {phase(SN_3200N, 1), phase(SN_3200N, 0)});
         },
         1,
         1,
         {},
         {},
         {},
         2},
        {"status check on: ESC i S while printing, a failed send goes on",
         HU_3430,
         PORT_USB,
         endCheck(3),
         on,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {phase(HU_3430, 1), phase(HU_3430, 1), plain(HU_3430)});
             p.failSlotCall(SimulatedPrinter::Slot::SendData, 2);
         },
         1,
         1,
         {},
         {kStatusRequest, kStatusRequest},
         {},
         3},
        {"status check off: phase 0 ends, plain does not",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, {plain(HU_3430), phase(HU_3430, 1), phase(HU_3430, 0)});
         },
         1,
         1,
         {},
         {},
         {},
         3},
        {"printer error cancels",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         1,
         3,
         [](SimulatedPrinter& p, WaitRecorder&) { queue(p, {printerError(HU_3430)}); },
         4,
         9,
         {},
         {cancelSequence(350, kInit)},
         {},
         1},
        {"failed reading stops without cancel sequence",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         2,
         [](SimulatedPrinter& p, WaitRecorder&) { p.queueRecord(Record::withCount({}, -1)); },
         2,
         6,
         {},
         {},
         {},
         1},
        {"model 25 on the network port does not read",
         SN_7100N,
         PORT_NET,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter&, WaitRecorder&) {},
         1,
         1,
         {},
         {},
         {1},
         0},
        {"no status support",
         FC_412,
         PORT_USB,
         endCheck(3),
         off,
         0,
         2,
         [](SimulatedPrinter&, WaitRecorder&) {},
         1,
         1,
         {},
         {},
         {10},
         0},
        {"no status support, network port, mode 3",
         FC_412,
         PORT_NET,
         endCheck(3),
         off,
         1,
         2,
         [](SimulatedPrinter&, WaitRecorder&) {},
         2,
         1,
         {},
         {},
         {1, 10},
         0},
        {"no status support, mode 2 last page",
         FC_412,
         PORT_NET,
         endCheck(2),
         off,
         1,
         2,
         [](SimulatedPrinter&, WaitRecorder&) {},
         2,
         1,
         {},
         {},
         {10},
         0},
        {"mode 1, not the last page",
         HU_3430,
         PORT_USB,
         endCheck(1, 4),
         off,
         0,
         3,
         [](SimulatedPrinter&, WaitRecorder&) {},
         1,
         1,
         {},
         {},
         {},
         0},
        {"mode 1, last page",
         HU_3430,
         PORT_USB,
         endCheck(1, 4),
         off,
         2,
         3,
         [](SimulatedPrinter&, WaitRecorder&) {},
         3,
         1,
         {},
         {},
         {4},
         0},
        {"mode 1, last page, network port",
         HU_3440,
         PORT_NET,
         endCheck(1, 4),
         off,
         2,
         3,
         [](SimulatedPrinter&, WaitRecorder&) {},
         3,
         1,
         {},
         {},
         {},
         0},
        {"mode 2, last page",
         HU_3430,
         PORT_USB,
         endCheck(2, 3),
         off,
         0,
         1,
         [](SimulatedPrinter&, WaitRecorder&) {},
         1,
         1,
         {},
         {},
         {3},
         0},
        {"mode 2, other page polls",
         HU_3440,
         PORT_NET,
         endCheck(2, 3),
         off,
         0,
         2,
         [](SimulatedPrinter& p, WaitRecorder&) { netReplies(p, {plain(HU_3440)}); },
         1,
         1,
         {},
         {},
         {1},
         3},
        {"mode 5 polls as 3 without the pre-sleep",
         HU_3440,
         PORT_NET,
         endCheck(5),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) { netReplies(p, {plain(HU_3440)}); },
         1,
         1,
         {},
         {},
         {},
         3},
        {"cancel in the second reading",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         2,
         [cancelNow](SimulatedPrinter& p, WaitRecorder&) {
             p.setDefaultRecord(plain(HU_3430));
             p.onSlotCall(SimulatedPrinter::Slot::ReceiveData, 2, cancelNow);
         },
         2,
         37,
         {},
         {cancelSequence(350, kInit)},
         {},
         2},
        {"cancel in a network sleep",
         HU_3440,
         PORT_NET,
         endCheck(3),
         off,
         0,
         2,
         [cancelNow](SimulatedPrinter& p, WaitRecorder& w) {
             netReplies(p, {phase(HU_3440, 1)});
             w.onWait(2, cancelNow);
         },
         2,
         37,
         {},
         {cancelSequence(350, kInit)},
         {1, 1},
         3},
        // Each progress code 24, 25, 27 and 40 puts the poll counter back to 0: late in a
        // long wait, and followed by enough readings that the wait would run out without it.
        // A reading of notification 3 does not count, and the reading after it sends 25: the
        // two resets around notification 3 show only together.
        {"24 after 179 readings",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, runs({{plain(HU_3430), 179},
                            {notification(HU_3430, 3), 1},
                            {phase(HU_3430, 0), 1}}));
         },
         1,
         1,
         {24, 25},
         {},
         {},
         181},
        {"25 when notification 3 ends, then 179 readings",
         HU_3430,
         PORT_USB,
         endCheck(3),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             queue(p, runs({{plain(HU_3430), 170},
                            {notification(HU_3430, 3), 1},
                            {plain(HU_3430), 180},
                            {phase(HU_3430, 0), 1}}));
         },
         1,
         1,
         {24, 25},
         {},
         {},
         352},
        lateReset("25 of notification 4 after 170 readings", HU_3430, 4, 25),
        lateReset("40 of notification 7 after 170 readings", HU_3430, 7, 40),
        lateReset("27 of notification 5 after 170 readings", SN_3200N, 5, 27),
        {"27 of the printing phase in peel mode after 170 network polls",
         SN_3200N,
         PORT_NET,
         endCheck(3, 0, true),
         off,
         0,
         1,
         [](SimulatedPrinter& p, WaitRecorder&) {
             netReplies(p, runs({{completed(SN_3200N), 170},
                                 {phase(SN_3200N, 1), 1},
                                 {completed(SN_3200N), 20},
                                 {phase(SN_3200N, 0), 1}}));
         },
         1,
         1,
         {27},
         {},
         std::vector<long long>(192, 1),
         576},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        std::function<void(WaitRecorder&)> prepare = [&](WaitRecorder& w) {
            row.setup(printer, w);
        };
        const PageCheckResult r = runPageCheck(row.model, row.port, row.option, row.check, row.page,
                                               row.pages, &printer, prepare);
        EXPECT_EQ(r.next, row.next);
        EXPECT_EQ(r.code, row.code);
        EXPECT_EQ(r.messages, row.messages);
        EXPECT_EQ(r.sent.size(), row.sent.size());
        EXPECT_TRUE(r.sent == row.sent);
        EXPECT_EQ(r.waits, row.waits);
        EXPECT_EQ(r.readings, row.readings);
    }
}

TEST_F(PrintEndWaitTest, NoObserverWithAStaleProcessStatusStopsAfterOneReading) {
    PrinterStatus::process_status_ = 3;
    const PageCheckResult r =
        runPageCheck(HU_3430, PORT_USB, endCheck(3), BasePrinter::CHECK_STATUS_OFF, 0, 2, nullptr);
    EXPECT_EQ(r.next, 2);
    EXPECT_EQ(r.code, 39);
    EXPECT_TRUE(r.waits.empty());
}

TEST_F(PrintEndWaitTest, MediaErrorIsForgivenOnlyAfterTheLastPage) {
    // GY_150BT clears media errors at the end of a job; it has no invalidate bytes.
    for (int page : {0, 2}) {
        SCOPED_TRACE(page);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        printer.queueRecord(paperOut(GY_150BT));
        const PageCheckResult r = runPageCheck(GY_150BT, PORT_USB, endCheck(3),
                                               BasePrinter::CHECK_STATUS_OFF, page, 3, &printer);
        EXPECT_EQ(r.next, page + 3);
        EXPECT_EQ(r.code, page == 2 ? 1 : 4);
    }
}

TEST_F(PrintEndWaitTest, PaperBackEndsTheWaitOnThePaperWaitModel) {
    SimulatedPrinter printer;
    queue(printer, {paperOut(FC_510), paperOut(FC_510), phase(FC_510, 0)});
    const PageCheckResult r =
        runPageCheck(FC_510, PORT_USB, endCheck(3), BasePrinter::CHECK_STATUS_OFF, 0, 1, &printer);
    EXPECT_EQ(r.next, 1);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.messages.empty());  // page + counter never below pages
    EXPECT_TRUE(r.sent.empty());
}

TEST_F(PrintEndWaitTest, PaperOutOnTheNetworkPortAnnouncesFromTheThirdCount) {
    // Counter before the paper step: 1, then 7, 13, ... ; 23 needs a count above 2 on port 4.
    SimulatedPrinter printer;
    netReplies(printer, {paperOut(FC_680), paperOut(FC_680), B(FC_680)});
    const PageCheckResult r = runPageCheck(FC_680, PORT_NET, endCheck(3),
                                           BasePrinter::CHECK_STATUS_OFF, 0, 100, &printer);
    EXPECT_EQ(r.messages, std::vector<int>{23});
    EXPECT_EQ(r.next, 1);
    EXPECT_EQ(r.waits, (std::vector<long long>{1, 1, 1}));
}

TEST_F(PrintEndWaitTest, PageNumbersNearTheIntLimitSaturate) {
    {
        SCOPED_TRACE("last page at the limit, no polling");
        const PageCheckResult r =
            runPageCheck(HU_3430, PORT_USB, endCheck(1, 2), BasePrinter::CHECK_STATUS_OFF, INT_MAX,
                         INT_MAX, nullptr);
        EXPECT_EQ(r.next, INT_MAX);
        EXPECT_EQ(r.waits, std::vector<long long>{2});
    }
    {
        SCOPED_TRACE("paper out: 23 while page + counter stays below pages, then a stop");
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        printer.setDefaultRecord(paperOut(FC_510));
        const PageCheckResult r =
            runPageCheck(FC_510, PORT_USB, endCheck(3), BasePrinter::CHECK_STATUS_OFF, INT_MAX - 2,
                         INT_MAX, &printer);
        EXPECT_EQ(r.messages, std::vector<int>{23});
        EXPECT_EQ(r.readings, 30);
        EXPECT_EQ(r.code, 4);
        EXPECT_EQ(r.next, INT_MAX);
    }
}

TEST_F(PrintEndWaitTest, AnErrorPhaseWithoutAKnownErrorIsNoSuccess) {
    // An earlier call left the error phase; this error record names no error the library
    // knows, so decoding leaves code 1. Stopping the job there must not read as printed.
    PrinterStatus::process_status_ = 2;
    SimulatedPrinter printer;
    printer.queueRecord(Bytes(B(GY_150BT).statusType(2).errorInfo2(0x04)));
    const PageCheckResult r =
        runPageCheck(GY_150BT, PORT_USB, endCheck(3), BasePrinter::CHECK_STATUS_ON, 0, 3, &printer);
    EXPECT_EQ(r.next, 3);
    EXPECT_EQ(r.code, 6);
    EXPECT_TRUE(r.sent.empty());
}
