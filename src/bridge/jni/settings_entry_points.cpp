// Entry points and support functions of the standing settings: model, port, print options,
// template print options, the bitmap record and the status object.

#include <jni.h>

#include <array>
#include <string>

#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/result_objects.h"
#include "bridge/jni/support_functions.h"
#include "bridge/print_option_fields.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "raster/bitmap_data.h"

using bridge::HostType;
using bridge::HostValue;
using namespace bridge::jni;

namespace {

// Reads a host string field as UTF-8; false for a null string, an unreadable one or one
// holding U+0000 (not a usable path).
bool readPathField(JNIEnv* env, jobject object, jfieldID id, std::string& out) {
    LocalRef<jstring> value(env, static_cast<jstring>(env->GetObjectField(object, id)));
    if (clearException(env) || !value) {
        return false;
    }
    std::string text;
    if (!toUtf8(env, value.get(), text) || text.find('\0') != std::string::npos) {
        return false;
    }
    out = std::move(text);
    return true;
}

bool readValue(JNIEnv* env, jobject object, jfieldID id, HostType type, HostValue& value) {
    switch (type) {
        case HostType::Int:
            value.i = env->GetIntField(object, id);
            break;
        case HostType::Boolean:
            value.z = env->GetBooleanField(object, id) != JNI_FALSE;
            break;
        case HostType::Double:
            value.d = env->GetDoubleField(object, id);
            break;
        case HostType::String:
            return readPathField(env, object, id, value.text);
        case HostType::Bytes: {
            LocalRef<jbyteArray> array(env,
                                       static_cast<jbyteArray>(env->GetObjectField(object, id)));
            if (clearException(env)) {
                return false;
            }
            value.hasBytes = static_cast<bool>(array);
            return !array || readByteArray(env, array.get(), value.bytes);
        }
    }
    return !clearException(env);
}

// Reads the 45 print-option fields of the host object into options (a copy of the standing
// ones). Every field id is looked up first; false when one is missing, has another type, or
// a string is null: then options may be partly written and must be dropped.
bool readPrintOptions(JNIEnv* env, jobject settings, jclass cls, RasterPrintOption& options) {
    const auto& fields = bridge::printOptionFields();
    std::array<jfieldID, bridge::kPrintOptionFieldCount> ids{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        ids[i] = fieldId(env, cls, fields[i].name, bridge::hostSignature(fields[i].type));
        if (ids[i] == nullptr) {
            return false;
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        HostValue value;
        if (!readValue(env, settings, ids[i], fields[i].type, value)) {
            return false;
        }
        fields[i].store(options, value);
    }
    return true;
}

// initJNI: port, model and print options are replaced together, or not at all (39).
void initSettings(JNIEnv* env, jobject settings) {
    LocalRef<jclass> cls = classOf(env, settings);
    if (!cls) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    const jfieldID portId = fieldId(env, cls.get(), "portId", "I");
    const jfieldID modelId = fieldId(env, cls.get(), "modelId", "I");
    if (portId == nullptr || modelId == nullptr) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    bridge::StandingSettings& standing = bridge::standingSettings();
    RasterPrintOption options = standing.printOptions;
    if (!readPrintOptions(env, settings, cls.get(), options)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    const jint port = env->GetIntField(settings, portId);
    const jint model = env->GetIntField(settings, modelId);
    if (clearException(env)) {
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    standing.port = static_cast<Port>(port);
    standing.model = static_cast<Model>(model);
    standing.printOptions = std::move(options);
}

}  // namespace

extern "C" {

JNIEXPORT void parseRasterPrintOption(JNIEnv* env, jobject settings) {
    guardedVoid([&] {
        LocalRef<jclass> cls = classOf(env, settings);
        bridge::StandingSettings& standing = bridge::standingSettings();
        RasterPrintOption options = standing.printOptions;
        if (!cls || !readPrintOptions(env, settings, cls.get(), options)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return;
        }
        standing.printOptions = std::move(options);
    });
}

JNIEXPORT int setBitmapData(JNIEnv* env, jobject bitmap, BitmapData& data) {
    return guarded(0, [&] {
        LocalRef<jclass> cls = classOf(env, bitmap);
        const jfieldID file = fieldId(env, cls.get(), "bitmapFile", "Ljava/lang/String;");
        const jfieldID width = fieldId(env, cls.get(), "bitmapWidth", "I");
        const jfieldID height = fieldId(env, cls.get(), "bitmapHeight", "I");
        std::string path;
        if (file == nullptr || width == nullptr || height == nullptr ||
            !readPathField(env, bitmap, file, path)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return 0;
        }
        const jint w = env->GetIntField(bitmap, width);
        const jint h = env->GetIntField(bitmap, height);
        if (clearException(env)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return 0;
        }
        data.bitmapFile = std::move(path);
        data.bitmapWidth = w;
        data.bitmapHeight = h;
        data.isColor = true;
        data.applyScale = true;
        data.applyOrientation = true;
        return 1;
    });
}

JNIEXPORT jobject GetStatus(JNIEnv* env) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        jobject status = newStatus(env, lastStatusValues());
        if (status == nullptr) {
            PrinterStatus::error_code_ = error::kHostObject;
        }
        return status;
    });
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_initJNI(JNIEnv* env, jobject,
                                                                      jobject settings) {
    lockedVoidCall([&] { initSettings(env, settings); });
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_setTemplatePrintOptionJNI(
    JNIEnv* env, jobject, jobject options) {
    lockedVoidCall([&] {
        LocalRef<jclass> cls = classOf(env, options);
        if (!cls) {
            return;
        }
        const jfieldID peelMode = fieldId(env, cls.get(), "peelMode", "Z");
        const jfieldID checkPrintEnd = fieldId(env, cls.get(), "checkPrintEnd", "I");
        const jfieldID numberOfCopies = fieldId(env, cls.get(), "numberOfCopies", "I");
        const jfieldID skipStatusCheck = fieldId(env, cls.get(), "skipStatusCheck", "Z");
        const jfieldID closeWait = fieldId(env, cls.get(), "closeWaitDisusingStatusCheckSec", "I");
        const jfieldID useCopyCommand =
            fieldId(env, cls.get(), "useCopyCommandInTemplatePrint", "Z");
        if (peelMode == nullptr || checkPrintEnd == nullptr || numberOfCopies == nullptr ||
            skipStatusCheck == nullptr || closeWait == nullptr || useCopyCommand == nullptr) {
            return;
        }
        TemplatePrintOption next;
        next.peelMode = env->GetBooleanField(options, peelMode) != JNI_FALSE;
        next.checkPrintEnd = env->GetIntField(options, checkPrintEnd);
        next.numberOfCopies = env->GetIntField(options, numberOfCopies);
        next.doStatusCheck = env->GetBooleanField(options, skipStatusCheck) == JNI_FALSE;
        next.closeWaitDisusingStatusCheckSec = env->GetIntField(options, closeWait);
        next.useCopyCommandInTemplatePrint =
            env->GetBooleanField(options, useCopyCommand) != JNI_FALSE;
        if (clearException(env)) {
            return;
        }
        bridge::standingSettings().templateOptions = next;
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getLastStatusJNI(JNIEnv* env,
                                                                                  jobject) {
    return lockedStatusCall(env, [&] { return GetStatus(env); });
}

}  // extern "C"
