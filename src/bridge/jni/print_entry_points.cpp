// Entry points of the print job: bitmaps, print files, the selected paper, the loaded label
// and the status. Each builds a RasterPrint from the standing settings, whose construction
// selects the paper (error code 32 or 25 when there is none).

#include <jni.h>

#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/entry_call.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/result_objects.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "raster/bitmap_data.h"
#include "raster/raster_print.h"

using namespace bridge::jni;

namespace {

// The print job as the bridge drives it: gives access to the paper its construction selected.
class BridgeRasterPrint : public RasterPrint {
  public:
    using RasterPrint::RasterPrint;
    Paper& selectedPaper() { return currentPaper; }
};

// printBitmapJNI and printBitmapsJNI: the job runs only when paper selection left code 1; a
// save path writes the job to that file instead of sending it. A page count below 1 is
// refused, except that one bitmap printed with no copies (`noCopiesPrinted`) is a job without
// pages: its header, initialise command and trailer go out.
jobject printBitmap(JNIEnv* env, jobject bitmap, jobject observer, int page, int pages,
                    bool noCopiesPrinted = false) {
    BitmapData data;
    if (setBitmapData(env, bitmap, data) != 1) {
        return refuse(env);
    }
    const bool saving = !bridge::standingSettings().printOptions.savePrnPath.empty();
    const bool noPages = pages == 0 && noCopiesPrinted && !saving;
    if (page < 0 || (pages < 1 && !noPages)) {
        return refuse(env);
    }
    return statusOf<BridgeRasterPrint>(env, observer, [&](BridgeRasterPrint& job) {
        if (PrinterStatus::error_code_ != error::kNone) {
            return;
        }
        if (saving) {
            job.createPrintData(data, page, pages);
        } else {
            job.printBitmap(data, page, pages);
        }
    });
}

}  // namespace

extern "C" {

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_printBitmapJNI(JNIEnv* env,
                                                                                jobject,
                                                                                jobject bitmap,
                                                                                jobject observer) {
    return lockedStatusCall(env, [&] {
        return printBitmap(env, bitmap, observer, 0,
                           bridge::standingSettings().printOptions.numberOfCopies, true);
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_printBitmapsJNI(
    JNIEnv* env, jobject, jobject bitmap, jobject observer, jint page, jint pages) {
    return lockedStatusCall(env, [&] { return printBitmap(env, bitmap, observer, page, pages); });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_sendPrnJNI(JNIEnv* env, jobject,
                                                                            jstring prnPath,
                                                                            jobject observer) {
    return lockedStatusCall(env, [&]() -> jobject {
        std::string path;
        if (!pathText(env, prnPath, path)) {
            return refuse(env);
        }
        return statusOf<BridgeRasterPrint>(env, observer, [&](BridgeRasterPrint& job) {
            if (PrinterStatus::error_code_ == error::kNone) {
                job.printPrn(path);
            }
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getLabelInfoJNI(JNIEnv* env,
                                                                                 jobject,
                                                                                 jobject observer) {
    return lockedStatusCall(env, [&] {
        return statusOf<BridgeRasterPrint>(env, observer, [](BridgeRasterPrint& job) {
            const bridge::StandingSettings& standing = bridge::standingSettings();
            if (PrinterStatus::error_code_ != error::kNone ||
                !standing.printOptions.doStatusCheck) {
                return;
            }
            // A copy: the list builder takes the options by reference.
            RasterPrintOption options = standing.printOptions;
            job.updateLabelInfo(job.getPaperList(options));
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getStatusJNI(JNIEnv* env, jobject,
                                                                              jobject observer) {
    return lockedStatusCall(env, [&] {
        return statusOf<BridgeRasterPrint>(env, observer, [](BridgeRasterPrint& job) {
            // A missing custom paper does not keep the status from being read.
            const int code = PrinterStatus::error_code_;
            if (code == error::kNone || code == error::kNoCustomPaper) {
                job.getPrinterStatus(job.selectedPaper());
            }
        });
    });
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_sdk_JNIWrapper_getLabelParamJNI(JNIEnv* env,
                                                                                  jobject) {
    return lockedCall<jobject>(nullptr, [&]() -> jobject {
        EnvironmentBinding binding(env);
        const bridge::StandingSettings& standing = bridge::standingSettings();
        RasterPrintOption options = standing.printOptions;
        BridgeRasterPrint job(standing.port, nullptr, standing.model, options);
        if (PrinterStatus::error_code_ != error::kNone) {
            return nullptr;
        }
        return newPaper(env, job.selectedPaper());
    });
}

}  // extern "C"
