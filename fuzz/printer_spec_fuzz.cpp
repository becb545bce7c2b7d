// Model records of arbitrary bytes through the record parser and the Bluetooth Low Energy
// copy.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalogue/printer_spec.h"
#include "catalogue/printer_spec_builder.h"
#include "fuzz_common.h"

namespace {

bool hasPort(const PrinterSpec& spec, Port port) {
    for (Port p : spec.ports) {
        if (p == port) {
            return true;
        }
    }
    return false;
}

template <typename Map>
void checkCopied(const Map& map) {
    const auto bluetooth = map.find(PORT_BLUETOOTH);
    if (bluetooth != map.end()) {
        const auto ble = map.find(PORT_BLE);
        FUZZ_CHECK(ble != map.end() && ble->second == bluetooth->second);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy on the heap, so that AddressSanitizer sees any read past the record.
    const std::vector<unsigned char> record(data, data + size);
    const int length = static_cast<int>(size);
    const PrinterSpecBuilder builder;

    PrinterSpec spec;
    builder.parsePrinterSpec(record.empty() ? nullptr : record.data(), length, spec);

    // Each port at most once (one base item adds at most four), texts within their fields.
    FUZZ_CHECK(spec.modelName.size() <= 16);
    FUZZ_CHECK(spec.templateFirmwareMinVersion.size() <= 4);
    FUZZ_CHECK(spec.feedModes >= 0 && spec.feedModes <= 15);
    const int version = spec.commandProtocol.version;
    FUZZ_CHECK(version == 89 || version == 90 || version == 100 || version == 101 ||
               version == 102);
    if (hasPort(spec, PORT_BLUETOOTH) && hasPort(spec, PORT_BLE)) {
        checkCopied(spec.supportFunctions);
        checkCopied(spec.netSettings);
        checkCopied(spec.bluetoothSettings);
        checkCopied(spec.powerSettings);
        checkCopied(spec.printSettings);
    }
    (void)spec.minPrintableAreaLength_dot();

    // Every item parser at an arbitrary position and length: nothing is read outside the
    // record, and a refused item returns the length.
    if (size >= 3) {
        const int position = static_cast<int8_t>(record[0]) * 3 + record[1] % 64;
        const int tag = record[2] % 24;
        PrinterSpec other;
        const unsigned char* p = record.data();
        int consumed = 0;
        switch (tag) {
            case 1:
                consumed = builder.parseBaseInfo(p, length, other, position);
                break;
            case 2:
                consumed = builder.parseVariousMode(p, length, other, position);
                break;
            case 3:
                consumed = builder.parseAdvancedMode(p, length, other, position);
                break;
            case 4:
                consumed = builder.parseAdditionMedia(p, length, other, position);
                break;
            case 5:
                consumed = builder.parseFCFeed(p, length, other, position);
                break;
            case 6:
                consumed = builder.parseMode9(p, length, other, position);
                break;
            case 7:
                consumed = builder.parseSupportFun(p, length, other, position);
                break;
            case 8:
                consumed = builder.parseBluetoothSetting(p, length, other, position);
                break;
            case 9:
                consumed = builder.parseNetSetting(p, length, other, position);
                break;
            case 10:
                consumed = builder.parsePowerSetting(p, length, other, position);
                break;
            case 11:
                consumed = builder.parsePrinterSetting(p, length, other, position);
                break;
            case 12:
                consumed = builder.parsePaperKind(p, length, other, position);
                break;
            case 13:
                consumed = builder.parseSpaceCommand(p, length, other, position);
                break;
            case 14:
                consumed = builder.parsePrinterInfo(p, length, other, position);
                break;
            case 15:
                consumed = builder.parseDensity(p, length, other, position);
                break;
            case 16:
                consumed = builder.parseColorInfo(p, length, other, position);
                break;
            case 17:
                consumed = builder.parseTemplateInfo(p, length, other, position);
                break;
            case 18:
                consumed = builder.parseTubeInfo(p, length, other, position);
                break;
            case 19:
                consumed = builder.parseFirmUpdateInfo(p, length, other, position);
                break;
            case 20:
                consumed = builder.parseCompress(p, length, other, position);
                break;
            case 21:
                consumed = builder.parseChangeStatusMode(p, length, other, position);
                break;
            case 22:
                consumed = builder.parseCommandProtocol(p, length, other, position);
                break;
            default:
                builder.duplicateBluetoothSpecToBLE(other);
                break;
        }
        // A parser either takes a whole item that lies inside the record or refuses.
        FUZZ_CHECK(tag < 1 || tag > 22 || consumed == length ||
                   (consumed > 0 && position >= 0 &&
                    static_cast<long long>(position) + consumed <= length));
    }
    return 0;
}
