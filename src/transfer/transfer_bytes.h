#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Little-endian operands of the transfer commands, file headers and transfer status. Every
// reader takes a pointer to at least as many bytes as its width; callers check the bounds.
namespace tf {
namespace transfer_bytes {

inline uint16_t readLe16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t readLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// REQUIRES: out holds 4 bytes.
inline void writeLe32(unsigned char* out, uint32_t value) {
    out[0] = static_cast<unsigned char>(value & 0xFF);
    out[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
    out[2] = static_cast<unsigned char>((value >> 16) & 0xFF);
    out[3] = static_cast<unsigned char>((value >> 24) & 0xFF);
}

inline void appendBytes(std::vector<unsigned char>& out, const unsigned char* bytes, size_t n) {
    out.insert(out.end(), bytes, bytes + n);
}

}  // namespace transfer_bytes
}  // namespace tf
