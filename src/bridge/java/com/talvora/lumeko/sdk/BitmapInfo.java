package com.talvora.lumeko.sdk;

/** A bitmap to print: a file of 3-byte R, G, B pixels and its size in pixels. */
public class BitmapInfo {
    public String bitmapFile;
    public int bitmapWidth;
    public int bitmapHeight;

    public BitmapInfo(String bitmapFile, int bitmapWidth, int bitmapHeight) {
        this.bitmapFile = bitmapFile;
        this.bitmapWidth = bitmapWidth;
        this.bitmapHeight = bitmapHeight;
    }
}
