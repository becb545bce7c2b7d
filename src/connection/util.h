#pragma once

#include <string>
#include <vector>

namespace tpes {

// Small conversions and file operations shared by every subsystem. All operations are
// static, keep no state between calls and never touch the process-wide error code;
// callers turn a false result into their own error code.
//
// Texts are byte strings, lengths and numbers are 32-bit signed integers. The parsers
// do not depend on the C or C++ locale.
class Util {
  public:
    Util() = default;
    virtual ~Util() = default;

    // Replaces every occurrence of `from` by `to`, left to right; the search goes on
    // right after each inserted copy, so inserted text is never searched again. An empty
    // `from` leaves the text unchanged.
    static void replaceStr(std::string& text, const std::string& from, const std::string& to);
    // True when `part` occurs in `text`, ignoring the case of ASCII letters (bytes 0x80
    // and above match only themselves). An empty part is always found.
    static bool findStr(const std::string& text, const std::string& part);

    // Reads the whole file. On success `size` holds its length and, when that is above 0,
    // `data` a new zero-initialised array of that many bytes holding it (release it with
    // delete[]); for an empty file `data` is left untouched. A file that cannot be opened
    // or fully read, whose size cannot be determined or exceeds INT_MAX gives false and
    // leaves both outputs untouched.
    static bool readFile(std::string path, unsigned char*& data, int& size);
    // Writes `length` bytes to the file, truncating it first when `overwrite` is true and
    // appending otherwise; a missing file is created either way. A length of 0 or less
    // writes nothing (the file is still opened, so overwriting empties it). False when the
    // file cannot be opened or a write, flush or close fails.
    static bool writeFile(std::string path, const unsigned char* data, int length, bool overwrite);

    // Diagnostic hooks: they discard what they are given and return true.
    static bool writeLog(std::string message);
    static bool writeLog(const unsigned char* data, int length);

    // The decimal number at the start of the text: blanks skipped, optional sign, digits
    // up to the first other character. 0 when there is none; out-of-range values saturate
    // to INT_MAX / INT_MIN.
    static int toInt(std::string text);
    // As above; `ok` is true exactly when toStr of the result equals the text.
    static int toInt(std::string text, bool& ok);
    // The decimal floating-point number at the start of the text (no hexadecimal,
    // infinity or NaN forms). An exponent mark without digits makes the whole text 0.0;
    // overflow gives the largest finite double with the number's sign, underflow 0.0.
    static double toDouble(std::string text);
    // The hexadecimal number at the start of the text: blanks skipped, optional sign,
    // optional 0x/0X, digits of either case. Saturates like toInt ("FFFFFFFF" gives
    // 2147483647).
    static int toIntFromHex(std::string text);
    // As above; `ok` is true when the text matches, ignoring case and over the text's own
    // length, the lowercase hexadecimal form of the result left-filled with '0'.
    static int toIntFromHex(std::string text, bool& ok);
    // Decimal form: no leading zeros, '-' for negative values.
    static std::string toStr(int value);
    // Lowercase hexadecimal form, without prefix, of toInt(text); negative values as their
    // 32-bit two's complement ("-1" gives "ffffffff"), "0" for a text without a number.
    static std::string toHex(std::string text);

    // Copies every byte of `data` to `dest` and returns their count. `dest` must hold them.
    static int writeData(const std::vector<unsigned char>& data, unsigned char* dest);
    // Copies `length` bytes from `src` to `dest` and returns `length`; 0 when it is 0 or
    // less.
    static int writeData(const unsigned char* src, int length, unsigned char* dest);

    // Places the packed one-bit row `src` (n bytes, leftmost dot in the most significant
    // bit) into `dest` (m bytes) so that its first dot lands at dot 8 * byteOffset +
    // leftMargin. Destination bytes are assigned, never combined; nothing is written at or
    // beyond index m. Negative arguments, or a null row with a non-zero length, write
    // nothing.
    static void setLeftMargin(const unsigned char* src, unsigned char* dest, int n, int leftMargin,
                              int byteOffset, int m);

    // The pieces between separators as successive getline calls give them: adjacent
    // separators give an empty piece, a final separator no piece after it, an empty text
    // no piece at all.
    static std::vector<std::string> split(const std::string& text, char separator);
    // Removes every occurrence of `c`.
    static void erase(std::string& text, char c);
    // True when every one of the `length` bytes is a 7-bit character; true for length <= 0.
    static bool checkAscii(const char* data, int length);
    // The larger of value and bound.
    static int clampLower(int value, int bound);
};

}  // namespace tpes
