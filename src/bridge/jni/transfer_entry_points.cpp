// Entry points of file transfer: firmware version and update, the weak-battery and boot-mode
// flags, template upload, list and removal, and database sending. Each builds one FileTransfer
// from the standing settings (with a copy of the print options) and runs one operation.

#include <jni.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/jni_observer.h"
#include "bridge/jni/result_objects.h"
#include "bridge/jni/support_functions.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "transfer/file_transfer.h"
#include "transfer/template_header.h"

using namespace bridge::jni;

namespace {

constexpr int kNoError = 1;
constexpr int kCommunicationError = 6;
constexpr int kWrongFileKind = 23;
constexpr int kInvalidParameter = 39;
constexpr int kHostObjectError = 40;

// Data kinds that are not firmware: refused by the firmware update before anything is sent.
constexpr std::uint16_t kRefusedKinds[] = {0x0601, 0x0611};

constexpr char kTemplateInfoClass[] = "com/talvora/lumeko/sdk/TemplateInfo";
constexpr char kTemplateInfoSignature[] = "(III[BLjava/lang/String;J)V";

// A path argument as UTF-8; false for null, unreadable or holding U+0000.
bool pathText(JNIEnv* env, jstring path, std::string& out) {
    return toUtf8(env, path, out) && out.find('\0') == std::string::npos;
}

// The paths of a host String array, in order; false for a null array or element.
bool pathList(JNIEnv* env, jobjectArray paths, std::vector<std::string>& out) {
    if (paths == nullptr) {
        return false;
    }
    const jsize count = env->GetArrayLength(paths);
    if (clearException(env) || count < 0) {
        return false;
    }
    std::vector<std::string> list(static_cast<std::size_t>(count));
    for (jsize i = 0; i < count; ++i) {
        LocalRef<jstring> element(env, static_cast<jstring>(env->GetObjectArrayElement(paths, i)));
        if (clearException(env) ||
            !pathText(env, element.get(), list[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    out.swap(list);
    return true;
}

// Binds the observer, builds the FileTransfer from the standing settings and runs operation
// on it; failure without building it when the binding fails (39, 40).
template <typename R, typename Operation>
R withTransfer(JNIEnv* env, jobject observer, R failure, Operation&& operation) {
    ObserverBinding binding(env, observer);
    if (!binding.ok()) {
        return failure;
    }
    JNIObserver transport;
    const bridge::StandingSettings& standing = bridge::standingSettings();
    RasterPrintOption options = standing.printOptions;
    FileTransfer transfer(standing.port, &transport, standing.model, options);
    return operation(transfer);
}

// As withTransfer, the result being the status object, built while the FileTransfer exists
// (or after the failed binding).
template <typename Operation>
jobject statusOfTransfer(JNIEnv* env, jobject observer, Operation&& operation) {
    ObserverBinding binding(env, observer);
    if (!binding.ok()) {
        return GetStatus(env);
    }
    JNIObserver transport;
    const bridge::StandingSettings& standing = bridge::standingSettings();
    RasterPrintOption options = standing.printOptions;
    FileTransfer transfer(standing.port, &transport, standing.model, options);
    operation(transfer);
    return GetStatus(env);
}

jobject refuse(JNIEnv* env) {
    PrinterStatus::error_code_ = kInvalidParameter;
    return GetStatus(env);
}

// headerLength + dataSize as a host int; a size beyond it is given as the largest int.
jint templateSize(const TemplateHeader& header) {
    const std::uint64_t size = static_cast<std::uint64_t>(header.headerLength) +
                               static_cast<std::uint64_t>(header.dataSize);
    return size > static_cast<std::uint64_t>(std::numeric_limits<jint>::max())
               ? std::numeric_limits<jint>::max()
               : static_cast<jint>(size);
}

// Fills the array with one TemplateInfo per header, each with a date array of its own. Stops
// at the first failure: 40 when a date array or object cannot be made, 6 when a name cannot.
void fillTemplateInfos(JNIEnv* env, jobjectArray array, jclass cls, jmethodID constructor,
                       const std::vector<TemplateHeader>& list) {
    jsize index = 0;
    for (const TemplateHeader& header : list) {
        LocalRef<jbyteArray> date = newByteArray(env, header.modifiedDate.data(),
                                                 static_cast<jsize>(header.modifiedDate.size()));
        if (!date) {
            PrinterStatus::error_code_ = kHostObjectError;
            return;
        }
        LocalRef<jstring> name = newString(env, header.templateName);
        if (!name) {
            PrinterStatus::error_code_ = kCommunicationError;
            return;
        }
        jvalue args[6];
        args[0].i = header.templateKey;
        args[1].i = templateSize(header);
        args[2].i = header.checksum;
        args[3].l = date.get();
        args[4].l = name.get();
        args[5].j = static_cast<jlong>(header.modified_date_filetime());
        LocalRef<jobject> info(env, env->NewObjectA(cls, constructor, args));
        if (clearException(env) || !info) {
            PrinterStatus::error_code_ = kHostObjectError;
            return;
        }
        env->SetObjectArrayElement(array, index++, info.get());
        if (clearException(env)) {
            PrinterStatus::error_code_ = kHostObjectError;
            return;
        }
    }
}

}  // namespace

extern "C" {

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getFirmVerJNI(JNIEnv* env, jobject,
                                                                               jobject observer) {
    return guarded<jstring>(nullptr, [&] {
        const std::string version = withTransfer<std::string>(
            env, observer, std::string(), [](FileTransfer& t) { return t.getFirmVer(); });
        return newResultString(env, version);
    });
}

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getFirmFileVerJNI(JNIEnv* env,
                                                                                   jobject,
                                                                                   jstring path) {
    return guarded<jstring>(nullptr, [&]() -> jstring {
        EnvironmentBinding binding(env);
        const bridge::StandingSettings& standing = bridge::standingSettings();
        FileTransfer transfer(standing.model, standing.port);
        std::string file;
        std::string version;
        if (!pathText(env, path, file)) {
            PrinterStatus::error_code_ = kInvalidParameter;
        } else {
            version = transfer.getFileVersion(file);
        }
        return newResultString(env, version);
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_updateFirmJNI(JNIEnv* env, jobject,
                                                                               jstring path,
                                                                               jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        std::string file;
        if (!pathText(env, path, file)) {
            return refuse(env);
        }
        return statusOfTransfer(env, observer, [&](FileTransfer& transfer) {
            const std::uint16_t kind = transfer.getDataKind(file);
            for (std::uint16_t refused : kRefusedKinds) {
                if (kind == refused) {
                    PrinterStatus::error_code_ = kWrongFileKind;
                    return;
                }
            }
            transfer.updateFirm(file);
        });
    });
}

JNIEXPORT jbyte JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getBatteryWeakJNI(JNIEnv* env,
                                                                                 jobject,
                                                                                 jobject observer) {
    return guarded<jbyte>(-1, [&] {
        const int flag = withTransfer<int>(env, observer, -1,
                                           [](FileTransfer& t) { return t.getBatteryWeak(); });
        return static_cast<jbyte>(static_cast<std::uint8_t>(flag & 0xFF));
    });
}

JNIEXPORT jbyte JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getBootModeJNI(JNIEnv* env, jobject,
                                                                              jobject observer) {
    return guarded<jbyte>(-1, [&] {
        const int mode =
            withTransfer<int>(env, observer, -1, [](FileTransfer& t) { return t.getBootMode(); });
        return static_cast<jbyte>(static_cast<std::uint8_t>(mode & 0xFF));
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_transferTemplateJNI(
    JNIEnv* env, jobject, jobjectArray paths, jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        std::vector<std::string> files;
        if (!pathList(env, paths, files)) {
            return refuse(env);
        }
        return statusOfTransfer(env, observer, [&](FileTransfer& transfer) {
            if (PrinterStatus::error_code_ == kNoError) {
                transfer.uploadTemplate(files);
            }
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_removeTemplateJNI(
    JNIEnv* env, jobject, jintArray keys, jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        if (keys == nullptr) {
            return refuse(env);
        }
        const jsize count = env->GetArrayLength(keys);
        if (clearException(env) || count < 0) {
            return refuse(env);
        }
        std::vector<int> values(static_cast<std::size_t>(count));
        if (count > 0) {
            env->GetIntArrayRegion(keys, 0, count, reinterpret_cast<jint*>(values.data()));
            if (clearException(env)) {
                return refuse(env);
            }
        }
        return statusOfTransfer(env, observer, [&](FileTransfer& transfer) {
            if (PrinterStatus::error_code_ == kNoError) {
                transfer.removeTemplate(values.data(), count);
            }
        });
    });
}

JNIEXPORT jobjectArray JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getTemplateListJNI(JNIEnv* env, jobject, jobject observer) {
    return guarded<jobjectArray>(nullptr, [&]() -> jobjectArray {
        // Without the result class nothing is asked of the printer.
        LocalRef<jclass> cls = findClass(env, kTemplateInfoClass);
        jmethodID constructor = methodId(env, cls.get(), "<init>", kTemplateInfoSignature);
        if (constructor == nullptr) {
            PrinterStatus::error_code_ = kHostObjectError;
            return nullptr;
        }
        std::vector<TemplateHeader> list;
        const bool listed = withTransfer<bool>(
            env, observer, false, [&](FileTransfer& t) { return t.getTemplateList(list); });
        if (list.size() > static_cast<std::size_t>(std::numeric_limits<jsize>::max())) {
            PrinterStatus::error_code_ = kHostObjectError;
            return nullptr;
        }
        LocalRef<jobjectArray> array(
            env, env->NewObjectArray(static_cast<jsize>(list.size()), cls.get(), nullptr));
        if (clearException(env) || !array) {
            PrinterStatus::error_code_ = kHostObjectError;
            return nullptr;
        }
        if (listed) {
            fillTemplateInfos(env, array.get(), cls.get(), constructor, list);
        }
        return array.release();
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_sendDatabaseDataJNI(
    JNIEnv* env, jobject, jstring name, jstring csvPath, jobject observer) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        std::string databaseName;
        std::string csv;
        if (!toUtf8(env, name, databaseName) || !pathText(env, csvPath, csv)) {
            return refuse(env);
        }
        return statusOfTransfer(env, observer, [&](FileTransfer& transfer) {
            transfer.sendDatabaseData(databaseName, csv);
        });
    });
}

}  // extern "C"
