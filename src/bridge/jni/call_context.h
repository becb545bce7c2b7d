#pragma once

#include <jni.h>

// The call context of the host observer: the environment of the current call, the observer
// object and the ids of its ten callback methods and two reply fields. Process-wide, and
// guarded by the entry lock (entry_call.h): only the thread whose entry call holds the lock
// binds it and uses it, so the environment and observer are always the running call's own.

namespace bridge::jni {

// The observer's callback methods, in the slot order of CommunicationObserver.
enum ObserverMethod : int {
    kSendData = 0,
    kSendDataAsynchronous,
    kSendDataReceiveData,
    kReceiveData,
    kSendString,
    kSendStringReceiveData,
    kSendStringReceiveString,
    kSendMessage,
    kIsAliveSendTask,
    kResetPrinterResultErrorCode,
    kObserverMethodCount
};

struct CallContext {
    JNIEnv* env = nullptr;
    // A copy of the entry point's observer reference, valid for the entry call.
    jobject observer = nullptr;
    jmethodID methods[kObserverMethodCount] = {};
    jfieldID receiveData = nullptr;    // "receive_data" [B
    jfieldID receiveString = nullptr;  // "receive_string" Ljava/lang/String;
    // All twelve ids were found on the observer's class.
    bool bound = false;
};

// The process-wide context.
CallContext& callContext();

// Binds the call's environment and observer for one entry call (through
// SetObserverJNItoNative) and puts the whole previous context back when it ends (for an entry
// call, the empty context), so that no environment or observer of a finished call is left.
class ObserverBinding {
  public:
    ObserverBinding(JNIEnv* env, jobject observer);
    ~ObserverBinding();
    ObserverBinding(const ObserverBinding&) = delete;
    ObserverBinding& operator=(const ObserverBinding&) = delete;

    // The observer is usable; when false the error code is already set (39 no observer,
    // 40 a method or field missing).
    bool ok() const;

  private:
    CallContext saved_;
    jobject observer_;
};

// Replaces only the environment of the call context for one entry call (entry points whose
// operation object has no observer) and puts the previous context back when it ends.
class EnvironmentBinding {
  public:
    explicit EnvironmentBinding(JNIEnv* env);
    ~EnvironmentBinding();
    EnvironmentBinding(const EnvironmentBinding&) = delete;
    EnvironmentBinding& operator=(const EnvironmentBinding&) = delete;

  private:
    CallContext saved_;
};

}  // namespace bridge::jni

// Binds the observer whose reference *observer holds, on the environment already in the call
// context: looks up the ten callback methods and two reply fields on its class, every time
// (nothing is cached between calls). A null observer sets error code 39, a missing method or
// field error code 40; either way the context is left unbound and every observer operation
// fails with 40 without calling the host.
extern "C" JNIEXPORT void SetObserverJNItoNative(jobject* observer);
