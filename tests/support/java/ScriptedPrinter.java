package com.talvora.lumeko.test;

import com.talvora.lumeko.sdk.PrinterObserver;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Deque;
import java.util.HashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * A printer played from a script: records every call, answers from tables and queues, and fails
 * on request. Progress codes are kept apart from the transcript.
 */
public class ScriptedPrinter extends PrinterObserver {
    /** One call of the library. */
    public static final class Call {
        public final String method;
        public final int length;
        public final byte[] data;
        public final int replyLength;
        public final boolean flag;
        public final String text;

        Call(String method, int length, byte[] data, int replyLength, boolean flag, String text) {
            this.method = method;
            this.length = length;
            this.data = data;
            this.replyLength = replyLength;
            this.flag = flag;
            this.text = text;
        }

        @Override
        public String toString() {
            return method + "(" + length + ", " + hex(data) + ", " + replyLength + ", " + flag
                    + ", " + text + ")";
        }
    }

    /** Ways a call can go wrong. */
    public enum Fault {
        /** The method answers false (receive: 0 bytes are not a refusal, see NEGATIVE). */
        REFUSE,
        /** The method throws. */
        THROW,
        /** receiveDataToPrinter answers -1. */
        NEGATIVE,
        /** The reply is one byte shorter than asked for. */
        SHORT,
        /** The reply field is left null. */
        NULL_REPLY
    }

    public final List<Call> transcript = new ArrayList<>();
    public final List<Integer> progress = new ArrayList<>();

    private final Map<String, byte[]> repliesByPrefix = new LinkedHashMap<>();
    private final Map<String, byte[]> bytesByObject = new HashMap<>();
    private final Map<String, String> textByObject = new HashMap<>();
    private final Deque<byte[]> receiveQueue = new ArrayDeque<>();
    private final Map<String, Fault> faultByMethod = new HashMap<>();
    private final Map<Integer, Fault> faultByCall = new HashMap<>();
    /** How many polls of isAliveSendAsynchronous answer true before the send is finished. */
    public int alivePolls;

    private byte[] defaultReply;
    private int hookCall = -1;
    private Runnable hook;
    private int calls;

    /** The reply to sendDataReceiveData whose bytes start with prefix. */
    public ScriptedPrinter replyTo(byte[] prefix, byte[] reply) {
        repliesByPrefix.put(hex(prefix), reply);
        return this;
    }

    /** The reply to sendDataReceiveData when no prefix matches. */
    public ScriptedPrinter defaultReply(byte[] reply) {
        defaultReply = reply;
        return this;
    }

    /** The bytes read for an object identifier (sendStringReceiveData). */
    public ScriptedPrinter objectBytes(String oid, byte[] value) {
        bytesByObject.put(oid, value);
        return this;
    }

    /** The text read for an object identifier (sendStringReceiveString). */
    public ScriptedPrinter objectText(String oid, String value) {
        textByObject.put(oid, value);
        return this;
    }

    /** Queues the bytes of the next receiveDataToPrinter. */
    public ScriptedPrinter queueReceive(byte[] bytes) {
        receiveQueue.add(bytes);
        return this;
    }

    /** Every call of the method goes wrong this way. */
    public ScriptedPrinter fail(String method, Fault fault) {
        faultByMethod.put(method, fault);
        return this;
    }

    /** The call with this index (0-based, over all methods) goes wrong this way. */
    public ScriptedPrinter failCall(int index, Fault fault) {
        faultByCall.put(index, fault);
        return this;
    }

    /** Runs action at the start of the call with this index (0-based, progress codes too). */
    public ScriptedPrinter onCall(int index, Runnable action) {
        hookCall = index;
        hook = action;
        return this;
    }

    /** How many calls came so far: the index (0-based, progress codes too) of the next one. */
    public int callCount() {
        return calls;
    }

    /** The calls of one method. */
    public List<Call> calls(String method) {
        List<Call> out = new ArrayList<>();
        for (Call c : transcript) {
            if (c.method.equals(method)) {
                out.add(c);
            }
        }
        return out;
    }

    private Fault begin(String method) {
        int index = calls++;
        if (index == hookCall && hook != null) {
            hook.run();
        }
        Fault fault = faultByCall.get(index);
        if (fault == null) {
            fault = faultByMethod.get(method);
        }
        if (fault == Fault.THROW) {
            throw new IllegalStateException("scripted failure in " + method);
        }
        return fault;
    }

    private void record(String method, int length, byte[] data, int replyLength, boolean flag,
            String text) {
        transcript.add(new Call(method, length, data == null ? null : data.clone(), replyLength,
                flag, text));
    }

    private void setReply(byte[] reply, int wanted, Fault fault) {
        if (fault == Fault.NULL_REPLY) {
            receive_data = null;
        } else if (fault == Fault.SHORT) {
            receive_data = Arrays.copyOf(reply == null ? new byte[0] : reply, Math.max(0, wanted - 1));
        } else {
            byte[] full = reply == null ? new byte[0] : reply;
            receive_data = full.length >= wanted ? full : Arrays.copyOf(full, wanted);
        }
    }

    @Override
    public boolean sendDataToPrinter(int length, byte[] data) {
        record("sendDataToPrinter", length, data, 0, false, null);
        return begin("sendDataToPrinter") != Fault.REFUSE;
    }

    @Override
    public boolean sendAsynchronousDataToPrinter(int length, byte[] data) {
        record("sendAsynchronousDataToPrinter", length, data, 0, false, null);
        return begin("sendAsynchronousDataToPrinter") != Fault.REFUSE;
    }

    @Override
    public boolean sendDataReceiveDataToPrinter(int length, byte[] data, int replyLength) {
        record("sendDataReceiveDataToPrinter", length, data, replyLength, false, null);
        Fault fault = begin("sendDataReceiveDataToPrinter");
        if (fault == Fault.REFUSE) {
            return false;
        }
        byte[] reply = defaultReply;
        String key = hex(data);
        for (Map.Entry<String, byte[]> e : repliesByPrefix.entrySet()) {
            if (key.startsWith(e.getKey())) {
                reply = e.getValue();
                break;
            }
        }
        setReply(reply, replyLength, fault);
        return true;
    }

    @Override
    public int receiveDataToPrinter(int length, boolean flag) {
        record("receiveDataToPrinter", length, null, 0, flag, null);
        Fault fault = begin("receiveDataToPrinter");
        if (fault == Fault.NEGATIVE || fault == Fault.REFUSE) {
            return -1;
        }
        byte[] next = receiveQueue.isEmpty() ? new byte[0] : receiveQueue.poll();
        setReply(next, length, fault);
        return Math.min(next.length, length);
    }

    @Override
    public boolean sendStringToPrinter(String text) {
        record("sendStringToPrinter", 0, null, 0, false, text);
        return begin("sendStringToPrinter") != Fault.REFUSE;
    }

    @Override
    public boolean sendStringReceiveDataToPrinter(String request, int replyLength) {
        record("sendStringReceiveDataToPrinter", 0, null, replyLength, false, request);
        Fault fault = begin("sendStringReceiveDataToPrinter");
        if (fault == Fault.REFUSE) {
            return false;
        }
        setReply(bytesByObject.get(request), replyLength, fault);
        return true;
    }

    @Override
    public boolean sendStringReceiveStringToPrinter(String request) {
        record("sendStringReceiveStringToPrinter", 0, null, 0, false, request);
        Fault fault = begin("sendStringReceiveStringToPrinter");
        if (fault == Fault.REFUSE) {
            return false;
        }
        receive_string = fault == Fault.NULL_REPLY ? null : textByObject.getOrDefault(request, "");
        return true;
    }

    @Override
    public boolean isAliveSendAsynchronous() {
        record("isAliveSendAsynchronous", 0, null, 0, false, null);
        return begin("isAliveSendAsynchronous") == null && alivePolls-- > 0;
    }

    @Override
    public boolean resetPrinterResultErrorCodeIfCommunicationError() {
        record("resetPrinterResultErrorCodeIfCommunicationError", 0, null, 0, false, null);
        return begin("resetPrinterResultErrorCodeIfCommunicationError") != Fault.REFUSE;
    }

    @Override
    public boolean sendMessage(int code) {
        progress.add(code);
        return begin("sendMessage") != Fault.REFUSE;
    }

    /**
     * A 32-byte status reply: head 80 20 42, the series and model codes, then the given
     * (offset, value) pairs.
     */
    public static byte[] statusReply(int seriesCode, int modelCode, int... offsetValuePairs) {
        byte[] reply = new byte[32];
        reply[0] = (byte) 0x80;
        reply[1] = 0x20;
        reply[2] = 0x42;
        reply[3] = (byte) seriesCode;
        reply[4] = (byte) modelCode;
        for (int i = 0; i + 1 < offsetValuePairs.length; i += 2) {
            reply[offsetValuePairs[i]] = (byte) offsetValuePairs[i + 1];
        }
        return reply;
    }

    /** A 16-byte battery reply: 10, secondValue, firstValue, health, zeros. */
    public static byte[] batteryReply(int secondValue, int firstValue, int health) {
        byte[] reply = new byte[16];
        reply[0] = 0x10;
        reply[1] = (byte) secondValue;
        reply[2] = (byte) firstValue;
        reply[3] = (byte) health;
        return reply;
    }

    /** A media version reply: its length byte, the text, zeros up to 8 bytes. */
    public static byte[] mediaVersionReply(String version) {
        byte[] text = version.getBytes(java.nio.charset.StandardCharsets.ISO_8859_1);
        byte[] reply = new byte[Math.max(8, text.length + 1)];
        reply[0] = (byte) text.length;
        System.arraycopy(text, 0, reply, 1, text.length);
        return reply;
    }

    /** The page counter object: 36 bytes, the count big-endian in bytes 10 to 13. */
    public static byte[] pageCounterReply(int count) {
        byte[] reply = new byte[36];
        reply[10] = (byte) (count >>> 24);
        reply[11] = (byte) (count >>> 16);
        reply[12] = (byte) (count >>> 8);
        reply[13] = (byte) count;
        return reply;
    }

    /** Queues a length-prefixed answer (serial number on the serial ports): length, then bytes. */
    public ScriptedPrinter queueLengthAndBytes(byte[] bytes) {
        return queueReceive(new byte[] {(byte) bytes.length}).queueReceive(bytes);
    }

    /** Queues a system report: its 2-byte little-endian length, then its bytes. */
    public ScriptedPrinter queueSystemReport(byte[] report) {
        return queueReceive(new byte[] {(byte) report.length, (byte) (report.length >> 8)})
                .queueReceive(report);
    }

    /** ESC i a FF (hex): back to the printer's default command mode, the end of a whole job. */
    public static final String TRAILER = "1B6961FF";

    public static String hex(byte[] bytes) {
        if (bytes == null) {
            return "null";
        }
        StringBuilder sb = new StringBuilder();
        for (byte b : bytes) {
            sb.append(String.format("%02X", b & 0xFF));
        }
        return sb.toString();
    }

    public static byte[] bytes(int... values) {
        byte[] out = new byte[values.length];
        for (int i = 0; i < values.length; ++i) {
            out[i] = (byte) values[i];
        }
        return out;
    }
}
