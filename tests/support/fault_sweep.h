#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "connection/communication_observer.h"
#include "support/simulated_printer.h"

// Fault sweep: run an operation once against a printer that answers well, then once per
// exchange with that exchange failing, and once per receiveData with a short, an over-long,
// a negative and a zero count. The caller checks every rerun.
namespace fault_sweep {

enum class Fault { Fail, ShortCount, LongCount, NegativeCount, ZeroCount };

inline const char* faultName(Fault f) {
    switch (f) {
        case Fault::Fail:
            return "fails";
        case Fault::ShortCount:
            return "short count";
        case Fault::LongCount:
            return "over-long count";
        case Fault::NegativeCount:
            return "negative count";
        default:
            return "zero count";
    }
}

// Forwards every call to a simulated printer and spoils the answer of call `target`
// (1-based, counted over every slot): false (or -1), or another receiveData count. The
// bytes the printer wrote stay; only the result the library sees changes.
class FaultInjector : public CommunicationObserver {
  public:
    FaultInjector(SimulatedPrinter& inner, int target, Fault fault)
        : inner_(inner), target_(target), fault_(fault) {}

    bool sendData(int length, unsigned char* data) override {
        return spoil(inner_.sendData(length, data));
    }
    bool sendDataAsynchronous(int length, unsigned char* data) override {
        return spoil(inner_.sendDataAsynchronous(length, data));
    }
    bool sendDataReceiveData(int length, unsigned char* data, int replyLength,
                             unsigned char* reply) override {
        return spoil(inner_.sendDataReceiveData(length, data, replyLength, reply));
    }
    int receiveData(int length, unsigned char* buffer, bool flag) override {
        const int count = inner_.receiveData(length, buffer, flag);
        if (++calls_ != target_) {
            return count;
        }
        switch (fault_) {
            case Fault::Fail:
                return -1;
            case Fault::ShortCount:
                return std::max(0, std::min(count, length) - 1);
            case Fault::LongCount:
                return length + 1;
            case Fault::NegativeCount:
                return -7;
            default:
                return 0;
        }
    }
    bool sendString(std::string text) override { return spoil(inner_.sendString(text)); }
    bool sendStringReceiveData(std::string request, int replyLength,
                               unsigned char* reply) override {
        return spoil(inner_.sendStringReceiveData(request, replyLength, reply));
    }
    bool sendStringReceiveString(std::string request, std::string& reply) override {
        return spoil(inner_.sendStringReceiveString(request, reply));
    }
    bool sendMessage(int code) override {
        ++calls_;
        return inner_.sendMessage(code);
    }
    bool isAliveSendTask() override {
        ++calls_;
        return inner_.isAliveSendTask();
    }
    bool resetPrinterResultErrorCodeIfCommunicationError() override {
        ++calls_;
        return inner_.resetPrinterResultErrorCodeIfCommunicationError();
    }

  private:
    bool spoil(bool result) { return ++calls_ == target_ ? false : result; }

    SimulatedPrinter& inner_;
    int target_;
    Fault fault_;
    int calls_ = 0;
};

// What one run of an operation gave.
struct Outcome {
    bool ok = false;    // the operation's own result (its success value)
    int code = 0;       // PrinterStatus::error_code_ afterwards
    std::string value;  // a text result, where the operation has one
};

// One rerun: the call spoiled, how, and what came of it.
struct Rerun {
    int call = 0;  // 1-based index over every call
    SimulatedPrinter::Slot slot{};
    Fault fault = Fault::Fail;
    Outcome outcome;
    const SimulatedPrinter* printer = nullptr;  // every call of the rerun
    std::string label() const {
        return "call " + std::to_string(call) + " (" + slotName(slot) + ") " + faultName(fault);
    }
};

// Runs an operation against a fresh simulated printer: `answers` teaches it, `run` runs
// the operation through the observer it is given.
using Answers = std::function<void(SimulatedPrinter&)>;
using Run = std::function<Outcome(CommunicationObserver*)>;

// An exchange is every call but the progress messages, the send-task polls and the error
// reset, whose results the library does not act on as a failure.
inline bool isExchange(SimulatedPrinter::Slot s) {
    return s != SimulatedPrinter::Slot::SendMessage &&
           s != SimulatedPrinter::Slot::IsAliveSendTask &&
           s != SimulatedPrinter::Slot::ResetPrinterResultErrorCode;
}

// The clean run's calls; then every rerun goes to `check`. Returns the clean outcome.
inline Outcome sweep(const Answers& answers, const Run& run,
                     const std::function<void(const Outcome& clean,
                                              const std::vector<SimulatedPrinter::Call>& cleanCalls,
                                              const Rerun&)>& check,
                     std::vector<SimulatedPrinter::Call>* cleanCallsOut = nullptr) {
    std::vector<SimulatedPrinter::Call> cleanCalls;
    Outcome clean;
    {
        SimulatedPrinter printer;
        answers(printer);
        clean = run(&printer);
        cleanCalls = printer.calls();
    }
    if (cleanCallsOut != nullptr) {
        *cleanCallsOut = cleanCalls;
    }
    for (size_t k = 1; k <= cleanCalls.size(); ++k) {
        const SimulatedPrinter::Slot slot = cleanCalls[k - 1].slot;
        if (!isExchange(slot)) {
            continue;
        }
        std::vector<Fault> faults = {Fault::Fail};
        if (slot == SimulatedPrinter::Slot::ReceiveData) {
            faults = {Fault::Fail, Fault::ShortCount, Fault::LongCount, Fault::NegativeCount,
                      Fault::ZeroCount};
        }
        for (Fault fault : faults) {
            SimulatedPrinter printer;
            answers(printer);
            FaultInjector injector(printer, static_cast<int>(k), fault);
            Rerun r;
            r.call = static_cast<int>(k);
            r.slot = slot;
            r.fault = fault;
            r.outcome = run(&injector);
            r.printer = &printer;
            check(clean, cleanCalls, r);
        }
    }
    return clean;
}

}  // namespace fault_sweep
