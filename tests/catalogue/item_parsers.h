#pragma once

#include "catalogue/printer_spec_builder.h"

// The item parsers of PrinterSpecBuilder indexed by their tag (1 to 22).
namespace item_parsers {

using Parser = int (PrinterSpecBuilder::*)(const unsigned char*, int, PrinterSpec&, int) const;

inline constexpr Parser byTag[23] = {
    nullptr,
    &PrinterSpecBuilder::parseBaseInfo,
    &PrinterSpecBuilder::parseVariousMode,
    &PrinterSpecBuilder::parseAdvancedMode,
    &PrinterSpecBuilder::parseAdditionMedia,
    &PrinterSpecBuilder::parseFCFeed,
    &PrinterSpecBuilder::parseMode9,
    &PrinterSpecBuilder::parseSupportFun,
    &PrinterSpecBuilder::parseBluetoothSetting,
    &PrinterSpecBuilder::parseNetSetting,
    &PrinterSpecBuilder::parsePowerSetting,
    &PrinterSpecBuilder::parsePrinterSetting,
    &PrinterSpecBuilder::parsePaperKind,
    &PrinterSpecBuilder::parseSpaceCommand,
    &PrinterSpecBuilder::parsePrinterInfo,
    &PrinterSpecBuilder::parseDensity,
    &PrinterSpecBuilder::parseColorInfo,
    &PrinterSpecBuilder::parseTemplateInfo,
    &PrinterSpecBuilder::parseTubeInfo,
    &PrinterSpecBuilder::parseFirmUpdateInfo,
    &PrinterSpecBuilder::parseCompress,
    &PrinterSpecBuilder::parseChangeStatusMode,
    &PrinterSpecBuilder::parseCommandProtocol,
};

inline int call(int tag, const unsigned char* data, int length, PrinterSpec& spec, int position) {
    return (PrinterSpecBuilder().*byTag[tag])(data, length, spec, position);
}

}  // namespace item_parsers
