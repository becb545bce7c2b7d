// The custom paper entry point: a model name, a paper-definition text, the paper kind, the
// unit and nine user sizes in; the custom paper command or the list of error pairs out, as one
// CustomPaperInfoCommandData. Pure computation: the process-wide error code is left alone.

#include <jni.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bridge/jni/custom_paper_support.h"
#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"

using namespace bridge::jni;

namespace {

constexpr char kDataClass[] = "com/talvora/lumeko/sdk/CustomPaperInfoCommandData";

std::string textOf(JNIEnv* env, jstring text) {
    std::string out;
    if (!toUtf8(env, text, out)) {
        out.clear();
    }
    return out;
}

}  // namespace

#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif

extern "C" {

JNIEXPORT TL::UserSettingPaperInfo createUserSettingPaperInfo(
    TL::UnitOfLength, float tapeWidth, float tapeLength, float rightMargin, float leftMargin,
    float topMargin, float bottomMargin, float labelPitch, float markPosition, float markHeight) {
    TL::UserSettingPaperInfo info;
    info.tapeWidth = tapeWidth;
    info.tapeLength = tapeLength;
    info.rightMargin = rightMargin;
    info.leftMargin = leftMargin;
    info.topMargin = topMargin;
    info.bottomMargin = bottomMargin;
    info.labelPitch = labelPitch;
    info.markPosition = markPosition;
    info.markHeight = markHeight;
    return info;
}

JNIEXPORT TL::CustomPaperInfoCommandCreator::Result createCustomPaperInfoCommand(
    JNIEnv* env, jstring modelName, TL::PaperKind paperKind, TL::UnitOfLength unit,
    const TL::UserSettingPaperInfo& setting, jstring definitionText) {
    using Result = TL::CustomPaperInfoCommandCreator::Result;
    // Should the computation itself fail (out of memory), the host still learns that no
    // command was made, and why: one pair (-1, 1), never an empty list.
    const Result unavailable{
        TL::CustomPaperErrorList{{TL::ErrorParameter::Other, TL::ErrorDetail::Unavailable}}, {}};
    return guarded<Result>(unavailable, [&] {
        const std::string model = textOf(env, modelName);
        const std::string definition = textOf(env, definitionText);
        const TL::CustomPaperInfoCommandCreator creator(model, paperKind, unit, setting, definition,
                                                        std::string());
        return creator.createCustomPaperInfoCommandAllRelated();
    });
}

JNIEXPORT jobject createSuccessfulCustomPaperInfoCommandDataObject(
    JNIEnv* env, const std::vector<std::uint8_t>& bytes) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<jsize>::max())) {
            return nullptr;
        }
        LocalRef<jbyteArray> array =
            newByteArray(env, bytes.data(), static_cast<jsize>(bytes.size()));
        if (!array) {
            return nullptr;
        }
        jvalue args[1];
        args[0].l = array.get();
        return newObject(env, kDataClass, "([B)V", args).release();
    });
}

JNIEXPORT jobject
createFailedCustomPaperInfoCommandDataObject(JNIEnv* env, const TL::CustomPaperErrorList& errors) {
    return guarded<jobject>(nullptr, [&]() -> jobject {
        // Two ints a pair; a count that does not fit a host array gives no object.
        if (errors.size() > static_cast<std::size_t>(std::numeric_limits<jsize>::max()) / 2) {
            return nullptr;
        }
        std::vector<jint> flat;
        flat.reserve(errors.size() * 2);
        for (const TL::CustomPaperErrorPair& pair : errors) {
            flat.push_back(static_cast<jint>(pair.first));
            flat.push_back(static_cast<jint>(pair.second));
        }
        const auto length = static_cast<jsize>(flat.size());
        LocalRef<jintArray> array(env, env->NewIntArray(length));
        if (clearException(env) || !array) {
            return nullptr;
        }
        if (length > 0) {
            env->SetIntArrayRegion(array.get(), 0, length, flat.data());
            if (clearException(env)) {
                return nullptr;
            }
        }
        jvalue args[1];
        args[0].l = array.get();
        return newObject(env, kDataClass, "([I)V", args).release();
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_createCustomPaperInfoCommand(
    JNIEnv* env, jobject, jstring modelName, jstring definitionText, jint paperKind,
    jint unitOfLength, jfloat tapeWidth, jfloat tapeLength, jfloat rightMargin, jfloat leftMargin,
    jfloat topMargin, jfloat bottomMargin, jfloat labelPitch, jfloat markPosition,
    jfloat markHeight) {
    return lockedCall<jobject>(nullptr, [&]() -> jobject {
        // Kind and unit pass through unchanged: a value outside their lists matches no limit.
        const auto kind = static_cast<TL::PaperKind>(paperKind);
        const auto unit = static_cast<TL::UnitOfLength>(unitOfLength);
        const TL::UserSettingPaperInfo setting = createUserSettingPaperInfo(
            unit, tapeWidth, tapeLength, rightMargin, leftMargin, topMargin, bottomMargin,
            labelPitch, markPosition, markHeight);
        const TL::CustomPaperInfoCommandCreator::Result result =
            createCustomPaperInfoCommand(env, modelName, kind, unit, setting, definitionText);
        if (!result.second.empty()) {
            return createSuccessfulCustomPaperInfoCommandDataObject(env, result.second);
        }
        return createFailedCustomPaperInfoCommandDataObject(env, result.first);
    });
}

}  // extern "C"

#if defined(__clang__)
#pragma clang diagnostic pop
#endif
