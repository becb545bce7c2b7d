// Entry points of the printer settings: the host's parallel arrays of keys and value texts in,
// the values read back out, with a PrinterSetting built for the standing port and model.

#include <jni.h>

#include <string>
#include <vector>

#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "connection/printer_status.h"
#include "settings/printer_setting.h"

using namespace bridge::jni;

extern "C" {

// Reads the items of keys into values, one text per key (an empty text for an item the
// service left unread). A null array, or a values array shorter than keys, is refused with
// error code 39 before the printer is contacted.
JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getPrinterSettingJNI(
    JNIEnv* env, jobject, jintArray keys, jobjectArray values, jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        const jsize n = arrayLength(env, keys);
        const jsize slots = arrayLength(env, values);
        std::vector<int> keyValues;
        if (n < 0 || slots < n || !readIntArray(env, keys, n, keyValues)) {
            return refuse(env);
        }
        return statusOf<PrinterSetting>(env, observer, [&](PrinterSetting& setting) {
            if (PrinterStatus::error_code_ != error::kNone) {
                return;
            }
            std::vector<std::string> texts(static_cast<std::size_t>(n));
            setting.getPrinterSetting(keyValues.data(), texts.data(), n);
            for (jsize i = 0; i < n; ++i) {
                LocalRef<jstring> text = newString(env, texts[static_cast<std::size_t>(i)]);
                if (!text) {
                    PrinterStatus::error_code_ = error::kHostObject;
                    return;
                }
                env->SetObjectArrayElement(values, i, text.get());
                if (clearException(env)) {
                    PrinterStatus::error_code_ = error::kHostObject;
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
    return lockedStatusCall(env, [&]() -> jobject {
        const jsize m = arrayLength(env, values);
        const jsize k = arrayLength(env, keys);
        std::vector<std::string> texts;
        std::vector<int> keyValues;
        if (m < 0 || k < 0 || !readTexts(env, values, m, texts) ||
            !readIntArray(env, keys, k, keyValues)) {
            return refuse(env);
        }
        return statusOf<PrinterSetting>(env, observer, [&](PrinterSetting& setting) {
            if (PrinterStatus::error_code_ != error::kNone) {
                return;
            }
            if (k != m) {
                PrinterStatus::error_code_ = error::kInvalidParameter;
                return;
            }
            setting.setPrinterSetting(keyValues.data(), texts.data(), m);
        });
    });
}

}  // extern "C"
