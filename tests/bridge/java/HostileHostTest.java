package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.nio.file.Path;
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
                    .anyMatch(c -> hex(c.data).equals("1B6961FF")));
        }
    }

    @Test
    void throwingOrRefusingCallbacksFailTheJob() {
        expect(6, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendDataToPrinter", Fault.THROW)));
        expect(6, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendDataToPrinter", Fault.REFUSE)));
        expect(40, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendMessage", Fault.THROW)));
        expect(40, p -> wrapper.printBitmapJNI(bitmap, p.fail("sendMessage", Fault.REFUSE)));
    }
}
