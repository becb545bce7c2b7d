#pragma once

#include <atomic>
#include <cstdint>

#include "catalogue/battery_mode.h"

// The process-wide last status. Every item is a static: it survives from one host call to
// the next and the host bridge reads it after every operation. An instance is empty and
// only passed by reference.
class PrinterStatus {
  public:
    // One battery reading; -1 in a field means "not available".
    class BatteryNormalized {
      public:
        // The blank reading: all five fields -1.
        BatteryNormalized() = default;
        // Decodes a type byte and a value byte with the decoder of mode (PS_BATTERY_NONE:
        // BatteryNon); any other mode gives the blank reading.
        BatteryNormalized(PSBatteryMode mode, unsigned char type, unsigned char value);

        // Decoders; each fills the object it is called on.
        void BatteryNon();
        void BatteryFromStatus(unsigned char value);
        void BatteryFromFCCommand(unsigned char type, unsigned char value);
        void BatteryFromGY160Command(unsigned char value);
        void BatteryFromGY310Command(unsigned char value);
        void BatteryFromGY180Command(unsigned char value);

        bool operator==(const BatteryNormalized& other) const {
            return level == other.level && maxLevel == other.maxLevel &&
                   charging == other.charging && valid == other.valid &&
                   healthLevel == other.healthLevel;
        }
        bool operator!=(const BatteryNormalized& other) const { return !(*this == other); }

        int level = -1;
        int maxLevel = -1;
        int charging = -1;
        int valid = -1;
        int healthLevel = -1;

      private:
        void set(int newLevel, int newMaxLevel, int newCharging, int newValid, int newHealthLevel);
    };

    static constexpr int kStatusLength = 32;

    // The cleared last status that every operation built for a port starts from: error code
    // 1, status bytes 0, a blank battery reading, no media or tube values (255, FFFF).
    // process_status_ and mode9_ keep their values.
    static void clear();

    // Result of the operation that ran last; 1 means no error. Atomic because the cancel
    // call stores 37 from another host thread.
    static std::atomic<int> error_code_;
    // Printer process state derived from the last status reading.
    static int process_status_;
    // The last 32-byte status reply, as received.
    static unsigned char status_byte_[kStatusLength];
    static BatteryNormalized battery_normalized_;
    static uint8_t label_color_;
    static uint8_t ink_color_;
    static uint16_t label_id_;
    static uint16_t label_type_;
    static uint8_t mode9_;
    static uint8_t tube_;
    static uint8_t tube_ribbon_;
    static uint8_t tube_ribbon_level_;
    static uint8_t tube_ribbon_ink_color_;
};
