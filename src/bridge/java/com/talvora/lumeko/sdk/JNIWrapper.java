package com.talvora.lumeko.sdk;

/**
 * The host's door to the native library. Loading the class loads liblumeko (or the library named by
 * the system property {@code lumeko.library}, a full path). Host objects are typed {@code Object}:
 * the library reads them by field name and type, whatever their class.
 *
 * <p>One call runs at a time. Calls from several threads wait for each other and run one after
 * another, each with its own observer; only {@link #cancelJNI} does not wait: it stops the job that
 * is running, and a call waiting behind that job cannot undo the cancel. The model, port and print
 * options set by {@link #initJNI}, the template print options, the template command being built,
 * the last status and the cancel flag belong to the whole process, not to a wrapper object: a
 * thread that sets options and then prints must keep other threads from setting theirs in between
 * (for example by calling both under one lock of its own), and the status a call returns is its
 * own, while {@link #getLastStatusJNI} reports whichever call ran last.
 *
 * <p>An observer's callback must not call the library again, except {@link #cancelJNI}: such a
 * call is refused at once with error code 12 (busy); a {@link JNIStatus} result then carries 12 on
 * a cleared status, any other result is null, 0 or -1, and the running call goes on unchanged. Nor
 * may a callback wait for another thread that calls the library: that thread waits for the running
 * call, which waits for the callback.
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

    /** Prints a prepared print file numberOfCopies times. */
    public native JNIStatus sendPrnJNI(String prnPath, Object observer);

    /**
     * Prints one bitmap with numberOfCopies copies, or writes the job to savePrnPath when the
     * options name one.
     */
    public native JNIStatus printBitmapJNI(Object bitmap, Object observer);

    /** Prints (or saves) page page of a job of pages pages. */
    public native JNIStatus printBitmapsJNI(Object bitmap, Object observer, int page, int pages);

    /** The paper the options select, or null (the reason in getLastStatusJNI). No traffic. */
    public native Paper getLabelParamJNI();

    /** Reads the loaded label's id and type into the status (unless the check is skipped). */
    public native JNIStatus getLabelInfoJNI(Object observer);

    /** Reads the printer status. */
    public native JNIStatus getStatusJNI(Object observer);

    /**
     * Writes the first count pixels (0xAARRGGBB) as R, G, B bytes to path, replacing the file
     * unless append; 1 on success, 0 when nothing could be written.
     */
    public native int writeByteInFile(int[] pixels, int count, String path, boolean append);

    /** Writes the bitmap as one byte per pixel (0 or 255) to path; 1 on success, else 0. */
    public native int saveBitmapJNI(Object bitmap, String path, int halftone, int threshold,
            int toneSwitch);

    /** The printer's system report; "" on failure (the code in getLastStatusJNI). */
    public native String getSystemReportJNI(Object observer);

    /** The printer's media version; "" on failure. */
    public native String getMediaVerJNI(Object observer);

    /** The media version inside a media file; "" on failure. No printer traffic. */
    public native String getMediaFileVerJNI(String path);

    /** The printer's console text without blanks (network port); "" on failure. */
    public native String getDeviceStatusJNI(Object observer);

    /** The printer's page counter (network port); 0 on failure. */
    public native int getPageCounterJNI(Object observer);

    /** The printer's serial number; "" on failure. */
    public native String getSerialNumberJNI(Object observer);

    /** The battery reading; (-1, -1, NotInstalled) on failure. */
    public native BatteryInfo getBatteryInfoJNI(Object observer);

    /** Cancels the running job (callable from another thread); the code becomes 37. */
    public native void cancelJNI();

    /** The PrinterSpec of the selected model. No printer traffic. */
    public native PrinterSpec getPrinterSpec();

    /** The paper list of the selected model for the current options. No printer traffic. */
    public native Paper[] getPaperList();

    /**
     * Reads the printer settings named by keys into values (one text per key, "" for an item
     * not read). values must hold at least keys.length elements.
     */
    public native JNIStatus getPrinterSettingJNI(int[] keys, String[] values, Object observer);

    /** Writes the value texts for keys in one commit; both arrays of the same length. */
    public native JNIStatus setPrinterSettingJNI(int[] keys, String[] values, Object observer);

    /**
     * The custom paper command of a model for a paper-definition text, a paper kind (1 roll, 2
     * die-cut, 3 mark roll), a unit (1 inch, 2 mm) and the user's sizes; or the (parameter,
     * detail) pairs of the values that break their limits. No printer traffic.
     */
    public native CustomPaperInfoCommandData createCustomPaperInfoCommand(String modelName,
            String definitionText, int paperKind, int unitOfLength, float tapeWidth,
            float tapeLength, float rightMargin, float leftMargin, float topMargin,
            float bottomMargin, float labelPitch, float markPosition, float markHeight);

    /** The printer's firmware version; "" on failure (the code in getLastStatusJNI). */
    public native String getFirmVerJNI(Object observer);

    /** The version inside a firmware file; "" when it has none. No printer traffic. */
    public native String getFirmFileVerJNI(String path);

    /** Updates the printer's firmware from the file (template packages and databases refused). */
    public native JNIStatus updateFirmJNI(String path, Object observer);

    /** The printer's weak-battery flag; -1 on failure. */
    public native byte getBatteryWeakJNI(Object observer);

    /** The printer's boot mode; -1 on failure. */
    public native byte getBootModeJNI(Object observer);

    /** Transfers the template files to the printer, in order. */
    public native JNIStatus transferTemplateJNI(String[] paths, Object observer);

    /** Removes the templates with these keys from the printer. */
    public native JNIStatus removeTemplateJNI(int[] keys, Object observer);

    /**
     * The templates stored in the printer, one element per template (elements that could not be
     * built stay null; the code in getLastStatusJNI).
     */
    public native TemplateInfo[] getTemplateListJNI(Object observer);

    /** Turns the CSV file (field names on its first line) into a database and sends it. */
    public native JNIStatus sendDatabaseDataJNI(String name, String csvPath, Object observer);

    /** Starts a new template command for the template with this key (1 to 99). No traffic. */
    public native JNIStatus initKXTCommandJNI(int templateKey);

    /** Appends the text of the next object to the template command. No traffic. */
    public native JNIStatus replaceTextJNI(byte[] text);

    /** Appends the text of the object with this number to the template command. No traffic. */
    public native JNIStatus replaceTextIndexJNI(byte[] text, int index);

    /** Appends the text of the object with this name to the template command. No traffic. */
    public native JNIStatus replaceTextNameJNI(byte[] objectName, byte[] text);

    /** Prints the template command with the template print options. */
    public native JNIStatus printKXTCommandJNI(Object observer);

    /** Appends raw bytes to the template command. No traffic. */
    public native JNIStatus addToKXTCommandJNI(byte[] data);
}
