#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "settings/setting_value_codec.h"
#include "support/printer_status_fixture.h"

using Codec = SettingValueCodec;

namespace {

class SettingValueCodecTest : public PrinterStatusTest {
  protected:
    void SetUp() override {
        PrinterStatusTest::SetUp();
        PrinterStatus::error_code_ = 1;
    }
};

std::string hexOf(const std::string& text, int maxBytes, int outSize = 1024) {
    std::vector<char> out(static_cast<size_t>(outSize > 0 ? outSize : 1), '#');
    if (!Codec::StringToHexString(text, out.data(), outSize, maxBytes)) {
        return "<false>";
    }
    return out.data();
}

TEST_F(SettingValueCodecTest, TextAsHexBytes) {
    struct Case {
        std::string text;
        int maxBytes;
        std::string hex;
    };
    const Case cases[] = {
        {"A", 64, "0x41"},
        {"AB", 64, "41-42"},
        {"", 64, ""},
        {std::string("\n\xff", 2), 64, " a-ff"},  // "%2x": blank-padded, unsigned
        {"ABCD", 2, "41-42"},                     // at most maxBytes
        {std::string("AB\0CD", 5), 64, "41-42"},  // up to the first zero byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hexOf(c.text, c.maxBytes), c.hex) << c.text;
    }
    // 3 x count above the output size: false without an error code.
    EXPECT_EQ(hexOf("ABCD", 64, 11), "<false>");
    EXPECT_EQ(hexOf("ABCD", 64, 12), "41-42-43-44");
    // One byte needs five bytes with its zero, more than 3 x 1.
    EXPECT_EQ(hexOf("A", 64, 4), "<false>");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

TEST_F(SettingValueCodecTest, HexTextReadsBackToTheText) {
    for (const char* text : {"A", "AB", "MyNet", "\n\x7f\xfe", "x y z"}) {
        char hex[1024];
        ASSERT_TRUE(Codec::StringToHexString(text, hex, sizeof hex, 64));
        std::string back;
        ASSERT_TRUE(Codec::HexStringToString(hex, back));
        EXPECT_EQ(back, text);
    }
    std::string out = "kept";
    EXPECT_FALSE(Codec::HexStringToString(std::string(1025, '1').c_str(), out));
    EXPECT_EQ(out, "kept");
    EXPECT_FALSE(Codec::HexStringToString(nullptr, out));
    ASSERT_TRUE(Codec::HexStringToString("41-00-42", out));
    EXPECT_EQ(out, "A");
}

TEST_F(SettingValueCodecTest, BytesAsHexAndTheirLimit) {
    const unsigned char address[] = {0xC0, 0xA8, 0x00, 0x01};
    char out[16];
    ASSERT_TRUE(Codec::BinaryDataToHexString(address, 4, out, sizeof out));
    EXPECT_STREQ(out, "c0-a8-00-01");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
    EXPECT_FALSE(Codec::BinaryDataToHexString(address, 4, out, 11));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
    PrinterStatus::error_code_ = 1;
    EXPECT_FALSE(Codec::BinaryDataToHexString(address, -1, out, sizeof out));
    EXPECT_EQ(PrinterStatus::error_code_, 39);
}

TEST_F(SettingValueCodecTest, WepKeysInPairs) {
    char out[64];
    ASSERT_TRUE(Codec::StringToWepHexString("0123456789", sizeof out, out));
    EXPECT_STREQ(out, "01-23-45-67-89");
    ASSERT_TRUE(Codec::StringToWepHexString("abcde", sizeof out, out));
    EXPECT_STREQ(out, "ab-cd-e");
    EXPECT_FALSE(Codec::StringToWepHexString("0123456789", 14, out));
    std::string joined;
    ASSERT_TRUE(Codec::WepHexStringToString("01-23-45-67-89", joined));
    EXPECT_EQ(joined, "0123456789");
    EXPECT_FALSE(Codec::WepHexStringToString(std::string(256, 'a').c_str(), joined));
}

TEST_F(SettingValueCodecTest, AddressTextsFromHexPieces) {
    std::string out;
    ASSERT_TRUE(Codec::HexStringToIPv4Address("c0-a8-00-01", out));
    EXPECT_EQ(out, "192.168.0.1");
    out = "stale";
    ASSERT_TRUE(
        Codec::HexStringToIPv6Address("20-01-0d-b8-00-00-00-00-00-00-00-00-00-00-00-01", out));
    EXPECT_EQ(out, "2001:0db8:0000:0000:0000:0000:0000:0001");
}

TEST_F(SettingValueCodecTest, IPv4TextToBytes) {
    struct Case {
        std::string text;
        std::vector<unsigned char> bytes;  // empty: refused with 39
    };
    const Case cases[] = {
        {"192-168-0-1", {0xC0, 0xA8, 0x00, 0x01}},
        {"0-0-0-0", {0, 0, 0, 0}},
        {"255-255-255-255", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"192-168-000-001", {}},  // leading zeros
        {"+1-2-3-4", {}},
        {" 1-2-3-4", {}},
        {"1--3-4", {}},
        {"1-2-3", {}},
        {"1-2-3-4-5", {}},
        {"256-1-1-1", {}},
        {"-1-1-1-1", {}},
    };
    for (const Case& c : cases) {
        PrinterStatus::error_code_ = 1;
        EXPECT_EQ(Codec::convertHexStringToBinaryData(c.text, false), c.bytes) << c.text;
        EXPECT_EQ(PrinterStatus::error_code_, c.bytes.empty() ? 39 : 1) << c.text;
    }
}

TEST_F(SettingValueCodecTest, IPv6TextToBytes) {
    std::vector<unsigned char> loopback(16, 0);
    loopback[15] = 1;
    std::vector<unsigned char> doc = {0x20, 0x01, 0x0D, 0xB8};
    doc.resize(16, 0);
    doc[15] = 0x01;
    struct Case {
        std::string text;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"2001-0db8-0000-0000-0000-0000-0000-0001", doc},
        {"2001-DB8-0-0-0-0-0-1", doc},
        {"-------1", loopback},  // empty groups are 0
        {"fe80--1", {}},         // an abbreviation is not eight groups
        {"1-2-3-4-5-6-7", {}},
        {"10000-0-0-0-0-0-0-0", {}},
        {"g-0-0-0-0-0-0-0", {}},
        {"1-2-3-4-5-6-7-8-9", {}},
    };
    for (const Case& c : cases) {
        PrinterStatus::error_code_ = 1;
        EXPECT_EQ(Codec::convertHexStringToBinaryData(c.text, true), c.bytes) << c.text;
        EXPECT_EQ(PrinterStatus::error_code_, c.bytes.empty() ? 39 : 1) << c.text;
    }
}

TEST_F(SettingValueCodecTest, SnmpOctetTextToIPv6Address) {
    std::string text = "0x20:01:0d:b8:00:00:00:00:00:00:00:00:00:00:00:01";
    ASSERT_TRUE(Codec::IPv6AddressForMIB(text));
    EXPECT_EQ(text, "2001:0db8:0000:0000:0000:0000:0000:0001");
    text = "20:01";
    EXPECT_FALSE(Codec::IPv6AddressForMIB(text));
    EXPECT_EQ(text, "");
    text = "0x" + std::string(3999, '0');
    EXPECT_FALSE(Codec::IPv6AddressForMIB(text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

}  // namespace
