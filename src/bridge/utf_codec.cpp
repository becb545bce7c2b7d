#include "bridge/utf_codec.h"

#include <cstdint>

namespace bridge {
namespace {

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one code point at bytes[pos]; advances pos. False for an invalid sequence.
bool decodeOne(const std::string& bytes, std::size_t& pos, char32_t& out) {
    const std::size_t size = bytes.size();
    const auto byteAt = [&bytes](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byteAt(pos);
    std::size_t extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (extra > size - pos - 1) {
        return false;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const std::uint8_t next = byteAt(pos + i);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || isHighSurrogate(value) || isLowSurrogate(value)) {
        return false;
    }
    out = value;
    pos += extra + 1;
    return true;
}

}  // namespace

std::string utf8FromUtf16(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const char32_t low = text[i + 1];
            appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

bool isValidUtf8(const std::string& bytes) {
    std::size_t pos = 0;
    char32_t c = 0;
    while (pos < bytes.size()) {
        if (!decodeOne(bytes, pos, c)) {
            return false;
        }
    }
    return true;
}

std::u16string utf16FromUtf8(const std::string& bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    char32_t c = 0;
    while (pos < bytes.size()) {
        if (!decodeOne(bytes, pos, c)) {
            // Not UTF-8: one char per byte, for the whole text.
            out.clear();
            for (const char b : bytes) {
                out.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(b)));
            }
            return out;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

}  // namespace bridge
