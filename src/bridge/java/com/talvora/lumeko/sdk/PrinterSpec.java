package com.talvora.lumeko.sdk;

/** One printer model as the host sees it: codes, head, resolutions and name. */
public class PrinterSpec {
    public final int modelCode;
    public final int seriesCode;
    public final int usbProductId;
    public final int headDots;
    public final int dpi;
    public final int dpiSecond;
    public final boolean speedCommand;
    public final int tubeHeadDots;
    public final String modelName;

    public PrinterSpec(int modelCode, int seriesCode, int usbProductId, int headDots, int dpi,
            int dpiSecond, boolean speedCommand, int tubeHeadDots, String modelName) {
        this.modelCode = modelCode;
        this.seriesCode = seriesCode;
        this.usbProductId = usbProductId;
        this.headDots = headDots;
        this.dpi = dpi;
        this.dpiSecond = dpiSecond;
        this.speedCommand = speedCommand;
        this.tubeHeadDots = tubeHeadDots;
        this.modelName = modelName;
    }
}
