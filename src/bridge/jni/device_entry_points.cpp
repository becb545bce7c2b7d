// Entry points of the device queries, the model queries, cancel and the bitmap files.

#include <jni.h>

#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/result_objects.h"
#include "bridge/jni/support_functions.h"
#include "bridge/standing_settings.h"
#include "connection/base_printer.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_status.h"
#include "raster/bitmap_data.h"
#include "raster/raster_data.h"

using namespace bridge::jni;

namespace {

// A string query: "" on failure, with the code left by the query for getLastStatusJNI.
template <typename Query>
jstring stringQuery(JNIEnv* env, jobject observer, Query&& query) {
    return lockedCall<jstring>(nullptr, [&] {
        const std::string text = withOperation<BasePrinter>(env, observer, std::string(), query);
        return newResultString(env, text);
    });
}

}  // namespace

extern "C" {

JNIEXPORT jint JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_writeByteInFile(
    JNIEnv* env, jobject, jintArray pixels, jint count, jstring path, jboolean append) {
    return lockedCall<jint>(0, [&]() -> jint {
        if (pixels == nullptr || count < 0) {
            return 0;
        }
        const jsize length = env->GetArrayLength(pixels);
        if (clearException(env) || count > length) {
            return 0;
        }
        std::string file;
        if (!pathText(env, path, file)) {
            return 0;
        }
        std::vector<int> values(static_cast<std::size_t>(count));
        if (count > 0) {
            env->GetIntArrayRegion(pixels, 0, count, reinterpret_cast<jint*>(values.data()));
            if (clearException(env)) {
                return 0;
            }
        }
        int* data = values.empty() ? nullptr : values.data();
        return RasterData::writeByteInFile(data, count, file, append != JNI_FALSE) == 1 ? 1 : 0;
    });
}

JNIEXPORT jint JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_saveBitmapJNI(
    JNIEnv* env, jobject, jobject bitmap, jstring path, jint halftone, jint threshold,
    jint toneSwitch) {
    return lockedCall<jint>(0, [&]() -> jint {
        BitmapData data;
        if (setBitmapData(env, bitmap, data) != 1) {
            return 0;
        }
        std::string file;
        if (!pathText(env, path, file)) {
            PrinterStatus::error_code_ = error::kInvalidParameter;
            return 0;
        }
        RasterData raster;
        return raster.makeOneBitBitmap(data, file, halftone, threshold, toneSwitch) ? 1 : 0;
    });
}

JNIEXPORT jstring JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getSystemReportJNI(JNIEnv* env, jobject, jobject observer) {
    return stringQuery(env, observer, [](BasePrinter& p) { return p.getSystemReport(); });
}

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getMediaVerJNI(JNIEnv* env,
                                                                                jobject,
                                                                                jobject observer) {
    return stringQuery(env, observer, [](BasePrinter& p) { return p.getMediaVer(); });
}

JNIEXPORT jstring JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getDeviceStatusJNI(JNIEnv* env, jobject, jobject observer) {
    return stringQuery(env, observer, [](BasePrinter& p) { return p.getDeviceStatus(); });
}

JNIEXPORT jstring JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getSerialNumberJNI(JNIEnv* env, jobject, jobject observer) {
    return stringQuery(env, observer, [](BasePrinter& p) { return p.getSerialNumber(); });
}

JNIEXPORT jint JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getPageCounterJNI(JNIEnv* env,
                                                                                jobject,
                                                                                jobject observer) {
    return lockedCall<jint>(0, [&] {
        return withOperation<BasePrinter>(env, observer, jint{0},
                                          [](BasePrinter& p) { return p.getPageCounter(); });
    });
}

JNIEXPORT jobject JNICALL
Java_com_talvora_lumeko_sdk_JNIWrapper_getBatteryInfoJNI(JNIEnv* env, jobject, jobject observer) {
    return lockedCall<jobject>(nullptr, [&] {
        const PrinterBatteryInfo failedQuery;
        const PrinterBatteryInfo info =
            withOperation<BasePrinter>(env, observer, failedQuery, [](BasePrinter& p) {
                PrinterBatteryInfo reading;
                return p.getBatteryInfo(reading) ? reading : PrinterBatteryInfo();
            });
        return newBatteryInfo(env, info.firstValue, info.secondValue, info.healthStatus);
    });
}

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getMediaFileVerJNI(JNIEnv* env,
                                                                                    jobject,
                                                                                    jstring path) {
    return lockedCall<jstring>(nullptr, [&]() -> jstring {
        EnvironmentBinding binding(env);
        std::string file;
        std::string version;
        if (!pathText(env, path, file)) {
            clearStatusWith(error::kInvalidParameter);
        } else {
            const bridge::StandingSettings& standing = bridge::standingSettings();
            BasePrinter printer(standing.model, standing.port);
            version = printer.getMediaFileVer(file);
        }
        return newResultString(env, version);
    });
}

// The one entry point that takes no entry lock: it may run while another thread's call holds
// it, or from a callback of the running call. It sets only the cancel flag and error code 37
// (both atomic); the standing settings, which the running call's thread may be writing, are
// not read, so the cancel's own operation object is built for no model.
JNIEXPORT void JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_cancelJNI(JNIEnv*, jobject) {
    guardedVoid([] {
        BasePrinter printer(NO_MODEL);
        printer.cancel();
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getPrinterSpec(JNIEnv* env,
                                                                                jobject) {
    return lockedCall<jobject>(nullptr, [&] {
        BasePrinter printer(bridge::standingSettings().model);
        return newPrinterSpec(env, printer.getPrinterSpec());
    });
}

JNIEXPORT jobjectArray JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getPaperList(JNIEnv* env,
                                                                                   jobject) {
    return lockedCall<jobjectArray>(nullptr, [&] {
        const bridge::StandingSettings& standing = bridge::standingSettings();
        BasePrinter printer(standing.model);
        // A copy: the list builder takes the options by reference, the standing ones stay.
        RasterPrintOption options = standing.printOptions;
        return newPaperArray(env, printer.getPaperList(options));
    });
}

}  // extern "C"
