package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import org.junit.jupiter.api.Test;

/** A freshly loaded library, before any operation: its own JVM. */
class FreshStatusTest {
    @Test
    void lastStatusAtLoadIsZeroExceptTheBattery() {
        JNIWrapper wrapper = new JNIWrapper();
        JNIStatus s = wrapper.getLastStatusJNI();
        assertArrayEquals(new byte[32], s.statusByte);
        assertEquals(0, s.errorCode);
        assertEquals(-1, s.batteryLevel);
        assertEquals(-1, s.batteryMaxLevel);
        assertEquals(-1, s.batteryCharging);
        assertEquals(-1, s.batteryValid);
        assertEquals(-1, s.batteryHealthLevel);
        int[] rest = {s.labelColor, s.inkColor, s.labelId, s.tubeRibbonLevel, s.tubeRibbon, s.tube,
            s.tubeRibbonInkColor, s.labelType};
        assertArrayEquals(new int[8], rest);

        // Setting the options builds no operation: the status stays as it was.
        PrintSettings settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        wrapper.initJNI(settings);
        assertEquals(0, wrapper.getLastStatusJNI().errorCode);
        assertEquals(-1, wrapper.getLastStatusJNI().batteryLevel);
    }
}
