#include "connection/custom_paper_reader.h"

#include <gtest/gtest.h>

#include <vector>

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
    // A header marker inside the header's own 16 bytes (its length field) does not end the
    // block; one right after the header does.
    Bytes markerInHeader = command(builder());
    const Bytes marker = {0x1B, 0x69, 0x55, 0x4F};
    std::copy(marker.begin(), marker.end(), markerInHeader.begin() + 4 + 8);
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
    const Bytes body117 = command(builder().cutBodyTo(117));
    const CustomPaperReader reader(body117.data(), body117.size());
    EXPECT_EQ(reader.findBody(4), 25u);
    EXPECT_TRUE(reader.readFields(25).has_value());
    EXPECT_FALSE(reader.readFields(26).has_value());
    EXPECT_FALSE(reader.readFields(body117.size() + 1).has_value());
}
