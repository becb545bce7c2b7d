#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/printer_spec.h"

// One line per differing field of two PrinterSpec records, each naming the field with
// both values ("dpi: expected 300, got 203"); empty when they are equal.
std::vector<std::string> printerSpecDifferences(const PrinterSpec& expected,
                                                const PrinterSpec& actual);

// For EXPECT_TRUE: fails with the list of differing fields.
::testing::AssertionResult samePrinterSpec(const PrinterSpec& expected, const PrinterSpec& actual);
