#pragma once

#include <climits>
#include <string>

// Checks of the texts a host passes for configuration items.
namespace settings {

// True when text may stand inside a quoted PJL value as it is (the raw writers: user id,
// password, node name): no '"', no byte below 0x20 and no 0x7F. Any of these could end the
// value, the line or the PJL job early and let the rest of the text run as commands. Bytes
// of 0x80 and above (UTF-8 names) are allowed.
inline bool pjlSafe(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

// True when the hexadecimal writers (network name, passphrase, WEP text key) can carry
// text whole: every byte goes into the line as two hexadecimal digits, so quotes and control
// bytes are fine, but the hexadecimal pass ends the text at a zero byte and would cut it
// silently.
inline bool hexWritable(const std::string& text) {
    return text.find('\0') == std::string::npos;
}

// The number of a text that is wholly a decimal number: blanks around it, an optional sign,
// then digits only, within the range of int. False for anything else (an empty text, "5x",
// "-", "abc").
inline bool wholeNumber(const std::string& text, int& number) {
    size_t begin = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) {
        return false;
    }
    const bool negative = text[begin] == '-';
    if (text[begin] == '-' || text[begin] == '+') {
        ++begin;
    }
    if (begin > end) {
        return false;
    }
    long long value = 0;
    for (size_t i = begin; i <= end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
    }
    value = negative ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

}  // namespace settings
