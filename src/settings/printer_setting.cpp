#include "settings/printer_setting.h"

#include <initializer_list>

#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "settings/host_text.h"
#include "settings/setting_error.h"

using settings::refuse;
using settings::setError;
using tpes::Util;
namespace error = lumeko::error;

namespace {

// The number of a text that is wholly a number in [low, high]. A number outside is refused
// whole, never cut to its low byte.
bool numberIn(const std::string& text, int low, int high, int& number) {
    int value = 0;
    if (!settings::wholeNumber(text, value) || value < low || value > high) {
        return false;
    }
    number = value;
    return true;
}

bool oneOf(const std::string& text, std::initializer_list<const char*> allowed) {
    for (const char* a : allowed) {
        if (text == a) {
            return true;
        }
    }
    return false;
}

bool isIPv6Item(_DeviceConfigID id) {
    return id == DCID_IPv6AddressList || id == DCID_StaticIPv6Address ||
           id == DCID_PrimaryDnsIPv6Address || id == DCID_SecondDnsIPv6Address;
}

// Most entries a printer's IPv6 address list is read for; a larger count is a malformed
// reply, not a reason to read billions of entries.
constexpr int kMaxIPv6AddressListEntries = 255;

}  // namespace

PrinterSetting::PrinterSetting(Port printerPort, CommunicationObserver* observer,
                               Model printerModel)
    : BasePrinter(printerPort, observer, printerModel),
      cwsConnect(new CWSConnect(printerPort, observer, printerModel)) {
    getInnerMapReady();
}

PrinterSetting::~PrinterSetting() {
    delete cwsConnect;
    cwsConnect = nullptr;
    itemIdMap.clear();
}

void PrinterSetting::getInnerMapReady() {
    itemIdMap.clear();
    for (const DeviceConfigItem& item : kDeviceConfigItems) {
        itemIdMap[item.id] = item.itemId;
    }
}

// ---------------------------------------------------------------------------------------
// Typed accessors

bool PrinterSetting::itemOf(_DeviceConfigID id, const char* logLine, std::string& itemId) {
    const auto item = itemIdMap.find(id);
    if (item == itemIdMap.end()) {
        if (logLine != nullptr) {
            Util::writeLog(logLine);
        }
        return refuse();
    }
    itemId = item->second;
    return true;
}

bool PrinterSetting::getIntData(_DeviceConfigID id, std::string& text) {
    std::string itemId;
    if (!itemOf(id, nullptr, itemId)) {
        return false;
    }
    int value = -1;
    if (!cwsConnect->sendGetIntData(itemId, &value)) {
        return false;
    }
    text = Util::toStr(value);
    if (id == DCID_WLanWepKeyType) {
        if (value == 1) {
            wepKeyIsHex = true;
        } else if (value == 2) {
            wepKeyIsHex = false;
        }
    }
    return true;
}

bool PrinterSetting::setIntData(_DeviceConfigID id, std::string text) {
    std::string itemId;
    if (!itemOf(id, "setIntData ERROR_INVALID_PARAMETER", itemId)) {
        return false;
    }
    int number = 0;
    if (!settings::wholeNumber(text, number)) {
        return refuse();
    }
    return cwsConnect->setIntData(itemId, number);
}

bool PrinterSetting::getStringData(_DeviceConfigID id, std::string& text) {
    std::string itemId;
    return itemOf(id, nullptr, itemId) && cwsConnect->sendGetStringData(itemId, text);
}

bool PrinterSetting::setStringData(_DeviceConfigID id, std::string text) {
    std::string itemId;
    if (!itemOf(id, nullptr, itemId)) {
        return false;
    }
    if (wepKeyIsHex && id == DCID_WLanWepKey) {
        return cwsConnect->setStringDataHexWEP(itemId, text);
    }
    return cwsConnect->setStringData(itemId, text, 64);
}

bool PrinterSetting::getRawStringData(_DeviceConfigID id, std::string& text) {
    std::string itemId;
    return itemOf(id, nullptr, itemId) && cwsConnect->sendGetRawStringData(itemId, text);
}

bool PrinterSetting::setRawStringData(_DeviceConfigID id, std::string text) {
    std::string itemId;
    return itemOf(id, "setRawStringData ERROR_INVALID_PARAMETER", itemId) &&
           cwsConnect->setRawStringData(itemId, text);
}

bool PrinterSetting::getBinaryData(_DeviceConfigID id, std::string& text) {
    std::string itemId;
    if (!itemOf(id, "getBinaryData ERROR_INVALID_PARAMETER", itemId)) {
        return false;
    }
    if (port == PORT_NET) {
        // The SNMP text as the host returns it.
        return cwsConnect->sendGetStringData(itemId, text);
    }
    return sendGetBinaryDataHexToString(itemId, text, isIPv6Item(id));
}

bool PrinterSetting::sendGetBinaryDataHexToString(std::string itemId, std::string& text,
                                                  bool isIPv6) {
    if (port != PORT_NET) {
        return cwsConnect->sendGetBinaryData(itemId, text, isIPv6);
    }
    std::string value;
    if (!cwsConnect->sendGetStringData(itemId, value)) {
        return false;
    }
    if (isIPv6 && !CWSConnect::IPv6AddressForMIB(value)) {
        setError(error::kCommunication);  // not an address: a malformed reply
        return false;
    }
    text = value;
    return true;
}

bool PrinterSetting::setBinaryData(_DeviceConfigID id, std::string text) {
    std::string itemId;
    if (!itemOf(id, "setBinaryData ERROR_INVALID_PARAMETER", itemId)) {
        return false;
    }
    if (!settings::pjlSafe(text)) {
        return refuse();
    }
    Util::replaceStr(text, ".", "-");
    Util::replaceStr(text, ":", "-");
    const std::vector<unsigned char> bytes =
        CWSConnect::convertHexStringToBinaryData(text, isIPv6Item(id));
    if (bytes.empty()) {
        return false;  // the converter has set 39
    }
    return cwsConnect->setBinaryData(itemId, bytes.data(), static_cast<int>(bytes.size()));
}

bool PrinterSetting::getIPv6AddressList(std::string& text, int form) {
    if (form != 2) {
        return false;
    }
    int count = -1;
    if (!cwsConnect->sendGetIntData(itemIdMap[DCID_IPv6AddressCount], &count)) {
        return false;
    }
    if (lumeko::settleStop()) {
        return false;
    }
    if (count < 0 || count > kMaxIPv6AddressListEntries) {
        setError(error::kCommunication);
        return false;
    }
    text.clear();
    for (int i = 1; i <= count; ++i) {
        if (lumeko::settleStop()) {
            return false;  // no entry is read after a stop
        }
        std::string entry;
        if (port == PORT_NET) {
            if (!cwsConnect->sendGetStringDataForIPv6AddressList(
                    tpes::PrinterMibOids::oidIpv6AddressPrefix + Util::toStr(i), entry)) {
                return false;
            }
            if (!CWSConnect::IPv6AddressForMIB(entry)) {
                setError(error::kCommunication);  // not an address: a malformed reply
                return false;
            }
        } else if (!sendGetBinaryDataHexToString(kIPv6AddressListItemPrefix + Util::toStr(i), entry,
                                                 true)) {
            return false;
        }
        text += entry;
        if (i != count) {
            text += ',';
        }
    }
    if (lumeko::settleStop()) {
        return false;
    }
    return true;
}

bool PrinterSetting::isWLanEnabled() {
    int value = -1;
    cwsConnect->sendGetIntData(kWLanSwitchItemId, &value);
    return value == 1;
}

bool PrinterSetting::setWLan(bool on) {
    return cwsConnect->setIntData(kWLanSwitchItemId, on ? 1 : 0);
}

// ---------------------------------------------------------------------------------------
// One-item accessors

bool PrinterSetting::getWirelessOnBoot(std::string& text) {
    Util::writeLog("getWirelessOnBoot");
    unsigned char value = 0;
    if (!cwsConnect->getWirelessOnBoot(value)) {
        return false;
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::setWirelessOnBoot(std::string text) {
    if (!oneOf(text, {"0", "1", "2"})) {
        Util::writeLog("setWirelessOnBoot ERROR_INVALID_PARAMETER" + text);
        return refuse();
    }
    return cwsConnect->setWirelessOnBoot(static_cast<unsigned char>(Util::toInt(text)));
}

bool PrinterSetting::getBTDevName(std::string& text) {
    return cwsConnect->sendESBTDevName_R(text);
}

bool PrinterSetting::setBTDevName(std::string text) {
    return cwsConnect->sendESBTDevName_W(text);
}

bool PrinterSetting::getBTVisibility(std::string& text) {
    std::string value;
    if (!cwsConnect->sendESBTVisibility_R(value)) {
        return false;
    }
    if (value != "0" && value != "1") {
        setError(error::kCommunication);
        return false;
    }
    text = value;
    return true;
}

bool PrinterSetting::setBTVisibility(std::string text) {
    return cwsConnect->sendESBTVisibility_W(text != "0");
}

bool PrinterSetting::getBTOnBoot(std::string& text) {
    unsigned char value = 0;
    if (!cwsConnect->sendESBTOnBoot_R(value)) {
        return false;
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::setBTOnBoot(std::string text) {
    if (!oneOf(text, {"0", "1", "2"})) {
        return refuse();
    }
    return cwsConnect->sendESBTOnBoot_W(static_cast<unsigned char>(Util::toInt(text)));
}

bool PrinterSetting::getBluetoothReconnection(std::string& text) {
    signed char value = 0;
    if (!cwsConnect->getBluetoothReconnection(value)) {
        return false;
    }
    if (value == 1) {
        text = "0";
    } else if (value == 2) {
        text = "1";
    } else {
        return false;
    }
    return true;
}

bool PrinterSetting::setBluetoothReconnection(std::string text) {
    if (text == "0") {
        return cwsConnect->setBluetoothReconnection(1);
    }
    if (text == "1") {
        return cwsConnect->setBluetoothReconnection(2);
    }
    return refuse();
}

bool PrinterSetting::getWFDenable(std::string& text) {
    int value = 0;
    if (!cwsConnect->sendESWFDenable_R(value)) {
        return false;
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::setWFDenable(std::string text) {
    if (!oneOf(text, {"0", "1", "2"})) {
        return refuse();
    }
    return cwsConnect->sendESWFDenable_W(Util::toInt(text));
}

bool PrinterSetting::getWFDAutoGeneration(std::string& text) {
    bool on = false;
    if (!cwsConnect->sendESWFDAutoGeneration_R(on)) {
        return false;
    }
    text = on ? "1" : "0";
    return true;
}

bool PrinterSetting::setWFDAutoGeneration(std::string text) {
    return cwsConnect->sendESWFDAutoGeneration_W(text != "0");
}

bool PrinterSetting::getWFDStaticSSID(std::string& text) {
    return cwsConnect->sendESWFDStaticSSID_R(text);
}

bool PrinterSetting::setWFDStaticSSID(std::string text) {
    return cwsConnect->sendESWFDStaticSSID_W(text);
}

bool PrinterSetting::setWFDStaticKey(std::string text) {
    return cwsConnect->sendESWFDStaticKey_W(text);
}

bool PrinterSetting::setBTPinCodeEE(std::string text) {
    if (!oneOf(text, {"0", "1", "2"})) {
        return refuse();
    }
    return cwsConnect->sendESBTPinCodeEE_W(text != "0", text == "2");
}

bool PrinterSetting::setBTPinCode(std::string text) {
    return cwsConnect->sendESBTPinCode_W(text);
}

bool PrinterSetting::getWFDStaticKey(std::string& text) {
    return cwsConnect->sendESWFDStaticKey_R(text);
}

bool PrinterSetting::setWFDConnectMethod(std::string text) {
    if (!oneOf(text, {"0", "1", "2"})) {
        return refuse();
    }
    return cwsConnect->sendESWFDConnectMethod_W(Util::toInt(text));
}

bool PrinterSetting::getWFDConnectMethod(std::string& text) {
    int value = 0;
    if (!cwsConnect->sendESWFDConnectMethod_R(value)) {
        return false;
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::readByteBelow(bool (CWSConnect::*read)(unsigned char&), unsigned limit,
                                   std::string& text) {
    unsigned char value = 0;
    if (!(cwsConnect->*read)(value)) {
        return false;
    }
    if (value >= limit) {
        return refuse();
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::writeByteUpTo(bool (CWSConnect::*write)(unsigned char), int limit,
                                   const std::string& text) {
    int value = 0;
    if (!numberIn(text, 0, limit, value)) {
        return refuse();
    }
    return (cwsConnect->*write)(static_cast<unsigned char>(value));
}

bool PrinterSetting::getJPEGHalf(std::string& text) {
    return readByteBelow(&CWSConnect::getJPEGHalf, 2, text);
}

bool PrinterSetting::setJPEGHalf(std::string text) {
    return writeByteUpTo(&CWSConnect::setJPEGHalf, 1, text);
}

bool PrinterSetting::getJPEGScale(std::string& text) {
    return readByteBelow(&CWSConnect::getJPEGScale, 2, text);
}

bool PrinterSetting::setJPEGScale(std::string text) {
    return writeByteUpTo(&CWSConnect::setJPEGScale, 1, text);
}

bool PrinterSetting::getSpeed(std::string& text) {
    return readByteBelow(&CWSConnect::getSpeed, 7, text);
}

bool PrinterSetting::setSpeed(std::string text) {
    return writeByteUpTo(&CWSConnect::setSpeed, 6, text);
}

bool PrinterSetting::getDensity(std::string& text) {
    signed char value = 0;
    if (!cwsConnect->getDensity(value)) {
        return false;
    }
    text = Util::toStr(value);
    return true;
}

bool PrinterSetting::setDensity(std::string text) {
    int value = 0;
    // The command checks the series' own range; a number beyond a signed byte is refused
    // here rather than cut to its low byte.
    if (!numberIn(text, -128, 127, value)) {
        return refuse();
    }
    return cwsConnect->setDensity(static_cast<signed char>(value));
}

// ---------------------------------------------------------------------------------------
// Capability words

unsigned PrinterSetting::writerWord(const std::map<Port, uint32_t>& words) const {
    const Port wordPort = port == PORT_NET ? PORT_USB : port;
    const auto entry = words.find(wordPort);
    return entry == words.end() ? 0u : entry->second;
}

bool PrinterSetting::readerWord(const std::map<Port, uint32_t>& words, unsigned& word) const {
    const auto entry = words.find(port);
    if (entry == words.end()) {
        return false;
    }
    word = entry->second;
    return true;
}

unsigned PrinterSetting::getNetSettingSupportedList() {
    return writerWord(spec.netSettings);
}

unsigned PrinterSetting::getBluetoothSettingSupportedList() {
    return writerWord(spec.bluetoothSettings);
}

unsigned PrinterSetting::getPowerSettingSupportedList() {
    return writerWord(spec.powerSettings);
}

unsigned PrinterSetting::getPrintSettingSupportedList() {
    return writerWord(spec.printSettings);
}
