#include "connection/util.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <new>
#include <system_error>

namespace tpes {

namespace {

// White space as the classic locale knows it; the parsers must not follow the global locale.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a digit in the given base (10 or 16), or -1.
int digitValue(char c, int base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (base == 16) {
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
    }
    return -1;
}

unsigned char upperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// The position after the leading blanks and an optional sign; `negative` tells the sign.
std::size_t skipBlanksAndSign(const std::string& text, bool& negative) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Blanks, an optional sign, (for base 16) an optional 0x/0X, then digits up to the first
// character that cannot continue the number. Saturates to the int range.
int scanInteger(const std::string& text, int base) {
    const std::size_t n = text.size();
    bool negative = false;
    std::size_t i = skipBlanksAndSign(text, negative);
    if (base == 16 && i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    }
    const std::uint64_t limit = negative ? std::uint64_t{2147483648u} : std::uint64_t{2147483647u};
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < n; ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0) {
            break;
        }
        if (!overflow) {
            magnitude =
                magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
            overflow = magnitude > limit;
        }
    }
    if (overflow) {
        return negative ? INT_MIN : INT_MAX;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<int>(value);
}

}  // namespace

void Util::replaceStr(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) {
        return;
    }
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

bool Util::findStr(const std::string& text, const std::string& part) {
    std::string upperText(text);
    std::string upperPart(part);
    for (char& c : upperText) {
        c = static_cast<char>(upperAscii(static_cast<unsigned char>(c)));
    }
    for (char& c : upperPart) {
        c = static_cast<char>(upperAscii(static_cast<unsigned char>(c)));
    }
    return upperText.find(upperPart) != std::string::npos;
}

bool Util::readFile(std::string path, unsigned char*& data, int& size) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char* buffer = nullptr;
    long long length = -1;
    bool ok = false;
    struct stat info {};
    if (fstat(fileno(file), &info) == 0 && !S_ISDIR(info.st_mode) &&
        fseeko(file, 0, SEEK_END) == 0) {
        length = static_cast<long long>(ftello(file));
    }
    if (length == 0) {
        ok = true;
    } else if (length > 0 && length <= INT_MAX && fseeko(file, 0, SEEK_SET) == 0) {
        const auto count = static_cast<std::size_t>(length);
        buffer = new (std::nothrow) unsigned char[count]();
        ok = buffer != nullptr && std::fread(buffer, 1, count, file) == count;
    }
    std::fclose(file);
    if (!ok) {
        delete[] buffer;
        return false;
    }
    size = static_cast<int>(length);
    if (buffer != nullptr) {
        data = buffer;
    }
    return true;
}

bool Util::writeFile(std::string path, const unsigned char* data, int length, bool overwrite) {
    if (data == nullptr && length > 0) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), overwrite ? "wb" : "ab");
    if (file == nullptr) {
        return false;
    }
    bool ok = true;
    if (length > 0) {
        const auto count = static_cast<std::size_t>(length);
        ok = std::fwrite(data, 1, count, file) == count;
    }
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

bool Util::writeLog(std::string /*message*/) {
    return true;
}

bool Util::writeLog(const unsigned char* /*data*/, int /*length*/) {
    return true;
}

int Util::toInt(std::string text) {
    return scanInteger(text, 10);
}

int Util::toInt(std::string text, bool& ok) {
    const int value = toInt(text);
    ok = toStr(value) == text;
    return value;
}

double Util::toDouble(std::string text) {
    // Collect the characters that stream extraction would take: sign, digits with at most
    // one decimal point, then after a digit an optional exponent with sign and digits.
    const std::size_t n = text.size();
    bool negative = false;
    std::size_t i = skipBlanksAndSign(text, negative);
    std::string number;  // without the sign: std::from_chars takes no '+'
    number.reserve(n - i);
    bool seenPoint = false;
    bool seenExponent = false;
    int mantissaDigits = 0;
    int exponentDigits = 0;
    // Decimal order of magnitude of the first non-zero digit, to tell overflow from
    // underflow when the value is out of range.
    long long leadingPosition = 0;
    bool seenNonZero = false;
    bool exponentNegative = false;
    long long exponent = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDecimalDigit(c)) {
            number += c;
            if (seenExponent) {
                ++exponentDigits;
                if (exponent < 1000000) {
                    exponent = exponent * 10 + (c - '0');
                }
            } else {
                ++mantissaDigits;
                if (!seenNonZero && c != '0') {
                    seenNonZero = true;
                }
                if (seenNonZero && !seenPoint) {
                    ++leadingPosition;
                } else if (!seenNonZero && seenPoint) {
                    --leadingPosition;
                }
            }
        } else if (c == '.' && !seenPoint && !seenExponent) {
            number += c;
            seenPoint = true;
        } else if ((c == 'e' || c == 'E') && !seenExponent && mantissaDigits > 0) {
            number += 'e';
            seenExponent = true;
            if (i + 1 < n && (text[i + 1] == '+' || text[i + 1] == '-')) {
                ++i;
                exponentNegative = text[i] == '-';
                number += text[i];
            }
        } else {
            break;
        }
    }
    if (mantissaDigits == 0 || (seenExponent && exponentDigits == 0)) {
        return 0.0;
    }
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const long long magnitude = leadingPosition + (exponentNegative ? -exponent : exponent);
        value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return 0.0;
    }
    return negative ? -value : value;
}

int Util::toIntFromHex(std::string text) {
    return scanInteger(text, 16);
}

int Util::toIntFromHex(std::string text, bool& ok) {
    const int value = toIntFromHex(text);
    std::string reference = toHex(toStr(value));
    if (reference.size() < text.size()) {
        reference.insert(0, text.size() - reference.size(), '0');
    }
    ok = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lowerAscii(text[i]) != reference[i]) {
            ok = false;
            break;
        }
    }
    return value;
}

std::string Util::toStr(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Util::toHex(std::string text) {
    const auto value = static_cast<std::uint32_t>(toInt(text));
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    return std::string(buffer, result.ptr);
}

int Util::writeData(const std::vector<unsigned char>& data, unsigned char* dest) {
    if (data.empty() || dest == nullptr || data.size() > static_cast<std::size_t>(INT_MAX)) {
        return 0;
    }
    std::copy(data.begin(), data.end(), dest);
    return static_cast<int>(data.size());
}

int Util::writeData(const unsigned char* src, int length, unsigned char* dest) {
    if (length <= 0 || src == nullptr || dest == nullptr) {
        return 0;
    }
    for (int i = 0; i < length; ++i) {
        dest[i] = src[i];
    }
    return length;
}

void Util::setLeftMargin(const unsigned char* src, unsigned char* dest, int n, int leftMargin,
                         int byteOffset, int m) {
    if (n <= 0 || m <= 0 || leftMargin < 0 || byteOffset < 0 || src == nullptr || dest == nullptr) {
        return;
    }
    const long long start = static_cast<long long>(byteOffset) + leftMargin / 8;
    const int shift = leftMargin % 8;
    if (start >= m) {
        return;
    }
    const auto first = static_cast<int>(start);
    const int room = m - first;
    if (shift == 0) {
        const int count = std::min(room, n);
        for (int i = 0; i < count; ++i) {
            dest[first + i] = src[i];
        }
        return;
    }
    for (int i = 0; i < n && i < room; ++i) {
        unsigned int byte = static_cast<unsigned int>(src[i]) >> shift;
        if (i > 0) {
            byte |= static_cast<unsigned int>(src[i - 1]) << (8 - shift);
        }
        dest[first + i] = static_cast<unsigned char>(byte & 0xFFu);
    }
    if (n < room) {
        // Every source byte was placed: the last one's low bits spill into one more byte.
        dest[first + n] = static_cast<unsigned char>((src[n - 1] << (8 - shift)) & 0xFF);
    }
}

std::vector<std::string> Util::split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find(separator, pos);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(pos));
            break;
        }
        pieces.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return pieces;
}

void Util::erase(std::string& text, char c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
}

bool Util::checkAscii(const char* data, int length) {
    if (length <= 0) {
        return true;
    }
    if (data == nullptr) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if ((static_cast<unsigned char>(data[i]) & 0x80u) != 0) {
            return false;
        }
    }
    return true;
}

int Util::clampLower(int value, int bound) {
    return value < bound ? bound : value;
}

}  // namespace tpes
