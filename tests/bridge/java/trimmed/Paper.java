package com.talvora.lumeko.sdk;

/** A host's Paper whose constructor differs from the one the library builds with. */
public class Paper {
    public final int paperId;

    public Paper(int paperId) {
        this.paperId = paperId;
    }
}
