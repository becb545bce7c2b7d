// Entry points of file transfer: firmware version and update, the weak-battery and boot-mode
// flags, template upload, list and removal, and database sending. Each builds one FileTransfer
// from the standing settings (with a copy of the print options) and runs one operation.

#include <jni.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/result_objects.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "transfer/file_transfer.h"
#include "transfer/template_header.h"

using namespace bridge::jni;

namespace {

// Data kinds that are not firmware: refused by the firmware update before anything is sent.
constexpr std::uint16_t kRefusedKinds[] = {0x0601, 0x0611};

constexpr char kTemplateInfoClass[] = "com/talvora/lumeko/sdk/TemplateInfo";
constexpr char kTemplateInfoSignature[] = "(III[BLjava/lang/String;J)V";

// The paths of a host String array, in order; false for a null array or element.
bool pathList(JNIEnv* env, jobjectArray paths, std::vector<std::string>& out) {
    const jsize count = arrayLength(env, paths);
    std::vector<std::string> list;
    if (count < 0 || !readTexts(env, paths, count, list)) {
        return false;
    }
    for (const std::string& path : list) {
        if (path.find('\0') != std::string::npos) {
            return false;
        }
    }
    out.swap(list);
    return true;
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
            PrinterStatus::error_code_ = error::kHostObject;
            return;
        }
        LocalRef<jstring> name = newString(env, header.templateName);
        if (!name) {
            PrinterStatus::error_code_ = error::kCommunication;
            return;
        }
        jvalue args[6];
        args[0].i = header.templateKey;
        args[1].i = templateSize(header);
        args[2].i = header.checksum;
        args[3].l = date.get();
        args[4].l = name.get();
        args[5].j = static_cast<jlong>(header.modified_date_filetime());
        LocalRef<jobject> info = construct(env, cls, constructor, args);
        if (!info) {
            PrinterStatus::error_code_ = error::kHostObject;
            return;
        }
        env->SetObjectArrayElement(array, index++, info.get());
        if (clearException(env)) {
            PrinterStatus::error_code_ = error::kHostObject;
            return;
        }
    }
}

}  // namespace

extern "C" {

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getFirmVerJNI(JNIEnv* env, jobject,
                                                                               jobject observer) {
    return lockedCall<jstring>(nullptr, [&] {
        const std::string version = withOperation<FileTransfer>(
            env, observer, std::string(), [](FileTransfer& t) { return t.getFirmVer(); });
        return newResultString(env, version);
    });
}

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getFirmFileVerJNI(JNIEnv* env,
                                                                                   jobject,
                                                                                   jstring path) {
    return lockedCall<jstring>(nullptr, [&]() -> jstring {
        EnvironmentBinding binding(env);
        const bridge::StandingSettings& standing = bridge::standingSettings();
        FileTransfer transfer(standing.model, standing.port);
        std::string file;
        std::string version;
        if (!pathText(env, path, file)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
        } else {
            version = transfer.getFileVersion(file);
        }
        return newResultString(env, version);
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_updateFirmJNI(JNIEnv* env, jobject,
                                                                               jstring path,
                                                                               jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        std::string file;
        if (!pathText(env, path, file)) {
            return refuse(env);
        }
        return statusOf<FileTransfer>(env, observer, [&](FileTransfer& transfer) {
            const std::uint16_t kind = transfer.getDataKind(file);
            for (std::uint16_t refused : kRefusedKinds) {
                if (kind == refused) {
                    PrinterStatus::error_code_ = error::kUnsendableData;
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
    return lockedCall<jbyte>(-1, [&] {
        const int flag = withOperation<FileTransfer>(
            env, observer, -1, [](FileTransfer& t) { return t.getBatteryWeak(); });
        return static_cast<jbyte>(static_cast<std::uint8_t>(flag & 0xFF));
    });
}

JNIEXPORT jbyte JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getBootModeJNI(JNIEnv* env, jobject,
                                                                              jobject observer) {
    return lockedCall<jbyte>(-1, [&] {
        const int mode = withOperation<FileTransfer>(
            env, observer, -1, [](FileTransfer& t) { return t.getBootMode(); });
        return static_cast<jbyte>(static_cast<std::uint8_t>(mode & 0xFF));
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_transferTemplateJNI(
    JNIEnv* env, jobject, jobjectArray paths, jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        std::vector<std::string> files;
        if (!pathList(env, paths, files)) {
            return refuse(env);
        }
        return statusOf<FileTransfer>(env, observer, [&](FileTransfer& transfer) {
            if (PrinterStatus::error_code_ == error::kNone) {
                transfer.uploadTemplate(files);
            }
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_removeTemplateJNI(
    JNIEnv* env, jobject, jintArray keys, jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        const jsize count = arrayLength(env, keys);
        std::vector<int> values;
        if (count < 0 || !readIntArray(env, keys, count, values)) {
            return refuse(env);
        }
        return statusOf<FileTransfer>(env, observer, [&](FileTransfer& transfer) {
            if (PrinterStatus::error_code_ == error::kNone) {
                transfer.removeTemplate(values.data(), count);
            }
        });
    });
}

JNIEXPORT jobjectArray JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getTemplateListJNI(JNIEnv* env, jobject, jobject observer) {
    return lockedCall<jobjectArray>(nullptr, [&]() -> jobjectArray {
        // Without the result class nothing is asked of the printer.
        LocalRef<jclass> cls = findClass(env, kTemplateInfoClass);
        jmethodID constructor = methodId(env, cls.get(), "<init>", kTemplateInfoSignature);
        if (constructor == nullptr) {
            PrinterStatus::error_code_ = error::kHostObject;
            return nullptr;
        }
        std::vector<TemplateHeader> list;
        const bool listed = withOperation<FileTransfer>(
            env, observer, false, [&](FileTransfer& t) { return t.getTemplateList(list); });
        if (list.size() > static_cast<std::size_t>(std::numeric_limits<jsize>::max())) {
            PrinterStatus::error_code_ = error::kHostObject;
            return nullptr;
        }
        LocalRef<jobjectArray> array(
            env, env->NewObjectArray(static_cast<jsize>(list.size()), cls.get(), nullptr));
        if (clearException(env) || !array) {
            PrinterStatus::error_code_ = error::kHostObject;
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
    return lockedStatusCall(env, [&]() -> jobject {
        std::string databaseName;
        std::string csv;
        if (!toUtf8(env, name, databaseName) || !pathText(env, csvPath, csv)) {
            return refuse(env);
        }
        return statusOf<FileTransfer>(env, observer, [&](FileTransfer& transfer) {
            transfer.sendDatabaseData(databaseName, csv);
        });
    });
}

}  // extern "C"
