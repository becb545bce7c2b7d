#pragma once

// What the entry points share: the entry lock that lets one host call run at a time, the rule
// for a path argument, the refusal of a host argument, and the one way a call builds its
// operation for the standing port and model, runs it with the call's observer and gives its
// result.

#include <jni.h>

#include <string>
#include <type_traits>
#include <utility>

#include "bridge/jni/call_context.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/jni_observer.h"
#include "bridge/jni/result_objects.h"
#include "bridge/jni/support_functions.h"
#include "bridge/standing_settings.h"
#include "common/error_code.h"
#include "connection/printer_status.h"

namespace bridge::jni {

// The error codes the bridge sets, as every entry point names them.
namespace error = lumeko::error;

// The entry lock: one process-wide lock that every entry point but cancelJNI holds for its
// whole run, so that calls from several host threads run one after another. It guards the call
// context, the standing settings, the last status and the template command: only the thread
// holding it touches them. Operations are built only under it, so the construction that
// clears the cancel flag runs after the cancelled job has ended, never during it. cancelJNI
// takes no lock: it sets only the cancel flag and the error code (both atomic), and the
// running job sees them at its next check.
//
// A call from inside a callback of its own thread's running call (the thread holds the lock
// already) is not held: it is refused at once rather than waiting for itself.
class EntryLock {
  public:
    EntryLock();
    ~EntryLock();
    EntryLock(const EntryLock&) = delete;
    EntryLock& operator=(const EntryLock&) = delete;

    // False for a call from inside this thread's running call: nothing is locked.
    bool held() const { return held_; }

  private:
    bool held_ = false;
};

// An entry point's whole run: body() under the entry lock. A call from inside this thread's
// running call gives `refused` and touches nothing; so does a C++ exception, which never
// leaves the entry point.
template <typename R, typename Body>
R lockedCall(R refused, Body&& body) noexcept {
    return guarded<R>(refused, [&]() -> R {
        EntryLock lock;
        if (!lock.held()) {
            return refused;
        }
        return body();
    });
}

// As lockedCall for an entry point without a result: a refused call does nothing.
template <typename Body>
void lockedVoidCall(Body&& body) noexcept {
    guardedVoid([&] {
        EntryLock lock;
        if (lock.held()) {
            body();
        }
    });
}

// An entry point whose result is the status object. A call from inside this thread's running
// call gives a status object of a cleared status carrying 12 (busy) and touches nothing: the
// last status stays the running call's. A C++ exception gives null.
template <typename Body>
jobject lockedStatusCall(JNIEnv* env, Body&& body) noexcept {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        EntryLock lock;
        if (!lock.held()) {
            return newStatus(env, clearedStatusValues(error::kCallBusy));
        }
        return body();
    });
}

// A path argument as UTF-8; false for null, unreadable or holding U+0000.
bool pathText(JNIEnv* env, jstring path, std::string& out);

// A call that builds no operation: the last status is cleared as an operation's construction
// clears it (the previous call's status bytes, battery and media values go) and carries
// `code`.
void clearStatusWith(int code);

// Refuses a host argument: clears the last status with `code` and returns the status object.
jobject refuse(JNIEnv* env, int code = error::kInvalidParameter);

namespace detail {

// Builds Operation for the standing port and model on `transport` and gives what run(operation)
// gives. An operation that takes print or template options gets a copy of the standing ones
// that lives as long as it.
template <typename Operation, typename Run>
decltype(auto) runStanding(CommunicationObserver* transport, Run&& run) {
    const StandingSettings& standing = standingSettings();
    if constexpr (std::is_constructible_v<Operation, Port, CommunicationObserver*, Model,
                                          RasterPrintOption&>) {
        RasterPrintOption options = standing.printOptions;
        Operation operation(standing.port, transport, standing.model, options);
        return run(operation);
    } else if constexpr (std::is_constructible_v<Operation, Port, CommunicationObserver*, Model,
                                                 TemplatePrintOption&>) {
        TemplatePrintOption options = standing.templateOptions;
        Operation operation(standing.port, transport, standing.model, options);
        return run(operation);
    } else {
        Operation operation(standing.port, transport, standing.model);
        return run(operation);
    }
}

// The one way an entry call runs an operation: binds the call's environment and observer,
// builds the operation and gives run(operation). An observer that is null (39) or lacks a
// member (40) builds nothing: the last status is cleared with that code and the call gives
// refused().
template <typename Operation, typename Result, typename Refused, typename Run>
Result runBound(JNIEnv* env, jobject observer, Refused&& refused, Run&& run) {
    ObserverBinding binding(env, observer);
    if (!binding.ok()) {
        clearStatusWith(PrinterStatus::error_code_);
        return refused();
    }
    JNIObserver transport;
    return runStanding<Operation>(&transport, std::forward<Run>(run));
}

}  // namespace detail

// An entry call whose result is run(operation), or `failure` when the observer is refused.
template <typename Operation, typename R, typename Run>
R withOperation(JNIEnv* env, jobject observer, R failure, Run&& run) {
    return detail::runBound<Operation, R>(
        env, observer, [&] { return failure; }, std::forward<Run>(run));
}

// An entry call whose result is the status object: run(operation) runs, and the status object
// is built while the operation still exists (or after the refused binding).
template <typename Operation, typename Run>
jobject statusOf(JNIEnv* env, jobject observer, Run&& run) {
    return detail::runBound<Operation, jobject>(
        env, observer, [&] { return GetStatus(env); },
        [&](Operation& operation) {
            run(operation);
            return GetStatus(env);
        });
}

}  // namespace bridge::jni
