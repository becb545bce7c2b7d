// The number and text parsers of the common utilities, the left-margin shift and the file
// round trip on arbitrary bytes and arguments.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"

using lumeko_fuzz::FuzzInput;
using tpes::Util;

namespace {

unsigned char upper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

void numbers(const std::string& text) {
    bool ok = false;
    const int value = Util::toInt(text, ok);
    FUZZ_CHECK(value == Util::toInt(text));
    if (ok) {
        FUZZ_CHECK(Util::toStr(value) == text);
    }
    const int hex = Util::toIntFromHex(text, ok);
    FUZZ_CHECK(hex == Util::toIntFromHex(text));
    if (ok) {
        FUZZ_CHECK(text.size() <= 8 || text.find_first_not_of('0') >= text.size() - 8);
    }
    const double d = Util::toDouble(text);
    FUZZ_CHECK(!std::isnan(d));
    const std::string h = Util::toHex(text);
    FUZZ_CHECK(!h.empty() && h.size() <= 8);
    if (value >= 0) {
        FUZZ_CHECK(Util::toIntFromHex(h) == value);
    }
}

void texts(FuzzInput& in) {
    const std::string text = in.shortText();
    const std::string part = in.shortText();
    const char c = static_cast<char>(in.u8());

    // split: joining the pieces gives the text back (a final separator gives no piece).
    const std::vector<std::string> pieces = Util::split(text, c);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        joined += (i ? std::string(1, c) : std::string()) + pieces[i];
    }
    if (!text.empty() && text.back() == c) {
        joined += c;
    }
    FUZZ_CHECK(joined == text);

    std::string erased = text;
    Util::erase(erased, c);
    FUZZ_CHECK(erased.find(c) == std::string::npos);
    FUZZ_CHECK(erased.size() ==
               text.size() - static_cast<size_t>(std::count(text.begin(), text.end(), c)));

    std::string upperText(text), upperPart(part);
    for (char& x : upperText)
        x = static_cast<char>(upper(static_cast<unsigned char>(x)));
    for (char& x : upperPart)
        x = static_cast<char>(upper(static_cast<unsigned char>(x)));
    FUZZ_CHECK(Util::findStr(text, part) == (upperText.find(upperPart) != std::string::npos));

    std::string replaced = text;
    const std::string to = in.shortText();
    Util::replaceStr(replaced, part, to);
    if (!part.empty() && to.find(part) == std::string::npos && part.size() == 1) {
        FUZZ_CHECK(replaced.find(part) == std::string::npos);
    }

    const bool ascii = std::all_of(text.begin(), text.end(), [](char x) {
        return (static_cast<unsigned char>(x) & 0x80) == 0;
    });
    FUZZ_CHECK(Util::checkAscii(text.data(), static_cast<int>(text.size())) == ascii);
    FUZZ_CHECK(Util::checkAscii(text.data(), -static_cast<int>(in.u8())));
}

// The shifted row compared with a dot-by-dot placement; bytes outside the written range
// keep their marker value.
void leftMargin(FuzzInput& in) {
    const int n = in.u8() % 40;
    const int m = in.u8() % 48;
    int leftMargin = in.u16() % 512;
    int byteOffset = in.u8() % 64;
    const int sign = in.u8();
    if (sign == 0xFF) {
        leftMargin = -leftMargin - 1;
    }
    if (sign == 0xFE) {
        byteOffset = -byteOffset - 1;
    }
    std::vector<unsigned char> src = in.bytes(static_cast<size_t>(n));
    src.resize(static_cast<size_t>(n));
    const unsigned char marker = 0xA5;
    std::vector<unsigned char> dest(static_cast<size_t>(m), marker);
    // Exact heap buffers (possibly empty): AddressSanitizer catches any byte beyond them.
    unsigned char* s = n ? new unsigned char[static_cast<size_t>(n)] : nullptr;
    unsigned char* d = m ? new unsigned char[static_cast<size_t>(m)] : nullptr;
    std::copy(src.begin(), src.end(), s);
    std::copy(dest.begin(), dest.end(), d);
    Util::setLeftMargin(s, d, n, leftMargin, byteOffset, m);

    std::vector<unsigned char> expected = dest;
    if (n > 0 && m > 0 && leftMargin >= 0 && byteOffset >= 0) {
        const long long start = static_cast<long long>(byteOffset) + leftMargin / 8;
        const int shift = leftMargin % 8;
        const long long written = std::min<long long>(n + (shift ? 1 : 0), m - start);
        for (long long k = 0; k < written; ++k) {
            unsigned int byte = 0;
            for (int b = 0; b < 8; ++b) {
                const long long dot = 8 * k + b - shift;
                if (dot >= 0 && dot < 8LL * n &&
                    (src[static_cast<size_t>(dot / 8)] & (0x80 >> (dot % 8))) != 0) {
                    byte |= 0x80u >> b;
                }
            }
            expected[static_cast<size_t>(start + k)] = static_cast<unsigned char>(byte);
        }
    }
    FUZZ_CHECK(std::equal(expected.begin(), expected.end(), d));
    delete[] s;
    delete[] d;
}

void files(FuzzInput& in) {
    static const std::string path = "/tmp/lumeko_util_fuzz_" + std::to_string(getpid());
    const std::vector<unsigned char> first = in.longBytes();
    const std::vector<unsigned char> second = in.shortBytes();
    FUZZ_CHECK(Util::writeFile(path, first.data(), static_cast<int>(first.size()), true));
    FUZZ_CHECK(Util::writeFile(path, second.data(), -static_cast<int>(second.size()), false));
    FUZZ_CHECK(Util::writeFile(path, second.data(), static_cast<int>(second.size()), false));
    unsigned char* data = nullptr;
    int size = -1;
    FUZZ_CHECK(Util::readFile(path, data, size));
    std::vector<unsigned char> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    FUZZ_CHECK(size == static_cast<int>(expected.size()));
    FUZZ_CHECK(expected.empty() ? data == nullptr
                                : std::equal(expected.begin(), expected.end(), data));
    delete[] data;
    unlink(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    switch (in.pick(4)) {
        case 0: {
            const std::vector<unsigned char> rest = in.rest();
            numbers(std::string(rest.begin(), rest.end()));
            break;
        }
        case 1:
            texts(in);
            break;
        case 2:
            leftMargin(in);
            break;
        default:
            files(in);
            break;
    }
    return 0;
}
