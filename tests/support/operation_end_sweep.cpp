#include "support/operation_end_sweep.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "connection/base_printer.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"

namespace operation_end {

namespace {

using Slot = SimulatedPrinter::Slot;

// Exchanges that may follow a cancelled call: the cancel sequence (zero bytes, the cancel
// command) and a last status reading.
constexpr int kExchangesAfterStop = 3;

// The error code the bridge's observer leaves when the host refuses a progress message.
constexpr int kRefusedCode = 40;

struct Run {
    Outcome outcome;
    std::vector<SimulatedPrinter::Call> calls;
};

Run runOnce(const Row& row, const std::function<void(SimulatedPrinter&)>& fault) {
    resetPrinterStatusStatics();
    SimulatedPrinter printer;
    row.answers(printer);
    if (fault) {
        fault(printer);
    }
    Run r;
    r.outcome = row.run(&printer);
    r.calls = printer.calls();
    return r;
}

int exchangesAfter(const std::vector<SimulatedPrinter::Call>& calls, size_t k) {
    int n = 0;
    for (size_t i = k; i < calls.size(); ++i) {
        if (calls[i].slot != Slot::SendMessage && calls[i].slot != Slot::IsAliveSendTask &&
            calls[i].slot != Slot::ResetPrinterResultErrorCode) {
            ++n;
        }
    }
    return n;
}

std::string describe(const Outcome& o) {
    return std::string(o.ok ? "true" : "false") + " with code " + std::to_string(o.code);
}

}  // namespace

void checkRow(const Row& row) {
    SCOPED_TRACE(row.name);
    const Run clean = runOnce(row, nullptr);
    // Every row runs an operation that succeeds, so that each stop is seen to change it.
    EXPECT_EQ(describe(clean.outcome), describe(Outcome{true, 1})) << "clean run";
    if (row.noCall) {
        EXPECT_TRUE(clean.calls.empty()) << "an answer without an exchange made a call";
        return;
    }
    ASSERT_FALSE(clean.calls.empty()) << "the operation made no call";
    const size_t calls = clean.calls.size();
    const bool endsWithProgress = clean.calls.back().slot == Slot::SendMessage;

    for (size_t k = 1; k <= calls; ++k) {
        const bool last = endsWithProgress && k == calls;
        const std::string at = "call " + std::to_string(k) + " of " + std::to_string(calls);

        const Run cancelled = runOnce(row, [k](SimulatedPrinter& p) {
            p.onCall(static_cast<int>(k), [] { BasePrinter::cancel(); });
        });
        if (last) {
            EXPECT_EQ(describe(cancelled.outcome), describe(clean.outcome))
                << "cancel during the final progress code, " << at;
        } else {
            EXPECT_EQ(describe(cancelled.outcome), describe(Outcome{false, 37}))
                << "cancel at " << at;
            EXPECT_LE(exchangesAfter(cancelled.calls, k), kExchangesAfterStop)
                << "exchanges after a cancel at " << at;
        }

        if (clean.calls[k - 1].slot != Slot::SendMessage) {
            continue;
        }
        const Run refused = runOnce(row, [k](SimulatedPrinter& p) {
            p.onCall(static_cast<int>(k), [] { PrinterStatus::error_code_ = kRefusedCode; });
        });
        if (last) {
            EXPECT_EQ(describe(refused.outcome), describe(clean.outcome))
                << "refusal of the final progress code, " << at;
        } else {
            EXPECT_EQ(describe(refused.outcome), describe(Outcome{false, kRefusedCode}))
                << "refusal of the progress message at " << at;
            EXPECT_LE(exchangesAfter(refused.calls, k), kExchangesAfterStop)
                << "exchanges after a refusal at " << at;
        }
    }
}

}  // namespace operation_end
