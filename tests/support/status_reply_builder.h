#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/printer_spec.h"
#include "support/model_spec.h"  // specOf, which the users of this header take from it

// A 32-byte status reply set field by field. It starts as a clean status reply of the
// given model: head mark 80, size 20, fixed 42, the model's series and model codes, zeros
// elsewhere (status type 0, no error, no media).
class StatusReplyBuilder {
  public:
    StatusReplyBuilder();  // 80 20 42, codes 0
    explicit StatusReplyBuilder(const PrinterSpec& spec);
    explicit StatusReplyBuilder(Model model);

    StatusReplyBuilder& headMark(uint8_t v) { return set(0, v); }
    StatusReplyBuilder& size(uint8_t v) { return set(1, v); }
    StatusReplyBuilder& fixed(uint8_t v) { return set(2, v); }
    StatusReplyBuilder& seriesCode(uint8_t v) { return set(3, v); }
    StatusReplyBuilder& modelCode(uint8_t v) { return set(4, v); }
    StatusReplyBuilder& battery(uint8_t v) { return set(6, v); }
    StatusReplyBuilder& extendedError(uint8_t v) { return set(7, v); }
    StatusReplyBuilder& errorInfo1(uint8_t v) { return set(8, v); }
    StatusReplyBuilder& errorInfo2(uint8_t v) { return set(9, v); }
    StatusReplyBuilder& mediaWidth(uint8_t v) { return set(10, v); }
    StatusReplyBuilder& mediaType(uint8_t v) { return set(11, v); }
    StatusReplyBuilder& mode(uint8_t v) { return set(15, v); }
    StatusReplyBuilder& mediaLength(uint8_t v) { return set(17, v); }
    StatusReplyBuilder& statusType(uint8_t v) { return set(18, v); }
    StatusReplyBuilder& phaseType(uint8_t v) { return set(19, v); }
    // Bytes 20 and 21, high byte first.
    StatusReplyBuilder& phaseNumber(uint16_t v) {
        set(20, static_cast<uint8_t>(v >> 8));
        return set(21, static_cast<uint8_t>(v & 0xFF));
    }
    StatusReplyBuilder& notification(uint8_t v) { return set(22, v); }
    StatusReplyBuilder& labelColor(uint8_t v) { return set(24, v); }
    StatusReplyBuilder& inkColor(uint8_t v) { return set(25, v); }
    StatusReplyBuilder& tubeRibbonInkColor(uint8_t v) { return set(26, v); }
    StatusReplyBuilder& tube(uint8_t v) { return set(27, v); }
    StatusReplyBuilder& tubeRibbon(uint8_t v) { return set(28, v); }
    StatusReplyBuilder& tubeRibbonLevel(uint8_t v) { return set(29, v); }
    // Media width, type and length at once.
    StatusReplyBuilder& media(uint8_t width, uint8_t type, uint8_t length) {
        mediaWidth(width);
        mediaType(type);
        return mediaLength(length);
    }
    // Any byte.
    StatusReplyBuilder& set(int offset, uint8_t v) {
        bytes_.at(static_cast<size_t>(offset)) = v;
        return *this;
    }

    std::vector<unsigned char> bytes() const { return {bytes_.begin(), bytes_.end()}; }
    operator std::vector<unsigned char>() const { return bytes(); }

  private:
    std::array<unsigned char, 32> bytes_{};
};
