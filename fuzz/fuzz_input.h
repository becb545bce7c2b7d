#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The fuzzer's bytes, read front to back through a bounded reader. A read past the end
// gives zeros, so every target runs to its end on any input. SeedWriter writes the same
// layout, so seeds can be built field by field from known-good values.
namespace lumeko_fuzz {

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ >= size_; }
    size_t remaining() const { return size_ - position_; }

    uint8_t u8() { return position_ < size_ ? data_[position_++] : 0; }
    // Little-endian.
    uint16_t u16() {
        const unsigned lo = u8();
        return static_cast<uint16_t>(lo | (static_cast<unsigned>(u8()) << 8));
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (static_cast<uint32_t>(u16()) << 16);
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    bool flag() { return (u8() & 1) != 0; }
    // One of n choices (n > 0).
    int pick(int n) { return static_cast<int>(u8() % static_cast<unsigned>(n)); }

    // Up to n bytes (fewer at the end of the input).
    std::vector<unsigned char> bytes(size_t n) {
        const size_t take = n < remaining() ? n : remaining();
        std::vector<unsigned char> out(data_ + position_, data_ + position_ + take);
        position_ += take;
        return out;
    }
    // A length byte, then that many bytes.
    std::vector<unsigned char> shortBytes() { return bytes(u8()); }
    // A 16-bit length, then that many bytes.
    std::vector<unsigned char> longBytes() { return bytes(u16()); }
    std::string shortText() {
        const std::vector<unsigned char> b = shortBytes();
        return std::string(b.begin(), b.end());
    }
    std::string longText() {
        const std::vector<unsigned char> b = longBytes();
        return std::string(b.begin(), b.end());
    }
    // Everything that is left.
    std::vector<unsigned char> rest() { return bytes(remaining()); }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// Writes what FuzzInput reads.
class SeedWriter {
  public:
    SeedWriter& u8(unsigned v) {
        out_.push_back(static_cast<unsigned char>(v));
        return *this;
    }
    SeedWriter& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    SeedWriter& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    SeedWriter& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    SeedWriter& bytes(const std::vector<unsigned char>& b) {
        out_.insert(out_.end(), b.begin(), b.end());
        return *this;
    }
    SeedWriter& shortBytes(const std::vector<unsigned char>& b) {
        u8(static_cast<unsigned>(b.size() > 255 ? 255 : b.size()));
        out_.insert(out_.end(), b.begin(),
                    b.begin() + static_cast<long>(b.size() > 255 ? 255 : b.size()));
        return *this;
    }
    SeedWriter& longBytes(const std::vector<unsigned char>& b) {
        const size_t n = b.size() > 0xFFFF ? 0xFFFF : b.size();
        u16(static_cast<unsigned>(n));
        out_.insert(out_.end(), b.begin(), b.begin() + static_cast<long>(n));
        return *this;
    }
    SeedWriter& shortText(const std::string& s) {
        return shortBytes(std::vector<unsigned char>(s.begin(), s.end()));
    }
    SeedWriter& longText(const std::string& s) {
        return longBytes(std::vector<unsigned char>(s.begin(), s.end()));
    }

    const std::vector<unsigned char>& data() const { return out_; }

  private:
    std::vector<unsigned char> out_;
};

}  // namespace lumeko_fuzz
