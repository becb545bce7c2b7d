#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using B = StatusReplyBuilder;

namespace {

const Bytes kStatusRequest = {0x1B, 0x69, 0x53};
constexpr int kSentinel = 99;

// A status manager over a simulated printer for one model.
struct Harness {
    explicit Harness(Model model, Port port = PORT_USB) : Harness(specOf(model), port) {}
    Harness(PrinterSpec spec, Port port) {
        connect.observer = &printer;
        manager = makeManager(&connect, std::move(spec), port);
    }
    void answer(std::vector<Reply> replies) {
        printer.onExchange(kStatusRequest, replies);
        printer.onOid(tpes::PrinterMibOids::oidPrinterStatusReply, replies);
    }
    SimulatedPrinter printer;
    Connect connect;
    PrintStatusManager manager;
};

}  // namespace

class StatusDecodingTest : public PrinterStatusTest {};

// Request and decode one reply: (reply) -> (error code, process status), with a sentinel
// process status to catch "unchanged".
TEST_F(StatusDecodingTest, DecodingTable) {
    struct Row {
        const char* name;
        Model model;
        std::function<void(B&)> edit;
        int code;
        int process;
    };
    const auto none = [](B&) {};
    const Row rows[] = {
        {"clean status reply", KX_C270W, none, 1, 7},
        {"head mark 81", KX_C270W, [](B& b) { b.headMark(0x81); }, 3, 2},
        {"size 21", KX_C270W, [](B& b) { b.size(0x21); }, 3, 2},
        {"fixed 43", KX_C270W, [](B& b) { b.fixed(0x43); }, 3, 2},
        {"other series", KX_C270W, [](B& b) { b.seriesCode(0x37); }, 2, 2},
        {"other model", KX_C270W, [](B& b) { b.modelCode(0x67); }, 2, 2},
        // status type 0: notifications through the process response, then the phase
        {"t0 notification 1", KX_C270W, [](B& b) { b.notification(1); }, 31, 2},
        {"t0 notification 2", KX_C270W, [](B& b) { b.notification(2); }, 1, 7},
        {"t0 notification 3", KX_C270W, [](B& b) { b.notification(3); }, 7, 3},
        {"t0 notification 4, phase 0", KX_C270W, [](B& b) { b.notification(4); }, 1, 7},
        {"t0 notification 4, phase 2", KX_C270W, [](B& b) { b.notification(4).phaseType(2); }, 1,
         4},
        {"t0 notification 5, phase 2", KX_C270W, [](B& b) { b.notification(5).phaseType(2); }, 1,
         8},
        {"t0 notification 7, phase 2", KX_C270W, [](B& b) { b.notification(7).phaseType(2); }, 1,
         9},
        {"t0 notification 5, phase 1", KX_C270W, [](B& b) { b.notification(5).phaseType(1); }, 1,
         6},
        {"t0 phase 1 number 0014", KX_C270W, [](B& b) { b.phaseType(1).phaseNumber(0x0014); }, 31,
         2},
        {"t0 phase 1 number 0013", KX_C270W, [](B& b) { b.phaseType(1).phaseNumber(0x0013); }, 1,
         6},
        {"t0 phase 1 number 1400", KX_C270W, [](B& b) { b.phaseType(1).phaseNumber(0x1400); }, 1,
         6},
        {"t0 phase 2", KX_C270W, [](B& b) { b.phaseType(2); }, 1, 7},
        // error bytes in a status reply
        {"byte 8 01", KX_C270W, [](B& b) { b.errorInfo1(0x01); }, 4, 2},
        {"byte 8 02", KX_C270W, [](B& b) { b.errorInfo1(0x02); }, 4, 2},
        {"byte 8 04", KX_C270W, [](B& b) { b.errorInfo1(0x04); }, 8, 2},
        {"byte 8 08", KX_C270W, [](B& b) { b.errorInfo1(0x08); }, 5, 2},
        {"byte 8 10", KX_C270W, [](B& b) { b.errorInfo1(0x10); }, 35, 2},
        {"byte 8 20", KX_C270W, [](B& b) { b.errorInfo1(0x20); }, 6, 2},
        {"byte 8 40", KX_C270W, [](B& b) { b.errorInfo1(0x40); }, 9, 2},
        {"byte 8 80", KX_C270W, [](B& b) { b.errorInfo1(0x80); }, 12, 2},
        {"byte 8 03 alone", KX_C270W, [](B& b) { b.errorInfo1(0x03); }, 1, 7},
        {"byte 8 03, byte 9 01", KX_C270W, [](B& b) { b.errorInfo1(0x03).errorInfo2(0x01); }, 32,
         2},
        {"byte 8 before byte 9", KX_C270W, [](B& b) { b.errorInfo1(0x08).errorInfo2(0x01); }, 5, 2},
        {"byte 9 01", KX_C270W, [](B& b) { b.errorInfo2(0x01); }, 32, 2},
        {"byte 9 02", KX_C270W, [](B& b) { b.errorInfo2(0x02); }, 44, 2},
        {"byte 9 04", KX_C270W, [](B& b) { b.errorInfo2(0x04); }, 1, 7},
        {"byte 9 08", KX_C270W, [](B& b) { b.errorInfo2(0x08); }, 1, 7},
        {"byte 9 10", KX_C270W, [](B& b) { b.errorInfo2(0x10); }, 31, 2},
        {"byte 9 20", KX_C270W, [](B& b) { b.errorInfo2(0x20); }, 7, 2},
        {"byte 9 40", KX_C270W, [](B& b) { b.errorInfo2(0x40); }, 11, 2},
        {"byte 9 80", KX_C270W, [](B& b) { b.errorInfo2(0x80); }, 12, 2},
        {"byte 9 before byte 7", KX_C270W, [](B& b) { b.errorInfo2(0x02).extendedError(20); }, 44,
         2},
        {"byte 7 20", KX_C270W, [](B& b) { b.extendedError(20); }, 46, 2},
        {"byte 7 29", KX_C270W, [](B& b) { b.extendedError(29); }, 49, 2},
        {"byte 7 30", KX_C270W, [](B& b) { b.extendedError(30); }, 50, 2},
        {"byte 7 31", KX_C270W, [](B& b) { b.extendedError(31); }, 51, 2},
        {"byte 7 32", KX_C270W, [](B& b) { b.extendedError(32); }, 45, 2},
        {"byte 7 33", KX_C270W, [](B& b) { b.extendedError(33); }, 52, 2},
        {"byte 7 34", KX_C270W, [](B& b) { b.extendedError(34); }, 53, 2},
        {"byte 7 35", KX_C270W, [](B& b) { b.extendedError(35); }, 54, 2},
        {"byte 7 36", KX_C270W, [](B& b) { b.extendedError(36); }, 55, 2},
        {"byte 7 21", KX_C270W, [](B& b) { b.extendedError(21); }, 1, 7},
        // other status types
        {"printing completed", KX_C270W, [](B& b) { b.statusType(1).errorInfo1(0x01); }, 1, 1},
        {"error record, no bits", KX_C270W, [](B& b) { b.statusType(2); }, 6, 2},
        {"error record, byte 9 04", KX_C270W, [](B& b) { b.statusType(2).errorInfo2(0x04); }, 1,
         kSentinel},
        {"error 24, byte 8 01", KX_C270W, [](B& b) { b.statusType(24).errorInfo1(0x01); }, 4, 2},
        {"error record, tube 0", KX_C450TKW, [](B& b) { b.statusType(2); }, 45, 2},
        {"error record, ribbon 0", KX_C450TKW, [](B& b) { b.statusType(2).tube(1); }, 46, 2},
        {"error record, ribbon level 3", KX_C450TKW,
         [](B& b) { b.statusType(2).tube(1).tubeRibbon(1).tubeRibbonLevel(3); }, 46, 2},
        {"error record, ribbon level 4", KX_C450TKW,
         [](B& b) { b.statusType(2).tube(1).tubeRibbon(1).tubeRibbonLevel(4); }, 46, 2},
        {"error record, tube fine", KX_C450TKW,
         [](B& b) { b.statusType(2).tube(1).tubeRibbon(1).tubeRibbonLevel(2); }, 6, 2},
        {"error record, tube 0 without tube support", KX_C270W, [](B& b) { b.statusType(2); }, 6,
         2},
        {"error record, byte 8 wins over tube", KX_C450TKW,
         [](B& b) { b.statusType(2).errorInfo1(0x40); }, 9, 2},
        {"invalid type 3", KX_C270W, [](B& b) { b.statusType(3).errorInfo1(0x01); }, 6, 2},
        {"invalid type 25", KX_C270W, [](B& b) { b.statusType(25).errorInfo1(0x01); }, 6, 2},
        {"notification 1", KX_C270W, [](B& b) { b.statusType(5).notification(1); }, 31, 2},
        {"notification 2", KX_C270W, [](B& b) { b.statusType(5).notification(2); }, 1, 0},
        {"notification 3", KX_C270W, [](B& b) { b.statusType(5).notification(3); }, 7, 3},
        {"notification 4", KX_C270W, [](B& b) { b.statusType(5).notification(4); }, 1, 4},
        {"notification 5", KX_C270W, [](B& b) { b.statusType(5).notification(5); }, 1, 8},
        {"notification 6", KX_C270W, [](B& b) { b.statusType(5).notification(6); }, 6, 2},
        {"notification 7", KX_C270W, [](B& b) { b.statusType(5).notification(7); }, 1, 9},
        {"phase change 0", KX_C270W, [](B& b) { b.statusType(6).phaseType(0); }, 1, 5},
        {"phase change 1", KX_C270W, [](B& b) { b.statusType(6).phaseType(1); }, 1, 6},
        {"phase change 1, 0014", KX_C270W,
         [](B& b) { b.statusType(6).phaseType(1).phaseNumber(0x0014); }, 31, 2},
        {"phase change 2", KX_C270W, [](B& b) { b.statusType(6).phaseType(2); }, 6, 2},
        {"other model's codes", HU_3430, [](B& b) { b.seriesCode(0x30).modelCode(0x66); }, 2, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        PrinterStatus::process_status_ = kSentinel;
        Harness h(row.model);
        B reply(row.model);
        row.edit(reply);
        h.answer({reply.bytes()});
        h.manager.receivePrintStatusWithStatusCheck();
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(PrinterStatus::process_status_, row.process);
        EXPECT_EQ(Bytes(PrinterStatus::status_byte_, PrinterStatus::status_byte_ + 32),
                  reply.bytes());
    }
}

TEST_F(StatusDecodingTest, GarbageHeadAndEmptySuccessfulExchangeFailTheIdentityCheck) {
    Bytes garbage(32, 0xFF);
    garbage[18] = 0;  // status type 0
    for (Reply r : {Reply(garbage), Reply::silent(), Reply(Bytes{0x80, 0x20})}) {
        resetPrinterStatusStatics();
        Harness h(KX_C270W);
        h.answer({r});
        h.manager.receivePrintStatusWithStatusCheck();
        EXPECT_EQ(PrinterStatus::error_code_, 3);
        EXPECT_EQ(PrinterStatus::process_status_, 2);
    }
}

TEST_F(StatusDecodingTest, RequestByOidOnTheNetworkPortAndEscISElsewhere) {
    Harness net(KX_C270W, PORT_NET);
    net.answer({B(KX_C270W).bytes()});
    net.manager.getStatus();
    ASSERT_EQ(net.printer.calls().size(), 1u);
    EXPECT_EQ(net.printer.calls()[0].slot, Slot::SendStringReceiveData);
    EXPECT_EQ(net.printer.calls()[0].request, "1.3.6.1.4.1.7741.3.3.9.1.6.1.0");
    EXPECT_EQ(net.printer.calls()[0].length, 32);

    Harness usb(KX_C270W, PORT_BLUETOOTH);
    usb.answer({B(KX_C270W).bytes()});
    usb.manager.getStatus();
    ASSERT_EQ(usb.printer.calls().size(), 1u);
    EXPECT_EQ(usb.printer.calls()[0].slot, Slot::SendDataReceiveData);
    EXPECT_EQ(usb.printer.calls()[0].bytes, kStatusRequest);
    EXPECT_EQ(usb.printer.calls()[0].length, 32);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

TEST_F(StatusDecodingTest, RequestFailuresAndCancel) {
    {
        SCOPED_TRACE("failed exchange: 6 and 2, no decoding, no progress 11");
        Harness h(KX_C270W);
        h.printer.setOwnErrorCode(88);
        h.answer({Reply::failure()});
        PrinterStatus::label_color_ = 7;
        h.manager.updateStatus(Paper());
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_EQ(PrinterStatus::process_status_, 2);
        EXPECT_EQ(PrinterStatus::label_color_, 0);  // read from the zeroed reply anyway
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
        EXPECT_EQ(h.printer.calls(Slot::SendDataReceiveData).size(), 1u);
    }
    {
        SCOPED_TRACE("no observer, both forms: 6 for the request");
        Connect empty;
        PrintStatusManager noObserver = makeManager(&empty, specOf(KX_C270W), PORT_USB);
        PrintStatusManager noConnect = makeManager(nullptr, specOf(KX_C270W), PORT_NET);
        for (PrintStatusManager* m : {&noObserver, &noConnect}) {
            resetPrinterStatusStatics();
            m->updateStatus();
            EXPECT_EQ(PrinterStatus::error_code_, 6);
            EXPECT_EQ(PrinterStatus::process_status_, 2);
        }
    }
    {
        SCOPED_TRACE("cancel before the request: nothing sent, code 1, zero reply");
        resetPrinterStatusStatics();
        Harness h(KX_C270W);
        std::fill(PrinterStatus::status_byte_, PrinterStatus::status_byte_ + 32, 0x55);
        BasePrinter::cancel_flag = true;
        PrinterStatus::process_status_ = kSentinel;
        h.manager.updateStatus(Paper());
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(PrinterStatus::process_status_, kSentinel);
        EXPECT_EQ(Bytes(PrinterStatus::status_byte_, PrinterStatus::status_byte_ + 32),
                  Bytes(32, 0));
        EXPECT_TRUE(h.printer.calls(Slot::SendDataReceiveData).empty());
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
    }
}

TEST_F(StatusDecodingTest, ColourBytesOnlyFromIndexesInsideTheReply) {
    struct Row {
        int labelIndex;
        int inkIndex;
        int label;
        int ink;
    };
    const Row rows[] = {{24, 25, 3, 4}, {-1, -1, 200, 201}, {40, 32, 200, 201}, {0, 31, 0x80, 9}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.labelIndex << "/" << row.inkIndex);
        PrinterSpec spec = specOf(KX_C270W);
        spec.labelColorStatusIndex = row.labelIndex;
        spec.inkColorStatusIndex = row.inkIndex;
        Harness h(spec, PORT_USB);
        h.answer({B(spec).labelColor(3).inkColor(4).set(31, 9).bytes()});
        PrinterStatus::label_color_ = 200;
        PrinterStatus::ink_color_ = 201;
        h.manager.getStatus();
        EXPECT_EQ(PrinterStatus::label_color_, row.label);
        EXPECT_EQ(PrinterStatus::ink_color_, row.ink);
    }
}

TEST_F(StatusDecodingTest, ReceiveStatusReadsTheRecordAfterAPage) {
    struct Row {
        const char* name;
        bool hasRecord;
        int count;
        int codeBefore;
        bool result;
        int code;
    };
    const Row rows[] = {
        {"32 bytes", true, 32, 1, true, 1},
        {"failure", true, -1, 1, false, 6},
        {"nothing", true, 0, 1, false, 6},
        {"short", true, 31, 1, false, 6},
        {"too long", true, 33, 1, false, 6},
        {"short, code already 4", true, 31, 4, false, 4},
        {"failure, code already 4", true, -1, 4, false, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        Harness h(HU_3430);
        h.printer.queueRecord(SimulatedPrinter::Record::withCount(B(HU_3430).bytes(), row.count));
        PrinterStatus::error_code_ = row.codeBefore;
        PrinterStatus::status_byte_[31] = 0x77;  // not cleared first
        EXPECT_EQ(h.manager.receiveStatus(), row.result);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        ASSERT_EQ(h.printer.calls().size(), 1u);
        EXPECT_EQ(h.printer.calls()[0].length, 32);
        EXPECT_TRUE(h.printer.calls()[0].flag);
        if (row.result) {
            EXPECT_EQ(PrinterStatus::process_status_, 7);
        }
    }
    {
        SCOPED_TRACE("no observer off the network port: 39; on it: the request's 6");
        resetPrinterStatusStatics();
        Connect empty;
        PrintStatusManager usb = makeManager(&empty, specOf(HU_3430), PORT_USB);
        PrinterStatus::error_code_ = 1;
        EXPECT_FALSE(usb.receiveStatus());
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        PrintStatusManager net = makeManager(nullptr, specOf(HU_3440), PORT_NET);
        EXPECT_FALSE(net.receiveStatus());
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_EQ(PrinterStatus::process_status_, 2);
    }
    {
        SCOPED_TRACE("network port: a failed request is not decoded");
        resetPrinterStatusStatics();
        Harness h(HU_3440, PORT_NET);
        h.answer({Reply::failure()});
        EXPECT_FALSE(h.manager.receiveStatus());
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_EQ(PrinterStatus::process_status_, 2);
        EXPECT_EQ(h.printer.calls(Slot::SendStringReceiveData).size(), 1u);
    }
    {
        SCOPED_TRACE("network port: requested, and not decoded after a cancel");
        resetPrinterStatusStatics();
        Harness h(HU_3440, PORT_NET);
        h.answer({B(HU_3440).errorInfo1(0x01).bytes()});
        BasePrinter::cancel_flag = true;
        PrinterStatus::process_status_ = kSentinel;
        EXPECT_FALSE(h.manager.receiveStatus());
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(PrinterStatus::process_status_, kSentinel);
        EXPECT_TRUE(h.printer.calls().empty());
    }
    {
        SCOPED_TRACE("no status support: true at once");
        resetPrinterStatusStatics();
        Harness h(FC_412);
        EXPECT_TRUE(h.manager.receiveStatus());
        EXPECT_TRUE(h.printer.calls().empty());
    }
}

TEST_F(StatusDecodingTest, ReadinessPollOnTheNetworkPort) {
    const std::string oid = "1.3.6.1.2.1.25.3.5.1.1.1";
    struct Row {
        const char* name;
        Reply reply;
        bool ready;
        int code;
        int process;
    };
    const Row rows[] = {
        {"idle", Reply(Bytes{3}), true, 1, kSentinel},
        {"printing", Reply(Bytes{4}), false, 21, kSentinel},
        {"failed read", Reply::failure(), true, 6, 2},
        {"nothing written", Reply::silent(), false, 21, kSentinel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        Harness h(HU_3440, PORT_NET);
        h.printer.onOid(oid, {row.reply});
        PrinterStatus::error_code_ = 21;
        PrinterStatus::process_status_ = kSentinel;
        EXPECT_EQ(h.manager.isReadyMIB(), row.ready);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(PrinterStatus::process_status_, row.process);
        ASSERT_EQ(h.printer.calls().size(), 1u);
        EXPECT_EQ(h.printer.calls()[0].length, 1);
    }
    resetPrinterStatusStatics();
    PrintStatusManager none = makeManager(nullptr, specOf(HU_3440), PORT_NET);
    EXPECT_TRUE(none.isReadyMIB());
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    Harness usb(HU_3440, PORT_USB);
    BasePrinter::cancel_flag = false;
    EXPECT_TRUE(usb.manager.isReadyMIB());
    Harness cancelled(HU_3440, PORT_NET);
    BasePrinter::cancel_flag = true;
    EXPECT_TRUE(cancelled.manager.isReadyMIB());
    EXPECT_TRUE(usb.printer.calls().empty());
    EXPECT_TRUE(cancelled.printer.calls().empty());
}

TEST_F(StatusDecodingTest, ReceiveStatusFromMIBIgnoresStatusSupport) {
    PrinterSpec spec = specOf(HU_3440);
    spec.statusSupported = false;
    Harness h(spec, PORT_NET);
    h.answer({B(spec).bytes()});
    EXPECT_TRUE(h.manager.receiveStatusFromMIB());
    EXPECT_EQ(PrinterStatus::process_status_, 7);
    h.answer({Reply::failure()});
    EXPECT_FALSE(h.manager.receiveStatusFromMIB());
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    BasePrinter::cancel_flag = true;
    PrinterStatus::process_status_ = kSentinel;
    EXPECT_FALSE(h.manager.receiveStatusFromMIB());
    EXPECT_EQ(PrinterStatus::process_status_, kSentinel);
}

TEST_F(StatusDecodingTest, Mode9FlagNeedsModelSupport) {
    struct Row {
        Model model;
        uint8_t mode;
        int flag;
    };
    for (const Row& row : {Row{FC_510, 1, 1}, Row{FC_510, 2, 0}, Row{HU_3430, 1, 0}}) {
        Harness h(row.model);
        h.answer({B(row.model).mode(row.mode).media(62, 0x0A, 0).bytes()});
        h.printer.onExchange({0x1B, 0x69, 0x61, 0x00}, {Bytes{1}});  // FC battery type
        h.printer.onExchange({0x1B, 0x7E}, {Bytes{150}});            // FC battery power
        PrinterStatus::mode9_ = 7;
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::mode9_, row.flag);
    }
}

TEST_F(StatusDecodingTest, CompositesPlaceTheirProgressCodes) {
    Paper other;
    other.paperNameMm = "62mm";
    other.mediaWidthMm = 62;
    other.mediaType = 0x0A;
    Paper loaded = other;
    loaded.paperId = 16;
    loaded.mediaWidthMm = 29;
    {
        SCOPED_TRACE("battery-less check sends 11 after a media error");
        Harness h(KX_C270W);
        h.answer({B(KX_C270W).media(29, 0x0A, 0).bytes()});
        h.manager.checkStatusNotCheckedBattery(other);
        EXPECT_EQ(PrinterStatus::error_code_, 32);
        EXPECT_EQ(h.printer.messages(), (std::vector<int>{8, 11}));
    }
    {
        SCOPED_TRACE("full check stops before 11 after a media error");
        resetPrinterStatusStatics();
        Harness h(KX_C270W);
        h.answer({B(KX_C270W).media(29, 0x0A, 0).bytes()});
        h.manager.updateStatus(other);
        EXPECT_EQ(PrinterStatus::error_code_, 32);
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
    }
    {
        SCOPED_TRACE("label identification runs before decoding");
        resetPrinterStatusStatics();
        Harness h(KX_C270W);
        h.answer({B(KX_C270W).media(29, 0x0A, 0).errorInfo1(0x01).bytes()});
        h.manager.updateLabelInfo({other, loaded});
        EXPECT_EQ(PrinterStatus::label_id_, 16);
        EXPECT_EQ(PrinterStatus::error_code_, 4);
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
    }
    {
        SCOPED_TRACE("label identification: no media and no match gives 52 and stops");
        resetPrinterStatusStatics();
        Harness h(KX_C270W);
        h.answer({B(KX_C270W).phaseType(1).bytes()});
        PrinterStatus::process_status_ = kSentinel;
        h.manager.updateLabelInfo({loaded});
        EXPECT_EQ(PrinterStatus::error_code_, 52);
        EXPECT_EQ(PrinterStatus::process_status_, kSentinel);  // not decoded
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
    }
    {
        SCOPED_TRACE("no status support: nothing at all");
        resetPrinterStatusStatics();
        Harness h(FC_412);
        PrinterStatus::error_code_ = 1;
        h.manager.updateStatus(other);
        h.manager.checkStatusNotCheckedBattery(other);
        h.manager.updateLabelInfo({loaded});
        h.manager.receivePrintStatusWithStatusCheck();
        EXPECT_TRUE(h.printer.calls().empty());
        EXPECT_EQ(PrinterStatus::error_code_, 1);
    }
    {
        SCOPED_TRACE("progress codes need an observer");
        resetPrinterStatusStatics();
        PrintStatusManager m = makeManager(nullptr, specOf(KX_C270W), PORT_USB);
        m.updateStatus();  // must not crash
        EXPECT_EQ(PrinterStatus::error_code_, 6);
    }
}
