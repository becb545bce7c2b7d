#include "catalogue/printer_spec_builder.h"

// Interface in place; decoding arrives with the model records.

void PrinterSpecBuilder::getPrinterSpec(PrinterSpec&, Model) const {}

void PrinterSpecBuilder::parsePrinterSpec(const unsigned char*, int, PrinterSpec&) const {}

int PrinterSpecBuilder::parseBaseInfo(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseVariousMode(const unsigned char*, int length, PrinterSpec&,
                                         int) const {
    return length;
}

int PrinterSpecBuilder::parseAdvancedMode(const unsigned char*, int length, PrinterSpec&,
                                          int) const {
    return length;
}

int PrinterSpecBuilder::parseAdditionMedia(const unsigned char*, int length, PrinterSpec&,
                                           int) const {
    return length;
}

int PrinterSpecBuilder::parseFCFeed(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseMode9(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseSupportFun(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseBluetoothSetting(const unsigned char*, int length, PrinterSpec&,
                                              int) const {
    return length;
}

int PrinterSpecBuilder::parseNetSetting(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parsePowerSetting(const unsigned char*, int length, PrinterSpec&,
                                          int) const {
    return length;
}

int PrinterSpecBuilder::parsePrinterSetting(const unsigned char*, int length, PrinterSpec&,
                                            int) const {
    return length;
}

int PrinterSpecBuilder::parsePaperKind(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseSpaceCommand(const unsigned char*, int length, PrinterSpec&,
                                          int) const {
    return length;
}

int PrinterSpecBuilder::parsePrinterInfo(const unsigned char*, int length, PrinterSpec&,
                                         int) const {
    return length;
}

int PrinterSpecBuilder::parseDensity(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseColorInfo(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseTemplateInfo(const unsigned char*, int length, PrinterSpec&,
                                          int) const {
    return length;
}

int PrinterSpecBuilder::parseTubeInfo(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseFirmUpdateInfo(const unsigned char*, int length, PrinterSpec&,
                                            int) const {
    return length;
}

int PrinterSpecBuilder::parseCompress(const unsigned char*, int length, PrinterSpec&, int) const {
    return length;
}

int PrinterSpecBuilder::parseChangeStatusMode(const unsigned char*, int length, PrinterSpec&,
                                              int) const {
    return length;
}

int PrinterSpecBuilder::parseCommandProtocol(const unsigned char*, int length, PrinterSpec&,
                                             int) const {
    return length;
}

void PrinterSpecBuilder::duplicateBluetoothSpecToBLE(PrinterSpec&) const {}
