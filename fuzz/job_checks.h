#pragma once

#include <vector>

#include "connection/printer_status.h"
#include "fuzz_common.h"
#include "fuzzed_observer.h"

namespace lumeko_fuzz {

// What every print call promises, whatever the printer answered: a success is error code
// 1 and no send or exchange of it failed (a refused progress message is not an exchange:
// checkOperationEnd judges it); a failure is an error code other than 1. Two
// failures do not fail a job, as the print-end wait defines it: on the network port a poll
// reads the status three times and only the last reading counts, and the status request
// 1B 69 53 that the wait of a prepared file sends while the printer works may fail (the
// next reading decides). With `ownTrailer` the call builds its stream itself, and never
// sends the trailer 1B 69 61 FF after a failure.
inline void checkJobOutcome(bool ok, const FuzzedObserver& printer, bool ownTrailer) {
    using Slot = FuzzedObserver::Slot;
    bool failed = false;
    bool afterBatteryTypeRequest = false;
    for (const FuzzedObserver::Call& call : printer.calls()) {
        // The trailer is never sent once a call has failed (the failed call may be the
        // trailer itself).
        const std::vector<unsigned char>& s = call.sent;
        const size_t n = s.size();
        if (failed && ownTrailer && n >= 4 &&
            (call.slot == Slot::SendData || call.slot == Slot::SendDataAsynchronous)) {
            FUZZ_CHECK(
                !(s[n - 4] == 0x1B && s[n - 3] == 0x69 && s[n - 2] == 0x61 && s[n - 1] == 0xFF));
        }
        const bool statusPoke = call.slot == Slot::SendData &&
                                call.sent == std::vector<unsigned char>{0x1B, 0x69, 0x53};
        // The switch back to default mode after a battery type request that stopped the
        // battery reading is best effort: its result is ignored by design.
        const bool batterySwitchBack =
            afterBatteryTypeRequest && call.slot == Slot::SendData &&
            call.sent == std::vector<unsigned char>{0x1B, 0x69, 0x61, 0xFF};
        afterBatteryTypeRequest =
            call.slot == Slot::SendDataReceiveData &&
            call.sent == std::vector<unsigned char>{0x1B, 0x69, 0x61, 0x00, 0x1B,
                                                    0x7E, 0x65, 0x50, 0x05, 0x00};
        const bool failure = call.slot == Slot::ReceiveData
                                 ? call.result < 0
                                 : call.result == 0 && call.slot != Slot::IsAliveSendTask &&
                                       call.slot != Slot::SendMessage &&
                                       call.slot != Slot::SendStringReceiveData &&
                                       call.slot != Slot::SendStringReceiveString && !statusPoke &&
                                       !batterySwitchBack;
        failed = failed || failure;
    }
    if (ok) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 1);
        FUZZ_CHECK(!failed);
    } else {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1);
    }
}

}  // namespace lumeko_fuzz
