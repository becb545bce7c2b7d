#include "bridge/utf_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

// Valid UTF-8 and its UTF-16 form: both directions agree.
TEST(UtfCodec, ValidTextRoundTrips) {
    const Utf8Case cases[] = {
        {"empty", "", u""},
        {"ascii", "READYTOPRINT", u"READYTOPRINT"},
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
        {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"nul inside", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"mixed", "1.02A \xC3\xA9\xF0\x9F\x98\x80", u"1.02A \u00E9\U0001F600"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bridge::utf16FromUtf8(c.utf8), c.utf16) << c.name;
        EXPECT_EQ(bridge::utf8FromUtf16(c.utf16), c.utf8) << c.name;
        EXPECT_TRUE(bridge::isValidUtf8(c.utf8)) << c.name;
    }
}

// Bytes that are not UTF-8 arrive one char per byte, so nothing of a printer's reply is lost.
TEST(UtfCodec, InvalidBytesBecomeOneCharPerByte) {
    const Utf8Case cases[] = {
        {"stray bytes", "\xFF\xFE", u"\u00FF\u00FE"},
        {"overlong nul", "\xC0\x80", u"\u00C0\u0080"},
        {"encoded surrogate", "\xED\xA0\x80", u"\u00ED\u00A0\u0080"},
        {"cut sequence", "\xE2\x82", u"\u00E2\u0082"},
        {"valid then invalid", "\xC3\xA9\xFF", u"\u00C3\u00A9\u00FF"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\u00F4\u0090\u0080\u0080"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(bridge::isValidUtf8(c.utf8)) << c.name;
        EXPECT_EQ(bridge::utf16FromUtf8(c.utf8), c.utf16) << c.name;
    }
}

// A surrogate without its partner becomes U+FFFD, never the modified (CESU) form.
TEST(UtfCodec, UnpairedSurrogatesBecomeReplacementCharacter) {
    EXPECT_EQ(bridge::utf8FromUtf16(std::u16string(1, char16_t(0xD83D))), "\xEF\xBF\xBD");
    EXPECT_EQ(bridge::utf8FromUtf16(std::u16string(1, char16_t(0xDE00)) + u"x"), "\xEF\xBF\xBDx");
    std::u16string reversed{char16_t(0xDE00), char16_t(0xD83D)};
    EXPECT_EQ(bridge::utf8FromUtf16(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
