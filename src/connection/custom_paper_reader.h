#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The six body fields of a custom paper command that paper selection reads.
struct CustomPaperFields {
    std::uint8_t tapeWidMm = 0;   // tape width, whole millimetres
    std::uint16_t tapeLenMm = 0;  // tape length, millimetres; 0 for continuous media
    std::uint16_t headDot = 0;    // offset of the printable area on the head, dots
    std::uint16_t prtWidth = 0;   // printable width, dots
    std::uint16_t prtLength = 0;  // printable length, dots; 0 for continuous media
    std::uint16_t topMargin = 0;  // feed margin, dots
};

// Reads custom paper commands (one or several, one after another) from a byte view that it
// does not own. Every read is bounded by the view's length.
//
// A block starts at a header marker 1B 69 55 4F and runs to the next header marker that
// starts 16 or more bytes after it, or to the end of the data. The first body marker
// 1B 69 55 77 01 after the 16-byte header belongs to the header when it stands inside that
// block (before the next header marker). The header's length field (bytes 8-11, 132 in a
// well-formed command) gives the extent of the marker and the body; the bytes in it are the
// body's, whatever they hold (a header marker among them included). The body is whole when
// that extent holds the fields read here (the marker and 117 body bytes), lies inside the data
// and ends where the data ends, the trailer 1B 69 61 FF stands, or the next command starts
// (1B 69 61 01 or a header marker). A body cut short runs into the bytes after it and is
// no body: another block's bytes are never taken, and neither is another block's body for a
// header whose first body marker comes after the next header marker.
class CustomPaperReader {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // A null `data` reads as empty.
    CustomPaperReader(const unsigned char* data, std::size_t size);

    // Start of the first block header whose series and model code bytes (header offsets 5
    // and 6) are these, or npos. A header must have all 16 bytes plus at least one byte
    // after it inside the data; header byte 4 is not compared.
    std::size_t findHeader(std::uint8_t seriesCode, std::uint8_t modelCode) const;
    // End (one past the last byte) of the block whose header starts at `header`: where the
    // next header marker starts, or the end of the data.
    std::size_t blockEnd(std::size_t header) const;
    // Start of the body of the header that starts at `header`, or npos when the first body
    // marker after the header is missing, stands beyond the header's block, or its body is
    // not whole.
    std::size_t findBody(std::size_t header) const;
    // The fields of the body that starts at `body`; none when fewer than 117 bytes remain.
    std::optional<CustomPaperFields> readFields(std::size_t body) const;

    // findHeader, findBody and readFields in one: the fields of this model's custom paper,
    // or none. This is the search of paper selection; the steps are public for their tests.
    std::optional<CustomPaperFields> find(std::uint8_t seriesCode, std::uint8_t modelCode) const;

  private:
    // True when the body behind the marker at `marker`, of the header at `header`, is whole:
    // the header's length field, counted from the marker, covers the fields read here and
    // ends inside the data where the data ends, a trailer or the next command.
    bool bodyIsWhole(std::size_t header, std::size_t marker) const;
    // True when the `length` bytes of `pattern` stand at `pos`, wholly inside [0, end).
    bool matchesAt(std::size_t pos, std::size_t end, const std::uint8_t* pattern,
                   std::size_t length) const;
    // Little-endian 16-bit number at `pos`; the caller checks pos + 2 <= size.
    std::uint16_t le16(std::size_t pos) const;

    const unsigned char* data_;
    std::size_t size_;
};
