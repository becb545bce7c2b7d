#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One template stored in the printer, as its template list delivers it: a send-data header
// of 64 or 128 bytes.
struct TemplateHeader {
    static constexpr size_t kRawLength = 128;
    // The date of no time.
    static const std::array<unsigned char, 8> NULLOfFILETIMEDate;

    unsigned char marker = 0;        // byte 0: 90
    unsigned char headerLength = 0;  // byte 1: 40 or 80
    unsigned char seriesCode = 0;    // byte 2
    unsigned char modelCode = 0;     // byte 3
    uint16_t templateKey = 0;        // bytes 12..13
    uint16_t checksum = 0;           // bytes 14..15
    uint32_t dataSize = 0;           // bytes 16..19: payload bytes behind the header
    // Header bytes 27, 26, ..., 20: the FILETIME with its bytes reversed.
    std::array<unsigned char, 8> modifiedDate{};
    // Bytes 32..47 up to the first zero byte when all 16 are 7-bit ASCII, else empty.
    std::string templateName;
    // The header as the list delivered it (64 or 128 bytes, the rest zero); removal sends it
    // back.
    std::array<unsigned char, kRawLength> rawHeader{};

    // Builds the record from `length` header bytes (64 or 128; at most 128 are kept).
    // REQUIRES: header holds at least 48 bytes and length is at least 48.
    static TemplateHeader fromBytes(const unsigned char* header, size_t length);

    // The date as a 64-bit FILETIME (100-nanosecond intervals since 1601-01-01).
    uint64_t modified_date_filetime() const;
};
