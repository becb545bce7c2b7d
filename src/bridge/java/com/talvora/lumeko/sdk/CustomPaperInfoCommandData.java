package com.talvora.lumeko.sdk;

/** A custom paper command, or the (parameter, detail) pairs of the values that break its limits. */
public class CustomPaperInfoCommandData {
    public final byte[] command;
    public final int[] errors;

    public CustomPaperInfoCommandData(byte[] command) {
        this.command = command;
        this.errors = null;
    }

    public CustomPaperInfoCommandData(int[] errors) {
        this.command = null;
        this.errors = errors;
    }
}
