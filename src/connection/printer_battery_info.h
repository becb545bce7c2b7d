#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The battery information of the device query, handed to the host bridge.
// healthStatus: 0 excellent, 1 good, 2 replace soon, 3 replace battery; 7 (the default)
// and any other value mean "not installed".
class PrinterBatteryInfo {
  public:
    static constexpr size_t kReplyLength = 16;

    PrinterBatteryInfo() = default;
    // Takes a battery reply: exactly 16 bytes whose byte 0 is 16; firstValue is byte 2,
    // secondValue byte 1, healthStatus byte 3. Anything else gives the defaults.
    explicit PrinterBatteryInfo(const std::vector<int8_t>& reply) {
        if (reply.size() == kReplyLength && reply[0] == 16) {
            firstValue = reply[2];
            secondValue = reply[1];
            healthStatus = reply[3];
        }
    }

    int8_t firstValue = -1;
    int8_t secondValue = -1;
    int8_t healthStatus = 7;
};
