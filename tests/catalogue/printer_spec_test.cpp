#include "catalogue/printer_spec.h"

#include <gtest/gtest.h>

#include "catalogue/printer_spec_builder.h"

namespace {

TEST(PrinterSpec, MinPrintableAreaLength) {
    const struct {
        int minimum;
        int margin;
        int dpi;
        int dots;
    } cases[] = {
        {254, 30, 300, 230},  {120, 0, 203, 96},           {120, 0, 300, 142},
        {0, 0, 300, 0},       {254, 0, 300, 300},  // exactly one inch
        {100, 50, 300, 0},                         // margins take it all
        {100, 60, 300, 0},  // margins exceed the minimum: clamped, not wrapped
        {0, 255, 360, 0},     {65535, 0, 65535, 16908804},  // widest values stay in range
        {2034, 0, 127, 1018},  // single precision, d / 254 first (exactly 1017)
    };
    for (const auto& c : cases) {
        PrinterSpec s;
        s.minLengthTenthMm = static_cast<uint16_t>(c.minimum);
        s.lengthMarginTenthMm = static_cast<uint8_t>(c.margin);
        s.dpi = static_cast<uint16_t>(c.dpi);
        EXPECT_EQ(s.minPrintableAreaLength_dot(), c.dots)
            << c.minimum << " " << c.margin << " " << c.dpi;
    }
}

TEST(PrinterSpec, MinPrintableAreaLengthOfCatalogueModels) {
    const struct {
        Model model;
        int dots;
    } cases[] = {{VZ_4600, 230}, {SN_7400D, 96}, {SN_7500D, 142}, {GY_150BT, 0}};
    for (const auto& c : cases) {
        PrinterSpec s;
        PrinterSpecBuilder().getPrinterSpec(s, c.model);
        EXPECT_EQ(s.minPrintableAreaLength_dot(), c.dots) << "model " << c.model;
    }
}

}  // namespace
