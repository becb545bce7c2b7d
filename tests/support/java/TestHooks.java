package com.talvora.lumeko.test;

import com.talvora.lumeko.sdk.JNIWrapper;

/** Natives of liblumeko_testhooks.so: the bridge's process-wide state, seen and set by tests. */
public final class TestHooks {
    static {
        JNIWrapper.ensureLoaded();
    }

    private TestHooks() {}

    /** The standing settings, one "name=value" line each (texts and bytes in hex). */
    public static native String dumpSettings();

    /**
     * Sets the last status: 32 bytes, the error code, the five battery values and labelColor,
     * inkColor, labelId, tubeRibbonLevel, tubeRibbon, tube, tubeRibbonInkColor, labelType.
     */
    public static native void presetStatus(byte[] statusBytes, int errorCode, int[] battery,
            int[] values);

    public static native int errorCode();

    public static native void setErrorCode(int code);

    /** True while an observer is bound (inside an entry call). */
    public static native boolean bindingActive();

    /**
     * Binds observer and runs one transport operation (1-10 in slot order) with the error code
     * set to 1 first. length is the send length, the receive length or the progress code; data
     * the bytes sent or the request text's bytes; initialReply the reply text before the call.
     */
    public static native ObserverResult observe(Object observer, int operation, int length,
            byte[] data, int replyLength, boolean flag, String initialReply);

    /** count rounds of sendData, receiveData and sendStringReceiveString in one native call. */
    public static native int observeMany(Object observer, int count);

    /**
     * Fills a bitmap record from the object: "result|file (hex)|width|height|flags|pixels", the
     * record starting as "unchanged", -7, -8.
     */
    public static native String bitmapData(Object bitmap);

    /** Calls a JNI function without checking for an exception (a warning under -Xcheck:jni). */
    public static native void skipExceptionCheck();

    /** Replaces every wait of the library by a recorder. */
    public static native void installRecordingWait();

    public static native long waitedMicroseconds();

    /** The template command built so far (the process-wide buffer of template printing). */
    public static native byte[] templateCommand();

    public static native void clearTemplateCommand();
}
