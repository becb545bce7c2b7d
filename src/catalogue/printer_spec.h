#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "catalogue/battery_mode.h"
#include "catalogue/command_protocol.h"
#include "catalogue/port.h"
#include "catalogue/support_func.h"

// What one printer model can do, decoded from its model record by PrinterSpecBuilder.
// A plain value type: filled once, then only read and copied.
struct PrinterSpec {
    int seriesId = 0;  // 1 FC, 2 HU, 3 SN, 4 GY, 5 VZ, 6 KX
    std::vector<Port> ports;
    uint16_t headDots = 0;
    uint16_t dpi = 0;
    uint16_t dpiSecond = 0;
    std::string modelName;
    uint16_t usbProductId = 0;
    uint8_t modelCode = 0;
    uint8_t seriesCode = 0;
    bool statusSupported = true;
    int batteryMode = PS_BATTERY_NONE;  // a PSBatteryMode value
    bool additionMedia = true;
    bool legacyGamma = true;
    uint16_t invalidateLength = 0;
    int rasterLineStyle = 1;
    bool paperCheck = false;
    bool waitForPaperSupported = false;
    bool auxFlag2 = false;
    bool clearMediaErrorAtEnd = false;
    uint16_t minLengthTenthMm = 0;
    uint8_t lengthMarginTenthMm = 0;
    int variousModeCaps = 0;
    int advancedModeCaps = 0;
    int feedModes = 0;
    bool printerCaseCommand = false;
    bool speedCommand = false;
    bool mode9Supported = false;
    int mode9Parameter = 0;
    bool mode9MirrorMargin = false;
    int pageCommandMode = 2;
    std::map<Port, uint16_t> supportFunctions;
    std::map<Port, uint32_t> netSettings;
    std::map<Port, uint32_t> bluetoothSettings;
    std::map<Port, uint32_t> powerSettings;
    std::map<Port, uint32_t> printSettings;
    int paperKinds = 0;
    bool usePaperLeftOffset = false;
    bool spaceCommand = false;
    bool printInformationCommand = false;
    bool densityCommand = false;
    int colorMode = 255;
    int labelColorStatusIndex = -1;
    int inkColorStatusIndex = -1;
    bool templateFirmwareCheck = false;
    uint8_t templateFirmwareCode = 0;
    std::string templateFirmwareMinVersion;
    bool changeModeBeforeTemplateUpload = false;
    bool changeModeBeforeFirmwareUpdate = false;
    uint16_t templateObjectMax = 0;
    bool waitAfterLastChunk = false;
    int firmwareVersionMethod = 1;
    bool serialNumberCommand = false;
    bool mediaVersionCommand = false;
    bool batteryWeakBootModeCommand = false;
    int tubeRibbonInkColorStatusIndex = 0;
    bool tubeSupported = false;
    uint16_t tubeHeadDots = 0;
    bool qualityModeSupported = false;
    int copiesCommand = 0;
    int compression = 2;
    bool changeStatusModeCommand = false;
    tpes::CommandProtocol commandProtocol;

    // Shortest printable label length in dots: the minimum length less both end margins
    // (never below 0), converted at dpi and rounded up. 0 when the model has no minimum.
    int minPrintableAreaLength_dot() const;
};
