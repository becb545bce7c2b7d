#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "connection/base_printer.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/test_printer.h"
#include "support/wait_recorder.h"

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using B = StatusReplyBuilder;

namespace {

const Bytes kStatusRequest = {0x1B, 0x69, 0x53};

Bytes kxCancelSequence() {
    Bytes out(100, 0);
    out.push_back(0x1B);
    out.push_back(0x40);
    return out;
}

Paper kxLabel() {
    Paper p;
    p.paperId = 9;
    p.paperNameMm = "62mm x 29mm";
    p.mediaWidthMm = 62;
    p.mediaType = 0x0B;
    p.mediaLengthMm = 29;
    return p;
}

int count(const std::vector<int>& v, int x) {
    int n = 0;
    for (int e : v) {
        n += e == x ? 1 : 0;
    }
    return n;
}

}  // namespace

class StatusChecksTest : public PrinterStatusTest {};

TEST_F(StatusChecksTest, FiveChecksInFiveSituations) {
    enum class Op { WithPaper, NoPaper, NoBattery, Label, Gate };
    enum class Case { Clean, PrinterError, Cancel, NoObserver, NoStatusSupport };
    struct Row {
        Op op;
        Case situation;
        int code;
        std::vector<int> messages;
        bool cancelSequence;
        bool gate;  // Gate only
    };
    const Row rows[] = {
        {Op::WithPaper, Case::Clean, 1, {8, 11}, false, false},
        {Op::WithPaper, Case::PrinterError, 9, {8}, false, false},
        {Op::WithPaper, Case::Cancel, 37, {8}, false, false},
        {Op::WithPaper, Case::NoObserver, 6, {}, false, false},
        {Op::WithPaper, Case::NoStatusSupport, 1, {}, false, false},
        {Op::NoPaper, Case::Clean, 1, {8, 11}, false, false},
        {Op::NoPaper, Case::PrinterError, 9, {8}, true, false},
        {Op::NoPaper, Case::Cancel, 1, {8}, true, false},
        {Op::NoPaper, Case::NoObserver, 6, {}, false, false},
        {Op::NoPaper, Case::NoStatusSupport, 1, {}, false, false},
        {Op::NoBattery, Case::Clean, 1, {8, 11}, false, false},
        {Op::NoBattery, Case::PrinterError, 9, {8}, false, false},
        {Op::NoBattery, Case::Cancel, 37, {8}, true, false},
        {Op::NoBattery, Case::NoObserver, 6, {}, false, false},
        {Op::NoBattery, Case::NoStatusSupport, 1, {}, false, false},
        {Op::Label, Case::Clean, 1, {8, 11}, false, false},
        {Op::Label, Case::PrinterError, 9, {8}, false, false},
        {Op::Label, Case::Cancel, 37, {8}, false, false},
        {Op::Label, Case::NoObserver, 6, {}, false, false},
        {Op::Label, Case::NoStatusSupport, 1, {}, false, false},
        {Op::Gate, Case::Clean, 1, {8, 11}, false, true},
        {Op::Gate, Case::PrinterError, 9, {8}, true, false},
        {Op::Gate, Case::Cancel, 37, {8}, true, false},
        {Op::Gate, Case::NoObserver, 6, {}, false, false},
        {Op::Gate, Case::NoStatusSupport, 1, {}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(row.op) << " case "
                                        << static_cast<int>(row.situation));
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        B reply(KX_C270W);
        reply.media(62, 0x0B, 29);
        if (row.situation == Case::PrinterError) {
            reply.errorInfo1(0x40);  // error 9
        }
        printer.onExchange(kStatusRequest, {reply.bytes()});
        const Model model = row.situation == Case::NoStatusSupport ? FC_412 : KX_C270W;
        TestPrinter op(PORT_USB, row.situation == Case::NoObserver ? nullptr : &printer, model);
        PrinterStatus::error_code_ = 21;  // each check starts from 1
        if (row.situation == Case::Cancel) {
            BasePrinter::cancel_flag = true;
        }
        Paper paper = kxLabel();
        bool gate = false;
        switch (row.op) {
            case Op::WithPaper:
                op.getPrinterStatus(paper);
                break;
            case Op::NoPaper:
                op.getPrinterStatus();
                break;
            case Op::NoBattery:
                op.getPrinterStatusNotCheckedBattery(paper);
                break;
            case Op::Label:
                op.updateLabelInfo({paper});
                break;
            case Op::Gate:
                gate = op.getPrinterStatusWithoutCheckedPaper();
                break;
        }
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(printer.messages(), row.messages);
        const auto sent = printer.sentData();
        if (row.cancelSequence) {
            EXPECT_EQ(sent, std::vector<Bytes>{kxCancelSequence()});
        } else {
            EXPECT_TRUE(sent.empty());
        }
        if (row.op == Op::Gate) {
            EXPECT_EQ(gate, row.gate);
        }
        if (row.op == Op::Label && row.situation == Case::Clean) {
            EXPECT_EQ(PrinterStatus::label_id_, 9);
        }
    }
}

TEST_F(StatusChecksTest, GateLetsMediaOnlyConditionsThrough) {
    struct Row {
        const char* name;
        std::function<void(B&)> edit;
        bool ready;
        int code;
    };
    const Row rows[] = {
        {"clean", [](B&) {}, true, 1},
        {"no media (4)", [](B& b) { b.errorInfo1(0x01); }, true, 1},
        {"other media (32)", [](B& b) { b.errorInfo2(0x01); }, true, 1},
        {"phase error (31)", [](B& b) { b.errorInfo2(0x10); }, false, 31},
        {"invalid record (6)", [](B& b) { b.statusType(3); }, false, 6},
        {"notification 2", [](B& b) { b.statusType(5).notification(2); }, true, 1},
        {"notification 3 (7)", [](B& b) { b.statusType(5).notification(3); }, false, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        B reply(HU_3430);
        row.edit(reply);
        printer.onExchange(kStatusRequest, {reply.bytes()});
        TestPrinter op(PORT_USB, &printer, HU_3430);
        EXPECT_EQ(op.getPrinterStatusWithoutCheckedPaper(), row.ready);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
    }
}

TEST_F(StatusChecksTest, FcPaperOutSwitchesBackToDefaultMode) {
    SimulatedPrinter printer;
    printer.onExchange(kStatusRequest, {B(FC_510).media(0, 0, 0).bytes()});
    printer.onExchange({0x1B, 0x69, 0x61, 0x00}, {Reply(Bytes{1})});
    TestPrinter op(PORT_USB, &printer, FC_510);
    Paper none;
    op.getPrinterStatus(none);
    EXPECT_EQ(PrinterStatus::error_code_, 4);
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{{0x1B, 0x69, 0x61, 0xFF}}));
    EXPECT_EQ(printer.calls(Slot::SendDataReceiveData).size(), 2u);
}

class PaperWaitTest : public PrinterStatusTest {};

TEST_F(PaperWaitTest, PaperBackAtTheThirdAttempt) {
    SimulatedPrinter printer;
    const Bytes out = B(FC_510).media(0, 0, 0);
    const Bytes back = B(FC_510).media(62, 0x0A, 0);
    printer.onExchange(kStatusRequest, {out, out, back});
    WaitRecorder waits;
    TestPrinter op(PORT_USB, &printer, FC_510);
    PrinterStatus::error_code_ = 4;
    op.waitForPaper();
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(count(printer.messages(), 23), 3);
    EXPECT_EQ(waits.seconds(), (std::vector<long long>{1, 1}));
    EXPECT_TRUE(printer.sentData().empty());
}

TEST_F(PaperWaitTest, GivesUpAfterThirtyAttempts) {
    SimulatedPrinter printer;
    printer.onExchange(kStatusRequest, {B(FC_510).errorInfo2(0x40).bytes()});  // 11
    WaitRecorder waits;
    TestPrinter op(PORT_USB, &printer, FC_510);
    PrinterStatus::error_code_ = 11;
    op.waitForPaper();
    EXPECT_EQ(PrinterStatus::error_code_, 11);
    EXPECT_EQ(count(printer.messages(), 23), 30);
    EXPECT_EQ(waits.seconds(), std::vector<long long>(30, 1));
}

TEST_F(PaperWaitTest, CancelDuringTheSecondAttempt) {
    SimulatedPrinter printer;
    printer.onExchange(kStatusRequest, {B(FC_510).media(0, 0, 0).bytes()});
    printer.onSlotCall(Slot::SendDataReceiveData, 2, [] { BasePrinter::cancel_flag = true; });
    WaitRecorder waits;
    TestPrinter op(PORT_USB, &printer, FC_510);
    PrinterStatus::error_code_ = 4;
    op.waitForPaper();
    // The reading stops at the cancel before its media check: 37 after the cancel sequence.
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(count(printer.messages(), 23), 2);
    EXPECT_EQ(waits.seconds(), std::vector<long long>{1});
    Bytes cancel(700, 0);
    cancel.push_back(0x1B);
    cancel.push_back(0x40);
    EXPECT_EQ(printer.sentData(), std::vector<Bytes>{cancel});
}

TEST_F(PaperWaitTest, NothingWithoutPaperWaitOrAPaperError) {
    struct Row {
        Model model;
        int code;
    };
    for (const Row& row : {Row{HU_3430, 4}, Row{FC_510, 1}, Row{FC_510, 6}, Row{FC_510, 13}}) {
        SCOPED_TRACE(testing::Message() << row.model << "/" << row.code);
        SimulatedPrinter printer;
        WaitRecorder waits;
        TestPrinter op(PORT_USB, &printer, row.model);
        PrinterStatus::error_code_ = row.code;
        op.waitForPaper();
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_TRUE(printer.calls().empty());
        EXPECT_TRUE(waits.waits().empty());
    }
    // A cancel already set sends the cancel sequence and returns.
    SimulatedPrinter printer;
    TestPrinter op(PORT_USB, &printer, FC_510);
    PrinterStatus::error_code_ = 4;
    BasePrinter::cancel_flag = true;
    op.waitForPaper();
    EXPECT_EQ(printer.sentData().size(), 1u);
    EXPECT_TRUE(printer.messages().empty());
}
