package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.bytes;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.BatteryInfo;
import com.talvora.lumeko.sdk.BatteryInfo.HealthStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/** Battery, serial number, media versions, page counter, device status and system report. */
class DeviceQueryTest {
    static final String OID_BATTERY = "1.3.6.1.4.1.7741.3.3.9.1.1.8.1.0";
    static final String OID_PAGE_COUNTER = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.10.0";
    static final String OID_CONSOLE = "1.3.6.1.2.1.43.16.5.1.2.1.1";
    static final String OID_SERIAL = "1.3.6.1.4.1.7741.2.3.9.4.2.1.5.5.1.0";
    /** KX-A120BT: serial number and media version commands. */
    static final int MODEL_WITH_MEDIA_VERSION = 36;
    /** FC-510: series code '6'. */
    static final int FULL_PAGE_MODEL = 9;

    private final JNIWrapper wrapper = new JNIWrapper();

    private void select(int model, int port) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = port;
        wrapper.initJNI(s);
    }

    private int code() {
        return wrapper.getLastStatusJNI().errorCode;
    }

    static byte[] battery(int... head) {
        return Arrays.copyOf(bytes(head), 16);
    }

    @ParameterizedTest
    @CsvSource({"0, Excellent", "1, Good", "2, ReplaceSoon", "3, ReplaceBattery", "7, NotInstalled",
        "255, NotInstalled"})
    void batteryHealthNamesItsConstant(int health, HealthStatus expected) {
        select(MODEL_WITH_MEDIA_VERSION, 2);
        ScriptedPrinter p = new ScriptedPrinter().defaultReply(ScriptedPrinter.batteryReply(5, 100, health));
        BatteryInfo b = wrapper.getBatteryInfoJNI(p);
        assertEquals(100, b.firstValue);
        assertEquals(5, b.secondValue);
        assertEquals(expected, b.healthStatus);
        assertEquals(1, code());
        ScriptedPrinter.Call c = p.transcript.get(0);
        assertEquals("sendDataReceiveDataToPrinter", c.method);
        assertEquals("1B6961011B69556E1B6961FF", hex(c.data));
        assertEquals(16, c.replyLength);
    }

    @Test
    void batteryValuesAreSignExtendedAndOddRepliesGiveDefaults() {
        select(24, 1);
        BatteryInfo b = wrapper.getBatteryInfoJNI(
                new ScriptedPrinter().defaultReply(battery(0x10, 0xFB, 0xC8, 0x00)));
        assertEquals(-56, b.firstValue);
        assertEquals(-5, b.secondValue);
        assertEquals(HealthStatus.Excellent, b.healthStatus);

        b = wrapper.getBatteryInfoJNI(new ScriptedPrinter().defaultReply(battery(0x0F, 5, 100, 1)));
        assertEquals(-1, b.firstValue);
        assertEquals(-1, b.secondValue);
        assertEquals(HealthStatus.NotInstalled, b.healthStatus);
        assertEquals(1, code());

        ScriptedPrinter refusing = new ScriptedPrinter()
                .fail("sendDataReceiveDataToPrinter", Fault.REFUSE);
        b = wrapper.getBatteryInfoJNI(refusing);
        assertEquals(-1, b.firstValue);
        assertEquals(HealthStatus.NotInstalled, b.healthStatus);
        assertEquals(6, code());
    }

    @Test
    void batteryCommandModeAndNetworkRoute() {
        select(FULL_PAGE_MODEL, 1);
        ScriptedPrinter p = new ScriptedPrinter().defaultReply(battery(0x10, 1, 2, 3));
        wrapper.getBatteryInfoJNI(p);
        assertEquals("1B6961001B69556E1B6961FF", hex(p.transcript.get(0).data));

        select(24, 4);
        p = new ScriptedPrinter().objectBytes(OID_BATTERY, battery(0x10, 0x05, 0x64, 2));
        BatteryInfo b = wrapper.getBatteryInfoJNI(p);
        assertEquals(HealthStatus.ReplaceSoon, b.healthStatus);
        assertEquals("sendStringReceiveDataToPrinter", p.transcript.get(0).method);
        assertEquals(OID_BATTERY, p.transcript.get(0).text);
        assertEquals(16, p.transcript.get(0).replyLength);
    }

    @Test
    void networkQueriesReadTheirObjects() {
        select(24, 4);
        assertEquals(300, wrapper.getPageCounterJNI(new ScriptedPrinter()
                .objectBytes(OID_PAGE_COUNTER, ScriptedPrinter.pageCounterReply(300))));
        assertEquals(Integer.MIN_VALUE, wrapper.getPageCounterJNI(new ScriptedPrinter()
                .objectBytes(OID_PAGE_COUNTER, ScriptedPrinter.pageCounterReply(Integer.MIN_VALUE))));
        assertEquals("READYTOPRINT", wrapper.getDeviceStatusJNI(
                new ScriptedPrinter().objectText(OID_CONSOLE, "READY  TO  PRINT")));
        assertEquals("SN\uD83D\uDE00", wrapper.getSerialNumberJNI(
                new ScriptedPrinter().objectText(OID_SERIAL, "SN\uD83D\uDE00")));
        assertEquals(1, code());
    }

    @Test
    void escapeCommandQueries() {
        select(MODEL_WITH_MEDIA_VERSION, 2);
        ScriptedPrinter p =
                new ScriptedPrinter().queueReceive(ScriptedPrinter.mediaVersionReply("1.02A"));
        assertEquals("1.02A", wrapper.getMediaVerJNI(p));
        assertEquals("1B695576", hex(p.transcript.get(0).data));

        p = new ScriptedPrinter().queueSystemReport(bytes(0x41, 0xFF, 0x0A));
        assertEquals("A?\n", wrapper.getSystemReportJNI(p));
        assertEquals("1B695847", hex(p.transcript.get(0).data));

        // A serial number that is not UTF-8 arrives one char per byte.
        p = new ScriptedPrinter().queueLengthAndBytes(bytes(0xFF, 0x41, 0xFE));
        assertEquals("\u00FFA\u00FE", wrapper.getSerialNumberJNI(p));
        assertEquals("1B6961FA550C821B6961FF", hex(p.transcript.get(0).data));
        assertEquals(1, code());
    }

    @Test
    void failedQueriesGiveEmptyResultsAndKeepTheirCode() {
        select(MODEL_WITH_MEDIA_VERSION, 2);
        ScriptedPrinter refusing = new ScriptedPrinter().fail("sendDataToPrinter", Fault.REFUSE);
        assertEquals("", wrapper.getSystemReportJNI(refusing));
        assertEquals(6, code());
        assertEquals("", wrapper.getMediaVerJNI(
                new ScriptedPrinter().queueReceive(bytes(8, 1, 2, 3, 4, 5, 6, 7))));
        assertEquals(39, code());

        // No observer or an incomplete one: nothing is built, nothing sent.
        assertEquals("", wrapper.getSerialNumberJNI(null));
        assertEquals(39, code());
        assertEquals(0, wrapper.getPageCounterJNI("not an observer"));
        assertEquals(40, code());
        BatteryInfo b = wrapper.getBatteryInfoJNI(null);
        assertEquals(HealthStatus.NotInstalled, b.healthStatus);
        assertEquals(39, code());
    }

    @Test
    void mediaFileVersionReadsTheFileOnly(@TempDir Path dir) throws Exception {
        select(MODEL_WITH_MEDIA_VERSION, 2);
        Path file = dir.resolve("media.bin");
        Files.write(file, bytes(0x1B, 0x69, 0x55, 0x77, 9, 9, 9, '1', '0', '3', 0));
        assertEquals("103", wrapper.getMediaFileVerJNI(file.toString()));
        assertEquals(1, code());
        assertEquals("", wrapper.getMediaFileVerJNI(dir.resolve("missing").toString()));
        assertEquals(28, code());
        assertEquals("", wrapper.getMediaFileVerJNI(null));
        assertEquals(39, code());
    }

    @Test
    void aCallbackThatThrowsIsACommunicationError() {
        select(MODEL_WITH_MEDIA_VERSION, 2);
        ScriptedPrinter p = new ScriptedPrinter().fail("sendDataToPrinter", Fault.THROW);
        assertEquals("", wrapper.getSystemReportJNI(p));
        assertEquals(6, code());
        assertTrue(p.transcript.size() == 1);
    }
}
