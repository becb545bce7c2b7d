package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.TRAILER;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.CountDownLatch;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Assumptions;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Print jobs through the shipped library: model 24 on port 1, no status check before the job
 * and no polling after pages, so nothing waits.
 */
class PrintJobTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    private BitmapInfo bitmap;
    private PrintSettings settings;

    @BeforeEach
    void pictureAndSettings() {
        settings = new PrintSettings();
        settings.modelId = 24;
        settings.portId = 1;
        wrapper.initJNI(settings);
        settings.paperId = wrapper.getPaperList()[0].paperId;
        settings.skipStatusCheck = true;
        settings.checkPrintEnd = 1;
        settings.closeWaitDisusingStatusCheckSec = 0;
        settings.numberOfCopies = 2;
        wrapper.initJNI(settings);

        int[] pixels = new int[16 * 8];
        for (int i = 0; i < pixels.length; ++i) {
            pixels[i] = black(i % 16, i / 16) ? 0xFF000000 : 0xFFFFFFFF;
        }
        Path file = dir.resolve("picture.rgb");
        assertEquals(1, wrapper.writeByteInFile(pixels, pixels.length, file.toString(), false));
        bitmap = new BitmapInfo(file.toString(), 16, 8);
    }

    private static List<String> sends(ScriptedPrinter p) {
        return p.calls("sendDataToPrinter").stream().map(c -> hex(c.data))
                .collect(Collectors.toList());
    }

    /** The pages of a stream as the stream walker decodes them: "dots N box x0 y0 x1 y1". */
    private List<String> decode(byte[] stream, String name) throws Exception {
        String tool = System.getProperty("lumeko.streamPicture");
        Assumptions.assumeTrue(tool != null, "no stream walker in this build");
        Path file = dir.resolve(name + ".bin");
        Files.write(file, stream);
        ProcessBuilder pb = new ProcessBuilder(tool,
                "" + settings.modelId, "" + settings.paperId, file.toString(),
                dir.resolve(name).toString(), "--dots");
        pb.environment().remove("LD_PRELOAD");
        pb.redirectErrorStream(true);
        Process process = pb.start();
        String out = new String(process.getInputStream().readAllBytes());
        assertEquals(0, process.waitFor(), out);
        return Arrays.stream(out.split("\n")).map(l -> l.replaceAll("^page \\d+ lines \\d+ ", ""))
                .collect(Collectors.toList());
    }

    /**
     * The 16 x 8 picture, black and white, the same in no mirror or turn: the top left 8 x 4
     * block, a falling diagonal in the right half and one dot in the bottom left corner.
     */
    private static boolean black(int x, int y) {
        return (x < 8 && y < 4) || x == y + 8 || (x == 0 && y == 7);
    }

    /**
     * Page n of a decoded stream, dot by dot: the picture's one-bit image from the paper's
     * left offset on the first line, every other dot of the page white.
     */
    private void assertPicture(String name, int n) throws Exception {
        List<String> rows = Files.readAllLines(dir.resolve(name + "-" + n + ".dots"));
        int offset = wrapper.getLabelParamJNI().leftOffsetDots;
        assertTrue(rows.size() >= 8, "lines " + rows.size());
        for (int y = 0; y < rows.size(); ++y) {
            String row = rows.get(y);
            assertTrue(row.length() >= offset + 16, "line " + y + " is " + row.length() + " dots");
            StringBuilder expected = new StringBuilder();
            for (int x = 0; x < row.length(); ++x) {
                int px = x - offset;
                boolean dot = y < 8 && px >= 0 && px < 16 && black(px, y);
                expected.append(dot ? '1' : '0');
            }
            assertEquals(expected.toString(), row, "page " + n + " line " + y);
        }
    }

    private static byte[] sentBytes(ScriptedPrinter p) {
        java.io.ByteArrayOutputStream out = new java.io.ByteArrayOutputStream();
        for (ScriptedPrinter.Call c : p.calls("sendDataToPrinter")) {
            out.writeBytes(c.data);
        }
        return out.toByteArray();
    }

    private static int count(String text, String part) {
        int n = 0;
        for (int at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + part.length())) {
            ++n;
        }
        return n;
    }

    @Test
    void twoCopiesMakeFiveSends() throws Exception {
        ScriptedPrinter p = new ScriptedPrinter();
        JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
        assertEquals(1, s.errorCode);
        List<String> sends = sends(p);
        assertEquals(5, sends.size(), sends.toString());
        assertEquals("00".repeat(100) + "1B696101", sends.get(0));
        assertEquals("1B40", sends.get(1));
        assertTrue(sends.get(2).endsWith("0C"));
        assertTrue(sends.get(3).endsWith("1A"));
        assertEquals(TRAILER, sends.get(4));
        assertTrue(p.progress.contains(21));
        assertFalse(p.progress.contains(22));

        List<String> pages = decode(sentBytes(p), "sent");
        assertEquals(2, pages.size(), pages.toString());
        assertPicture("sent", 0);
        assertPicture("sent", 1);
    }

    @Test
    void noCopiesSendTheJobWithoutAPageAndSaveNothing() throws Exception {
        settings.numberOfCopies = 0;
        wrapper.initJNI(settings);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(1, wrapper.printBitmapJNI(bitmap, p).errorCode);
        assertEquals(List.of("00".repeat(100) + "1B696101", "1B40", TRAILER), sends(p));
        assertTrue(p.progress.contains(21));

        // Saved, no copies are still a failure, and nothing is written or sent.
        Path prn = dir.resolve("none.prn");
        settings.savePrnPath = prn.toString();
        wrapper.initJNI(settings);
        ScriptedPrinter silent = new ScriptedPrinter();
        assertEquals(39, wrapper.printBitmapJNI(bitmap, silent).errorCode);
        assertTrue(silent.transcript.isEmpty());
        assertFalse(Files.exists(prn));
    }

    @Test
    void aSavePathWritesTheJobAndSendsNothing() throws Exception {
        Path prn = dir.resolve("job.prn");
        settings.savePrnPath = prn.toString();
        wrapper.initJNI(settings);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(1, wrapper.printBitmapJNI(bitmap, p).errorCode);
        assertTrue(p.transcript.isEmpty(), p.transcript.toString());
        assertEquals(List.of(12, 14, 13, 21), p.progress);
        String file = hex(Files.readAllBytes(prn));
        assertTrue(file.startsWith("00".repeat(100) + "1B6961011B40"));
        assertTrue(file.endsWith(TRAILER));
        List<String> filePages = decode(Files.readAllBytes(prn), "saved");
        assertEquals(1, filePages.size());
        assertPicture("saved", 0);

        // The page the printer would receive is the page in the file.
        ScriptedPrinter printer = new ScriptedPrinter();
        settings.savePrnPath = "";
        wrapper.initJNI(settings);
        assertEquals(1, wrapper.printBitmapJNI(bitmap, printer).errorCode);
        decode(sentBytes(printer), "printed");
        assertEquals(hex(Files.readAllBytes(dir.resolve("saved-0.png"))),
                hex(Files.readAllBytes(dir.resolve("printed-0.png"))));
        settings.savePrnPath = prn.toString();
        wrapper.initJNI(settings);

    }

    @Test
    void aMultiPageSaveWritesEveryPage() throws Exception {
        Path prn = dir.resolve("pages.prn");
        settings.savePrnPath = prn.toString();
        wrapper.initJNI(settings);
        // Three pages of a job: three one-page streams in the file, nothing sent.
        for (int page = 0; page < 3; ++page) {
            assertEquals(1, wrapper.printBitmapsJNI(bitmap, printerThatMustStaySilent(), page, 3).errorCode);
        }
        String three = hex(Files.readAllBytes(prn));
        String header = "00".repeat(100) + "1B696101";
        assertEquals(3, count(three, header), three);
        assertEquals(3, count(three, TRAILER + header) + 1);
        assertTrue(three.startsWith(header) && three.endsWith(TRAILER));
    }

    private static ScriptedPrinter printerThatMustStaySilent() {
        return new ScriptedPrinter() {
            @Override
            public boolean sendDataToPrinter(int length, byte[] data) {
                throw new AssertionError("a saved job sends nothing");
            }
        };
    }

    @Test
    void aPaperThatIsNotInTheListStopsBeforeAnything() {
        settings.paperId = 999;
        wrapper.initJNI(settings);
        ScriptedPrinter p = new ScriptedPrinter();
        BitmapInfo missing = new BitmapInfo(dir.resolve("missing.rgb").toString(), 16, 8);
        assertEquals(32, wrapper.printBitmapJNI(missing, p).errorCode);
        assertTrue(p.transcript.isEmpty());
        assertTrue(p.progress.isEmpty());
        assertNull(wrapper.getLabelParamJNI());
        assertEquals(32, wrapper.getLastStatusJNI().errorCode);

        // A custom-paper model without its command: 25, and again nothing is asked or read.
        settings.modelId = 13;
        settings.paperId = 255;
        settings.customPaperCommand = new byte[0];
        wrapper.initJNI(settings);
        ScriptedPrinter q = new ScriptedPrinter();
        assertEquals(25, wrapper.printBitmapJNI(missing, q).errorCode);
        assertTrue(q.transcript.isEmpty());
        assertTrue(q.progress.isEmpty());
        assertNull(wrapper.getLabelParamJNI());
        assertEquals(25, wrapper.getLastStatusJNI().errorCode);
    }

    @Test
    void theSelectedPaperAndTheLabelQueryWithoutStatusCheck() {
        Paper paper = wrapper.getLabelParamJNI();
        assertNotNull(paper);
        assertEquals(settings.paperId, paper.paperId);

        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(1, wrapper.getLabelInfoJNI(p).errorCode);
        assertTrue(p.transcript.isEmpty());
    }

    @Test
    void theLoadedLabelIsFoundAmongThePapersWithTheStatusCheckOn() {
        settings.skipStatusCheck = false;
        wrapper.initJNI(settings);
        Paper loaded = wrapper.getPaperList()[1];
        int type = loaded.mediaType == 0 ? 1 : loaded.mediaType & 0xFF;
        com.talvora.lumeko.sdk.PrinterSpec spec = wrapper.getPrinterSpec();
        byte[] reply = ScriptedPrinter.statusReply(spec.seriesCode, spec.modelCode,
                10, loaded.mediaWidthMm, 11, type, 17, loaded.mediaLengthMm);
        ScriptedPrinter p = new ScriptedPrinter().defaultReply(reply).queueReceive(reply);
        JNIStatus s = wrapper.getLabelInfoJNI(p);
        assertEquals(1, s.errorCode);
        assertEquals(loaded.paperId, s.labelId);
        assertEquals(type, s.labelType);
        assertEquals(List.of(8, 11), p.progress);
        assertTrue(hex(p.transcript.get(0).data).contains("1B6953"), p.transcript.toString());
    }

    @Test
    void statusOfACustomPaperModelWithoutCommandIsStillRead() {
        settings.modelId = 13;
        settings.paperId = 255;
        settings.customPaperCommand = new byte[0];
        wrapper.initJNI(settings);
        int modelCode = wrapper.getPrinterSpec().modelCode;
        byte[] ready = ScriptedPrinter.statusReply(0x37, modelCode, 10, 12, 11, 1);
        ScriptedPrinter p = new ScriptedPrinter().defaultReply(ready).queueReceive(ready);
        JNIStatus s = wrapper.getStatusJNI(p);
        assertFalse(p.transcript.isEmpty());
        assertTrue(hex(p.transcript.get(0).data).startsWith("1B6953"), p.transcript.toString());
        assertNotEquals(25, s.errorCode);
        assertEquals(hex(ready), hex(s.statusByte));
    }

    @Test
    void cancelFromACallbackEndsTheJobWith37() {
        settings.numberOfCopies = 3;
        wrapper.initJNI(settings);
        int[] pageStarts = {0};
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public boolean sendMessage(int code) {
                if (code == 14 && ++pageStarts[0] == 2) {
                    wrapper.cancelJNI();
                }
                return super.sendMessage(code);
            }
        };
        JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
        assertEquals(37, s.errorCode);
        assertEquals(37, wrapper.getLastStatusJNI().errorCode);
        assertTrue(p.progress.contains(22));
        assertFalse(p.progress.contains(21));
        // Header, 1B 40, copy 1 and the copy in flight when the cancel came; no third copy,
        // no trailer.
        List<String> sends = sends(p);
        assertEquals(4, sends.size(), sends.toString());
        assertTrue(sends.get(2).endsWith("0C") && sends.get(3).endsWith("0C"), sends.toString());
        assertFalse(sends.contains(TRAILER), sends.toString());
        assertEquals(2, p.progress.stream().filter(c -> c == 14).count(), p.progress.toString());
        assertEquals(22, p.progress.get(p.progress.size() - 1));
    }

    @Test
    void cancelFromAnotherThreadDuringThePageSend() throws Exception {
        CountDownLatch cancelled = new CountDownLatch(1);
        int[] sendCount = {0};
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public boolean sendDataToPrinter(int length, byte[] data) {
                if (++sendCount[0] == 3) {
                    new Thread(() -> {
                        wrapper.cancelJNI();
                        cancelled.countDown();
                    }).start();
                    try {
                        cancelled.await();
                    } catch (InterruptedException e) {
                        throw new IllegalStateException(e);
                    }
                }
                return super.sendDataToPrinter(length, data);
            }
        };
        JNIStatus s = wrapper.printBitmapJNI(bitmap, p);
        assertEquals(37, s.errorCode);
        assertEquals(37, wrapper.getLastStatusJNI().errorCode);
        assertTrue(p.progress.contains(22));
        assertFalse(p.progress.contains(21));
        List<String> sends = sends(p);
        assertEquals(3, sends.size(), sends.toString());
        assertFalse(sends.contains(TRAILER));
        assertEquals(1, p.progress.stream().filter(c -> c == 14).count(), p.progress.toString());
    }

    @Test
    void aCancelBeforeTheJobIsUndoneByIt() {
        wrapper.cancelJNI();
        assertEquals(37, wrapper.getLastStatusJNI().errorCode);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(1, wrapper.printBitmapJNI(bitmap, p).errorCode);
        assertTrue(sends(p).contains(TRAILER));
    }
}
