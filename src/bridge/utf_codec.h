#pragma once

#include <string>

// Conversions between the library's byte strings (UTF-8) and the host's texts (UTF-16).
namespace bridge {

// UTF-16 -> UTF-8. A surrogate without its partner becomes U+FFFD (EF BF BD); U+0000
// becomes the byte 00. Never produces modified UTF-8.
std::string utf8FromUtf16(const std::u16string& text);

// UTF-8 -> UTF-16. Text that is not valid UTF-8 (a stray or overlong sequence, an encoded
// surrogate, a code point above U+10FFFF, a cut sequence) is taken as one char per byte, so
// bytes from a printer always arrive, one for one.
std::u16string utf16FromUtf8(const std::string& bytes);

// True when the bytes are valid UTF-8.
bool isValidUtf8(const std::string& bytes);

}  // namespace bridge
