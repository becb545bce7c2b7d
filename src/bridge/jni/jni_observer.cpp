#include "bridge/jni/jni_observer.h"

#include "bridge/jni/call_context.h"
#include "bridge/jni/jni_kit.h"
#include "common/error_code.h"
#include "connection/printer_status.h"

namespace bridge::jni {
namespace {

namespace error = lumeko::error;

void setError(int code) {
    PrinterStatus::error_code_ = code;
}

// The bound context, or null (error 40) when no observer is usable.
const CallContext* bound() {
    const CallContext& context = callContext();
    if (!context.bound || context.env == nullptr || context.observer == nullptr) {
        setError(error::kHostObject);
        return nullptr;
    }
    return &context;
}

// The bound context for a call that copies `length` reply bytes; null (error 40) when no
// observer is usable or the length is negative.
const CallContext* boundForReply(int length) {
    const CallContext* context = bound();
    if (context != nullptr && length < 0) {
        setError(error::kHostObject);
        return nullptr;
    }
    return context;
}

// Copies the first length bytes of the observer's "receive_data" into out. A missing or
// short array gives error 40 and false.
bool copyReceiveData(const CallContext& context, int length, unsigned char* out) {
    JNIEnv* env = context.env;
    LocalRef<jbyteArray> data(
        env, static_cast<jbyteArray>(env->GetObjectField(context.observer, context.receiveData)));
    if (clearException(env) || !data) {
        setError(error::kHostObject);
        return false;
    }
    const jsize available = env->GetArrayLength(data.get());
    if (clearException(env) || available < length || (length > 0 && out == nullptr)) {
        setError(error::kHostObject);
        return false;
    }
    if (length > 0) {
        env->GetByteArrayRegion(data.get(), 0, length, reinterpret_cast<jbyte*>(out));
        if (clearException(env)) {
            setError(error::kHostObject);
            return false;
        }
    }
    return true;
}

// A host byte array of the bytes to send; error 40 when it cannot be made.
LocalRef<jbyteArray> sendArray(JNIEnv* env, int length, const unsigned char* data) {
    if (length < 0 || (length > 0 && data == nullptr)) {
        setError(error::kHostObject);
        return LocalRef<jbyteArray>(env, nullptr);
    }
    LocalRef<jbyteArray> array = newByteArray(env, data, length);
    if (!array) {
        setError(error::kHostObject);
    }
    return array;
}

// The request text as a host string; error 6 when it cannot be made.
LocalRef<jstring> requestText(JNIEnv* env, const std::string& text) {
    LocalRef<jstring> request = newString(env, text);
    if (!request) {
        setError(error::kCommunication);
    }
    return request;
}

// The host's boolean answer; a thrown exception counts as false.
bool hostTrue(JNIEnv* env, jboolean answer) {
    return !clearException(env) && answer != JNI_FALSE;
}

// Calls a boolean callback of the observer; false (error 6) when the host answers false or
// throws.
template <typename... Args>
bool hostAccepts(const CallContext& context, ObserverMethod method, Args... args) {
    JNIEnv* env = context.env;
    const jboolean answer =
        env->CallBooleanMethod(context.observer, context.methods[method], args...);
    if (!hostTrue(env, answer)) {
        setError(error::kCommunication);
        return false;
    }
    return true;
}

bool sendBytes(ObserverMethod method, int length, unsigned char* data) {
    const CallContext* context = bound();
    if (context == nullptr) {
        return false;
    }
    LocalRef<jbyteArray> array = sendArray(context->env, length, data);
    return array && hostAccepts(*context, method, length, array.get());
}

}  // namespace

bool JNIObserver::sendData(int length, unsigned char* data) {
    return guarded(false, [&] { return sendBytes(kSendData, length, data); });
}

bool JNIObserver::sendDataAsynchronous(int length, unsigned char* data) {
    return guarded(false, [&] { return sendBytes(kSendDataAsynchronous, length, data); });
}

bool JNIObserver::sendDataReceiveData(int length, unsigned char* data, int replyLength,
                                      unsigned char* reply) {
    return guarded(false, [&] {
        const CallContext* context = boundForReply(replyLength);
        if (context == nullptr) {
            return false;
        }
        LocalRef<jbyteArray> array = sendArray(context->env, length, data);
        if (!array || !hostAccepts(*context, kSendDataReceiveData, length, array.get(),
                                   static_cast<jint>(replyLength))) {
            return false;
        }
        array.reset();
        return copyReceiveData(*context, replyLength, reply);
    });
}

int JNIObserver::receiveData(int length, unsigned char* buffer, bool flag) {
    return guarded(-1, [&] {
        const CallContext* context = boundForReply(length);
        if (context == nullptr) {
            return -1;
        }
        JNIEnv* env = context->env;
        const jint count = env->CallIntMethod(context->observer, context->methods[kReceiveData],
                                              length, flag ? JNI_TRUE : JNI_FALSE);
        if (clearException(env) || count < 0) {
            setError(error::kCommunication);
            return -1;
        }
        // The requested length is copied, whatever the count.
        if (!copyReceiveData(*context, length, buffer)) {
            return -1;
        }
        return static_cast<int>(count);
    });
}

bool JNIObserver::sendString(std::string text) {
    return guarded(false, [&] {
        const CallContext* context = bound();
        if (context == nullptr) {
            return false;
        }
        LocalRef<jstring> request = requestText(context->env, text);
        return request && hostAccepts(*context, kSendString, request.get());
    });
}

bool JNIObserver::sendStringReceiveData(std::string request, int replyLength,
                                        unsigned char* reply) {
    return guarded(false, [&] {
        const CallContext* context = boundForReply(replyLength);
        if (context == nullptr) {
            return false;
        }
        LocalRef<jstring> text = requestText(context->env, request);
        if (!text || !hostAccepts(*context, kSendStringReceiveData, text.get(),
                                  static_cast<jint>(replyLength))) {
            return false;
        }
        text.reset();
        return copyReceiveData(*context, replyLength, reply);
    });
}

bool JNIObserver::sendStringReceiveString(std::string request, std::string& reply) {
    return guarded(false, [&] {
        const CallContext* context = bound();
        if (context == nullptr) {
            return false;
        }
        JNIEnv* env = context->env;
        LocalRef<jstring> text = requestText(env, request);
        if (!text || !hostAccepts(*context, kSendStringReceiveString, text.get())) {
            return false;
        }
        text.reset();
        LocalRef<jstring> value(env, static_cast<jstring>(env->GetObjectField(
                                         context->observer, context->receiveString)));
        std::string utf8;
        if (clearException(env) || !value || !toUtf8(env, value.get(), utf8)) {
            setError(error::kHostObject);
            return false;
        }
        reply = std::move(utf8);
        return true;
    });
}

bool JNIObserver::sendMessage(int code) {
    return guarded(true, [&] {
        const CallContext* context = bound();
        if (context == nullptr) {
            return true;
        }
        JNIEnv* env = context->env;
        const jboolean answer =
            env->CallBooleanMethod(context->observer, context->methods[kSendMessage], code);
        // A refused (or throwing) progress message stops the operation at its next check.
        if (!hostTrue(env, answer)) {
            setError(error::kHostObject);
        }
        return true;
    });
}

bool JNIObserver::isAliveSendTask() {
    return guarded(false, [&] {
        const CallContext* context = bound();
        if (context == nullptr) {
            return false;
        }
        JNIEnv* env = context->env;
        const jboolean answer =
            env->CallBooleanMethod(context->observer, context->methods[kIsAliveSendTask]);
        return hostTrue(env, answer);
    });
}

bool JNIObserver::resetPrinterResultErrorCodeIfCommunicationError() {
    return guarded(false, [&] {
        const CallContext* context = bound();
        if (context == nullptr) {
            return false;
        }
        JNIEnv* env = context->env;
        const jboolean answer = env->CallBooleanMethod(
            context->observer, context->methods[kResetPrinterResultErrorCode]);
        return hostTrue(env, answer);
    });
}

}  // namespace bridge::jni
