// The halftone kernels and tables are defined under their plain C names.

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "halftone_symbols.h"

namespace {

TEST(HalftoneLinkage, KernelsAndTablesHaveCNames) {
    const auto symbols = halftone_test::definedSymbols(halftone_test::coreLibraryPath());
    ASSERT_FALSE(symbols.empty()) << "nm found no symbols in " << halftone_test::coreLibraryPath();
    const std::set<char> code = {'T'};
    const std::set<char> data = {'R', 'D'};
    const struct {
        const char* name;
        const std::set<char>& types;
    } expected[] = {
        {"HTNLIB_InitNaiveBinarize", code},
        {"HTNLIB_NaiveBinarize", code},
        {"HTNLIB_InitDither", code},
        {"HTNLIB_Dither", code},
        {"HTNLIB_InitErrorDiffusion", code},
        {"HTNLIB_ErrorDiffusion", code},
        {"tbl_LUT_DITHER", data},
        {"tbl_LUT_ERRORDIFFUSION", data},
        {"tbl_Dither", data},
        {"tbl_BlueNoise", data},
        {"tbl_WhiteNoise", data},
    };
    for (const auto& e : expected) {
        const auto it = symbols.find(e.name);
        ASSERT_NE(it, symbols.end()) << e.name << " is not defined under its plain name";
        EXPECT_EQ(e.types.count(it->second), 1u) << e.name << " has type " << it->second;
    }
}

}  // namespace
