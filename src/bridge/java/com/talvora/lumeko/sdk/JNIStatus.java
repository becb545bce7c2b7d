package com.talvora.lumeko.sdk;

/** The last printer status as the library reports it after an operation. */
public class JNIStatus {
    public final byte[] statusByte;
    public final int errorCode;
    public final int batteryLevel;
    public final int batteryMaxLevel;
    public final int batteryCharging;
    public final int batteryValid;
    public final int batteryHealthLevel;
    public final int labelColor;
    public final int inkColor;
    public final int labelId;
    public final int tubeRibbonLevel;
    public final int tubeRibbon;
    public final int tube;
    public final int tubeRibbonInkColor;
    public final int labelType;

    public JNIStatus(byte[] statusByte, int errorCode, int batteryLevel, int batteryMaxLevel,
            int batteryCharging, int batteryValid, int batteryHealthLevel, int labelColor,
            int inkColor, int labelId, int tubeRibbonLevel, int tubeRibbon, int tube,
            int tubeRibbonInkColor, int labelType) {
        this.statusByte = statusByte;
        this.errorCode = errorCode;
        this.batteryLevel = batteryLevel;
        this.batteryMaxLevel = batteryMaxLevel;
        this.batteryCharging = batteryCharging;
        this.batteryValid = batteryValid;
        this.batteryHealthLevel = batteryHealthLevel;
        this.labelColor = labelColor;
        this.inkColor = inkColor;
        this.labelId = labelId;
        this.tubeRibbonLevel = tubeRibbonLevel;
        this.tubeRibbon = tubeRibbon;
        this.tube = tube;
        this.tubeRibbonInkColor = tubeRibbonInkColor;
        this.labelType = labelType;
    }
}
