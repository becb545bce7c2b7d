#include "bridge/jni/entry_call.h"

#include "bridge/jni/jni_kit.h"
#include "connection/printer_status.h"

namespace bridge::jni {

bool pathText(JNIEnv* env, jstring path, std::string& out) {
    return toUtf8(env, path, out) && out.find('\0') == std::string::npos;
}

void clearStatusWith(int code) {
    PrinterStatus::clear();
    PrinterStatus::error_code_ = code;
}

jobject refuse(JNIEnv* env, int code) {
    clearStatusWith(code);
    return GetStatus(env);
}

}  // namespace bridge::jni
