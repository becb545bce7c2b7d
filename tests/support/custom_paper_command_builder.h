#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Builds custom paper commands for tests, byte by byte from the published layout (156
// bytes: 1B 69 61 01, a 16-byte header, the body marker 1B 69 55 77 01, a 127-byte body,
// 1B 69 61 FF; numbers little-endian), with variants that real data may show: any value
// in header byte 4, a body cut short, no body marker, filler between header and marker.
class CustomPaperCommandBuilder {
  public:
    CustomPaperCommandBuilder(std::uint8_t seriesCode, std::uint8_t modelCode);

    // Sets a body field by its name (e.g. "tapeWidMm", "topMargin"), little-endian in the
    // field's width; an unknown name or a value too wide for the field fails the test.
    CustomPaperCommandBuilder& set(const std::string& field, unsigned int value);
    // Header byte 4 (0x10 in a well-formed command).
    CustomPaperCommandBuilder& headerByte4(std::uint8_t value);
    // `count` bytes of `fill` between the header and the body marker.
    CustomPaperCommandBuilder& gap(std::size_t count, std::uint8_t fill = 0x00);
    // Leaves the body marker out (the body bytes stay).
    CustomPaperCommandBuilder& noBodyMarker();
    // Keeps only the first `count` body bytes; the data ends right after them (no trailer).
    CustomPaperCommandBuilder& cutBodyTo(std::size_t count);

    std::vector<unsigned char> build() const;

  private:
    std::uint8_t series_;
    std::uint8_t model_;
    std::uint8_t headerByte4_ = 0x10;
    std::size_t gap_ = 0;
    std::uint8_t gapFill_ = 0x00;
    bool bodyMarker_ = true;
    std::size_t bodyCut_ = 127;
    std::vector<unsigned char> body_;
};

// The pieces one after another.
std::vector<unsigned char> chain(std::initializer_list<std::vector<unsigned char>> parts);
