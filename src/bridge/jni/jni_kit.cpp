#include "bridge/jni/jni_kit.h"

#include "bridge/utf_codec.h"

namespace bridge::jni {

bool clearException(JNIEnv* env) {
    if (env->ExceptionCheck() == JNI_FALSE) {
        return false;
    }
    env->ExceptionClear();
    return true;
}

namespace {

// The reference a JNI call just made, or null (the reference deleted) when the call left an
// exception pending, which is cleared.
template <typename T>
LocalRef<T> unlessThrown(JNIEnv* env, T ref) {
    LocalRef<T> owned(env, ref);
    if (clearException(env)) {
        owned.reset();
    }
    return owned;
}

// Copies the first `length` elements of a host array with `getRegion` (Get<Type>ArrayRegion);
// false (exception cleared) when they cannot be read.
template <typename Element, typename Array, typename GetRegion>
bool readRegion(JNIEnv* env, Array array, jsize length, GetRegion getRegion,
                std::vector<Element>& out) {
    std::vector<Element> values(static_cast<std::size_t>(length));
    if (length > 0) {
        getRegion(env, array, length, values.data());
        if (clearException(env)) {
            return false;
        }
    }
    out.swap(values);
    return true;
}

}  // namespace

LocalRef<jclass> findClass(JNIEnv* env, const char* name) {
    return unlessThrown(env, env->FindClass(name));
}

LocalRef<jclass> classOf(JNIEnv* env, jobject object) {
    if (object == nullptr) {
        return LocalRef<jclass>(env, nullptr);
    }
    jclass cls = env->GetObjectClass(object);
    clearException(env);
    return LocalRef<jclass>(env, cls);
}

jfieldID fieldId(JNIEnv* env, jclass cls, const char* name, const char* signature) {
    if (cls == nullptr) {
        return nullptr;
    }
    jfieldID id = env->GetFieldID(cls, name, signature);
    return clearException(env) ? nullptr : id;
}

jfieldID staticFieldId(JNIEnv* env, jclass cls, const char* name, const char* signature) {
    if (cls == nullptr) {
        return nullptr;
    }
    jfieldID id = env->GetStaticFieldID(cls, name, signature);
    return clearException(env) ? nullptr : id;
}

jmethodID methodId(JNIEnv* env, jclass cls, const char* name, const char* signature) {
    if (cls == nullptr) {
        return nullptr;
    }
    jmethodID id = env->GetMethodID(cls, name, signature);
    return clearException(env) ? nullptr : id;
}

bool toUtf8(JNIEnv* env, jstring text, std::string& out) {
    if (text == nullptr) {
        return false;
    }
    const jsize length = env->GetStringLength(text);
    if (clearException(env) || length < 0) {
        return false;
    }
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    if (length > 0) {
        env->GetStringRegion(text, 0, length, reinterpret_cast<jchar*>(&units[0]));
        if (clearException(env)) {
            return false;
        }
    }
    out = utf8FromUtf16(units);
    return true;
}

LocalRef<jstring> newString(JNIEnv* env, const std::string& text) {
    const std::u16string units = utf16FromUtf8(text);
    if (units.size() > static_cast<std::size_t>(INT32_MAX)) {
        return LocalRef<jstring>(env, nullptr);
    }
    return unlessThrown(env, env->NewString(reinterpret_cast<const jchar*>(units.data()),
                                            static_cast<jsize>(units.size())));
}

LocalRef<jbyteArray> newByteArray(JNIEnv* env, const unsigned char* bytes, jsize length) {
    if (length < 0) {
        return LocalRef<jbyteArray>(env, nullptr);
    }
    LocalRef<jbyteArray> array(env, env->NewByteArray(length));
    if (clearException(env) || !array) {
        return LocalRef<jbyteArray>(env, nullptr);
    }
    if (length > 0 && bytes != nullptr) {
        env->SetByteArrayRegion(array.get(), 0, length, reinterpret_cast<const jbyte*>(bytes));
        if (clearException(env)) {
            return LocalRef<jbyteArray>(env, nullptr);
        }
    }
    return array;
}

jsize arrayLength(JNIEnv* env, jarray array) {
    if (array == nullptr) {
        return -1;
    }
    const jsize length = env->GetArrayLength(array);
    return clearException(env) || length < 0 ? -1 : length;
}

bool readByteArray(JNIEnv* env, jbyteArray array, std::vector<unsigned char>& out) {
    const jsize length = arrayLength(env, array);
    return length >= 0 && readRegion(
                              env, array, length,
                              [](JNIEnv* e, jbyteArray a, jsize n, unsigned char* to) {
                                  e->GetByteArrayRegion(a, 0, n, reinterpret_cast<jbyte*>(to));
                              },
                              out);
}

bool readIntArray(JNIEnv* env, jintArray array, jsize length, std::vector<int>& out) {
    return readRegion(
        env, array, length,
        [](JNIEnv* e, jintArray a, jsize n, int* to) {
            e->GetIntArrayRegion(a, 0, n, reinterpret_cast<jint*>(to));
        },
        out);
}

bool readTexts(JNIEnv* env, jobjectArray array, jsize count, std::vector<std::string>& out) {
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    for (jsize i = 0; i < count; ++i) {
        LocalRef<jstring> element(env, static_cast<jstring>(env->GetObjectArrayElement(array, i)));
        if (clearException(env) ||
            !toUtf8(env, element.get(), texts[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    out.swap(texts);
    return true;
}

LocalRef<jobject> construct(JNIEnv* env, jclass cls, jmethodID constructor, const jvalue* args) {
    return unlessThrown(env, env->NewObjectA(cls, constructor, args));
}

LocalRef<jobject> newObject(JNIEnv* env, const char* className, const char* signature,
                            const jvalue* args) {
    LocalRef<jclass> cls = findClass(env, className);
    jmethodID constructor = methodId(env, cls.get(), "<init>", signature);
    if (constructor == nullptr) {
        return LocalRef<jobject>(env, nullptr);
    }
    return construct(env, cls.get(), constructor, args);
}

}  // namespace bridge::jni
