package com.talvora.lumeko.sdk;

/** Template print options, read by {@link JNIWrapper#setTemplatePrintOptionJNI}. */
public class TemplatePrintSettings {
    public boolean peelMode = false;
    public int checkPrintEnd = 3;
    public int numberOfCopies = 1;
    public boolean skipStatusCheck = false;
    public int closeWaitDisusingStatusCheckSec = 3;
    public boolean useCopyCommandInTemplatePrint = false;
}
