package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.TRAILER;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BatteryInfo;
import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.nio.file.Path;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.Function;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Wrong, null and broken host objects: a defined code, no crash, no JNI warning. */
class HostileHostTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    private BitmapInfo bitmap;

    @BeforeEach
    void setUp() {
        PrintSettings s = new PrintSettings();
        s.modelId = 24;
        s.portId = 1;
        wrapper.initJNI(s);
        s.paperId = wrapper.getPaperList()[0].paperId;
        s.skipStatusCheck = true;
        s.checkPrintEnd = 1;
        s.closeWaitDisusingStatusCheckSec = 0;
        wrapper.initJNI(s);
        Path file = dir.resolve("p.rgb");
        int[] pixels = new int[16 * 8];
        wrapper.writeByteInFile(pixels, pixels.length, file.toString(), false);
        bitmap = new BitmapInfo(file.toString(), 16, 8);
    }

    private void expect(int code, Function<ScriptedPrinter, Object> call) {
        ScriptedPrinter p = new ScriptedPrinter();
        call.apply(p);
        assertEquals(code, wrapper.getLastStatusJNI().errorCode);
    }

    @Test
    void badObjectsAreRefusedBeforeAnythingIsBuilt() {
        ScriptedPrinter p = new ScriptedPrinter();
        Object[][] cases = {{null, p}, {"not a bitmap", p}, {new BitmapInfo(null, 16, 8), p},
            {bitmap, null}, {bitmap, "not an observer"}};
        int[] codes = {39, 39, 39, 39, 40};
        for (int i = 0; i < cases.length; ++i) {
            assertEquals(codes[i], wrapper.printBitmapJNI(cases[i][0], cases[i][1]).errorCode,
                    "case " + i);
            assertEquals(codes[i], wrapper.getLastStatusJNI().errorCode);
        }
        assertTrue(p.transcript.isEmpty());
        assertTrue(p.progress.isEmpty());

        assertEquals(39, wrapper.printBitmapsJNI(bitmap, p, -1, 3).errorCode);
        assertEquals(39, wrapper.printBitmapsJNI(bitmap, p, 0, 0).errorCode);
        assertEquals(39, wrapper.sendPrnJNI(null, p).errorCode);
        assertEquals(39, wrapper.getStatusJNI(null).errorCode);
        assertEquals(40, wrapper.getLabelInfoJNI(new Object()).errorCode);
        assertTrue(p.transcript.isEmpty());
        assertEquals(28, wrapper.sendPrnJNI(dir.resolve("missing.prn").toString(), p).errorCode);
    }

    @Test
    void bitmapsThatCannotBeReadEndTheJobWithoutATrailer() {
        BitmapInfo[] bad = {new BitmapInfo(bitmap.bitmapFile, -16, 8),
            new BitmapInfo(bitmap.bitmapFile, 0, 0), new BitmapInfo(bitmap.bitmapFile, 64, 64),
            new BitmapInfo(dir.resolve("missing.rgb").toString(), 16, 8)};
        for (BitmapInfo b : bad) {
            ScriptedPrinter p = new ScriptedPrinter();
            int code = wrapper.printBitmapJNI(b, p).errorCode;
            assertFalse(code == 1, b.bitmapWidth + "x" + b.bitmapHeight + " " + code);
            assertFalse(p.calls("sendDataToPrinter").stream()
                    .anyMatch(c -> hex(c.data).equals(TRAILER)));
        }
    }

    @Test
    void throwingOrRefusingCallbacksFailTheJob() {
        expect(6, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendDataToPrinter", Fault.THROW)));
        expect(6, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendDataToPrinter", Fault.REFUSE)));
        expect(40, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendMessage", Fault.THROW)));
        expect(40, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendMessage", Fault.REFUSE)));
    }

    /** The entry points that take an observer, each called with the given one. */
    private Map<String, Function<Object, Object>> observerEntryPoints() {
        Map<String, Function<Object, Object>> out = new LinkedHashMap<>();
        out.put("sendPrnJNI", o -> wrapper.sendPrnJNI(dir.resolve("job.prn").toString(), o));
        out.put("printBitmapJNI", o -> wrapper.printBitmapJNI(bitmap, o));
        out.put("printBitmapsJNI", o -> wrapper.printBitmapsJNI(bitmap, o, 0, 1));
        out.put("getLabelInfoJNI", o -> wrapper.getLabelInfoJNI(o));
        out.put("getStatusJNI", o -> wrapper.getStatusJNI(o));
        out.put("getSystemReportJNI", o -> wrapper.getSystemReportJNI(o));
        out.put("getBatteryInfoJNI", o -> wrapper.getBatteryInfoJNI(o));
        out.put("getMediaVerJNI", o -> wrapper.getMediaVerJNI(o));
        out.put("getDeviceStatusJNI", o -> wrapper.getDeviceStatusJNI(o));
        out.put("getPageCounterJNI", o -> wrapper.getPageCounterJNI(o));
        out.put("getSerialNumberJNI", o -> wrapper.getSerialNumberJNI(o));
        return out;
    }

    /** The failure form of an entry point's result for this code. */
    private static void assertFailureForm(String name, Object result, int code) {
        if (result instanceof JNIStatus) {
            assertEquals(code, ((JNIStatus) result).errorCode, name);
        } else if (result instanceof BatteryInfo) {
            BatteryInfo b = (BatteryInfo) result;
            assertEquals(List.of(-1, -1, BatteryInfo.HealthStatus.NotInstalled),
                    List.of(b.firstValue, b.secondValue, b.healthStatus), name);
        } else if (result instanceof Integer) {
            assertEquals(0, result, name);
        } else {
            assertEquals("", result, name);
        }
    }

    @Test
    void everyObserverEntryPointRefusesAMissingOrIncompleteObserver() throws Exception {
        java.nio.file.Files.write(dir.resolve("job.prn"), new byte[] {0x1B, 0x40});
        // The status check is on, so every entry point that may talk to the printer would.
        PrintSettings s = new PrintSettings();
        s.modelId = 24;
        s.portId = 1;
        wrapper.initJNI(s);
        s.paperId = wrapper.getPaperList()[0].paperId;
        wrapper.initJNI(s);
        ObserverTest.NoProgressObserver partial = new ObserverTest.NoProgressObserver();
        Object[] observers = {null, "not an observer", partial};
        int[] codes = {39, 40, 40};
        for (Map.Entry<String, Function<Object, Object>> e : observerEntryPoints().entrySet()) {
            for (int i = 0; i < observers.length; ++i) {
                Object result = e.getValue().apply(observers[i]);
                assertFailureForm(e.getKey() + " case " + i, result, codes[i]);
                assertEquals(codes[i], wrapper.getLastStatusJNI().errorCode, e.getKey());
            }
        }
        assertEquals(0, partial.calls);
    }

    @Test
    void everyObserverEntryPointSurvivesAHostThatThrowsEverywhere() throws Exception {
        java.nio.file.Files.write(dir.resolve("job.prn"), new byte[] {0x1B, 0x40});
        PrintSettings s = new PrintSettings();
        s.modelId = 24;
        s.portId = 4;
        wrapper.initJNI(s);
        s.paperId = wrapper.getPaperList()[0].paperId;
        wrapper.initJNI(s);
        String[] methods = {"sendDataToPrinter", "sendAsynchronousDataToPrinter",
            "sendDataReceiveDataToPrinter", "receiveDataToPrinter", "sendStringToPrinter",
            "sendStringReceiveDataToPrinter", "sendStringReceiveStringToPrinter",
            "isAliveSendAsynchronous", "resetPrinterResultErrorCodeIfCommunicationError",
            "sendMessage"};
        for (Map.Entry<String, Function<Object, Object>> e : observerEntryPoints().entrySet()) {
            ScriptedPrinter p = new ScriptedPrinter();
            for (String m : methods) {
                p.fail(m, Fault.THROW);
            }
            Object result = e.getValue().apply(p);
            int code = wrapper.getLastStatusJNI().errorCode;
            if (p.transcript.isEmpty() && p.progress.isEmpty()) {
                // A query the model does not offer: no callback, nothing failed.
                assertEquals(1, code, e.getKey());
                continue;
            }
            // The first callback throws: a communication error or a refused progress message.
            assertTrue(code == 6 || code == 40, e.getKey() + " code " + code);
            assertFailureForm(e.getKey(), result, code);
        }
    }
}
