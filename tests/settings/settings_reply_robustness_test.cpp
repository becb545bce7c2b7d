#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "settings/cws_connect.h"
#include "settings_printer.h"
#include "support/printer_status_fixture.h"

using Record = SimulatedPrinter::Record;

namespace {

class SettingsReplyRobustnessTest : public PrinterStatusTest {};

// Replies made of the characters the parser looks for, in random order and length, up to
// the whole reply buffer: every read either yields a value found inside the reply or fails
// with 6, and never reads outside the bytes received (the sanitizers watch).
TEST_F(SettingsReplyRobustnessTest, RandomPjlRepliesAreParsedWithinTheirBytes) {
    std::mt19937 random(20261210);
    const std::string pieces[] = {"@PJL INQUIRE OBJTLNET\r\n", "\"", ":", "458878", "11", "\r\n",
                                  std::string(1, '\0'),        "x",  "-", "ff"};
    for (int round = 0; round < 500; ++round) {
        std::string reply;
        const size_t target = random() % 2 ? random() % 64 : 3900 + random() % 200;
        while (reply.size() < target) {
            reply += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        }
        SettingsPrinter printer;
        printer.queueRecord(Record::withCount(bytesOf(reply), static_cast<int>(reply.size())));
        CWSConnect c(PORT_USB, &printer, VZ_310W);
        std::string value = "kept";
        if (c.sendGetStringData("458878", value)) {
            EXPECT_EQ(PrinterStatus::error_code_, 1);
            EXPECT_LE(value.size(), reply.size());
        } else {
            EXPECT_EQ(PrinterStatus::error_code_, 6);
            EXPECT_EQ(value, "kept");
        }
    }
}

TEST_F(SettingsReplyRobustnessTest, RandomSnmpAndDeviceReplies) {
    std::mt19937 random(7741);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const size_t length = random() % 80;
        for (size_t i = 0; i < length; ++i) {
            text += "0x:-fF9 "[random() % 8];
        }
        std::string rewritten = text;
        SettingValueCodec::IPv6AddressForMIB(rewritten);
        std::string decoded;
        SettingValueCodec::HexStringToString(text.c_str(), decoded);
        SettingValueCodec::HexStringToIPv4Address(text.c_str(), decoded);
        SettingValueCodec::HexStringToIPv6Address(text.c_str(), decoded);
        SettingValueCodec::convertHexStringToBinaryData(text, true);
        SettingValueCodec::convertHexStringToBinaryData(text, false);

        // Device name and Wi-Fi Direct SSID replies of random bytes and counts.
        Bytes bytes(random() % 40);
        for (unsigned char& b : bytes) {
            b = static_cast<unsigned char>(random() % 40);
        }
        SettingsPrinter printer;
        printer.queueRecord(Record::withCount(bytes, static_cast<int>(random() % 70) - 5));
        printer.queueRecord(Record::withCount(bytes, static_cast<int>(random() % 70) - 5));
        printer.queueRecord(Record::withCount(bytes, static_cast<int>(random() % 70) - 5));
        printer.setDefaultRecord(bytes);
        CWSConnect c(PORT_USB, &printer, HU_3650WB);
        std::string name;
        if (c.sendESBTDevName_R(name)) {
            EXPECT_LE(name.size(), 30u);
        }
        std::string ssid;
        if (c.sendESWFDStaticSSID_R(ssid)) {
            EXPECT_LE(ssid.size(), 30u);
        }
    }
}

}  // namespace
