#pragma once

#include "catalogue/model.h"
#include "catalogue/printer_spec.h"

// The PrinterSpec of a model as an operation loads it (the defaults for a model without a record).
PrinterSpec specOf(Model model);
