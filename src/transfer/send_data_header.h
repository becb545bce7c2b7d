#pragma once

#include <cstdint>
#include <string>

// What the header scan of a file or of a package record found: where the record's payload
// starts, the firmware version text and the data kind.
struct SendDataHeader {
    // No header was found.
    static constexpr uint16_t kNoHeader = 0xFFFF;

    // Offset, within the scanned bytes, of the first payload byte of a package record:
    // marker position + header length + 4 (the size field); 0 when no header was found.
    // Kept at full width: a record behind a long preamble has its payload past byte 255.
    uint32_t payloadOffset = 0;
    // Firmware version of the header, dots (and for 128-byte headers the letter V)
    // removed; empty when there is none.
    std::string version;
    uint16_t dataKind = kNoHeader;
};

// A send-data header starts with this marker, followed by its length: 40 (64 bytes) or 80 (128
// bytes).
namespace SendDataHeaderLayout {
constexpr unsigned char kMarker = 0x90;
constexpr unsigned char kLength64 = 0x40;
constexpr unsigned char kLength128 = 0x80;
constexpr bool isLength(unsigned char b) {
    return b == kLength64 || b == kLength128;
}
}  // namespace SendDataHeaderLayout

// Data kinds of a send-data header (bytes 6..7).
namespace DataKind {
constexpr uint16_t kTemplate = 0x0100;
constexpr uint16_t kDatabase = 0x0200;
constexpr uint16_t kFirmware = 0x0600;
constexpr uint16_t kFirmwareRefused1 = 0x0601;
constexpr uint16_t kFirmware10 = 0x0610;
constexpr uint16_t kFirmwareRefused2 = 0x0611;
constexpr uint16_t kFirmware12 = 0x0612;
// A package record that printers without bidirectional template sending take without its
// header.
constexpr uint16_t kHeaderlessRecord = 0x0B00;
}  // namespace DataKind
