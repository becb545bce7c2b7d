#pragma once

// How a model's battery level is obtained (PrinterSpec::batteryMode).
enum PSBatteryMode : int {
    PS_BATTERY_NONE = 0,
    PS_BATTERY_FC_COMMAND = 1,
    PS_BATTERY_GY160_COMMAND = 2,
    PS_BATTERY_GY310_COMMAND = 4,
    PS_BATTERY_STATUS = 8,
    PS_BATTERY_GY180_COMMAND = 16,
};
