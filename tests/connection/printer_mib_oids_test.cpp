#include "connection/printer_mib_oids.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using tpes::PrinterMibOids;

// Usable in constant expressions, so no static initialiser can see it unbuilt.
static_assert(PrinterMibOids::count == 46);
static_assert(PrinterMibOids::oidHrPrinterStatus[0] == '1');
static_assert(PrinterMibOids::forItem("458970.2") == PrinterMibOids::oidItem458970_2);

TEST(PrinterMibOids, GoldenTexts) {
    // clang-format off
    const struct { const char* member; const char* text; } golden[] = {
        {PrinterMibOids::oidSysLocation,         "1.3.6.1.2.1.1.6.0"},
        {PrinterMibOids::oidIfPhysAddress,       "1.3.6.1.2.1.2.2.1.6.1"},
        {PrinterMibOids::oidHrDeviceDescr,       "1.3.6.1.2.1.25.3.2.1.3.1"},
        {PrinterMibOids::oidPrinterStatusReply,  "1.3.6.1.4.1.7741.3.3.9.1.6.1.0"},
        {PrinterMibOids::oidTemplateCount,       "1.3.6.1.4.1.7741.3.3.9.1.6.4.0"},
        {PrinterMibOids::oidTemplateHeader,      "1.3.6.1.4.1.7741.3.3.9.1.6.5.0"},
        {PrinterMibOids::oidTemplateStatusReply, "1.3.6.1.4.1.7741.3.3.9.1.6.3.0"},
        {PrinterMibOids::oidInterpreterVersion,  "1.3.6.1.2.1.43.15.1.1.6.1.1"},
        {PrinterMibOids::oidFirmwareVersion,     "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5"},
        {PrinterMibOids::oidSerialNumber,        "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.1.0"},
        {PrinterMibOids::oidBatteryInfo,         "1.3.6.1.4.1.7741.3.3.9.1.1.8.1.0"},
        {PrinterMibOids::oidEnterprise11Item15,  "1.3.6.1.4.1.11.2.3.9.1.1.2.15.0"},
        {PrinterMibOids::oidConsoleDisplayText,  "1.3.6.1.2.1.43.16.5.1.2.1.1"},
        {PrinterMibOids::oidPageCounter,         "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.10.0"},
        {PrinterMibOids::oidHrPrinterStatus,     "1.3.6.1.2.1.25.3.5.1.1.1"},
        {PrinterMibOids::oidEnterprise11Item17,  "1.3.6.1.4.1.11.2.3.9.1.1.2.17.0"},
        {PrinterMibOids::oidEnterprise11Item11,  "1.3.6.1.4.1.11.2.3.9.1.1.2.11.0"},
        {PrinterMibOids::oidEnterprise11Item9,   "1.3.6.1.4.1.11.2.3.9.1.1.2.9.0"},
        {PrinterMibOids::oidTransferMode,        "1.3.6.1.4.1.7741.3.3.9.1.6.6.0"},
        {PrinterMibOids::oidItem458949,          "1.3.6.1.4.1.7741.2.4.3.7741.5.15.2.0"},
        {PrinterMibOids::oidItem459010,          "1.3.6.1.4.1.7741.2.4.3.7741.5.15.3.0"},
        {PrinterMibOids::oidItem458970_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.4.2"},
        {PrinterMibOids::oidItem458967_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.1.2"},
        {PrinterMibOids::oidItem458968_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.2.2"},
        {PrinterMibOids::oidItem458969_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.3.2"},
        {PrinterMibOids::oidItem458950_2,        "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.1.2"},
        {PrinterMibOids::oidItem458951_2,        "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.2.2"},
        {PrinterMibOids::oidItem458952_2,        "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.3.2"},
        {PrinterMibOids::oidItem458988_2_1,      "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.2.2.1"},
        {PrinterMibOids::oidItem458989_2_1,      "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.3.2.1"},
        {PrinterMibOids::oidItem458991_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.1.2"},
        {PrinterMibOids::oidItem458992_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.2.2"},
        {PrinterMibOids::oidItem458983_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2"},
        {PrinterMibOids::oidIpv6AddressPrefix,   "1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2."},
        {PrinterMibOids::oidItem458877,          "1.3.6.1.4.1.7741.2.4.3.100.11.1.3.0"},
        {PrinterMibOids::oidItem458878,          "1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0"},
        {PrinterMibOids::oidItem458879,          "1.3.6.1.4.1.7741.2.4.3.100.11.1.5.0"},
        {PrinterMibOids::oidItem458881,          "1.3.6.1.4.1.7741.2.4.3.100.11.11.11.0"},
        {PrinterMibOids::oidItem459337,          "1.3.6.1.4.1.7741.2.4.3.100.11.11.15.0"},
        {PrinterMibOids::oidItem458880,          "1.3.6.1.4.1.7741.2.4.3.100.11.11.1.0"},
        {PrinterMibOids::oidItem458883,          "1.3.6.1.4.1.7741.2.4.3.100.11.11.13.0"},
        {PrinterMibOids::oidItem458961_2,        "1.3.6.1.4.1.7741.2.4.4.1240.1.5.1.4.2"},
        {PrinterMibOids::oidWirelessOnBoot,      "1.3.6.1.4.1.7741.3.3.9.1.1.4.0"},
        {PrinterMibOids::oidAcAutoOff,           "1.3.6.1.4.1.7741.3.3.9.1.1.3.0"},
        {PrinterMibOids::oidBatteryAutoOff,      "1.3.6.1.4.1.7741.3.3.9.1.1.5.0"},
        {PrinterMibOids::oidItem458971_2,        "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.5.2"},
    };
    // clang-format on
    ASSERT_EQ(std::size(golden), PrinterMibOids::count);
    for (std::size_t i = 0; i < std::size(golden); ++i) {
        EXPECT_EQ(std::string(golden[i].member), golden[i].text) << "member " << i + 1;
        EXPECT_EQ(PrinterMibOids::all[i], golden[i].member) << "order of member " << i + 1;
    }
}

TEST(PrinterMibOids, DistinctAndOnlyThePrefixEndsWithADot) {
    std::set<std::string> seen;
    for (const char* oid : PrinterMibOids::all) {
        const std::string text(oid);
        EXPECT_TRUE(seen.insert(text).second) << text << " appears twice";
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), '1') << text;
        EXPECT_EQ(text.find_first_not_of("0123456789."), std::string::npos) << text;
        EXPECT_EQ(text.find(".."), std::string::npos) << text;
        const bool isPrefix = oid == PrinterMibOids::oidIpv6AddressPrefix;
        EXPECT_EQ(text.back() == '.', isPrefix) << text;
    }
}

// The settings items and the objects they read, as the identifier table lists them.
TEST(PrinterMibOids, SettingsItemsFindTheirObjects) {
    // clang-format off
    const struct { const char* item; const char* text; } golden[] = {
        {"458949",     "1.3.6.1.4.1.7741.2.4.3.7741.5.15.2.0"},
        {"459010",     "1.3.6.1.4.1.7741.2.4.3.7741.5.15.3.0"},
        {"458970.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.4.2"},
        {"458967.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.1.2"},
        {"458968.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.2.2"},
        {"458969.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.3.2"},
        {"458950.2",   "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.1.2"},
        {"458951.2",   "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.2.2"},
        {"458952.2",   "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.3.2"},
        {"458988.2.1", "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.2.2.1"},
        {"458989.2.1", "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.3.2.1"},
        {"458991.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.1.2"},
        {"458992.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.2.2"},
        {"458983.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2"},
        {"458877",     "1.3.6.1.4.1.7741.2.4.3.100.11.1.3.0"},
        {"458878",     "1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0"},
        {"458879",     "1.3.6.1.4.1.7741.2.4.3.100.11.1.5.0"},
        {"458881",     "1.3.6.1.4.1.7741.2.4.3.100.11.11.11.0"},
        {"459337",     "1.3.6.1.4.1.7741.2.4.3.100.11.11.15.0"},
        {"458880",     "1.3.6.1.4.1.7741.2.4.3.100.11.11.1.0"},
        {"458883",     "1.3.6.1.4.1.7741.2.4.3.100.11.11.13.0"},
        {"458961.2",   "1.3.6.1.4.1.7741.2.4.4.1240.1.5.1.4.2"},
        {"458971.2",   "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.5.2"},
    };
    // clang-format on
    ASSERT_EQ(std::size(PrinterMibOids::items), std::size(golden));
    for (const auto& g : golden) {
        const char* oid = PrinterMibOids::forItem(g.item);
        ASSERT_NE(oid, nullptr) << g.item;
        EXPECT_EQ(std::string(oid), g.text) << "item " << g.item;
    }
    // Only whole item ids match.
    EXPECT_EQ(PrinterMibOids::forItem("458970"), nullptr);
    EXPECT_EQ(PrinterMibOids::forItem("458988.2"), nullptr);
    EXPECT_EQ(PrinterMibOids::forItem(""), nullptr);
}

}  // namespace
