#pragma once

#include <vector>

#include "connection/printer_status.h"
#include "fuzz_common.h"
#include "fuzzed_observer.h"

namespace lumeko_fuzz {

// What every operation the host calls promises, whatever the printer answered: a success
// leaves error code 1 and a failure never does; a cancel or a refused progress message
// before the final progress code ends it with false and 37 or 40. One that reached the
// operation during its final progress code (its last call) came too late to matter.
inline void checkOperationEnd(bool ok, const FuzzedObserver& printer) {
    const int code = PrinterStatus::error_code_;
    FUZZ_CHECK(ok == (code == 1));
    const int stop = printer.stopCall();
    if (stop == 0) {
        return;
    }
    const std::vector<FuzzedObserver::Call>& calls = printer.calls();
    const bool duringFinalCode = stop == static_cast<int>(calls.size()) &&
                                 calls.back().slot == FuzzedObserver::Slot::SendMessage;
    if (!duringFinalCode) {
        FUZZ_CHECK(!ok && (code == 37 || code == 40));
    }
}

// A step of an operation (not called by the host itself): a success leaves error code 1,
// and no cancel or refusal reached it before its last call. A step need not look at a stop
// during its last call (the code of the stop then stands): the operation around it does.
inline void checkStepSuccess(bool ok, const FuzzedObserver& printer) {
    if (!ok) {
        return;
    }
    const int stop = printer.stopCall();
    if (stop == 0) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 1);
    } else {
        FUZZ_CHECK(stop == static_cast<int>(printer.calls().size()));
    }
}

}  // namespace lumeko_fuzz
