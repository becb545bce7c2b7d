#include "connection/base_printer.h"

// Paper selection for a job.

void BasePrinter::init(RasterPrintOption option) {
    (void)option;
}

bool BasePrinter::getCustomPaperinfo(RasterPrintOption option) {
    (void)option;
    return false;
}

std::vector<Paper> BasePrinter::getPaperList(RasterPrintOption& option) {
    (void)option;
    return std::vector<Paper>();
}

PrinterSpec BasePrinter::getPrinterSpec() {
    return spec;
}
