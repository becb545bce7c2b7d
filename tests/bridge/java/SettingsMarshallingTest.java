package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.TemplatePrintSettings;
import java.util.LinkedHashMap;
import java.util.Map;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/** The standing settings as initJNI and setTemplatePrintOptionJNI fill them, read back. */
class SettingsMarshallingTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    static Map<String, String> settings() {
        Map<String, String> out = new LinkedHashMap<>();
        for (String line : TestHooks.dumpSettings().split("\n")) {
            int eq = line.indexOf('=');
            out.put(line.substring(0, eq), line.substring(eq + 1));
        }
        return out;
    }

    @BeforeEach
    void backToDefaults() {
        PrintSettings defaults = new PrintSettings();
        defaults.customPaperCommand = new byte[0];
        wrapper.initJNI(defaults);
        wrapper.setTemplatePrintOptionJNI(new TemplatePrintSettings());
        TestHooks.setErrorCode(1);
    }

    @Test
    void everyFieldLandsInItsOptionWithItsWidth() {
        Map<String, String> before = settings();
        PrintSettings s = new PrintSettings();
        s.portId = 4;
        s.modelId = 24;
        s.paperId = 0x10003;
        s.orientation = 2;
        s.numberOfCopies = 7;
        s.closeWaitDisusingStatusCheckSec = 9;
        s.halftone = 3;
        s.printMode = 4;
        s.scale = 2.5;
        s.halfThreshold = 70000;
        s.align = 3;
        s.valign = 2;
        s.paperPosition = 3;
        s.density = 300;
        s.fcFeedMode = 4;
        s.customPaperWidth = 1234;
        s.customPaperLength = 40000;
        s.customFeed = 11;
        s.marginLeft = 12;
        s.marginTop = 13;
        s.speed = 263;
        s.rollPrinterCase = 3;
        s.fcCarbon = true;
        s.rotate180 = true;
        s.peelMode = true;
        s.mirrorPrint = true;
        s.isAutoCut = true;
        s.isCutAtEnd = true;
        s.mode9 = false;
        s.isHalfCut = true;
        s.isSpecialTape = true;
        s.skipStatusCheck = true;
        s.checkPrintEnd = 1;
        s.isLabelEndCut = true;
        s.fcPaperKind = 1;
        s.printQuality = 5;
        s.isCutMark = true;
        s.trimTapeAfterData = true;
        s.rawMode = true;
        s.labelMargin = 14;
        s.dashLine = true;
        s.overwrite = false;
        s.useLegacyHalftoneEngine = true;
        s.banishMargin = true;
        s.customPaperPath = "\u00e9";
        s.customPaperCommand = new byte[] {1, 2, (byte) 0xFF};
        s.savePrnPath = "\uD83D\uDE00";
        wrapper.initJNI(s);

        Map<String, String> expected = new LinkedHashMap<>(before);
        String[][] changes = {{"port", "4"}, {"model", "24"}, {"paperId", "3"},
            {"orientation", "2"}, {"numberOfCopies", "7"},
            {"closeWaitDisusingStatusCheckSec", "9"}, {"halftone", "3"}, {"printMode", "4"},
            {"scale", "2.5"}, {"halfThreshold", "4464"}, {"align", "3"}, {"valign", "2"},
            {"paperPosition", "3"}, {"density", "44"}, {"fcFeedMode", "4"},
            {"customPaperWidth", "1234"}, {"customPaperLength", "40000"}, {"customFeed", "11"},
            {"marginLeft", "12"}, {"marginTop", "13"}, {"speed", "7"}, {"rollPrinterCase", "3"},
            {"fcCarbon", "1"}, {"rotate180", "1"}, {"peelMode", "1"}, {"mirrorPrint", "1"},
            {"isAutoCut", "1"}, {"isCutAtEnd", "1"}, {"mode9", "0"}, {"isHalfCut", "1"},
            {"isSpecialTape", "1"}, {"doStatusCheck", "0"}, {"checkPrintEnd", "1"},
            {"isLabelEndCut", "1"}, {"fcPaperKind", "1"}, {"printQuality", "5"},
            {"isCutMark", "1"}, {"trimTapeAfterData", "1"}, {"rawMode", "1"},
            {"labelMargin", "14"}, {"dashLine", "1"}, {"overwrite", "0"},
            {"useLegacyHalftoneEngine", "1"}, {"banishMargin", "1"},
            {"customPaperPath", "C3A9"}, {"customPaperCommand", "0102FF"},
            {"savePrnPath", "F09F9880"}};
        for (String[] c : changes) {
            assertEquals(true, expected.containsKey(c[0]), c[0]);
            expected.put(c[0], c[1]);
        }
        // Fields without a host field keep their load values; the template options are apart.
        assertEquals(expected, settings());
        assertEquals("0", settings().get("colorBrightness"));
        assertEquals("1", settings().get("autoCutPageCount"));
        assertEquals("1", settings().get("template.doStatusCheck"));
        assertEquals(1, TestHooks.errorCode());
    }

    @ParameterizedTest
    @CsvSource({"paperId, -1, paperId, 65535", "halfThreshold, 40000, halfThreshold, -25536",
        "density, 200, density, -56", "density, -5, density, -5", "speed, -1, speed, 255",
        "skipStatusCheck, 0, doStatusCheck, 1"})
    void narrowFieldsKeepTheirLowBits(String field, int value, String option, String stored)
            throws Exception {
        PrintSettings s = new PrintSettings();
        if (field.equals("skipStatusCheck")) {
            s.skipStatusCheck = value != 0;
        } else {
            PrintSettings.class.getField(field).setInt(s, value);
        }
        wrapper.initJNI(s);
        assertEquals(stored, settings().get(option));
    }

    @Test
    void aNullCommandKeepsTheStoredOneAndAnEmptyOneClearsIt() {
        PrintSettings s = new PrintSettings();
        s.customPaperCommand = new byte[] {9, 8};
        wrapper.initJNI(s);
        s.customPaperCommand = null;
        wrapper.initJNI(s);
        assertEquals("0908", settings().get("customPaperCommand"));
        s.customPaperCommand = new byte[0];
        wrapper.initJNI(s);
        assertEquals("", settings().get("customPaperCommand"));
    }

    @Test
    void badSettingsObjectsGive39AndChangeNothing() {
        PrintSettings start = new PrintSettings();
        start.customPaperCommand = new byte[] {5};
        start.savePrnPath = "/tmp/keep";
        wrapper.initJNI(start);
        Map<String, String> before = settings();

        PrintSettings nullPath = new PrintSettings();
        nullPath.portId = 4;
        nullPath.customPaperPath = null;
        PrintSettings nulInPath = new PrintSettings();
        nulInPath.modelId = 24;
        nulInPath.savePrnPath = "a\u0000b";
        Object[] bad = {null, "not settings", new SettingsWithoutSavePath(),
            new SettingsWithLongPaperId(), nullPath, nulInPath};
        for (Object settingsObject : bad) {
            TestHooks.setErrorCode(1);
            wrapper.initJNI(settingsObject);
            assertEquals(39, TestHooks.errorCode(), String.valueOf(settingsObject));
            assertEquals(before, settings(), String.valueOf(settingsObject));
        }
    }

    @Test
    void templateOptionsAreReplacedAllTogetherOrNotAtAll() {
        TemplatePrintSettings t = new TemplatePrintSettings();
        t.peelMode = true;
        t.checkPrintEnd = 2;
        t.numberOfCopies = 5;
        t.skipStatusCheck = true;
        t.closeWaitDisusingStatusCheckSec = 0;
        t.useCopyCommandInTemplatePrint = true;
        wrapper.setTemplatePrintOptionJNI(t);
        Map<String, String> after = settings();
        assertEquals("1", after.get("template.peelMode"));
        assertEquals("2", after.get("template.checkPrintEnd"));
        assertEquals("5", after.get("template.numberOfCopies"));
        assertEquals("0", after.get("template.doStatusCheck"));
        assertEquals("0", after.get("template.closeWaitDisusingStatusCheckSec"));
        assertEquals("1", after.get("template.useCopyCommandInTemplatePrint"));
        // The print options keep their own doStatusCheck.
        assertEquals("1", after.get("doStatusCheck"));

        // A class lacking one field, a wrong class or null: nothing changes, no error code.
        for (Object o : new Object[] {new TemplateSettingsWithoutCopyCommand(), "x", null}) {
            wrapper.setTemplatePrintOptionJNI(o);
            assertEquals(after, settings());
            assertEquals(1, TestHooks.errorCode());
        }
    }
}
