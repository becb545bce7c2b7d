// The image kernels and tables are defined, and exported, under their plain C names.

#include <set>
#include <string>

#include <unistd.h>

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

namespace {

// The host's shared library exports every image kernel and table under its plain name, and
// neither the internal tone table of the two-colour kernels nor the colour-effect helpers.
TEST(KernelExports, SharedLibraryExportsTheKernelsAndNotTheHelpers) {
    const std::string library = halftone_test::sharedLibraryPath();
    if (access(library.c_str(), R_OK) != 0) {
        GTEST_SKIP() << library << " is not built (no host bridge in this build)";
    }
    const auto symbols = halftone_test::definedSymbols(library, true);
    ASSERT_FALSE(symbols.empty()) << "nm -D found no symbols in " << library;
    for (const char* name :
         {"ConvRgbToRedBlack", "BinarizeThreshold", "BinarizeDither", "BinarizeErrorDiffusion",
          "MergeBinaryToTermany", "MakeBicolorTernaryThreshold", "MakeBicolorTernaryDither",
          "MakeBicolorTernaryErrorDiffusion", "ConvReducedColorErrorDiffusion", "ExecColorEffect",
          "MakeColorEffectTable", "HTNLIB_InitNaiveBinarize", "HTNLIB_NaiveBinarize",
          "HTNLIB_InitDither", "HTNLIB_Dither", "HTNLIB_InitErrorDiffusion",
          "HTNLIB_ErrorDiffusion"}) {
        const auto it = symbols.find(name);
        ASSERT_NE(it, symbols.end()) << name << " is not exported";
        EXPECT_EQ(it->second, 'T') << name;
    }
    for (const char* name : {"tbl_LUT_DITHER", "tbl_LUT_ERRORDIFFUSION", "tbl_Dither",
                             "tbl_BlueNoise", "tbl_WhiteNoise"}) {
        EXPECT_EQ(symbols.count(name), 1u) << name << " is not exported";
    }
    EXPECT_EQ(symbols.count("tbl_LUT_BINARIZE"), 0u);
    for (const auto& s : symbols) {
        for (const char* helper :
             {"TlMakeColorEffectTable", "TlMakeColorEffectTableMain", "CorrectSplineColorEffect"}) {
            EXPECT_EQ(s.first.find(helper), std::string::npos) << s.first << " is exported";
        }
    }
}

}  // namespace
