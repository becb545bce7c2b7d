package com.talvora.lumeko.sdk;

/** Port, model and print options, read by {@link JNIWrapper#initJNI}. Fields hold the defaults. */
public class PrintSettings {
    public int portId = 0;
    public int modelId = 70;

    public int paperId = 255;
    public int orientation = 1;
    public int numberOfCopies = 1;
    public int closeWaitDisusingStatusCheckSec = 3;
    public int halftone = 1;
    public int printMode = 1;
    public double scale = 1.0;
    public int halfThreshold = 128;
    public int align = 1;
    public int valign = 1;
    public int paperPosition = 1;
    public int density = 5;
    public int fcFeedMode = 1;
    public int customPaperWidth = 0;
    public int customPaperLength = 0;
    public int customFeed = 0;
    public int marginLeft = 0;
    public int marginTop = 0;
    public int speed = 0;
    public int rollPrinterCase = 1;
    public boolean fcCarbon = false;
    public boolean rotate180 = false;
    public boolean peelMode = false;
    public boolean mirrorPrint = false;
    public boolean isAutoCut = false;
    public boolean isCutAtEnd = false;
    public boolean mode9 = true;
    public boolean isHalfCut = false;
    public boolean isSpecialTape = false;
    public boolean skipStatusCheck = false;
    public int checkPrintEnd = 3;
    public boolean isLabelEndCut = false;
    public int fcPaperKind = 2;
    public int printQuality = 2;
    public boolean isCutMark = false;
    public boolean trimTapeAfterData = false;
    public boolean rawMode = false;
    public int labelMargin = 0;
    public boolean dashLine = false;
    public boolean overwrite = true;
    public boolean useLegacyHalftoneEngine = false;
    public boolean banishMargin = false;
    public String customPaperPath = "";
    public byte[] customPaperCommand = null;
    public String savePrnPath = "";
}
