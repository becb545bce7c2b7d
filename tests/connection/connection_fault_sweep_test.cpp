// Fault sweep of the status operations, the paper wait and every device query: each
// exchange of a good run fails once, and each receiveData comes back once with a short, an
// over-long, a negative and a zero count. No rerun may end as a success.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/printer_spec.h"
#include "connection/base_printer.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "support/fault_sweep.h"
#include "support/model_spec.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Reply = SimulatedPrinter::Reply;
using fault_sweep::Fault;
using fault_sweep::Outcome;
using Oids = tpes::PrinterMibOids;

// The first catalogued model the predicate accepts.
template <typename Predicate>
Model firstModel(Predicate accept) {
    for (int m = 0; m < NO_MODEL; ++m) {
        const PrinterSpec spec = specOf(static_cast<Model>(m));
        if (spec.headDots != 0 && accept(spec)) {
            return static_cast<Model>(m);
        }
    }
    ADD_FAILURE() << "no model fits";
    return NO_MODEL;
}

// Answers of a printer that is ready: the status reply on every port, and a battery byte
// for every battery command (1B 69 61 ..., and the second command of the FC-series reader).
void readyPrinter(SimulatedPrinter& p, Model model) {
    const Bytes ready = StatusReplyBuilder(model).media(0, 0x01, 0);  // paper loaded
    p.onExchange({0x1B, 0x69, 0x53}, {Reply(ready)});
    p.onOid(Oids::oidPrinterStatusReply, {Reply(ready)});
    p.onExchange({0x1B, 0x69, 0x61}, {Reply(Bytes{0xC8})});
    p.onExchange({0x1B, 0x7E, 0x65, 0x50}, {Reply(Bytes{0x97})});
}

class ConnectionFaultSweep : public PrinterStatusTest {};

// Status request with the battery reading of every kind, on the serial and network ports.
TEST_F(ConnectionFaultSweep, StatusRequest) {
    struct Case {
        const char* name;
        Model model;
        Port port;
    };
    std::vector<Case> cases;
    for (int mode : {PS_BATTERY_NONE, PS_BATTERY_FC_COMMAND, PS_BATTERY_GY160_COMMAND,
                     PS_BATTERY_GY310_COMMAND, PS_BATTERY_GY180_COMMAND, PS_BATTERY_STATUS}) {
        const Model model = firstModel(
            [mode](const PrinterSpec& s) { return s.statusSupported && s.batteryMode == mode; });
        cases.push_back({"battery mode", model, PORT_USB});
        if (mode == PS_BATTERY_NONE) {
            cases.push_back({"network port", model, PORT_NET});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", model " + std::to_string(c.model));
        int reruns = 0;
        const Outcome clean = fault_sweep::sweep(
            [&](SimulatedPrinter& p) { readyPrinter(p, c.model); },
            [&](CommunicationObserver* o) {
                resetPrinterStatusStatics();
                BasePrinter printer(c.port, o, c.model);
                Paper paper;
                printer.getPrinterStatus(paper);
                Outcome out;
                out.code = PrinterStatus::error_code_;
                out.ok = out.code == 1;
                return out;
            },
            [&](const Outcome&, const std::vector<SimulatedPrinter::Call>&,
                const fault_sweep::Rerun& r) {
                ++reruns;
                EXPECT_EQ(r.outcome.code, 6) << r.label();
                EXPECT_EQ(PrinterStatus::battery_normalized_, PrinterStatus::BatteryNormalized())
                    << r.label();
            });
        EXPECT_TRUE(clean.ok);
        EXPECT_GE(reruns, 1);
    }
}

// Waiting for paper: the printer reports no paper twice, then paper.
TEST_F(ConnectionFaultSweep, PaperWait) {
    const Model model = firstModel(
        [](const PrinterSpec& s) { return s.statusSupported && s.waitForPaperSupported; });
    int reruns = 0;
    const Outcome clean = fault_sweep::sweep(
        [&](SimulatedPrinter& p) {
            const Bytes out = StatusReplyBuilder(model).statusType(2).errorInfo1(0x01);
            const Bytes loaded = StatusReplyBuilder(model).media(0, 0x01, 0);
            p.onExchange({0x1B, 0x69, 0x53}, {Reply(out), Reply(out), Reply(loaded)});
        },
        [&](CommunicationObserver* o) {
            resetPrinterStatusStatics();
            BasePrinter printer(PORT_USB, o, model);
            PrinterStatus::error_code_ = 4;
            printer.waitForPaper();
            Outcome out;
            out.code = PrinterStatus::error_code_;
            out.ok = out.code == 1;
            return out;
        },
        [&](const Outcome&, const std::vector<SimulatedPrinter::Call>&,
            const fault_sweep::Rerun& r) {
            ++reruns;
            EXPECT_EQ(r.outcome.code, 6) << r.label();
        });
    EXPECT_TRUE(clean.ok);
    EXPECT_EQ(reruns, 3);
}

// Every device query on each of its routes. A failed exchange or a negative count is error
// 6 with the empty result; a zero count gives the empty result (the error code untouched,
// as the query contract says for an empty reply). A short or over-long count gives the
// empty result or the same answer as the clean run (the simulated printer wrote every
// byte), never another one.
TEST_F(ConnectionFaultSweep, DeviceQueries) {
    const Model model = firstModel(
        [](const PrinterSpec& s) { return s.serialNumberCommand && s.mediaVersionCommand; });
    Bytes counter(36, 0);
    counter[13] = 0x2C;
    Bytes battery(16, 0);
    battery[0] = 16;
    battery[1] = 5;
    battery[2] = 100;
    battery[3] = 1;
    struct Case {
        const char* name;
        Port port;
        fault_sweep::Answers answers;
        std::function<std::string(BasePrinter&)> query;
    };
    const std::vector<Case> cases = {
        {"serial number, USB", PORT_USB,
         [](SimulatedPrinter& p) {
             p.queueRecord(Bytes{10, '0', '1', '2', '3', '4', '5'});
             p.queueRecord(Bytes{'6', '7', '8', '9'});
         },
         [](BasePrinter& b) { return b.getSerialNumber(); }},
        {"serial number, Bluetooth", PORT_BLUETOOTH,
         [](SimulatedPrinter& p) {
             p.queueRecord(Bytes{4});
             p.queueRecord(Bytes{'A', 'B', 'C', 'D'});
         },
         [](BasePrinter& b) { return b.getSerialNumber(); }},
        {"serial number, network", PORT_NET,
         [](SimulatedPrinter& p) { p.onOid(Oids::oidSerialNumber, {Reply::text("E12345")}); },
         [](BasePrinter& b) { return b.getSerialNumber(); }},
        {"media version", PORT_USB,
         [](SimulatedPrinter& p) {
             p.queueRecord(Bytes{5, '1', '.', '0', '2', 'A', 0, 0});
         },
         [](BasePrinter& b) { return b.getMediaVer(); }},
        {"page counter", PORT_NET,
         [counter](SimulatedPrinter& p) { p.onOid(Oids::oidPageCounter, {Reply(counter)}); },
         [](BasePrinter& b) {
             const int n = b.getPageCounter();
             return n == 0 ? std::string() : std::to_string(n);
         }},
        {"device status", PORT_NET,
         [](SimulatedPrinter& p) {
             p.onOid(Oids::oidConsoleDisplayText, {Reply::text("READY  TO  PRINT")});
         },
         [](BasePrinter& b) { return b.getDeviceStatus(); }},
        {"system report", PORT_USB,
         [](SimulatedPrinter& p) {
             p.queueRecord(Bytes{3, 0});
             p.queueRecord(Bytes{0x41, 0xFF, 0x0A});
         },
         [](BasePrinter& b) { return b.getSystemReport(); }},
        {"battery, USB", PORT_USB,
         [battery](SimulatedPrinter& p) {
             p.onExchange({0x1B, 0x69, 0x61}, {Reply(battery)});
         },
         [](BasePrinter& b) {
             PrinterBatteryInfo info;
             return b.getBatteryInfo(info) ? std::to_string(info.firstValue) : std::string();
         }},
        {"battery, network", PORT_NET,
         [battery](SimulatedPrinter& p) { p.onOid(Oids::oidBatteryInfo, {Reply(battery)}); },
         [](BasePrinter& b) {
             PrinterBatteryInfo info;
             return b.getBatteryInfo(info) ? std::to_string(info.firstValue) : std::string();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int reruns = 0;
        const Outcome clean = fault_sweep::sweep(
            c.answers,
            [&](CommunicationObserver* o) {
                resetPrinterStatusStatics();
                BasePrinter printer(c.port, o, model);
                Outcome out;
                out.value = c.query(printer);
                out.code = PrinterStatus::error_code_;
                out.ok = !out.value.empty();
                return out;
            },
            [&](const Outcome& good, const std::vector<SimulatedPrinter::Call>&,
                const fault_sweep::Rerun& r) {
                ++reruns;
                switch (r.fault) {
                    case Fault::Fail:
                    case Fault::NegativeCount:
                        EXPECT_EQ(r.outcome.code, 6) << r.label();
                        EXPECT_FALSE(r.outcome.ok) << r.label();
                        break;
                    case Fault::ZeroCount:
                        EXPECT_FALSE(r.outcome.ok) << r.label() << ": " << r.outcome.value;
                        break;
                    case Fault::ShortCount:
                    case Fault::LongCount:
                        if (r.outcome.ok) {
                            EXPECT_EQ(r.outcome.value, good.value) << r.label();
                            EXPECT_EQ(r.outcome.code, 1) << r.label();
                        }
                        break;
                }
            });
        EXPECT_TRUE(clean.ok) << clean.value;
        EXPECT_EQ(clean.code, 1);
        EXPECT_GE(reruns, 1);
    }
}

}  // namespace
