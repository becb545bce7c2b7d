#pragma once

#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/raster_print_option.h"

#include "support/operation_end_sweep.h"

// The operations the host can call, as rows of the operation-end sweep: one source file a
// subsystem.
namespace operation_end {

std::vector<Row> connectionRows();
std::vector<Row> rasterRows();
std::vector<Row> settingsRows();
std::vector<Row> transferRows();
std::vector<Row> customPaperRows();

// A printer that prints: ready for the job's paper, a battery byte for every battery
// command, after every page the "printed" record or, for a prepared file, the status reply.
void printingPrinter(SimulatedPrinter& p, Model model, const RasterPrintOption& option,
                     bool preparedFile);
// A one-page bitmap job of the model with these options on such a printer.
Row printJobRow(std::string name, Model model, const RasterPrintOption& option);

}  // namespace operation_end
