package com.talvora.lumeko.sdk;

/**
 * The host's door to the native library. Loading the class loads liblumeko (or the library named by
 * the system property {@code lumeko.library}, a full path). Host objects are typed {@code Object}:
 * the library reads them by field name and type, whatever their class.
 */
public class JNIWrapper {
    static {
        String path = System.getProperty("lumeko.library");
        if (path != null && !path.isEmpty()) {
            System.load(path);
        } else {
            System.loadLibrary("lumeko");
        }
    }

    /** Makes sure the library is loaded (for classes that bind natives of the same library). */
    public static void ensureLoaded() {}

    /** Sets model, port and the print options from a {@link PrintSettings}-like object. */
    public native void initJNI(Object settings);

    /** Sets the template print options from a {@link TemplatePrintSettings}-like object. */
    public native void setTemplatePrintOptionJNI(Object options);

    /** The status left by the previous operation. */
    public native JNIStatus getLastStatusJNI();
}
