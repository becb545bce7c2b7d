package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterSpec;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.nio.file.Path;
import java.util.List;
import java.util.Random;
import java.util.concurrent.locks.LockSupport;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * How a two-copy job of model 24 ends when the host refuses or throws in a progress message,
 * or cancels it from another thread: it stops with 40 or 37 (never another code, never a
 * success after a stop); once the final progress code is out, the job's outcome stands.
 */
class JobStopTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    private BitmapInfo bitmap;
    private PrintSettings settings;
    private byte[] ready;

    @BeforeEach
    void setUp() {
        settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        wrapper.initJNI(settings);
        Paper paper = wrapper.getPaperList()[0];
        settings.paperId = paper.paperId;
        settings.checkPrintEnd = 1;
        settings.closeWaitDisusingStatusCheckSec = 0;
        settings.numberOfCopies = 2;
        PrinterSpec spec = wrapper.getPrinterSpec();
        int type = paper.mediaType == 0 ? 1 : paper.mediaType & 0xFF;
        ready = ScriptedPrinter.statusReply(spec.seriesCode, spec.modelCode, 10,
                paper.mediaWidthMm, 11, type, 17, paper.mediaLengthMm);
        int[] pixels = new int[16 * 8];
        for (int i = 0; i < pixels.length; ++i) {
            pixels[i] = (i % 16) == (i / 16) ? 0xFF000000 : 0xFFFFFFFF;
        }
        Path file = dir.resolve("picture.rgb");
        assertEquals(1, wrapper.writeByteInFile(pixels, pixels.length, file.toString(), false));
        bitmap = new BitmapInfo(file.toString(), 16, 8);
    }

    /** A printer that is ready; the progress message with this index (0-based) goes wrong. */
    private ScriptedPrinter printer(int faultyMessage, Fault fault) {
        int[] messages = {0};
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public boolean sendMessage(int code) {
                if (messages[0]++ != faultyMessage) {
                    return super.sendMessage(code);
                }
                progress.add(code);
                if (fault == Fault.THROW) {
                    throw new IllegalStateException("the host fails on progress code " + code);
                }
                return false;
            }
        };
        return p.defaultReply(ready).queueReceive(ready);
    }

    @Test
    void aRefusedProgressMessageStopsTheJobWith40UnlessItIsTheFinalOne() {
        for (boolean statusCheck : new boolean[] {false, true}) {
            settings.skipStatusCheck = !statusCheck;
            wrapper.initJNI(settings);
            ScriptedPrinter clean = printer(-1, null);
            assertEquals(1, wrapper.printBitmapJNI(bitmap, clean).errorCode);
            List<Integer> progress = clean.progress;
            assertEquals(21, progress.get(progress.size() - 1));
            for (Fault fault : new Fault[] {Fault.REFUSE, Fault.THROW}) {
                for (int k = 0; k < progress.size(); ++k) {
                    String label = "status check " + statusCheck + ", " + fault
                            + " of progress code " + progress.get(k) + " (message " + k + ")";
                    ScriptedPrinter p = printer(k, fault);
                    JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
                    int expected = k == progress.size() - 1 ? 1 : 40;
                    assertEquals(expected, s.errorCode, label);
                    assertEquals(expected, wrapper.getLastStatusJNI().errorCode, label);
                    int last = p.progress.get(p.progress.size() - 1);
                    assertEquals(expected == 1 ? 21 : 22, last, label + ": " + p.progress);
                }
            }
        }
    }

    @Test
    void cancelsFromAnotherThreadAtRandomMomentsEndWith37OrComeTooLate() throws Exception {
        settings.skipStatusCheck = false;
        wrapper.initJNI(settings);
        long start = System.nanoTime();
        assertEquals(1, wrapper.printBitmapJNI(bitmap, printer(-1, null)).errorCode);
        long jobNanos = Math.max(System.nanoTime() - start, 200_000L);
        Random random = new Random(7);
        int cancelled = 0;
        for (int i = 0; i < 400; ++i) {
            long delay = (long) (random.nextDouble() * jobNanos);
            Thread canceller = new Thread(() -> {
                LockSupport.parkNanos(delay);
                wrapper.cancelJNI();
            });
            ScriptedPrinter p = printer(-1, null);
            canceller.start();
            JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
            canceller.join();
            String label = "job " + i + ", cancel after " + delay + " ns: " + p.progress;
            int last = p.progress.isEmpty() ? -1 : p.progress.get(p.progress.size() - 1);
            if (s.errorCode == 37) {
                // Stopped (22), or a cancel that came once the job was done (21) and before
                // the call read the status back.
                ++cancelled;
                assertTrue(last == 22 || last == 21 || last == -1, label);
            } else {
                // The cancel came before the job cleared the flag, or after its final code.
                assertEquals(1, s.errorCode, label);
                assertEquals(21, last, label);
            }
        }
        assertTrue(cancelled > 0, "no job was cancelled");
    }
}
