package com.talvora.lumeko.sdk;

/** One template stored in the printer. */
public class TemplateInfo {
    public final int key;
    public final int size;
    public final int checksum;
    public final byte[] modifiedDate;
    public final String name;
    public final long modifiedDateFiletime;

    public TemplateInfo(int key, int size, int checksum, byte[] modifiedDate, String name,
            long modifiedDateFiletime) {
        this.key = key;
        this.size = size;
        this.checksum = checksum;
        this.modifiedDate = modifiedDate;
        this.name = name;
        this.modifiedDateFiletime = modifiedDateFiletime;
    }
}
