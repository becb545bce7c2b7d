#include "bridge/jni/call_context.h"

#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "connection/printer_status.h"

namespace bridge::jni {

CallContext& callContext() {
    static CallContext context;
    return context;
}

ObserverBinding::ObserverBinding(JNIEnv* env, jobject observer)
    : saved_(callContext()), observer_(observer) {
    callContext().env = env;
    SetObserverJNItoNative(&observer_);
}

ObserverBinding::~ObserverBinding() {
    callContext() = saved_;
}

bool ObserverBinding::ok() const {
    const CallContext& context = callContext();
    return context.bound && context.observer != nullptr;
}

EnvironmentBinding::EnvironmentBinding(JNIEnv* env) : saved_(callContext()) {
    callContext().env = env;
}

EnvironmentBinding::~EnvironmentBinding() {
    callContext() = saved_;
}

}  // namespace bridge::jni

namespace {

struct MemberName {
    const char* name;
    const char* signature;
    int slot;
};

// Looked up in this order; stored by slot.
constexpr MemberName kMethods[] = {
    {"sendDataToPrinter", "(I[B)Z", bridge::jni::kSendData},
    {"sendAsynchronousDataToPrinter", "(I[B)Z", bridge::jni::kSendDataAsynchronous},
    {"sendDataReceiveDataToPrinter", "(I[BI)Z", bridge::jni::kSendDataReceiveData},
    {"receiveDataToPrinter", "(IZ)I", bridge::jni::kReceiveData},
    {"sendStringToPrinter", "(Ljava/lang/String;)Z", bridge::jni::kSendString},
    {"sendStringReceiveDataToPrinter", "(Ljava/lang/String;I)Z",
     bridge::jni::kSendStringReceiveData},
    {"sendStringReceiveStringToPrinter", "(Ljava/lang/String;)Z",
     bridge::jni::kSendStringReceiveString},
    {"isAliveSendAsynchronous", "()Z", bridge::jni::kIsAliveSendTask},
    {"resetPrinterResultErrorCodeIfCommunicationError", "()Z",
     bridge::jni::kResetPrinterResultErrorCode},
    {"sendMessage", "(I)Z", bridge::jni::kSendMessage},
};

}  // namespace

extern "C" JNIEXPORT void SetObserverJNItoNative(jobject* observer) {
    using namespace bridge::jni;
    guardedVoid([observer] {
        CallContext& context = callContext();
        CallContext next;
        next.env = context.env;
        next.observer = observer != nullptr ? *observer : nullptr;
        context = next;
        if (next.env == nullptr || next.observer == nullptr) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return;
        }
        JNIEnv* env = next.env;
        LocalRef<jclass> cls = classOf(env, next.observer);
        bool found = static_cast<bool>(cls);
        for (const MemberName& m : kMethods) {
            next.methods[m.slot] = found ? methodId(env, cls.get(), m.name, m.signature) : nullptr;
            found = found && next.methods[m.slot] != nullptr;
        }
        next.receiveData = found ? fieldId(env, cls.get(), "receive_data", "[B") : nullptr;
        found = found && next.receiveData != nullptr;
        next.receiveString =
            found ? fieldId(env, cls.get(), "receive_string", "Ljava/lang/String;") : nullptr;
        found = found && next.receiveString != nullptr;
        if (!found) {
            PrinterStatus::error_code_ = error::kHostObject;
            return;
        }
        next.bound = true;
        context = next;
    });
}
