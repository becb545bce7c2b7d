package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;

import com.talvora.lumeko.sdk.CustomPaperInfoCommandData;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterSpec;
import java.util.Arrays;
import org.junit.jupiter.api.Test;

/** PrinterSpec, paper list and cancel: no printer, and the last status left alone. */
class ModelQueryTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    private void select(int model) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = 1;
        wrapper.initJNI(s);
    }

    @Test
    void printerSpecOfAModel() {
        select(0);
        PrinterSpec spec = wrapper.getPrinterSpec();
        assertEquals(0x32, spec.seriesCode);
        assertEquals(0x33, spec.modelCode);
        assertEquals(816, spec.headDots);
        assertEquals(300, spec.dpi);
        assertEquals("GY-150BT", spec.modelName);
    }

    @Test
    void paperListsInIdOrderWithZeroExtendedValues() {
        select(7);
        Paper[] papers = wrapper.getPaperList();
        int[] ids = Arrays.stream(papers).mapToInt(p -> p.paperId).toArray();
        assertArrayEquals(new int[] {1, 2, 3, 4, 5, 254}, ids);
        // the 8.5-inch papers keep their float width exactly
        assertEquals(2, Arrays.stream(papers).filter(p -> p.widthMm == 215.9f).count());

        select(54);
        papers = wrapper.getPaperList();
        Paper p50 = Arrays.stream(papers).filter(p -> p.paperId == 50).findFirst().get();
        Paper p51 = Arrays.stream(papers).filter(p -> p.paperId == 51).findFirst().get();
        assertEquals(164, p50.mediaLengthMm);
        assertEquals((byte) 0x8A, p51.mediaType);
    }

    @Test
    void aCustomPaperModelWithoutCommandListsOneEmptyPaperWith25() {
        PrintSettings s = new PrintSettings();
        s.modelId = 13;
        s.portId = 1;
        s.customPaperCommand = new byte[0];
        wrapper.initJNI(s);
        Paper[] papers = wrapper.getPaperList();
        assertEquals(1, papers.length);
        assertEquals(0, papers[0].paperId);
        assertEquals(25, wrapper.getLastStatusJNI().errorCode);
    }

    @Test
    void theCustomSizeEntryCarriesTheStandingSizeZeroExtended() {
        PrintSettings s = new PrintSettings();
        s.modelId = 7;
        s.portId = 1;
        s.customPaperWidth = 96;
        s.customPaperLength = 40000;
        wrapper.initJNI(s);
        Paper custom = Arrays.stream(wrapper.getPaperList()).filter(p -> p.paperId == 254)
                .findFirst().get();
        assertEquals(96, custom.printableWidthDots);
        assertEquals(40000, custom.lengthDots);
        assertEquals(40000, custom.printableLengthDots);
    }

    @Test
    void aCustomPaperModelWithItsCommandListsTheDerivedPaperWith1() {
        // A 62 x 100 mm die-cut label for the SN-7500D (model 63: series 0x35, model 0x39).
        String definition = "[Head]\nnSensorID = 1\ndwHeadPinNum = 1248\nwResolutionNum = 2\n"
                + "wResolutions = 300,300,600,300\nbySeriesCode = 35\nbyModelCode = 39\n"
                + "byHeadDivide = 2\nnDieStartPlus = 8\nnMinPaperLength = 60\n"
                + "nMaxPaperLength = 10000\nnMinMargin = 30\nnMaxMargin = 1270\n";
        CustomPaperInfoCommandData d = wrapper.createCustomPaperInfoCommand(
                "Talvora SN-7500D", definition, 2, 2, 62, 100, 3, 3, 2, 2, 3, 0, 0);
        assertNotNull(d.command);
        PrintSettings s = new PrintSettings();
        s.modelId = 63;
        s.portId = 1;
        s.customPaperCommand = d.command;
        wrapper.initJNI(s);
        Paper[] papers = wrapper.getPaperList();
        assertEquals(1, papers.length);
        assertEquals(254, papers[0].paperId);
        assertEquals(62f, papers[0].widthMm);
        assertEquals(100f, papers[0].lengthMm);
        assertEquals(1, wrapper.getLastStatusJNI().errorCode);
    }

    @Test
    void modelsWithoutARecordGiveDefaultsAndAnEmptyList() {
        for (int model : new int[] {43, 44, 70, -1, 1000}) {
            select(model);
            PrinterSpec spec = wrapper.getPrinterSpec();
            assertEquals(0, spec.headDots, "model " + model);
            assertEquals("", spec.modelName);
            assertEquals(0, wrapper.getPaperList().length, "model " + model);
        }
    }

    @Test
    void modelQueriesLeaveTheStatusAndCancelSetsOnly37() {
        select(24);
        // Leave a status with a code of its own: a battery query without observer gives 39.
        wrapper.getBatteryInfoJNI(null);
        JNIStatus before = wrapper.getLastStatusJNI();
        assertEquals(39, before.errorCode);
        wrapper.getPrinterSpec();
        wrapper.getPaperList();
        assertEquals(39, wrapper.getLastStatusJNI().errorCode);

        wrapper.cancelJNI();
        JNIStatus after = wrapper.getLastStatusJNI();
        assertEquals(37, after.errorCode);
        assertArrayEquals(before.statusByte, after.statusByte);
        assertEquals(before.labelId, after.labelId);
        assertEquals(before.batteryLevel, after.batteryLevel);
        assertFalse(wrapper.getPaperList().length == 0);
    }
}
