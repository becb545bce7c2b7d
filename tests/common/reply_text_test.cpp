#include <gtest/gtest.h>

#include <string>

#include "common/reply_text.h"

// The field ends at its first zero byte or at its width, whichever comes first; nothing past
// the width is read.
TEST(ReplyTextTest, EndsAtTheFirstZeroOrTheWidth) {
    const unsigned char field[] = {'1', '0', 0, '3', 'X'};
    EXPECT_EQ(lumeko::textUpToZero(field, 5), "10");
    EXPECT_EQ(lumeko::textUpToZero(field, 1), "1");
    EXPECT_EQ(lumeko::textUpToZero(field + 3, 2), "3X");
    EXPECT_EQ(lumeko::textUpToZero(field + 2, 3), "");
    EXPECT_EQ(lumeko::textUpToZero(field, 0), "");
    const unsigned char high[] = {0xFF, 0x80, 'a'};
    EXPECT_EQ(lumeko::textUpToZero(high, 3), std::string(reinterpret_cast<const char*>(high), 3));
}
