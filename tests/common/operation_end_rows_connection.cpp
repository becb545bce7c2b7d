#include <vector>

#include "common/operation_end_rows.h"
#include "connection/base_printer.h"
#include "connection/printer_status.h"
#include "support/status_reply_builder.h"

namespace operation_end {

namespace {

using Bytes = std::vector<unsigned char>;

Outcome codeOnly() {
    Outcome out;
    out.code = PrinterStatus::error_code_;
    out.ok = out.code == 1;
    return out;
}

}  // namespace

std::vector<Row> connectionRows() {
    std::vector<Row> rows;
    rows.push_back({"status",
                    [](SimulatedPrinter& p) {
                        p.onExchange({0x1B, 0x69, 0x53},
                                     {SimulatedPrinter::Reply(
                                         Bytes(StatusReplyBuilder(KX_C270W).media(62, 0x0B, 29)))});
                    },
                    [](CommunicationObserver* o) {
                        BasePrinter printer(PORT_USB, o, KX_C270W);
                        Paper paper;
                        printer.getPrinterStatus(paper);
                        return codeOnly();
                    }});
    return rows;
}

}  // namespace operation_end
