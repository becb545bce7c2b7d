package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.TemplatePrintSettings;
import org.junit.jupiter.api.Test;

class StatusObjectTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @Test
    void everyStatusValueArrivesInItsPlaceZeroExtended() {
        byte[] bytes = new byte[32];
        for (int i = 0; i < 32; ++i) {
            bytes[i] = (byte) (0x80 + i);
        }
        TestHooks.presetStatus(bytes, 12, new int[] {11, 22, 33, 44, 55},
                new int[] {255, 0x81, 65535, 0x82, 0x83, 0x84, 0x85, 0xFFFE});

        JNIStatus s = wrapper.getLastStatusJNI();
        assertArrayEquals(bytes, s.statusByte);
        assertEquals(12, s.errorCode);
        assertArrayEquals(new int[] {11, 22, 33, 44, 55}, new int[] {s.batteryLevel,
            s.batteryMaxLevel, s.batteryCharging, s.batteryValid, s.batteryHealthLevel});
        assertEquals(255, s.labelColor);
        assertEquals(0x81, s.inkColor);
        assertEquals(65535, s.labelId);
        assertEquals(0x82, s.tubeRibbonLevel);
        assertEquals(0x83, s.tubeRibbon);
        assertEquals(0x84, s.tube);
        assertEquals(0x85, s.tubeRibbonInkColor);
        assertEquals(0xFFFE, s.labelType);

        // Neither settings call touches the last status.
        wrapper.initJNI(new PrintSettings());
        wrapper.setTemplatePrintOptionJNI(new TemplatePrintSettings());
        JNIStatus again = wrapper.getLastStatusJNI();
        assertArrayEquals(bytes, again.statusByte);
        assertEquals(12, again.errorCode);
        assertEquals(0xFFFE, again.labelType);
    }
}
