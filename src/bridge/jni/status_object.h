#pragma once

#include <jni.h>

// Builds a com/talvora/lumeko/sdk/JNIStatus from the last status: the 32 status bytes, the
// error code, the five battery values, the colour, label and tube values (8- and 16-bit
// values zero-extended). Null, with error code 40, when the object cannot be made.
extern "C" JNIEXPORT jobject GetStatus(JNIEnv* env);
