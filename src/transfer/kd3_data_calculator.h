#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace tl {
namespace database {

// The computed fields of a database file. Multi-byte values are written little-endian.
class KD3DataCalculator {
  public:
    // The clock of getUpdateDateData: seconds since 1970-01-01 UTC.
    using TimeSource = std::function<std::time_t()>;

    virtual ~KD3DataCalculator() = default;

    // The current time as a FILETIME (100 ns units since 1601-01-01), 8 bytes.
    std::vector<unsigned char> getUpdateDateData();
    // The low 16 bits of the sum of all bytes, 2 bytes (00 00 for none).
    std::vector<unsigned char> getCheckSum(const std::vector<unsigned char>& bytes);
    // The byte count, 4 bytes; none for empty input and for a count that does not fit 32
    // bits.
    std::vector<unsigned char> getNativeDataSize(const std::vector<unsigned char>& bytes);
    // Low byte, then high byte.
    std::vector<unsigned char> convertFrom16bitTo8bit_x2(uint16_t value);
    // The name cut before the first UTF-8 character that would end beyond the 15th byte (or
    // beyond the name), padded with 00 to 16 bytes; none for an empty name.
    std::vector<unsigned char> adjustFileName(const std::string& name);

    // Installs the clock of getUpdateDateData (an empty function restores the C library's
    // time) and returns the previous one.
    static TimeSource setTimeSource(TimeSource source);

    // Appends value as count bytes, low byte first.
    static void appendLittleEndian(std::vector<unsigned char>& out, uint64_t value, int count);
};

}  // namespace database
}  // namespace tl
