#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "connection/base_printer.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/scratch_dir.h"
#include "support/simulated_printer.h"
#include "support/test_printer.h"

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using Record = SimulatedPrinter::Record;

namespace {

const std::string kSerialOid = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.1.0";
const std::string kPageCounterOid = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.10.0";
const std::string kConsoleOid = "1.3.6.1.2.1.43.16.5.1.2.1.1";
const std::string kBatteryOid = "1.3.6.1.4.1.7741.3.3.9.1.1.8.1.0";
const Bytes kSerialRequest = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0C, 0x82, 0x1B, 0x69, 0x61, 0xFF};

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes withHead(std::initializer_list<unsigned char> head, const std::string& rest = "") {
    Bytes out(head);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

std::vector<int> receiveLengths(const SimulatedPrinter& p, std::vector<bool>* flags = nullptr) {
    std::vector<int> out;
    for (const auto& c : p.calls(Slot::ReceiveData)) {
        out.push_back(c.length);
        if (flags != nullptr) {
            flags->push_back(c.flag);
        }
    }
    return out;
}

}  // namespace

class DeviceQueriesTest : public PrinterStatusTest {};

TEST_F(DeviceQueriesTest, SerialNumberByCommand) {
    struct Row {
        const char* name;
        Model model;
        Port port;
        std::vector<Record> records;
        std::string expected;
        int code;
        std::vector<int> lengths;
    };
    const Row rows[] = {
        {"USB in two reads",
         HU_2310,
         PORT_USB,
         {withHead({10}, "ABCDEF"), text("GHIJ")},
         "ABCDEFGHIJ",
         1,
         {32, 25}},
        {"USB, first read brings more than L",
         HU_2310,
         PORT_USB,
         {withHead({10}, "ABCDEFGHIJK")},
         "ABCDEFGHIJ",
         1,
         {32}},
        {"USB, only the length byte",
         HU_2310,
         PORT_USB,
         {withHead({10}), Bytes()},
         "",
         1,
         {32, 31}},
        {"USB, two reads still short",
         HU_2310,
         PORT_USB,
         {withHead({10}, "AB"), text("CD")},
         "",
         1,
         {32, 29}},
        {"USB, failed read", HU_2310, PORT_USB, {Record::withCount({}, -1)}, "", 6, {32}},
        {"USB, count above the room",
         HU_2310,
         PORT_USB,
         {Record::withCount(withHead({3}, "ABC"), 33)},
         "",
         6,
         {32}},
        {"USB, failed second read",
         HU_2310,
         PORT_USB,
         {withHead({10}, "AB"), Record::withCount({}, -1)},
         "",
         6,
         {32, 29}},
        {"BLE as USB", HU_3620B, PORT_BLE, {withHead({3}, "XYZ")}, "XYZ", 1, {32}},
        {"Bluetooth: length, then text",
         HU_2310,
         PORT_BLUETOOTH,
         {Bytes{3}, text("XYZ")},
         "XYZ",
         1,
         {1, 3}},
        {"Bluetooth: length 0", HU_2310, PORT_BLUETOOTH, {Bytes{0}, Bytes()}, "", 1, {1, 0}},
        {"Bluetooth: short text keeps zero padding",
         HU_2310,
         PORT_BLUETOOTH,
         {Bytes{5}, text("AB")},
         std::string("AB\0\0\0", 5),
         1,
         {1, 5}},
        {"Bluetooth: no length", HU_2310, PORT_BLUETOOTH, {Bytes()}, "", 1, {1}},
        {"Bluetooth: failed length",
         HU_2310,
         PORT_BLUETOOTH,
         {Record::withCount({}, -1)},
         "",
         6,
         {1}},
        {"Bluetooth: length count above 1",
         HU_2310,
         PORT_BLUETOOTH,
         {Record::withCount(Bytes{3, 'A'}, 2)},
         "",
         6,
         {1}},
        {"Bluetooth: no text", HU_2310, PORT_BLUETOOTH, {Bytes{3}, Bytes()}, "", 1, {1, 3}},
        {"Bluetooth: failed text",
         HU_2310,
         PORT_BLUETOOTH,
         {Bytes{3}, Record::withCount({}, -1)},
         "",
         6,
         {1, 3}},
        {"Bluetooth: text count above L",
         HU_2310,
         PORT_BLUETOOTH,
         {Bytes{3}, Record::withCount(text("XYZ"), 4)},
         "",
         6,
         {1, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        for (const Record& r : row.records) {
            printer.queueRecord(r);
        }
        TestPrinter op(row.port, &printer, row.model);
        EXPECT_EQ(op.getSerialNumber(), row.expected);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(printer.sentData(), std::vector<Bytes>{kSerialRequest});
        std::vector<bool> flags;
        EXPECT_EQ(receiveLengths(printer, &flags), row.lengths);
        for (bool flag : flags) {
            EXPECT_EQ(flag, row.port == PORT_BLUETOOTH);
        }
    }
}

TEST_F(DeviceQueriesTest, SerialNumberEdges) {
    {
        SCOPED_TRACE("no command on the model: nothing sent");
        SimulatedPrinter printer;
        TestPrinter op(PORT_USB, &printer, HU_3430);
        PrinterStatus::error_code_ = 21;
        EXPECT_EQ(op.getSerialNumber(), "");
        EXPECT_EQ(PrinterStatus::error_code_, 21);
        EXPECT_TRUE(printer.calls().empty());
    }
    {
        SCOPED_TRACE("network port reads by SNMP whatever the model says");
        SimulatedPrinter printer;
        printer.onOid(kSerialOid, {Reply::text("K1X234")});
        TestPrinter op(PORT_NET, &printer, HU_3440);
        EXPECT_EQ(op.getSerialNumber(), "K1X234");
        EXPECT_EQ(printer.calls().size(), 1u);
        printer.onOid(kSerialOid, {Reply::failure()});
        EXPECT_EQ(op.getSerialNumber(), "");
        EXPECT_EQ(PrinterStatus::error_code_, 6);
    }
    {
        SCOPED_TRACE("failed send");
        SimulatedPrinter printer;
        printer.setSendDataResult(false);
        TestPrinter op(PORT_USB, &printer, HU_2310);
        EXPECT_EQ(op.getSerialNumber(), "");
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_TRUE(printer.calls(Slot::ReceiveData).empty());
    }
}

TEST_F(DeviceQueriesTest, MediaVersion) {
    struct Row {
        const char* name;
        Record record;
        std::string expected;
        int code;
    };
    const Row rows[] = {
        {"five characters", withHead({5}, std::string("1.02A\0\0", 7)), "1.02A", 1},
        {"zero inside ends the text", withHead({7}, std::string("12\0abcd", 7)), "12", 1},
        {"length 8", withHead({8}, "1234567"), "", 39},
        {"nothing", Bytes(), "", 1},
        {"failure", Record::withCount({}, -1), "", 6},
        {"count above 8", Record::withCount(withHead({2}, "ab"), 9), "", 6},
        {"short reply keeps zeros", withHead({6}, "ab"), "ab", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        printer.queueRecord(row.record);
        TestPrinter op(PORT_USB, &printer, KX_A360BT);
        EXPECT_EQ(op.getMediaVer(), row.expected);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{{0x1B, 0x69, 0x55, 0x76}}));
        std::vector<bool> flags;
        EXPECT_EQ(receiveLengths(printer, &flags), std::vector<int>{8});
        EXPECT_EQ(flags, std::vector<bool>{false});
    }
    SimulatedPrinter printer;
    TestPrinter without(PORT_USB, &printer, HU_2310);
    EXPECT_EQ(without.getMediaVer(), "");
    EXPECT_TRUE(printer.calls().empty());
    printer.setSendDataResult(false);
    TestPrinter failing(PORT_USB, &printer, KX_A360BT);
    EXPECT_EQ(failing.getMediaVer(), "");
    EXPECT_EQ(PrinterStatus::error_code_, 6);
}

TEST_F(DeviceQueriesTest, MediaFileVersion) {
    const Bytes file = {0x1B, 0x69, 0x55, 0x77, 9, 9, 9, '1', '0', '3', 0xEE};
    Bytes late = {0x00, 0x1B, 0x69, 0x55, 0x77, 9, 9, 9, '2', '0', '4'};
    ScratchDir dir;
    struct Row {
        const char* name;
        std::string path;
        std::string expected;
        int code;
    };
    const Row rows[] = {
        {"marker at 0", dir.write("media_a.bin", file), "103", 1},
        {"ten bytes", dir.write("media_b.bin", Bytes(file.begin(), file.begin() + 10)), "103", 1},
        {"nine bytes", dir.write("media_c.bin", Bytes(file.begin(), file.begin() + 9)), "", 1},
        {"marker at 1 of 10 bytes", dir.write("media_d.bin", Bytes(late.begin(), late.end() - 1)),
         "", 1},
        {"marker at 1 of 11 bytes", dir.write("media_e.bin", late), "204", 1},
        {"zero in the version",
         dir.write("media_f.bin", {0x1B, 0x69, 0x55, 0x77, 0, 0, 0, '7', 0, '8'}), "7", 1},
        {"no marker", dir.write("media_g.bin", Bytes(40, 0x1B)), "", 1},
        {"empty file", dir.write("media_h.bin", {}), "", 1},
        {"missing file", testing::TempDir() + "no_such_media.bin", "", 28},
        {"directory", testing::TempDir(), "", 28},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestPrinter op(KX_A360BT, PORT_USB);  // no observer needed
        PrinterStatus::error_code_ = 21;
        EXPECT_EQ(op.getMediaFileVer(row.path), row.expected);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
    }
    TestPrinter without(HU_2310, PORT_USB);
    PrinterStatus::error_code_ = 21;
    EXPECT_EQ(without.getMediaFileVer(testing::TempDir() + "no_such_media.bin"), "");
    EXPECT_EQ(PrinterStatus::error_code_, 21);
}

TEST_F(DeviceQueriesTest, PageCounterIsABigEndianSignedValue) {
    struct Row {
        Bytes counter;
        int expected;
    };
    const Row rows[] = {
        {{0x00, 0x00, 0x01, 0x2C}, 300},
        {{0x80, 0x00, 0x00, 0x00}, INT_MIN},
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {{0x7F, 0xFF, 0xFF, 0xFF}, INT_MAX},
    };
    for (const Row& row : rows) {
        SimulatedPrinter printer;
        Bytes reply(36, 0xAA);
        std::copy(row.counter.begin(), row.counter.end(), reply.begin() + 10);
        printer.onOid(kPageCounterOid, {reply});
        TestPrinter op(PORT_NET, &printer, HU_3440);
        PrinterStatus::error_code_ = 21;
        EXPECT_EQ(op.getPageCounter(), row.expected);
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_EQ(printer.calls()[0].length, 36);
    }
    SimulatedPrinter printer;
    printer.onOid(kPageCounterOid, {Reply::failure()});
    TestPrinter usb(PORT_USB, &printer, HU_3440);
    PrinterStatus::error_code_ = 21;
    EXPECT_EQ(usb.getPageCounter(), 0);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_TRUE(printer.calls().empty());
    TestPrinter net(PORT_NET, &printer, HU_3440);
    EXPECT_EQ(net.getPageCounter(), 0);
    EXPECT_EQ(PrinterStatus::error_code_, 6);
}

TEST_F(DeviceQueriesTest, DeviceStatusRemovesOnlyBlanks) {
    SimulatedPrinter printer;
    printer.onOid(kConsoleOid,
                  {Reply::text("READY  TO  PRINT"), Reply::text("A\tB C\n"), Reply::failure()});
    TestPrinter op(PORT_NET, &printer, HU_3440);
    EXPECT_EQ(op.getDeviceStatus(), "READYTOPRINT");
    EXPECT_EQ(op.getDeviceStatus(), "A\tBC\n");
    EXPECT_EQ(op.getDeviceStatus(), "");
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    TestPrinter usb(PORT_USB, &printer, HU_3440);
    PrinterStatus::error_code_ = 21;
    EXPECT_EQ(usb.getDeviceStatus(), "");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(printer.calls().size(), 3u);
}

TEST_F(DeviceQueriesTest, SystemReport) {
    struct Row {
        const char* name;
        std::vector<Record> records;
        std::string expected;
        int code;
        std::vector<int> lengths;
    };
    const Row rows[] = {
        {"three bytes", {Bytes{3, 0}, Bytes{0x41, 0xFF, 0x0A}}, "A?\n", 1, {2, 3}},
        {"7E stays, 7F and 80 change", {Bytes{3, 0}, Bytes{0x7E, 0x7F, 0x80}}, "~??", 1, {2, 3}},
        {"little-endian length",
         {Bytes{0x00, 0x01}, Bytes(256, 'x')},
         std::string(256, 'x'),
         1,
         {2, 256}},
        {"short text keeps zeros", {Bytes{4, 0}, text("AB")}, std::string("AB\0\0", 4), 1, {2, 4}},
        {"no length", {Bytes()}, "", 1, {2}},
        {"one length byte", {Bytes{3}}, "", 1, {2}},
        {"failed length", {Record::withCount({}, -1)}, "", 6, {2}},
        {"length count above 2", {Record::withCount(Bytes{3, 0}, 3)}, "", 6, {2}},
        {"no text", {Bytes{3, 0}, Bytes()}, "", 1, {2, 3}},
        {"failed text", {Bytes{3, 0}, Record::withCount({}, -1)}, "", 6, {2, 3}},
        {"text count above L", {Bytes{3, 0}, Record::withCount(text("abc"), 4)}, "", 6, {2, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        for (const Record& r : row.records) {
            printer.queueRecord(r);
        }
        TestPrinter op(PORT_USB, &printer, HU_3430);
        EXPECT_EQ(op.getSystemReport(), row.expected);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{{0x1B, 0x69, 0x58, 0x47}}));
        std::vector<bool> flags;
        EXPECT_EQ(receiveLengths(printer, &flags), row.lengths);
        EXPECT_EQ(flags, std::vector<bool>(row.lengths.size(), true));
    }
}

TEST_F(DeviceQueriesTest, SystemReportAfterAFailedSendReadsNothing) {
    SimulatedPrinter printer;
    printer.setOwnErrorCode(40);
    printer.setSendDataResult(false);
    TestPrinter op(PORT_USB, &printer, HU_3430);
    EXPECT_EQ(op.getSystemReport(), "");
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    EXPECT_TRUE(printer.calls(Slot::ReceiveData).empty());
}

TEST_F(DeviceQueriesTest, BatteryInformation) {
    struct Row {
        const char* name;
        Model model;
        Port port;
        Reply reply;
        bool result;
        int code;
        int first;
        int second;
        int health;
    };
    Bytes good(16, 0);
    good[0] = 16;
    good[1] = 5;
    good[2] = 100;
    good[3] = 1;
    Bytes negative = good;
    negative[1] = 0xFF;
    negative[2] = 0x80;
    Bytes wrongHead = good;
    wrongHead[0] = 15;
    const Row rows[] = {
        {"reply", HU_3430, PORT_USB, good, true, 1, 100, 5, 1},
        {"signed bytes", HU_3430, PORT_USB, negative, true, 1, -128, -1, 1},
        {"byte 0 not 16", HU_3430, PORT_USB, wrongHead, true, 1, -1, -1, 7},
        {"failure leaves the record", HU_3430, PORT_USB, Reply::failure(), false, 6, 11, 22, 33},
        {"network port", HU_3440, PORT_NET, good, true, 1, 100, 5, 1},
        {"network failure", HU_3440, PORT_NET, Reply::failure(), false, 6, 11, 22, 33},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter printer;
        printer.onExchange({0x1B}, {row.reply});
        printer.onOid(kBatteryOid, {row.reply});
        TestPrinter op(row.port, &printer, row.model);
        PrinterBatteryInfo info;
        info.firstValue = 11;
        info.secondValue = 22;
        info.healthStatus = 33;
        EXPECT_EQ(op.getBatteryInfo(info), row.result);
        EXPECT_EQ(PrinterStatus::error_code_, row.code);
        EXPECT_EQ(info.firstValue, row.first);
        EXPECT_EQ(info.secondValue, row.second);
        EXPECT_EQ(info.healthStatus, row.health);
        ASSERT_EQ(printer.calls().size(), 1u);
        EXPECT_EQ(printer.calls()[0].length, 16);
    }
    // The raster-mode byte: 00 for series code '6' only.
    struct ModeRow {
        Model model;
        unsigned char mode;
    };
    for (const ModeRow& row :
         {ModeRow{FC_510, 0x00}, ModeRow{FC_412, 0x01}, ModeRow{HU_3430, 0x01}}) {
        SimulatedPrinter printer;
        printer.onExchange({0x1B}, {good});
        TestPrinter op(PORT_USB, &printer, row.model);
        PrinterBatteryInfo info;
        EXPECT_TRUE(op.getBatteryInfo(info));
        const Bytes expected = {0x1B, 0x69, 0x61, row.mode, 0x1B, 0x69,
                                0x55, 0x6E, 0x1B, 0x69,     0x61, 0xFF};
        EXPECT_EQ(printer.calls()[0].bytes, expected);
    }
}

TEST_F(DeviceQueriesTest, QueriesWithoutObserverReport39) {
    for (Port port : {PORT_USB, PORT_BLUETOOTH, PORT_NET}) {
        SCOPED_TRACE(port);
        TestPrinter op(port, nullptr, KX_A360BT);
        auto expect39 = [](auto value, auto empty) {
            EXPECT_EQ(value, empty);
            EXPECT_EQ(PrinterStatus::error_code_, 39);
            PrinterStatus::error_code_ = 1;
        };
        expect39(op.getSerialNumber(), std::string());
        expect39(op.getMediaVer(), std::string());
        expect39(op.getSystemReport(), std::string());
        PrinterBatteryInfo info;
        expect39(op.getBatteryInfo(info), false);
        if (port == PORT_NET) {
            expect39(op.getPageCounter(), 0);
            expect39(op.getDeviceStatus(), std::string());
        }
    }
    // The Connect itself missing.
    TestPrinter fileOnly(KX_A360BT, PORT_USB);
    EXPECT_EQ(fileOnly.getSystemReport(), "");
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST(PrinterBatteryInfoTest, ReplyOfExactlySixteenBytesWithHead16) {
    const PrinterBatteryInfo blank;
    EXPECT_EQ(blank.firstValue, -1);
    EXPECT_EQ(blank.secondValue, -1);
    EXPECT_EQ(blank.healthStatus, 7);
    std::vector<int8_t> reply(16, 0);
    reply[0] = 16;
    reply[1] = 2;
    reply[2] = 3;
    reply[3] = 4;
    const PrinterBatteryInfo ok(reply);
    EXPECT_EQ(ok.firstValue, 3);
    EXPECT_EQ(ok.secondValue, 2);
    EXPECT_EQ(ok.healthStatus, 4);
    reply.push_back(0);
    const PrinterBatteryInfo longer(reply);
    EXPECT_EQ(longer.firstValue, -1);
    const PrinterBatteryInfo empty(std::vector<int8_t>{});
    EXPECT_EQ(empty.healthStatus, 7);
}
