#include "connection/custom_paper_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "custompaper/custom_paper_info_command.h"
#include "support/custom_paper_command_builder.h"

using Bytes = std::vector<unsigned char>;

namespace {

// A command of series 0x35, model 0x33 with tape width 58 and top margin 24.
Bytes command(CustomPaperCommandBuilder builder) {
    return builder.set("tapeWidMm", 58).set("topMargin", 24).build();
}

CustomPaperCommandBuilder builder() {
    return CustomPaperCommandBuilder(0x35, 0x33);
}

}  // namespace

TEST(CustomPaperReaderTest, HeaderNeedsItsSixteenBytesAndOneMore) {
    const Bytes whole = command(builder());
    // The header alone, then with one byte after it.
    const Bytes header(whole.begin() + 4, whole.begin() + 20);
    Bytes header17 = header;
    header17.push_back(0x1B);

    EXPECT_EQ(CustomPaperReader(header.data(), header.size()).findHeader(0x35, 0x33),
              CustomPaperReader::npos);
    EXPECT_EQ(CustomPaperReader(header17.data(), header17.size()).findHeader(0x35, 0x33), 0u);
    EXPECT_EQ(CustomPaperReader(whole.data(), whole.size()).findHeader(0x35, 0x33), 4u);
    EXPECT_EQ(CustomPaperReader(whole.data(), whole.size()).findHeader(0x35, 0x34),
              CustomPaperReader::npos);
    EXPECT_EQ(CustomPaperReader(whole.data(), whole.size()).findHeader(0x36, 0x33),
              CustomPaperReader::npos);
    EXPECT_EQ(CustomPaperReader(nullptr, 100).findHeader(0x35, 0x33), CustomPaperReader::npos);
}

TEST(CustomPaperReaderTest, BlockEndsAtTheNextHeaderMarkerAfterItsOwnHeader) {
    // A header marker inside the header's own 16 bytes (its last four) does not end the
    // block; one right after the header does.
    Bytes markerInHeader = command(builder());
    const Bytes marker = {0x1B, 0x69, 0x55, 0x4F};
    std::copy(marker.begin(), marker.end(), markerInHeader.begin() + 4 + 12);
    const CustomPaperReader inHeader(markerInHeader.data(), markerInHeader.size());
    EXPECT_EQ(inHeader.blockEnd(4), markerInHeader.size());
    const auto fields = inHeader.find(0x35, 0x33);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->tapeWidMm, 58);
    EXPECT_EQ(fields->topMargin, 24);

    Bytes markerAfterHeader = command(builder().gap(4));
    std::copy(marker.begin(), marker.end(), markerAfterHeader.begin() + 20);
    const CustomPaperReader afterHeader(markerAfterHeader.data(), markerAfterHeader.size());
    EXPECT_EQ(afterHeader.blockEnd(4), 20u);
    EXPECT_EQ(afterHeader.findBody(4), CustomPaperReader::npos);
}

TEST(CustomPaperReaderTest, FieldsNeedTheirWholeBody) {
    const Bytes whole = command(builder());
    EXPECT_EQ(CustomPaperReader(whole.data(), whole.size()).findBody(4), 25u);
    // Cut to the 117 bytes that hold the fields: the fields can be read, but the body is not
    // whole.
    const Bytes body117 = command(builder().cutBodyTo(117));
    const CustomPaperReader reader(body117.data(), body117.size());
    EXPECT_EQ(reader.findBody(4), CustomPaperReader::npos);
    EXPECT_TRUE(reader.readFields(25).has_value());
    EXPECT_FALSE(reader.readFields(26).has_value());
    EXPECT_FALSE(reader.readFields(body117.size() + 1).has_value());
}

// The extent of a body is the header's length field counted from the body marker, and the
// bytes right after it must end the block.
TEST(CustomPaperReaderTest, BodyExtentComesFromTheLengthField) {
    const Bytes whole = command(builder());
    const Bytes trailer = {0x1B, 0x69, 0x61, 0xFF};
    struct Case {
        const char* name;
        std::uint32_t length;  // header bytes 8-11
        std::size_t bodyBytes;
        Bytes after;  // in place of the trailer
        bool found;
    };
    const Case cases[] = {
        {"trailer", 132, 127, trailer, true},
        {"end of the data", 132, 127, {}, true},
        {"next command", 132, 127, {0x1B, 0x69, 0x61, 0x01}, true},
        {"next header", 132, 127, {0x1B, 0x69, 0x55, 0x4F}, true},
        {"half a trailer", 132, 127, {0x1B, 0x69}, false},
        {"a byte before the trailer", 132, 127, {0x00, 0x1B, 0x69, 0x61, 0xFF}, false},
        {"one byte into the trailer", 133, 127, trailer, false},
        {"the trailer counted as body", 136, 127, trailer, true},
        {"beyond the data", 137, 127, trailer, false},
        {"the fields and nothing else", 122, 117, {}, true},
        {"fields not all inside", 121, 116, {}, false},
        {"zero", 0, 127, trailer, false},
        {"largest", 0xFFFFFFFFu, 127, trailer, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes data(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(25 + c.bodyBytes));
        data.insert(data.end(), c.after.begin(), c.after.end());
        for (int k = 0; k < 4; ++k) {
            data[4 + 8 + k] = static_cast<unsigned char>(c.length >> (8 * k));
        }
        const CustomPaperReader reader(data.data(), data.size());
        EXPECT_EQ(reader.findBody(4), c.found ? 25u : CustomPaperReader::npos);
    }
}

TEST(CustomPaperLayoutTest, NamedOffsetsMatchABuiltCommand) {
    namespace layout = custom_paper_layout;
    const Bytes plain = builder().build();
    ASSERT_EQ(plain.size(), layout::kCommandLength);
    const auto at = [&](std::size_t offset, const std::uint8_t* bytes, std::size_t length) {
        return Bytes(plain.begin() + static_cast<std::ptrdiff_t>(offset),
                     plain.begin() + static_cast<std::ptrdiff_t>(offset + length)) ==
               Bytes(bytes, bytes + length);
    };
    EXPECT_TRUE(at(0, layout::kRasterModeSwitch, layout::kModeSwitchLength));
    EXPECT_TRUE(at(layout::kHeaderOffset, layout::kHeaderMarker, layout::kHeaderMarkerLength));
    EXPECT_TRUE(at(layout::kBodyMarkerOffset, layout::kBodyMarker, layout::kBodyMarkerLength));
    EXPECT_TRUE(at(layout::kTrailerOffset, layout::kDefaultModeSwitch, layout::kModeSwitchLength));
    const std::size_t header = layout::kHeaderOffset;
    EXPECT_EQ(plain[header + layout::kHeaderSizeByteAt], layout::kHeaderSizeByte);
    EXPECT_EQ(plain[header + layout::kHeaderSeriesCodeAt], 0x35);
    EXPECT_EQ(plain[header + layout::kHeaderModelCodeAt], 0x33);
    EXPECT_EQ(plain[header + layout::kHeaderBodyLengthAt], layout::kHeaderBodyLength);

    // Each field set by name lands at its named offset, least significant byte first.
    struct Field {
        const char* name;
        layout::BodyField place;
    };
    const Field fields[] = {
        {"sensorID", layout::kSensorId},
        {"energyRank", layout::kEnergyRank},
        {"tapeWidMm", layout::kTapeWidMm},
        {"tapeLenMm", layout::kTapeLenMm},
        {"rollWidMm", layout::kRollWidMm},
        {"headDot", layout::kHeadDot},
        {"prtWidth", layout::kPrtWidth},
        {"prtLength", layout::kPrtLength},
        {"headDivide", layout::kHeadDivide},
        {"dieStartPlus", layout::kDieStartPlus},
        {"dieStartRevPlus", layout::kDieStartRevPlus},
        {"dieStartFwdPlus", layout::kDieStartFwdPlus},
        {"afterFeedPlus", layout::kAfterFeedPlus},
        {"pafMediaID", layout::kPafMediaId},
        {"blockPos1", layout::kBlockPos1},
        {"blockPos2", layout::kBlockPos2},
        {"blockPos3", layout::kBlockPos3},
        {"szSizeMM", layout::kSzSizeMm},
        {"szSizeIN", layout::kSzSizeIn},
        {"charAtrInfo", layout::kCharAtrInfo},
        {"lblPitchDot", layout::kLblPitchDot},
        {"markNoChkValu", layout::kMarkNoChkValu},
        {"topMargin", layout::kTopMargin},
        {"markPosition", layout::kMarkPosition},
        {"markHeight", layout::kMarkHeight},
        {"sensingType", layout::kSensingType},
        {"bottomMargin", layout::kBottomMargin},
        {"mediaSensorSensitivity", layout::kMediaSensorSensitivity},
        {"mediaSensorIntensity", layout::kMediaSensorIntensity},
        {"reserved", layout::kReserved},
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.name);
        const unsigned int value = field.place.width == 1 ? 0xA5 : 0xA5C3;
        const Bytes built = builder().set(field.name, value).build();
        Bytes expected = plain;
        const std::size_t start = layout::kBodyOffset + field.place.offset;
        expected[start] = field.place.width == 1 ? 0xA5 : 0xC3;
        if (field.place.width > 1) {
            expected[start + 1] = 0xA5;
        }
        EXPECT_EQ(built, expected);
    }
}
