#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "settings/cws_connect.h"
#include "settings_printer.h"
#include "support/printer_status_fixture.h"

using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using Record = SimulatedPrinter::Record;

namespace {

class DeviceSettingCommandsTest : public PrinterStatusTest {
  protected:
    TestCWSConnect& connect(uint8_t series, Port onPort = PORT_USB) {
        c_.reset(new TestCWSConnect(onPort, &printer, HU_3650WB));
        c_->editSpec().seriesCode = series;
        return *c_;
    }
    // The command bytes of every exchange, in order.
    std::vector<Bytes> exchanges() const {
        std::vector<Bytes> out;
        for (const auto& call : printer.calls(Slot::SendDataReceiveData)) {
            out.push_back(call.bytes);
        }
        return out;
    }

    SettingsPrinter printer;
    std::unique_ptr<TestCWSConnect> c_;
};

const Bytes kNameRead = {0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x01};

Bytes nameReply(int length, const std::string& name) {
    Bytes out(1 + name.size());
    out[0] = static_cast<unsigned char>(length);
    std::copy(name.begin(), name.end(), out.begin() + 1);
    return out;
}

TEST_F(DeviceSettingCommandsTest, DeviceNameRead) {
    CWSConnect& c = connect('7');
    printer.queueRecord(Record(nameReply(6, "Office")));
    std::string name;
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "Office");
    EXPECT_EQ(printer.sentData(), std::vector<Bytes>{kNameRead});

    printer.queueRecord(Record(nameReply(0, "")));
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "");

    // Cut at the first zero byte.
    printer.queueRecord(Record(nameReply(4, std::string("ab\0d", 4))));
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "ab");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

TEST_F(DeviceSettingCommandsTest, DeviceNameCompletedByOneFollowUpReceive) {
    CWSConnect& c = connect('7');
    printer.queueRecord(Record(nameReply(10, "abcd")));  // 5 bytes of 11
    printer.queueRecord(Record(Bytes{'e', 'f', 'g', 'h', 'i', 'j'}));
    std::string name;
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "abcdefghij");
    const auto receives = printer.calls(Slot::ReceiveData);
    ASSERT_EQ(receives.size(), 2u);
    EXPECT_EQ(receives[0].length, 32);
    EXPECT_FALSE(receives[0].flag);
    EXPECT_EQ(receives[1].length, 6);
    EXPECT_TRUE(receives[1].flag);
}

TEST_F(DeviceSettingCommandsTest, DeviceNameFailures) {
    struct Case {
        const char* what;
        std::vector<Record> records;
    };
    const Case cases[] = {
        {"length above 30", {Record(nameReply(31, std::string(31, 'a')))}},
        {"still incomplete", {Record(nameReply(10, "abcd")), Record(Bytes{'e'})}},
        {"follow-up fails", {Record(nameReply(10, "abcd")), Record::withCount({}, -1)}},
        {"three empty receives",
         {Record::withCount({}, 0), Record::withCount({}, -1), Record::withCount({}, 0)}},
    };
    for (const Case& k : cases) {
        SettingsPrinter p;
        for (const Record& r : k.records) {
            p.queueRecord(r);
        }
        CWSConnect c(PORT_USB, &p, HU_3650WB);
        std::string name = "kept";
        EXPECT_FALSE(c.sendESBTDevName_R(name)) << k.what;
        EXPECT_EQ(name, "kept") << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, 6) << k.what;
    }
}

TEST_F(DeviceSettingCommandsTest, DeviceNameAfterAFailedAttemptIsNoFailure) {
    CWSConnect& c = connect('7');
    printer.queueRecord(Record::withCount({}, -1));
    printer.queueRecord(Record(nameReply(2, "ok")));
    std::string name;
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "ok");
    EXPECT_EQ(PrinterStatus::error_code_, 1);

    // A cancel that arrives meanwhile keeps its code.
    printer.queueRecord(Record::withCount({}, -1));
    printer.queueRecord(Record(nameReply(2, "ok")));
    printer.onSlotCall(Slot::ReceiveData, 4, [&] { c.cancel(); });
    ASSERT_TRUE(c.sendESBTDevName_R(name));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
}

TEST_F(DeviceSettingCommandsTest, DeviceNameIsNotRetriedAfterAStop) {
    CWSConnect& c = connect('7');
    printer.queueRecord(Record::withCount({}, 0));
    printer.queueRecord(Record(nameReply(2, "ok")));
    printer.onSlotCall(Slot::ReceiveData, 1, [&] { c.cancel(); });
    std::string name = "kept";
    EXPECT_FALSE(c.sendESBTDevName_R(name));
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.calls(Slot::ReceiveData).size(), 1u);
}

TEST_F(DeviceSettingCommandsTest, WiFiDirectSsidRead) {
    CWSConnect& c = connect('7');
    printer.queueRecord(Record(Bytes{5, 0, 'D', 'I', 'R', 'E', 'C'}));
    std::string ssid = "old";
    ASSERT_TRUE(c.sendESWFDStaticSSID_R(ssid));
    EXPECT_EQ(ssid, "DIREC");
    EXPECT_EQ(printer.sentData().back(),
              (Bytes{0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x02}));
    // A length beyond the bytes received, or beyond what 32 bytes can carry: 6.
    for (const Bytes& reply : {Bytes{9, 0, 'a', 'b'}, Bytes{0x00, 0x01, 'a'}}) {
        PrinterStatus::error_code_ = 1;
        printer.queueRecord(Record(reply));
        EXPECT_FALSE(c.sendESWFDStaticSSID_R(ssid));
        EXPECT_EQ(ssid, "DIREC");
        EXPECT_EQ(PrinterStatus::error_code_, 6);
    }
}

// The key read shares the SSID layout; a 64-byte key fits its reply, a longer length
// does not.
TEST_F(DeviceSettingCommandsTest, WiFiDirectKeyRead) {
    CWSConnect& c = connect('7');
    Bytes reply = {64, 0};
    reply.resize(66, 'k');
    printer.queueRecord(Record(reply));
    std::string key = "old";
    ASSERT_TRUE(c.sendESWFDStaticKey_R(key));
    EXPECT_EQ(key, std::string(64, 'k'));
    EXPECT_EQ(printer.sentData().back(),
              (Bytes{0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x01}));
    EXPECT_EQ(printer.calls(Slot::ReceiveData).back().length, 66);
    printer.queueRecord(Record(Bytes{65, 0, 'a'}));
    EXPECT_FALSE(c.sendESWFDStaticKey_R(key));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    EXPECT_EQ(key, std::string(64, 'k'));
    CWSConnect none(PORT_USB, nullptr, HU_3650WB);
    EXPECT_FALSE(none.sendESWFDStaticKey_R(key));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST_F(DeviceSettingCommandsTest, QueuedWritesAndTheirLimits) {
    struct Case {
        const char* what;
        std::function<bool(CWSConnect&)> write;
        Bytes queued;  // empty: refused with 39
    };
    auto name = [](size_t n) { return std::string(n, 'n'); };
    Bytes name30 = {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x01, 30};
    name30.resize(39, 'n');
    Bytes ssid32 = {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x22, 0x00, 0x01, 0x02};
    ssid32.resize(41, 's');
    Bytes key64 = {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x42, 0x00, 0x01, 0x01};
    key64.resize(73, 'k');
    Bytes pin3 = {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x00, 3, '1', '2', '3'};
    pin3.resize(25, 0x00);
    const Case cases[] = {
        {"name 30", [&](CWSConnect& c) { return c.sendESBTDevName_W(name(30)); }, name30},
        {"name 31", [&](CWSConnect& c) { return c.sendESBTDevName_W(name(31)); }, {}},
        {"visible",
         [](CWSConnect& c) { return c.sendESBTVisibility_W(true); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x02, 0x01}},
        {"reconnection 2",
         [](CWSConnect& c) { return c.setBluetoothReconnection(2); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x08, 0x02}},
        {"reconnection 3", [](CWSConnect& c) { return c.setBluetoothReconnection(3); }, {}},
        {"pin of 3", [](CWSConnect& c) { return c.sendESBTPinCode_W("123"); }, pin3},
        {"pin of 17", [&](CWSConnect& c) { return c.sendESBTPinCode_W(name(17)); }, {}},
        {"pin enable",
         [](CWSConnect& c) { return c.sendESBTPinCodeEE_W(true, true); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x03, 0x02}},
        {"bt enable",
         [](CWSConnect& c) { return c.sendESBTenable_W(true); },
         {0x1B, 0x69, 0x58, 0x32, 0x32, 0x03, 0x00, 0x00, 0x03, 0x01}},
        {"wfd enable 7",
         [](CWSConnect& c) { return c.sendESWFDenable_W(7); },
         {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x00, 0x00}},
        {"wfd enable 2",
         [](CWSConnect& c) { return c.sendESWFDenable_W(2); },
         {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x00, 0x02}},
        {"wfd auto",
         [](CWSConnect& c) { return c.sendESWFDAutoGeneration_W(true); },
         {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x05, 0x01}},
        {"ssid 32", [&](CWSConnect& c) { return c.sendESWFDStaticSSID_W(std::string(32, 's')); },
         ssid32},
        {"ssid 33", [&](CWSConnect& c) { return c.sendESWFDStaticSSID_W(name(33)); }, {}},
        {"key 64", [&](CWSConnect& c) { return c.sendESWFDStaticKey_W(std::string(64, 'k')); },
         key64},
        {"key 65", [&](CWSConnect& c) { return c.sendESWFDStaticKey_W(name(65)); }, {}},
        {"jpeg half 2", [](CWSConnect& c) { return c.setJPEGHalf(2); }, {}},
        {"jpeg scale 2", [](CWSConnect& c) { return c.setJPEGScale(2); }, {}},
        {"jpeg scale 1",
         [](CWSConnect& c) { return c.setJPEGScale(1); },
         {0x1B, 0x7E, 0x65, 0x61, 0x01, 0x01}},
        {"speed 5",
         [](CWSConnect& c) { return c.setSpeed(5); },
         {0x1B, 0x69, 0x58, 0x75, 0x32, 0x03, 0x00, 0x00, 0x00, 0x05}},
        {"speed 7", [](CWSConnect& c) { return c.setSpeed(7); }, {}},
        {"density -5",
         [](CWSConnect& c) { return c.setDensity(-5); },
         {0x1B, 0x69, 0x58, 0x65, 0x32, 0x01, 0x00, 0x7B}},
        {"density +5",
         [](CWSConnect& c) { return c.setDensity(5); },
         {0x1B, 0x69, 0x58, 0x65, 0x32, 0x01, 0x00, 0x85}},
        {"density -6", [](CWSConnect& c) { return c.setDensity(-6); }, {}},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        CWSConnect& c = connect('7');
        c.escSetData = {0xAA};  // earlier queued bytes stay
        const bool ok = k.write(c);
        EXPECT_EQ(ok, !k.queued.empty()) << k.what;
        Bytes expected = {0xAA};
        expected.insert(expected.end(), k.queued.begin(), k.queued.end());
        EXPECT_EQ(c.escSetData, expected) << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, ok ? 1 : 39) << k.what;
    }
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(DeviceSettingCommandsTest, FcPrintSettings) {
    struct Case {
        const char* what;
        std::function<bool(CWSConnect&)> write;
        Bytes queued;
    };
    const Case cases[] = {
        {"density 10",
         [](CWSConnect& c) { return c.setDensity(10); },
         {0x1B, 0x7E, 0x64, 0xFF, 0x00}},
        {"density 9",
         [](CWSConnect& c) { return c.setDensity(9); },
         {0x1B, 0x7E, 0x64, 0xD8, 0x00}},
        {"density 11", [](CWSConnect& c) { return c.setDensity(11); }, {}},
        {"density -1", [](CWSConnect& c) { return c.setDensity(-1); }, {}},
        {"speed 4",
         [](CWSConnect& c) { return c.setSpeed(4); },
         {0x1B, 0x7E, 0x65, 0x56, 0x01, 0x04}},
        {"speed 5", [](CWSConnect& c) { return c.setSpeed(5); }, {}},
        {"jpeg half 1",
         [](CWSConnect& c) { return c.setJPEGHalf(1); },
         {0x1B, 0x7E, 0x65, 0x4A, 0x01, 0x01}},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        CWSConnect& c = connect('6');
        EXPECT_EQ(k.write(c), !k.queued.empty()) << k.what;
        EXPECT_EQ(c.escSetData, k.queued) << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, k.queued.empty() ? 39 : 1) << k.what;
    }
}

TEST_F(DeviceSettingCommandsTest, DensityReads) {
    const Bytes fcBlock = {0x1B, 0x7E, 0x65, 0x55, 0x00};
    const Bytes otherRead = {0x1B, 0x69, 0x58, 0x65, 0x31, 0x01, 0x00};
    struct Case {
        uint8_t series;
        unsigned char raw;
        int density;  // 99: refused with 39
    };
    const Case cases[] = {
        {'4', 0x80, 0}, {'4', 0x7B, -5}, {'4', 0x85, 5},  {'4', 0x7A, 99}, {'4', 0x86, 99},
        {'6', 0x00, 0}, {'6', 0xD8, 9},  {'6', 0xF0, 10}, {'6', 0xFF, 10}, {'6', 0x19, 99},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        SettingsPrinter p;
        Bytes block(36, 0);
        block[4] = k.raw;
        p.onExchange(fcBlock, {Reply(block)});
        p.onExchange(otherRead, {Reply(Bytes{0, 0, k.raw})});
        TestCWSConnect c(PORT_USB, &p, HU_3650WB);
        c.editSpec().seriesCode = k.series;
        signed char density = 42;
        const bool ok = c.getDensity(density);
        EXPECT_EQ(ok, k.density != 99) << int(k.raw);
        EXPECT_EQ(PrinterStatus::error_code_, ok ? 1 : 39) << int(k.raw);
        if (ok) {
            EXPECT_EQ(density, k.density) << int(k.raw);
        }
        ASSERT_EQ(p.calls(Slot::SendDataReceiveData).size(), 1u);
        EXPECT_EQ(p.calls(Slot::SendDataReceiveData)[0].bytes,
                  k.series == '6' ? fcBlock : otherRead);
        EXPECT_EQ(p.calls(Slot::SendDataReceiveData)[0].length, k.series == '6' ? 36 : 3);
    }
}

TEST_F(DeviceSettingCommandsTest, ReadsAndTheirReplies) {
    CWSConnect& c = connect('7');
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x08},
                       {Reply(Bytes{0}), Reply(Bytes{2})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x00},
                       {Reply(Bytes{0, 0, 3})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x05},
                       {Reply(Bytes{0, 0, 1})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x75, 0x31, 0x03, 0x00, 0x00, 0x00, 0x00},
                       {Reply(Bytes{0, 0, 4})});
    signed char reconnection = 0;
    EXPECT_FALSE(c.getBluetoothReconnection(reconnection));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    PrinterStatus::error_code_ = 1;
    ASSERT_TRUE(c.getBluetoothReconnection(reconnection));
    EXPECT_EQ(reconnection, 2);
    int enable = -1;
    ASSERT_TRUE(c.sendESWFDenable_R(enable));
    EXPECT_EQ(enable, 0);
    bool autoKey = false;
    ASSERT_TRUE(c.sendESWFDAutoGeneration_R(autoKey));
    EXPECT_TRUE(autoKey);
    unsigned char speed = 0;
    ASSERT_TRUE(c.getSpeed(speed));
    EXPECT_EQ(speed, 4);
    EXPECT_EQ(PrinterStatus::error_code_, 1);

    // A failed exchange: 6; no observer: 39.
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x02}, {Reply::failure()});
    std::string visibility = "kept";
    EXPECT_FALSE(c.sendESBTVisibility_R(visibility));
    EXPECT_EQ(visibility, "kept");
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    CWSConnect none(PORT_USB, nullptr, HU_3650WB);
    EXPECT_FALSE(none.sendESBTVisibility_R(visibility));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_FALSE(none.sendESBTDevName_R(visibility));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

// The reads that the get call does not use: PIN, PIN enable, Bluetooth enable and the
// Wi-Fi Direct connection method.
TEST_F(DeviceSettingCommandsTest, ReadsOutsideTheGetCall) {
    CWSConnect& c = connect('7');
    Bytes pin = {'1', '2', '3', '4'};
    pin.resize(16, 0x00);
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x00}, {Reply(pin)});
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x03},
                       {Reply(Bytes{2}), Reply(Bytes{0})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x32, 0x31, 0x02, 0x00, 0x00, 0x03},
                       {Reply(Bytes{0, 0, 1})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x04},
                       {Reply(Bytes{0, 0, 3})});
    std::string text;
    ASSERT_TRUE(c.sendESBTPinCode_R(text));
    EXPECT_EQ(text, "1234");
    bool enabled = false;
    bool second = false;
    ASSERT_TRUE(c.sendESBTPinCodeEE_R(enabled, second));
    EXPECT_TRUE(enabled && second);
    ASSERT_TRUE(c.sendESBTPinCodeEE_R(enabled, second));
    EXPECT_FALSE(enabled || second);
    ASSERT_TRUE(c.sendESBTenable_R(text));
    EXPECT_EQ(text, "1");
    int method = -1;
    ASSERT_TRUE(c.sendESWFDConnectMethod_R(method));
    EXPECT_EQ(method, 0);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(exchanges().size(), 5u);
}

TEST_F(DeviceSettingCommandsTest, WirelessOnBootPerSeries) {
    printer.onExchange({0x1B, 0x69, 0x58, 0x4B, 0x31}, {Reply(Bytes{0, 0, 2})});
    unsigned char value = 0;
    ASSERT_TRUE(connect('7').getWirelessOnBoot(value));
    EXPECT_EQ(value, 2);
    ASSERT_TRUE(connect('4').getWirelessOnBoot(value));
    const auto sent = exchanges();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], (Bytes{0x1B, 0x69, 0x58, 0x4B, 0x31, 0x01, 0x00}));
    EXPECT_EQ(sent[1], (Bytes{0x1B, 0x69, 0x58, 0x4B, 0x31, 0x00, 0x00}));

    CWSConnect& hu = connect('7');
    ASSERT_TRUE(hu.setWirelessOnBoot(1));
    EXPECT_EQ(hu.escSetData, (Bytes{0x1B, 0x69, 0x58, 0x4B, 0x32, 0x01, 0x00, 0x01}));
    CWSConnect& vz = connect('4');
    ASSERT_TRUE(vz.setWirelessOnBoot(2));
    EXPECT_EQ(vz.escSetData, (Bytes{0x1B, 0x69, 0x58, 0x4B, 0x32, 0x00, 0x00, 0x02}));

    // On the network port: the SNMP object, its low byte.
    printer.onOid("1.3.6.1.4.1.7741.3.3.9.1.1.4.0", {Reply::text("258")});
    ASSERT_TRUE(connect('7', PORT_NET).getWirelessOnBoot(value));
    EXPECT_EQ(value, 2);
}

TEST_F(DeviceSettingCommandsTest, BluetoothBootModeForm) {
    struct Case {
        uint8_t series;
        uint32_t port1Word;
        Bytes queued;
    };
    const Case cases[] = {
        {'7', 0x0200, {0x1B, 0x69, 0x58, 0x4B, 0x32, 0x01, 0x00, 0x01}},
        {'7', 0x2200, {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x06, 0x01}},
        {'6', 0x0000, {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x06, 0x01}},
        {'4', 0x6270, {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x06, 0x01}},
    };
    for (const Case& k : cases) {
        TestCWSConnect& c = connect(k.series, PORT_BLUETOOTH);
        c.editSpec().bluetoothSettings = {{PORT_USB, k.port1Word}, {PORT_BLUETOOTH, 0x0200}};
        ASSERT_TRUE(c.sendESBTOnBoot_W(1));
        EXPECT_EQ(c.escSetData, k.queued) << k.port1Word;
    }
}

}  // namespace
