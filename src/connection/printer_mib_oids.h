#pragma once

#include <cstddef>
#include <string_view>

namespace tpes {

// The SNMP object identifiers read on the network port: an operation hands the text of one
// of them to the observer, and the host reads the object. Members under 7741 are the
// printer's private objects; the settings items name the configuration item they serve.
//
// Every member is a constant-initialised character array, so static initialisers elsewhere
// can use them in any order. oidIpv6AddressPrefix alone ends with a dot: its reader
// appends an index.
struct PrinterMibOids {
    // clang-format off
    // MIB-II sysLocation; nothing reads it
    static constexpr char oidSysLocation[] = "1.3.6.1.2.1.1.6.0";
    // MIB-II ifPhysAddress of interface 1; nothing reads it
    static constexpr char oidIfPhysAddress[] = "1.3.6.1.2.1.2.2.1.6.1";
    // hrDeviceDescr of device 1; nothing reads it
    static constexpr char oidHrDeviceDescr[] = "1.3.6.1.2.1.25.3.2.1.3.1";
    // The 32-byte status reply
    static constexpr char oidPrinterStatusReply[] = "1.3.6.1.4.1.7741.3.3.9.1.6.1.0";
    // Number of stored templates
    static constexpr char oidTemplateCount[] = "1.3.6.1.4.1.7741.3.3.9.1.6.4.0";
    // One template header per read
    static constexpr char oidTemplateHeader[] = "1.3.6.1.4.1.7741.3.3.9.1.6.5.0";
    // Status during transfers
    static constexpr char oidTemplateStatusReply[] = "1.3.6.1.4.1.7741.3.3.9.1.6.3.0";
    // prtInterpreterVersion: firmware version, second choice
    static constexpr char oidInterpreterVersion[] = "1.3.6.1.2.1.43.15.1.1.6.1.1";
    // Firmware version
    static constexpr char oidFirmwareVersion[] = "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5";
    // Serial number
    static constexpr char oidSerialNumber[] = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.1.0";
    // Battery information
    static constexpr char oidBatteryInfo[] = "1.3.6.1.4.1.7741.3.3.9.1.1.8.1.0";
    // Under enterprise 11; nothing reads it
    static constexpr char oidEnterprise11Item15[] = "1.3.6.1.4.1.11.2.3.9.1.1.2.15.0";
    // prtConsoleDisplayBufferText: device status
    static constexpr char oidConsoleDisplayText[] = "1.3.6.1.2.1.43.16.5.1.2.1.1";
    // Page counter
    static constexpr char oidPageCounter[] = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.10.0";
    // hrPrinterStatus: readiness check
    static constexpr char oidHrPrinterStatus[] = "1.3.6.1.2.1.25.3.5.1.1.1";
    // Under enterprise 11; nothing reads it
    static constexpr char oidEnterprise11Item17[] = "1.3.6.1.4.1.11.2.3.9.1.1.2.17.0";
    // Under enterprise 11; nothing reads it
    static constexpr char oidEnterprise11Item11[] = "1.3.6.1.4.1.11.2.3.9.1.1.2.11.0";
    // Under enterprise 11; nothing reads it
    static constexpr char oidEnterprise11Item9[] = "1.3.6.1.4.1.11.2.3.9.1.1.2.9.0";
    // Switch to transfer mode
    static constexpr char oidTransferMode[] = "1.3.6.1.4.1.7741.3.3.9.1.6.6.0";
    static constexpr char oidItem458949[] = "1.3.6.1.4.1.7741.2.4.3.7741.5.15.2.0";
    static constexpr char oidItem459010[] = "1.3.6.1.4.1.7741.2.4.3.7741.5.15.3.0";
    static constexpr char oidItem458970_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.4.2";
    static constexpr char oidItem458967_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.1.2";
    static constexpr char oidItem458968_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.2.2";
    static constexpr char oidItem458969_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.3.2";
    static constexpr char oidItem458950_2[] = "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.1.2";
    static constexpr char oidItem458951_2[] = "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.2.2";
    static constexpr char oidItem458952_2[] = "1.3.6.1.4.1.7741.2.4.4.99.1.1.1.3.2";
    static constexpr char oidItem458988_2_1[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.2.2.1";
    static constexpr char oidItem458989_2_1[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.4.1.3.2.1";
    static constexpr char oidItem458991_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.1.2";
    static constexpr char oidItem458992_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.5.1.2.2";
    static constexpr char oidItem458983_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.1.1.1.2";
    // IPv6 address list; the reader appends an index
    static constexpr char oidIpv6AddressPrefix[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.";
    static constexpr char oidItem458877[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.3.0";
    static constexpr char oidItem458878[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.4.0";
    static constexpr char oidItem458879[] = "1.3.6.1.4.1.7741.2.4.3.100.11.1.5.0";
    static constexpr char oidItem458881[] = "1.3.6.1.4.1.7741.2.4.3.100.11.11.11.0";
    static constexpr char oidItem459337[] = "1.3.6.1.4.1.7741.2.4.3.100.11.11.15.0";
    static constexpr char oidItem458880[] = "1.3.6.1.4.1.7741.2.4.3.100.11.11.1.0";
    static constexpr char oidItem458883[] = "1.3.6.1.4.1.7741.2.4.3.100.11.11.13.0";
    static constexpr char oidItem458961_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.1.5.1.4.2";
    // Wireless on boot
    static constexpr char oidWirelessOnBoot[] = "1.3.6.1.4.1.7741.3.3.9.1.1.4.0";
    // Automatic power-off on mains
    static constexpr char oidAcAutoOff[] = "1.3.6.1.4.1.7741.3.3.9.1.1.3.0";
    // Automatic power-off on battery
    static constexpr char oidBatteryAutoOff[] = "1.3.6.1.4.1.7741.3.3.9.1.1.5.0";
    static constexpr char oidItem458971_2[] = "1.3.6.1.4.1.7741.2.4.4.1240.5.2.1.1.5.2";
    // clang-format on

    // Every identifier, in order of definition.
    static constexpr const char* all[] = {
        oidSysLocation,        oidIfPhysAddress,     oidHrDeviceDescr,       oidPrinterStatusReply,
        oidTemplateCount,      oidTemplateHeader,    oidTemplateStatusReply, oidInterpreterVersion,
        oidFirmwareVersion,    oidSerialNumber,      oidBatteryInfo,         oidEnterprise11Item15,
        oidConsoleDisplayText, oidPageCounter,       oidHrPrinterStatus,     oidEnterprise11Item17,
        oidEnterprise11Item11, oidEnterprise11Item9, oidTransferMode,        oidItem458949,
        oidItem459010,         oidItem458970_2,      oidItem458967_2,        oidItem458968_2,
        oidItem458969_2,       oidItem458950_2,      oidItem458951_2,        oidItem458952_2,
        oidItem458988_2_1,     oidItem458989_2_1,    oidItem458991_2,        oidItem458992_2,
        oidItem458983_2,       oidIpv6AddressPrefix, oidItem458877,          oidItem458878,
        oidItem458879,         oidItem458881,        oidItem459337,          oidItem458880,
        oidItem458883,         oidItem458961_2,      oidWirelessOnBoot,      oidAcAutoOff,
        oidBatteryAutoOff,     oidItem458971_2,
    };
    static constexpr std::size_t count = sizeof all / sizeof all[0];

    // A settings configuration item id and the object that holds it.
    struct ItemOid {
        const char* itemId;
        const char* oid;
    };
    static constexpr ItemOid items[] = {
        {"458949", oidItem458949},         {"459010", oidItem459010},
        {"458970.2", oidItem458970_2},     {"458967.2", oidItem458967_2},
        {"458968.2", oidItem458968_2},     {"458969.2", oidItem458969_2},
        {"458950.2", oidItem458950_2},     {"458951.2", oidItem458951_2},
        {"458952.2", oidItem458952_2},     {"458988.2.1", oidItem458988_2_1},
        {"458989.2.1", oidItem458989_2_1}, {"458991.2", oidItem458991_2},
        {"458992.2", oidItem458992_2},     {"458983.2", oidItem458983_2},
        {"458877", oidItem458877},         {"458878", oidItem458878},
        {"458879", oidItem458879},         {"458881", oidItem458881},
        {"459337", oidItem459337},         {"458880", oidItem458880},
        {"458883", oidItem458883},         {"458961.2", oidItem458961_2},
        {"458971.2", oidItem458971_2},
    };

    // The object of a settings item id ("458970.2"), or nullptr when none holds it.
    static constexpr const char* forItem(std::string_view itemId) {
        for (const ItemOid& item : items) {
            if (itemId == item.itemId) {
                return item.oid;
            }
        }
        return nullptr;
    }
};

}  // namespace tpes
