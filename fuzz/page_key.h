#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The key with which an input of the page target allows large pages: its first four bytes
// (little-endian) times kPageKeyFactor equal the FNV-1a digest of the rest. The key is not
// the digest itself, so a fuzzer that sees the comparison cannot copy the wanted value into
// the input; a mutation of the rest almost always breaks it.
namespace lumeko_fuzz {

constexpr uint32_t kPageKeyFactor = 0x9E3779B1u;

inline uint32_t fnv1a(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        h = (h ^ data[i]) * 16777619u;
    }
    return h;
}

inline bool allowsLargePages(const uint8_t* data, size_t size) {
    if (size < 4) {
        return false;
    }
    const uint32_t key =
        data[0] | (uint32_t{data[1]} << 8) | (uint32_t{data[2]} << 16) | (uint32_t{data[3]} << 24);
    return key * kPageKeyFactor == fnv1a(data + 4, size - 4);
}

// The key of the bytes that follow it.
inline uint32_t largePageKey(const std::vector<unsigned char>& rest) {
    uint32_t inverse = kPageKeyFactor;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - kPageKeyFactor * inverse;
    }
    return fnv1a(rest.data(), rest.size()) * inverse;
}

}  // namespace lumeko_fuzz
