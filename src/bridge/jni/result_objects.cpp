#include "bridge/jni/result_objects.h"

#include <algorithm>
#include <iterator>

#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "connection/printer_status.h"

namespace bridge::jni {
namespace {

template <typename T>
T failed() {
    PrinterStatus::error_code_ = error::kHostObject;
    return nullptr;
}

constexpr char kPaperClass[] = "com/talvora/lumeko/sdk/Paper";
constexpr char kPaperSignature[] = "(IFFIIIIIIIIIIBLjava/lang/String;Ljava/lang/String;)V";

LocalRef<jobject> buildPaper(JNIEnv* env, jclass cls, jmethodID constructor, const Paper& paper) {
    LocalRef<jstring> nameMm = newString(env, paper.paperNameMm);
    LocalRef<jstring> nameInch = newString(env, paper.paperNameInch);
    if (!nameMm || !nameInch) {
        return LocalRef<jobject>(env, nullptr);
    }
    jvalue args[16];
    args[0].i = paper.paperId;
    args[1].f = paper.widthMm;
    args[2].f = paper.lengthMm;
    args[3].i = paper.widthDots;
    args[4].i = paper.lengthDots;
    args[5].i = paper.sideMarginDots;
    args[6].i = paper.feedMarginDots;
    args[7].i = paper.printableWidthDots;
    args[8].i = paper.printableLengthDots;
    args[9].i = paper.mediaWidthMm;
    args[10].i = paper.mediaLengthMm;
    args[11].i = paper.leftOffsetDots;
    args[12].i = paper.rightOffsetDots;
    args[13].b = static_cast<jbyte>(paper.mediaType);
    args[14].l = nameMm.get();
    args[15].l = nameInch.get();
    return construct(env, cls, constructor, args);
}

}  // namespace

jobject newPaper(JNIEnv* env, const Paper& paper) {
    LocalRef<jclass> cls = findClass(env, kPaperClass);
    jmethodID constructor = methodId(env, cls.get(), "<init>", kPaperSignature);
    if (constructor == nullptr) {
        return failed<jobject>();
    }
    LocalRef<jobject> object = buildPaper(env, cls.get(), constructor, paper);
    return object ? object.release() : failed<jobject>();
}

jobjectArray newPaperArray(JNIEnv* env, const std::vector<Paper>& papers) {
    LocalRef<jclass> cls = findClass(env, kPaperClass);
    jmethodID constructor = methodId(env, cls.get(), "<init>", kPaperSignature);
    if (constructor == nullptr || papers.size() > static_cast<std::size_t>(INT32_MAX)) {
        return failed<jobjectArray>();
    }
    const auto count = static_cast<jsize>(papers.size());
    LocalRef<jobjectArray> array(env, env->NewObjectArray(count, cls.get(), nullptr));
    if (clearException(env) || !array) {
        return failed<jobjectArray>();
    }
    for (jsize i = 0; i < count; ++i) {
        // The element and its two names are released before the next one is built.
        LocalRef<jobject> element =
            buildPaper(env, cls.get(), constructor, papers[static_cast<std::size_t>(i)]);
        if (!element) {
            return failed<jobjectArray>();
        }
        env->SetObjectArrayElement(array.get(), i, element.get());
        if (clearException(env)) {
            return failed<jobjectArray>();
        }
    }
    return array.release();
}

jobject newPrinterSpec(JNIEnv* env, const PrinterSpec& spec) {
    LocalRef<jstring> name = newString(env, spec.modelName);
    if (!name) {
        return failed<jobject>();
    }
    jvalue args[9];
    args[0].i = spec.modelCode;
    args[1].i = spec.seriesCode;
    args[2].i = spec.usbProductId;
    args[3].i = spec.headDots;
    args[4].i = spec.dpi;
    args[5].i = spec.dpiSecond;
    args[6].z = spec.speedCommand ? JNI_TRUE : JNI_FALSE;
    args[7].i = spec.tubeHeadDots;
    args[8].l = name.get();
    LocalRef<jobject> object =
        newObject(env, "com/talvora/lumeko/sdk/PrinterSpec", "(IIIIIIZILjava/lang/String;)V", args);
    return object ? object.release() : failed<jobject>();
}

jobject newBatteryInfo(JNIEnv* env, int firstValue, int secondValue, int healthStatus) {
    static constexpr const char* kHealthNames[] = {"Excellent", "Good", "ReplaceSoon",
                                                   "ReplaceBattery"};
    const char* health =
        healthStatus >= 0 && healthStatus <= 3 ? kHealthNames[healthStatus] : "NotInstalled";
    constexpr char kHealthSignature[] = "Lcom/talvora/lumeko/sdk/BatteryInfo$HealthStatus;";
    LocalRef<jclass> healthClass =
        findClass(env, "com/talvora/lumeko/sdk/BatteryInfo$HealthStatus");
    jfieldID constantId = staticFieldId(env, healthClass.get(), health, kHealthSignature);
    if (constantId == nullptr) {
        return failed<jobject>();
    }
    LocalRef<jobject> constant(env, env->GetStaticObjectField(healthClass.get(), constantId));
    if (clearException(env) || !constant) {
        return failed<jobject>();
    }
    jvalue args[3];
    args[0].i = firstValue;
    args[1].i = secondValue;
    args[2].l = constant.get();
    LocalRef<jobject> object =
        newObject(env, "com/talvora/lumeko/sdk/BatteryInfo",
                  "(IILcom/talvora/lumeko/sdk/BatteryInfo$HealthStatus;)V", args);
    return object ? object.release() : failed<jobject>();
}

jstring newResultString(JNIEnv* env, const std::string& text) {
    LocalRef<jstring> s = newString(env, text);
    return s ? s.release() : failed<jstring>();
}

StatusValues lastStatusValues() {
    StatusValues values;
    std::copy(std::begin(PrinterStatus::status_byte_), std::end(PrinterStatus::status_byte_),
              std::begin(values.statusBytes));
    values.errorCode = PrinterStatus::error_code_.load();
    values.battery = PrinterStatus::battery_normalized_;
    const int media[8] = {PrinterStatus::label_color_,
                          PrinterStatus::ink_color_,
                          PrinterStatus::label_id_,
                          PrinterStatus::tube_ribbon_level_,
                          PrinterStatus::tube_ribbon_,
                          PrinterStatus::tube_,
                          PrinterStatus::tube_ribbon_ink_color_,
                          PrinterStatus::label_type_};
    std::copy(std::begin(media), std::end(media), std::begin(values.media));
    return values;
}

StatusValues clearedStatusValues(int code) {
    StatusValues values;
    values.errorCode = code;
    // No media or tube values: 255, and FFFF for the label id and type.
    const int media[8] = {255, 255, 0xFFFF, 255, 255, 255, 255, 0xFFFF};
    std::copy(std::begin(media), std::end(media), std::begin(values.media));
    return values;
}

jobject newStatus(JNIEnv* env, const StatusValues& values) {
    LocalRef<jbyteArray> bytes =
        newByteArray(env, values.statusBytes, PrinterStatus::kStatusLength);
    if (!bytes) {
        return nullptr;
    }
    const PrinterStatus::BatteryNormalized& battery = values.battery;
    jvalue args[15];
    args[0].l = bytes.get();
    args[1].i = values.errorCode;
    args[2].i = battery.level;
    args[3].i = battery.maxLevel;
    args[4].i = battery.charging;
    args[5].i = battery.valid;
    args[6].i = battery.healthLevel;
    for (int i = 0; i < 8; ++i) {
        args[7 + i].i = values.media[i];
    }
    return newObject(env, "com/talvora/lumeko/sdk/JNIStatus", "([BIIIIIIIIIIIIII)V", args)
        .release();
}

}  // namespace bridge::jni
