package com.talvora.lumeko.sdk;

/** One paper of a model's paper list. */
public class Paper {
    public final int paperId;
    public final float widthMm;
    public final float lengthMm;
    public final int widthDots;
    public final int lengthDots;
    public final int sideMarginDots;
    public final int feedMarginDots;
    public final int printableWidthDots;
    public final int printableLengthDots;
    public final int mediaWidthMm;
    public final int mediaLengthMm;
    public final int leftOffsetDots;
    public final int rightOffsetDots;
    public final byte mediaType;
    public final String paperNameMm;
    public final String paperNameInch;

    public Paper(int paperId, float widthMm, float lengthMm, int widthDots, int lengthDots,
            int sideMarginDots, int feedMarginDots, int printableWidthDots,
            int printableLengthDots, int mediaWidthMm, int mediaLengthMm, int leftOffsetDots,
            int rightOffsetDots, byte mediaType, String paperNameMm, String paperNameInch) {
        this.paperId = paperId;
        this.widthMm = widthMm;
        this.lengthMm = lengthMm;
        this.widthDots = widthDots;
        this.lengthDots = lengthDots;
        this.sideMarginDots = sideMarginDots;
        this.feedMarginDots = feedMarginDots;
        this.printableWidthDots = printableWidthDots;
        this.printableLengthDots = printableLengthDots;
        this.mediaWidthMm = mediaWidthMm;
        this.mediaLengthMm = mediaLengthMm;
        this.leftOffsetDots = leftOffsetDots;
        this.rightOffsetDots = rightOffsetDots;
        this.mediaType = mediaType;
        this.paperNameMm = paperNameMm;
        this.paperNameInch = paperNameInch;
    }
}
