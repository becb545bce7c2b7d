#pragma once

#include <jni.h>

class BitmapData;

// The bridge's C-linkage support functions, exported beside the entry points.
extern "C" {

// Overwrites the standing print options from the 45 print-option fields of the host object
// (read by name and type). A null object, a missing or wrongly typed field, a null string or a
// path holding U+0000 sets error code 39 and changes nothing.
JNIEXPORT void parseRasterPrintOption(JNIEnv* env, jobject settings);

// Fills data from the host bitmap object's "bitmapFile", "bitmapWidth" and "bitmapHeight" and
// sets its three flags; the pixels stay empty. Returns 1; 0 with error code 39 (data
// unchanged) for a null or incomplete object or a null path.
JNIEXPORT int setBitmapData(JNIEnv* env, jobject bitmap, BitmapData& data);

// Builds a com/talvora/lumeko/sdk/JNIStatus from the last status: the 32 status bytes, the
// error code, the five battery values, the colour, label and tube values (8- and 16-bit
// values zero-extended). Null, with error code 40, when the object cannot be made.
JNIEXPORT jobject GetStatus(JNIEnv* env);

}  // extern "C"
