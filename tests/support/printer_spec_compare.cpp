#include "support/printer_spec_compare.h"

#include <cstdint>
#include <map>
#include <sstream>
#include <type_traits>

namespace {

template <typename T>
void show(std::ostream& out, const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
        out << (value ? "true" : "false");
    } else if constexpr (std::is_same_v<T, std::string>) {
        out << '"' << value << '"';
    } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
        out << static_cast<long long>(value);
    } else if constexpr (std::is_same_v<T, tpes::CommandProtocol>) {
        out << "version " << value.version;
    } else if constexpr (std::is_same_v<T, std::vector<Port>>) {
        out << '{';
        for (size_t i = 0; i < value.size(); ++i) {
            out << (i == 0 ? "" : ", ") << static_cast<int>(value[i]);
        }
        out << '}';
    } else {
        // std::map<Port, unsigned number>
        out << '{';
        bool first = true;
        for (const auto& entry : value) {
            out << (first ? "" : ", ") << static_cast<int>(entry.first) << ": 0x" << std::hex
                << static_cast<unsigned long>(entry.second) << std::dec;
            first = false;
        }
        out << '}';
    }
}

bool same(const tpes::CommandProtocol& a, const tpes::CommandProtocol& b) {
    return a.version == b.version;
}
template <typename T>
bool same(const T& a, const T& b) {
    return a == b;
}

template <typename T>
void compare(std::vector<std::string>& out, const char* name, const T& expected, const T& actual) {
    if (same(expected, actual)) {
        return;
    }
    std::ostringstream line;
    line << name << ": expected ";
    show(line, expected);
    line << ", got ";
    show(line, actual);
    out.push_back(line.str());
}

}  // namespace

std::vector<std::string> printerSpecDifferences(const PrinterSpec& expected,
                                                const PrinterSpec& actual) {
    std::vector<std::string> out;
#define CMP(field) compare(out, #field, expected.field, actual.field)
    CMP(seriesId);
    CMP(ports);
    CMP(headDots);
    CMP(dpi);
    CMP(dpiSecond);
    CMP(modelName);
    CMP(usbProductId);
    CMP(modelCode);
    CMP(seriesCode);
    CMP(statusSupported);
    CMP(batteryMode);
    CMP(additionMedia);
    CMP(legacyGamma);
    CMP(invalidateLength);
    CMP(rasterLineStyle);
    CMP(paperCheck);
    CMP(waitForPaperSupported);
    CMP(auxFlag2);
    CMP(clearMediaErrorAtEnd);
    CMP(minLengthTenthMm);
    CMP(lengthMarginTenthMm);
    CMP(variousModeCaps);
    CMP(advancedModeCaps);
    CMP(feedModes);
    CMP(printerCaseCommand);
    CMP(speedCommand);
    CMP(mode9Supported);
    CMP(mode9Parameter);
    CMP(mode9MirrorMargin);
    CMP(pageCommandMode);
    CMP(supportFunctions);
    CMP(netSettings);
    CMP(bluetoothSettings);
    CMP(powerSettings);
    CMP(printSettings);
    CMP(paperKinds);
    CMP(usePaperLeftOffset);
    CMP(spaceCommand);
    CMP(printInformationCommand);
    CMP(densityCommand);
    CMP(colorMode);
    CMP(labelColorStatusIndex);
    CMP(inkColorStatusIndex);
    CMP(templateFirmwareCheck);
    CMP(templateFirmwareCode);
    CMP(templateFirmwareMinVersion);
    CMP(changeModeBeforeTemplateUpload);
    CMP(changeModeBeforeFirmwareUpdate);
    CMP(templateObjectMax);
    CMP(waitAfterLastChunk);
    CMP(firmwareVersionMethod);
    CMP(serialNumberCommand);
    CMP(mediaVersionCommand);
    CMP(batteryWeakBootModeCommand);
    CMP(tubeRibbonInkColorStatusIndex);
    CMP(tubeSupported);
    CMP(tubeHeadDots);
    CMP(qualityModeSupported);
    CMP(copiesCommand);
    CMP(compression);
    CMP(changeStatusModeCommand);
    CMP(commandProtocol);
#undef CMP
    return out;
}

::testing::AssertionResult samePrinterSpec(const PrinterSpec& expected, const PrinterSpec& actual) {
    const std::vector<std::string> diffs = printerSpecDifferences(expected, actual);
    if (diffs.empty()) {
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (const std::string& line : diffs) {
        result << "\n  " << line;
    }
    return result;
}
