package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertAll;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.TemplatePrintSettings;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.TreeSet;
import java.util.function.Supplier;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.api.function.Executable;

/**
 * A call made from inside an observer callback of the running call, on the same thread, is
 * refused at once: a status result carries 12 (busy) on a cleared status, any other result is
 * null, 0 or -1, and nothing of the running call changes: its status, the standing settings,
 * the template command, its job.
 */
class CallFromCallbackTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    /** One entry point called from the callback: its name and the call with usable arguments. */
    private record Row(String name, Supplier<Object> call) {}

    private static Supplier<Object> run(Runnable call) {
        return () -> {
            call.run();
            return null;
        };
    }

    /** Every entry point but cancelJNI, with arguments it would act on if it ran. */
    private List<Row> everyEntryPoint(BitmapInfo bitmap, ScriptedPrinter inner) {
        PrintSettings other = new PrintSettings();
        other.modelId = 0;
        other.portId = 4;
        TemplatePrintSettings template = new TemplatePrintSettings();
        template.peelMode = true;
        template.numberOfCopies = 7;
        String file = dir.resolve("written.bin").toString();
        String missing = dir.resolve("missing.bin").toString();
        byte[] text = {0x41, 0x42};
        float m = 1.0f;
        return List.of(
                new Row("initJNI", run(() -> wrapper.initJNI(other))),
                new Row("setTemplatePrintOptionJNI",
                        run(() -> wrapper.setTemplatePrintOptionJNI(template))),
                new Row("getLastStatusJNI", wrapper::getLastStatusJNI),
                new Row("sendPrnJNI", () -> wrapper.sendPrnJNI(missing, inner)),
                new Row("printBitmapJNI", () -> wrapper.printBitmapJNI(bitmap, inner)),
                new Row("printBitmapsJNI", () -> wrapper.printBitmapsJNI(bitmap, inner, 0, 1)),
                new Row("getLabelParamJNI", wrapper::getLabelParamJNI),
                new Row("getLabelInfoJNI", () -> wrapper.getLabelInfoJNI(inner)),
                new Row("getStatusJNI", () -> wrapper.getStatusJNI(inner)),
                new Row("writeByteInFile",
                        () -> wrapper.writeByteInFile(new int[] {-1}, 1, file, false)),
                new Row("saveBitmapJNI", () -> wrapper.saveBitmapJNI(bitmap, file, 1, 128, 0)),
                new Row("getSystemReportJNI", () -> wrapper.getSystemReportJNI(inner)),
                new Row("getMediaVerJNI", () -> wrapper.getMediaVerJNI(inner)),
                new Row("getMediaFileVerJNI", () -> wrapper.getMediaFileVerJNI(missing)),
                new Row("getDeviceStatusJNI", () -> wrapper.getDeviceStatusJNI(inner)),
                new Row("getPageCounterJNI", () -> wrapper.getPageCounterJNI(inner)),
                new Row("getSerialNumberJNI", () -> wrapper.getSerialNumberJNI(inner)),
                new Row("getBatteryInfoJNI", () -> wrapper.getBatteryInfoJNI(inner)),
                new Row("getPrinterSpec", wrapper::getPrinterSpec),
                new Row("getPaperList", wrapper::getPaperList),
                new Row("getPrinterSettingJNI",
                        () -> wrapper.getPrinterSettingJNI(new int[] {1}, new String[1], inner)),
                new Row("setPrinterSettingJNI",
                        () -> wrapper.setPrinterSettingJNI(new int[] {1}, new String[] {"1"},
                                inner)),
                new Row("createCustomPaperInfoCommand",
                        () -> wrapper.createCustomPaperInfoCommand("", "", 1, 2, m, m, m, m, m, m,
                                m, m, m)),
                new Row("getFirmVerJNI", () -> wrapper.getFirmVerJNI(inner)),
                new Row("getFirmFileVerJNI", () -> wrapper.getFirmFileVerJNI(missing)),
                new Row("updateFirmJNI", () -> wrapper.updateFirmJNI(missing, inner)),
                new Row("getBatteryWeakJNI", () -> wrapper.getBatteryWeakJNI(inner)),
                new Row("getBootModeJNI", () -> wrapper.getBootModeJNI(inner)),
                new Row("transferTemplateJNI",
                        () -> wrapper.transferTemplateJNI(new String[] {missing}, inner)),
                new Row("removeTemplateJNI",
                        () -> wrapper.removeTemplateJNI(new int[] {1}, inner)),
                new Row("getTemplateListJNI", () -> wrapper.getTemplateListJNI(inner)),
                new Row("sendDatabaseDataJNI",
                        () -> wrapper.sendDatabaseDataJNI("db", missing, inner)),
                new Row("initKXTCommandJNI", () -> wrapper.initKXTCommandJNI(1)),
                new Row("replaceTextJNI", () -> wrapper.replaceTextJNI(text)),
                new Row("replaceTextIndexJNI", () -> wrapper.replaceTextIndexJNI(text, 0)),
                new Row("replaceTextNameJNI", () -> wrapper.replaceTextNameJNI(text, text)),
                new Row("printKXTCommandJNI", () -> wrapper.printKXTCommandJNI(inner)),
                new Row("addToKXTCommandJNI", () -> wrapper.addToKXTCommandJNI(text)));
    }

    /** What a refused call gives, by its result type. */
    private static Object refusal(Class<?> type) {
        if (type == int.class) {
            return 0;
        }
        if (type == byte.class) {
            return (byte) -1;
        }
        return null;
    }

    private static Method entryPoint(String name) {
        return Stream.of(JNIWrapper.class.getDeclaredMethods())
                .filter(m -> m.getName().equals(name)).findFirst().orElseThrow();
    }

    /** The status values but the error code, as one text. */
    private static String clearedPart(JNIStatus s) {
        return hex(s.statusByte) + List.of(s.batteryLevel, s.batteryMaxLevel, s.batteryCharging,
                s.batteryValid, s.batteryHealthLevel, s.labelColor, s.inkColor, s.labelId,
                s.tubeRibbonLevel, s.tubeRibbon, s.tube, s.tubeRibbonInkColor, s.labelType);
    }

    /** A last status no call would leave: every value set, error code 77. */
    private static void presetDistinctStatus() {
        byte[] bytes = new byte[32];
        for (int i = 0; i < 32; ++i) {
            bytes[i] = (byte) (0x80 + i);
        }
        TestHooks.presetStatus(bytes, 77, new int[] {11, 22, 33, 44, 55},
                new int[] {1, 2, 3, 4, 5, 6, 7, 8});
    }

    /** The cleared status a bitmap job without status check runs with. */
    private static void presetClearedStatus() {
        TestHooks.presetStatus(new byte[32], 1, new int[] {-1, -1, -1, -1, -1},
                new int[] {255, 255, 0xFFFF, 255, 255, 255, 255, 0xFFFF});
    }

    private static String record(ScriptedPrinter p, JNIStatus s) {
        String calls = p.transcript.stream().map(c -> c.method + ":" + hex(c.data))
                .collect(Collectors.joining(","));
        return calls + "|" + p.progress + "|" + s.errorCode + "|" + clearedPart(s);
    }

    @Test
    void everyEntryPointButCancelIsRefusedFromACallbackAndLeavesTheRunningJobAlone()
            throws Exception {
        PrintSettings settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        settings.paperId = 11;
        settings.skipStatusCheck = true;
        settings.checkPrintEnd = 1;
        settings.closeWaitDisusingStatusCheckSec = 0;
        settings.numberOfCopies = 2;
        wrapper.initJNI(settings);
        int[] pixels = new int[16 * 8];
        for (int i = 0; i < pixels.length; i += 3) {
            pixels[i] = 0xFF000000;
        }
        Path picture = dir.resolve("picture.rgb");
        assertEquals(1, wrapper.writeByteInFile(pixels, pixels.length, picture.toString(), false));
        BitmapInfo bitmap = new BitmapInfo(picture.toString(), 16, 8);
        TestHooks.clearTemplateCommand();
        wrapper.initKXTCommandJNI(1);
        // The cleared status of a refused argument, as operations clear the last status.
        String cleared = clearedPart(wrapper.getStatusJNI(null));

        ScriptedPrinter alone = new ScriptedPrinter();
        String jobAlone = record(alone, wrapper.printBitmapJNI(bitmap, alone));

        List<Row> rows = new ArrayList<>();
        List<Executable> checks = new ArrayList<>();
        ScriptedPrinter inner = new ScriptedPrinter();
        ScriptedPrinter outer = new ScriptedPrinter() {
            @Override
            public boolean sendMessage(int code) {
                if (rows.isEmpty()) {
                    rows.addAll(everyEntryPoint(bitmap, inner));
                    for (Row row : rows) {
                        checks.add(callFromCallback(row, inner, cleared));
                    }
                    presetClearedStatus();
                }
                return super.sendMessage(code);
            }
        };
        String job = record(outer, wrapper.printBitmapJNI(bitmap, outer));
        assertAll(checks);
        assertEquals(jobAlone, job, "the running job");

        // The table holds every entry point of the wrapper but cancelJNI.
        TreeSet<String> natives = Stream.of(JNIWrapper.class.getDeclaredMethods())
                .filter(m -> Modifier.isNative(m.getModifiers()))
                .map(Method::getName).collect(Collectors.toCollection(TreeSet::new));
        natives.remove("cancelJNI");
        assertEquals(natives, rows.stream().map(Row::name)
                .collect(Collectors.toCollection(TreeSet::new)));
    }

    /** Runs one row inside the callback; the check of what it gave and what it left. */
    private Executable callFromCallback(Row row, ScriptedPrinter inner, String cleared) {
        Path file = dir.resolve("written.bin");
        try {
            Files.deleteIfExists(file);
        } catch (java.io.IOException e) {
            throw new IllegalStateException(e);
        }
        presetDistinctStatus();
        String settings = TestHooks.dumpSettings();
        String command = hex(TestHooks.templateCommand());
        Object result = row.call().get();
        int code = TestHooks.errorCode();
        boolean settingsKept = settings.equals(TestHooks.dumpSettings());
        boolean commandKept = command.equals(hex(TestHooks.templateCommand()));
        boolean written = Files.exists(file);
        boolean silent = inner.transcript.isEmpty() && inner.progress.isEmpty();
        return () -> {
            String name = row.name();
            if (result instanceof JNIStatus) {
                JNIStatus s = (JNIStatus) result;
                assertEquals(12, s.errorCode, name);
                assertEquals(cleared, clearedPart(s), name);
            } else {
                assertEquals(refusal(entryPoint(name).getReturnType()), result, name);
            }
            assertEquals(77, code, name + ": the last status is the running call's");
            assertTrue(settingsKept, name + ": standing settings");
            assertTrue(commandKept, name + ": template command");
            assertFalse(written, name + ": a file was written");
            assertTrue(silent, name + ": the inner observer was called");
        };
    }
}
