#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/operation_end_rows.h"
#include "connection/util.h"
#include "raster/raster_print_fixture.h"

namespace operation_end {

using namespace print_job;

void printingPrinter(SimulatedPrinter& p, Model model, const RasterPrintOption& option,
                     bool preparedFile) {
    RasterPrintOption copy = option;
    ProbeRasterPrint probe(PORT_USB, nullptr, model, copy);
    const Bytes ready = readyStatus(model, probe.jobPaper());
    p.onExchange(kStatusRequest, {SimulatedPrinter::Reply(ready)});
    p.onExchange({0x1B, 0x69, 0x61}, {SimulatedPrinter::Reply(Bytes{0xC8})});
    p.onExchange({0x1B, 0x7E, 0x65, 0x50}, {SimulatedPrinter::Reply(Bytes{0x97})});
    p.setDefaultRecord(preparedFile ? ready : printedRecord(model));
}

namespace {

Outcome jobOutcome(bool ok) {
    return {ok, PrinterStatus::error_code_};
}

// A prepared print file of one page, written once.
const std::string& preparedFile() {
    static const std::string path = [] {
        const std::string p = ::testing::TempDir() + "lumeko_operation_end.prn";
        const Bytes file =
            cat({kSwitchRaster, kInit, {0x67, 0x00, 0x02, 0x01, 0xFF, 0x1A}, kTrailer});
        tpes::Util::writeFile(p, file.data(), static_cast<int>(file.size()), true);
        return p;
    }();
    return path;
}

}  // namespace

Row printJobRow(std::string name, Model model, const RasterPrintOption& option) {
    return {std::move(name),
            [model, option](SimulatedPrinter& p) { printingPrinter(p, model, option, false); },
            [model, option](CommunicationObserver* o) {
                RasterPrintOption jobOptions = option;
                RasterPrint job(PORT_USB, o, model, jobOptions);
                Picture picture = framePicture(64, 40);
                BitmapData bitmap = picture.bitmap();
                return jobOutcome(job.printBitmap(bitmap, 0, 1));
            }};
}

std::vector<Row> rasterRows() {
    std::vector<Row> rows;
    for (const SeriesRow& series : seriesRows()) {
        for (bool statusCheck : {false, true}) {
            RasterPrintOption option = rowOption(series, 2);
            option.doStatusCheck = statusCheck;
            option.checkPrintEnd = 3;
            const std::string name =
                std::string(series.name) + (statusCheck ? ", status check" : "");
            const Model model = series.model;
            rows.push_back(printJobRow("print job, " + name, model, option));
            rows.push_back(
                {"prepared file, " + name,
                 [model, option](SimulatedPrinter& p) { printingPrinter(p, model, option, true); },
                 [model, option](CommunicationObserver* o) {
                     RasterPrintOption jobOptions = option;
                     RasterPrint job(PORT_USB, o, model, jobOptions);
                     std::string path = preparedFile();
                     return jobOutcome(job.printPrn(path));
                 }});
        }
        RasterPrintOption option = rowOption(series, 1);
        option.savePrnPath = ::testing::TempDir() + "lumeko_operation_end_out.prn";
        const Model model = series.model;
        rows.push_back({std::string("print file, ") + series.name, [](SimulatedPrinter&) {},
                        [model, option](CommunicationObserver* o) {
                            RasterPrintOption jobOptions = option;
                            RasterPrint job(PORT_USB, o, model, jobOptions);
                            Picture picture = framePicture(64, 40);
                            BitmapData bitmap = picture.bitmap();
                            return jobOutcome(job.createPrintData(bitmap, 0, 1));
                        }});
    }
    return rows;
}

}  // namespace operation_end
