#include "transfer/kd3_data_calculator.h"

#include <utility>

namespace tl {
namespace database {

namespace {

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr uint64_t kFileTimeOf1970 = 116444736000000000ULL;  // 0x019DB1DED53E8000
constexpr uint64_t kFileTimeUnitsPerSecond = 10000000ULL;
constexpr size_t kNameField = 16;
constexpr size_t kNameBytes = 15;

KD3DataCalculator::TimeSource& timeSource() {
    static KD3DataCalculator::TimeSource source;
    return source;
}

// Length of the UTF-8 character that starts with this byte.
size_t characterLength(unsigned char first) {
    if (first < 0x80) {
        return 1;
    }
    if (first < 0xE0) {
        return 2;
    }
    if (first < 0xF0) {
        return 3;
    }
    return 4;
}

}  // namespace

KD3DataCalculator::TimeSource KD3DataCalculator::setTimeSource(TimeSource source) {
    TimeSource previous = std::move(timeSource());
    timeSource() = std::move(source);
    return previous;
}

void KD3DataCalculator::appendLittleEndian(std::vector<unsigned char>& out, uint64_t value,
                                           int count) {
    for (int i = 0; i < count; ++i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

std::vector<unsigned char> KD3DataCalculator::getUpdateDateData() {
    const std::time_t now = timeSource() ? timeSource()() : std::time(nullptr);
    // Unsigned arithmetic: wraps instead of overflowing for any clock value.
    const uint64_t fileTime =
        static_cast<uint64_t>(static_cast<int64_t>(now)) * kFileTimeUnitsPerSecond +
        kFileTimeOf1970;
    std::vector<unsigned char> bytes;
    appendLittleEndian(bytes, fileTime, 8);
    return bytes;
}

std::vector<unsigned char> KD3DataCalculator::getCheckSum(const std::vector<unsigned char>& bytes) {
    uint32_t sum = 0;
    for (unsigned char b : bytes) {
        sum += b;  // only the low 16 bits are kept; wrapping is harmless
    }
    return convertFrom16bitTo8bit_x2(static_cast<uint16_t>(sum & 0xFFFF));
}

std::vector<unsigned char> KD3DataCalculator::getNativeDataSize(
    const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> size;
    if (bytes.empty() || static_cast<uint64_t>(bytes.size()) > 0xFFFFFFFFULL) {
        return size;
    }
    appendLittleEndian(size, static_cast<uint64_t>(bytes.size()), 4);
    return size;
}

std::vector<unsigned char> KD3DataCalculator::convertFrom16bitTo8bit_x2(uint16_t value) {
    std::vector<unsigned char> bytes;
    appendLittleEndian(bytes, value, 2);
    return bytes;
}

std::vector<unsigned char> KD3DataCalculator::adjustFileName(const std::string& name) {
    std::vector<unsigned char> field;
    if (name.empty()) {
        return field;
    }
    size_t pos = 0;
    while (pos < name.size()) {
        const size_t length = characterLength(static_cast<unsigned char>(name[pos]));
        // A character that would end beyond the field, or an incomplete one at the end of
        // the name, is not copied.
        if (pos + length > kNameBytes || pos + length > name.size()) {
            break;
        }
        pos += length;
    }
    field.assign(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(pos));
    field.resize(kNameField, 0x00);
    return field;
}

}  // namespace database
}  // namespace tl
