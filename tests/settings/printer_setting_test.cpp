#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "connection/printer_status.h"
#include "settings/printer_setting.h"
#include "settings_printer.h"
#include "support/printer_status_fixture.h"

using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using Record = SimulatedPrinter::Record;

namespace {

const Bytes kRasterMode = {0x1B, 0x69, 0x61, 0x01};
const Bytes kDefaultMode = {0x1B, 0x69, 0x61, 0xFF};
const Bytes kStatusRequest = {0x1B, 0x69, 0x53};

class PrinterSettingTest : public PrinterStatusTest {
  protected:
    // A settings object for a model on a port, with a printer that reports a clean status.
    TestPrinterSetting& setting(Model model, Port onPort = PORT_USB) {
        printer.answerStatus(model);
        s_.reset(new TestPrinterSetting(onPort, &printer, model));
        return *s_;
    }
    // The PJL lines of the last commit.
    std::string committedPjl() const {
        const auto sent = printer.sentData();
        return sent.empty() ? "" : textOf(sent.back());
    }

    SettingsPrinter printer;
    std::unique_ptr<TestPrinterSetting> s_;
};

// ---- item accessors

TEST_F(PrinterSettingTest, ItemTableIsComplete) {
    TestPrinterSetting& s = setting(HU_3650WB);
    EXPECT_EQ(s.itemIdMap.size(), 30u);
    EXPECT_EQ(s.itemIdMap[DCID_WLanSSID], "458877");
    EXPECT_EQ(s.itemIdMap[DCID_NodeName], "458961.2");
    EXPECT_EQ(s.itemIdMap[DCID_StaticIPv6Address], "458989.2.1");
    EXPECT_EQ(s.itemIdMap[DCID_SecondDnsIPv6Address], "458992.2");
    EXPECT_FALSE(s.setIntData(static_cast<_DeviceConfigID>(13), "1"));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST_F(PrinterSettingTest, AddressWrites) {
    TestPrinterSetting& s = setting(HU_3650WB);
    ASSERT_TRUE(s.setBinaryData(DCID_IPv4Address, "192.168.1.20"));
    EXPECT_EQ(queuedPjl(s.transport()), pjlLine("458967.2", "c0-a8-01-14"));
    s.transport().clearsetData();
    ASSERT_TRUE(s.setBinaryData(DCID_StaticIPv6Address, "fe80:0000:0000:0000:0000:0000:0000:0001"));
    EXPECT_EQ(queuedPjl(s.transport()), pjlLine("458989.2.1", "fe-80-00-00-00-00-00-00=") +
                                            pjlLine("458989.2.1", "=-00-00-00-00-00-00-00-01"));
    s.transport().clearsetData();
    for (const char* bad : {"fe80::1", "192.168.1", "192.168.1.256"}) {
        PrinterStatus::error_code_ = 1;
        EXPECT_FALSE(s.setBinaryData(std::string(bad).find(':') != std::string::npos
                                         ? DCID_StaticIPv6Address
                                         : DCID_IPv4Address,
                                     bad))
            << bad;
        EXPECT_EQ(PrinterStatus::error_code_, 39) << bad;
        EXPECT_EQ(s.transport().pjlSetDataLength, 0) << bad;
    }
}

TEST_F(PrinterSettingTest, TextToCommandAccessors) {
    struct Case {
        const char* what;
        std::function<bool(PrinterSetting&)> write;
        Bytes queued;  // empty: refused with 39
    };
    const Case cases[] = {
        {"speed 6",
         [](PrinterSetting& s) { return s.setSpeed("6"); },
         {0x1B, 0x69, 0x58, 0x75, 0x32, 0x03, 0x00, 0x00, 0x00, 0x06}},
        {"speed 7", [](PrinterSetting& s) { return s.setSpeed("7"); }, {}},
        // A number beyond the range is refused whole, not cut to its low byte (262 = 0x106).
        {"speed 262", [](PrinterSetting& s) { return s.setSpeed("262"); }, {}},
        {"speed 263", [](PrinterSetting& s) { return s.setSpeed("263"); }, {}},
        {"speed -1", [](PrinterSetting& s) { return s.setSpeed("-1"); }, {}},
        // A text that is not wholly a number is refused, never read as 0 or as its leading
        // digits; blanks around a number are allowed.
        {"speed abc", [](PrinterSetting& s) { return s.setSpeed("abc"); }, {}},
        {"speed 5x", [](PrinterSetting& s) { return s.setSpeed("5x"); }, {}},
        {"speed blanks",
         [](PrinterSetting& s) { return s.setSpeed(" 5 "); },
         {0x1B, 0x69, 0x58, 0x75, 0x32, 0x03, 0x00, 0x00, 0x00, 0x05}},
        {"jpeg half x", [](PrinterSetting& s) { return s.setJPEGHalf("x"); }, {}},
        {"jpeg scale empty", [](PrinterSetting& s) { return s.setJPEGScale(""); }, {}},
        {"density -", [](PrinterSetting& s) { return s.setDensity("-"); }, {}},
        {"jpeg half 257", [](PrinterSetting& s) { return s.setJPEGHalf("257"); }, {}},
        {"density 257", [](PrinterSetting& s) { return s.setDensity("257"); }, {}},
        {"density -3",
         [](PrinterSetting& s) { return s.setDensity("-3"); },
         {0x1B, 0x69, 0x58, 0x65, 0x32, 0x01, 0x00, 0x7D}},
        {"reconnection 0",
         [](PrinterSetting& s) { return s.setBluetoothReconnection("0"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x08, 0x01}},
        {"reconnection 1",
         [](PrinterSetting& s) { return s.setBluetoothReconnection("1"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x08, 0x02}},
        {"reconnection 2", [](PrinterSetting& s) { return s.setBluetoothReconnection("2"); }, {}},
        {"wireless on boot 3", [](PrinterSetting& s) { return s.setWirelessOnBoot("3"); }, {}},
        {"wireless on boot 01", [](PrinterSetting& s) { return s.setWirelessOnBoot("01"); }, {}},
        {"bt boot mode 3", [](PrinterSetting& s) { return s.setBTOnBoot("3"); }, {}},
        {"wfd enable 3", [](PrinterSetting& s) { return s.setWFDenable("3"); }, {}},
        {"hidden",
         [](PrinterSetting& s) { return s.setBTVisibility("0"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x02, 0x00}},
        {"visible unless 0",
         [](PrinterSetting& s) { return s.setBTVisibility("yes"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x02, 0x01}},
        {"pin enable 0",
         [](PrinterSetting& s) { return s.setBTPinCodeEE("0"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x03, 0x00}},
        {"pin enable 1",
         [](PrinterSetting& s) { return s.setBTPinCodeEE("1"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x03, 0x01}},
        {"pin enable 2",
         [](PrinterSetting& s) { return s.setBTPinCodeEE("2"); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x03, 0x02}},
        {"pin enable 3", [](PrinterSetting& s) { return s.setBTPinCodeEE("3"); }, {}},
        {"pin",
         [](PrinterSetting& s) { return s.setBTPinCode(""); },
         {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x00, 0x00, 0, 0, 0, 0,
          0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0}},
        {"pin of 17", [](PrinterSetting& s) { return s.setBTPinCode(std::string(17, '1')); }, {}},
        {"wfd connect method 2",
         [](PrinterSetting& s) { return s.setWFDConnectMethod("2"); },
         {0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x04, 0x02}},
        {"wfd connect method 3", [](PrinterSetting& s) { return s.setWFDConnectMethod("3"); }, {}},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB);
        EXPECT_EQ(k.write(s), !k.queued.empty()) << k.what;
        EXPECT_EQ(s.transport().escSetData, k.queued) << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, k.queued.empty() ? 39 : 1) << k.what;
    }
}

TEST_F(PrinterSettingTest, ReadAccessorsCheckTheReply) {
    TestPrinterSetting& s = setting(HU_3650WB);
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x02},
                       {Reply(Bytes{1}), Reply(Bytes{2})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x75, 0x31}, {Reply(Bytes{0, 0, 7})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x65, 0x31}, {Reply(Bytes{0, 0, 0x7D})});
    std::string text;
    ASSERT_TRUE(s.getBTVisibility(text));
    EXPECT_EQ(text, "1");
    EXPECT_FALSE(s.getBTVisibility(text));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    EXPECT_EQ(text, "1");
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(s.getSpeed(text));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    PrinterStatus::error_code_ = 1;
    ASSERT_TRUE(s.getDensity(text));
    EXPECT_EQ(text, "-3");

    printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x04},
                       {Reply(Bytes{0, 0, 2})});
    ASSERT_TRUE(s.getWFDConnectMethod(text));
    EXPECT_EQ(text, "2");
    printer.queueRecord(Record(Bytes{3, 0, 'k', 'e', 'y'}));
    ASSERT_TRUE(s.getWFDStaticKey(text));
    EXPECT_EQ(text, "key");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

TEST_F(PrinterSettingTest, WepKeyTypeReadSetsTheHexFlag) {
    TestPrinterSetting& s = setting(HU_3650WB);
    printer.items["458888.1"] = "2";
    s.wepKeyIsHex = true;
    std::string text;
    ASSERT_TRUE(s.getIntData(DCID_WLanWepKeyType, text));
    EXPECT_EQ(text, "2");
    EXPECT_FALSE(s.wepKeyIsHex);
    printer.items["458888.1"] = "1";
    ASSERT_TRUE(s.getIntData(DCID_WLanWepKeyType, text));
    EXPECT_TRUE(s.wepKeyIsHex);
}

TEST_F(PrinterSettingTest, IPv6AddressList) {
    {
        TestPrinterSetting& s = setting(HU_3650WB);
        printer.items = {{"458983.2", "2"},
                         {"458985.2.1", "fe-80-00-00-00-00-00-00-00-00-00-00-00-00-00-01"},
                         {"458985.2.2", "20-01-0d-b8-00-00-00-00-00-00-00-00-00-00-00-02"}};
        std::string text;
        EXPECT_FALSE(s.getIPv6AddressList(text, 1));
        ASSERT_TRUE(s.getIPv6AddressList(text, 2));
        EXPECT_EQ(
            text,
            "fe80:0000:0000:0000:0000:0000:0000:0001,2001:0db8:0000:0000:0000:0000:0000:0002");
        printer.items["458983.2"] = "0";
        ASSERT_TRUE(s.getIPv6AddressList(text, 2));
        EXPECT_EQ(text, "");
        // A count no printer has: a malformed reply, not a billion reads.
        printer.items["458983.2"] = "2147483647";
        EXPECT_FALSE(s.getIPv6AddressList(text, 2));
        EXPECT_EQ(PrinterStatus::error_code_, 6);
    }
    {
        TestPrinterSetting& s = setting(HU_3650WB, PORT_NET);
        printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2", {Reply::text("2")});
        printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.1",
                      {Reply::text("0xfe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01")});
        printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.2", {Reply::text("no address")});
        std::string text;
        EXPECT_FALSE(s.getIPv6AddressList(text, 2));
        EXPECT_EQ(text, "fe80:0000:0000:0000:0000:0000:0000:0001,");
    }
}

// ---- get and set calls

TEST_F(PrinterSettingTest, GetFillsOnlyTheKeysOfGroupsThatRun) {
    // FC-650 on Bluetooth: a Bluetooth word, no network entry.
    TestPrinterSetting& s = setting(FC_650, PORT_BLUETOOTH);
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x02}, {Reply(Bytes{1})});
    const int keys[] = {BT_ISDISCOVERABLE, NET_COMMUNICATION_MODE};
    std::string values[] = {"stale", "stale"};
    EXPECT_TRUE(s.getPrinterSetting(keys, values, 2));
    EXPECT_EQ(values[0], "1");
    EXPECT_EQ(values[1], "");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    // After the status request (and the cancel sequence that the status check sends for a
    // printer without media): raster mode, the read, default mode.
    const auto sent = printer.sentData();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], (Bytes{0x1B, 0x69, 0x61, 0x00}));
    EXPECT_EQ(sent.back(), kDefaultMode);
    EXPECT_EQ(printer.calls(Slot::SendDataReceiveData).front().bytes, kStatusRequest);
}

TEST_F(PrinterSettingTest, GetReadsEveryGroup) {
    TestPrinterSetting& s = setting(HU_3650WB);
    printer.items = {
        {"458878", "2"},   {"458877", "4d-79-4e-65-74"}, {"458881", "16"},     {"459337", "3"},
        {"458970.2", "5"}, {"458967.2", "c0-a8-01-14"},  {"458961.2", "BRN1"}, {"459138.2", "1"},
        {"458949", "1"}};
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x06}, {Reply(Bytes{2})});
    printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x00},
                       {Reply(Bytes{0, 0, 1})});
    printer.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply([] {
                           Bytes r(32, 0);
                           r[30] = 3;
                           return r;
                       }())});
    printer.onExchange({0x1B, 0x69, 0x55, 0x41, 0x03}, {Reply(Bytes(32, 0))});
    printer.onExchange({0x1B, 0x69, 0x58, 0x65, 0x31}, {Reply(Bytes{0, 0, 0x82})});
    const int keys[] = {
        BT_BOOTMODE,   NET_COMMUNICATION_MODE, NET_SSID,        NET_AUTHENTICATION_METHOD,
        NET_INTERFACE, NET_IPV4_BOOTMETHOD,    NET_IPV4ADDRESS, NET_NODENAME,
        NET_USED_IPV6, PRINTER_POWEROFFTIME,   PRINT_DENSITY,   99};
    const int n = sizeof keys / sizeof keys[0];
    std::vector<std::string> values(n);
    EXPECT_TRUE(s.getPrinterSetting(keys, values.data(), n));
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    const std::vector<std::string> expected = {"2",    "2", "MyNet", "10", "3", "5", "192.168.1.20",
                                               "BRN1", "1", "30",    "2",  ""};
    EXPECT_EQ(values, expected);
    EXPECT_EQ(printer.sentData().back(), kDefaultMode);
}

TEST_F(PrinterSettingTest, GetAuthenticationPairs) {
    struct Case {
        std::string a, b;
        std::string value;  // empty: 39
    };
    const Case cases[] = {
        {"1", "9", "0"},   {"7", "0", "3"}, {"13", "4", "5"}, {"16", "3", "10"},
        {"17", "1", "13"}, {"13", "2", ""}, {"99", "0", ""},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB);
        printer.items = {{"458881", k.a}, {"459337", k.b}};
        const int keys[] = {NET_AUTHENTICATION_METHOD};
        std::string value;
        s.getPrinterSetting(keys, &value, 1);
        EXPECT_EQ(value, k.value) << k.a << "/" << k.b;
        EXPECT_EQ(PrinterStatus::error_code_, k.value.empty() ? 39 : 1) << k.a << "/" << k.b;
    }
}

TEST_F(PrinterSettingTest, GetKeyFiveKeepsTheErrorOfAFailedRead) {
    TestPrinterSetting& s = setting(HU_3650WB);
    // No PJL reply queued for the item: the receive fails.
    printer.queueRecord(Record::withCount({}, -1));
    const int keys[] = {NET_IPV4_BOOTMETHOD};
    std::string value;
    EXPECT_FALSE(s.getPrinterSetting(keys, &value, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 6);

    TestPrinterSetting& t = setting(HU_3650WB);
    printer.items = {{"458970.2", "4"}};
    EXPECT_FALSE(t.getPrinterSetting(keys, &value, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(value, "");
}

TEST_F(PrinterSettingTest, GetOnTheNetworkPortUsesPort4WordsAndSnmp) {
    TestPrinterSetting& s = setting(HU_3650WB, PORT_NET);
    printer.onOid("1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0", {Reply::text("2")});
    printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.1.2", {Reply::text("0xc0a80114")});
    printer.onOid("1.3.6.1.4.1.7741.3.3.9.1.1.3.0", {Reply::text("21")});
    // Port 4's net word 0x63 has no bit for key 1; the print map has no port-4 entry.
    const int keys[] = {NET_WIRELESS_ONBOOT, NET_COMMUNICATION_MODE, NET_IPV4ADDRESS,
                        PRINTER_POWEROFFTIME, PRINT_DENSITY};
    std::string values[5];
    EXPECT_TRUE(s.getPrinterSetting(keys, values, 5));
    EXPECT_EQ(values[0], "");
    EXPECT_EQ(values[1], "2");
    EXPECT_EQ(values[2], "0xc0a80114");
    EXPECT_EQ(values[3], "15");
    EXPECT_EQ(values[4], "");
}

TEST_F(PrinterSettingTest, GetStopsOnAFailedStatusOrSupport) {
    {
        TestPrinterSetting& s = setting(GY_310);  // no printer settings
        const int keys[] = {BT_DEVICENAME};
        std::string value;
        EXPECT_FALSE(s.getPrinterSetting(keys, &value, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 38);
        EXPECT_TRUE(printer.calls().empty());
    }
    {
        SettingsPrinter p;
        p.onExchange(kStatusRequest, {Reply::failure()});
        PrinterSetting s(PORT_USB, &p, HU_3650WB);
        const int keys[] = {BT_DEVICENAME};
        std::string value = "stale";
        EXPECT_FALSE(s.getPrinterSetting(keys, &value, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_TRUE(p.sentData().empty());
    }
}

TEST_F(PrinterSettingTest, GetEndsAfterAFailedBluetoothGroup) {
    TestPrinterSetting& s = setting(HU_3650WB);
    // Reconnection reply 0: error 39 ends the call after the Bluetooth group.
    printer.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x08}, {Reply(Bytes{0})});
    printer.items = {{"458878", "2"}};
    const int keys[] = {BT_RECONNECTION, NET_COMMUNICATION_MODE};
    std::string values[2];
    EXPECT_FALSE(s.getPrinterSetting(keys, values, 2));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(values[1], "");
    EXPECT_TRUE(printer.calls(Slot::ReceiveData).empty());
    // The cancel sequence, then the default mode.
    const auto sent = printer.sentData();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[sent.size() - 2].size(), 350u + 3);
    EXPECT_EQ(sent.back(), kDefaultMode);
}

TEST_F(PrinterSettingTest, CancelDuringAGetKeepsTheReadsMade) {
    TestPrinterSetting& s = setting(HU_3650WB);
    printer.items = {{"458878", "2"}, {"458879", "11"}};
    // The cancel arrives during the first item read.
    printer.onSlotCall(Slot::ReceiveData, 1, [&] { s.cancel(); });
    const int keys[] = {NET_COMMUNICATION_MODE, NET_CHANNEL};
    std::string values[2];
    EXPECT_FALSE(s.getPrinterSetting(keys, values, 2));
    EXPECT_EQ(values[0], "2");
    EXPECT_EQ(values[1], "");
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.sentData().back(), kDefaultMode);
}

TEST_F(PrinterSettingTest, GetWithoutAGroupForThePortFailsAsNotSupported) {
    // Settings on the port, but no capability word: no group runs, nothing explains the
    // failure, and a failure never leaves code 1.
    TestPrinterSetting& s = setting(HU_3650WB);
    s.editSpecs([](PrinterSpec& spec) {
        for (auto* words : {&spec.netSettings, &spec.bluetoothSettings, &spec.powerSettings,
                            &spec.printSettings}) {
            words->erase(PORT_USB);
        }
    });
    const int keys[] = {NET_COMMUNICATION_MODE};
    std::string value;
    EXPECT_FALSE(s.getPrinterSetting(keys, &value, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 38);
    EXPECT_EQ(printer.sentData().back(), kDefaultMode);
}

TEST_F(PrinterSettingTest, SetCommitsOnceWithReset) {
    TestPrinterSetting& s = setting(HU_3650WB);
    const int keys[] = {NET_SSID, PRINTER_RESET};
    const std::string values[] = {"MyNet", ""};
    ASSERT_TRUE(s.setPrinterSetting(keys, values, 2));
    const auto sent = printer.sentData();
    ASSERT_EQ(sent.size(), 1u);  // the status went by exchange; one transmission
    const std::string commit = textOf(sent[0]);
    EXPECT_NE(commit.find(pjlLine("458877", "4d-79-4e-65-74")), std::string::npos);
    EXPECT_EQ(Bytes(sent[0].end() - 4, sent[0].end()), (Bytes{0x1B, 0x69, 0x55, 0x78}));
}

TEST_F(PrinterSettingTest, SetQueuesEveryKindOfKey) {
    TestPrinterSetting& s = setting(HU_3650WB);
    const int keys[] = {NET_AUTHENTICATION_METHOD,
                        NET_WEPKEY,
                        NET_INTERFACE,
                        NET_IPV4ADDRESS,
                        NET_STATIC_IPV6ADDRESS,
                        WIRELESSDIRECT_SSID,
                        BT_DEVICENAME,
                        PRINTER_POWEROFFTIME,
                        PRINT_SPEED,
                        NET_PASSWORD};
    const std::string values[] = {"5",      "0123456789", "3",  "10.0.0.1", "fe80:0:0:0:0:0:0:1",
                                  "direct", "name",       "25", "",         "pw"};
    ASSERT_TRUE(s.setPrinterSetting(keys, values, 10));
    const std::string commit = committedPjl();
    // Group by group (access point, Wi-Fi, IPv6), each in key order.
    const std::string pjl =
        pjlLine("458881", "13") + pjlLine("459337", "4") + pjlLine("458885", "1") +
        pjlLine("458887.1", "1") + pjlLine("458888.1", "1") +
        pjlLine("458889.1", "01-23-45-67-89") + pjlLine("458884", "pw") + pjlLine("459138.2", "1") +
        pjlLine("458967.2", "0a-00-00-01") + pjlLine("458989.2.1", "fe-80-00-00-00-00-00-00=") +
        pjlLine("458989.2.1", "=-00-00-00-00-00-00-00-01");
    EXPECT_NE(commit.find(pjl), std::string::npos);
    // ESC bytes in key order: Bluetooth name, Wi-Fi Direct enable and SSID, power-off.
    const Bytes b = printer.sentData().back();
    const Bytes name = {0x1B, 0x69, 0x58, 0x42, 0x32, 0x01, 0x00, 0x01, 4, 'n', 'a', 'm', 'e'};
    EXPECT_EQ(Bytes(b.begin() + 20, b.begin() + 33), name);
    EXPECT_EQ(Bytes(b.begin() + 33, b.begin() + 43),
              (Bytes{0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x00, 0x01}));
    // HU3400a power-off (word 0x31): 25 minutes as two tens.
    const Bytes power = {0x1B, 0x69, 0x55, 0x41, 0x00, 0x02, 0x1B, 0x69, 0x55, 0x41, 0x02, 0x00};
    EXPECT_NE(std::search(b.begin(), b.end(), power.begin(), power.end()), b.end());
    // Speed was empty: no speed command.
    const Bytes speed = {0x1B, 0x69, 0x58, 0x75};
    EXPECT_EQ(std::search(b.begin(), b.end(), speed.begin(), speed.end()), b.end());
}

TEST_F(PrinterSettingTest, SetRefusesBadValuesAndSendsNothing) {
    struct Case {
        int key;
        std::string value;
    };
    const Case cases[] = {
        {NET_PASSPHRASE, "1234567"},
        {NET_PASSPHRASE, std::string(64, 'p')},
        {NET_SSID, std::string(33, 's')},
        {NET_USER_ID, std::string(65, 'u')},
        {NET_PASSWORD, std::string(33, 'p')},
        {NET_NODENAME, std::string(33, 'n')},
        {WIRELESSDIRECT_SSID, std::string(26, 's')},
        {WIRELESSDIRECT_KEY, std::string(64, 'k')},
        {NET_IPV4_BOOTMETHOD, "4"},
        {NET_WEPKEY, "123456"},
        {NET_WEPKEY, "01234\"6789"},        // a hex key of other characters
        {NET_AUTHENTICATION_METHOD, "14"},  // no pair stands for it
        {NET_IPV4ADDRESS, "1.2.3"},
        {PRINT_SPEED, "262"},
        {BT_DEVICENAME, std::string(31, 'n')},
        {PRINTER_POWEROFFTIME, "721"},
        // Texts that go into a PJL line as they are: a quote, a byte below 0x20 or 0x7F
        // could end the value, the line or the PJL job (ESC %-12345X) and run the rest as
        // commands.
        {NET_USER_ID, "x\x1B%-12345X\x1BiUx"},
        {NET_PASSWORD, "pass\tword"},
        {NET_NODENAME, "node\"name"},
        {NET_IPV4ADDRESS, "10.0.0.1\r"},
        // Texts written as hexadecimal digits: a zero byte would end the text early.
        {NET_SSID, std::string("My\0Net", 6)},
        {NET_PASSPHRASE, std::string("pass\0phrase", 11)},
        {NET_WEPKEY, std::string("ab\0cd", 5)},  // a text WEP key of five characters
        // Numeric keys take only a text that is wholly a number.
        {NET_COMMUNICATION_MODE, "abc"},
        {NET_COMMUNICATION_MODE, "5x"},
        {NET_USED_IPV6, "-"},
        {PRINT_SPEED, "abc"},
        {PRINTER_POWEROFFTIME, "abc"},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB);
        const int keys[] = {NET_CHANNEL, k.key, PRINTER_RESET};
        const std::string values[] = {"6", k.value, "1"};
        EXPECT_FALSE(s.setPrinterSetting(keys, values, 3)) << k.key << " " << k.value;
        EXPECT_EQ(PrinterStatus::error_code_, 39) << k.key << " " << k.value;
        EXPECT_TRUE(printer.sentData().empty()) << k.key << " " << k.value;
    }
}

// The node name goes into its line as it is; the network name, the passphrase and a text
// WEP key go as two hexadecimal digits a byte, so that quotes and control bytes stay inside
// the value.
TEST_F(PrinterSettingTest, SetWritesTheTextsItTakes) {
    struct Case {
        int key;
        std::string value;
        std::string lines;
    };
    // The items written before the key of a text WEP key: index 1, size, type 2 (text).
    const auto wepText = [](const char* size, const std::string& hex) {
        return pjlLine("458885", "1") + pjlLine("458887.1", size) + pjlLine("458888.1", "2") +
               pjlLine("458889.1", hex);
    };
    const Case cases[] = {
        {NET_NODENAME, "B\xC3\xBCro", pjlLine("458961.2", "B\xC3\xBCro")},
        {NET_SSID, "\xC3\xA9", pjlLine("458877", "c3-a9")},
        {NET_CHANNEL, " 11 ", pjlLine("458879", "11")},
        {NET_SSID, "Cafe \"Bar\"", pjlLine("458877", "43-61-66-65-20-22-42-61-72-22")},
        {NET_SSID, "Caf\xC3\xA9\tNet", pjlLine("458877", "43-61-66-c3-a9- 9-4e-65-74")},
        {NET_SSID, "My\x7FNet", pjlLine("458877", "4d-79-7f-4e-65-74")},
        {NET_PASSPHRASE, "my\"secret\"pass",
         pjlLine("458890", "6d-79-22-73-65-63-72-65-74-22-70-61-73-73")},
        {NET_PASSPHRASE, "pass\nphrase", pjlLine("458890", "70-61-73-73- a-70-68-72-61-73-65")},
        {NET_WEPKEY, "ab\"cd", wepText("1", "61-62-22-63-64")},
        {NET_WEPKEY, "wep\"key\"13chr", wepText("2", "77-65-70-22-6b-65-79-22-31-33-63-68-72")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.value);
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB);
        const int keys[] = {k.key};
        ASSERT_TRUE(s.setPrinterSetting(keys, &k.value, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        EXPECT_NE(committedPjl().find(k.lines), std::string::npos) << committedPjl();
    }
}

// A read value that is not wholly a number is a failed exchange on both routes (PJL on USB,
// SNMP on the network port): error 6, the group stops there and the call fails.
TEST_F(PrinterSettingTest, NonNumbersFailTheGetOnBothRoutes) {
    const char kModeOid[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0";
    const char kChannelOid[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.5.0";
    for (const char* value : {"abc", "2x", "", "1.5", "0x10", "99999999999"}) {
        for (const Port port : {PORT_USB, PORT_NET}) {
            SCOPED_TRACE(testing::Message() << "'" << value << "' on port " << port);
            PrinterStatus::error_code_ = 1;
            TestPrinterSetting& s = setting(HU_3650WB, port);
            printer.items = {{"458878", value}, {"458879", "6"}};
            printer.onOid(kModeOid, {Reply::text(value)});
            printer.onOid(kChannelOid, {Reply::text("6")});
            const int keys[] = {NET_COMMUNICATION_MODE, NET_CHANNEL};
            std::string values[2];
            const size_t callsBefore = printer.calls().size();

            EXPECT_FALSE(s.getPrinterSetting(keys, values, 2));
            EXPECT_EQ(PrinterStatus::error_code_, 6);
            EXPECT_EQ(values[0], "");
            EXPECT_EQ(values[1], "");
            // The channel, the next key of the group, is never asked for.
            const auto calls = printer.calls();
            for (size_t i = callsBefore; i < calls.size(); ++i) {
                EXPECT_NE(calls[i].request, kChannelOid);
                EXPECT_EQ(textOf(calls[i].bytes).find("\"458879\""), std::string::npos);
            }
        }
    }
}

// On the network port a value that cannot be converted is a failed exchange: error 6, the
// group stops there and the call fails.
TEST_F(PrinterSettingTest, MalformedSnmpValuesFailTheGet) {
    const char kStaticIPv6[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.3.2.1";
    const char kUsedIPv6[] = "1.3.6.1.4.1.7741.2.4.3.7741.5.15.2.0";
    const char kMode[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0";
    const char kCount[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2";
    const char kEntry1[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.1";
    struct Case {
        const char* what;
        std::vector<int> keys;
        std::vector<std::pair<const char*, std::string>> replies;
        const char* unread;  // an object that must not be asked for
    };
    const Case cases[] = {
        {"address without 0x",
         {NET_STATIC_IPV6ADDRESS, NET_USED_IPV6, PRINT_SPEED},
         {{kStaticIPv6, "20:01:0d:b8"}, {kUsedIPv6, "1"}},
         kUsedIPv6},
        {"address of other pieces",
         {NET_STATIC_IPV6ADDRESS, NET_USED_IPV6},
         {{kStaticIPv6, "0xzz"}, {kUsedIPv6, "1"}},
         kUsedIPv6},
        {"address as the last key",
         {NET_USED_IPV6, NET_STATIC_IPV6ADDRESS},
         {{kStaticIPv6, "no address"}, {kUsedIPv6, "1"}},
         nullptr},
        {"integer not a number",
         {NET_COMMUNICATION_MODE, NET_USED_IPV6},
         {{kMode, "abc"}, {kUsedIPv6, "1"}},
         kUsedIPv6},
        {"integer with a tail", {NET_COMMUNICATION_MODE}, {{kMode, "2x"}}, nullptr},
        {"list entry",
         {NET_IPV6ADDRESS_LIST, NET_USED_IPV6},
         {{kCount, "2"}, {kEntry1, "not an address"}, {kUsedIPv6, "1"}},
         kUsedIPv6},
        {"list count", {NET_IPV6ADDRESS_LIST}, {{kCount, "two"}}, kEntry1},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB, PORT_NET);
        for (const auto& reply : k.replies) {
            printer.onOid(reply.first, {Reply::text(reply.second)});
        }
        std::vector<std::string> values(k.keys.size());
        const size_t callsBefore = printer.calls().size();
        EXPECT_FALSE(
            s.getPrinterSetting(k.keys.data(), values.data(), static_cast<int>(k.keys.size())))
            << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, 6) << k.what;
        if (k.unread != nullptr) {
            const auto calls = printer.calls();
            for (size_t i = callsBefore; i < calls.size(); ++i) {
                EXPECT_NE(calls[i].request, k.unread) << k.what;
            }
        }
    }
}

TEST_F(PrinterSettingTest, CancelDuringTheAddressList) {
    TestPrinterSetting& s = setting(HU_3650WB, PORT_NET);
    printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2", {Reply::text("3")});
    const std::string entry = "0xfe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01";
    for (const char* last : {"1", "2", "3"}) {
        printer.onOid(std::string("1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.") + last,
                      {Reply::text(entry)});
    }
    // The cancel arrives while the first entry is read: the second is never asked for.
    printer.onSlotCall(Slot::SendStringReceiveString, 2, [&] { s.cancel(); });
    std::string text;
    EXPECT_FALSE(s.getIPv6AddressList(text, 2));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.calls(Slot::SendStringReceiveString).size(), 2u);
}

TEST_F(PrinterSettingTest, SetGatesComeFromPort1OnTheNetworkPort) {
    // Port 4's net word (0x63) has no bit for key 1, port 1's (0x307f) has.
    TestPrinterSetting& s = setting(HU_3650WB, PORT_NET);
    const int keys[] = {NET_WIRELESS_ONBOOT};
    const std::string values[] = {"1"};
    ASSERT_TRUE(s.setPrinterSetting(keys, values, 1));
    const Bytes b = printer.sentData().back();
    EXPECT_EQ(Bytes(b.begin() + 20, b.begin() + 28),
              (Bytes{0x1B, 0x69, 0x58, 0x4B, 0x32, 0x01, 0x00, 0x01}));
}

TEST_F(PrinterSettingTest, SetWithUnknownKeysStillCommits) {
    TestPrinterSetting& s = setting(HU_3650WB);
    const int keys[] = {99, 0};
    const std::string values[] = {"1", "2"};
    ASSERT_TRUE(s.setPrinterSetting(keys, values, 2));
    const auto sent = printer.sentData();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].size(), 24u);  // raster mode, header, default mode
    EXPECT_EQ(Bytes(sent[0].begin(), sent[0].begin() + 4), kRasterMode);
}

TEST_F(PrinterSettingTest, SetStopsOnCancelAndUnsupportedPort) {
    {
        TestPrinterSetting& s = setting(HU_3650WB);
        const int keys[] = {NET_CHANNEL, NET_COMMUNICATION_MODE};
        const std::string values[] = {"6", "2"};
        // The cancel arrives during the status request.
        printer.onSlotCall(Slot::SendDataReceiveData, 1, [&] { s.cancel(); });
        EXPECT_FALSE(s.setPrinterSetting(keys, values, 2));
        EXPECT_EQ(PrinterStatus::error_code_, 37);
        // Only the cancel sequence went out, no commit.
        for (const Bytes& sent : printer.sentData()) {
            EXPECT_NE(Bytes(sent.begin(), sent.begin() + 4), kRasterMode);
        }
    }
    {
        TestPrinterSetting& s = setting(KX_C270W);  // no settings function
        const size_t before = printer.calls().size();
        const int keys[] = {NET_CHANNEL};
        const std::string values[] = {"6"};
        EXPECT_FALSE(s.setPrinterSetting(keys, values, 1));
        EXPECT_EQ(PrinterStatus::error_code_, 38);
        EXPECT_EQ(printer.calls().size(), before);
    }
}

TEST_F(PrinterSettingTest, InterfaceKeyReadAndWrite) {
    struct Case {
        uint32_t net;
        bool lan;
        int direct;
        std::string read;
    };
    const Case cases[] = {
        {0x307f, false, 0, "0"}, {0x307f, true, 0, "1"}, {0x307f, false, 2, "2"},
        {0x307f, true, 1, "3"},  {0x307f, true, 2, ""},  {0x306f, true, 0, "1"},
        {0x306f, false, 1, "2"},
    };
    for (const Case& k : cases) {
        TestPrinterSetting& s = setting(HU_3650WB);
        s.editSpecs([&](PrinterSpec& spec) { spec.netSettings[PORT_USB] = k.net; });
        printer.items = {{"459138.2", k.lan ? "1" : "0"}};
        printer.onExchange({0x1B, 0x69, 0x58, 0x2A, 0x31, 0x02, 0x00, 0x00, 0x00},
                           {Reply(Bytes{0, 0, static_cast<unsigned char>(k.direct)})});
        const int keys[] = {NET_INTERFACE};
        std::string value = "stale";
        EXPECT_TRUE(s.getPrinterSetting(keys, &value, 1));
        EXPECT_EQ(value, k.read) << k.net << " " << k.lan << " " << k.direct;
    }
    // A value outside the key's table is refused with 39 and nothing is sent.
    for (const auto& refused : {std::make_pair(0x307fu, "5"), std::make_pair(0x306fu, "0"),
                                std::make_pair(0x306fu, "3")}) {
        PrinterStatus::error_code_ = 1;
        TestPrinterSetting& s = setting(HU_3650WB);
        s.editSpecs([&](PrinterSpec& spec) { spec.netSettings[PORT_USB] = refused.first; });
        const int keys[] = {NET_CHANNEL, NET_INTERFACE};
        const std::string values[] = {"6", refused.second};
        const size_t sendsBefore = printer.sentData().size();
        EXPECT_FALSE(s.setPrinterSetting(keys, values, 2)) << refused.second;
        EXPECT_EQ(PrinterStatus::error_code_, 39) << refused.second;
        EXPECT_EQ(printer.sentData().size(), sendsBefore) << refused.second;
    }
    // Writes without bit 0x10: "2" is switch 0 and Wi-Fi Direct enable 1.
    TestPrinterSetting& s = setting(HU_3650WB);
    s.editSpecs([&](PrinterSpec& spec) { spec.netSettings[PORT_USB] = 0x306f; });
    const int keys[] = {NET_INTERFACE};
    const std::string values[] = {"2"};
    ASSERT_TRUE(s.setPrinterSetting(keys, values, 1));
    EXPECT_NE(committedPjl().find(pjlLine("459138.2", "0")), std::string::npos);
    const Bytes b = printer.sentData().back();
    EXPECT_EQ(Bytes(b.begin() + 20, b.begin() + 30),
              (Bytes{0x1B, 0x69, 0x58, 0x2A, 0x31, 0x03, 0x00, 0x01, 0x00, 0x01}));
}

}  // namespace
