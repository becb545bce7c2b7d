#include "settings/setting_value_codec.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "common/byte_order.h"
#include "connection/util.h"
#include "settings/setting_error.h"

using tpes::Util;
namespace error = lumeko::error;

namespace {

// Copies text and its zero into out when both fit in outSize bytes.
bool copyOut(const std::string& text, char* out, int outSize) {
    if (out == nullptr || outSize <= 0 || text.size() >= static_cast<size_t>(outSize)) {
        return false;
    }
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return true;
}

// "%2x" of a byte: two lowercase digits, blank-padded.
std::string hexBlankPadded(unsigned char byte) {
    char piece[4];
    std::snprintf(piece, sizeof piece, "%2x", static_cast<unsigned>(byte));
    return piece;
}

// "%02x" of a byte: two lowercase digits, zero-padded.
std::string hexZeroPadded(unsigned char byte) {
    char piece[4];
    std::snprintf(piece, sizeof piece, "%02x", static_cast<unsigned>(byte));
    return piece;
}

// The bytes of an address text: exactly pieceCount pieces cut at '-', each wholly a number
// of the base (decimal 0..255 written without sign, blank or leading zero, one byte each;
// hexadecimal 0..ffff, empty for 0, two bytes high first). Else error 39 and false.
bool addressBytes(const char* text, size_t pieceCount, int base, unsigned char* out, int* count) {
    if (text == nullptr || out == nullptr || count == nullptr) {
        settings::setError(error::kInvalidParameter);
        return false;
    }
    const std::vector<std::string> pieces = Util::split(text, '-');
    const bool decimal = base == 10;
    const int maxValue = decimal ? 0xFF : 0xFFFF;
    unsigned char bytes[16];
    bool valid = pieces.size() == pieceCount;
    for (size_t i = 0; valid && i < pieces.size(); ++i) {
        bool ok = false;
        const int value = decimal ? Util::toInt(pieces[i], ok) : Util::toIntFromHex(pieces[i], ok);
        valid = ok && value >= 0 && value <= maxValue;
        if (valid && decimal) {
            bytes[i] = static_cast<unsigned char>(value);
        } else if (valid) {
            lumeko::writeBe16(bytes + 2 * i, static_cast<std::uint32_t>(value));
        }
    }
    if (!valid) {
        settings::setError(error::kInvalidParameter);
        return false;
    }
    const int length = decimal ? static_cast<int>(pieceCount) : static_cast<int>(2 * pieceCount);
    std::memcpy(out, bytes, static_cast<size_t>(length));
    *count = length;
    return true;
}

}  // namespace

std::string SettingValueCodec::joinPairs(const std::vector<std::string>& pieces, char separator) {
    std::string out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        out += pieces[i];
        if (i % 2 == 1 && i + 1 != pieces.size()) {
            out += separator;
        }
    }
    return out;
}

bool SettingValueCodec::StringToHexString(const std::string& text, char* out, int outSize,
                                          int maxBytes) {
    const size_t zero = text.find('\0');
    const size_t length = zero == std::string::npos ? text.size() : zero;
    const size_t limit = maxBytes < 0 ? 0 : static_cast<size_t>(maxBytes);
    const size_t count = length < limit ? length : limit;
    if (outSize < 0 || count > static_cast<size_t>(outSize) / 3) {
        return false;
    }
    std::string hex;
    if (count == 1) {
        hex = "0x" + hexBlankPadded(static_cast<unsigned char>(text[0]));
    } else {
        for (size_t i = 0; i < count; ++i) {
            if (i != 0) {
                hex += '-';
            }
            hex += hexBlankPadded(static_cast<unsigned char>(text[i]));
        }
    }
    return copyOut(hex, out, outSize);
}

bool SettingValueCodec::BinaryDataToHexString(const unsigned char* bytes, int count, char* out,
                                              int outSize) {
    if (count < 0 || outSize < 0 || count > outSize / 3 || (count > 0 && bytes == nullptr)) {
        settings::setError(error::kInvalidParameter);
        return false;
    }
    std::string hex;
    for (int i = 0; i < count; ++i) {
        if (i != 0) {
            hex += '-';
        }
        hex += hexZeroPadded(bytes[i]);
    }
    if (!copyOut(hex, out, outSize)) {
        settings::setError(error::kInvalidParameter);
        return false;
    }
    return true;
}

bool SettingValueCodec::StringToWepHexString(const std::string& key, int outSize, char* out) {
    std::string hex;
    for (size_t i = 0; i < key.size(); ++i) {
        hex += key[i];
        if (i % 2 == 1 && i + 1 != key.size()) {
            hex += '-';
        }
    }
    return copyOut(hex, out, outSize);
}

bool SettingValueCodec::HexStringToString(const char* text, std::string& out) {
    if (text == nullptr || std::strlen(text) > static_cast<size_t>(kTextBufferSize)) {
        return false;
    }
    std::string bytes;
    for (const std::string& piece : Util::split(text, '-')) {
        bytes += static_cast<char>(Util::toIntFromHex(piece) & 0xFF);
    }
    const size_t zero = bytes.find('\0');
    out = zero == std::string::npos ? bytes : bytes.substr(0, zero);
    return true;
}

bool SettingValueCodec::HexStringToIPv4Address(const char* text, std::string& out) {
    if (text == nullptr) {
        return false;
    }
    std::string address;
    bool first = true;
    for (const std::string& piece : Util::split(text, '-')) {
        if (!first) {
            address += '.';
        }
        first = false;
        address += Util::toStr(Util::toIntFromHex(piece) & 0xFF);
    }
    out = address;
    return true;
}

bool SettingValueCodec::HexStringToIPv6Address(const char* text, std::string& out) {
    out.clear();
    if (text == nullptr) {
        return false;
    }
    out = joinPairs(Util::split(text, '-'), ':');
    return true;
}

bool SettingValueCodec::HexStringToBinaryDataForIPv4(const char* text, unsigned char* out,
                                                     int* count) {
    return addressBytes(text, 4, 10, out, count);
}

bool SettingValueCodec::HexStringToBinaryDataForIPv6(const char* text, unsigned char* out,
                                                     int* count) {
    return addressBytes(text, 8, 16, out, count);
}

std::vector<unsigned char> SettingValueCodec::convertHexStringToBinaryDataForIPv4(
    const std::string& text) {
    unsigned char bytes[4];
    int count = 0;
    if (!HexStringToBinaryDataForIPv4(text.c_str(), bytes, &count) || count != 4) {
        return {};
    }
    return {bytes, bytes + count};
}

std::vector<unsigned char> SettingValueCodec::convertHexStringToBinaryDataForIPv6(
    const std::string& text) {
    unsigned char bytes[16];
    int count = 0;
    if (!HexStringToBinaryDataForIPv6(text.c_str(), bytes, &count) || count != 16) {
        return {};
    }
    return {bytes, bytes + count};
}

std::vector<unsigned char> SettingValueCodec::convertHexStringToBinaryData(const std::string& text,
                                                                           bool isIPv6) {
    return isIPv6 ? convertHexStringToBinaryDataForIPv6(text)
                  : convertHexStringToBinaryDataForIPv4(text);
}

bool SettingValueCodec::WepHexStringToString(const char* text, std::string& out) {
    if (text == nullptr || std::strlen(text) >= static_cast<size_t>(kWepBufferSize)) {
        return false;
    }
    std::string joined;
    for (const std::string& piece : Util::split(text, '-')) {
        joined += piece;
    }
    out = joined;
    return true;
}

bool SettingValueCodec::IPv6AddressForMIB(std::string& text) {
    const size_t x = text.find('x');
    if (text.size() > 4000 || x == std::string::npos) {
        text.clear();
        return false;
    }
    // The octets after the 'x': sixteen pieces of two hexadecimal digits each.
    const std::vector<std::string> octets = Util::split(text.substr(x + 1), ':');
    bool valid = octets.size() == 16;
    for (size_t i = 0; valid && i < octets.size(); ++i) {
        valid = octets[i].size() == 2 && std::isxdigit(static_cast<unsigned char>(octets[i][0])) &&
                std::isxdigit(static_cast<unsigned char>(octets[i][1]));
    }
    if (!valid) {
        text.clear();
        return false;
    }
    text = joinPairs(octets, ':');
    return true;
}
