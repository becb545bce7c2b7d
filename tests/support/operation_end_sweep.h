#pragma once

#include <functional>
#include <string>
#include <vector>

#include "connection/communication_observer.h"
#include "support/simulated_printer.h"

// How every operation the host can call must end, checked against one run of it:
//   - the clean run reports success and leaves error code 1;
//   - a host cancel at any observer call k before the final progress code ends the
//     operation with false and 37, and at most a few exchanges (the cancel sequence, a
//     last status reading) follow the call that was cancelled;
//   - a progress message the host refuses ends the operation with false and 40;
//   - a cancel or a refusal while the host handles the final progress code comes too late:
//     the run ends as the clean run did.
namespace operation_end {

// What one run of an operation gave.
struct Outcome {
    bool ok = false;  // the operation's own result (true, a list, a value)
    int code = 0;     // PrinterStatus::error_code_ afterwards
};

// One operation: `answers` teaches a fresh printer, `run` builds the operation on the
// observer it is given (the constructor clears the stop flags) and runs it. The clean run
// must succeed: true with code 1. An operation whose answer needs no exchange (an empty
// text where the port lacks the function, say) sets `noCall`: its clean run must then make
// no call at all, and there is nothing for a stop to reach.
struct Row {
    std::string name;
    std::function<void(SimulatedPrinter&)> answers;
    std::function<Outcome(CommunicationObserver*)> run;
    bool noCall = false;
};

// Runs the row clean, then with a cancel at every call and a refusal of every progress
// message, and reports every broken rule as a test failure. The final progress code is the
// clean run's last call when that call is a progress message.
void checkRow(const Row& row);

}  // namespace operation_end
