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
import java.util.List;
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

    /** A refused call, the code it must report and the call itself. */
    private record Row(String name, int code, Supplier<Object> call) {}

    @Test
    void everyRefusedCallReportsItsCodeOnAClearedStatus() {
        PrintSettings settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        wrapper.initJNI(settings);
        BitmapInfo bitmap = new BitmapInfo(dir.resolve("p.rgb").toString(), 16, 8);
        ScriptedPrinter p = new ScriptedPrinter();
        String csv = dir.resolve("db.csv").toString();

        List<Row> table = List.of(
                new Row("printBitmapJNI without bitmap", 39, () -> wrapper.printBitmapJNI(null, p)),
                new Row("printBitmapJNI with another object", 39,
                        () -> wrapper.printBitmapJNI("x", p)),
                new Row("printBitmapJNI without observer", 39,
                        () -> wrapper.printBitmapJNI(bitmap, null)),
                new Row("printBitmapJNI, incomplete observer", 40,
                        () -> wrapper.printBitmapJNI(bitmap, "x")),
                new Row("printBitmapsJNI, page -1", 39,
                        () -> wrapper.printBitmapsJNI(bitmap, p, -1, 3)),
                new Row("sendPrnJNI without path", 39, () -> wrapper.sendPrnJNI(null, p)),
                new Row("getStatusJNI without observer", 39, () -> wrapper.getStatusJNI(null)),
                new Row("getLabelInfoJNI, incomplete observer", 40,
                        () -> wrapper.getLabelInfoJNI(new Object())),
                new Row("getPrinterSettingJNI without keys", 39,
                        () -> wrapper.getPrinterSettingJNI(null, new String[1], p)),
                new Row("setPrinterSettingJNI without values", 39,
                        () -> wrapper.setPrinterSettingJNI(new int[] {1}, null, p)),
                new Row("transferTemplateJNI without paths", 39,
                        () -> wrapper.transferTemplateJNI(null, p)),
                new Row("removeTemplateJNI without keys", 39,
                        () -> wrapper.removeTemplateJNI(null, p)),
                new Row("sendDatabaseDataJNI without name", 39,
                        () -> wrapper.sendDatabaseDataJNI(null, csv, p)),
                new Row("updateFirmJNI without observer", 39,
                        () -> wrapper.updateFirmJNI(dir.resolve("f.bin").toString(), null)),
                new Row("printKXTCommandJNI, incomplete observer", 40,
                        () -> wrapper.printKXTCommandJNI("x")),
                // Calls whose result is no status: the last status tells.
                new Row("getSerialNumberJNI without observer", 39,
                        () -> wrapper.getSerialNumberJNI(null)),
                new Row("getBatteryInfoJNI, incomplete observer", 40,
                        () -> wrapper.getBatteryInfoJNI("x")),
                new Row("getFirmVerJNI without observer", 39, () -> wrapper.getFirmVerJNI(null)),
                new Row("getMediaFileVerJNI without path", 39,
                        () -> wrapper.getMediaFileVerJNI(null)));

        // Every row runs and reports on its own.
        List<Executable> rows = new ArrayList<>();
        for (Row row : table) {
            rows.add(() -> {
                previousCallLeftAStatus();
                Object result = row.call().get();
                if (result instanceof JNIStatus) {
                    assertCleared(row.name(), row.code(), (JNIStatus) result);
                }
                assertCleared(row.name() + ", last status", row.code(), wrapper.getLastStatusJNI());
            });
        }
        assertAll(rows);
        assertEquals(0, p.transcript.size());
    }
}
