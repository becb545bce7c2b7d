#pragma once

// The small kit every JNI call of the bridge goes through: local references released by
// scope, pending exceptions cleared, lookups checked, texts converted through the UTF-8 codec.
// Only src/bridge/jni/ includes jni.h.

#include <jni.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bridge::jni {

// Deletes a local reference when it leaves scope.
template <typename T>
class LocalRef {
  public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    ~LocalRef() { reset(); }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    LocalRef(LocalRef&& other) noexcept : env_(other.env_), ref_(other.release()) {}
    LocalRef& operator=(LocalRef&& other) noexcept {
        if (this != &other) {
            reset();
            env_ = other.env_;
            ref_ = other.release();
        }
        return *this;
    }

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Gives the reference up (for a result handed to the host).
    T release() { return std::exchange(ref_, nullptr); }
    void reset() {
        if (ref_ != nullptr) {
            env_->DeleteLocalRef(ref_);
            ref_ = nullptr;
        }
    }

  private:
    JNIEnv* env_;
    T ref_;
};

// Clears a pending exception; true when there was one.
bool clearException(JNIEnv* env);

// Checked lookups: null, with the exception cleared, when the class, field or method is
// missing or has another type.
LocalRef<jclass> findClass(JNIEnv* env, const char* name);
LocalRef<jclass> classOf(JNIEnv* env, jobject object);
jfieldID fieldId(JNIEnv* env, jclass cls, const char* name, const char* signature);
jfieldID staticFieldId(JNIEnv* env, jclass cls, const char* name, const char* signature);
jmethodID methodId(JNIEnv* env, jclass cls, const char* name, const char* signature);

// Host text -> UTF-8 (through UTF-16, never modified UTF-8). False for a null string or when
// the text cannot be read.
bool toUtf8(JNIEnv* env, jstring text, std::string& out);

// UTF-8 -> new host string; bytes that are not UTF-8 become one char each. Null, with the
// exception cleared, when the string cannot be made.
LocalRef<jstring> newString(JNIEnv* env, const std::string& text);

// A new host byte array holding the bytes; null, with the exception cleared, on failure.
LocalRef<jbyteArray> newByteArray(JNIEnv* env, const unsigned char* bytes, jsize length);

// The length of a host array; -1 (exception cleared) for a null or unreadable one.
jsize arrayLength(JNIEnv* env, jarray array);

// Copies the whole host byte array; false (exception cleared) on failure.
bool readByteArray(JNIEnv* env, jbyteArray array, std::vector<unsigned char>& out);

// Copies the first `length` elements of a host int array (the caller has checked its length);
// false (exception cleared) on failure.
bool readIntArray(JNIEnv* env, jintArray array, jsize length, std::vector<int>& out);

// The UTF-8 texts of the first `count` elements of a host String array; false for a null
// element or one that cannot be read. Each element's local reference is released as it is
// copied.
bool readTexts(JNIEnv* env, jobjectArray array, jsize count, std::vector<std::string>& out);

// Builds an object with a constructor already looked up; null, with the exception cleared,
// when the object cannot be made.
LocalRef<jobject> construct(JNIEnv* env, jclass cls, jmethodID constructor, const jvalue* args);

// Builds an object of className with the constructor of that signature; null, with the
// exception cleared, when the class, constructor or object cannot be had.
LocalRef<jobject> newObject(JNIEnv* env, const char* className, const char* signature,
                            const jvalue* args);

// Runs body; a C++ exception never leaves an entry point: it gives fallback.
template <typename R, typename F>
R guarded(R fallback, F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <typename F>
void guardedVoid(F&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

}  // namespace bridge::jni
