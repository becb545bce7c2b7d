package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.TRAILER;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterSpec;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Queue;
import java.util.Set;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.function.Supplier;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/**
 * Calls from several host threads, each with its own wrapper object and observer, run one
 * after another: every call sees only its own observer, and a cancel reaches the job that is
 * running even when another thread's call is waiting behind it.
 */
class ConcurrentCallsTest {
    static final int PRINT_THREADS = 8;
    static final int JOBS_PER_THREAD = 250;

    @TempDir
    Path dir;

    /** Standing settings of one kind of job: a model and paper and some options. */
    private static PrintSettings settings(int model, int paper, int copies, int halftone,
            boolean mode9, boolean rotate180, boolean mirror) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = 1;
        s.paperId = paper;
        s.customPaperWidth = 256;
        s.customPaperLength = 240;
        s.skipStatusCheck = true;
        s.checkPrintEnd = 1;
        s.closeWaitDisusingStatusCheckSec = 0;
        s.numberOfCopies = copies;
        s.halftone = halftone;
        s.mode9 = mode9;
        s.rotate180 = rotate180;
        s.mirrorPrint = mirror;
        return s;
    }

    /** A small picture of its own for each printing thread. */
    private BitmapInfo picture(JNIWrapper wrapper, int n) {
        int w = 16 + 4 * n;
        int h = 8 + 2 * n;
        int[] pixels = new int[w * h];
        for (int i = 0; i < pixels.length; ++i) {
            int x = i % w;
            int y = i / w;
            boolean black = (x + n * y) % (n + 3) == 0 || (x < n + 2 && y < 3);
            pixels[i] = black ? 0xFF000000 : 0xFF808080 + n * 0x0A0A0A;
        }
        Path file = dir.resolve("picture-" + n + ".rgb");
        assertEquals(1, wrapper.writeByteInFile(pixels, pixels.length, file.toString(), false));
        return new BitmapInfo(file.toString(), w, h);
    }

    /** Everything a call left with its observer and in its result, as one text. */
    private static String record(ScriptedPrinter p, JNIStatus s) {
        String calls = p.transcript.stream().map(c -> c.method + ":" + hex(c.data) + ":"
                + c.replyLength + ":" + c.text).collect(Collectors.joining(","));
        return calls + "|" + p.progress + "|" + s.errorCode + "|" + hex(s.statusByte);
    }

    /** A printer that answers status requests with a ready status of model 24. */
    private static ScriptedPrinter statusPrinter() {
        byte[] reply = ScriptedPrinter.statusReply(0x30, 0x30);
        return new ScriptedPrinter().defaultReply(reply).queueReceive(reply);
    }

    private static String specText(PrinterSpec spec) {
        return spec.modelName + "/" + spec.headDots + "/" + spec.seriesCode;
    }

    private static String paperText(Paper[] papers) {
        return Stream.of(papers).map(p -> p.paperId + ":" + p.paperNameMm)
                .collect(Collectors.joining(","));
    }

    @Test
    void eightPrintingThreadsAndTwoQueryingThreadsEachSeeOnlyTheirOwnCalls() throws Exception {
        JNIWrapper setup = new JNIWrapper();
        // Four series, continuous and die-cut labels and a custom page size.
        List<PrintSettings> kinds = List.of(
                settings(24, 11, 1, 1, true, false, false),
                settings(37, 11, 2, 2, true, false, true),
                settings(23, 11, 1, 3, false, true, false),
                settings(0, 6, 1, 1, true, false, false),
                settings(17, 11, 1, 2, false, false, true),
                settings(51, 11, 3, 3, true, true, false),
                settings(9, 254, 1, 1, false, false, false),
                settings(38, 11, 2, 2, true, false, false));
        List<BitmapInfo> pictures = new ArrayList<>();
        for (int n = 0; n < PRINT_THREADS; ++n) {
            pictures.add(picture(setup, n));
        }

        // Every job and query run alone, once for each kind of standing settings: what a call
        // made while other threads call may give.
        List<Set<String>> jobsAlone = new ArrayList<>();
        for (int n = 0; n < PRINT_THREADS; ++n) {
            jobsAlone.add(new HashSet<>());
        }
        Set<String> statusAlone = new HashSet<>();
        Set<String> specsAlone = new HashSet<>();
        Set<String> papersAlone = new HashSet<>();
        for (PrintSettings kind : kinds) {
            setup.initJNI(kind);
            for (int n = 0; n < PRINT_THREADS; ++n) {
                ScriptedPrinter p = new ScriptedPrinter();
                JNIStatus s = setup.printBitmapJNI(pictures.get(n), p);
                assertEquals(1, s.errorCode, "model " + kind.modelId + ", picture " + n);
                jobsAlone.get(n).add(record(p, s));
            }
            ScriptedPrinter q = statusPrinter();
            statusAlone.add(record(q, setup.getStatusJNI(q)));
            specsAlone.add(specText(setup.getPrinterSpec()));
            papersAlone.add(paperText(setup.getPaperList()));
        }
        assertEquals(kinds.size(), specsAlone.size());

        Queue<String> faults = new ConcurrentLinkedQueue<>();
        AtomicBoolean printing = new AtomicBoolean(true);
        CountDownLatch start = new CountDownLatch(1);
        List<Thread> threads = new ArrayList<>();
        for (int n = 0; n < PRINT_THREADS; ++n) {
            final int thread = n;
            threads.add(new Thread(() -> {
                JNIWrapper wrapper = new JNIWrapper();
                PrintSettings own = kinds.get(thread);
                await(start);
                for (int job = 0; job < JOBS_PER_THREAD; ++job) {
                    // Another thread may set its own settings between these two calls: the
                    // job then runs, whole, with those.
                    wrapper.initJNI(own);
                    ScriptedPrinter p = new ScriptedPrinter();
                    String got = record(p, wrapper.printBitmapJNI(pictures.get(thread), p));
                    if (!jobsAlone.get(thread).contains(got)) {
                        faults.add("thread " + thread + ", job " + job + ": " + got);
                    }
                }
            }));
        }
        threads.add(new Thread(() -> {
            JNIWrapper wrapper = new JNIWrapper();
            await(start);
            while (printing.get()) {
                String spec = specText(wrapper.getPrinterSpec());
                String papers = paperText(wrapper.getPaperList());
                Paper selected = wrapper.getLabelParamJNI();
                if (!specsAlone.contains(spec) || !papersAlone.contains(papers)
                        || selected == null) {
                    faults.add("model query: " + spec + " " + papers + " " + selected);
                }
            }
        }));
        threads.add(new Thread(() -> {
            JNIWrapper wrapper = new JNIWrapper();
            await(start);
            while (printing.get()) {
                ScriptedPrinter q = statusPrinter();
                String got = record(q, wrapper.getStatusJNI(q));
                wrapper.getLastStatusJNI();
                if (!statusAlone.contains(got)) {
                    faults.add("status: " + got);
                }
            }
        }));
        for (Thread t : threads) {
            t.start();
        }
        start.countDown();
        for (Thread t : threads.subList(0, PRINT_THREADS)) {
            t.join();
        }
        printing.set(false);
        for (Thread t : threads) {
            t.join();
        }
        assertTrue(faults.isEmpty(), faults.size() + " faults, first: " + faults.peek());
    }

    private static void await(CountDownLatch latch) {
        try {
            latch.await();
        } catch (InterruptedException e) {
            throw new IllegalStateException(e);
        }
    }

    /**
     * Returns once thread t is inside a native method of JNIWrapper (an entry call that holds
     * the entry lock or waits for it) or has ended.
     */
    private static void awaitNativeCall(Thread t) {
        while (t.isAlive() && !inNativeCall(t.getStackTrace())) {
            Thread.yield();
        }
    }

    private static boolean inNativeCall(StackTraceElement[] stack) {
        return stack.length > 0 && stack[0].isNativeMethod()
                && stack[0].getClassName().equals(JNIWrapper.class.getName());
    }

    /** The queries that would build an operation, and so clear the cancel flag, if they ran. */
    static Stream<Arguments> queries() {
        List<Arguments> rows = new ArrayList<>();
        for (boolean statusCheck : new boolean[] {false, true}) {
            rows.add(Arguments.of("getLabelParamJNI", statusCheck));
            rows.add(Arguments.of("getPrinterSpec", statusCheck));
            rows.add(Arguments.of("getPaperList", statusCheck));
        }
        return rows.stream();
    }

    private static Supplier<Object> query(JNIWrapper wrapper, String name) {
        switch (name) {
            case "getLabelParamJNI":
                return wrapper::getLabelParamJNI;
            case "getPrinterSpec":
                return wrapper::getPrinterSpec;
            default:
                return wrapper::getPaperList;
        }
    }

    @ParameterizedTest
    @MethodSource("queries")
    void aCancelFromAnotherThreadEndsTheJobThoughAThirdThreadQueriesMeanwhile(String name,
            boolean statusCheck) throws Exception {
        JNIWrapper wrapper = new JNIWrapper();
        PrintSettings s = settings(24, 11, 3, 1, true, false, false);
        s.skipStatusCheck = !statusCheck;
        wrapper.initJNI(s);
        Paper loaded = wrapper.getLabelParamJNI();
        BitmapInfo bitmap = picture(wrapper, 0);
        byte[] ready = ScriptedPrinter.statusReply(0x30, wrapper.getPrinterSpec().modelCode,
                10, loaded.mediaWidthMm, 11, loaded.mediaType == 0 ? 1 : loaded.mediaType & 0xFF,
                17, loaded.mediaLengthMm);

        Object[] queried = new Object[1];
        Thread[] querier = new Thread[1];
        boolean[] queryWaited = new boolean[1];
        int[] pageStarts = {0};
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public boolean sendMessage(int code) {
                if (code == 14 && ++pageStarts[0] == 1) {
                    Thread canceller = new Thread(() -> new JNIWrapper().cancelJNI());
                    querier[0] = new Thread(() -> queried[0] = query(new JNIWrapper(), name).get());
                    try {
                        canceller.start();
                        canceller.join();
                        querier[0].start();
                        // The query waits for this job to end; it does not run meanwhile.
                        awaitNativeCall(querier[0]);
                        queryWaited[0] = querier[0].isAlive();
                    } catch (InterruptedException e) {
                        throw new IllegalStateException(e);
                    }
                }
                return super.sendMessage(code);
            }
        }.defaultReply(ready).queueReceive(ready);

        JNIStatus status = wrapper.printBitmapJNI(bitmap, p);
        assertEquals(37, status.errorCode);
        assertTrue(queryWaited[0], "the query ran during the job");
        assertTrue(p.progress.contains(22), p.progress.toString());
        assertFalse(p.progress.contains(21), p.progress.toString());
        assertEquals(1, p.progress.stream().filter(c -> c == 14).count(), p.progress.toString());
        assertFalse(p.calls("sendDataToPrinter").stream()
                .anyMatch(c -> hex(c.data).equals(TRAILER)), "the job ran to its end");
        // The query ran once the job had ended.
        querier[0].join();
        assertNotNull(queried[0]);
    }
}
