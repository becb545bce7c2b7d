#pragma once

#include <jni.h>

#include <vector>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"

// Host result objects of the query entry points. Each returns a new local reference, or null
// with error code 40 (and no pending exception) when a class, constructor, constant or object
// cannot be had.
namespace bridge::jni {

// com/talvora/lumeko/sdk/Paper; the 8- and 16-bit values zero-extended, mediaType as a byte.
jobject newPaper(JNIEnv* env, const Paper& paper);

// An array of Paper objects in list order; empty for an empty list.
jobjectArray newPaperArray(JNIEnv* env, const std::vector<Paper>& papers);

// com/talvora/lumeko/sdk/PrinterSpec; all integers zero-extended.
jobject newPrinterSpec(JNIEnv* env, const PrinterSpec& spec);

// com/talvora/lumeko/sdk/BatteryInfo; health 0-3 names a constant, anything else NotInstalled.
jobject newBatteryInfo(JNIEnv* env, int firstValue, int secondValue, int healthStatus);

// A host string of the UTF-8 text; null with error code 40 when it cannot be made.
jstring newResultString(JNIEnv* env, const std::string& text);

}  // namespace bridge::jni
