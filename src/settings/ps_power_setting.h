#pragma once

#include <cstdint>

// The automatic power-off capability word of a model (PrinterSpec::powerSettings, per
// port). Low nibble: which items exist; high nibble: which command form the printer takes.
enum PSPowerSetting : uint32_t {
    POWER_OFF_AC = 0x01,       // the mains power-off time exists
    POWER_OFF_BATTERY = 0x02,  // the battery power-off time exists
    POWER_OFF_TYPE_HU1 = 0x11,
    POWER_OFF_TYPE_VZ3 = 0x21,
    POWER_OFF_TYPE_HU3400a = 0x31,
    POWER_OFF_TYPE_VZ4600 = 0x41,
};

// True when word has the command form of type (same high nibble) and shares a capability
// bit with it: 0x23 matches POWER_OFF_TYPE_VZ3, 0x01 matches no type.
constexpr bool isPowerOffTimeTypeEqualTo(uint32_t word, PSPowerSetting type) {
    return ((word ^ static_cast<uint32_t>(type)) & 0xF0u) == 0 &&
           (static_cast<uint32_t>(type) & 0x0Fu & word) != 0;
}
