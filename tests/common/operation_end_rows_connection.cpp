#include <functional>
#include <string>
#include <vector>

#include "catalogue/printer_spec.h"
#include "common/operation_end_rows.h"
#include "connection/base_printer.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "support/model_spec.h"
#include "support/status_reply_builder.h"

namespace operation_end {

namespace {

using Bytes = std::vector<unsigned char>;
using Reply = SimulatedPrinter::Reply;
using Oids = tpes::PrinterMibOids;

Outcome byCode() {
    Outcome out;
    out.code = PrinterStatus::error_code_;
    out.ok = out.code == 1;
    return out;
}

// The first catalogued model with both query commands.
Model queryModel() {
    for (int m = 0; m < NO_MODEL; ++m) {
        const PrinterSpec spec = specOf(static_cast<Model>(m));
        if (spec.headDots != 0 && spec.serialNumberCommand && spec.mediaVersionCommand) {
            return static_cast<Model>(m);
        }
    }
    return NO_MODEL;
}

// A status reply of a ready printer with 62 mm x 29 mm labels, on every route.
void readyPrinter(SimulatedPrinter& p, Model model) {
    const Bytes ready = StatusReplyBuilder(model).media(62, 0x0B, 29);
    p.onExchange({0x1B, 0x69, 0x53}, {Reply(ready)});
    p.onOid(Oids::oidPrinterStatusReply, {Reply(ready)});
}

Paper label() {
    Paper p;
    p.paperId = 9;
    p.mediaWidthMm = 62;
    p.mediaType = 0x0B;
    p.mediaLengthMm = 29;
    return p;
}

// A query row: the answers, the port and the query, whose answer is a success when it is not
// empty.
Row query(std::string name, Port port, std::function<void(SimulatedPrinter&)> answers,
          std::function<bool(BasePrinter&)> ask) {
    return {std::move(name), std::move(answers), [port, ask](CommunicationObserver* o) {
                BasePrinter printer(port, o, queryModel());
                Outcome out;
                out.ok = ask(printer);
                out.code = PrinterStatus::error_code_;
                return out;
            }};
}

}  // namespace

std::vector<Row> connectionRows() {
    std::vector<Row> rows;
    for (Port port : {PORT_USB, PORT_NET}) {
        const std::string on = port == PORT_NET ? ", network" : ", USB";
        rows.push_back({"status" + on, [](SimulatedPrinter& p) { readyPrinter(p, KX_C270W); },
                        [port](CommunicationObserver* o) {
                            BasePrinter printer(port, o, KX_C270W);
                            Paper paper = label();
                            printer.getPrinterStatus(paper);
                            return byCode();
                        }});
        rows.push_back({"label information" + on,
                        [](SimulatedPrinter& p) { readyPrinter(p, KX_C270W); },
                        [port](CommunicationObserver* o) {
                            BasePrinter printer(port, o, KX_C270W);
                            printer.updateLabelInfo({label()});
                            return byCode();
                        }});
    }

    Bytes counter(36, 0);
    counter[13] = 0x2C;
    Bytes battery(16, 0);
    battery[0] = 16;
    battery[1] = 5;
    battery[2] = 100;
    battery[3] = 1;
    const auto text = [](std::string s) { return !s.empty(); };
    rows.push_back(query(
        "serial number, USB", PORT_USB,
        [](SimulatedPrinter& p) {
            p.queueRecord(Bytes{10, '0', '1', '2', '3', '4', '5'});
            p.queueRecord(Bytes{'6', '7', '8', '9'});
        },
        [text](BasePrinter& b) { return text(b.getSerialNumber()); }));
    rows.push_back(query(
        "serial number, Bluetooth", PORT_BLUETOOTH,
        [](SimulatedPrinter& p) {
            p.queueRecord(Bytes{4});
            p.queueRecord(Bytes{'A', 'B', 'C', 'D'});
        },
        [text](BasePrinter& b) { return text(b.getSerialNumber()); }));
    rows.push_back(query(
        "serial number, network", PORT_NET,
        [](SimulatedPrinter& p) { p.onOid(Oids::oidSerialNumber, {Reply::text("E12345")}); },
        [text](BasePrinter& b) { return text(b.getSerialNumber()); }));
    rows.push_back(query(
        "media version", PORT_USB,
        [](SimulatedPrinter& p) {
            p.queueRecord(Bytes{5, '1', '.', '0', '2', 'A', 0, 0});
        },
        [text](BasePrinter& b) { return text(b.getMediaVer()); }));
    rows.push_back(query(
        "page counter", PORT_NET,
        [counter](SimulatedPrinter& p) { p.onOid(Oids::oidPageCounter, {Reply(counter)}); },
        [](BasePrinter& b) { return b.getPageCounter() != 0; }));
    rows.push_back(query(
        "device status", PORT_NET,
        [](SimulatedPrinter& p) {
            p.onOid(Oids::oidConsoleDisplayText, {Reply::text("READY  TO  PRINT")});
        },
        [text](BasePrinter& b) { return text(b.getDeviceStatus()); }));
    rows.push_back(query(
        "system report", PORT_USB,
        [](SimulatedPrinter& p) {
            p.queueRecord(Bytes{3, 0});
            p.queueRecord(Bytes{0x41, 0xFF, 0x0A});
        },
        [text](BasePrinter& b) { return text(b.getSystemReport()); }));
    for (Port port : {PORT_USB, PORT_NET}) {
        rows.push_back(query(
            port == PORT_NET ? "battery, network" : "battery, USB", port,
            [battery](SimulatedPrinter& p) {
                p.onExchange({0x1B, 0x69, 0x61}, {Reply(battery)});
                p.onOid(Oids::oidBatteryInfo, {Reply(battery)});
            },
            [](BasePrinter& b) {
                PrinterBatteryInfo info;
                return b.getBatteryInfo(info);
            }));
    }
    return rows;
}

}  // namespace operation_end
