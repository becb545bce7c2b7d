// Natives of com.talvora.lumeko.test.TestHooks, linked only into liblumeko_testhooks.so: a
// view of the bridge's process-wide state and direct access to the host observer.
#include <jni.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "bridge/jni/call_context.h"
#include "bridge/jni/jni_kit.h"
#include "bridge/jni/jni_observer.h"
#include "bridge/jni/support_functions.h"
#include "bridge/standing_settings.h"
#include "connection/printer_status.h"
#include "connection/wait.h"
#include "raster/bitmap_data.h"
#include "transfer/template_print.h"

using namespace bridge::jni;

namespace {

std::string hex(const std::vector<unsigned char>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string hex(const std::string& text) {
    return hex(std::vector<unsigned char>(text.begin(), text.end()));
}

// One line per field, "name=value"; texts and bytes in hex.
std::string dump() {
    const bridge::StandingSettings& s = bridge::standingSettings();
    const RasterPrintOption& o = s.printOptions;
    const TemplatePrintOption& t = s.templateOptions;
    std::ostringstream out;
    out << "port=" << static_cast<int>(s.port) << "\nmodel=" << static_cast<int>(s.model) << "\n";
    out << "paperId=" << o.paperId << "\norientation=" << o.orientation
        << "\nprintMode=" << o.printMode << "\nhalftone=" << o.halftone
        << "\nhalfThreshold=" << o.halfThreshold
        << "\ncolorBrightness=" << static_cast<int>(o.colorBrightness)
        << "\ncolorContrast=" << static_cast<int>(o.colorContrast)
        << "\ncolorRed=" << static_cast<int>(o.colorRed)
        << "\ncolorGreen=" << static_cast<int>(o.colorGreen)
        << "\ncolorBlue=" << static_cast<int>(o.colorBlue) << "\nalign=" << o.align
        << "\nvalign=" << o.valign << "\nmarginTop=" << o.marginTop
        << "\nmarginLeft=" << o.marginLeft << "\nscale=" << o.scale
        << "\nmirrorPrint=" << o.mirrorPrint << "\nrotate180=" << o.rotate180
        << "\nisCutAtEnd=" << o.isCutAtEnd << "\nisAutoCut=" << o.isAutoCut
        << "\nautoCutPageCount=" << o.autoCutPageCount << "\nisSpecialTape=" << o.isSpecialTape
        << "\nisHalfCut=" << o.isHalfCut << "\ndensity=" << static_cast<int>(o.density)
        << "\nspeed=" << static_cast<int>(o.speed) << "\ndashLine=" << o.dashLine
        << "\npeelMode=" << o.peelMode << "\nfcCarbon=" << o.fcCarbon << "\nmode9=" << o.mode9
        << "\nisCutMark=" << o.isCutMark << "\nlabelMargin=" << o.labelMargin
        << "\nisLabelEndCut=" << o.isLabelEndCut << "\nprintQuality=" << o.printQuality
        << "\nrollPrinterCase=" << o.rollPrinterCase << "\npaperPosition=" << o.paperPosition
        << "\nfcFeedMode=" << o.fcFeedMode << "\ncheckPrintEnd=" << o.checkPrintEnd
        << "\ncustomPaperPath=" << hex(o.customPaperPath)
        << "\ncustomPaperWidth=" << o.customPaperWidth
        << "\ncustomPaperLength=" << o.customPaperLength << "\ncustomFeed=" << o.customFeed
        << "\ncustomPaperCommand=" << hex(o.customPaperCommand)
        << "\nnumberOfCopies=" << o.numberOfCopies << "\ndoStatusCheck=" << o.doStatusCheck
        << "\nsavePrnPath=" << hex(o.savePrnPath) << "\noverwrite=" << o.overwrite
        << "\npresetPaper.paperId=" << o.presetPaper.paperId
        << "\ntrimTapeAfterData=" << o.trimTapeAfterData << "\nrawMode=" << o.rawMode
        << "\nfcPaperKind=" << o.fcPaperKind
        << "\ncloseWaitDisusingStatusCheckSec=" << o.closeWaitDisusingStatusCheckSec
        << "\nuseLegacyHalftoneEngine=" << o.useLegacyHalftoneEngine
        << "\nbanishMargin=" << o.banishMargin
        << "\ncheckInkColor=" << static_cast<int>(o.checkInkColor)
        << "\ninkColor=" << static_cast<int>(o.inkColor)
        << "\ncheckLabelColor=" << static_cast<int>(o.checkLabelColor)
        << "\nlabelColor=" << static_cast<int>(o.labelColor) << "\n";
    out << "template.peelMode=" << t.peelMode << "\ntemplate.checkPrintEnd=" << t.checkPrintEnd
        << "\ntemplate.numberOfCopies=" << t.numberOfCopies
        << "\ntemplate.doStatusCheck=" << t.doStatusCheck
        << "\ntemplate.closeWaitDisusingStatusCheckSec=" << t.closeWaitDisusingStatusCheckSec
        << "\ntemplate.useCopyCommandInTemplatePrint=" << t.useCopyCommandInTemplatePrint << "\n";
    return out.str();
}

std::atomic<long long> g_waitedMicroseconds{0};

// Runs one observer operation (1..10 in slot order) and returns result, code and reply.
jobject runOperation(JNIEnv* env, jint operation, jint length, jbyteArray data, jint replyLength,
                     jboolean flag, jstring initialReply) {
    std::vector<unsigned char> bytes;
    if (data != nullptr) {
        readByteArray(env, data, bytes);
    }
    std::string request(bytes.begin(), bytes.end());
    std::string replyText;
    if (initialReply != nullptr) {
        toUtf8(env, initialReply, replyText);
    }
    const int bufferLength =
        operation == 4 ? (length > 0 ? length : 0) : (replyLength > 0 ? replyLength : 0);
    std::vector<unsigned char> reply(static_cast<std::size_t>(bufferLength), 0xEE);
    unsigned char* replyData = reply.empty() ? nullptr : reply.data();
    unsigned char* sendData = bytes.empty() ? nullptr : bytes.data();

    PrinterStatus::error_code_ = 1;
    JNIObserver observer;
    int result = 0;
    switch (operation) {
        case 1:
            result = observer.sendData(length, sendData);
            break;
        case 2:
            result = observer.sendDataAsynchronous(length, sendData);
            break;
        case 3:
            result = observer.sendDataReceiveData(length, sendData, replyLength, replyData);
            break;
        case 4:
            result = observer.receiveData(length, replyData, flag != JNI_FALSE);
            break;
        case 5:
            result = observer.sendString(request);
            break;
        case 6:
            result = observer.sendStringReceiveData(request, replyLength, replyData);
            break;
        case 7:
            result = observer.sendStringReceiveString(request, replyText);
            break;
        case 8:
            result = observer.sendMessage(length);
            break;
        case 9:
            result = observer.isAliveSendTask();
            break;
        case 10:
            result = observer.resetPrinterResultErrorCodeIfCommunicationError();
            break;
        default:
            result = -99;
    }
    // The sender reuses its buffer once the call has returned, as a print job does with its
    // page bytes; whatever the host kept must not change with it.
    std::fill(bytes.begin(), bytes.end(), static_cast<unsigned char>(0xDD));
    const int code = PrinterStatus::error_code_;
    LocalRef<jbyteArray> replyArray =
        newByteArray(env, replyData, static_cast<jsize>(reply.size()));
    LocalRef<jstring> replyString = newString(env, replyText);
    jvalue args[4];
    args[0].i = result;
    args[1].i = code;
    args[2].l = replyArray.get();
    args[3].l = replyString.get();
    return newObject(env, "com/talvora/lumeko/test/ObserverResult", "(II[BLjava/lang/String;)V",
                     args)
        .release();
}

}  // namespace

extern "C" {

JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_test_TestHooks_dumpSettings(JNIEnv* env, jclass) {
    return newString(env, dump()).release();
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_test_TestHooks_presetStatus(JNIEnv* env, jclass,
                                                                           jbyteArray statusBytes,
                                                                           jint errorCode,
                                                                           jintArray battery,
                                                                           jintArray values) {
    std::vector<unsigned char> bytes;
    readByteArray(env, statusBytes, bytes);
    std::memset(PrinterStatus::status_byte_, 0, PrinterStatus::kStatusLength);
    std::memcpy(
        PrinterStatus::status_byte_, bytes.data(),
        bytes.size() < PrinterStatus::kStatusLength ? bytes.size() : PrinterStatus::kStatusLength);
    PrinterStatus::error_code_ = errorCode;
    jint b[5] = {};
    env->GetIntArrayRegion(battery, 0, 5, b);
    clearException(env);
    PrinterStatus::battery_normalized_.level = b[0];
    PrinterStatus::battery_normalized_.maxLevel = b[1];
    PrinterStatus::battery_normalized_.charging = b[2];
    PrinterStatus::battery_normalized_.valid = b[3];
    PrinterStatus::battery_normalized_.healthLevel = b[4];
    // labelColor, inkColor, labelId, tubeRibbonLevel, tubeRibbon, tube, tubeRibbonInkColor,
    // labelType
    jint v[8] = {};
    env->GetIntArrayRegion(values, 0, 8, v);
    clearException(env);
    PrinterStatus::label_color_ = static_cast<uint8_t>(v[0]);
    PrinterStatus::ink_color_ = static_cast<uint8_t>(v[1]);
    PrinterStatus::label_id_ = static_cast<uint16_t>(v[2]);
    PrinterStatus::tube_ribbon_level_ = static_cast<uint8_t>(v[3]);
    PrinterStatus::tube_ribbon_ = static_cast<uint8_t>(v[4]);
    PrinterStatus::tube_ = static_cast<uint8_t>(v[5]);
    PrinterStatus::tube_ribbon_ink_color_ = static_cast<uint8_t>(v[6]);
    PrinterStatus::label_type_ = static_cast<uint16_t>(v[7]);
}

JNIEXPORT jint JNICALL Java_com_talvora_lumeko_test_TestHooks_errorCode(JNIEnv*, jclass) {
    return PrinterStatus::error_code_;
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_test_TestHooks_setErrorCode(JNIEnv*, jclass,
                                                                           jint code) {
    PrinterStatus::error_code_ = code;
}

JNIEXPORT jboolean JNICALL Java_com_talvora_lumeko_test_TestHooks_bindingActive(JNIEnv*, jclass) {
    const CallContext& context = callContext();
    return context.bound && context.observer != nullptr ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jobject JNICALL Java_com_talvora_lumeko_test_TestHooks_observe(
    JNIEnv* env, jclass, jobject observer, jint operation, jint length, jbyteArray data,
    jint replyLength, jboolean flag, jstring initialReply) {
    ObserverBinding binding(env, observer);
    return runOperation(env, operation, length, data, replyLength, flag, initialReply);
}

// count rounds of sendData, receiveData and sendStringReceiveString in one native call; the
// number of operations that succeeded.
JNIEXPORT jint JNICALL Java_com_talvora_lumeko_test_TestHooks_observeMany(JNIEnv* env, jclass,
                                                                          jobject observer,
                                                                          jint count) {
    ObserverBinding binding(env, observer);
    JNIObserver transport;
    unsigned char bytes[4] = {1, 2, 3, 4};
    unsigned char buffer[4] = {};
    std::string reply;
    int succeeded = 0;
    for (int i = 0; i < count; ++i) {
        succeeded += transport.sendData(4, bytes) ? 1 : 0;
        succeeded += transport.receiveData(4, buffer, false) >= 0 ? 1 : 0;
        succeeded += transport.sendStringReceiveString("1.3.6.1.2.1.1.1.0", reply) ? 1 : 0;
    }
    return succeeded;
}

// setBitmapData on a record with a marked start; "result|file (hex)|width|height|isColor
// applyScale applyOrientation|pixels".
JNIEXPORT jstring JNICALL Java_com_talvora_lumeko_test_TestHooks_bitmapData(JNIEnv* env, jclass,
                                                                            jobject bitmap) {
    BitmapData data;
    data.bitmapFile = "unchanged";
    data.bitmapWidth = -7;
    data.bitmapHeight = -8;
    const int result = setBitmapData(env, bitmap, data);
    std::ostringstream out;
    out << result << "|" << hex(data.bitmapFile) << "|" << data.bitmapWidth << "|"
        << data.bitmapHeight << "|" << data.isColor << data.applyScale << data.applyOrientation
        << "|" << (data.pixels == nullptr ? "none" : "set");
    return newString(env, out.str()).release();
}

// Misuses JNI on purpose: calls a Java method and then another JNI function without checking
// for an exception in between, so that the harness can show it notices a JNI warning. (The
// JVM's warning about too many local references is not given by every JDK 17 release.)
JNIEXPORT void JNICALL Java_com_talvora_lumeko_test_TestHooks_skipExceptionCheck(JNIEnv* env,
                                                                                 jclass) {
    jclass system = env->FindClass("java/lang/System");
    jmethodID nanoTime =
        system != nullptr ? env->GetStaticMethodID(system, "nanoTime", "()J") : nullptr;
    if (nanoTime == nullptr) {
        return;
    }
    env->CallStaticLongMethod(system, nanoTime);
    env->NewStringUTF("unchecked");
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_test_TestHooks_installRecordingWait(JNIEnv*,
                                                                                   jclass) {
    g_waitedMicroseconds = 0;
    lumeko::setWaitFunction(
        [](std::chrono::microseconds us) { g_waitedMicroseconds += us.count(); });
}

JNIEXPORT jbyteArray JNICALL Java_com_talvora_lumeko_test_TestHooks_templateCommand(JNIEnv* env,
                                                                                    jclass) {
    const std::vector<unsigned char>& command = TemplatePrint::template_print_command_;
    return newByteArray(env, command.data(), static_cast<jsize>(command.size())).release();
}

JNIEXPORT void JNICALL Java_com_talvora_lumeko_test_TestHooks_clearTemplateCommand(JNIEnv*,
                                                                                   jclass) {
    TemplatePrint::template_print_command_.clear();
}

JNIEXPORT jlong JNICALL Java_com_talvora_lumeko_test_TestHooks_waitedMicroseconds(JNIEnv*, jclass) {
    return g_waitedMicroseconds.load();
}

}  // extern "C"
