// Entry points of the printer settings: the host's parallel arrays of keys and value texts in,
// the values read back out, with a PrinterSetting built for the standing port and model.

#include <jni.h>

#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/jni_observer.h"
#include "bridge/jni/support_functions.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "settings/printer_setting.h"

using namespace bridge::jni;

namespace {

constexpr int kNoError = 1;
constexpr int kInvalidParameter = 39;

// The length of a host array; -1 (exception cleared) for a null or unreadable one.
jsize arrayLength(JNIEnv* env, jarray array) {
    if (array == nullptr) {
        return -1;
    }
    const jsize length = env->GetArrayLength(array);
    return clearException(env) ? -1 : length;
}

// Copies the whole key array; false when it cannot be read.
bool readKeys(JNIEnv* env, jintArray keys, jsize length, std::vector<int>& out) {
    std::vector<int> values(static_cast<std::size_t>(length));
    if (length > 0) {
        env->GetIntArrayRegion(keys, 0, length, reinterpret_cast<jint*>(values.data()));
        if (clearException(env)) {
            return false;
        }
    }
    out.swap(values);
    return true;
}

// The UTF-8 texts of the first count elements of the value array; false for a null element
// or one that cannot be read. Each element's local reference is released as it is copied.
bool readValues(JNIEnv* env, jobjectArray values, jsize count, std::vector<std::string>& out) {
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    for (jsize i = 0; i < count; ++i) {
        LocalRef<jstring> element(env, static_cast<jstring>(env->GetObjectArrayElement(values, i)));
        if (clearException(env) ||
            !toUtf8(env, element.get(), texts[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    out.swap(texts);
    return true;
}

// Binds the observer, builds the PrinterSetting and runs operation on it only when the
// construction left error code 1; the status object is built while it still exists.
template <typename Operation>
jobject runSetting(JNIEnv* env, jobject observer, Operation&& operation) {
    ObserverBinding binding(env, observer);
    if (!binding.ok()) {
        return GetStatus(env);
    }
    JNIObserver transport;
    const bridge::StandingSettings& standing = bridge::standingSettings();
    PrinterSetting setting(standing.port, &transport, standing.model);
    if (PrinterStatus::error_code_ == kNoError) {
        operation(setting);
    }
    return GetStatus(env);
}

jobject refuse(JNIEnv* env) {
    PrinterStatus::error_code_ = kInvalidParameter;
    return GetStatus(env);
}

}  // namespace

extern "C" {

// Reads the items of keys into values, one text per key (an empty text for an item the
// service left unread). A null array, or a values array shorter than keys, is refused with
// error code 39 before the printer is contacted.
JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getPrinterSettingJNI(
    JNIEnv* env, jobject, jintArray keys, jobjectArray values, jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        const jsize n = arrayLength(env, keys);
        const jsize slots = arrayLength(env, values);
        std::vector<int> keyValues;
        if (n < 0 || slots < n || !readKeys(env, keys, n, keyValues)) {
            return refuse(env);
        }
        return runSetting(env, observer, [&](PrinterSetting& setting) {
            std::vector<std::string> texts(static_cast<std::size_t>(n));
            setting.getPrinterSetting(keyValues.data(), texts.data(), n);
            for (jsize i = 0; i < n; ++i) {
                LocalRef<jstring> text = newString(env, texts[static_cast<std::size_t>(i)]);
                if (!text) {
                    PrinterStatus::error_code_ = 40;
                    return;
                }
                env->SetObjectArrayElement(values, i, text.get());
                if (clearException(env)) {
                    PrinterStatus::error_code_ = 40;
                    return;
                }
            }
        });
    });
}

// Writes the value texts for keys in one commit. Arrays of different lengths are refused with
// error code 39 and nothing is sent; so are null arrays and null value texts.
JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_setPrinterSettingJNI(
    JNIEnv* env, jobject, jintArray keys, jobjectArray values, jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        const jsize m = arrayLength(env, values);
        const jsize k = arrayLength(env, keys);
        std::vector<std::string> texts;
        std::vector<int> keyValues;
        if (m < 0 || k < 0 || !readValues(env, values, m, texts) ||
            !readKeys(env, keys, k, keyValues)) {
            return refuse(env);
        }
        return runSetting(env, observer, [&](PrinterSetting& setting) {
            if (k != m) {
                PrinterStatus::error_code_ = kInvalidParameter;
                return;
            }
            setting.setPrinterSetting(keyValues.data(), texts.data(), m);
        });
    });
}

}  // extern "C"
