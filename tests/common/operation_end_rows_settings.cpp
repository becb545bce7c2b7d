#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/operation_end_rows.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "settings/printer_setting.h"
#include "settings/settings_printer.h"

namespace operation_end {

namespace {

using Oids = tpes::PrinterMibOids;
using Reply = SimulatedPrinter::Reply;
using Record = SimulatedPrinter::Record;

// The replies of PJL item reads, in the order the call reads the items.
void answerPjl(SimulatedPrinter& p, const std::vector<std::pair<std::string, std::string>>& items) {
    for (const auto& item : items) {
        p.queueRecord(Record(bytesOf(pjlReply(item.first, item.second))));
    }
}

// A 32-byte power-off reply: value in byte 30, byte 31 the validity mark.
Bytes powerOffReply(unsigned char value) {
    Bytes r(32, 0);
    r[30] = value;
    r[31] = 1;
    return r;
}

// One host call on a fresh PrinterSetting: keys with their value texts (ignored by a get).
struct SettingsCall {
    Port port;
    Model model;
    std::vector<int> keys;
    std::vector<std::string> values;
};

Row getRow(std::string name, SettingsCall call, std::function<void(SimulatedPrinter&)> answers) {
    const Model model = call.model;
    return {std::move(name),
            [model, answers](SimulatedPrinter& p) {
                ::answerStatus(p, model);
                answers(p);
            },
            [call](CommunicationObserver* o) {
                PrinterSetting setting(call.port, o, call.model);
                std::vector<std::string> values(call.keys.size());
                Outcome out;
                out.ok = setting.getPrinterSetting(call.keys.data(), values.data(),
                                                   static_cast<int>(call.keys.size()));
                out.code = PrinterStatus::error_code_;
                return out;
            }};
}

Row setRow(
    std::string name, SettingsCall call,
    std::function<void(SimulatedPrinter&)> answers = [](SimulatedPrinter&) {}) {
    const Model model = call.model;
    return {std::move(name),
            [model, answers](SimulatedPrinter& p) {
                ::answerStatus(p, model);
                answers(p);
            },
            [call](CommunicationObserver* o) {
                PrinterSetting setting(call.port, o, call.model);
                Outcome out;
                out.ok = setting.setPrinterSetting(call.keys.data(), call.values.data(),
                                                   static_cast<int>(call.keys.size()));
                out.code = PrinterStatus::error_code_;
                return out;
            }};
}

}  // namespace

std::vector<Row> settingsRows() {
    std::vector<Row> rows;
    // PJL item reads (one of them a pair) and ESC reads, among them a power-off time of two
    // queries.
    rows.push_back(getRow(
        "settings get, USB: PJL items and ESC commands",
        {PORT_USB,
         HU_3650WB,
         {BT_BOOTMODE, NET_COMMUNICATION_MODE, NET_AUTHENTICATION_METHOD, PRINTER_POWEROFFTIME,
          PRINT_DENSITY},
         {}},
        [](SimulatedPrinter& p) {
            p.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x06}, {Reply(Bytes{2})});
            answerPjl(p, {{"458878", "2"}, {"458881", "16"}, {"459337", "3"}});
            p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply(powerOffReply(3))});
            p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x03}, {Reply(powerOffReply(0))});
            p.onExchange({0x1B, 0x69, 0x58, 0x65, 0x31}, {Reply(Bytes{0, 0, 0x82})});
        }));
    // SNMP reads, with the IPv6 address list read entry by entry.
    rows.push_back(
        getRow("settings get, network port: SNMP objects and the address list",
               {PORT_NET,
                HU_3650WB,
                {NET_COMMUNICATION_MODE, NET_IPV6ADDRESS_LIST, NET_STATIC_IPV6ADDRESS,
                 PRINTER_POWEROFFTIME},
                {}},
               [](SimulatedPrinter& p) {
                   const std::string address = "0xfe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01";
                   p.onOid(Oids::oidItem458878, {Reply::text("2")});
                   p.onOid(Oids::oidItem458983_2, {Reply::text("2")});
                   p.onOid(std::string(Oids::oidIpv6AddressPrefix) + "1", {Reply::text(address)});
                   p.onOid(std::string(Oids::oidIpv6AddressPrefix) + "2", {Reply::text(address)});
                   p.onOid(Oids::oidItem458989_2_1, {Reply::text(address)});
                   p.onOid(Oids::oidAcAutoOff, {Reply::text("21")});
               }));
    // The Bluetooth device name (a send and its receives) and the FC setting block.
    rows.push_back(getRow(
        "settings get, Bluetooth: device name and FC commands",
        {PORT_BLUETOOTH,
         FC_650,
         {BT_ISDISCOVERABLE, BT_DEVICENAME, PRINTER_POWEROFFTIME, PRINT_DENSITY, PRINT_SPEED},
         {}},
        [](SimulatedPrinter& p) {
            p.onExchange({0x1B, 0x69, 0x58, 0x42, 0x31, 0x01, 0x00, 0x02}, {Reply(Bytes{1})});
            p.queueRecord(Record(Bytes{4, 'n', 'a', 'm', 'e'}));
            Bytes block(36, 0);
            block[4] = 48;   // density 2
            block[12] = 30;  // 30 minutes
            p.onExchange({0x1B, 0x7E, 0x65, 0x55, 0x00}, {Reply(block)});
            p.onExchange({0x1B, 0x7E, 0x65, 0x56, 0x00}, {Reply(Bytes{3})});
        }));
    // Addresses by PJL, and both power-off times in the two-query form with a validity mark.
    rows.push_back(
        getRow("settings get, VZ series: addresses and power-off times",
               {PORT_USB,
                VZ_310W,
                {NET_IPV4ADDRESS, NET_NODENAME, PRINTER_POWEROFFTIME, PRINTER_POWEROFFTIME_BATTERY},
                {}},
               [](SimulatedPrinter& p) {
                   answerPjl(p, {{"458967.2", "c0-a8-01-14"}, {"458961.2", "node"}});
                   p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply(powerOffReply(1))});
                   p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x03}, {Reply(powerOffReply(5))});
               }));
    // The KX form: one-byte replies.
    rows.push_back(getRow(
        "settings get, KX series: power-off times",
        {PORT_BLUETOOTH, KX_A120BT, {PRINTER_POWEROFFTIME, PRINTER_POWEROFFTIME_BATTERY}, {}},
        [](SimulatedPrinter& p) {
            p.onExchange({0x1B, 0x69, 0x55, 0x41, 0x01}, {Reply(Bytes{6})});
        }));

    // Writes are queued and go out in one commit: the status reading and the commit are the
    // exchanges, on every route.
    rows.push_back(setRow("settings set, USB: PJL lines, ESC commands and a reset",
                          {PORT_USB,
                           HU_3650WB,
                           {NET_SSID, NET_AUTHENTICATION_METHOD, BT_DEVICENAME,
                            PRINTER_POWEROFFTIME, PRINT_SPEED, PRINTER_RESET},
                           {"MyNet", "5", "name", "25", "3", ""}}));
    rows.push_back(
        setRow("settings set, network port",
               {PORT_NET, HU_3650WB, {NET_WIRELESS_ONBOOT, NET_IPV4ADDRESS}, {"1", "10.0.0.1"}}));
    rows.push_back(setRow("settings set, GY series: no frame header",
                          {PORT_BLUETOOTH, GY_310MFi, {BT_RECONNECTION}, {"1"}},
                          [](SimulatedPrinter& p) {
                              // The battery of the status reading: raster mode, 55 0E 05 00,
                              // default mode.
                              p.onExchange({0x1B, 0x69, 0x61, 0x01, 0x55, 0x0E}, {Reply(Bytes{3})});
                          }));
    rows.push_back(
        setRow("settings set, FC series", {PORT_USB,
                                           FC_650,
                                           {BT_ISDISCOVERABLE, PRINTER_POWEROFFTIME, PRINT_DENSITY},
                                           {"1", "120", "10"}}));
    return rows;
}

// The sweep checks how the calls end after a stop; a row that failed already when clean
// would check little.
TEST(OperationEndSettingsRows, CleanRunsSucceed) {
    for (const Row& row : settingsRows()) {
        SimulatedPrinter printer;
        row.answers(printer);
        const Outcome clean = row.run(&printer);
        EXPECT_TRUE(clean.ok) << row.name;
        EXPECT_EQ(clean.code, 1) << row.name;
    }
}

}  // namespace operation_end
