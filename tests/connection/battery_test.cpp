#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using Battery = PrinterStatus::BatteryNormalized;
using B = StatusReplyBuilder;

namespace {

Battery battery(int level, int maxLevel, int charging, int valid, int health) {
    Battery b;
    b.level = level;
    b.maxLevel = maxLevel;
    b.charging = charging;
    b.valid = valid;
    b.healthLevel = health;
    return b;
}

const Battery kBlank = battery(-1, -1, -1, -1, -1);
const Bytes kStatusRequest = {0x1B, 0x69, 0x53};
const Bytes kFcType = {0x1B, 0x69, 0x61, 0x00, 0x1B, 0x7E, 0x65, 0x50, 0x05, 0x00};
const Bytes kFcPower = {0x1B, 0x7E, 0x65, 0x50, 0x04, 0x04, 0x1B, 0x69, 0x61, 0xFF};
const Bytes kDefaultMode = {0x1B, 0x69, 0x61, 0xFF};

Bytes oneExchange(Bytes middle) {
    const Bytes head = {0x1B, 0x69, 0x61, 0x01};
    Bytes out(head.size() + middle.size() + kDefaultMode.size());
    auto at = std::copy(head.begin(), head.end(), out.begin());
    at = std::copy(middle.begin(), middle.end(), at);
    std::copy(kDefaultMode.begin(), kDefaultMode.end(), at);
    return out;
}

struct Harness {
    Harness(PrinterSpec spec) {
        connect.observer = &printer;
        manager = makeManager(&connect, std::move(spec), PORT_USB);
    }
    explicit Harness(Model model) : Harness(specOf(model)) {}
    SimulatedPrinter printer;
    Connect connect;
    PrintStatusManager manager;
};

std::vector<Bytes> exchanges(const SimulatedPrinter& printer) {
    std::vector<Bytes> out;
    for (const auto& call : printer.calls()) {
        if (call.slot == Slot::SendDataReceiveData || call.slot == Slot::SendData) {
            out.push_back(call.bytes);
        }
    }
    return out;
}

}  // namespace

class BatteryTest : public PrinterStatusTest {};

TEST_F(BatteryTest, CommandDecoderThresholds) {
    struct Row {
        const char* decoder;
        int type;
        int value;
        Battery expected;
    };
    const Row rows[] = {
        {"GY160", 0, 194, battery(2, 2, -1, 1, 3)},
        {"GY160", 0, 193, battery(1, 2, -1, 1, 2)},
        {"GY160", 0, 183, battery(1, 2, -1, 1, 2)},
        {"GY160", 0, 182, battery(0, 2, -1, 1, 1)},
        {"GY160", 0, 0, battery(0, 2, -1, 1, 1)},
        {"GY160", 0, 255, battery(2, 2, -1, 1, 3)},
        {"GY180", 0, 193, battery(2, 2, -1, 1, 3)},
        {"GY180", 0, 192, battery(1, 2, -1, 1, 2)},
        {"GY180", 0, 182, battery(1, 2, -1, 1, 2)},
        {"GY180", 0, 181, battery(0, 2, -1, 1, 1)},
        {"GY310", 0, 0, battery(0, 100, -1, 1, 0)},
        {"GY310", 0, 57, battery(57, 100, -1, 1, 57)},
        {"GY310", 0, 255, battery(255, 100, -1, 1, 255)},
        {"FC", 0, 0, battery(1, 1, -1, 1, 0)},
        {"FC", 0, 200, battery(1, 1, -1, 1, 0)},
        {"FC", 1, 151, battery(2, 2, -1, 1, 3)},
        {"FC", 1, 150, battery(1, 2, -1, 1, 2)},
        {"FC", 1, 132, battery(1, 2, -1, 1, 2)},
        {"FC", 1, 131, battery(0, 2, -1, 1, 1)},
        {"FC", 2, 116, battery(2, 2, -1, 1, 3)},
        {"FC", 2, 115, battery(1, 2, -1, 1, 2)},
        {"FC", 2, 107, battery(1, 2, -1, 1, 2)},
        {"FC", 2, 106, battery(0, 2, -1, 1, 1)},
        {"FC", 3, 150, kBlank},
        {"FC", 255, 150, kBlank},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.decoder << " " << row.type << " " << row.value);
        Battery b = battery(9, 9, 9, 9, 9);
        const auto v = static_cast<unsigned char>(row.value);
        const std::string name = row.decoder;
        if (name == "GY160") {
            b.BatteryFromGY160Command(v);
        } else if (name == "GY180") {
            b.BatteryFromGY180Command(v);
        } else if (name == "GY310") {
            b.BatteryFromGY310Command(v);
        } else {
            b.BatteryFromFCCommand(static_cast<unsigned char>(row.type), v);
        }
        EXPECT_EQ(b, row.expected);
    }
}

TEST_F(BatteryTest, StatusByteDecoder) {
    struct Row {
        int value;
        Battery expected;
    };
    const Row rows[] = {
        {0x00, battery(3, 3, 0, 1, 0)},
        {0x03, battery(0, 3, 0, 1, 3)},
        {0x04, battery(-1, -1, 1, -1, 4)},
        {0x05, battery(-2, 3, 0, 1, 5)},
        {0x1F, battery(-28, 3, 0, 1, 31)},
        {0x20, battery(4, 4, 0, 1, 0)},
        {0x21, battery(3, 4, 0, 1, 1)},
        {0x22, battery(2, 4, 0, 1, 1)},
        {0x23, battery(1, 4, 0, 1, 2)},
        {0x24, battery(0, 4, 0, 1, 3)},
        {0x25, battery(-1, 4, 0, 1, 2)},
        {0x26, battery(-2, 4, 0, 1, 2)},
        {0x27, battery(-1, -1, 0, 0, 0)},
        {0x33, battery(1, 4, 1, 1, 4)},
        {0x37, battery(-1, -1, 1, 0, 4)},
        {0x40, kBlank},
        {0xFF, kBlank},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        Battery b = battery(9, 9, 9, 9, 9);
        b.BatteryFromStatus(static_cast<unsigned char>(row.value));
        EXPECT_EQ(b, row.expected);
    }
}

TEST_F(BatteryTest, ConstructorsPickTheDecoderOfTheMode) {
    EXPECT_EQ(Battery(), kBlank);
    EXPECT_EQ(Battery(PS_BATTERY_NONE, 1, 200), battery(-1, -1, 1, 0, -1));
    EXPECT_EQ(Battery(PS_BATTERY_FC_COMMAND, 1, 150), battery(1, 2, -1, 1, 2));
    EXPECT_EQ(Battery(PS_BATTERY_GY160_COMMAND, 0, 194), battery(2, 2, -1, 1, 3));
    EXPECT_EQ(Battery(PS_BATTERY_GY310_COMMAND, 0, 40), battery(40, 100, -1, 1, 40));
    EXPECT_EQ(Battery(PS_BATTERY_STATUS, 0, 0x23), battery(1, 4, 0, 1, 2));
    EXPECT_EQ(Battery(PS_BATTERY_GY180_COMMAND, 0, 193), battery(2, 2, -1, 1, 3));
    EXPECT_EQ(Battery(static_cast<PSBatteryMode>(3), 1, 150), kBlank);
}

// One full status check per battery mode: the exact exchanges, the reading and the
// progress codes.
TEST_F(BatteryTest, TranscriptPerBatteryMode) {
    struct Row {
        const char* name;
        Model model;
        std::vector<std::pair<Bytes, Bytes>> exchanges;  // request, one-byte reply
        Battery expected;
    };
    const Row rows[] = {
        {"none", GY_150BT, {}, kBlank},
        {"GY160",
         GY_160BT,
         {{oneExchange({0x55, 0x0E, 0x04, 0x01}), {190}}},
         battery(1, 2, -1, 1, 2)},
        {"GY310",
         GY_310,
         {{oneExchange({0x55, 0x0E, 0x05, 0x00}), {70}}},
         battery(70, 100, -1, 1, 70)},
        {"GY180",
         GY_180,
         {{oneExchange({0x55, 0x0E, 0x04, 0xFF}), {182}}},
         battery(1, 2, -1, 1, 2)},
        {"FC", FC_510, {{kFcType, {2}}, {kFcPower, {116}}}, battery(2, 2, -1, 1, 3)},
        {"status byte", HU_3430, {}, battery(1, 4, 0, 1, 2)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        Harness h(row.model);
        h.printer.onExchange(kStatusRequest,
                             {B(row.model).media(62, 0x0A, 0).battery(0x23).bytes()});
        for (const auto& e : row.exchanges) {
            h.printer.onExchange(e.first, {Reply(e.second)});
        }
        PrinterStatus::battery_normalized_ = battery(5, 5, 5, 5, 5);
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(PrinterStatus::battery_normalized_, row.expected);
        EXPECT_EQ(h.printer.messages(), (std::vector<int>{8, 11}));
        std::vector<Bytes> expected = {kStatusRequest};
        for (const auto& e : row.exchanges) {
            expected.push_back(e.first);
        }
        EXPECT_EQ(exchanges(h.printer), expected);
        for (const auto& call : h.printer.calls(Slot::SendDataReceiveData)) {
            if (call.bytes != kStatusRequest) {
                EXPECT_EQ(call.length, 1);
            }
        }
    }
}

TEST_F(BatteryTest, BatteryOnlyForAStatusHeadMark) {
    // A "printing completed" record is not identity-checked, so a transfer head mark passes.
    Harness h(GY_160BT);
    h.printer.onExchange(kStatusRequest, {B(GY_160BT).headMark(0x81).statusType(1).bytes()});
    PrinterStatus::battery_normalized_ = battery(5, 5, 5, 5, 5);
    h.manager.updateStatus();
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(PrinterStatus::battery_normalized_, battery(5, 5, 5, 5, 5));
    EXPECT_EQ(exchanges(h.printer), std::vector<Bytes>{kStatusRequest});
    EXPECT_EQ(h.printer.messages(), (std::vector<int>{8, 11}));
}

TEST_F(BatteryTest, MediaErrorStillSendsTheBatteryCommandAndLeavesItBlank) {
    // No catalogued model has both a paper check and a command battery.
    PrinterSpec spec = specOf(GY_160BT);
    spec.paperCheck = true;
    spec.mode9Supported = true;
    Harness h(spec);
    h.printer.onExchange(kStatusRequest, {B(spec).media(62, 0x0B, 29).mode(1).bytes()});
    h.printer.onExchange(oneExchange({0x55, 0x0E, 0x04, 0x01}), {Reply(Bytes{200})});
    Paper other;
    other.paperNameMm = "62mm x 100mm";
    other.mediaWidthMm = 62;
    other.mediaLengthMm = 100;
    PrinterStatus::battery_normalized_ = battery(5, 5, 5, 5, 5);
    h.manager.updateStatus(other);
    EXPECT_EQ(PrinterStatus::error_code_, 32);
    EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
    EXPECT_EQ(h.printer.calls(Slot::SendDataReceiveData).size(), 2u);
    EXPECT_EQ(h.printer.messages(), std::vector<int>{8});  // the error suppresses 11
    EXPECT_EQ(PrinterStatus::mode9_, 1);                   // flag still updated
}

TEST_F(BatteryTest, FcReaderSwitchesBackAfterAStoppedFirstExchange) {
    {
        SCOPED_TRACE("paper out: error 4 before the reader");
        Harness h(FC_510);
        h.printer.onExchange(kStatusRequest, {B(FC_510).media(0, 0, 0).bytes()});
        h.printer.onExchange(kFcType, {Reply(Bytes{1})});
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::error_code_, 4);
        EXPECT_EQ(exchanges(h.printer),
                  (std::vector<Bytes>{kStatusRequest, kFcType, kDefaultMode}));
        EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
        EXPECT_EQ(h.printer.messages(), std::vector<int>{8});
    }
    {
        SCOPED_TRACE("cancel during the first exchange");
        resetPrinterStatusStatics();
        Harness h(FC_510);
        h.printer.onExchange(kStatusRequest, {B(FC_510).media(62, 0x0A, 0).bytes()});
        h.printer.onExchange(kFcType, {Reply(Bytes{1})});
        h.printer.onSlotCall(Slot::SendDataReceiveData, 2, [] { BasePrinter::cancel_flag = true; });
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(exchanges(h.printer),
                  (std::vector<Bytes>{kStatusRequest, kFcType, kDefaultMode}));
        EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
    }
    {
        SCOPED_TRACE("failed first exchange, failed switch back: the first error stays");
        resetPrinterStatusStatics();
        Harness h(FC_510);
        h.printer.setOwnErrorCode(77);
        h.printer.setSendDataResult(false);
        h.printer.onExchange(kStatusRequest, {B(FC_510).media(62, 0x0A, 0).bytes()});
        h.printer.onExchange(kFcType, {Reply::failure()});
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_EQ(exchanges(h.printer),
                  (std::vector<Bytes>{kStatusRequest, kFcType, kDefaultMode}));
    }
    {
        SCOPED_TRACE("failed second exchange: no extra switch back");
        resetPrinterStatusStatics();
        Harness h(FC_510);
        h.printer.onExchange(kStatusRequest, {B(FC_510).media(62, 0x0A, 0).bytes()});
        h.printer.onExchange(kFcType, {Reply(Bytes{1})});
        h.printer.onExchange(kFcPower, {Reply::failure()});
        h.manager.updateStatus();
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_EQ(exchanges(h.printer), (std::vector<Bytes>{kStatusRequest, kFcType, kFcPower}));
    }
    {
        SCOPED_TRACE("a true first exchange that wrote nothing: type 255");
        resetPrinterStatusStatics();
        Harness h(FC_510);
        h.printer.onExchange(kFcType, {Reply::silent()});
        h.printer.onExchange(kFcPower, {Reply(Bytes{200})});
        PrinterStatus::error_code_ = 1;
        h.manager.getBatteryFCcommand();
        EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
        EXPECT_EQ(PrinterStatus::error_code_, 1);
    }
}

TEST_F(BatteryTest, OneExchangeReadersSendEvenWhenTheCodeIsAlreadyNotOne) {
    Harness h(GY_310);
    h.printer.onExchange(oneExchange({0x55, 0x0E, 0x05, 0x00}), {Reply(Bytes{50})});
    PrinterStatus::error_code_ = 13;
    h.manager.getBattery();
    EXPECT_EQ(PrinterStatus::error_code_, 13);
    EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
    EXPECT_EQ(h.printer.calls().size(), 1u);

    h.printer.onExchange(oneExchange({0x55, 0x0E, 0x05, 0x00}), {Reply::failure()});
    PrinterStatus::error_code_ = 1;
    h.manager.getBattery();
    EXPECT_EQ(PrinterStatus::error_code_, 6);

    // getBatteryGYcommand picks the command by the mode it is given.
    h.printer.onExchange(oneExchange({0x55, 0x0E, 0x04, 0x01}), {Reply(Bytes{194})});
    PrinterStatus::error_code_ = 1;
    h.manager.getBatteryGYcommand(PS_BATTERY_GY160_COMMAND);
    EXPECT_EQ(PrinterStatus::battery_normalized_, battery(2, 2, -1, 1, 3));
}

TEST_F(BatteryTest, ReadersWithoutObserverReport39AndSendNothing) {
    for (Model model : {FC_510, GY_160BT, GY_310, GY_180}) {
        SCOPED_TRACE(model);
        Connect empty;
        for (Connect* c : {&empty, static_cast<Connect*>(nullptr)}) {
            PrintStatusManager m = makeManager(c, specOf(model), PORT_USB);
            PrinterStatus::error_code_ = 1;
            PrinterStatus::battery_normalized_ = battery(5, 5, 5, 5, 5);
            m.getBattery();
            EXPECT_EQ(PrinterStatus::error_code_, 39);
            EXPECT_EQ(PrinterStatus::battery_normalized_, kBlank);
        }
    }
    PrintStatusManager status = makeManager(nullptr, specOf(HU_3430), PORT_USB);
    PrinterStatus::status_byte_[6] = 0x21;
    PrinterStatus::error_code_ = 1;
    status.getBattery();
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(PrinterStatus::battery_normalized_, battery(3, 4, 0, 1, 1));
}
