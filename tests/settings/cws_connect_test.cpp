#include <gtest/gtest.h>

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

class CWSConnectTest : public PrinterStatusTest {
  protected:
    SettingsPrinter printer;
};

TEST_F(CWSConnectTest, ConstructionClearsTheLastStatus) {
    PrinterStatus::error_code_ = 6;
    PrinterStatus::status_byte_[3] = 0x30;
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_EQ(PrinterStatus::status_byte_[3], 0);
}

TEST_F(CWSConnectTest, PjlQueryLayout) {
    const Bytes request = CWSConnect::createGetRequest("458877");
    EXPECT_EQ(request.size(), 79u);
    const Bytes head = {0x1B, 0x25, 0x2D, 0x31, 0x32, 0x33, 0x34, 0x35,
                        0x58, 0x40, 0x50, 0x4A, 0x4C, 0x0D, 0x0A};
    EXPECT_EQ(Bytes(request.begin(), request.begin() + 15), head);
    EXPECT_EQ(textOf(request),
              "\x1B%-12345X@PJL\r\n@PJL DEFAULT OBJTLNET=\"458877\"\r\n"
              "@PJL INQUIRE OBJTLNET\r\n\x1B%-12345X");
}

TEST_F(CWSConnectTest, PjlReadsParseTheEchoedItem) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    struct Case {
        std::string reply;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {pjlReply("458878", "11"), true, 11},
        {pjlReply("458878", " -3 "), true, -3},
        // A value that is not wholly a number: a malformed reply, the value kept.
        {pjlReply("458878", ""), false, -1},
        {pjlReply("458878", "abc"), false, -1},
        {pjlReply("458878", "11x"), false, -1},
        {pjlReply("458878", "2147483648"), false, -1},
        {"@PJL USTATUS\r\n" + pjlReply("458878", "7") + "trailing", true, 7},
        {pjlReply("458879", "11"), false, -1},                      // another item
        {pjlReply("4588781", "11"), false, -1},                     // longer id
        {"@PJL INQUIRE OBJTLNET\r\n\"458878:11", false, -1},        // no closing quote
        {"@PJL INQUIRE OBJTLNET\r\n\"458878=11\"\r\n", false, -1},  // no colon
        {"\"458878:11\"\r\n", false, -1},                           // no INQUIRE line
        {std::string("@PJL INQUIRE OBJTLNET\r\n\0\"458878:11\"", 36), false, -1},
    };
    for (const Case& c2 : cases) {
        PrinterStatus::error_code_ = 1;
        printer.queueRecord(Record(bytesOf(c2.reply)));
        int value = -1;
        EXPECT_EQ(c.sendGetIntData("458878", &value), c2.ok) << c2.reply;
        EXPECT_EQ(value, c2.value) << c2.reply;
        EXPECT_EQ(PrinterStatus::error_code_, c2.ok ? 1 : 6) << c2.reply;
    }
    // Every read sent its 79-byte request and received into 4000 bytes.
    for (const auto& call : printer.calls(Slot::ReceiveData)) {
        EXPECT_EQ(call.length, 4000);
        EXPECT_FALSE(call.flag);
    }
}

TEST_F(CWSConnectTest, PjlReplyFillingTheWholeBufferIsReadWithinIt) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    // 4000 bytes without a zero and without a closing quote, and a count above the buffer.
    std::string reply = "@PJL INQUIRE OBJTLNET\r\n\"458878:";
    reply.resize(4000, '1');
    printer.queueRecord(Record::withCount(bytesOf(reply), 5000));
    int value = -1;
    EXPECT_FALSE(c.sendGetIntData("458878", &value));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
}

TEST_F(CWSConnectTest, PjlReadFailures) {
    {
        CWSConnect c(PORT_USB, nullptr, VZ_310W);
        int value = -1;
        EXPECT_FALSE(c.sendGetIntData("458878", &value));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
    {
        CWSConnect c(PORT_USB, &printer, VZ_310W);
        printer.queueRecord(Record::withCount({}, 0));
        std::string value = "kept";
        EXPECT_FALSE(c.sendGetRawStringData("458961.2", value));
        EXPECT_EQ(value, "kept");
        EXPECT_EQ(PrinterStatus::error_code_, 6);
    }
    {
        CWSConnect c(PORT_USB, &printer, VZ_310W);
        const size_t sendsBefore = printer.sentData().size();
        std::string value;
        EXPECT_FALSE(c.sendGetRawStringData(std::string(3928, '1'), value));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        EXPECT_EQ(printer.sentData().size(), sendsBefore);
    }
}

TEST_F(CWSConnectTest, PjlReadKinds) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    printer.items = {{"458877", "4d-79-4e-65-74"},
                     {"458961.2", "BRN 01"},
                     {"458967.2", "c0-a8-01-14"},
                     {"458989.2.1", "fe-80-00-00-00-00-00-00-00-00-00-00-00-00-00-01"}};
    std::string value;
    ASSERT_TRUE(c.sendGetStringData("458877", value));
    EXPECT_EQ(value, "MyNet");
    ASSERT_TRUE(c.sendGetRawStringData("458961.2", value));
    EXPECT_EQ(value, "BRN 01");
    ASSERT_TRUE(c.sendGetBinaryData("458967.2", value, false));
    EXPECT_EQ(value, "192.168.1.20");
    ASSERT_TRUE(c.sendGetBinaryData("458989.2.1", value, true));
    EXPECT_EQ(value, "fe80:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    // A hexadecimal value longer than any item's text: a malformed reply.
    printer.items["458877"] = std::string(1025, '4');
    value = "kept";
    EXPECT_FALSE(c.sendGetStringData("458877", value));
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(PrinterStatus::error_code_, 6);
}

TEST_F(CWSConnectTest, SnmpReadsOnTheNetworkPort) {
    CWSConnect c(PORT_NET, &printer, VZ_310W);
    printer.onOid("1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0", {Reply::text("3")});
    printer.onOid("1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.3.2.1",
                  {Reply::text("0x20:01:0d:b8:00:00:00:00:00:00:00:00:00:00:00:01")});
    int value = -1;
    ASSERT_TRUE(c.sendGetIntData("458878", &value));
    EXPECT_EQ(value, 3);
    std::string text;
    ASSERT_TRUE(c.sendGetBinaryData("458989.2.1", text, true));
    EXPECT_EQ(text, "2001:0db8:0000:0000:0000:0000:0000:0001");
    EXPECT_TRUE(printer.sentData().empty());

    // No object for the item: false, no code, value unchanged; the integer read gives 0.
    text = "kept";
    EXPECT_FALSE(c.sendGetStringData("459138.2", text));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(c.sendGetIntData("459138.2", &value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(PrinterStatus::error_code_, 1);

    // A failed read: 6.
    printer.onOid("1.3.6.1.4.1.7741.2.4.3.100.11.1.5.0", {Reply::failure()});
    EXPECT_FALSE(c.sendGetIntData("458879", &value));
    EXPECT_EQ(PrinterStatus::error_code_, 6);
}

TEST_F(CWSConnectTest, AddressListEntriesOnlyOnTheNetworkPort) {
    CWSConnect usb(PORT_USB, &printer, VZ_310W);
    std::string text;
    EXPECT_FALSE(usb.sendGetStringDataForIPv6AddressList("1.2.3", text));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST_F(CWSConnectTest, IntegerLines) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    ASSERT_TRUE(c.setIntData("459138.2", 1));
    EXPECT_EQ(queuedPjl(c), "@PJL DEFAULT OBJTLNET=\"459138.2:1\"\r\n");
    EXPECT_EQ(c.pjlSetDataLength, 36);
    ASSERT_TRUE(c.setIntData("458878", -2));
    EXPECT_EQ(queuedPjl(c).substr(36), pjlLine("458878", "-2"));
}

TEST_F(CWSConnectTest, TextLinesSplitAfter95Characters) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    // 32 bytes: 95 characters, one line.
    ASSERT_TRUE(c.setStringData("458877", std::string(32, 'a'), 64));
    std::string payload32;
    for (int i = 0; i < 32; ++i) {
        payload32 += i ? "-61" : "61";
    }
    EXPECT_EQ(queuedPjl(c), pjlLine("458877", payload32));

    // 33 bytes: two lines.
    c.clearsetData();
    ASSERT_TRUE(c.setStringData("458877", std::string(33, 'a'), 64));
    const std::string payload33 = payload32 + "-61";
    EXPECT_EQ(queuedPjl(c), pjlLine("458877", payload33.substr(0, 95) + "=") +
                                pjlLine("458877", "=" + payload33.substr(95)));

    // 64 characters: 191 characters, 95 and 96.
    c.clearsetData();
    ASSERT_TRUE(c.setStringData("458890", std::string(64, 'b'), 64));
    std::string payload64;
    for (int i = 0; i < 64; ++i) {
        payload64 += i ? "-62" : "62";
    }
    ASSERT_EQ(payload64.size(), 191u);
    EXPECT_EQ(queuedPjl(c), pjlLine("458890", payload64.substr(0, 95) + "=") +
                                pjlLine("458890", "=" + payload64.substr(95)));

    // At most maxBytes are written.
    c.clearsetData();
    ASSERT_TRUE(c.setStringData("458877", "ABCDEF", 2));
    EXPECT_EQ(queuedPjl(c), pjlLine("458877", "41-42"));
}

TEST_F(CWSConnectTest, AddressLinesSplitAfter23Characters) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    const unsigned char ipv4[] = {0xC0, 0xA8, 0x01, 0x14};
    ASSERT_TRUE(c.setBinaryData("458967.2", ipv4, 4));
    EXPECT_EQ(queuedPjl(c), pjlLine("458967.2", "c0-a8-01-14"));

    c.clearsetData();
    unsigned char ipv6[16] = {0x20, 0x01, 0x0D, 0xB8};
    ipv6[15] = 0x01;
    ASSERT_TRUE(c.setBinaryData("458989.2.1", ipv6, 16));
    EXPECT_EQ(queuedPjl(c), pjlLine("458989.2.1", "20-01-0d-b8-00-00-00-00=") +
                                pjlLine("458989.2.1", "=-00-00-00-00-00-00-00-01"));
}

TEST_F(CWSConnectTest, OtherWriters) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    ASSERT_TRUE(c.setStringDataHexWEP("458889.1", "0123456789"));
    ASSERT_TRUE(c.setRawStringData("458883", "user 1"));
    // The two-argument form never splits.
    ASSERT_TRUE(c.setStringData("458877", std::string(40, 'a')));
    std::string hex40;
    for (int i = 0; i < 40; ++i) {
        hex40 += i ? "-61" : "61";
    }
    EXPECT_EQ(queuedPjl(c), pjlLine("458889.1", "01-23-45-67-89") + pjlLine("458883", "user 1") +
                                pjlLine("458877", hex40));
}

// The hexadecimal writers carry every byte but zero, which would end the text early.
TEST_F(CWSConnectTest, HexTextTakesEveryByteButZero) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    ASSERT_TRUE(c.setStringData("458890", "a\"\r\n\x1B\x7F\xFF", 64));
    ASSERT_TRUE(c.setStringData("458877", "\"\t"));
    EXPECT_EQ(queuedPjl(c), pjlLine("458890", "61-22- d- a-1b-7f-ff") + pjlLine("458877", "22- 9"));
    const int queued = c.pjlSetDataLength;
    EXPECT_FALSE(c.setStringData("458890", std::string("ab\0cd", 5), 64));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(c.setStringData("458877", std::string("\0", 1)));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(c.pjlSetDataLength, queued);
}

TEST_F(CWSConnectTest, TextThatWouldBreakTheLineIsRefused) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    // The WEP hex form carries the key as it is: hexadecimal digits only.
    EXPECT_FALSE(c.setStringDataHexWEP("458889.1", "01234\"\r\n89"));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    EXPECT_EQ(c.pjlSetDataLength, 0);
    for (const std::string& text :
         {std::string("a\"b"), std::string("a\r\n@PJL RESET"), std::string("a\0b", 3)}) {
        PrinterStatus::error_code_ = 1;
        EXPECT_FALSE(c.setRawStringData("458884", text));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
        EXPECT_EQ(c.pjlSetDataLength, 0);
    }
}

TEST_F(CWSConnectTest, FullQueueRefusesTheLineThatDoesNotFit) {
    CWSConnect c(PORT_USB, &printer, VZ_310W);
    // Two-line texts of 64 bytes until the 4000-byte queue refuses one.
    int before = 0;
    for (int queued = 0; queued < 100; ++queued) {
        before = c.pjlSetDataLength;
        if (!c.setStringData("458890", std::string(64, 'p'), 64)) {
            break;
        }
    }
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    // The refused write queued neither of its lines.
    EXPECT_EQ(c.pjlSetDataLength, before);
    EXPECT_GT(before, CWSConnect::kPjlBufferSize - 2 * 200);
    // A short line that still fits is taken; an integer line too long for the queue is not.
    PrinterStatus::error_code_ = 1;
    EXPECT_TRUE(c.setIntData("459138.2", 1));
    EXPECT_FALSE(c.setIntData(std::string(4000, '1'), 1));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

// ---- commit

class CommitTest : public CWSConnectTest {
  protected:
    Bytes commit(uint8_t series, int escBytes, bool pjl, bool reset) {
        TestCWSConnect c(PORT_USB, &printer, VZ_310W);
        c.editSpec().seriesCode = series;
        c.editSpec().modelCode = 0x39;
        c.escSetData.assign(static_cast<size_t>(escBytes), 0xEE);
        if (pjl) {
            c.setIntData("459138.2", 1);
        }
        EXPECT_TRUE(c.sendSetData(reset));
        return printer.sentData().back();
    }
    static uint32_t headerLength(const Bytes& b) {
        return b[12] | (b[13] << 8) | (b[14] << 16) | (static_cast<uint32_t>(b[15]) << 24);
    }
};

TEST_F(CommitTest, EscBytesWithTheSaveCommand) {
    const Bytes b = commit('0', 6, false, false);
    ASSERT_EQ(b.size(), 33u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 4), (Bytes{0x1B, 0x69, 0x61, 0x01}));
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 12),
              (Bytes{0x1B, 0x69, 0x55, 0x4F, 0x10, '0', 0x39, 0x00}));
    EXPECT_EQ(headerLength(b), 9u);
    EXPECT_EQ(Bytes(b.begin() + 20, b.begin() + 26), Bytes(6, 0xEE));
    EXPECT_EQ(Bytes(b.begin() + 26, b.end()), (Bytes{0x1B, 0x7E, 0x53, 0x1B, 0x69, 0x61, 0xFF}));
}

TEST_F(CommitTest, SeriesWithoutSaveCommandOrHeader) {
    const Bytes vz = commit('4', 6, false, false);
    ASSERT_EQ(vz.size(), 30u);
    EXPECT_EQ(headerLength(vz), 6u);
    EXPECT_EQ(Bytes(vz.begin() + 26, vz.end()), (Bytes{0x1B, 0x69, 0x61, 0xFF}));

    const Bytes gy = commit('2', 6, false, false);
    EXPECT_EQ(gy, (Bytes{0x1B, 0x69, 0x61, 0x01, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x1B, 0x69,
                         0x61, 0xFF}));

    const Bytes fc = commit('6', 0, false, false);
    EXPECT_EQ(Bytes(fc.begin(), fc.begin() + 4), (Bytes{0x1B, 0x69, 0x61, 0x00}));
}

TEST_F(CommitTest, PjlBlock) {
    for (uint8_t series : {'0', '4'}) {
        const Bytes b = commit(series, 0, true, false);
        ASSERT_EQ(b.size(), 152u);
        EXPECT_EQ(headerLength(b), 128u);
        EXPECT_EQ(textOf(Bytes(b.begin() + 20, b.begin() + 148)),
                  "\x1B%-12345X@PJL\r\n" + pjlLine("458867", "0") + pjlLine("459138.2", "1") +
                      pjlLine("458865", "1") + "\x1B%-12345X");
        EXPECT_EQ(Bytes(b.begin() + 148, b.end()), (Bytes{0x1B, 0x69, 0x61, 0xFF}));
    }
    // Both queues: ESC bytes and their save command come before the PJL block.
    const Bytes both = commit('0', 2, true, false);
    EXPECT_EQ(both.size(), 4u + 16 + 2 + 3 + 128 + 4);
    EXPECT_EQ(headerLength(both), 2u + 3 + 128);
    EXPECT_EQ(both[25], 0x1B);
    EXPECT_EQ(both[26], 0x25);
}

TEST_F(CommitTest, EmptyQueuesAndReset) {
    const Bytes empty = commit('7', 0, false, false);
    ASSERT_EQ(empty.size(), 24u);
    EXPECT_EQ(headerLength(empty), 0u);
    const Bytes reset = commit('7', 0, false, true);
    ASSERT_EQ(reset.size(), 28u);
    EXPECT_EQ(Bytes(reset.end() - 8, reset.end()),
              (Bytes{0x1B, 0x69, 0x61, 0xFF, 0x1B, 0x69, 0x55, 0x78}));
}

TEST_F(CommitTest, FailuresOfTheCommit) {
    {
        CWSConnect c(PORT_USB, nullptr, VZ_310W);
        EXPECT_FALSE(c.sendSetData(false));
        EXPECT_EQ(PrinterStatus::error_code_, 39);
    }
    {
        CWSConnect c(PORT_USB, &printer, VZ_310W);
        printer.setSendDataResult(false);
        EXPECT_FALSE(c.sendSetData(false));
        EXPECT_EQ(PrinterStatus::error_code_, 6);
        EXPECT_FALSE(c.sendESRaster());
        EXPECT_FALSE(c.sendESDefMode());
    }
}

TEST_F(CWSConnectTest, ModeCommandsGoOutAtOnce) {
    CWSConnect c(PORT_USB, &printer, FC_650);
    ASSERT_TRUE(c.sendESRaster());
    ASSERT_TRUE(c.sendESDefMode());
    EXPECT_EQ(printer.sentData(),
              (std::vector<Bytes>{{0x1B, 0x69, 0x61, 0x00}, {0x1B, 0x69, 0x61, 0xFF}}));
}

}  // namespace
