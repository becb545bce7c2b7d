package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertAll;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.Supplier;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.function.Executable;
import org.junit.jupiter.api.io.TempDir;

/**
 * A call refused for a host argument it cannot use reports its own code on a cleared status,
 * never the status bytes, battery and media values of the call before it.
 */
class RefusedCallStatusTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    /** The status a previous call left: every value set. */
    private static void previousCallLeftAStatus() {
        byte[] bytes = new byte[32];
        for (int i = 0; i < 32; ++i) {
            bytes[i] = (byte) (0x80 + i);
        }
        TestHooks.presetStatus(bytes, 12, new int[] {11, 22, 33, 44, 55},
                new int[] {1, 2, 3, 4, 5, 6, 7, 8});
    }

    private static void assertCleared(String name, int code, JNIStatus s) {
        assertEquals(code, s.errorCode, name);
        assertArrayEquals(new byte[32], s.statusByte, name);
        assertArrayEquals(new int[] {-1, -1, -1, -1, -1}, new int[] {s.batteryLevel,
            s.batteryMaxLevel, s.batteryCharging, s.batteryValid, s.batteryHealthLevel}, name);
        assertArrayEquals(new int[] {255, 255, 65535, 255, 255, 255, 255, 65535},
                new int[] {s.labelColor, s.inkColor, s.labelId, s.tubeRibbonLevel, s.tubeRibbon,
                    s.tube, s.tubeRibbonInkColor, s.labelType}, name);
    }

    @Test
    void everyRefusedCallReportsItsCodeOnAClearedStatus() {
        PrintSettings settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        wrapper.initJNI(settings);
        BitmapInfo bitmap = new BitmapInfo(dir.resolve("p.rgb").toString(), 16, 8);
        ScriptedPrinter p = new ScriptedPrinter();
        String csv = dir.resolve("db.csv").toString();

        Map<String, Supplier<Object>> calls = new LinkedHashMap<>();
        Map<String, Integer> codes = new LinkedHashMap<>();
        calls.put("printBitmapJNI without bitmap", () -> wrapper.printBitmapJNI(null, p));
        codes.put("printBitmapJNI without bitmap", 39);
        calls.put("printBitmapJNI with another object", () -> wrapper.printBitmapJNI("x", p));
        codes.put("printBitmapJNI with another object", 39);
        calls.put("printBitmapJNI without observer", () -> wrapper.printBitmapJNI(bitmap, null));
        codes.put("printBitmapJNI without observer", 39);
        calls.put("printBitmapJNI, incomplete observer", () -> wrapper.printBitmapJNI(bitmap, "x"));
        codes.put("printBitmapJNI, incomplete observer", 40);
        calls.put("printBitmapsJNI, page -1", () -> wrapper.printBitmapsJNI(bitmap, p, -1, 3));
        codes.put("printBitmapsJNI, page -1", 39);
        calls.put("sendPrnJNI without path", () -> wrapper.sendPrnJNI(null, p));
        codes.put("sendPrnJNI without path", 39);
        calls.put("getStatusJNI without observer", () -> wrapper.getStatusJNI(null));
        codes.put("getStatusJNI without observer", 39);
        calls.put("getLabelInfoJNI, incomplete observer", () -> wrapper.getLabelInfoJNI(new Object()));
        codes.put("getLabelInfoJNI, incomplete observer", 40);
        calls.put("getPrinterSettingJNI without keys",
                () -> wrapper.getPrinterSettingJNI(null, new String[1], p));
        codes.put("getPrinterSettingJNI without keys", 39);
        calls.put("setPrinterSettingJNI without values",
                () -> wrapper.setPrinterSettingJNI(new int[] {1}, null, p));
        codes.put("setPrinterSettingJNI without values", 39);
        calls.put("transferTemplateJNI without paths", () -> wrapper.transferTemplateJNI(null, p));
        codes.put("transferTemplateJNI without paths", 39);
        calls.put("removeTemplateJNI without keys", () -> wrapper.removeTemplateJNI(null, p));
        codes.put("removeTemplateJNI without keys", 39);
        calls.put("sendDatabaseDataJNI without name",
                () -> wrapper.sendDatabaseDataJNI(null, csv, p));
        codes.put("sendDatabaseDataJNI without name", 39);
        calls.put("updateFirmJNI without observer",
                () -> wrapper.updateFirmJNI(dir.resolve("f.bin").toString(), null));
        codes.put("updateFirmJNI without observer", 39);
        calls.put("printKXTCommandJNI, incomplete observer", () -> wrapper.printKXTCommandJNI("x"));
        codes.put("printKXTCommandJNI, incomplete observer", 40);
        // Calls whose result is no status: the last status tells.
        calls.put("getSerialNumberJNI without observer", () -> wrapper.getSerialNumberJNI(null));
        codes.put("getSerialNumberJNI without observer", 39);
        calls.put("getBatteryInfoJNI, incomplete observer", () -> wrapper.getBatteryInfoJNI("x"));
        codes.put("getBatteryInfoJNI, incomplete observer", 40);
        calls.put("getFirmVerJNI without observer", () -> wrapper.getFirmVerJNI(null));
        codes.put("getFirmVerJNI without observer", 39);
        calls.put("getMediaFileVerJNI without path", () -> wrapper.getMediaFileVerJNI(null));
        codes.put("getMediaFileVerJNI without path", 39);

        // Every row runs and reports on its own.
        List<Executable> rows = new ArrayList<>();
        for (Map.Entry<String, Supplier<Object>> call : calls.entrySet()) {
            String name = call.getKey();
            int code = codes.get(name);
            rows.add(() -> {
                previousCallLeftAStatus();
                Object result = call.getValue().get();
                if (result instanceof JNIStatus) {
                    assertCleared(name, code, (JNIStatus) result);
                }
                assertCleared(name + ", last status", code, wrapper.getLastStatusJNI());
            });
        }
        assertAll(rows);
        assertEquals(0, p.transcript.size());
    }
}
