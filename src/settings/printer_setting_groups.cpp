// The host's get and set calls: setting keys, their groups and value mappings.
#include <cstddef>
#include <functional>
#include <string>

#include "connection/error_state.h"
#include "connection/util.h"
#include "settings/printer_setting.h"
#include "settings/setting_error.h"

using settings::errorCode;
using settings::refuse;
using settings::setError;
using tpes::Util;
namespace error = lumeko::error;

namespace {

using lumeko::stopRequested;

// Handles key i of a group; a key the group does not know, or whose gate is off, counts as
// handled.
using KeyHandler = std::function<bool(int key, int i)>;

// The loop every group runs: true for no keys, false when a cancel is pending; then each
// key in order. checkErrorCode: stop with false before a key when the error code is not 1.
// After the last key the group succeeds whatever that key gave (a failed key has set its
// error code); after any other it stops on a failed key or a cancel.
bool runGroup(const int* keys, int count, bool checkErrorCode, const KeyHandler& handle) {
    if (count < 1) {
        return true;
    }
    if (stopRequested()) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (checkErrorCode && errorCode() != error::kNone) {
            return false;
        }
        const bool ok = handle(keys[i], i);
        if (i == count - 1) {
            return true;
        }
        if (!ok || stopRequested()) {
            return false;
        }
    }
    return true;
}

bool gate(unsigned word, unsigned bits) {
    return (word & bits) == bits;
}

// One key of a reader group: the capability bits it needs (0: none), its name (the log
// line of the read) and its accessor, which stores the text read into value.
struct ReadKey {
    int key;
    unsigned gate;
    const char* name;
    bool (*read)(PrinterSetting& setting, std::string& value);
};

// One key of a writer group: the capability bits it needs (0: none), its name, the text
// lengths it takes (maxLength 0: any; outside: 39 with the log line "<name>
// ERROR_INVALID_PARAMETER") and its accessor, which queues the write of value.
struct WriteKey {
    int key;
    unsigned gate;
    const char* name;
    size_t minLength;
    size_t maxLength;
    bool (*write)(PrinterSetting& setting, const std::string& value);
};

template <typename Row, size_t N>
const Row* findKey(const Row (&rows)[N], int key) {
    for (const Row& row : rows) {
        if (row.key == key) {
            return &row;
        }
    }
    return nullptr;
}

// The rule of every reader group: each key the group knows is logged and, when its gate
// is set in word, read into its value.
template <size_t N>
bool readKeys(PrinterSetting& setting, const ReadKey (&rows)[N], unsigned word, bool checkErrorCode,
              const int* keys, std::string* values, int count) {
    return runGroup(keys, count, checkErrorCode, [&](int key, int i) {
        const ReadKey* row = findKey(rows, key);
        if (row == nullptr) {
            return true;
        }
        Util::writeLog(row->name);
        return !gate(word, row->gate) || row->read(setting, values[i]);
    });
}

// The rule of every writer group: each key the group knows whose value is not empty and
// whose gate is set in word has its length checked and its write queued.
template <size_t N>
bool writeKeys(PrinterSetting& setting, const WriteKey (&rows)[N], unsigned word, const int* keys,
               const std::string* values, int count) {
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        const WriteKey* row = value.empty() ? nullptr : findKey(rows, key);
        if (row == nullptr || !gate(word, row->gate)) {
            return true;
        }
        if (value.size() < row->minLength ||
            (row->maxLength != 0 && value.size() > row->maxLength)) {
            Util::writeLog(std::string(row->name) + " ERROR_INVALID_PARAMETER");
            return refuse();
        }
        return row->write(setting, value);
    });
}

// Accessors of the key tables: a typed accessor of one configuration item, or a member
// that takes or gives the key's text.
template <_DeviceConfigID id>
bool readInt(PrinterSetting& s, std::string& value) {
    return s.getIntData(id, value);
}
template <_DeviceConfigID id>
bool readText(PrinterSetting& s, std::string& value) {
    return s.getStringData(id, value);
}
template <_DeviceConfigID id>
bool readRaw(PrinterSetting& s, std::string& value) {
    return s.getRawStringData(id, value);
}
template <_DeviceConfigID id>
bool readAddress(PrinterSetting& s, std::string& value) {
    return s.getBinaryData(id, value);
}
template <auto get>
bool readWith(PrinterSetting& s, std::string& value) {
    return (s.*get)(value);
}
template <_DeviceConfigID id>
bool writeInt(PrinterSetting& s, const std::string& value) {
    return s.setIntData(id, value);
}
template <_DeviceConfigID id>
bool writeText(PrinterSetting& s, const std::string& value) {
    return s.setStringData(id, value);
}
template <_DeviceConfigID id>
bool writeRaw(PrinterSetting& s, const std::string& value) {
    return s.setRawStringData(id, value);
}
template <_DeviceConfigID id>
bool writeAddress(PrinterSetting& s, const std::string& value) {
    return s.setBinaryData(id, value);
}
template <auto set>
bool writeWith(PrinterSetting& s, const std::string& value) {
    return (s.*set)(value);
}

// The authentication method of key 20 as the pair of items 458881 and 459337.
struct AuthenticationRow {
    const char* hostValue;
    int first;
    int second;  // -1: any (written 0)
};

// clang-format off
constexpr AuthenticationRow kAuthentication[] = {
    {"0", 1, -1}, {"1", 2, -1}, {"2", 3, -1}, {"3", 7, -1},
    {"4", 13, 1}, {"5", 13, 4}, {"6", 13, 6},
    {"7", 15, 4}, {"8", 15, 6},
    {"9", 16, 2}, {"10", 16, 3}, {"11", 16, 4}, {"12", 16, 5},
    {"13", 17, -1},
};
// clang-format on

// The items written for a WEP key of each length (key 22).
struct WepKeyRow {
    size_t length;
    const char* keySize;  // id 7
    const char* keyType;  // id 8
    bool hex;
};

constexpr WepKeyRow kWepKeys[] = {
    {5, "1", "2", false},
    {10, "1", "1", true},
    {13, "2", "2", false},
    {26, "2", "1", true},
};

}  // namespace

// ---------------------------------------------------------------------------------------
// Entry operations

bool PrinterSetting::getPrinterSetting(const int* keys, std::string* values, int count) {
    return endOperation(readSettings(keys, values, count), kNoProgress, kNoProgress,
                        error::kSettingsNotSupported);
}

bool PrinterSetting::setPrinterSetting(const int* keys, const std::string* values, int count) {
    return endOperation(writeSettings(keys, values, count), kNoProgress, kNoProgress,
                        error::kInvalidParameter);
}

bool PrinterSetting::readSettings(const int* keys, std::string* values, int count) {
    if (count > 0 && (keys == nullptr || values == nullptr)) {
        return refuse();
    }
    if (!isSupported(PS_SUPPORT_PRINTER_SETTING) || !spec.statusSupported) {
        setError(error::kSettingsNotSupported);
        return false;
    }
    getPrinterStatusWithoutCheckedPaper();
    if (errorCode() != error::kNone) {
        sendCancelData();
        return false;
    }
    for (int i = 0; i < count; ++i) {
        values[i].clear();
    }
    if (!cwsConnect->sendESRaster()) {
        return false;
    }

    // Each group runs when its map has an entry for the port. After a failed group (or
    // when the Bluetooth group does not run) the call goes on only while the error code is
    // 1; a group that does not run after a failed one counts as failed too.
    bool result = false;
    bool failed = false;
    bool ended = false;
    auto step = [&](bool runs, const std::function<bool()>& group) {
        if (ended) {
            return;
        }
        if (runs) {
            result = group();
            failed = !result;
        } else if (failed) {
            result = false;
        }
        if (failed && (errorCode() != error::kNone || stopRequested())) {
            ended = true;
        }
    };

    const bool bluetooth = spec.bluetoothSettings.count(port) != 0;
    if (!bluetooth) {
        Util::writeLog("support_bluetooth_settings_ end");
        failed = true;
    }
    step(bluetooth, [&] { return GetBluetoothConfigData_forWrite(keys, values, count); });
    if (ended) {
        sendCancelData();
    }
    step(spec.netSettings.count(port) != 0,
         [&] { return GetConfigData_forWrite(keys, values, count); });
    step(spec.powerSettings.count(port) != 0,
         [&] { return GetPowerConfigData_forWrite(keys, values, count); });
    step(spec.printSettings.count(port) != 0,
         [&] { return GetPrintConfigData_forWrite(keys, values, count); });

    // The closing bracket goes out after a stop as well. A key that failed with an error
    // code (the last key of a group, whose failure does not stop the group) fails the call
    // when it ends.
    cwsConnect->sendESDefMode();
    return result;
}

bool PrinterSetting::writeSettings(const int* keys, const std::string* values, int count) {
    if (count > 0 && (keys == nullptr || values == nullptr)) {
        return refuse();
    }
    if (!isSupported(PS_SUPPORT_PRINTER_SETTING)) {
        setError(error::kSettingsNotSupported);
        return false;
    }
    if (spec.statusSupported) {
        getPrinterStatusWithoutCheckedPaper();
        if (errorCode() != error::kNone) {
            sendCancelData();
            return false;
        }
    }
    // Every write is checked and queued before anything is sent; a failure drops them all.
    if (!AddBluetoothConfigData_forWrite(keys, values, count) || errorCode() != error::kNone) {
        return false;
    }
    if (!AddConfigData_forWrite(keys, values, count) || errorCode() != error::kNone) {
        return false;
    }
    if (!AddPowerConfigData_forWrite(keys, values, count) || errorCode() != error::kNone) {
        return false;
    }
    if (!AddPrintConfigData_forWrite(keys, values, count) || errorCode() != error::kNone) {
        return false;
    }
    // The commit sends nothing once a stop was requested.
    return cwsConnect->sendSetData(reset(keys, count));
}

bool PrinterSetting::reset(const int* keys, int count) {
    for (int i = 0; keys != nullptr && i < count; ++i) {
        if (keys[i] == PRINTER_RESET) {
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Readers

bool PrinterSetting::GetBluetoothConfigData_forWrite(const int* keys, std::string* values,
                                                     int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {BT_ISDISCOVERABLE, BT_GATE_DISCOVERABLE, "BT_ISDISCOVERABLE", readWith<&PrinterSetting::getBTVisibility>},
        {BT_DEVICENAME,     BT_GATE_DEVICENAME,   "BT_DEVICENAME",     readWith<&PrinterSetting::getBTDevName>},
        {BT_BOOTMODE,       BT_GATE_BOOTMODE,     "BT_BOOTMODE",       readWith<&PrinterSetting::getBTOnBoot>},
        {BT_RECONNECTION,   BT_GATE_RECONNECTION, "BT_RECONNECTION",   readWith<&PrinterSetting::getBluetoothReconnection>},
    };
    // clang-format on
    unsigned word = 0;
    readerWord(spec.bluetoothSettings, word);
    const bool ok = readKeys(*this, rows, word, false, keys, values, count);
    if (!ok && stopRequested()) {
        Util::writeLog("GetBluetoothConfigData_forWrite cancel_flag");
    }
    return ok;
}

bool PrinterSetting::GetConfigData_forWrite(const int* keys, std::string* values, int count) {
    unsigned word = 0;
    readerWord(spec.netSettings, word);
    if (!gate(word, NET_GATE_GROUP)) {
        return true;
    }
    bool ok = GetAccessPointConfigData_forWrite(keys, values, count) &&
              GetWiFiConfigData_forWrite(keys, values, count);
    if (ok && gate(word, NET_GATE_IPV6)) {
        ok = GetIPv6ConfigData_forWrite(keys, values, count);
    }
    if (ok && gate(word, NET_GATE_WIRELESS_DIRECT)) {
        ok = GetWDirectConfigData_forWrite(keys, values, count);
    }
    return ok;
}

bool PrinterSetting::readAuthentication(std::string& value) {
    std::string first;
    if (!getIntData(DCID_WLanAuthMode, first)) {
        Util::writeLog("DCID_WLanAuthMode error");
        return false;
    }
    std::string second;
    const bool secondRead = getIntData(DCID_WLanAuthModeSecond, second);
    const int a = Util::toInt(first);
    for (const AuthenticationRow& row : kAuthentication) {
        if (row.first == a &&
            (row.second == -1 || (secondRead && Util::toInt(second) == row.second))) {
            value = row.hostValue;
            return secondRead;
        }
    }
    Util::writeLog("NET_AUTHENTICATION_METHOD ERROR_INVALID_PARAMETER2");
    return refuse();
}

bool PrinterSetting::GetAccessPointConfigData_forWrite(const int* keys, std::string* values,
                                                       int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {NET_COMMUNICATION_MODE,    0, "NET_COMMUNICATION_MODE",    readInt<DCID_WLanCommunicationMode>},
        {NET_SSID,                  0, "NET_SSID",                  readText<DCID_WLanSSID>},
        {NET_CHANNEL,               0, "NET_CHANNEL",               readInt<DCID_WLanChannel>},
        {NET_AUTHENTICATION_METHOD, 0, "NET_AUTHENTICATION_METHOD", readWith<&PrinterSetting::readAuthentication>},
        {NET_ENCRYPTIONMODE,        0, "NET_ENCRYPTIONMODE",        readInt<DCID_WLanEncryptionMode>},
    };
    // clang-format on
    return readKeys(*this, rows, 0, true, keys, values, count);
}

bool PrinterSetting::readInterface(std::string& value) {
    unsigned netWord = 0;
    readerWord(spec.netSettings, netWord);
    const bool on = isWLanEnabled();
    if (lumeko::settleStop()) {
        return false;  // the switch was not read: no value from it
    }
    if (!gate(netWord, NET_GATE_INTERFACE_DIRECT)) {
        value = on ? "1" : "2";
        return true;
    }
    std::string direct;
    if (!getWFDenable(direct)) {
        return false;
    }
    if (!on && direct == "0") {
        value = "0";
    } else if (on && direct == "0") {
        value = "1";
    } else if (!on && direct == "2") {
        value = "2";
    } else if (on && direct == "1") {
        value = "3";
    } else {
        value.clear();  // a combination the host has no value for
    }
    return true;
}

bool PrinterSetting::readIPv4BootMethod(std::string& value) {
    std::string method;
    if (!getIntData(DCID_IPv4BootMethod, method)) {
        return false;  // keeps the read's own error code
    }
    if (method != "0" && method != "3" && method != "5" && method != "6" && method != "7") {
        Util::writeLog("NET_IPV4_BOOTMETHOD ERROR_INVALID_PARAMETER");
        return refuse();
    }
    value = method;
    return true;
}

bool PrinterSetting::GetWiFiConfigData_forWrite(const int* keys, std::string* values, int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {NET_WIRELESS_ONBOOT,         NET_GATE_WIRELESS_ONBOOT, "NET_WIRELESS_ONBOOT",         readWith<&PrinterSetting::getWirelessOnBoot>},
        {NET_INTERFACE,               NET_GATE_INTERFACE,       "NET_INTERFACE",               readWith<&PrinterSetting::readInterface>},
        {NET_IPV4_BOOTMETHOD,         0,                        "NET_IPV4_BOOTMETHOD",         readWith<&PrinterSetting::readIPv4BootMethod>},
        {NET_IPV4ADDRESS,             0,                        "NET_IPV4ADDRESS",             readAddress<DCID_IPv4Address>},
        {NET_SUBNETMASK,              0,                        "NET_SUBNETMASK",              readAddress<DCID_SubnetMask>},
        {NET_GATEWAY,                 0,                        "NET_GATEWAY",                 readAddress<DCID_Gateway>},
        {NET_DNS_IPV4_BOOTMETHOD,     0,                        "NET_DNS_IPV4_BOOTMETHOD",     readInt<DCID_DnsIPv4BootMethod>},
        {NET_PRIMARY_DNS_IPV4ADDRESS, 0,                        "NET_PRIMARY_DNS_IPV4ADDRESS", readAddress<DCID_PrimaryDnsIPv4Address>},
        {NET_SECOND_DNS_IPV4ADDRESS,  0,                        "NET_SECOND_DNS_IPV4ADDRESS",  readAddress<DCID_SecondDnsIPv4Address>},
        {NET_NODENAME,                NET_GATE_NODENAME,        "NET_NODENAME",                readRaw<DCID_NodeName>},
    };
    // clang-format on
    unsigned word = 0;
    readerWord(spec.netSettings, word);
    return readKeys(*this, rows, word, true, keys, values, count);
}

bool PrinterSetting::readIPv6AddressList(std::string& value) {
    return getIPv6AddressList(value, 2);
}

bool PrinterSetting::GetIPv6ConfigData_forWrite(const int* keys, std::string* values, int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {NET_USED_IPV6,               0, "NET_USED_IPV6",               readInt<DCID_UsedIPv6>},
        {NET_PRIORITY_IPV6,           0, "NET_PRIORITY_IPV6",           readInt<DCID_PriorityIPv6>},
        {NET_IPV6_BOOTMETHOD,         0, "NET_IPV6_BOOTMETHOD",         readInt<DCID_IPv6BootMethod>},
        {NET_STATIC_IPV6ADDRESS,      0, "NET_STATIC_IPV6ADDRESS",      readAddress<DCID_StaticIPv6Address>},
        {NET_PRIMARY_DNS_IPV6ADDRESS, 0, "NET_PRIMARY_DNS_IPV6ADDRESS", readAddress<DCID_PrimaryDnsIPv6Address>},
        {NET_SECOND_DNS_IPV6ADDRESS,  0, "NET_SECOND_DNS_IPV6ADDRESS",  readAddress<DCID_SecondDnsIPv6Address>},
        {NET_IPV6ADDRESS_LIST,        0, "NET_IPV6ADDRESS_LIST",        readWith<&PrinterSetting::readIPv6AddressList>},
    };
    // clang-format on
    return readKeys(*this, rows, 0, true, keys, values, count);
}

bool PrinterSetting::GetWDirectConfigData_forWrite(const int* keys, std::string* values,
                                                   int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {WIRELESSDIRECT_KEY_CREATE_MODE, 0, "WIRELESSDIRECT_KEY_CREATE_MODE", readWith<&PrinterSetting::getWFDAutoGeneration>},
        {WIRELESSDIRECT_SSID,            0, "WIRELESSDIRECT_SSID",            readWith<&PrinterSetting::getWFDStaticSSID>},
    };
    // clang-format on
    return readKeys(*this, rows, 0, false, keys, values, count);
}

bool PrinterSetting::readACAutoOff(std::string& value) {
    return cwsConnect->getACAutoOff(value);
}

bool PrinterSetting::readLiAutoOff(std::string& value) {
    return cwsConnect->getLiAutoOff(value);
}

bool PrinterSetting::GetPowerConfigData_forWrite(const int* keys, std::string* values, int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {PRINTER_POWEROFFTIME,         POWER_GATE_AC,      "PRINTER_POWEROFFTIME",         readWith<&PrinterSetting::readACAutoOff>},
        {PRINTER_POWEROFFTIME_BATTERY, POWER_GATE_BATTERY, "PRINTER_POWEROFFTIME_BATTERY", readWith<&PrinterSetting::readLiAutoOff>},
    };
    // clang-format on
    unsigned word = 0;
    readerWord(spec.powerSettings, word);
    return readKeys(*this, rows, word, false, keys, values, count);
}

bool PrinterSetting::GetPrintConfigData_forWrite(const int* keys, std::string* values, int count) {
    // clang-format off
    static const ReadKey rows[] = {
        {PRINT_JPEG_HALFTONE, PRINT_GATE_JPEG_HALFTONE, "PRINT_JPEG_HALFTONE", readWith<&PrinterSetting::getJPEGHalf>},
        {PRINT_JPEG_SCALE,    PRINT_GATE_JPEG_SCALE,    "PRINT_JPEG_SCALE",    readWith<&PrinterSetting::getJPEGScale>},
        {PRINT_DENSITY,       PRINT_GATE_DENSITY,       "PRINT_DENSITY",       readWith<&PrinterSetting::getDensity>},
        {PRINT_SPEED,         PRINT_GATE_SPEED,         "PRINT_SPEED",         readWith<&PrinterSetting::getSpeed>},
    };
    // clang-format on
    unsigned word = 0;
    readerWord(spec.printSettings, word);
    const bool ok = readKeys(*this, rows, word, false, keys, values, count);
    if (!ok && stopRequested()) {
        Util::writeLog("GetPrintConfigData_forWrite cancel_flag");
    }
    return ok;
}

// ---------------------------------------------------------------------------------------
// Writers (an empty value leaves its key alone)

bool PrinterSetting::AddBluetoothConfigData_forWrite(const int* keys, const std::string* values,
                                                     int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {BT_ISDISCOVERABLE, BT_GATE_DISCOVERABLE, "BT_ISDISCOVERABLE", 0, 0, writeWith<&PrinterSetting::setBTVisibility>},
        {BT_DEVICENAME,     BT_GATE_DEVICENAME,   "BT_DEVICENAME",     0, 0, writeWith<&PrinterSetting::setBTDevName>},
        {BT_BOOTMODE,       BT_GATE_BOOTMODE,     "BT_BOOTMODE",       0, 0, writeWith<&PrinterSetting::setBTOnBoot>},
        {BT_RECONNECTION,   BT_GATE_RECONNECTION, "BT_RECONNECTION",   0, 0, writeWith<&PrinterSetting::setBluetoothReconnection>},
    };
    // clang-format on
    return writeKeys(*this, rows, getBluetoothSettingSupportedList(), keys, values, count);
}

bool PrinterSetting::AddConfigData_forWrite(const int* keys, const std::string* values, int count) {
    const unsigned word = getNetSettingSupportedList();
    if (!gate(word, NET_GATE_GROUP)) {
        return true;
    }
    bool ok = AddAccessPointConfigData_forWrite(keys, values, count) &&
              AddWiFiConfigData_forWrite(keys, values, count);
    if (ok && gate(word, NET_GATE_IPV6)) {
        ok = AddIPv6ConfigData_forWrite(keys, values, count);
    }
    if (ok && gate(word, NET_GATE_WIRELESS_DIRECT)) {
        ok = AddWDirectConfigData_forWrite(keys, values, count);
    }
    return ok;
}

bool PrinterSetting::writeAuthentication(const std::string& value) {
    for (const AuthenticationRow& row : kAuthentication) {
        if (value == row.hostValue) {
            return setIntData(DCID_WLanAuthMode, Util::toStr(row.first)) &&
                   setIntData(DCID_WLanAuthModeSecond,
                              Util::toStr(row.second < 0 ? 0 : row.second));
        }
    }
    // No pair stands for this value: refused rather than written as a pair that the
    // printer (and the read side) cannot map back.
    return refuse();
}

bool PrinterSetting::writeWepKey(const std::string& value) {
    for (const WepKeyRow& row : kWepKeys) {
        if (value.size() == row.length) {
            wepKeyIsHex = row.hex;
            return setIntData(DCID_WLanWepKeyIndex, "1") &&
                   setIntData(DCID_WLanWepKeySize, row.keySize) &&
                   setIntData(DCID_WLanWepKeyType, row.keyType) &&
                   setStringData(DCID_WLanWepKey, value);
        }
    }
    return refuse();
}

bool PrinterSetting::AddAccessPointConfigData_forWrite(const int* keys, const std::string* values,
                                                       int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {NET_COMMUNICATION_MODE,    0, "NET_COMMUNICATION_MODE",    0, 0,  writeInt<DCID_WLanCommunicationMode>},
        {NET_SSID,                  0, "NET_SSID",                  0, 32, writeText<DCID_WLanSSID>},
        {NET_CHANNEL,               0, "NET_CHANNEL",               0, 0,  writeInt<DCID_WLanChannel>},
        {NET_AUTHENTICATION_METHOD, 0, "NET_AUTHENTICATION_METHOD", 0, 0,  writeWith<&PrinterSetting::writeAuthentication>},
        {NET_ENCRYPTIONMODE,        0, "NET_ENCRYPTIONMODE",        0, 0,  writeInt<DCID_WLanEncryptionMode>},
        {NET_WEPKEY,                0, "NET_WEPKEY",                0, 0,  writeWith<&PrinterSetting::writeWepKey>},
        {NET_PASSPHRASE,            0, "NET_PASSPHRASE",            8, 63, writeText<DCID_WLanPassphrase>},
        {NET_USER_ID,               0, "NET_USER_ID",               0, 64, writeRaw<DCID_WLanUserId>},
        {NET_PASSWORD,              0, "NET_PASSWORD",              0, 32, writeRaw<DCID_WLanPassword>},
    };
    // clang-format on
    return writeKeys(*this, rows, 0, keys, values, count);
}

bool PrinterSetting::writeInterface(const std::string& value) {
    bool lan = false;
    const char* direct = nullptr;
    if (gate(getNetSettingSupportedList(), NET_GATE_INTERFACE_DIRECT)) {
        if (value == "0") {
            lan = false, direct = "0";
        } else if (value == "1") {
            lan = true, direct = "0";
        } else if (value == "2") {
            lan = false, direct = "2";
        } else if (value == "3") {
            lan = true, direct = "1";
        }
    } else if (value == "1") {
        lan = true, direct = "0";
    } else if (value == "2") {
        lan = false, direct = "1";
    }
    if (direct == nullptr) {
        return refuse();  // a value outside the key's table
    }
    return setWLan(lan) && setWFDenable(direct);
}

bool PrinterSetting::writeIPv4BootMethod(const std::string& value) {
    if (value != "0" && value != "5" && value != "3" && value != "6" && value != "7") {
        Util::writeLog("NET_IPV4_BOOTMETHOD ERROR_INVALID_PARAMETER");
        return refuse();
    }
    return setIntData(DCID_IPv4BootMethod, value);
}

bool PrinterSetting::AddWiFiConfigData_forWrite(const int* keys, const std::string* values,
                                                int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {NET_WIRELESS_ONBOOT,         NET_GATE_WIRELESS_ONBOOT, "NET_WIRELESS_ONBOOT",         0, 0,  writeWith<&PrinterSetting::setWirelessOnBoot>},
        {NET_INTERFACE,               NET_GATE_INTERFACE,       "NET_INTERFACE",               0, 0,  writeWith<&PrinterSetting::writeInterface>},
        {NET_IPV4_BOOTMETHOD,         0,                        "NET_IPV4_BOOTMETHOD",         0, 0,  writeWith<&PrinterSetting::writeIPv4BootMethod>},
        {NET_IPV4ADDRESS,             0,                        "NET_IPV4ADDRESS",             0, 0,  writeAddress<DCID_IPv4Address>},
        {NET_SUBNETMASK,              0,                        "NET_SUBNETMASK",              0, 0,  writeAddress<DCID_SubnetMask>},
        {NET_GATEWAY,                 0,                        "NET_GATEWAY",                 0, 0,  writeAddress<DCID_Gateway>},
        {NET_DNS_IPV4_BOOTMETHOD,     0,                        "NET_DNS_IPV4_BOOTMETHOD",     0, 0,  writeInt<DCID_DnsIPv4BootMethod>},
        {NET_PRIMARY_DNS_IPV4ADDRESS, 0,                        "NET_PRIMARY_DNS_IPV4ADDRESS", 0, 0,  writeAddress<DCID_PrimaryDnsIPv4Address>},
        {NET_SECOND_DNS_IPV4ADDRESS,  0,                        "NET_SECOND_DNS_IPV4ADDRESS",  0, 0,  writeAddress<DCID_SecondDnsIPv4Address>},
        {NET_NODENAME,                NET_GATE_NODENAME,        "NET_NODENAME",                0, 32, writeRaw<DCID_NodeName>},
    };
    // clang-format on
    return writeKeys(*this, rows, getNetSettingSupportedList(), keys, values, count);
}

bool PrinterSetting::AddIPv6ConfigData_forWrite(const int* keys, const std::string* values,
                                                int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {NET_USED_IPV6,               0, "NET_USED_IPV6",               0, 0, writeInt<DCID_UsedIPv6>},
        {NET_PRIORITY_IPV6,           0, "NET_PRIORITY_IPV6",           0, 0, writeInt<DCID_PriorityIPv6>},
        {NET_IPV6_BOOTMETHOD,         0, "NET_IPV6_BOOTMETHOD",         0, 0, writeInt<DCID_IPv6BootMethod>},
        {NET_STATIC_IPV6ADDRESS,      0, "NET_STATIC_IPV6ADDRESS",      0, 0, writeAddress<DCID_StaticIPv6Address>},
        {NET_PRIMARY_DNS_IPV6ADDRESS, 0, "NET_PRIMARY_DNS_IPV6ADDRESS", 0, 0, writeAddress<DCID_PrimaryDnsIPv6Address>},
        {NET_SECOND_DNS_IPV6ADDRESS,  0, "NET_SECOND_DNS_IPV6ADDRESS",  0, 0, writeAddress<DCID_SecondDnsIPv6Address>},
    };
    // clang-format on
    return writeKeys(*this, rows, 0, keys, values, count);
}

bool PrinterSetting::AddWDirectConfigData_forWrite(const int* keys, const std::string* values,
                                                   int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {WIRELESSDIRECT_KEY_CREATE_MODE, 0, "WIRELESSDIRECT_KEY_CREATE_MODE", 0, 0,  writeWith<&PrinterSetting::setWFDAutoGeneration>},
        {WIRELESSDIRECT_SSID,            0, "WIRELESSDIRECT_SSID",            0, 25, writeWith<&PrinterSetting::setWFDStaticSSID>},
        {WIRELESSDIRECT_KEY,             0, "WIRELESSDIRECT_KEY",             0, 63, writeWith<&PrinterSetting::setWFDStaticKey>},
    };
    // clang-format on
    return writeKeys(*this, rows, 0, keys, values, count);
}

bool PrinterSetting::writeACAutoOff(const std::string& value) {
    return cwsConnect->setACAutoOffCommand(value);
}

bool PrinterSetting::writeLiAutoOff(const std::string& value) {
    return cwsConnect->setLiAutoOff(value);
}

bool PrinterSetting::AddPowerConfigData_forWrite(const int* keys, const std::string* values,
                                                 int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {PRINTER_POWEROFFTIME,         POWER_GATE_AC,      "PRINTER_POWEROFFTIME",         0, 0, writeWith<&PrinterSetting::writeACAutoOff>},
        {PRINTER_POWEROFFTIME_BATTERY, POWER_GATE_BATTERY, "PRINTER_POWEROFFTIME_BATTERY", 0, 0, writeWith<&PrinterSetting::writeLiAutoOff>},
    };
    // clang-format on
    return writeKeys(*this, rows, getPowerSettingSupportedList(), keys, values, count);
}

bool PrinterSetting::AddPrintConfigData_forWrite(const int* keys, const std::string* values,
                                                 int count) {
    // clang-format off
    static const WriteKey rows[] = {
        {PRINT_JPEG_HALFTONE, PRINT_GATE_JPEG_HALFTONE, "PRINT_JPEG_HALFTONE", 0, 0, writeWith<&PrinterSetting::setJPEGHalf>},
        {PRINT_JPEG_SCALE,    PRINT_GATE_JPEG_SCALE,    "PRINT_JPEG_SCALE",    0, 0, writeWith<&PrinterSetting::setJPEGScale>},
        {PRINT_DENSITY,       PRINT_GATE_DENSITY,       "PRINT_DENSITY",       0, 0, writeWith<&PrinterSetting::setDensity>},
        {PRINT_SPEED,         PRINT_GATE_SPEED,         "PRINT_SPEED",         0, 0, writeWith<&PrinterSetting::setSpeed>},
    };
    // clang-format on
    return writeKeys(*this, rows, getPrintSettingSupportedList(), keys, values, count);
}
