package com.talvora.lumeko.test;

/** What one transport operation returned, the error code it left and the reply it copied. */
public final class ObserverResult {
    public final int result;
    public final int code;
    public final byte[] reply;
    public final String replyText;

    public ObserverResult(int result, int code, byte[] reply, String replyText) {
        this.result = result;
        this.code = code;
        this.reply = reply;
        this.replyText = replyText;
    }
}
