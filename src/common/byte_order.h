#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Operands of two and four bytes in printer commands, replies and files. The readers take a
// pointer to at least as many bytes as their width: the caller checks the bounds first. The
// appenders add the bytes at the end of a buffer the caller owns and never clear it.
namespace lumeko {

// Little-endian: least significant byte first.

// REQUIRES: p points to 2 readable bytes.
inline std::uint16_t readLe16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (static_cast<unsigned int>(p[1]) << 8));
}
// REQUIRES: p points to 4 readable bytes.
inline std::uint32_t readLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
// The low 16 bits of value. REQUIRES: out holds 2 bytes.
inline void writeLe16(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>(value & 0xFFu);
    out[1] = static_cast<unsigned char>((value >> 8) & 0xFFu);
}
// REQUIRES: out holds 4 bytes.
inline void writeLe32(unsigned char* out, std::uint32_t value) {
    writeLe16(out, value);
    writeLe16(out + 2, value >> 16);
}
// Appends the low 16 bits of value: the buffer grows by 2 bytes, which are then written.
inline void appendLe16(std::vector<unsigned char>& out, std::uint32_t value) {
    const std::size_t at = out.size();
    out.resize(at + 2);
    writeLe16(out.data() + at, value);
}
inline void appendLe32(std::vector<unsigned char>& out, std::uint32_t value) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    writeLe32(out.data() + at, value);
}

// Big-endian: most significant byte first.

// REQUIRES: p points to 2 readable bytes.
inline std::uint16_t readBe16(const unsigned char* p) {
    return static_cast<std::uint16_t>((static_cast<unsigned int>(p[0]) << 8) | p[1]);
}
// REQUIRES: p points to 4 readable bytes.
inline std::uint32_t readBe32(const unsigned char* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}
// The low 16 bits of value. REQUIRES: out holds 2 bytes.
inline void writeBe16(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>((value >> 8) & 0xFFu);
    out[1] = static_cast<unsigned char>(value & 0xFFu);
}

}  // namespace lumeko
