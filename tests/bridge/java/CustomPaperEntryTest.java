package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;

import com.talvora.lumeko.sdk.CustomPaperInfoCommandData;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import org.junit.jupiter.api.Test;

/** createCustomPaperInfoCommand: the command or the error pairs, and nothing else touched. */
class CustomPaperEntryTest {
    static final String MODEL_NAME = "Talvora SN-7500D";
    /** SN-7500D: series code 0x35, model code 0x39. */
    static final int MODEL = 63;
    static final int ROLL = 1;
    static final int DIE_CUT = 2;
    static final int MM = 2;

    /** A 300 dpi head of 1248 dots, the codes of the SN-7500D, margins 3 to 127 mm. */
    static final String DEFINITION = "; paper definition\n[Head]\nnSensorID = 1\n"
            + "dwHeadPinNum = 1248\nwResolutionNum = 2\nwResolutions = 300,300,600,300\n"
            + "bySeriesCode = 35\nbyModelCode = 39\nbyHeadDivide = 2\nnDieStartPlus = 8\n"
            + "nMinPaperLength = 60\nnMaxPaperLength = 10000\nnMinMargin = 30\n"
            + "nMaxMargin = 1270\n";

    private final JNIWrapper wrapper = new JNIWrapper();

    /** Sizes in host order: width, length, right, left, top, bottom, pitch, mark position, height. */
    private CustomPaperInfoCommandData create(String model, String definition, int kind,
            float... s) {
        return wrapper.createCustomPaperInfoCommand(model, definition, kind, MM, s[0], s[1], s[2],
                s[3], s[4], s[5], s[6], s[7], s[8]);
    }

    @Test
    void valuesWithinTheLimitsGiveTheCommandThatSelectsThePaper() {
        CustomPaperInfoCommandData d =
                create(MODEL_NAME, DEFINITION, DIE_CUT, 62, 100, 3, 3, 2, 2, 3, 0, 0);
        assertNull(d.errors);
        assertEquals(156, d.command.length);
        assertArrayEquals(ScriptedPrinter.bytes(0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F),
                java.util.Arrays.copyOf(d.command, 8));

        // Handed back as a print option, the command selects a 62 x 100 mm custom paper.
        PrintSettings s = new PrintSettings();
        s.modelId = MODEL;
        s.portId = 1;
        s.customPaperCommand = d.command;
        wrapper.initJNI(s);
        Paper paper = wrapper.getLabelParamJNI();
        assertNotNull(paper);
        assertEquals(254, paper.paperId);
        assertEquals(62f, paper.widthMm);
        assertEquals(100f, paper.lengthMm);
    }

    @Test
    void failingValuesGiveTheirPairsFlattened() {
        Object[][] cases = {
            // length above its maximum: one pair, no clean marker
            {new float[] {62, 2000, 3, 3, 2, 2, 3, 0, 0}, new int[] {2, 2}},
            // width above and length below
            {new float[] {114.2f, 5.9f, 5, 5, 2, 2, 3, 0, 0}, new int[] {1, 2, 2, 3}},
            // the fifth float is the top margin, the seventh the label pitch
            {new float[] {62, 100, 3, 3, -1, 2, 3, 0, 0}, new int[] {5, 3}},
            {new float[] {62, 100, 3, 3, 2, 2, 1.9f, 0, 0}, new int[] {7, 3}},
            {new float[] {Float.NaN, 100, 3, 3, 2, 2, 3, 0, 0}, new int[] {1, 1}},
        };
        for (Object[] c : cases) {
            CustomPaperInfoCommandData d = create(MODEL_NAME, DEFINITION, DIE_CUT, (float[]) c[0]);
            assertNull(d.command);
            assertArrayEquals((int[]) c[1], d.errors, java.util.Arrays.toString((float[]) c[0]));
        }
    }

    @Test
    void unknownModelsKindsAndMissingTextsGiveFailureObjects() {
        float[] roll = {62, 0, 3, 3, 0, 0, 0, 0, 0};
        assertArrayEquals(new int[] {1, 2, 2, 1, 3, 2, 4, 2, 7, 1, 5, 1, 6, 1},
                create("Talvora XX-1", DEFINITION, ROLL, roll).errors);
        assertArrayEquals(new int[] {-1, 1, 12, 1, -1, 1, -1, 1, -1, 1, 8, 1},
                create(MODEL_NAME, "", ROLL, roll).errors);
        // Null texts count as empty ones.
        assertArrayEquals(create(MODEL_NAME, "", ROLL, roll).errors,
                create(MODEL_NAME, null, ROLL, roll).errors);
        CustomPaperInfoCommandData d = create(null, null, 77, roll);
        assertNull(d.command);
        assertNotNull(d.errors);
        // A negative die start in the definition goes out as FF FF (command offset 38).
        d = create(MODEL_NAME, DEFINITION.replace("nDieStartPlus = 8", "nDieStartPlus = -3"),
                DIE_CUT, 62, 100, 3, 3, 2, 2, 3, 0, 0);
        assertNull(d.errors);
        assertEquals(156, d.command.length);
        assertEquals(-1, d.command[38]);
        assertEquals(-1, d.command[39]);
        // One above 16 bits is refused.
        d = create(MODEL_NAME, DEFINITION.replace("nDieStartPlus = 8", "nDieStartPlus = 70000"),
                DIE_CUT, 62, 100, 3, 3, 2, 2, 3, 0, 0);
        assertNull(d.command);
        assertArrayEquals(new int[] {-1, 1}, d.errors);
    }

    @Test
    void theLastStatusIsNeitherReadNorWritten() {
        TestHooks.setErrorCode(17);
        int before = wrapper.getLastStatusJNI().labelId;
        create(MODEL_NAME, DEFINITION, DIE_CUT, 62, 100, 3, 3, 2, 2, 3, 0, 0);
        create("Talvora XX-1", "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        assertEquals(17, TestHooks.errorCode());
        assertEquals(before, wrapper.getLastStatusJNI().labelId);
    }
}
