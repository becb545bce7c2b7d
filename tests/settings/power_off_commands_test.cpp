#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "settings/cws_connect.h"
#include "settings/ps_power_setting.h"
#include "settings_printer.h"
#include "support/printer_status_fixture.h"

using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;

namespace {

const char kAcOid[] = "1.3.6.1.4.1.7741.3.3.9.1.1.3.0";
const char kBatteryOid[] = "1.3.6.1.4.1.7741.3.3.9.1.1.5.0";

class PowerOffCommandsTest : public PrinterStatusTest {
  protected:
    // A transport of the given series whose power word is `word` on every port.
    TestCWSConnect& connect(uint8_t series, uint32_t word, Port onPort = PORT_USB) {
        c_.reset(new TestCWSConnect(onPort, &printer, HU_3650WB));
        c_->editSpec().seriesCode = series;
        c_->editSpec().powerSettings = {{PORT_USB, word}, {PORT_BLUETOOTH, word}, {PORT_NET, word}};
        return *c_;
    }
    std::vector<Bytes> exchanges() const {
        std::vector<Bytes> out;
        for (const auto& call : printer.calls(Slot::SendDataReceiveData)) {
            out.push_back(call.bytes);
        }
        return out;
    }
    // A 32-byte ESC i U A reply.
    static Bytes reply(unsigned char value, unsigned char valid = 1) {
        Bytes r(32, 0);
        r[30] = value;
        r[31] = valid;
        return r;
    }

    SettingsPrinter printer;
    std::unique_ptr<TestCWSConnect> c_;
};

TEST_F(PowerOffCommandsTest, TypeWordsMatchTheirForms) {
    EXPECT_TRUE(isPowerOffTimeTypeEqualTo(0x23, POWER_OFF_TYPE_VZ3));
    EXPECT_TRUE(isPowerOffTimeTypeEqualTo(0x31, POWER_OFF_TYPE_HU3400a));
    EXPECT_TRUE(isPowerOffTimeTypeEqualTo(0x41, POWER_OFF_TYPE_VZ4600));
    EXPECT_TRUE(isPowerOffTimeTypeEqualTo(0x11, POWER_OFF_TYPE_HU1));
    for (PSPowerSetting type :
         {POWER_OFF_TYPE_HU1, POWER_OFF_TYPE_VZ3, POWER_OFF_TYPE_HU3400a, POWER_OFF_TYPE_VZ4600}) {
        EXPECT_FALSE(isPowerOffTimeTypeEqualTo(0x01, type));
        EXPECT_FALSE(isPowerOffTimeTypeEqualTo(0x03, type));
    }
    EXPECT_FALSE(isPowerOffTimeTypeEqualTo(0x22, POWER_OFF_TYPE_VZ3));  // no shared item bit
}

TEST_F(PowerOffCommandsTest, Writes) {
    struct Case {
        const char* what;
        uint8_t series;
        uint32_t word;
        bool ac;
        std::string minutes;
        Bytes queued;  // empty: refused with 39
    };
    const Bytes a = {0x1B, 0x69, 0x55, 0x41};
    auto cmd = [&](std::initializer_list<unsigned char> tail) {
        Bytes out = a;
        out.insert(out.end(), tail);
        return out;
    };
    auto two = [](Bytes x, const Bytes& y) {
        x.insert(x.end(), y.begin(), y.end());
        return x;
    };
    const Case cases[] = {
        {"HU1 5", '7', 0x11, true, "5", two(cmd({0x00, 0x00}), cmd({0x02, 0x05}))},
        {"HU1 25", '7', 0x11, true, "25", two(cmd({0x00, 0x02}), cmd({0x02, 0x00}))},
        {"HU1 61", '7', 0x11, true, "61", {}},
        {"HU3400a 720", '7', 0x31, true, "720", two(cmd({0x00, 0x48}), cmd({0x02, 0x00}))},
        {"HU3400a 721", '7', 0x31, true, "721", {}},
        {"SN HU3400a", '5', 0x31, true, "30", two(cmd({0x00, 0x03}), cmd({0x02, 0x00}))},
        {"VZ4600 720", '4', 0x41, true, "720",
         two(cmd({0x00, 0x00, 0x48}), cmd({0x02, 0x00, 0x00}))},
        {"VZ4600 721", '4', 0x41, true, "721", {}},
        {"VZ3 battery", '4', 0x23, false, "60",
         two(cmd({0x00, 0x01, 0x06}), cmd({0x02, 0x01, 0x00}))},
        {"VZ3 61", '4', 0x23, true, "61", {}},
        {"KX 2550", '0', 0x03, true, "2550", cmd({0x00, 0x00, 0xFF})},
        {"KX battery", '0', 0x03, false, "30", cmd({0x00, 0x01, 0x03})},
        {"KX 2551", '0', 0x03, true, "2551", {}},
        {"FC battery 120", '6', 0x03, false, "120", {0x1B, 0x7E, 0x74, 0x78, 0x01}},
        {"FC battery 121", '6', 0x03, false, "121", {}},
        {"FC battery -1", '6', 0x03, false, "-1", {}},
        {"FC AC 120", '6', 0x03, true, "120", {0x1B, 0x7E, 0x65, 0x74, 0x78, 0x01}},
        {"Other 59", '7', 0x01, true, "59", cmd({0x00, 0x05})},
        {"Other 61", '7', 0x01, true, "61", {}},
        // A text that is not wholly a number is refused, never read as 0 minutes (the
        // printer would turn itself off at once); blanks around a number are allowed.
        {"Other no number", '7', 0x01, true, "abc", {}},
        {"Other 5x", '7', 0x01, true, "5x", {}},
        {"Other empty", '7', 0x01, true, " ", {}},
        {"Other blanks", '7', 0x01, true, " 20 ", cmd({0x00, 0x02})},
        {"FC battery x", '6', 0x03, false, "x", {}},
        {"HU battery", '7', 0x31, false, "30", {0x1B, 0x7E, 0x74, 0x1E, 0x01}},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        CWSConnect& c = connect(k.series, k.word);
        const bool ok = k.ac ? c.setACAutoOffCommand(k.minutes) : c.setLiAutoOff(k.minutes);
        EXPECT_EQ(ok, !k.queued.empty()) << k.what;
        EXPECT_EQ(c.escSetData, k.queued) << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, ok ? 1 : 39) << k.what;
    }
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(PowerOffCommandsTest, MainsWriteFormComesFromPort1) {
    TestCWSConnect& c = connect('4', 0x01, PORT_NET);
    c.editSpec().powerSettings = {{PORT_USB, 0x23}, {PORT_NET, 0x01}};
    ASSERT_TRUE(c.setACAutoOffCommand("10"));
    EXPECT_EQ(c.escSetData.size(), 14u);  // the VZ3 form: two commands of 7 bytes
}

TEST_F(PowerOffCommandsTest, EscReads) {
    struct Case {
        const char* what;
        uint8_t series;
        uint32_t word;
        bool ac;
        std::string minutes;
        std::vector<Bytes> sent;
    };
    const Case cases[] = {
        {"Other", '7', 0x01, true, "30", {{0x1B, 0x69, 0x55, 0x41, 0x01}}},
        {"HU1",
         '7',
         0x11,
         true,
         "35",
         {{0x1B, 0x69, 0x55, 0x41, 0x01}, {0x1B, 0x69, 0x55, 0x41, 0x03}}},
        {"HU3400a",
         '5',
         0x31,
         true,
         "35",
         {{0x1B, 0x69, 0x55, 0x41, 0x01}, {0x1B, 0x69, 0x55, 0x41, 0x03}}},
        {"VZ3 AC",
         '4',
         0x23,
         true,
         "35",
         {{0x1B, 0x69, 0x55, 0x41, 0x01, 0x00}, {0x1B, 0x69, 0x55, 0x41, 0x03, 0x00}}},
        {"VZ3 battery",
         '4',
         0x23,
         false,
         "35",
         {{0x1B, 0x69, 0x55, 0x41, 0x01, 0x01}, {0x1B, 0x69, 0x55, 0x41, 0x03, 0x01}}},
        {"KX battery", '0', 0x03, false, "30", {{0x1B, 0x69, 0x55, 0x41, 0x01, 0x01}}},
        {"FC AC", '6', 0x03, true, "30", {{0x1B, 0x7E, 0x65, 0x55, 0x00}}},
        {"FC battery", '6', 0x03, false, "45", {{0x1B, 0x7E, 0x65, 0x55, 0x00}}},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        SettingsPrinter p;
        p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply(reply(3))});
        p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x03}, {Reply(reply(5))});
        if (k.series == '0') {
            p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01, 0x01}, {Reply(Bytes{3})});  // one byte
        }
        Bytes block(36, 0);
        block[12] = 30;
        block[13] = 45;
        p.onExchange({0x1B, 0x7E, 0x65, 0x55, 0x00}, {Reply(block)});
        TestCWSConnect c(PORT_USB, &p, HU_3650WB);
        c.editSpec().seriesCode = k.series;
        c.editSpec().powerSettings = {{PORT_USB, k.word}};
        std::string minutes;
        ASSERT_TRUE(k.ac ? c.getACAutoOff(minutes) : c.getLiAutoOff(minutes)) << k.what;
        EXPECT_EQ(minutes, k.minutes) << k.what;
        std::vector<Bytes> sent;
        for (const auto& call : p.calls(Slot::SendDataReceiveData)) {
            sent.push_back(call.bytes);
        }
        EXPECT_EQ(sent, k.sent) << k.what;
    }
}

TEST_F(PowerOffCommandsTest, VzReadChecks) {
    struct Case {
        const char* what;
        uint32_t word;
        Bytes first;
        Bytes second;
        int code;  // 1: success
        std::string minutes;
        size_t exchanges;
    };
    const Case cases[] = {
        {"invalid first reply", 0x23, reply(6, 0), reply(0), 12, "", 1},
        {"invalid second reply", 0x23, reply(6), reply(0, 2), 12, "", 2},
        {"65 minutes on VZ3", 0x23, reply(6), reply(5), 39, "", 2},
        {"60 minutes on VZ3", 0x23, reply(6), reply(0), 1, "60", 2},
        {"720 on VZ4600", 0x41, reply(72), reply(0), 1, "720", 2},
        {"721 on VZ4600", 0x41, reply(72), reply(1), 39, "", 2},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        SettingsPrinter p;
        p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply(k.first)});
        p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x03}, {Reply(k.second)});
        TestCWSConnect c(PORT_USB, &p, VZ_310W);
        c.editSpec().powerSettings = {{PORT_USB, k.word}};
        std::string minutes;
        EXPECT_EQ(c.getACAutoOff(minutes), k.code == 1) << k.what;
        EXPECT_EQ(PrinterStatus::error_code_, k.code) << k.what;
        EXPECT_EQ(minutes, k.minutes) << k.what;
        EXPECT_EQ(p.calls(Slot::SendDataReceiveData).size(), k.exchanges) << k.what;
    }
}

TEST_F(PowerOffCommandsTest, SnmpReadsOnTheNetworkPort) {
    struct Case {
        std::string code;
        std::string minutes;
        int error;
    };
    const Case cases[] = {
        {"0", "0", 1},    {"6", "60", 1},   {"7", "120", 1}, {"10", "720", 1}, {"11", "1", 1},
        {"19", "9", 1},   {"20", "90", 1},  {"21", "15", 1}, {"22", "25", 1},  {"23", "360", 1},
        {"24", "540", 1}, {"25", "180", 1}, {"26", "0", 39}, {"-1", "0", 39},
    };
    for (const Case& k : cases) {
        PrinterStatus::error_code_ = 1;
        printer.onOid(kAcOid, {Reply::text(k.code)});
        std::string minutes;
        // A code outside the table still reads successfully, as 0 with error 39.
        ASSERT_TRUE(connect('7', 0x31, PORT_NET).getACAutoOff(minutes)) << k.code;
        EXPECT_EQ(minutes, k.minutes) << k.code;
        EXPECT_EQ(PrinterStatus::error_code_, k.error) << k.code;
    }
}

TEST_F(PowerOffCommandsTest, KxOnTheNetworkPort) {
    printer.onOid(kBatteryOid, {Reply::text("8")});
    PrinterStatus::error_code_ = 1;
    CWSConnect& c = connect('0', 0x03, PORT_NET);
    std::string minutes = "kept";
    EXPECT_FALSE(c.getACAutoOff(minutes));
    EXPECT_EQ(minutes, "kept");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    ASSERT_TRUE(c.getLiAutoOff(minutes));
    EXPECT_EQ(minutes, "240");
    EXPECT_TRUE(printer.calls(Slot::SendDataReceiveData).empty());
}

TEST_F(PowerOffCommandsTest, ReadFailures) {
    printer.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply::failure()});
    std::string minutes;
    EXPECT_FALSE(connect('7', 0x11).getACAutoOff(minutes));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
    EXPECT_EQ(printer.calls(Slot::SendDataReceiveData).size(), 1u);  // no second query
    CWSConnect none(PORT_NET, nullptr, HU_3650WB);
    EXPECT_FALSE(none.getLiAutoOff(minutes));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

}  // namespace
