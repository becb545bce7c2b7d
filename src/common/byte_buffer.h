#pragma once

#include <vector>

// Byte buffers that command streams and files are assembled in.
namespace lumeko {

// Appends every byte of b to a, reserving room for both first.
inline std::vector<unsigned char>& appendBytes(std::vector<unsigned char>& a,
                                               const std::vector<unsigned char>& b) {
    a.reserve(a.size() + b.size());
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The same as appendBytes; found by `using lumeko::operator+=`.
inline std::vector<unsigned char>& operator+=(std::vector<unsigned char>& a,
                                              const std::vector<unsigned char>& b) {
    return appendBytes(a, b);
}

}  // namespace lumeko
