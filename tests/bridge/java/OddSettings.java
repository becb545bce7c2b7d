package com.talvora.lumeko.test;

// Settings objects of other classes than the SDK's, for the marshalling tests: the library reads
// fields by name and type, whatever the class.

/** Every field but the last one read, "savePrnPath". */
final class SettingsWithoutSavePath {
    public int portId = 4;
    public int modelId = 24;
    public int paperId = 7;
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
}

/** "paperId" of the wrong type. */
final class SettingsWithLongPaperId {
    public int portId = 4;
    public int modelId = 24;
    public long paperId = 3;
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

/** Template options lacking "useCopyCommandInTemplatePrint". */
final class TemplateSettingsWithoutCopyCommand {
    public boolean peelMode = true;
    public int checkPrintEnd = 1;
    public int numberOfCopies = 9;
    public boolean skipStatusCheck = true;
    public int closeWaitDisusingStatusCheckSec = 7;
}
