package com.talvora.lumeko.sdk;

/**
 * The transport of every printer call: the library hands its bytes, texts and progress codes to
 * these methods. Byte replies go into {@link #receive_data}, text replies into
 * {@link #receive_string}, before the method returns true.
 */
public abstract class PrinterObserver {
    public byte[] receive_data;
    public String receive_string;

    /** Sends length bytes of data; true when the printer took them. */
    public abstract boolean sendDataToPrinter(int length, byte[] data);

    /** Starts sending length bytes of data; completion is polled by isAliveSendAsynchronous. */
    public abstract boolean sendAsynchronousDataToPrinter(int length, byte[] data);

    /** Sends data and reads replyLength reply bytes into receive_data. */
    public abstract boolean sendDataReceiveDataToPrinter(int length, byte[] data, int replyLength);

    /** Reads up to length bytes into receive_data; the count read, negative on failure. */
    public abstract int receiveDataToPrinter(int length, boolean flag);

    /** Sends a text. */
    public abstract boolean sendStringToPrinter(String text);

    /** Reads the object named by request as replyLength bytes into receive_data. */
    public abstract boolean sendStringReceiveDataToPrinter(String request, int replyLength);

    /** Reads the object named by request as a text into receive_string. */
    public abstract boolean sendStringReceiveStringToPrinter(String request);

    /** True while the send started by sendAsynchronousDataToPrinter still runs. */
    public abstract boolean isAliveSendAsynchronous();

    /** Lets the host forget a communication error that the library forgives. */
    public abstract boolean resetPrinterResultErrorCodeIfCommunicationError();

    /** A progress code; false refuses it. */
    public abstract boolean sendMessage(int code);
}
