#pragma once

#include <jni.h>

#include <utility>
#include <vector>

#include "custompaper/custom_paper_info_command_creator.h"
#include "custompaper/custom_paper_info_parameters_default.h"
#include "custompaper/custom_paper_info_parameters_error.h"

// The support functions of the custom paper entry point, exported with C linkage beside it.
// Pure computation: no printer traffic, and neither the call context nor the last status
// (its error code included) is read or written.

#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif

extern "C" {

// The request record of the nine host sizes, in host order (tape width, tape length, right,
// left, top and bottom margin, label pitch, mark position, mark height); its size texts are
// empty and its remaining members zero. The unit is accepted and not kept.
JNIEXPORT TL::UserSettingPaperInfo createUserSettingPaperInfo(
    TL::UnitOfLength unit, float tapeWidth, float tapeLength, float rightMargin, float leftMargin,
    float topMargin, float bottomMargin, float labelPitch, float markPosition, float markHeight);

// The encoder's result for the model name and paper-definition text (host strings, taken as
// UTF-8; a null or unreadable string counts as the empty text): the clean marker and the
// command bytes, or the error pairs and no bytes.
JNIEXPORT TL::CustomPaperInfoCommandCreator::Result createCustomPaperInfoCommand(
    JNIEnv* env, jstring modelName, TL::PaperKind paperKind, TL::UnitOfLength unit,
    const TL::UserSettingPaperInfo& setting, jstring definitionText);

// A com/talvora/lumeko/sdk/CustomPaperInfoCommandData holding the bytes ("([B)V"); null when
// the array or object cannot be made.
JNIEXPORT jobject createSuccessfulCustomPaperInfoCommandDataObject(
    JNIEnv* env, const std::vector<std::uint8_t>& bytes);

// A com/talvora/lumeko/sdk/CustomPaperInfoCommandData holding the pairs flattened as
// parameter, detail, ... ("([I)V"); null when the array or object cannot be made.
JNIEXPORT jobject
createFailedCustomPaperInfoCommandDataObject(JNIEnv* env, const TL::CustomPaperErrorList& errors);

}  // extern "C"

#if defined(__clang__)
#pragma clang diagnostic pop
#endif
