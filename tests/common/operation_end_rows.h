#pragma once

#include <vector>

#include "support/operation_end_sweep.h"

// The operations the host can call, as rows of the operation-end sweep: one source file a
// subsystem.
namespace operation_end {

std::vector<Row> connectionRows();
std::vector<Row> rasterRows();
std::vector<Row> settingsRows();
std::vector<Row> transferRows();
std::vector<Row> customPaperRows();

}  // namespace operation_end
