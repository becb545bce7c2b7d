package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.bytes;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotSame;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.TemplateInfo;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Template list, removal and upload, firmware queries and update, database sending. */
class TransferEntryTest {
    /** SN-3200N on USB: template transfer, list and removal. */
    static final int TEMPLATE_MODEL = 21;
    /** KX-A360BT on USB: firmware update, weak-battery and boot-mode commands. */
    static final int FIRMWARE_MODEL = 57;

    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    private void select(int model) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = 1;
        s.skipStatusCheck = true;
        wrapper.initJNI(s);
    }

    private int code() {
        return wrapper.getLastStatusJNI().errorCode;
    }

    /** A 64-byte template header as the printer lists it. */
    static byte[] templateHeader(int key, int checksum, long dataSize, String name, int dateSeed) {
        byte[] h = new byte[64];
        h[0] = (byte) 0x90;
        h[1] = (byte) 0x80;
        h[6] = 0x00;
        h[7] = 0x01;
        h[12] = (byte) key;
        h[13] = (byte) (key >> 8);
        h[14] = (byte) checksum;
        h[15] = (byte) (checksum >> 8);
        for (int i = 0; i < 4; ++i) {
            h[16 + i] = (byte) (dataSize >> (8 * i));
        }
        for (int i = 0; i < 8; ++i) {
            h[20 + i] = (byte) (dateSeed + i);
        }
        byte[] n = name.getBytes(StandardCharsets.US_ASCII);
        System.arraycopy(n, 0, h, 32, n.length);
        return h;
    }

    static byte[] listReply(byte[]... headers) {
        byte[] reply = new byte[2 + 64 * headers.length];
        reply[0] = (byte) headers.length;
        for (int i = 0; i < headers.length; ++i) {
            System.arraycopy(headers[i], 0, reply, 2 + 64 * i, 64);
        }
        return reply;
    }

    /** The date bytes of a header in the order the list record holds them: 27 down to 20. */
    static byte[] dateOf(byte[] header) {
        byte[] d = new byte[8];
        for (int i = 0; i < 8; ++i) {
            d[i] = header[27 - i];
        }
        return d;
    }

    @Test
    void templateListGivesOneObjectPerTemplateEachWithItsOwnDate() {
        select(TEMPLATE_MODEL);
        byte[][] headers = {templateHeader(3, 0xC003, 1000, "FIRST", 0x10),
            templateHeader(40000, 0xFFFE, 0, "SECOND", 0x80),
            // a size beyond a host int is given as the largest int
            templateHeader(5, 1, 0xFFFFFFF0L, "", 0x20)};
        ScriptedPrinter p = new ScriptedPrinter().queueReceive(listReply(headers));
        TemplateInfo[] list = wrapper.getTemplateListJNI(p);
        assertEquals(1, code());
        assertEquals(3, list.length);
        int[] keys = {3, 40000, 5};
        int[] sizes = {64 + 1000, 64, Integer.MAX_VALUE};
        int[] checksums = {0xC003, 0xFFFE, 1};
        String[] names = {"FIRST", "SECOND", ""};
        for (int i = 0; i < 3; ++i) {
            assertEquals(keys[i], list[i].key);
            assertEquals(sizes[i], list[i].size);
            assertEquals(checksums[i], list[i].checksum);
            assertEquals(names[i], list[i].name);
            assertArrayEquals(dateOf(headers[i]), list[i].modifiedDate);
            long filetime = 0;
            for (byte b : list[i].modifiedDate) {
                filetime = (filetime << 8) | (b & 0xFF);
            }
            assertEquals(filetime, list[i].modifiedDateFiletime);
        }
        assertNotSame(list[0].modifiedDate, list[1].modifiedDate);
        assertEquals(List.of("1B694649", "1B69464C00"),
                p.calls("sendDataToPrinter").stream().map(c -> hex(c.data)).toList());
    }

    @Test
    void longListsReleaseTheirLocalReferences() {
        // 40 templates in 256-byte pieces: every object, with no reference kept per template.
        select(TEMPLATE_MODEL);
        byte[][] headers = new byte[40][];
        for (int i = 0; i < headers.length; ++i) {
            headers[i] = templateHeader(i + 1, i, i, "T" + i, i);
        }
        byte[] reply = listReply(headers);
        ScriptedPrinter p = new ScriptedPrinter();
        for (int at = 0; at < reply.length; at += 256) {
            p.queueReceive(Arrays.copyOfRange(reply, at, Math.min(reply.length, at + 256)));
        }
        TemplateInfo[] list = wrapper.getTemplateListJNI(p);
        assertEquals(1, code());
        assertEquals(40, list.length);
        for (int i = 0; i < list.length; ++i) {
            assertEquals(i + 1, list[i].key);
            assertEquals("T" + i, list[i].name);
        }

        // 40 paths are copied one by one before the upload looks at them.
        String[] paths = new String[40];
        Arrays.fill(paths, dir.resolve("missing.tpl").toString());
        int upload = wrapper.transferTemplateJNI(paths, new ScriptedPrinter()).errorCode;
        assertTrue(upload != 1 && upload != 39, "code " + upload);
    }

    @Test
    void templateListFailuresGiveAnEmptyArray() {
        select(TEMPLATE_MODEL);
        assertEquals(0, wrapper.getTemplateListJNI(
                new ScriptedPrinter().queueReceive(bytes(0, 0))).length);
        assertEquals(42, code());
        assertEquals(0, wrapper.getTemplateListJNI(null).length);
        assertEquals(39, code());
        assertEquals(0, wrapper.getTemplateListJNI(new ScriptedPrinter()
                .fail("receiveDataToPrinter", ScriptedPrinter.Fault.NEGATIVE)).length);
        assertEquals(6, code());
    }

    @Test
    void removalAndUploadCheckTheirArraysFirst() {
        select(TEMPLATE_MODEL);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(39, wrapper.removeTemplateJNI(null, p).errorCode);
        assertEquals(39, wrapper.transferTemplateJNI(null, p).errorCode);
        assertEquals(39, wrapper.transferTemplateJNI(new String[] {"a.tpl", null}, p).errorCode);
        assertTrue(p.transcript.isEmpty());
        assertTrue(p.progress.isEmpty());

        // An empty path list reaches the upload, which refuses it.
        assertEquals(28, wrapper.transferTemplateJNI(new String[0], p).errorCode);
        assertEquals(List.of(16), p.progress);

        // Removal asks for the list first; keys not stored are reported by the removal.
        p = new ScriptedPrinter().queueReceive(listReply(templateHeader(3, 1, 10, "A", 0)));
        int removal = wrapper.removeTemplateJNI(new int[] {9}, p).errorCode;
        assertTrue(removal != 1 && removal != 39, "code " + removal);
        assertTrue(p.calls("sendDataToPrinter").stream()
                .noneMatch(c -> hex(c.data).startsWith("1B694652")));
    }

    @Test
    void firmwareQueries() {
        select(FIRMWARE_MODEL);
        ScriptedPrinter p = new ScriptedPrinter()
                .replyTo(bytes(0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x01, 0x01),
                        bytes(0x31, 0x2E, 0x30, 0x37, 0x00))
                .replyTo(bytes(0x1B, 0x69, 0x46, 0x69, 0x01), bytes(0xF2))
                .replyTo(bytes(0x1B, 0x69, 0x46, 0x69, 0x02), bytes(1));
        assertEquals("107", wrapper.getFirmVerJNI(p));
        assertEquals((byte) 0xF2, wrapper.getBootModeJNI(p));
        assertEquals(1, wrapper.getBatteryWeakJNI(p));
        assertEquals(1, code());

        ScriptedPrinter refusing =
                new ScriptedPrinter().fail("sendDataReceiveDataToPrinter", ScriptedPrinter.Fault.REFUSE);
        assertEquals(-1, wrapper.getBatteryWeakJNI(refusing));
        assertEquals(6, code());
        assertEquals(-1, wrapper.getBootModeJNI(null));
        assertEquals(39, code());
        assertEquals("", wrapper.getFirmVerJNI("not an observer"));
        assertEquals(40, code());
    }

    static byte[] sendDataFile(int lengthByte, int kind, String version, int size) {
        byte[] f = new byte[size];
        Arrays.fill(f, (byte) 0xAA);
        Arrays.fill(f, 0, lengthByte, (byte) 0);
        f[0] = (byte) 0x90;
        f[1] = (byte) lengthByte;
        f[6] = (byte) kind;
        f[7] = (byte) (kind >> 8);
        byte[] v = version.getBytes(StandardCharsets.US_ASCII);
        System.arraycopy(v, 0, f, 64, v.length);
        return f;
    }

    @Test
    void firmwareFiles() throws Exception {
        select(FIRMWARE_MODEL);
        Path firmware = dir.resolve("firm.bin");
        Files.write(firmware, sendDataFile(0x80, 0x0612, "V1.07", 300));
        assertEquals("107", wrapper.getFirmFileVerJNI(firmware.toString()));
        assertEquals(1, code());
        assertEquals("", wrapper.getFirmFileVerJNI(null));
        assertEquals(39, code());

        // Databases and packages are refused before anything is sent.
        for (int kind : new int[] {0x0601, 0x0611}) {
            Path file = dir.resolve("kind" + kind);
            Files.write(file, sendDataFile(0x80, kind, "", 300));
            ScriptedPrinter p = new ScriptedPrinter();
            assertEquals(23, wrapper.updateFirmJNI(file.toString(), p).errorCode);
            assertTrue(p.transcript.isEmpty());
            assertTrue(p.progress.isEmpty());
        }
        // A template package goes to the update, which decides.
        Path template = dir.resolve("template.bin");
        Files.write(template, sendDataFile(0x80, 0x0100, "", 300));
        ScriptedPrinter p = new ScriptedPrinter();
        wrapper.updateFirmJNI(template.toString(), p);
        assertEquals(37, (int) p.progress.get(0));

        ScriptedPrinter quiet = new ScriptedPrinter();
        assertEquals(39, wrapper.updateFirmJNI(null, quiet).errorCode);
        assertTrue(quiet.transcript.isEmpty());
    }

    @Test
    void databaseSending() throws Exception {
        select(23);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(39, wrapper.sendDatabaseDataJNI(null, "x.csv", p).errorCode);
        assertEquals(39, wrapper.sendDatabaseDataJNI("db", null, p).errorCode);
        assertTrue(p.transcript.isEmpty());
        // No package from a missing file: 59, nothing sent.
        assertEquals(59, wrapper.sendDatabaseDataJNI("db", dir.resolve("none.csv").toString(), p)
                .errorCode);
        assertTrue(p.transcript.isEmpty());

        Path csv = dir.resolve("items.csv");
        Files.write(csv, "code,name\n1,apple\n2,pear\n".getBytes(StandardCharsets.UTF_8));
        p = new ScriptedPrinter();
        wrapper.sendDatabaseDataJNI("items", csv.toString(), p);
        List<ScriptedPrinter.Call> sends = p.calls("sendDataToPrinter");
        assertEquals(1, sends.size());
        assertTrue(sends.get(0).length > 100, "package of " + sends.get(0).length + " bytes");
    }
}
