#pragma once

#include <string>
#include <vector>

// The text forms in which configuration values travel inside PJL lines and replies:
// text as hexadecimal bytes ("41-42", "0x41" for one byte), WEP keys in pairs ("12-34-5"),
// IPv4 and IPv6 addresses as dash-separated pieces ("c0-a8-00-01", "20-01-0d-b8-...").
//
// Every encoder writes into a caller buffer of outSize bytes, always zero-terminated, and
// never writes past it. Decoders read a zero-terminated text (null gives false). The
// address decoders set error code 39 on malformed input; the others set no code.
class SettingValueCodec {
  public:
    // Longest text that HexStringToString and the PJL text writers handle.
    static constexpr int kTextBufferSize = 1024;
    // Longest WEP key that StringToWepHexString takes.
    static constexpr int kWepBufferSize = 256;

    // The text up to its first zero byte, at most maxBytes of it, as "%2x" bytes joined by
    // '-' ("0x%2x" for a single byte; blank-padded lowercase digits). False without an
    // error code when 3 * count bytes (or the text and its zero) exceed outSize.
    static bool StringToHexString(const std::string& text, char* out, int outSize, int maxBytes);
    // The bytes as "%02x" joined by '-'. Error 39 and false when 3 * count exceeds
    // outSize or count is negative.
    static bool BinaryDataToHexString(const unsigned char* bytes, int count, char* out,
                                      int outSize);
    // The key with '-' after every second character but the last. False (no code) only
    // when the result does not fit outSize.
    static bool StringToWepHexString(const std::string& key, int outSize, char* out);

    // Reads back what StringToHexString writes: pieces cut at '-', each a hexadecimal
    // number whose low byte is the next byte; the result ends at the first zero byte.
    // False for a text longer than kTextBufferSize characters.
    static bool HexStringToString(const char* text, std::string& out);
    // "c0-a8-00-01" gives "192.168.0.1" (low byte of each piece, in decimal).
    static bool HexStringToIPv4Address(const char* text, std::string& out);
    // "20-01-0d-b8-..." gives "2001:0db8:...": the pieces as they are, ':' after every
    // second piece but the last.
    static bool HexStringToIPv6Address(const char* text, std::string& out);
    // Exactly four decimal pieces 0..255 written without sign, blank or leading zero;
    // out receives 4 bytes (it must hold them) and count 4. Else error 39 and false.
    static bool HexStringToBinaryDataForIPv4(const char* text, unsigned char* out, int* count);
    // Exactly eight hexadecimal pieces (empty counts as 0) of at most ffff; out receives
    // 16 bytes, high byte of each group first, and count 16. Else error 39 and false.
    static bool HexStringToBinaryDataForIPv6(const char* text, unsigned char* out, int* count);
    // The 16 or 4 address bytes of a dash-separated text; empty on failure (error 39).
    static std::vector<unsigned char> convertHexStringToBinaryData(const std::string& text,
                                                                   bool isIPv6);
    static std::vector<unsigned char> convertHexStringToBinaryDataForIPv4(const std::string& text);
    static std::vector<unsigned char> convertHexStringToBinaryDataForIPv6(const std::string& text);
    // Joins the '-'-separated pieces of a text shorter than kWepBufferSize characters.
    static bool WepHexStringToString(const char* text, std::string& out);

    // Rewrites an SNMP octet text ("0x20:01:0d:b8:...") as an IPv6 address text
    // ("2001:0db8:..."). A text longer than 4000 characters, without 'x', or whose part
    // after the 'x' is not sixteen ':'-separated pairs of hexadecimal digits is emptied and
    // gives false (no error code).
    static bool IPv6AddressForMIB(std::string& text);

    // Joins pieces with `separator` after every second piece but the last.
    static std::string joinPairs(const std::vector<std::string>& pieces, char separator);
};
