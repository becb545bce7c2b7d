#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/operation_end_rows.h"
#include "support/status_reply_builder.h"
#include "transfer/file_transfer_fixture.h"
#include "transfer/template_print.h"

// The template, firmware and database operations the host calls, each on a printer that
// makes it succeed, with loops of more than one exchange where the operation has them.
namespace operation_end {

namespace {

using namespace transfer_test;

const Bytes kStatusRequest = {0x1B, 0x69, 0x53};
const Bytes kTransferModeQuery = {0x1B, 0x69, 0x46, 0x69, 0x00};
const Bytes kTransferModeSwitch = {0x1B, 0x69, 0x46, 0x4D};
const Bytes kTransferStatusRequest = {0x1B, 0x69, 0x46, 0x53};
const Bytes kFirmwareVersion1 = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x01, 0x01};
const Bytes kBatteryWeak = {0x1B, 0x69, 0x46, 0x69, 0x02};
const Bytes kBootMode = {0x1B, 0x69, 0x46, 0x69, 0x01};
const std::string kCountOid = "1.3.6.1.4.1.7741.3.3.9.1.6.4.0";
const std::string kHeaderOid = "1.3.6.1.4.1.7741.3.3.9.1.6.5.0";
const std::string kFirmwareVersionOid = "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5";

// The model of the transfer rows, its spec set per row; the template print rows take a
// model with template printing and status replies as the catalogue has it.
constexpr Model kModel = KX_C270W;
constexpr Model kTemplateModel = SN_3200N;

Outcome outcome(bool ok) {
    return Outcome{ok, PrinterStatus::error_code_};
}

// The printer's list reply: the count, then 64-byte headers, in pieces of `piece` bytes.
std::vector<Bytes> listPieces(const std::vector<uint16_t>& keys, size_t piece) {
    Bytes reply = {static_cast<unsigned char>(keys.size()), 0};
    for (uint16_t key : keys) {
        const Bytes h = templateHeader(key, "K" + std::to_string(key));
        reply.insert(reply.end(), h.begin(), h.end());
    }
    std::vector<Bytes> pieces;
    for (size_t at = 0; at < reply.size(); at += piece) {
        pieces.emplace_back(reply.begin() + static_cast<long>(at),
                            reply.begin() + static_cast<long>(std::min(at + piece, reply.size())));
    }
    return pieces;
}

std::string hexText(const Bytes& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text = "0x";
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += i > 0 ? ":" : "";
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

// A FileTransfer for the row's port with every transfer function there and transfer status.
struct Transfer {
    Transfer(CommunicationObserver* o, Port port, bool doStatusCheck, int protocol = 100)
        : option(defaultOptions(doStatusCheck)), t(port, o, kModel, option) {
        configure(t, port, true, protocol);
        t.editSpec().modelName = "KX-C270W";
    }
    RasterPrintOption option;
    TestFileTransfer t;
};

// A printer ready for the operation: status readings show no error.
void ready(SimulatedPrinter& p) {
    p.onExchange(kStatusRequest, {Reply(StatusReplyBuilder(kModel).bytes())});
}

std::vector<Row> listRows() {
    std::vector<Row> rows;
    rows.push_back({"template list, ESC route: three templates in 32-byte pieces",
                    [](SimulatedPrinter& p) {
                        ready(p);
                        for (const Bytes& piece : listPieces({1, 2, 3}, 32)) {
                            p.queueRecord(Record(piece));
                        }
                    },
                    [](CommunicationObserver* o) {
                        Transfer x(o, PORT_BLE, true);
                        std::vector<TemplateHeader> list;
                        const bool ok = x.t.getTemplateList(list);
                        return outcome(ok && list.size() == 3);
                    }});
    rows.push_back({"template list, network route: three header reads",
                    [](SimulatedPrinter& p) {
                        p.onOid(kCountOid, {Reply(Bytes{3, 0})});
                        std::vector<Reply> texts;
                        for (uint16_t key = 1; key <= 3; ++key) {
                            texts.push_back(Reply::text(hexText(templateHeader(key))));
                        }
                        p.onOid(kHeaderOid, texts);
                    },
                    [](CommunicationObserver* o) {
                        Transfer x(o, PORT_NET, false);
                        std::vector<TemplateHeader> list;
                        const bool ok = x.t.getTemplateList(list);
                        return outcome(ok && list.size() == 3);
                    }});
    rows.push_back({"template removal: one of two templates, then the check pass",
                    [](SimulatedPrinter& p) {
                        ready(p);
                        p.queueRecord(Record(listPieces({5, 9}, 256).front()));
                        p.queueRecord(Record(transferStatus(1)));
                        p.queueRecord(Record(listPieces({9}, 256).front()));
                    },
                    [](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, true);
                        const int keys[] = {5, 7};
                        return outcome(x.t.removeTemplate(keys, 2));
                    }});
    return rows;
}

std::vector<Row> transferFileRows(const std::shared_ptr<TempFiles>& files) {
    const Bytes pre = preamble("KX-C270W");
    const std::string one =
        files->write("one.tlf", concat({pre, record(templateHeader(1), Bytes(20, 1))}));
    const std::string two =
        files->write("two.tlf", concat({pre, record(templateHeader(2), Bytes(20, 2)),
                                        record(templateHeader(3), Bytes(20, 3))}));
    Bytes oneModel = header(0x40, 0x0100, 0x30, 0x65);
    oneModel.resize(200, 0x33);
    const std::string oneModelA = files->write("a.bin", oneModel);
    const std::string oneModelB = files->write("b.bin", oneModel);
    Bytes firmware = header(0x80, 0x0600);
    firmware.resize(300, 0x77);
    const std::string firmwareKd3 = files->write("firm.kd3", firmware);
    const std::string firmwareTlf =
        files->write("firm.tlf", concat({pre, record(header(0x80, 0x0600), Bytes(30, 7))}));
    const std::string text = "Name,Code\nApple,1\nPear,2\n";
    const std::string csv = files->write("items.csv", Bytes(text.begin(), text.end()));

    std::vector<Row> rows;
    rows.push_back({"template upload: two package files, three records, transfer timeout",
                    [](SimulatedPrinter& p) {
                        ready(p);
                        p.setDefaultRecord(transferStatus(1));
                    },
                    [one, two](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, true, 102);
                        return outcome(x.t.uploadTemplate({one, two}));
                    }});
    rows.push_back({"template upload, one-model route: two files in pieces the printer asks for",
                    [](SimulatedPrinter& p) {
                        Bytes switched(32, 0);
                        switched[18] = 1;
                        p.onExchange(kTransferModeSwitch, {Reply(switched)});
                        p.setDefaultRecord(transferStatus(1, 0, 0, 50));
                    },
                    [oneModelA, oneModelB](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, false);
                        x.t.editSpec().seriesCode = 0x30;
                        x.t.editSpec().modelCode = 0x65;
                        return outcome(x.t.uploadTemplate({oneModelA, oneModelB}));
                    }});
    rows.push_back({"database sending: one package, then the transfer status",
                    [](SimulatedPrinter& p) { p.queueRecord(Record(transferStatus(1))); },
                    [csv](CommunicationObserver* o) {
                        Transfer x(o, PORT_BLUETOOTH, true);
                        return outcome(x.t.sendDatabaseData("items", csv));
                    }});
    rows.push_back({"firmware update, database file: mode switch, pieces of 100 bytes, timeout",
                    [](SimulatedPrinter& p) {
                        Bytes switched(32, 0);
                        switched[18] = 1;
                        p.onExchange(kTransferModeQuery, {Reply(Bytes{1})});
                        p.onExchange(kTransferModeSwitch, {Reply(switched)});
                        p.onExchange(kTransferStatusRequest, {Reply(transferStatus(1, 0, 0, 100))});
                        p.setDefaultRecord(transferStatus(1, 0, 0, 100));
                    },
                    [firmwareKd3](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, true, 102);
                        x.t.editSpec().changeModeBeforeFirmwareUpdate = true;
                        return outcome(x.t.updateFirm(firmwareKd3));
                    }});
    rows.push_back({"firmware update, package file: status gate, record, status poll",
                    [](SimulatedPrinter& p) {
                        ready(p);
                        p.setDefaultRecord(transferStatus(1));
                    },
                    [firmwareTlf](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, true);
                        return outcome(x.t.updateFirm(firmwareTlf));
                    }});
    return rows;
}

std::vector<Row> queryRows() {
    std::vector<Row> rows;
    rows.push_back({"firmware version, ESC query",
                    [](SimulatedPrinter& p) {
                        p.onExchange(kFirmwareVersion1, {Reply(Bytes{'1', '.', '0', '7', 0})});
                    },
                    [](CommunicationObserver* o) {
                        Transfer x(o, PORT_USB, false);
                        x.t.editSpec().firmwareVersionMethod = 1;
                        return outcome(x.t.getFirmVer() == "107");
                    }});
    rows.push_back({"firmware version, network port",
                    [](SimulatedPrinter& p) {
                        p.onOid(kFirmwareVersionOid, {Reply::text("FIRMVER=\"1.07\"\r\n")});
                    },
                    [](CommunicationObserver* o) {
                        Transfer x(o, PORT_NET, false);
                        return outcome(x.t.getFirmVer() == "107");
                    }});
    // A port without firmware functions: the empty text is the answer, with code 1.
    for (const Port port : {PORT_USB, PORT_NET}) {
        rows.push_back({std::string("firmware version, no firmware functions on ") +
                            (port == PORT_NET ? "the network port" : "USB"),
                        [](SimulatedPrinter&) {},
                        [port](CommunicationObserver* o) {
                            Transfer x(o, port, false);
                            x.t.editSpec().supportFunctions[port] = 0x0F;
                            return outcome(x.t.getFirmVer().empty());
                        },
                        /*noCall=*/true});
    }
    for (const bool bootMode : {false, true}) {
        rows.push_back({bootMode ? "boot mode" : "weak battery flag",
                        [bootMode](SimulatedPrinter& p) {
                            p.onExchange(bootMode ? kBootMode : kBatteryWeak, {Reply(Bytes{1})});
                        },
                        [bootMode](CommunicationObserver* o) {
                            Transfer x(o, PORT_USB, false);
                            x.t.editSpec().batteryWeakBootModeCommand = true;
                            return outcome((bootMode ? x.t.getBootMode() : x.t.getBatteryWeak()) ==
                                           1);
                        }});
    }
    return rows;
}

// A template print of two copies; with the status check on, the status is read first.
Row templatePrintRow(bool doStatusCheck, bool copyCommand) {
    std::string name = "template print, status check ";
    name += doStatusCheck ? "on" : "off";
    name += copyCommand ? ", copies made by the printer" : ", one block a copy";
    return {name,
            [](SimulatedPrinter& p) {
                const Bytes status = StatusReplyBuilder(kTemplateModel).bytes();
                p.onExchange(kStatusRequest, {Reply(status)});
                p.setDefaultRecord(status);
            },
            [doStatusCheck, copyCommand](CommunicationObserver* o) {
                TemplatePrint(kTemplateModel, PORT_USB).initKXTCommand(7);
                TemplatePrintOption option;
                option.numberOfCopies = 2;
                option.useCopyCommandInTemplatePrint = copyCommand;
                option.checkPrintEnd = 3;
                option.doStatusCheck = doStatusCheck;
                option.closeWaitDisusingStatusCheckSec = 0;
                TemplatePrint print(PORT_USB, o, kTemplateModel, option);
                // The print writes a line for each page.
                testing::internal::CaptureStdout();
                const bool ok = print.printKXTCommand();
                testing::internal::GetCapturedStdout();
                return outcome(ok);
            }};
}

}  // namespace

std::vector<Row> transferRows() {
    // The files live as long as the rows that read them.
    auto files = std::make_shared<TempFiles>();
    std::vector<Row> rows = listRows();
    for (std::vector<Row> more : {transferFileRows(files), queryRows()}) {
        rows.insert(rows.end(), more.begin(), more.end());
    }
    for (const bool doStatusCheck : {true, false}) {
        rows.push_back(templatePrintRow(doStatusCheck, !doStatusCheck));
    }
    // Keep the scratch directory for the rows' lifetime.
    for (Row& row : rows) {
        row.answers = [files, answers = row.answers](SimulatedPrinter& p) { answers(p); };
    }
    return rows;
}

}  // namespace operation_end
