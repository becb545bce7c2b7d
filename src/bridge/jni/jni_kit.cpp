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

LocalRef<jclass> findClass(JNIEnv* env, const char* name) {
    jclass cls = env->FindClass(name);
    if (clearException(env) && cls != nullptr) {
        env->DeleteLocalRef(cls);
        cls = nullptr;
    }
    return LocalRef<jclass>(env, cls);
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
    jstring s = env->NewString(reinterpret_cast<const jchar*>(units.data()),
                               static_cast<jsize>(units.size()));
    if (clearException(env) && s != nullptr) {
        env->DeleteLocalRef(s);
        s = nullptr;
    }
    return LocalRef<jstring>(env, s);
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

bool readByteArray(JNIEnv* env, jbyteArray array, std::vector<unsigned char>& out) {
    if (array == nullptr) {
        return false;
    }
    const jsize length = env->GetArrayLength(array);
    if (clearException(env) || length < 0) {
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    if (length > 0) {
        env->GetByteArrayRegion(array, 0, length, reinterpret_cast<jbyte*>(bytes.data()));
        if (clearException(env)) {
            return false;
        }
    }
    out.swap(bytes);
    return true;
}

LocalRef<jobject> newObject(JNIEnv* env, const char* className, const char* signature,
                            const jvalue* args) {
    LocalRef<jclass> cls = findClass(env, className);
    jmethodID constructor = methodId(env, cls.get(), "<init>", signature);
    if (constructor == nullptr) {
        return LocalRef<jobject>(env, nullptr);
    }
    jobject object = env->NewObjectA(cls.get(), constructor, args);
    if (clearException(env) && object != nullptr) {
        env->DeleteLocalRef(object);
        object = nullptr;
    }
    return LocalRef<jobject>(env, object);
}

}  // namespace bridge::jni
