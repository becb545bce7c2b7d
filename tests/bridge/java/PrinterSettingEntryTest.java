package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.bytes;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/** getPrinterSettingJNI and setPrinterSettingJNI: the parallel arrays, their checks, the traffic. */
class PrinterSettingEntryTest {
    /** SN-7400D on USB: density and speed settings over ESC commands, status support. */
    static final int MODEL = 61;
    static final int DENSITY = 39;
    static final int SPEED = 40;
    static final int WIRELESS_ON_BOOT = 1;
    static final String DENSITY_READ = "1B6958653101";
    static final String SPEED_READ = "1B6958753103";

    private final JNIWrapper wrapper = new JNIWrapper();

    @BeforeEach
    void select() {
        PrintSettings s = new PrintSettings();
        s.modelId = MODEL;
        s.portId = 1;
        wrapper.initJNI(s);
        TestHooks.setErrorCode(1);
    }

    static ScriptedPrinter printer() {
        return new ScriptedPrinter()
                .defaultReply(ScriptedPrinter.statusReply(0x35, 55))
                .replyTo(bytes(0x1B, 0x69, 0x58, 0x65, 0x31, 0x01), bytes(0, 0, 0x82))
                .replyTo(bytes(0x1B, 0x69, 0x58, 0x75, 0x31, 0x03), bytes(0, 0, 3));
    }

    static List<String> sent(ScriptedPrinter p) {
        return p.transcript.stream()
                .filter(c -> c.data != null)
                .map(c -> hex(c.data))
                .collect(Collectors.toList());
    }

    @Test
    void readingStoresATextForEveryKey() {
        ScriptedPrinter p = printer();
        String[] values = {"stale", "stale", "stale", "beyond the keys"};
        int[] keys = {DENSITY, WIRELESS_ON_BOOT, SPEED};
        assertEquals(1, wrapper.getPrinterSettingJNI(keys, values, p).errorCode);
        // The model has no network settings: key 1 is left unread, an empty text.
        assertArrayEquals(new String[] {"2", "", "3", "beyond the keys"}, values);
        List<String> sent = sent(p);
        assertTrue(sent.get(0).startsWith("1B6953"), sent.toString());
        assertTrue(sent.contains("1B696101"), sent.toString());
        assertTrue(sent.stream().anyMatch(s -> s.startsWith(DENSITY_READ)), sent.toString());
        assertTrue(sent.stream().anyMatch(s -> s.startsWith(SPEED_READ)), sent.toString());
        assertEquals("1B6961FF", sent.get(sent.size() - 1));
    }

    @Test
    void manyKeysReleaseTheirLocalReferences() {
        int[] keys = new int[50];
        String[] values = new String[50];
        java.util.Arrays.fill(keys, DENSITY);
        java.util.Arrays.fill(values, "1");
        assertEquals(1, wrapper.setPrinterSettingJNI(keys, values, printer()).errorCode);
        java.util.Arrays.fill(values, null);
        assertEquals(1, wrapper.getPrinterSettingJNI(keys, values, printer()).errorCode);
        for (String v : values) {
            assertEquals("2", v);
        }
    }

    @Test
    void readingNoKeysStillRunsTheService() {
        ScriptedPrinter p = printer();
        String[] values = {};
        assertEquals(1, wrapper.getPrinterSettingJNI(new int[0], values, p).errorCode);
        List<String> sent = sent(p);
        assertTrue(sent.contains("1B696101"), sent.toString());
        assertTrue(sent.stream().noneMatch(s -> s.startsWith(DENSITY_READ)), sent.toString());
    }

    @Test
    void writingSendsOneCommit() {
        ScriptedPrinter p = printer();
        assertEquals(1, wrapper.setPrinterSettingJNI(new int[] {DENSITY, SPEED},
                new String[] {"-2", "4"}, p).errorCode);
        List<ScriptedPrinter.Call> sends = p.calls("sendDataToPrinter");
        assertEquals(1, sends.size(), sends.toString());
        String commit = hex(sends.get(0).data);
        assertTrue(commit.contains("1B695865320100" + "7E"), commit);
        assertTrue(commit.contains("1B695875320300000004"), commit);
    }

    @Test
    void aServiceErrorReachesTheStatus() {
        // Out of the speed range: refused before anything is sent.
        ScriptedPrinter p = printer();
        assertEquals(39, wrapper.setPrinterSettingJNI(new int[] {SPEED}, new String[] {"9"}, p)
                .errorCode);
        assertTrue(p.calls("sendDataToPrinter").isEmpty());

        // A model without printer settings.
        PrintSettings s = new PrintSettings();
        s.modelId = 24;
        s.portId = 1;
        wrapper.initJNI(s);
        p = printer();
        assertEquals(38, wrapper.getPrinterSettingJNI(new int[] {DENSITY}, new String[1], p)
                .errorCode);
        assertTrue(p.transcript.isEmpty());
    }

    @Test
    void badArraysAreRefusedWithoutTraffic() {
        ScriptedPrinter p = printer();
        int[] keys = {DENSITY, SPEED, WIRELESS_ON_BOOT};
        Object[][] writes = {
            {keys, new String[] {"1", "2"}}, // 3 keys, 2 values
            {new int[] {DENSITY}, new String[] {"1", "2"}},
            {null, new String[] {"1"}},
            {keys, null},
            {new int[] {DENSITY, SPEED}, new String[] {"1", null}},
        };
        for (Object[] w : writes) {
            assertEquals(39, wrapper.setPrinterSettingJNI((int[]) w[0], (String[]) w[1], p)
                    .errorCode);
            assertEquals(39, wrapper.getLastStatusJNI().errorCode);
        }
        // Reading: null arrays, and fewer value slots than keys.
        String[] shortValues = {"kept"};
        assertEquals(39, wrapper.getPrinterSettingJNI(keys, shortValues, p).errorCode);
        assertEquals("kept", shortValues[0]);
        assertEquals(39, wrapper.getPrinterSettingJNI(null, new String[1], p).errorCode);
        assertEquals(39, wrapper.getPrinterSettingJNI(keys, null, p).errorCode);
        assertTrue(p.transcript.isEmpty(), p.transcript.toString());

        // No observer, or one without the callbacks.
        assertEquals(39, wrapper.getPrinterSettingJNI(keys, new String[3], null).errorCode);
        assertEquals(40, wrapper.setPrinterSettingJNI(new int[] {DENSITY}, new String[] {"1"},
                "not an observer").errorCode);
    }

    @Test
    void aRefusingPrinterIsACommunicationError() {
        ScriptedPrinter p = printer().fail("sendDataToPrinter", ScriptedPrinter.Fault.REFUSE);
        assertEquals(6, wrapper.setPrinterSettingJNI(new int[] {DENSITY}, new String[] {"1"}, p)
                .errorCode);
        p = printer().fail("sendDataReceiveDataToPrinter", ScriptedPrinter.Fault.THROW);
        String[] values = {"stale"};
        assertEquals(6, wrapper.getPrinterSettingJNI(new int[] {DENSITY}, values, p).errorCode);
    }
}
