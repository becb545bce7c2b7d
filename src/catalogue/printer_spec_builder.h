#pragma once

#include "catalogue/model.h"
#include "catalogue/printer_spec.h"

// Decodes model records into a PrinterSpec.
//
// A record is a sequence of tagged items; each item parser takes the record, its length,
// the PrinterSpec to fill and the position of the item's tag byte, and returns the number of
// bytes the item takes. An item that is not wholly inside the record (or a position,
// length or pointer that makes no sense) assigns nothing and returns `length`, which ends
// the item loop. Nothing is cleared before decoding: ports are appended and the first map
// entry for a port wins, so decode into a freshly defaulted PrinterSpec.
class PrinterSpecBuilder {
  public:
    // Fills `spec` from the stored record of `model`; a model without a record (43, 44,
    // NO_MODEL, any value outside the catalogue) leaves `spec` untouched.
    void getPrinterSpec(PrinterSpec& spec, Model model) const;

    // Decodes the record of `length` bytes at `data`, item by item, then copies the
    // Bluetooth map entries to Bluetooth Low Energy where the model has both ports.
    void parsePrinterSpec(const unsigned char* data, int length, PrinterSpec& spec) const;

    int parseBaseInfo(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseVariousMode(const unsigned char* data, int length, PrinterSpec& spec,
                         int position) const;
    int parseAdvancedMode(const unsigned char* data, int length, PrinterSpec& spec,
                          int position) const;
    int parseAdditionMedia(const unsigned char* data, int length, PrinterSpec& spec,
                           int position) const;
    int parseFCFeed(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseMode9(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseSupportFun(const unsigned char* data, int length, PrinterSpec& spec,
                        int position) const;
    int parseBluetoothSetting(const unsigned char* data, int length, PrinterSpec& spec,
                              int position) const;
    int parseNetSetting(const unsigned char* data, int length, PrinterSpec& spec,
                        int position) const;
    int parsePowerSetting(const unsigned char* data, int length, PrinterSpec& spec,
                          int position) const;
    int parsePrinterSetting(const unsigned char* data, int length, PrinterSpec& spec,
                            int position) const;
    int parsePaperKind(const unsigned char* data, int length, PrinterSpec& spec,
                       int position) const;
    int parseSpaceCommand(const unsigned char* data, int length, PrinterSpec& spec,
                          int position) const;
    int parsePrinterInfo(const unsigned char* data, int length, PrinterSpec& spec,
                         int position) const;
    int parseDensity(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseColorInfo(const unsigned char* data, int length, PrinterSpec& spec,
                       int position) const;
    int parseTemplateInfo(const unsigned char* data, int length, PrinterSpec& spec,
                          int position) const;
    int parseTubeInfo(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseFirmUpdateInfo(const unsigned char* data, int length, PrinterSpec& spec,
                            int position) const;
    int parseCompress(const unsigned char* data, int length, PrinterSpec& spec, int position) const;
    int parseChangeStatusMode(const unsigned char* data, int length, PrinterSpec& spec,
                              int position) const;
    int parseCommandProtocol(const unsigned char* data, int length, PrinterSpec& spec,
                             int position) const;

    // For each per-port map with a Bluetooth entry, creates or overwrites the Bluetooth Low
    // Energy entry with the same value; only when `spec.ports` holds both ports.
    void duplicateBluetoothSpecToBLE(PrinterSpec& spec) const;
};
