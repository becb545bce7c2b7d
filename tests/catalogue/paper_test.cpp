#include "catalogue/paper.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "catalogue/paper_fields.h"

namespace {

// The host sees these widths; a change of type changes what it receives.
static_assert(std::is_same_v<decltype(Paper::paperId), unsigned short>);
static_assert(std::is_same_v<decltype(Paper::widthMm), float>);
static_assert(std::is_same_v<decltype(Paper::lengthMm), float>);
static_assert(std::is_same_v<decltype(Paper::mediaWidthMm), unsigned char>);
static_assert(std::is_same_v<decltype(Paper::inkColor), unsigned short>);
static_assert(std::is_same_v<decltype(Paper::labelColor), unsigned short>);
static_assert(PAPER_ID_CUSTOM == 254 && PAPER_ID_NONE == 255);
static_assert((MEDIA_TYPE_CONTINUOUS_EXT & ~MEDIA_TYPE_EXT_BIT) == MEDIA_TYPE_CONTINUOUS);
static_assert((MEDIA_TYPE_FIXED_LENGTH_EXT & ~MEDIA_TYPE_EXT_BIT) == MEDIA_TYPE_FIXED_LENGTH);

// A paper whose every number is distinct and non-zero, with both names set.
Paper filledPaper() {
    Paper p;
    int k = 0;
    paper_fields::forEachNumber(
        p, [&](const char*, auto& v) { v = static_cast<std::decay_t<decltype(v)>>(++k); });
    p.paperNameMm = "62mm x 100mm, a name long enough to live on the heap";
    p.paperNameInch = "2.4\" x 3.9\", a name long enough to live on the heap";
    return p;
}

TEST(Paper, DefaultHasZeroNumbersAndEmptyNames) {
    const Paper p;
    EXPECT_TRUE(p.paperNameMm.empty());
    EXPECT_TRUE(p.paperNameInch.empty());
    paper_fields::forEachNumber(
        p, [](const char* name, const auto& v) { EXPECT_EQ(static_cast<double>(v), 0.0) << name; });
}

TEST(Paper, MoveTakesNamesAndLeavesSourceNumbers) {
    const Paper original = filledPaper();
    Paper source = original;
    const Paper moved(std::move(source));

    EXPECT_EQ(paper_fields::joined(paper_fields::differences(original, moved)), "");
    EXPECT_TRUE(source.paperNameMm.empty());
    EXPECT_TRUE(source.paperNameInch.empty());
    Paper numbersOnly = original;
    numbersOnly.paperNameMm.clear();
    numbersOnly.paperNameInch.clear();
    EXPECT_EQ(paper_fields::joined(paper_fields::differences(numbersOnly, source)), "");
}

TEST(Paper, CopiesKeepEveryFieldAndAreIndependent) {
    const Paper original = filledPaper();
    Paper constructed(original);
    Paper assigned;
    assigned = original;
    EXPECT_EQ(paper_fields::joined(paper_fields::differences(original, constructed)), "");
    EXPECT_EQ(paper_fields::joined(paper_fields::differences(original, assigned)), "");

    constructed.paperNameMm[0] = 'X';
    assigned.paperNameInch.clear();
    constructed.widthDots = 9999;
    EXPECT_EQ(original.paperNameMm[0], '6');
    EXPECT_FALSE(original.paperNameInch.empty());
    EXPECT_EQ(assigned.widthDots, original.widthDots);
}

TEST(Paper, OnlyZeroLengthIsFreeLength) {
    const struct {
        unsigned short lengthDots;
        bool free;
    } cases[] = {{0, true}, {65535, false}, {1, false}, {1024, false}};
    for (const auto& c : cases) {
        Paper p;
        p.lengthDots = c.lengthDots;
        EXPECT_EQ(p.isFreeLength(), c.free) << c.lengthDots;
    }
}

}  // namespace
