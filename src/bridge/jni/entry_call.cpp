#include "bridge/jni/entry_call.h"

#include <mutex>

#include "bridge/jni/jni_kit.h"
#include "connection/printer_status.h"

namespace bridge::jni {
namespace {

std::mutex& entryMutex() {
    static std::mutex mutex;
    return mutex;
}

// True while this thread holds the entry lock.
thread_local bool t_inEntryCall = false;

}  // namespace

EntryLock::EntryLock() {
    if (t_inEntryCall) {
        return;
    }
    entryMutex().lock();
    t_inEntryCall = true;
    held_ = true;
}

EntryLock::~EntryLock() {
    if (held_) {
        t_inEntryCall = false;
        entryMutex().unlock();
    }
}

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
