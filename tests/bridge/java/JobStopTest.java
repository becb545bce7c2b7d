package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.TRAILER;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterSpec;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
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

    /**
     * A printer that is ready; the progress message with this index (0-based) goes wrong. It
     * notes at which call (0-based, over all methods) each progress code and the switch back to
     * the default mode came.
     */
    private static final class JobPrinter extends ScriptedPrinter {
        final List<Integer> progressCalls = new ArrayList<>();
        /** The call that switched back to the default mode, or -1. */
        int trailerCall = -1;
        private final int faultyMessage;
        private final Fault fault;

        JobPrinter(byte[] ready, int faultyMessage, Fault fault) {
            this.faultyMessage = faultyMessage;
            this.fault = fault;
            defaultReply(ready).queueReceive(ready);
        }

        @Override
        public boolean sendMessage(int code) {
            progressCalls.add(callCount());
            if (progressCalls.size() - 1 != faultyMessage) {
                return super.sendMessage(code);
            }
            progress.add(code);
            if (fault == Fault.THROW) {
                throw new IllegalStateException("the host fails on progress code " + code);
            }
            return false;
        }

        int lastProgress() {
            return progress.isEmpty() ? -1 : progress.get(progress.size() - 1);
        }

        @Override
        public boolean sendDataToPrinter(int length, byte[] data) {
            if (hex(data).equals(TRAILER)) {
                trailerCall = callCount();
            }
            return super.sendDataToPrinter(length, data);
        }
    }

    private JobPrinter printer(int faultyMessage, Fault fault) {
        return new JobPrinter(ready, faultyMessage, fault);
    }

    /** Runs action on a thread of its own and returns once it has ended. */
    private static void onAnotherThread(Runnable action) {
        Thread thread = new Thread(action);
        thread.start();
        try {
            thread.join();
        } catch (InterruptedException e) {
            throw new IllegalStateException(e);
        }
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

    /**
     * A cancel from another thread at every call of the job to the host: call k hands cancelJNI
     * to a canceller thread and goes on once that has returned. Until the final progress code
     * the job stops: 37 in the result and the last status, 22 as its last code, and after the
     * cancel no copy begins and no switch back to the default mode goes out. During the final
     * code or after it the cancel comes too late and the job's success stands.
     */
    @Test
    void aCancelFromAnotherThreadAtAnyCallStopsTheJobUntilItsFinalProgressCode() {
        for (boolean statusCheck : new boolean[] {false, true}) {
            settings.skipStatusCheck = !statusCheck;
            wrapper.initJNI(settings);
            JobPrinter clean = printer(-1, null);
            assertEquals(1, wrapper.printBitmapJNI(bitmap, clean).errorCode);
            assertEquals(21, clean.lastProgress());
            assertEquals(2, clean.progress.stream().filter(c -> c == 14).count());
            assertTrue(clean.trailerCall >= 0);
            int finalCall = clean.progressCalls.get(clean.progressCalls.size() - 1);
            for (int k = 0; k < clean.callCount(); ++k) {
                JobPrinter p = printer(-1, null);
                p.onCall(k, () -> onAnotherThread(wrapper::cancelJNI));
                JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
                String label = "status check " + statusCheck + ", cancel at call " + k + " of "
                        + clean.callCount() + ": " + p.progress + " at calls " + p.progressCalls;
                if (k < finalCall) {
                    assertEquals(37, s.errorCode, label);
                    assertEquals(37, wrapper.getLastStatusJNI().errorCode, label);
                    assertEquals(22, p.lastProgress(), label);
                    assertFalse(p.progress.contains(21), label);
                    for (int i = 0; i < p.progress.size(); ++i) {
                        boolean copyStart = p.progress.get(i) == 14;
                        assertFalse(copyStart && p.progressCalls.get(i) > k, label);
                    }
                    assertTrue(p.trailerCall <= k, label);
                } else {
                    assertEquals(1, s.errorCode, label);
                    assertEquals(1, wrapper.getLastStatusJNI().errorCode, label);
                    assertEquals(clean.progress, p.progress, label);
                    assertEquals(clean.transcript.size(), p.transcript.size(), label);
                }
            }
        }
    }

    /**
     * Cancels that land anywhere in the library's own code between two calls to the host: the
     * canceller is released at call k and the job goes on without waiting for it. Where it lands
     * is up to the scheduler, so only what holds wherever it lands is checked: the job either
     * stops (37, last code 22, no success code), or the cancel came after the final code (21
     * stands; the result carries 37 only if the cancel came before it was built), or it ran
     * whole.
     */
    @Test
    void aCancelThatLandsAnywhereLeavesAStoppedJobOrAWholeOne() throws Exception {
        settings.skipStatusCheck = false;
        wrapper.initJNI(settings);
        JobPrinter clean = printer(-1, null);
        assertEquals(1, wrapper.printBitmapJNI(bitmap, clean).errorCode);
        for (int round = 0; round < 4; ++round) {
            for (int k = 0; k < clean.callCount(); ++k) {
                JobPrinter p = printer(-1, null);
                Thread canceller = new Thread(wrapper::cancelJNI);
                p.onCall(k, canceller::start);
                JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
                canceller.join();
                String label = "round " + round + ", released at call " + k + ": " + p.progress;
                if (p.lastProgress() == 22) {
                    assertEquals(37, s.errorCode, label);
                    assertFalse(p.progress.contains(21), label);
                } else {
                    assertTrue(s.errorCode == 1 || s.errorCode == 37, label);
                    assertEquals(clean.progress, p.progress, label);
                }
            }
        }
    }
}
