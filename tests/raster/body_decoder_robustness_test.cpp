#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/raster_stream/raster_body_decoder.h"

// The test decoders read page bodies that may be wrong; they must say so and never read
// outside the input.
namespace {

using Bytes = std::vector<unsigned char>;

bool label(const Bytes& body, int lineBytes, bool packed, std::string& error) {
    raster_stream::Lines lines;
    return raster_stream::decodeLabelBody(body.data(), body.size(), lineBytes, packed, lines,
                                          error);
}

bool mode9(const Bytes& body, size_t zeros, size_t command, int size, std::string& error) {
    raster_stream::Lines lines;
    return raster_stream::decodeMode9Body(body.data(), body.size(), zeros, command, size, lines,
                                          error);
}

TEST(BodyDecoderRobustness, MalformedLabelBodiesFail) {
    struct Case {
        const char* name;
        Bytes body;
        bool packed;
    };
    const std::vector<Case> cases = {
        {"no page end", {0x5A, 0x5A}, true},
        {"unknown command", {0x5A, 0x33, 0x1A}, true},
        {"header cut short", {0x67, 0x00}, true},
        {"line data past the end", {0x67, 0x00, 0x09, 0xFF, 0x00, 0x1A}, true},
        {"packed line longer than the head", {0x67, 0x00, 0x02, 0xFA, 0x00, 0x1A}, true},
        {"packed line shorter than the head", {0x67, 0x00, 0x02, 0x00, 0x07, 0x1A}, true},
        {"run without its byte", {0x47, 0x01, 0x00, 0xFD, 0x1A}, true},
        {"header 0x80", {0x67, 0x00, 0x03, 0x80, 0xFD, 0x00, 0x1A}, true},
        {"raw line of the wrong length", {0x67, 0x00, 0x03, 0x01, 0x02, 0x03, 0x1A}, false},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(label(c.body, 4, c.packed, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
}

TEST(BodyDecoderRobustness, MalformedMode9BodiesFail) {
    struct Case {
        const char* name;
        Bytes body;
    };
    const std::vector<Case> cases = {
        {"lead-in not zero", {0x00, 0x01, 0x1B, 0x5E, 0x39, 0x00, 0x00}},
        {"not a block", {0x00, 0x00, 0x1B, 0x5E, 0x38, 0x00, 0x00}},
        {"block header cut short", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x01}},
        {"block past the end", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x05, 0x00, 0xFF}},
        {"commands cut short", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x02, 0x00, 0x02, 0x00}},
        {"literal past the line", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x03, 0x00, 0x01, 0x7F, 0x00}},
        {"run past the line", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x03, 0x00, 0x01, 0x83, 0x11}},
        {"skip extension cut short", {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x03, 0x00, 0x01, 0x78, 0xFF}},
        {"a line split across blocks",
         {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x02, 0x00, 0x01, 0x00, 0x1B, 0x5E, 0x39, 0x01, 0x00,
          0x11}},
        {"shorter than its lead-in", {0x00}},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(mode9(c.body, 2, 0, 4, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
    // Well-formed: a literal, a run, an equal line and a zero line.
    std::string error;
    raster_stream::Lines lines;
    const Bytes good = {0x00, 0x00, 0x1B, 0x5E, 0x39, 0x0A, 0x00, 0x02, 0x00,
                        0x44, 0x80, 0x22, 0x00, 0xFF, 0x01, 0x18, 0x33};
    ASSERT_TRUE(raster_stream::decodeMode9Body(good.data(), good.size(), 2, 0, 4, lines, error))
        << error;
    EXPECT_EQ(lines, raster_stream::Lines({{0x44, 0x22, 0x22, 0x00},
                                           {0x44, 0x22, 0x22, 0x00},
                                           {0x00, 0x00, 0x00, 0x00},
                                           {0x00, 0x00, 0x00, 0x33}}));
}

// Every prefix and random corruptions of good bodies: the decoders answer, within bounds.
TEST(BodyDecoderRobustness, TruncatedAndCorruptedBodiesNeverReadOutside) {
    const Bytes labelBody = {0x5A, 0x67, 0x00, 0x04, 0xFE, 0x00, 0x00, 0x01, 0x47,
                             0x05, 0x00, 0x03, 0x01, 0x02, 0x03, 0x04, 0x5A, 0x1A};
    const Bytes mode9Body = {0x00, 0x00, 0x4D, 0x06, 0x1B, 0x5E, 0x39, 0x01, 0x00, 0xFF,
                             0x1B, 0x5E, 0x39, 0x0D, 0x00, 0x03, 0x00, 0x80, 0x84, 0x00,
                             0x00, 0x01, 0x02, 0x10, 0xFF, 0x81, 0x0F, 0xFF};
    std::string error;
    ASSERT_TRUE(label(labelBody, 4, true, error)) << error;
    ASSERT_TRUE(mode9(mode9Body, 2, 2, 8, error)) << error;
    for (size_t n = 0; n < labelBody.size(); ++n) {
        // Every prefix stops before the page end.
        EXPECT_FALSE(label(Bytes(labelBody.begin(), labelBody.begin() + static_cast<long>(n)), 4,
                           true, error));
    }
    for (size_t n = 0; n < mode9Body.size(); ++n) {
        // Run on its own heap copy so that AddressSanitizer sees any read past the prefix.
        const Bytes prefix(mode9Body.begin(), mode9Body.begin() + static_cast<long>(n));
        mode9(prefix, 2, 2, 8, error);
    }
    std::mt19937 rng(5);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes l = labelBody;
        Bytes m = mode9Body;
        for (int k = 0; k < 3; ++k) {
            l[rng() % l.size()] = static_cast<unsigned char>(rng());
            m[rng() % m.size()] = static_cast<unsigned char>(rng());
        }
        label(l, 4, trial % 2 == 0, error);
        mode9(m, 2, 2, 8, error);
    }
}

}  // namespace
