#include "catalogue/printer_spec_builder.h"

#include <cstdint>
#include <map>
#include <string>

#include "catalogue/model_record.h"

// Layout of a model record: a sequence of items, each starting with its tag byte. Offsets
// below count from the tag byte. Every number of two or four bytes is big-endian.

namespace {

// Tag values of the record items.
enum ItemTag : int {
    TAG_BASE_INFO = 1,
    TAG_VARIOUS_MODE = 2,
    TAG_ADVANCED_MODE = 3,
    TAG_ADDITION_MEDIA = 4,
    TAG_FC_FEED = 5,
    TAG_MODE9 = 6,
    TAG_SUPPORT_FUN = 7,
    TAG_BLUETOOTH_SETTING = 8,
    TAG_NET_SETTING = 9,
    TAG_POWER_SETTING = 10,
    TAG_PRINTER_SETTING = 11,
    TAG_PAPER_KIND = 12,
    TAG_SPACE_COMMAND = 13,
    TAG_PRINTER_INFO = 14,
    TAG_DENSITY = 15,
    TAG_COLOR_INFO = 16,
    TAG_TEMPLATE_INFO = 17,
    TAG_TUBE_INFO = 18,
    TAG_FIRM_UPDATE_INFO = 19,
    TAG_COMPRESS = 20,
    TAG_CHANGE_STATUS_MODE = 21,
    TAG_COMMAND_PROTOCOL = 22,
};

// A view of one item that has passed the item check: every offset below its size can be
// read. `at` refuses (returns 0) anything else, so a wrong offset cannot leave the record.
class Item {
  public:
    Item(const unsigned char* start, int size) : start_(start), size_(size) {}

    unsigned int at(int offset) const {
        return offset >= 0 && offset < size_ ? start_[offset] : 0u;
    }
    uint16_t be16(int offset) const {
        return static_cast<uint16_t>((at(offset) << 8) | at(offset + 1));
    }
    uint32_t be32(int offset) const {
        return (static_cast<uint32_t>(at(offset)) << 24) |
               (static_cast<uint32_t>(at(offset + 1)) << 16) |
               (static_cast<uint32_t>(at(offset + 2)) << 8) | static_cast<uint32_t>(at(offset + 3));
    }
    // Non-zero byte: true.
    bool flag(int offset) const { return at(offset) != 0; }
    // Exactly 1: true; any other value leaves `field` as it was.
    void setIfOne(int offset, bool& field) const {
        if (at(offset) == 1) {
            field = true;
        }
    }
    // The bytes of a fixed-width text field up to its first zero byte.
    std::string text(int offset, int width) const {
        std::string out;
        for (int i = 0; i < width; ++i) {
            const unsigned int c = at(offset + i);
            if (c == 0) {
                break;
            }
            out.push_back(static_cast<char>(c));
        }
        return out;
    }

  private:
    const unsigned char* start_;
    int size_;
};

// True when the byte at `position` lies inside the record and holds `tag`.
bool tagAt(const unsigned char* data, int length, int position, int tag) {
    return data != nullptr && length > 0 && position >= 0 && position < length &&
           data[position] == tag;
}

// True when `size` bytes from `position` lie inside the record (without overflow).
bool fits(int length, int position, int size) {
    return size <= length - position;
}

// Size of a per-port map item (tag, entry count n, n entries of `entrySize` bytes), or -1
// when its count byte lies outside the record.
int mapItemSize(const unsigned char* data, int length, int position, int entrySize) {
    if (!fits(length, position, 2)) {
        return -1;
    }
    return 2 + static_cast<int>(data[position + 1]) * entrySize;  // at most 2 + 255 * 5
}

// Adds the entries of a map item; the first entry for a port wins.
template <typename Value>
void addEntries(const Item& item, int count, int entrySize, std::map<Port, Value>& map) {
    for (int i = 0; i < count; ++i) {
        const int offset = 2 + i * entrySize;
        const Port port = static_cast<Port>(item.at(offset));
        const Value value = entrySize == 3 ? static_cast<Value>(item.be16(offset + 1))
                                           : static_cast<Value>(item.be32(offset + 1));
        map.emplace(port, value);
    }
}

// Shared body of the four-byte-value map items (8 to 11).
int parseSettingMap(const unsigned char* data, int length, int position, int tag,
                    std::map<Port, uint32_t>& map) {
    if (!tagAt(data, length, position, tag)) {
        return length;
    }
    const int size = mapItemSize(data, length, position, 5);
    if (size < 0 || !fits(length, position, size)) {
        return length;
    }
    const Item item(data + position, size);
    addEntries(item, static_cast<int>(item.at(1)), 5, map);
    return size;
}

// Checks a fixed-size item; on success `out` views it.
bool fixedItem(const unsigned char* data, int length, int position, int tag, int size,
               const unsigned char** out) {
    if (!tagAt(data, length, position, tag) || !fits(length, position, size)) {
        return false;
    }
    *out = data + position;
    return true;
}

}  // namespace

void PrinterSpecBuilder::getPrinterSpec(PrinterSpec& spec, Model model) const {
    const ModelRecord record = modelRecord(model);
    if (record.data == nullptr) {
        return;  // no record: the PrinterSpec keeps what it holds
    }
    parsePrinterSpec(record.data, record.length, spec);
}

void PrinterSpecBuilder::parsePrinterSpec(const unsigned char* data, int length,
                                          PrinterSpec& spec) const {
    using ItemParser =
        int (PrinterSpecBuilder::*)(const unsigned char*, int, PrinterSpec&, int) const;
    static constexpr ItemParser parsers[] = {
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
    constexpr int lastTag = static_cast<int>(sizeof(parsers) / sizeof(parsers[0])) - 1;

    int position = 0;
    while (data != nullptr && position < length) {
        const int tag = data[position];
        if (tag < 1 || tag > lastTag) {
            break;  // unknown tag: keep what the earlier items filled in
        }
        const int used = (this->*parsers[tag])(data, length, spec, position);
        if (used <= 0 || used > length - position) {
            break;  // the item failed its check (or would run past the end)
        }
        position += used;
    }
    duplicateBluetoothSpecToBLE(spec);
}

int PrinterSpecBuilder::parseBaseInfo(const unsigned char* data, int length, PrinterSpec& spec,
                                      int position) const {
    constexpr int size = 45;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_BASE_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.seriesId = static_cast<int>(item.at(1));
    const unsigned int portBits = item.at(2);
    for (const Port port : {PORT_USB, PORT_BLUETOOTH, PORT_NET, PORT_BLE}) {
        if ((portBits & static_cast<unsigned int>(port)) != 0) {
            spec.ports.push_back(port);
        }
    }
    spec.headDots = item.be16(3);
    spec.dpi = item.be16(5);
    spec.dpiSecond = item.be16(7);
    // Byte 9 (the name's length in the stored records) is not read.
    spec.modelName = item.text(10, 16);
    spec.usbProductId = item.be16(26);
    spec.seriesCode = static_cast<uint8_t>(item.at(28));
    spec.modelCode = static_cast<uint8_t>(item.at(29));
    spec.statusSupported = item.flag(30);
    spec.batteryMode = static_cast<int>(item.at(31));
    spec.additionMedia = item.flag(32);
    spec.legacyGamma = item.flag(33);
    spec.invalidateLength = item.be16(34);
    spec.rasterLineStyle = static_cast<int>(item.at(36));
    spec.paperCheck = item.flag(37);
    spec.waitForPaperSupported = item.flag(38);
    spec.auxFlag2 = item.flag(39);
    spec.pageCommandMode = static_cast<int>(item.at(40));
    spec.clearMediaErrorAtEnd = item.flag(41);
    spec.minLengthTenthMm = item.be16(42);
    spec.lengthMarginTenthMm = static_cast<uint8_t>(item.at(44));
    return size;
}

int PrinterSpecBuilder::parseVariousMode(const unsigned char* data, int length, PrinterSpec& spec,
                                         int position) const {
    constexpr int size = 3;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_VARIOUS_MODE, size, &start)) {
        return length;
    }
    spec.variousModeCaps = Item(start, size).be16(1);
    return size;
}

int PrinterSpecBuilder::parseAdvancedMode(const unsigned char* data, int length, PrinterSpec& spec,
                                          int position) const {
    constexpr int size = 3;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_ADVANCED_MODE, size, &start)) {
        return length;
    }
    spec.advancedModeCaps = Item(start, size).be16(1);
    return size;
}

int PrinterSpecBuilder::parseAdditionMedia(const unsigned char* data, int length, PrinterSpec& spec,
                                           int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_ADDITION_MEDIA, size, &start)) {
        return length;
    }
    spec.additionMedia = Item(start, size).flag(1);
    return size;
}

int PrinterSpecBuilder::parseFCFeed(const unsigned char* data, int length, PrinterSpec& spec,
                                    int position) const {
    constexpr int size = 4;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_FC_FEED, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.feedModes = static_cast<int>(item.at(1) & 0x0Fu);
    spec.printerCaseCommand = item.flag(2);
    spec.speedCommand = item.flag(3);
    return size;
}

int PrinterSpecBuilder::parseMode9(const unsigned char* data, int length, PrinterSpec& spec,
                                   int position) const {
    constexpr int size = 5;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_MODE9, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.mode9Supported = item.flag(1);
    spec.mode9Parameter = item.be16(2);
    spec.mode9MirrorMargin = item.flag(4);
    return size;
}

int PrinterSpecBuilder::parseSupportFun(const unsigned char* data, int length, PrinterSpec& spec,
                                        int position) const {
    if (!tagAt(data, length, position, TAG_SUPPORT_FUN)) {
        return length;
    }
    const int size = mapItemSize(data, length, position, 3);
    if (size < 0 || !fits(length, position, size)) {
        return length;
    }
    const Item item(data + position, size);
    addEntries(item, static_cast<int>(item.at(1)), 3, spec.supportFunctions);
    return size;
}

int PrinterSpecBuilder::parseBluetoothSetting(const unsigned char* data, int length,
                                              PrinterSpec& spec, int position) const {
    return parseSettingMap(data, length, position, TAG_BLUETOOTH_SETTING, spec.bluetoothSettings);
}

int PrinterSpecBuilder::parseNetSetting(const unsigned char* data, int length, PrinterSpec& spec,
                                        int position) const {
    return parseSettingMap(data, length, position, TAG_NET_SETTING, spec.netSettings);
}

int PrinterSpecBuilder::parsePowerSetting(const unsigned char* data, int length, PrinterSpec& spec,
                                          int position) const {
    return parseSettingMap(data, length, position, TAG_POWER_SETTING, spec.powerSettings);
}

int PrinterSpecBuilder::parsePrinterSetting(const unsigned char* data, int length,
                                            PrinterSpec& spec, int position) const {
    return parseSettingMap(data, length, position, TAG_PRINTER_SETTING, spec.printSettings);
}

int PrinterSpecBuilder::parsePaperKind(const unsigned char* data, int length, PrinterSpec& spec,
                                       int position) const {
    constexpr int size = 4;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_PAPER_KIND, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.paperKinds = item.be16(1);
    spec.usePaperLeftOffset = item.flag(3);
    return size;
}

int PrinterSpecBuilder::parseSpaceCommand(const unsigned char* data, int length, PrinterSpec& spec,
                                          int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_SPACE_COMMAND, size, &start)) {
        return length;
    }
    spec.spaceCommand = Item(start, size).flag(1);
    return size;
}

int PrinterSpecBuilder::parsePrinterInfo(const unsigned char* data, int length, PrinterSpec& spec,
                                         int position) const {
    constexpr int size = 4;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_PRINTER_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.printInformationCommand = item.flag(1);
    spec.qualityModeSupported = item.flag(2);
    spec.copiesCommand = static_cast<int>(item.at(3));
    return size;
}

int PrinterSpecBuilder::parseDensity(const unsigned char* data, int length, PrinterSpec& spec,
                                     int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_DENSITY, size, &start)) {
        return length;
    }
    spec.densityCommand = Item(start, size).flag(1);
    return size;
}

int PrinterSpecBuilder::parseColorInfo(const unsigned char* data, int length, PrinterSpec& spec,
                                       int position) const {
    constexpr int size = 4;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_COLOR_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    spec.colorMode = static_cast<int>(item.at(1));
    spec.labelColorStatusIndex = static_cast<int>(item.at(2));
    spec.inkColorStatusIndex = static_cast<int>(item.at(3));
    return size;
}

int PrinterSpecBuilder::parseTemplateInfo(const unsigned char* data, int length, PrinterSpec& spec,
                                          int position) const {
    constexpr int size = 10;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_TEMPLATE_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    item.setIfOne(1, spec.templateFirmwareCheck);
    spec.templateFirmwareCode = static_cast<uint8_t>(item.at(2));
    spec.templateFirmwareMinVersion = item.text(3, 4);
    item.setIfOne(7, spec.changeModeBeforeTemplateUpload);
    spec.templateObjectMax = item.be16(8);
    return size;
}

int PrinterSpecBuilder::parseTubeInfo(const unsigned char* data, int length, PrinterSpec& spec,
                                      int position) const {
    constexpr int size = 5;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_TUBE_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    item.setIfOne(1, spec.tubeSupported);
    spec.tubeRibbonInkColorStatusIndex = static_cast<int>(item.at(2));
    spec.tubeHeadDots = item.be16(3);
    return size;
}

int PrinterSpecBuilder::parseFirmUpdateInfo(const unsigned char* data, int length,
                                            PrinterSpec& spec, int position) const {
    constexpr int size = 7;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_FIRM_UPDATE_INFO, size, &start)) {
        return length;
    }
    const Item item(start, size);
    item.setIfOne(1, spec.waitAfterLastChunk);
    spec.firmwareVersionMethod = static_cast<int>(item.at(2));
    item.setIfOne(3, spec.changeModeBeforeFirmwareUpdate);
    item.setIfOne(4, spec.serialNumberCommand);
    item.setIfOne(5, spec.mediaVersionCommand);
    item.setIfOne(6, spec.batteryWeakBootModeCommand);
    return size;
}

int PrinterSpecBuilder::parseCompress(const unsigned char* data, int length, PrinterSpec& spec,
                                      int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_COMPRESS, size, &start)) {
        return length;
    }
    spec.compression = static_cast<int>(Item(start, size).at(1));
    return size;
}

int PrinterSpecBuilder::parseChangeStatusMode(const unsigned char* data, int length,
                                              PrinterSpec& spec, int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_CHANGE_STATUS_MODE, size, &start)) {
        return length;
    }
    spec.changeStatusModeCommand = Item(start, size).at(1) == 1;  // only 1 counts
    return size;
}

int PrinterSpecBuilder::parseCommandProtocol(const unsigned char* data, int length,
                                             PrinterSpec& spec, int position) const {
    constexpr int size = 2;
    const unsigned char* start = nullptr;
    if (!fixedItem(data, length, position, TAG_COMMAND_PROTOCOL, size, &start)) {
        return length;
    }
    spec.commandProtocol.version =
        tpes::CommandProtocol::versionForInt(static_cast<int>(Item(start, size).at(1)));
    return size;
}

void PrinterSpecBuilder::duplicateBluetoothSpecToBLE(PrinterSpec& spec) const {
    bool hasBluetooth = false;
    bool hasBle = false;
    for (const Port port : spec.ports) {
        hasBluetooth = hasBluetooth || port == PORT_BLUETOOTH;
        hasBle = hasBle || port == PORT_BLE;
    }
    if (!hasBluetooth || !hasBle) {
        return;
    }
    const auto copy = [](auto& map) {
        const auto bluetooth = map.find(PORT_BLUETOOTH);
        if (bluetooth != map.end()) {
            map[PORT_BLE] = bluetooth->second;
        }
    };
    copy(spec.supportFunctions);
    copy(spec.netSettings);
    copy(spec.bluetoothSettings);
    copy(spec.powerSettings);
    copy(spec.printSettings);
}
