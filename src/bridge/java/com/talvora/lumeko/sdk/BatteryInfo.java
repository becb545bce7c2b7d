package com.talvora.lumeko.sdk;

/** The printer's battery reading. */
public class BatteryInfo {
    /** Battery health as the printer reports it. */
    public enum HealthStatus { Excellent, Good, ReplaceSoon, ReplaceBattery, NotInstalled }

    public final int firstValue;
    public final int secondValue;
    public final HealthStatus healthStatus;

    public BatteryInfo(int firstValue, int secondValue, HealthStatus healthStatus) {
        this.firstValue = firstValue;
        this.secondValue = secondValue;
        this.healthStatus = healthStatus;
    }
}
