#include "connection/base_printer.h"

// Status checks, print-end wait and paper wait.

void BasePrinter::getPrinterStatus(Paper& paper) {
    (void)paper;
}

void BasePrinter::getPrinterStatus() {}

void BasePrinter::getPrinterStatusNotCheckedBattery(Paper paper) {
    (void)paper;
}

bool BasePrinter::getPrinterStatusWithoutCheckedPaper() {
    return false;
}

void BasePrinter::updateLabelInfo(std::vector<Paper> papers) {
    (void)papers;
}

int BasePrinter::updatePrintPage(int page, PrintEndCheckOption option,
                                 BasePrinter::CheckStatus check, int pages) {
    return page + checkPrintStatus(option, check, page, pages);
}

int BasePrinter::checkPrintStatus(const PrintEndCheckOption& option, BasePrinter::CheckStatus check,
                                  int page, int pages) {
    (void)option;
    (void)check;
    (void)page;
    (void)pages;
    return 1;
}

void BasePrinter::receivePrintStatus() {}

void BasePrinter::waitForPaper() {}
