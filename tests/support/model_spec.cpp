#include "model_spec.h"

#include "catalogue/printer_spec_builder.h"

PrinterSpec specOf(Model model) {
    PrinterSpec spec;
    PrinterSpecBuilder().getPrinterSpec(spec, model);
    return spec;
}
