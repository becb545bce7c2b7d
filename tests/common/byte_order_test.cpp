#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/byte_order.h"

using Bytes = std::vector<unsigned char>;

// Each width and order read back what was written, with every byte distinct so that a
// swapped or dropped byte shows.
TEST(ByteOrderTest, ReadersTakeTheirOrder) {
    const unsigned char b[] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(lumeko::readLe16(b), 0x3412u);
    EXPECT_EQ(lumeko::readBe16(b), 0x1234u);
    EXPECT_EQ(lumeko::readLe32(b), 0x78563412u);
    EXPECT_EQ(lumeko::readBe32(b), 0x12345678u);
    const unsigned char high[] = {0xFF, 0xFE, 0xFD, 0xFC};
    EXPECT_EQ(lumeko::readLe16(high), 0xFEFFu);
    EXPECT_EQ(lumeko::readBe32(high), 0xFFFEFDFCu);
}

TEST(ByteOrderTest, WritersKeepTheLowBitsAndAppendersNeverClear) {
    unsigned char two[2] = {};
    lumeko::writeLe16(two, 0x12345678u);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x78, 0x56}));
    lumeko::writeBe16(two, 0x12345678u);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x56, 0x78}));
    unsigned char four[4] = {};
    lumeko::writeLe32(four, 0xA1B2C3D4u);
    EXPECT_EQ(Bytes(four, four + 4), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));

    Bytes out = {0xEE};
    lumeko::appendLe16(out, 0x10203u);
    lumeko::appendLe32(out, 0x04050607u);
    EXPECT_EQ(out, (Bytes{0xEE, 0x03, 0x02, 0x07, 0x06, 0x05, 0x04}));
}
