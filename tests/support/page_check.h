#pragma once

#include <functional>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "connection/base_printer.h"
#include "simulated_printer.h"
#include "wait_recorder.h"

// What one print-end wait did.
struct PageCheckResult {
    int next = 0;                                  // updatePrintPage's result
    int code = 0;                                  // error code afterwards
    std::vector<int> messages;                     // progress codes
    std::vector<std::vector<unsigned char>> sent;  // sendData calls
    std::vector<long long> waits;                  // whole seconds
    int readings = 0;                              // receiveData calls plus network status requests
};

// Runs updatePrintPage once on a fresh operation for (model, port) over printer (or over no
// observer when printer is null), with its own wait recorder; prepare may add wait hooks.
PageCheckResult runPageCheck(Model model, Port port, PrintEndCheckOption option,
                             BasePrinter::CheckStatus check, int page, int pages,
                             SimulatedPrinter* printer,
                             const std::function<void(WaitRecorder&)>& prepare = {});

// A print-end check option.
PrintEndCheckOption endCheck(int mode, int closeWaitSeconds = 0, bool peelMode = false);
