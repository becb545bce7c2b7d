#include "support/custom_paper_command_builder.h"

#include <gtest/gtest.h>

namespace {

struct FieldPlace {
    const char* name;
    std::size_t offset;  // from the byte after the body marker
    std::size_t width;
};

// The 30 body fields in order.
constexpr FieldPlace kFields[] = {
    {"sensorID", 0, 1},
    {"energyRank", 1, 1},
    {"tapeWidMm", 2, 1},
    {"tapeLenMm", 3, 2},
    {"rollWidMm", 5, 1},
    {"headDot", 6, 2},
    {"prtWidth", 8, 2},
    {"prtLength", 10, 2},
    {"headDivide", 12, 1},
    {"dieStartPlus", 13, 2},
    {"dieStartRevPlus", 15, 2},
    {"dieStartFwdPlus", 17, 2},
    {"afterFeedPlus", 19, 2},
    {"pafMediaID", 21, 2},
    {"blockPos1", 23, 9},
    {"blockPos2", 32, 18},
    {"blockPos3", 50, 27},
    {"szSizeMM", 77, 16},
    {"szSizeIN", 93, 16},
    {"charAtrInfo", 109, 2},
    {"lblPitchDot", 111, 2},
    {"markNoChkValu", 113, 2},
    {"topMargin", 115, 2},
    {"markPosition", 117, 2},
    {"markHeight", 119, 2},
    {"sensingType", 121, 1},
    {"bottomMargin", 122, 2},
    {"mediaSensorSensitivity", 124, 1},
    {"mediaSensorIntensity", 125, 1},
    {"reserved", 126, 1},
};

}  // namespace

CustomPaperCommandBuilder::CustomPaperCommandBuilder(std::uint8_t seriesCode,
                                                     std::uint8_t modelCode)
    : series_(seriesCode), model_(modelCode), body_(127, 0x00) {}

CustomPaperCommandBuilder& CustomPaperCommandBuilder::set(const std::string& field,
                                                          unsigned int value) {
    for (const FieldPlace& place : kFields) {
        if (field == place.name) {
            if (place.width < 4) {
                EXPECT_LT(value, 1u << (8 * place.width)) << field << " is too wide";
            }
            for (std::size_t k = 0; k < place.width && k < 4; ++k) {
                body_[place.offset + k] = static_cast<unsigned char>(value >> (8 * k));
            }
            return *this;
        }
    }
    ADD_FAILURE() << "no body field " << field;
    return *this;
}

CustomPaperCommandBuilder& CustomPaperCommandBuilder::headerByte4(std::uint8_t value) {
    headerByte4_ = value;
    return *this;
}

CustomPaperCommandBuilder& CustomPaperCommandBuilder::gap(std::size_t count, std::uint8_t fill) {
    gap_ = count;
    gapFill_ = fill;
    return *this;
}

CustomPaperCommandBuilder& CustomPaperCommandBuilder::noBodyMarker() {
    bodyMarker_ = false;
    return *this;
}

CustomPaperCommandBuilder& CustomPaperCommandBuilder::cutBodyTo(std::size_t count) {
    bodyCut_ = count < 127 ? count : 127;
    return *this;
}

std::vector<unsigned char> CustomPaperCommandBuilder::build() const {
    std::vector<unsigned char> out = {0x1B, 0x69, 0x61, 0x01};
    // Header: marker, 0x10, series code, model code, 0, body length 132 (4 bytes), 4 zeros.
    out.insert(out.end(), {0x1B, 0x69, 0x55, 0x4F, headerByte4_, series_, model_, 0x00});
    out.insert(out.end(), {132, 0, 0, 0, 0, 0, 0, 0});
    out.insert(out.end(), gap_, gapFill_);
    if (bodyMarker_) {
        out.insert(out.end(), {0x1B, 0x69, 0x55, 0x77, 0x01});
    }
    out.insert(out.end(), body_.begin(), body_.begin() + static_cast<std::ptrdiff_t>(bodyCut_));
    if (bodyCut_ == 127) {
        out.insert(out.end(), {0x1B, 0x69, 0x61, 0xFF});
    }
    return out;
}

std::vector<unsigned char> chain(std::initializer_list<std::vector<unsigned char>> parts) {
    std::vector<unsigned char> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}
