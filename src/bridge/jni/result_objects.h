#pragma once

#include <jni.h>

#include <vector>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "common/error_code.h"
#include "connection/printer_status.h"

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

// The values of a com/talvora/lumeko/sdk/JNIStatus.
struct StatusValues {
    unsigned char statusBytes[PrinterStatus::kStatusLength] = {};
    int errorCode = lumeko::error::kNone;
    PrinterStatus::BatteryNormalized battery;
    // labelColor, inkColor, labelId, tubeRibbonLevel, tubeRibbon, tube, tubeRibbonInkColor,
    // labelType: 8- and 16-bit values zero-extended.
    int media[8] = {};
};

// The process-wide last status.
StatusValues lastStatusValues();

// The status of a call that was refused before it touched anything: the values to which an
// operation's construction clears the last status (PrinterStatus::clear), carrying `code`.
// The last status itself is left as it is.
StatusValues clearedStatusValues(int code);

// A com/talvora/lumeko/sdk/JNIStatus of the values; null when it cannot be made. Unlike the
// builders above it sets no error code: the caller decides.
jobject newStatus(JNIEnv* env, const StatusValues& values);

}  // namespace bridge::jni
