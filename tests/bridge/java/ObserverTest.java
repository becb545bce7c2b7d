package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.bytes;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.PrinterObserver;
import com.talvora.lumeko.test.ScriptedPrinter.Fault;
import java.util.List;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/** The transport operations as the host sees them, one native operation at a time. */
class ObserverTest {
    static final String OID = "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5";

    /** A printer whose replies are the bytes 0A 0B 0C 0D for every kind of request. */
    static ScriptedPrinter printer(Fault fault, String method) {
        ScriptedPrinter p = new ScriptedPrinter()
                .defaultReply(bytes(0x0A, 0x0B, 0x0C, 0x0D))
                .queueReceive(bytes(0x0A, 0x0B))
                .objectBytes(OID, bytes(0x0A, 0x0B, 0x0C, 0x0D))
                .objectText(OID, "READY\uD83D\uDE00");
        if (fault != null) {
            p.fail(method, fault);
        }
        return p;
    }

    /**
     * One row per operation and outcome: operation, send length, data, reply length, host
     * method, fault, expected result, expected code, expected reply (hex; the buffer starts as
     * EE bytes).
     */
    static Stream<Arguments> rows() {
        byte[] cmd = bytes(0x1B, 0x69, 0x53);
        byte[] oid = OID.getBytes();
        return Stream.of(
                Arguments.of(1, 3, cmd, 0, "sendDataToPrinter", null, 1, 1, ""),
                Arguments.of(1, 3, cmd, 0, "sendDataToPrinter", Fault.REFUSE, 0, 6, ""),
                Arguments.of(1, 3, cmd, 0, "sendDataToPrinter", Fault.THROW, 0, 6, ""),
                Arguments.of(2, 3, cmd, 0, "sendAsynchronousDataToPrinter", null, 1, 1, ""),
                Arguments.of(2, 3, cmd, 0, "sendAsynchronousDataToPrinter", Fault.REFUSE, 0, 6, ""),
                Arguments.of(2, 3, cmd, 0, "sendAsynchronousDataToPrinter", Fault.THROW, 0, 6, ""),
                Arguments.of(3, 3, cmd, 4, "sendDataReceiveDataToPrinter", null, 1, 1, "0A0B0C0D"),
                Arguments.of(3, 3, cmd, 4, "sendDataReceiveDataToPrinter", Fault.REFUSE, 0, 6, "EEEEEEEE"),
                Arguments.of(3, 3, cmd, 4, "sendDataReceiveDataToPrinter", Fault.THROW, 0, 6, "EEEEEEEE"),
                Arguments.of(3, 3, cmd, 4, "sendDataReceiveDataToPrinter", Fault.SHORT, 0, 40, "EEEEEEEE"),
                Arguments.of(3, 3, cmd, 4, "sendDataReceiveDataToPrinter", Fault.NULL_REPLY, 0, 40, "EEEEEEEE"),
                // receive: the count is the host's, the copy is the requested length
                Arguments.of(4, 4, null, 0, "receiveDataToPrinter", null, 2, 1, "0A0B0000"),
                Arguments.of(4, 4, null, 0, "receiveDataToPrinter", Fault.NEGATIVE, -1, 6, "EEEEEEEE"),
                Arguments.of(4, 4, null, 0, "receiveDataToPrinter", Fault.THROW, -1, 6, "EEEEEEEE"),
                Arguments.of(4, 4, null, 0, "receiveDataToPrinter", Fault.SHORT, -1, 40, "EEEEEEEE"),
                Arguments.of(4, 4, null, 0, "receiveDataToPrinter", Fault.NULL_REPLY, -1, 40, "EEEEEEEE"),
                Arguments.of(5, 0, oid, 0, "sendStringToPrinter", null, 1, 1, ""),
                Arguments.of(5, 0, oid, 0, "sendStringToPrinter", Fault.REFUSE, 0, 6, ""),
                Arguments.of(5, 0, oid, 0, "sendStringToPrinter", Fault.THROW, 0, 6, ""),
                Arguments.of(6, 0, oid, 4, "sendStringReceiveDataToPrinter", null, 1, 1, "0A0B0C0D"),
                Arguments.of(6, 0, oid, 4, "sendStringReceiveDataToPrinter", Fault.REFUSE, 0, 6, "EEEEEEEE"),
                Arguments.of(6, 0, oid, 4, "sendStringReceiveDataToPrinter", Fault.THROW, 0, 6, "EEEEEEEE"),
                Arguments.of(6, 0, oid, 4, "sendStringReceiveDataToPrinter", Fault.SHORT, 0, 40, "EEEEEEEE"),
                Arguments.of(6, 0, oid, 4, "sendStringReceiveDataToPrinter", Fault.NULL_REPLY, 0, 40, "EEEEEEEE"),
                Arguments.of(7, 0, oid, 0, "sendStringReceiveStringToPrinter", null, 1, 1, ""),
                Arguments.of(7, 0, oid, 0, "sendStringReceiveStringToPrinter", Fault.REFUSE, 0, 6, ""),
                Arguments.of(7, 0, oid, 0, "sendStringReceiveStringToPrinter", Fault.THROW, 0, 6, ""),
                Arguments.of(7, 0, oid, 0, "sendStringReceiveStringToPrinter", Fault.NULL_REPLY, 0, 40, ""),
                // a refused or throwing progress message leaves 40 and still answers true
                Arguments.of(8, 14, null, 0, "sendMessage", null, 1, 1, ""),
                Arguments.of(8, 14, null, 0, "sendMessage", Fault.REFUSE, 1, 40, ""),
                Arguments.of(8, 14, null, 0, "sendMessage", Fault.THROW, 1, 40, ""),
                // polling and the reset set no code
                Arguments.of(9, 0, null, 0, "isAliveSendAsynchronous", Fault.THROW, 0, 1, ""),
                Arguments.of(10, 0, null, 0, "resetPrinterResultErrorCodeIfCommunicationError", null, 1, 1, ""),
                Arguments.of(10, 0, null, 0, "resetPrinterResultErrorCodeIfCommunicationError", Fault.REFUSE, 0, 1, ""),
                Arguments.of(10, 0, null, 0, "resetPrinterResultErrorCodeIfCommunicationError", Fault.THROW, 0, 1, ""));
    }

    @ParameterizedTest
    @MethodSource("rows")
    void operationRow(int op, int length, byte[] data, int replyLength, String method, Fault fault,
            int result, int code, String reply) {
        ScriptedPrinter p = printer(fault, method);
        ObserverResult r = TestHooks.observe(p, op, length, data, replyLength, op == 4, "old");
        assertEquals(result, r.result, "result");
        assertEquals(code, r.code, "code");
        assertEquals(reply, hex(r.reply), "reply");
        if (op == 8) {
            assertEquals(List.of(14), p.progress);
            return;
        }
        assertEquals(1, p.transcript.size());
        ScriptedPrinter.Call c = p.transcript.get(0);
        assertEquals(method, c.method);
        if (op <= 3) {
            assertEquals(length, c.length);
            assertEquals(hex(data), hex(c.data));
        }
        if (op == 3 || op == 6) {
            assertEquals(replyLength, c.replyLength);
        }
        if (op == 4) {
            assertEquals(length, c.length);
            assertTrue(c.flag, "the flag reaches the host unchanged");
        }
        if (op >= 5 && op <= 7) {
            assertEquals(OID, c.text);
        }
        if (op == 7) {
            assertEquals(result == 1 ? "READY\uD83D\uDE00" : "old", r.replyText);
        }
    }

    @Test
    void receiveCopiesTheRequestedLengthEvenForACountOfZero() {
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public int receiveDataToPrinter(int length, boolean flag) {
                super.receiveDataToPrinter(length, flag);
                receive_data = bytes(7, 7, 7, 7, 7);
                return 0;
            }
        };
        ObserverResult r = TestHooks.observe(p, 4, 4, null, 0, false, null);
        assertEquals(0, r.result);
        assertEquals(1, r.code);
        assertEquals("07070707", hex(r.reply));
        assertFalse(p.transcript.get(0).flag);
    }

    @Test
    void negativeLengthsAreRefusedBeforeTheHostIsCalled() {
        for (int op : new int[] {1, 2, 3, 4}) {
            ScriptedPrinter p = printer(null, null);
            ObserverResult r = TestHooks.observe(p, op, -1, null, 0, false, null);
            assertEquals(op == 4 ? -1 : 0, r.result);
            assertEquals(40, r.code);
            assertTrue(p.transcript.isEmpty());
        }
    }

    @Test
    void aSentArrayIsTheHostsOwnCopy() {
        byte[][] kept = new byte[2][];
        ScriptedPrinter p = new ScriptedPrinter() {
            @Override
            public boolean sendAsynchronousDataToPrinter(int length, byte[] data) {
                kept[0] = data;
                return super.sendAsynchronousDataToPrinter(length, data);
            }

            @Override
            public boolean sendDataToPrinter(int length, byte[] data) {
                kept[1] = data;
                return super.sendDataToPrinter(length, data);
            }
        };
        // The library reuses its buffer after each call returns; the host's arrays stay.
        assertEquals(1, TestHooks.observe(p, 2, 3, bytes(1, 2, 3), 0, false, null).result);
        assertEquals(1, TestHooks.observe(p, 1, 3, bytes(4, 5, 6), 0, false, null).result);
        assertEquals("010203", hex(kept[0]));
        assertEquals("040506", hex(kept[1]));
    }

    @Test
    void theReplyTextIsReplacedNotExtended() {
        ScriptedPrinter p = printer(null, null).objectText(OID, "A?\n");
        ObserverResult r = TestHooks.observe(p, 7, 0, OID.getBytes(), 0, false, "previous reply");
        assertEquals("A?\n", r.replyText);
    }

    @Test
    void requestBytesThatAreNotUtf8ArriveOneCharPerByte() {
        ScriptedPrinter p = printer(null, null);
        TestHooks.observe(p, 5, 0, bytes(0xFF, 0x41, 0xC3), 0, false, null);
        assertEquals("\u00FFA\u00C3", p.transcript.get(0).text);
        TestHooks.observe(p, 5, 0, bytes(0xC3, 0xA9, 0xF0, 0x9F, 0x98, 0x80), 0, false, null);
        assertEquals("\u00E9\uD83D\uDE00", p.transcript.get(1).text);
    }

    /** Has every reply field and every callback but sendMessage. */
    static final class NoProgressObserver {
        public byte[] receive_data;
        public String receive_string;
        int calls;

        public boolean sendDataToPrinter(int length, byte[] data) { return ++calls > 0; }
        public boolean sendAsynchronousDataToPrinter(int length, byte[] data) { return ++calls > 0; }
        public boolean sendDataReceiveDataToPrinter(int l, byte[] d, int r) { return ++calls > 0; }
        public int receiveDataToPrinter(int length, boolean flag) { return ++calls; }
        public boolean sendStringToPrinter(String text) { return ++calls > 0; }
        public boolean sendStringReceiveDataToPrinter(String r, int l) { return ++calls > 0; }
        public boolean sendStringReceiveStringToPrinter(String r) { return ++calls > 0; }
        public boolean isAliveSendAsynchronous() { return ++calls > 0; }
        public boolean resetPrinterResultErrorCodeIfCommunicationError() { return ++calls > 0; }
    }

    @Test
    void anObserverLackingAMethodOrNoObserverGives40AndNoCallback() {
        NoProgressObserver partial = new NoProgressObserver();
        for (int op = 1; op <= 10; ++op) {
            ObserverResult r = TestHooks.observe(partial, op, 1, bytes(1), 1, false, null);
            assertEquals(40, r.code, "operation " + op);
        }
        assertEquals(0, partial.calls);
        assertEquals(40, TestHooks.observe(null, 1, 1, bytes(1), 0, false, null).code);
        assertEquals(40, TestHooks.observe("not an observer", 1, 1, bytes(1), 0, false, null).code);
    }

    /** An observer of another class than ScriptedPrinter: ids are looked up for each binding. */
    static final class CountingObserver extends PrinterObserver {
        int sends;

        @Override public boolean sendDataToPrinter(int length, byte[] data) { return ++sends > 0; }
        @Override public boolean sendAsynchronousDataToPrinter(int length, byte[] data) { return false; }
        @Override public boolean sendDataReceiveDataToPrinter(int l, byte[] d, int r) { return false; }
        @Override public int receiveDataToPrinter(int length, boolean flag) { return -1; }
        @Override public boolean sendStringToPrinter(String text) { return false; }
        @Override public boolean sendStringReceiveDataToPrinter(String r, int l) { return false; }
        @Override public boolean sendStringReceiveStringToPrinter(String r) { return false; }
        @Override public boolean isAliveSendAsynchronous() { return false; }
        @Override public boolean resetPrinterResultErrorCodeIfCommunicationError() { return false; }
        @Override public boolean sendMessage(int code) { return true; }
    }

    @Test
    void observersOfDifferentClassesInARowBothWork() {
        ScriptedPrinter first = printer(null, null);
        CountingObserver second = new CountingObserver();
        assertEquals(1, TestHooks.observe(first, 1, 1, bytes(1), 0, false, null).result);
        assertEquals(1, TestHooks.observe(second, 1, 1, bytes(1), 0, false, null).result);
        assertEquals(1, TestHooks.observe(first, 1, 1, bytes(1), 0, false, null).result);
        assertEquals(2, first.transcript.size());
        assertEquals(1, second.sends);
        assertFalse(TestHooks.bindingActive());
    }

    @Test
    void aCallbackThatBindsAnotherObserverLeavesTheOuterBindingIntact() {
        CountingObserver inner = new CountingObserver();
        boolean[] activeInside = new boolean[1];
        ScriptedPrinter outer = printer(null, null).onCall(0, () -> {
            activeInside[0] = TestHooks.bindingActive();
            TestHooks.observe(inner, 1, 1, bytes(1), 0, false, null);
        });
        // sendData, receiveData and sendStringReceiveString, all to the outer observer
        assertEquals(3, TestHooks.observeMany(outer, 1));
        assertEquals(3, outer.transcript.size());
        assertEquals(1, inner.sends);
        assertTrue(activeInside[0]);
        assertFalse(TestHooks.bindingActive());
    }
}
