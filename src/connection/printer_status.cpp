#include "connection/printer_status.h"

#include "common/error_code.h"

// Load-time values: everything zero except the battery reading, which starts blank.
std::atomic<int> PrinterStatus::error_code_{0};
int PrinterStatus::process_status_ = 0;
unsigned char PrinterStatus::status_byte_[PrinterStatus::kStatusLength] = {};
PrinterStatus::BatteryNormalized PrinterStatus::battery_normalized_;
uint8_t PrinterStatus::label_color_ = 0;
uint8_t PrinterStatus::ink_color_ = 0;
uint16_t PrinterStatus::label_id_ = 0;
uint16_t PrinterStatus::label_type_ = 0;
uint8_t PrinterStatus::mode9_ = 0;
uint8_t PrinterStatus::tube_ = 0;
uint8_t PrinterStatus::tube_ribbon_ = 0;
uint8_t PrinterStatus::tube_ribbon_level_ = 0;
uint8_t PrinterStatus::tube_ribbon_ink_color_ = 0;

void PrinterStatus::clear() {
    error_code_.store(lumeko::error::kNone, std::memory_order_relaxed);
    for (unsigned char& b : status_byte_) {
        b = 0;
    }
    battery_normalized_ = BatteryNormalized();
    label_color_ = 255;
    ink_color_ = 255;
    label_id_ = 0xFFFF;
    label_type_ = 0xFFFF;
    tube_ = 255;
    tube_ribbon_ = 255;
    tube_ribbon_level_ = 255;
    tube_ribbon_ink_color_ = 255;
}

using Battery = PrinterStatus::BatteryNormalized;

Battery::BatteryNormalized(PSBatteryMode mode, unsigned char type, unsigned char value) {
    switch (mode) {
        case PS_BATTERY_NONE:
            BatteryNon();
            break;
        case PS_BATTERY_FC_COMMAND:
            BatteryFromFCCommand(type, value);
            break;
        case PS_BATTERY_GY160_COMMAND:
            BatteryFromGY160Command(value);
            break;
        case PS_BATTERY_GY310_COMMAND:
            BatteryFromGY310Command(value);
            break;
        case PS_BATTERY_STATUS:
            BatteryFromStatus(value);
            break;
        case PS_BATTERY_GY180_COMMAND:
            BatteryFromGY180Command(value);
            break;
        default:
            break;
    }
}

void Battery::set(int newLevel, int newMaxLevel, int newCharging, int newValid,
                  int newHealthLevel) {
    level = newLevel;
    maxLevel = newMaxLevel;
    charging = newCharging;
    valid = newValid;
    healthLevel = newHealthLevel;
}

void Battery::BatteryNon() {
    set(-1, -1, 1, 0, -1);
}

void Battery::BatteryFromStatus(unsigned char value) {
    const int kind = value >> 5;
    if (kind == 0) {
        if (value == 4) {
            set(-1, -1, 1, -1, 4);
        } else {
            set(3 - value, 3, 0, 1, value);
        }
        return;
    }
    if (kind == 1) {
        const int isCharging = (value >> 4) & 1;
        const int n = value & 0x07;
        int newLevel = -1;
        int newMaxLevel = -1;
        int newValid = 0;
        if (n != 7) {
            newLevel = 4 - n;
            newMaxLevel = 4;
            newValid = 1;
        }
        int health = 1;
        if (isCharging) {
            health = 4;
        } else if (newLevel == newMaxLevel) {
            health = 0;
        } else if (newLevel == 0) {
            health = 3;
        } else if (newLevel < newMaxLevel / 2) {
            health = 2;
        }
        set(newLevel, newMaxLevel, isCharging, newValid, health);
        return;
    }
    set(-1, -1, -1, -1, -1);
}

void Battery::BatteryFromFCCommand(unsigned char type, unsigned char value) {
    switch (type) {
        case 0:
            set(1, 1, -1, 1, 0);
            break;
        case 1:
            if (value >= 151) {
                set(2, 2, -1, 1, 3);
            } else if (value >= 132) {
                set(1, 2, -1, 1, 2);
            } else {
                set(0, 2, -1, 1, 1);
            }
            break;
        case 2:
            if (value >= 116) {
                set(2, 2, -1, 1, 3);
            } else if (value >= 107) {
                set(1, 2, -1, 1, 2);
            } else {
                set(0, 2, -1, 1, 1);
            }
            break;
        default:
            set(-1, -1, -1, -1, -1);
            break;
    }
}

void Battery::BatteryFromGY160Command(unsigned char value) {
    if (value >= 194) {
        set(2, 2, -1, 1, 3);
    } else if (value >= 183) {
        set(1, 2, -1, 1, 2);
    } else {
        set(0, 2, -1, 1, 1);
    }
}

void Battery::BatteryFromGY310Command(unsigned char value) {
    set(value, 100, -1, 1, value);
}

void Battery::BatteryFromGY180Command(unsigned char value) {
    if (value >= 193) {
        set(2, 2, -1, 1, 3);
    } else if (value >= 182) {
        set(1, 2, -1, 1, 2);
    } else {
        set(0, 2, -1, 1, 1);
    }
}
