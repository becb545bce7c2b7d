#pragma once

#include <gtest/gtest.h>

// Puts every PrinterStatus static back to its load-time value (everything zero, the
// battery reading blank) and clears BasePrinter::cancel_flag.
void resetPrinterStatusStatics();

// A listener registered by the support library runs this before every test of every test
// program. The fixture below does it again around a test that wants to say so.

// A test whose statics start as when the library was loaded.
class PrinterStatusTest : public ::testing::Test {
  protected:
    void SetUp() override { resetPrinterStatusStatics(); }
    void TearDown() override { resetPrinterStatusStatics(); }
};
