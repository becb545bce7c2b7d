// Entry points of template printing. Five calls edit the process-wide template command, each
// with a TemplatePrint for the standing model and port and no observer; the print call sends it
// with the standing template print options.

#include <jni.h>

#include <limits>
#include <vector>

#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "transfer/template_print.h"

using namespace bridge::jni;

namespace {

using Bytes = std::vector<unsigned char>;

// Runs edit on a TemplatePrint for the standing model and port (its construction clears the
// last status) and returns the status object of this call.
template <typename Edit>
jobject editCommand(JNIEnv* env, Edit&& edit) {
    const bridge::StandingSettings& standing = bridge::standingSettings();
    TemplatePrint print(standing.model, standing.port);
    edit(print);
    return GetStatus(env);
}

// The bytes of a host array; false for a null array or one that cannot be read. The length
// is that of the copy, so no read goes past the host's elements.
bool bytesOf(JNIEnv* env, jbyteArray array, Bytes& out) {
    return readByteArray(env, array, out) &&
           out.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

int lengthOf(const Bytes& bytes) {
    return static_cast<int>(bytes.size());
}

// A one-array edit: a null or unreadable array is error 39 and leaves the command alone.
template <typename Edit>
jobject editWithBytes(JNIEnv* env, jbyteArray array, Edit&& edit) {
    return editCommand(env, [&](TemplatePrint& print) {
        Bytes bytes;
        if (!bytesOf(env, array, bytes)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return;
        }
        edit(print, bytes);
    });
}

}  // namespace

extern "C" {

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_initKXTCommandJNI(JNIEnv* env,
                                                                                   jobject,
                                                                                   jint key) {
    return lockedStatusCall(env, [&] {
        return editCommand(env, [&](TemplatePrint& print) { print.initKXTCommand(key); });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_replaceTextJNI(JNIEnv* env,
                                                                                jobject,
                                                                                jbyteArray text) {
    return lockedStatusCall(env, [&] {
        return editWithBytes(env, text, [](TemplatePrint& print, const Bytes& bytes) {
            print.replaceText(bytes.data(), lengthOf(bytes));
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_replaceTextIndexJNI(
    JNIEnv* env, jobject, jbyteArray text, jint index) {
    return lockedStatusCall(env, [&] {
        return editWithBytes(env, text, [&](TemplatePrint& print, const Bytes& bytes) {
            print.replaceTextIndex(bytes.data(), lengthOf(bytes), index);
        });
    });
}

// The first array is the object's name, the second the replacement text.
JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_replaceTextNameJNI(
    JNIEnv* env, jobject, jbyteArray objectName, jbyteArray text) {
    return lockedStatusCall(env, [&] {
        return editCommand(env, [&](TemplatePrint& print) {
            Bytes name;
            Bytes replacement;
            if (!bytesOf(env, objectName, name) || !bytesOf(env, text, replacement)) {
                PrinterStatus::error_code_ = error::kInvalidParameter;
                return;
            }
            print.replaceTextName(replacement.data(), lengthOf(replacement), name.data(),
                                  lengthOf(name));
        });
    });
}

JNIEXPORT jobject JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_addToKXTCommandJNI(JNIEnv* env, jobject, jbyteArray data) {
    return lockedStatusCall(env, [&] {
        return editWithBytes(env, data, [](TemplatePrint& print, const Bytes& bytes) {
            print.addToKXTCommand(bytes.data(), lengthOf(bytes));
        });
    });
}

JNIEXPORT jobject JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_printKXTCommandJNI(JNIEnv* env, jobject, jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        return statusOf<TemplatePrint>(env, observer, [](TemplatePrint& print) {
            if (PrinterStatus::error_code_ == error::kNone) {
                print.printKXTCommand();
            }
        });
    });
}

}  // extern "C"
