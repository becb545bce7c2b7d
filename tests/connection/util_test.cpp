#include "connection/util.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using tpes::Util;
using Bytes = std::vector<unsigned char>;

// Bit-for-bit equality, so that 0.0 and -0.0 are told apart.
bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// ---------------------------------------------------------------------------------------
// Number parsing and formatting

TEST(UtilParse, ToIntTable) {
    const struct {
        const char* text;
        int value;
        bool exact;  // the checking form's flag
    } cases[] = {
        {"42", 42, true},
        {"  42", 42, false},
        {"\t42", 42, false},
        {"\n-7", -7, false},
        {"+7", 7, false},
        {"042", 42, false},
        {"-0", 0, false},
        {"0", 0, true},
        {"12abc", 12, false},
        {"0x10", 0, false},
        {"abc", 0, false},
        {"", 0, false},
        {"   ", 0, false},
        {"-", 0, false},
        {"+-1", 0, false},
        {"2147483647", 2147483647, true},
        {"2147483648", 2147483647, false},
        {"99999999999999999999999", 2147483647, false},
        {"-2147483648", INT_MIN, true},
        {"-2147483649", INT_MIN, false},
        {"-99999999999999999999999", INT_MIN, false},
        {"1.5", 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Util::toInt(c.text), c.value) << '"' << c.text << '"';
        bool ok = !c.exact;
        EXPECT_EQ(Util::toInt(c.text, ok), c.value) << '"' << c.text << '"';
        EXPECT_EQ(ok, c.exact) << '"' << c.text << '"';
    }
}

TEST(UtilParse, ToIntFromHexTable) {
    const struct {
        const char* text;
        int value;
        bool exact;
    } cases[] = {
        {"1A", 26, true},
        {"1a", 26, true},
        {"0x1a", 26, false},
        {"0x1A", 26, false},
        {"0X1A", 26, false},
        {"-0x1A", -26, false},
        {"-1", -1, false},
        {"00ff", 255, true},
        {"0FF", 255, true},
        {"ff", 255, true},
        {" 1a", 26, false},
        {"\n1a", 26, false},
        {"7fffffff", 2147483647, true},
        {"7FFFFFFF", 2147483647, true},
        {"80000000", 2147483647, false},
        {"FFFFFFFF", 2147483647, false},
        {"-80000000", INT_MIN, false},
        {"-80000001", INT_MIN, false},
        {"123456789abcdef0123", 2147483647, false},
        {"0x", 0, false},
        {"0xg", 0, false},
        {"0x0x5", 0, false},
        {"g", 0, false},
        {"", 0, true},
        {"1g", 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Util::toIntFromHex(c.text), c.value) << '"' << c.text << '"';
        bool ok = !c.exact;
        EXPECT_EQ(Util::toIntFromHex(c.text, ok), c.value) << '"' << c.text << '"';
        EXPECT_EQ(ok, c.exact) << '"' << c.text << '"';
    }
}

TEST(UtilParse, ToDoubleTable) {
    const double max = std::numeric_limits<double>::max();
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"3.5V", 3.5},      {"1.06", 1.06},     {".5", 0.5},
        {"+.5", 0.5},       {"-.5", -0.5},      {"5.", 5.0},
        {"1E-2", 0.01},     {"2e+3", 2000.0},   {"1e5.5", 100000.0},
        {"\t2.25", 2.25},   {"\n-2.25", -2.25}, {"", 0.0},
        {"  ", 0.0},        {".", 0.0},         {"-", 0.0},
        {".e5", 0.0},       {"e5", 0.0},        {"1e", 0.0},
        {"2E+", 0.0},       {"1.5e", 0.0},      {"1e+-5", 0.0},
        {"inf", 0.0},       {"nan", 0.0},       {"0x1p3", 0.0},
        {"1e400", max},     {"-1e400", -max},   {"1e99999999999999999999", max},
        {"1e-400", 0.0},    {"-1e-400", -0.0},  {"0.0000000001e-399", 0.0},
        {"4e-320", 4e-320}, {"-0", -0.0},
    };
    for (const auto& c : cases) {
        const double got = Util::toDouble(c.text);
        EXPECT_TRUE(sameDouble(got, c.value))
            << '"' << c.text << "\" gave " << got << ", expected " << c.value;
    }
}

TEST(UtilFormat, ToStrAndToHex) {
    EXPECT_EQ(Util::toStr(0), "0");
    EXPECT_EQ(Util::toStr(-42), "-42");
    EXPECT_EQ(Util::toStr(INT_MIN), "-2147483648");
    EXPECT_EQ(Util::toStr(INT_MAX), "2147483647");

    const struct {
        const char* text;
        const char* hex;
    } cases[] = {
        {"255", "ff"}, {"-1", "ffffffff"},          {"abc", "0"},        {"", "0"},
        {"0", "0"},    {"-2147483648", "80000000"}, {" 16", "10"},       {"4096x", "1000"},
        {"0x10", "0"}, {"99999999999", "7fffffff"}, {"-26", "ffffffe6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Util::toHex(c.text), c.hex) << '"' << c.text << '"';
    }
}

// ---------------------------------------------------------------------------------------
// The parsers against stream extraction in the classic locale

std::string randomText(std::mt19937& rng, const std::string& alphabet, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> lengthDist(0, maxLength);
    std::uniform_int_distribution<std::size_t> charDist(0, alphabet.size() - 1);
    std::string text(lengthDist(rng), ' ');
    for (char& c : text) {
        c = alphabet[charDist(rng)];
    }
    return text;
}

template <typename T>
T extract(const std::string& text, bool hex) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    if (hex) {
        in >> std::hex;
    }
    T value{};
    in >> value;
    return value;
}

TEST(UtilOracle, ParsersMatchStreamExtraction) {
    const std::string alphabet = " \t\n+-0123456789abcdefxXeE.";
    std::mt19937 rng(20240611u);
    for (int round = 0; round < 40000; ++round) {
        // Long runs of digits reach the saturation limits; short texts cover the syntax.
        const std::string text = round % 4 == 0 ? randomText(rng, " -0123456789abcdef", 24)
                                                : randomText(rng, alphabet, 7);
        ASSERT_EQ(Util::toInt(text), extract<int>(text, false)) << '"' << text << '"';
        ASSERT_EQ(Util::toIntFromHex(text), extract<int>(text, true)) << '"' << text << '"';
        const double expected = extract<double>(text, false);
        const double got = Util::toDouble(text);
        ASSERT_TRUE(sameDouble(got, expected))
            << '"' << text << "\" gave " << got << ", stream " << expected;
    }
}

TEST(UtilOracle, DoubleExponentsMatchStreamExtraction) {
    // Digits with a far exponent: overflow, underflow and subnormal results.
    std::mt19937 rng(77u);
    std::uniform_int_distribution<int> exponentDist(-400, 400);
    const std::string digits = "0123456789";
    for (int round = 0; round < 5000; ++round) {
        std::string text = randomText(rng, digits, 6);
        if (round % 2 == 0) {
            text = "0." + text;
        }
        text += "e" + std::to_string(exponentDist(rng));
        if (round % 3 == 0) {
            text = "-" + text;
        }
        const double expected = extract<double>(text, false);
        ASSERT_TRUE(sameDouble(Util::toDouble(text), expected)) << '"' << text << '"';
    }
}

TEST(UtilOracle, SplitMatchesGetline) {
    std::mt19937 rng(4242u);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = randomText(rng, ",,ab", 8);
        std::vector<std::string> expected;
        std::istringstream in(text);
        for (std::string piece; std::getline(in, piece, ',');) {
            expected.push_back(piece);
        }
        ASSERT_EQ(Util::split(text, ','), expected) << '"' << text << '"';
    }
}

// A numeric punctuation with ',' as decimal point and '.' grouping thousands.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// A character classification that upper-cases the Latin-1 small a grave (E0 to C0).
struct Latin1Upper : std::ctype<char> {
    char do_toupper(char c) const override {
        return c == '\xe0' ? '\xc0' : std::ctype<char>::do_toupper(c);
    }
    const char* do_toupper(char* first, const char* last) const override {
        for (; first != last; ++first) {
            *first = do_toupper(*first);
        }
        return last;
    }
};

TEST(UtilLocale, FindStrChangesOnlyAsciiLetters) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Latin1Upper));
    const bool accented = Util::findStr("\xe0", "\xc0");
    const bool letters = Util::findStr("abc", "ABC");
    std::locale::global(previous);
    EXPECT_FALSE(accented);
    EXPECT_TRUE(letters);
}

TEST(UtilLocale, ParsersIgnoreTheGlobalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const double half = Util::toDouble("1.5");
    const double comma = Util::toDouble("1,5");
    const int grouped = Util::toInt("1.234");
    const int hex = Util::toIntFromHex("1.a");
    const std::string text = Util::toStr(1234567);
    const std::string hexText = Util::toHex("1234567");
    std::locale::global(previous);

    EXPECT_EQ(half, 1.5);
    EXPECT_EQ(comma, 1.0);
    EXPECT_EQ(grouped, 1);
    EXPECT_EQ(hex, 1);
    EXPECT_EQ(text, "1234567");
    EXPECT_EQ(hexText, "12d687");
}

// ---------------------------------------------------------------------------------------
// Text operations

TEST(UtilText, ReplaceStr) {
    const struct {
        const char* text;
        const char* from;
        const char* to;
        const char* result;
    } cases[] = {
        {"aXa", "a", "aa", "aaXaa"},  // inserted text is not searched again
        {" a b ", " ", "", "ab"},     // removal
        {"abab", "ab", "b", "bb"},    // no match formed across a replacement
        {"aab", "ab", "a", "aa"},     // ... nor across its left edge
        {"xyz", "q", "r", "xyz"},     // no occurrence
        {"", "a", "b", ""},           // empty text
        {"abc", "", "zz", "abc"},     // empty search text: unchanged, no endless loop
        {"%d%%d", "%d", "12", "12%12"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        Util::replaceStr(text, c.from, c.to);
        EXPECT_EQ(text, c.result) << '"' << c.text << "\" '" << c.from << "' -> '" << c.to << "'";
    }
}

TEST(UtilText, FindStr) {
    const struct {
        std::string text;
        std::string part;
        bool found;
    } cases[] = {
        {"Printer Status", "STATUS", true},
        {"Printer Status", "status", true},
        {"abc", "", true},
        {"", "", true},
        {"", "a", false},
        {"abc", "abcd", false},
        {"a1-b", "A1-B", true},
        // Bytes 0x80 and above match only themselves, whatever the sign of char.
        {"caf\xc3\xa9", "\xc3\xa9", true},
        {"caf\xc3\xa9", "\xc3\x89", false},
        {"\xe0", "\xc0", false},
        {"\xff", "\xdf", false},
        {"\xe0", "\xe0", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Util::findStr(c.text, c.part), c.found)
            << '"' << c.text << "\" / \"" << c.part << '"';
    }
}

TEST(UtilText, Split) {
    using Pieces = std::vector<std::string>;
    const struct {
        const char* text;
        Pieces pieces;
    } cases[] = {
        {",a,,b,", {"", "a", "", "b"}},
        {"a,b", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {",a", {"", "a"}},
        {",", {""}},
        {",,", {"", ""}},
        {"", {}},
        {"abc", {"abc"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Util::split(c.text, ','), c.pieces) << '"' << c.text << '"';
    }
}

TEST(UtilText, Erase) {
    const struct {
        const char* text;
        char c;
        const char* result;
    } cases[] = {
        {" a b ", ' ', "ab"}, {"aaa", 'a', ""},      {"", 'a', ""},
        {"abc", 'x', "abc"},  {"1.2.3", '.', "123"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        Util::erase(text, c.c);
        EXPECT_EQ(text, c.result) << '"' << c.text << '"';
    }
}

TEST(UtilText, CheckAscii) {
    const char ascii[] = "Hello\x01\x7f";
    const char high[] = "ab\x80";
    const char top[] = "\xff";
    EXPECT_TRUE(Util::checkAscii(ascii, static_cast<int>(sizeof ascii - 1)));
    EXPECT_FALSE(Util::checkAscii(high, 3));
    EXPECT_TRUE(Util::checkAscii(high, 2));  // only the given length is checked
    EXPECT_FALSE(Util::checkAscii(top, 1));
    EXPECT_TRUE(Util::checkAscii(top, 0));
    EXPECT_TRUE(Util::checkAscii(top, -1));
    EXPECT_TRUE(Util::checkAscii(nullptr, 0));
}

TEST(UtilBytes, WriteDataAndClampLower) {
    unsigned char dest[4] = {9, 9, 9, 9};
    EXPECT_EQ(Util::writeData(Bytes{1, 2, 3}, dest), 3);
    EXPECT_EQ(Bytes(dest, dest + 4), (Bytes{1, 2, 3, 9}));

    const unsigned char src[] = {7, 8};
    EXPECT_EQ(Util::writeData(src, 2, dest + 2), 2);
    EXPECT_EQ(Bytes(dest, dest + 4), (Bytes{1, 2, 7, 8}));
    EXPECT_EQ(Util::writeData(src, 0, dest), 0);
    EXPECT_EQ(Util::writeData(src, -5, dest), 0);
    EXPECT_EQ(Bytes(dest, dest + 4), (Bytes{1, 2, 7, 8}));

    EXPECT_EQ(Util::clampLower(3, 5), 5);
    EXPECT_EQ(Util::clampLower(7, 5), 7);
    EXPECT_EQ(Util::clampLower(-1, -1), -1);
}

// ---------------------------------------------------------------------------------------
// Left-margin shift of a packed row

// Runs setLeftMargin on an m-byte row (pre-filled with `fill`) that is followed by guard
// bytes, and checks that the guard was not touched.
Bytes placeRow(const Bytes& src, int leftMargin, int byteOffset, int m, unsigned char fill = 0) {
    Bytes row(static_cast<std::size_t>(m) + 8, fill);
    std::fill(row.begin() + m, row.end(), 0xA5);
    Util::setLeftMargin(src.data(), row.data(), static_cast<int>(src.size()), leftMargin,
                        byteOffset, m);
    for (std::size_t i = static_cast<std::size_t>(m); i < row.size(); ++i) {
        EXPECT_EQ(row[i], 0xA5) << "byte " << i << " beyond the row was written";
    }
    row.resize(static_cast<std::size_t>(m));
    return row;
}

TEST(UtilLeftMargin, Examples) {
    const Bytes src{0xFF, 0x0F};
    EXPECT_EQ(placeRow(src, 3, 0, 4), (Bytes{0x1F, 0xE1, 0xE0, 0x00}));
    EXPECT_EQ(placeRow(src, 3, 0, 2), (Bytes{0x1F, 0xE1}));
    EXPECT_EQ(placeRow(src, 3, 0, 3), (Bytes{0x1F, 0xE1, 0xE0}));
    EXPECT_EQ(placeRow(src, 16, 0, 4), (Bytes{0x00, 0x00, 0xFF, 0x0F}));
    EXPECT_EQ(placeRow(src, 3, 1, 4), (Bytes{0x00, 0x1F, 0xE1, 0xE0}));
    EXPECT_EQ(placeRow(src, 16, 1, 4), (Bytes{0x00, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(placeRow({}, 3, 0, 4, 0x55), (Bytes{0x55, 0x55, 0x55, 0x55}));
}

TEST(UtilLeftMargin, AssignsDestinationBytes) {
    const Bytes src{0xFF, 0x0F};
    EXPECT_EQ(placeRow(src, 3, 0, 4, 0xFF), (Bytes{0x1F, 0xE1, 0xE0, 0xFF}));
    EXPECT_EQ(placeRow(src, 8, 0, 4, 0xFF), (Bytes{0xFF, 0xFF, 0x0F, 0xFF}));
    EXPECT_EQ(placeRow(src, 7, 0, 2, 0x80), (Bytes{0x01, 0xFE}));
}

// Places the source bits at dot 8 * byteOffset + leftMargin of an m-byte zero row, one bit
// at a time.
Bytes placeBits(const Bytes& src, int leftMargin, int byteOffset, int m) {
    Bytes row(static_cast<std::size_t>(m), 0);
    const long long first = 8LL * byteOffset + leftMargin;
    for (std::size_t bit = 0; bit < src.size() * 8; ++bit) {
        const long long dot = first + static_cast<long long>(bit);
        if (dot >= 8LL * m) {
            break;
        }
        if ((src[bit / 8] >> (7 - bit % 8)) & 1) {
            row[static_cast<std::size_t>(dot / 8)] |= static_cast<unsigned char>(0x80 >> (dot % 8));
        }
    }
    return row;
}

TEST(UtilLeftMargin, MatchesBitPlacement) {
    std::mt19937 rng(9001u);
    std::uniform_int_distribution<int> small(0, 12);
    std::uniform_int_distribution<int> byteDist(0, 255);
    for (int shift = 0; shift < 8; ++shift) {
        for (int round = 0; round < 300; ++round) {
            Bytes src(static_cast<std::size_t>(small(rng)));
            for (auto& b : src) {
                b = static_cast<unsigned char>(byteDist(rng));
            }
            const int leftMargin = 8 * (small(rng) / 3) + shift;
            const int byteOffset = small(rng) / 2;
            const int m = small(rng) + 1;
            ASSERT_EQ(placeRow(src, leftMargin, byteOffset, m),
                      placeBits(src, leftMargin, byteOffset, m))
                << "n " << src.size() << " L " << leftMargin << " B " << byteOffset << " m " << m;
        }
    }
}

TEST(UtilLeftMargin, RefusesBadArguments) {
    const Bytes src{0xFF, 0x0F};
    const Bytes untouched(4, 0x55);
    const struct {
        int n;
        int leftMargin;
        int byteOffset;
        int m;
    } cases[] = {
        {-1, 3, 0, 4},
        {2, -3, 0, 4},
        {2, 3, -1, 4},
        {2, -8, 1, 4},
        {2, INT_MAX, INT_MAX, 4},  // start beyond the row, computed without overflow
        {2, 0, INT_MAX, 4},
    };
    for (const auto& c : cases) {
        Bytes row = untouched;
        Util::setLeftMargin(src.data(), row.data(), c.n, c.leftMargin, c.byteOffset, c.m);
        EXPECT_EQ(row, untouched) << "n " << c.n << " L " << c.leftMargin << " B " << c.byteOffset;
    }
    Bytes row = untouched;
    Util::setLeftMargin(nullptr, row.data(), 2, 3, 0, 4);
    EXPECT_EQ(row, untouched);
    Util::setLeftMargin(src.data(), row.data(), 2, 3, 0, -4);
    EXPECT_EQ(row, untouched);
    Util::setLeftMargin(src.data(), nullptr, 2, 3, 0, 4);  // no crash
}

// ---------------------------------------------------------------------------------------
// Files

class UtilFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "util_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    static void put(const std::string& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }
    static std::string get(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool write(const std::string& file, const std::string& content, bool overwrite) {
        return Util::writeFile(file, reinterpret_cast<const unsigned char*>(content.data()),
                               static_cast<int>(content.size()), overwrite);
    }

    std::filesystem::path dir_;
};

// A marker that shows an output was left untouched.
unsigned char marker[1];

TEST_F(UtilFile, ReadsWholeFile) {
    const std::string content("ab\0\xff\r\n", 6);
    put(path("f"), content);
    unsigned char* data = nullptr;
    int size = -1;
    ASSERT_TRUE(Util::readFile(path("f"), data, size));
    ASSERT_EQ(size, 6);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 6), content);
    delete[] data;
}

TEST_F(UtilFile, EmptyFileGivesSizeZeroAndNoArray) {
    put(path("empty"), "");
    unsigned char* data = marker;
    int size = -1;
    EXPECT_TRUE(Util::readFile(path("empty"), data, size));
    EXPECT_EQ(size, 0);
    EXPECT_EQ(data, marker);
}

TEST_F(UtilFile, UnreadableFilesLeaveOutputsUntouched) {
    std::filesystem::create_directory(path("sub"));
    // A sparse file just above INT_MAX bytes: its size cannot be returned.
    { std::ofstream(path("huge"), std::ios::binary).put('x'); }
    std::error_code error;
    std::filesystem::resize_file(path("huge"), std::uintmax_t{INT_MAX} + 1, error);
    const bool haveHuge = !error;

    std::vector<std::string> paths = {path("missing"), path("sub"), path("none/f")};
    if (haveHuge) {
        paths.push_back(path("huge"));
    }
    for (const auto& p : paths) {
        unsigned char* data = marker;
        int size = -7;
        EXPECT_FALSE(Util::readFile(p, data, size)) << p;
        EXPECT_EQ(data, marker) << p;
        EXPECT_EQ(size, -7) << p;
    }
}

TEST_F(UtilFile, UnseekableFileFails) {
    // A pipe opens but has no size: the seek to its end fails.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "abc", 3), 3);
    const std::string proc = "/proc/self/fd/" + std::to_string(ends[0]);
    unsigned char* data = marker;
    int size = -7;
    const bool opened = access(proc.c_str(), R_OK) == 0;
    const bool read = opened && Util::readFile(proc, data, size);
    close(ends[0]);
    close(ends[1]);
    if (!opened) {
        GTEST_SKIP() << "no " << proc;
    }
    EXPECT_FALSE(read);
    EXPECT_EQ(data, marker);
    EXPECT_EQ(size, -7);
}

TEST_F(UtilFile, ShortReadFails) {
    // Kernel attribute files claim a size of a page but hold a few bytes.
    const char* attribute = "/sys/devices/system/cpu/online";
    std::FILE* file = std::fopen(attribute, "rb");
    if (file == nullptr) {
        GTEST_SKIP() << "no " << attribute;
    }
    std::fseek(file, 0, SEEK_END);
    const long claimed = std::ftell(file);
    std::fclose(file);
    if (claimed <= static_cast<long>(get(attribute).size())) {
        GTEST_SKIP() << attribute << " gives its true size";
    }
    unsigned char* data = marker;
    int size = -7;
    EXPECT_FALSE(Util::readFile(attribute, data, size));
    EXPECT_EQ(data, marker);
    EXPECT_EQ(size, -7);
}

TEST_F(UtilFile, OverwriteTruncatesAndAppendExtends) {
    EXPECT_TRUE(write(path("a"), "hello", false));  // append creates a missing file
    EXPECT_EQ(get(path("a")), "hello");
    EXPECT_TRUE(write(path("a"), " world", false));
    EXPECT_EQ(get(path("a")), "hello world");
    EXPECT_TRUE(write(path("a"), "bye", true));
    EXPECT_EQ(get(path("a")), "bye");
    EXPECT_TRUE(write(path("b"), "new", true));  // overwrite creates one too
    EXPECT_EQ(get(path("b")), "new");

    // No bytes: appending changes nothing, overwriting empties the file.
    EXPECT_TRUE(Util::writeFile(path("a"), nullptr, 0, false));
    EXPECT_EQ(get(path("a")), "bye");
    const unsigned char byte = 'x';
    EXPECT_TRUE(Util::writeFile(path("a"), &byte, -3, true));
    EXPECT_EQ(get(path("a")), "");
    EXPECT_TRUE(std::filesystem::exists(path("a")));
}

TEST_F(UtilFile, WriteFailuresAreReported) {
    EXPECT_FALSE(write(path("none/f"), "x", true));
    EXPECT_FALSE(write(path("none/f"), "x", false));
    EXPECT_FALSE(std::filesystem::exists(path("none")));
    EXPECT_FALSE(write(dir_.string(), "x", true));
    if (access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    EXPECT_FALSE(write("/dev/full", "x", true));
    EXPECT_FALSE(write("/dev/full", std::string(100000, 'x'), false));
}

TEST_F(UtilFile, WrittenBytesReadBack) {
    std::string content;
    for (int i = 0; i < 1000; ++i) {
        content += static_cast<char>(i * 7);
    }
    ASSERT_TRUE(write(path("round"), content, true));
    unsigned char* data = nullptr;
    int size = 0;
    ASSERT_TRUE(Util::readFile(path("round"), data, size));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), static_cast<std::size_t>(size)), content);
    delete[] data;
}

}  // namespace
