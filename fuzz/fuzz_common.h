#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "connection/base_printer.h"
#include "connection/printer_status.h"
#include "connection/wait.h"

// A broken promise of the library under fuzzing: print what failed and abort, so that
// libFuzzer keeps the input as a finding.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace lumeko_fuzz {

// Waits of the library return at once under fuzzing.
inline void installQuietWait() {
    lumeko::setWaitFunction([](std::chrono::microseconds) {});
}

// The process-wide state every run starts from. The process status and the mode 9 flag
// outlive every operation (the constructors keep them), so a target sets them from its
// input: whatever an earlier call left there.
inline void resetProcessState(int processStatus = 0, int mode9 = 0) {
    BasePrinter::cancel_flag = false;
    PrinterStatus::error_code_ = 1;
    PrinterStatus::process_status_ = processStatus;
    PrinterStatus::mode9_ = static_cast<uint8_t>(mode9);
}

}  // namespace lumeko_fuzz
