#pragma once

// Options of template printing: one process-wide instance kept by the host bridge, copied by
// every template print.
struct TemplatePrintOption {
    bool peelMode = false;                    // wait for the label to be peeled off after each page
    int checkPrintEnd = 3;                    // print-end check mode (1, 2 or 3)
    int numberOfCopies = 1;                   // copies of the template
    bool doStatusCheck = true;                // read the status and wait for paper first
    int closeWaitDisusingStatusCheckSec = 3;  // wait after the last page instead of polling
    bool useCopyCommandInTemplatePrint = false;  // the printer makes the copies
};
