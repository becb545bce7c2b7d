// The host's get and set calls: setting keys, their groups and value mappings.
#include <functional>

#include "connection/error_state.h"
#include "connection/util.h"
#include "settings/printer_setting.h"
#include "settings/setting_error.h"

using settings::errorCode;
using settings::setError;
using settings::SETTING_INVALID_PARAMETER;
using settings::SETTING_NOT_SUPPORTED;
using settings::SETTING_OK;
using tpes::Util;

namespace {

bool refuse() {
    setError(SETTING_INVALID_PARAMETER);
    return false;
}

using lumeko::cancelled;

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
    if (cancelled()) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (checkErrorCode && errorCode() != SETTING_OK) {
            return false;
        }
        const bool ok = handle(keys[i], i);
        if (i == count - 1) {
            return true;
        }
        if (!ok || cancelled()) {
            return false;
        }
    }
    return true;
}

bool gate(unsigned word, unsigned bits) {
    return (word & bits) == bits;
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
    if (count > 0 && (keys == nullptr || values == nullptr)) {
        return refuse();
    }
    if (!isSupported(PS_SUPPORT_PRINTER_SETTING) || !spec.statusSupported) {
        setError(SETTING_NOT_SUPPORTED);
        return false;
    }
    getPrinterStatusWithoutCheckedPaper();
    if (errorCode() != SETTING_OK) {
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
        if (failed && errorCode() != SETTING_OK) {
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

    cwsConnect->sendESDefMode();
    return result;
}

bool PrinterSetting::setPrinterSetting(const int* keys, const std::string* values, int count) {
    if (count > 0 && (keys == nullptr || values == nullptr)) {
        return refuse();
    }
    if (!isSupported(PS_SUPPORT_PRINTER_SETTING)) {
        setError(SETTING_NOT_SUPPORTED);
        return false;
    }
    if (spec.statusSupported) {
        getPrinterStatusWithoutCheckedPaper();
        if (errorCode() != SETTING_OK) {
            sendCancelData();
            return false;
        }
    }
    // Every write is checked and queued before anything is sent; a failure drops them all.
    if (!AddBluetoothConfigData_forWrite(keys, values, count) || errorCode() != SETTING_OK) {
        return false;
    }
    if (!AddConfigData_forWrite(keys, values, count) || errorCode() != SETTING_OK) {
        return false;
    }
    if (!AddPowerConfigData_forWrite(keys, values, count) || errorCode() != SETTING_OK) {
        return false;
    }
    if (!AddPrintConfigData_forWrite(keys, values, count) || errorCode() != SETTING_OK) {
        return false;
    }
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
    unsigned word = 0;
    readerWord(spec.bluetoothSettings, word);
    const bool ok = runGroup(keys, count, false, [&](int key, int i) {
        switch (key) {
            case BT_ISDISCOVERABLE:
                Util::writeLog("BT_ISDISCOVERABLE");
                return !gate(word, BT_GATE_DISCOVERABLE) || getBTVisibility(values[i]);
            case BT_DEVICENAME:
                Util::writeLog("BT_DEVICENAME");
                return !gate(word, BT_GATE_DEVICENAME) || getBTDevName(values[i]);
            case BT_BOOTMODE:
                Util::writeLog("BT_BOOTMODE");
                return !gate(word, BT_GATE_BOOTMODE) || getBTOnBoot(values[i]);
            case BT_RECONNECTION:
                Util::writeLog("BT_RECONNECTION");
                return !gate(word, BT_GATE_RECONNECTION) || getBluetoothReconnection(values[i]);
            default:
                return true;
        }
    });
    if (!ok && cancelled()) {
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
    return runGroup(keys, count, true, [&](int key, int i) {
        switch (key) {
            case NET_COMMUNICATION_MODE:
                Util::writeLog("NET_COMMUNICATION_MODE");
                return getIntData(DCID_WLanCommunicationMode, values[i]);
            case NET_SSID:
                Util::writeLog("NET_SSID");
                return getStringData(DCID_WLanSSID, values[i]);
            case NET_CHANNEL:
                Util::writeLog("NET_CHANNEL");
                return getIntData(DCID_WLanChannel, values[i]);
            case NET_AUTHENTICATION_METHOD:
                Util::writeLog("NET_AUTHENTICATION_METHOD");
                return readAuthentication(values[i]);
            case NET_ENCRYPTIONMODE:
                Util::writeLog("NET_ENCRYPTIONMODE");
                return getIntData(DCID_WLanEncryptionMode, values[i]);
            default:
                return true;
        }
    });
}

bool PrinterSetting::readInterface(unsigned netWord, std::string& value) {
    const bool on = isWLanEnabled();
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

bool PrinterSetting::GetWiFiConfigData_forWrite(const int* keys, std::string* values, int count) {
    unsigned word = 0;
    readerWord(spec.netSettings, word);
    return runGroup(keys, count, true, [&](int key, int i) {
        switch (key) {
            case NET_WIRELESS_ONBOOT:
                Util::writeLog("NET_WIRELESS_ONBOOT");
                return !gate(word, NET_GATE_WIRELESS_ONBOOT) || getWirelessOnBoot(values[i]);
            case NET_INTERFACE:
                Util::writeLog("NET_INTERFACE");
                return !gate(word, NET_GATE_INTERFACE) || readInterface(word, values[i]);
            case NET_IPV4_BOOTMETHOD: {
                Util::writeLog("NET_IPV4_BOOTMETHOD");
                std::string method;
                if (!getIntData(DCID_IPv4BootMethod, method)) {
                    return false;  // keeps the read's own error code
                }
                if (method != "0" && method != "3" && method != "5" && method != "6" &&
                    method != "7") {
                    Util::writeLog("NET_IPV4_BOOTMETHOD ERROR_INVALID_PARAMETER");
                    return refuse();
                }
                values[i] = method;
                return true;
            }
            case NET_IPV4ADDRESS:
                Util::writeLog("NET_IPV4ADDRESS");
                return getBinaryData(DCID_IPv4Address, values[i]);
            case NET_SUBNETMASK:
                Util::writeLog("NET_SUBNETMASK");
                return getBinaryData(DCID_SubnetMask, values[i]);
            case NET_GATEWAY:
                Util::writeLog("NET_GATEWAY");
                return getBinaryData(DCID_Gateway, values[i]);
            case NET_DNS_IPV4_BOOTMETHOD:
                Util::writeLog("NET_DNS_IPV4_BOOTMETHOD");
                return getIntData(DCID_DnsIPv4BootMethod, values[i]);
            case NET_PRIMARY_DNS_IPV4ADDRESS:
                Util::writeLog("NET_PRIMARY_DNS_IPV4ADDRESS");
                return getBinaryData(DCID_PrimaryDnsIPv4Address, values[i]);
            case NET_SECOND_DNS_IPV4ADDRESS:
                Util::writeLog("NET_SECOND_DNS_IPV4ADDRESS");
                return getBinaryData(DCID_SecondDnsIPv4Address, values[i]);
            case NET_NODENAME:
                Util::writeLog("NET_NODENAME");
                return !gate(word, NET_GATE_NODENAME) || getRawStringData(DCID_NodeName, values[i]);
            default:
                return true;
        }
    });
}

bool PrinterSetting::GetIPv6ConfigData_forWrite(const int* keys, std::string* values, int count) {
    return runGroup(keys, count, true, [&](int key, int i) {
        switch (key) {
            case NET_USED_IPV6:
                Util::writeLog("NET_USED_IPV6");
                return getIntData(DCID_UsedIPv6, values[i]);
            case NET_PRIORITY_IPV6:
                Util::writeLog("NET_PRIORITY_IPV6");
                return getIntData(DCID_PriorityIPv6, values[i]);
            case NET_IPV6_BOOTMETHOD:
                Util::writeLog("NET_IPV6_BOOTMETHOD");
                return getIntData(DCID_IPv6BootMethod, values[i]);
            case NET_STATIC_IPV6ADDRESS:
                Util::writeLog("NET_STATIC_IPV6ADDRESS");
                return getBinaryData(DCID_StaticIPv6Address, values[i]);
            case NET_PRIMARY_DNS_IPV6ADDRESS:
                Util::writeLog("NET_PRIMARY_DNS_IPV6ADDRESS");
                return getBinaryData(DCID_PrimaryDnsIPv6Address, values[i]);
            case NET_SECOND_DNS_IPV6ADDRESS:
                Util::writeLog("NET_SECOND_DNS_IPV6ADDRESS");
                return getBinaryData(DCID_SecondDnsIPv6Address, values[i]);
            case NET_IPV6ADDRESS_LIST:
                Util::writeLog("NET_IPV6ADDRESS_LIST");
                return getIPv6AddressList(values[i], 2);
            default:
                return true;
        }
    });
}

bool PrinterSetting::GetWDirectConfigData_forWrite(const int* keys, std::string* values,
                                                   int count) {
    return runGroup(keys, count, false, [&](int key, int i) {
        switch (key) {
            case WIRELESSDIRECT_KEY_CREATE_MODE:
                Util::writeLog("WIRELESSDIRECT_KEY_CREATE_MODE");
                return getWFDAutoGeneration(values[i]);
            case WIRELESSDIRECT_SSID:
                Util::writeLog("WIRELESSDIRECT_SSID");
                return getWFDStaticSSID(values[i]);
            default:
                return true;
        }
    });
}

bool PrinterSetting::GetPowerConfigData_forWrite(const int* keys, std::string* values, int count) {
    unsigned word = 0;
    readerWord(spec.powerSettings, word);
    return runGroup(keys, count, false, [&](int key, int i) {
        switch (key) {
            case PRINTER_POWEROFFTIME:
                Util::writeLog("PRINTER_POWEROFFTIME");
                return !gate(word, POWER_GATE_AC) || cwsConnect->getACAutoOff(values[i]);
            case PRINTER_POWEROFFTIME_BATTERY:
                Util::writeLog("PRINTER_POWEROFFTIME_BATTERY");
                return !gate(word, POWER_GATE_BATTERY) || cwsConnect->getLiAutoOff(values[i]);
            default:
                return true;
        }
    });
}

bool PrinterSetting::GetPrintConfigData_forWrite(const int* keys, std::string* values, int count) {
    unsigned word = 0;
    readerWord(spec.printSettings, word);
    const bool ok = runGroup(keys, count, false, [&](int key, int i) {
        switch (key) {
            case PRINT_JPEG_HALFTONE:
                Util::writeLog("PRINT_JPEG_HALFTONE");
                return !gate(word, PRINT_GATE_JPEG_HALFTONE) || getJPEGHalf(values[i]);
            case PRINT_JPEG_SCALE:
                Util::writeLog("PRINT_JPEG_SCALE");
                return !gate(word, PRINT_GATE_JPEG_SCALE) || getJPEGScale(values[i]);
            case PRINT_DENSITY:
                Util::writeLog("PRINT_DENSITY");
                return !gate(word, PRINT_GATE_DENSITY) || getDensity(values[i]);
            case PRINT_SPEED:
                Util::writeLog("PRINT_SPEED");
                return !gate(word, PRINT_GATE_SPEED) || getSpeed(values[i]);
            default:
                return true;
        }
    });
    if (!ok && cancelled()) {
        Util::writeLog("GetPrintConfigData_forWrite cancel_flag");
    }
    return ok;
}

// ---------------------------------------------------------------------------------------
// Writers (an empty value leaves its key alone)

bool PrinterSetting::AddBluetoothConfigData_forWrite(const int* keys, const std::string* values,
                                                     int count) {
    const unsigned word = getBluetoothSettingSupportedList();
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case BT_ISDISCOVERABLE:
                return !gate(word, BT_GATE_DISCOVERABLE) || setBTVisibility(value);
            case BT_DEVICENAME:
                return !gate(word, BT_GATE_DEVICENAME) || setBTDevName(value);
            case BT_BOOTMODE:
                return !gate(word, BT_GATE_BOOTMODE) || setBTOnBoot(value);
            case BT_RECONNECTION:
                return !gate(word, BT_GATE_RECONNECTION) || setBluetoothReconnection(value);
            default:
                return true;
        }
    });
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
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case NET_COMMUNICATION_MODE:
                return setIntData(DCID_WLanCommunicationMode, value);
            case NET_SSID:
                return value.size() <= 32 ? setStringData(DCID_WLanSSID, value) : refuse();
            case NET_CHANNEL:
                return setIntData(DCID_WLanChannel, value);
            case NET_AUTHENTICATION_METHOD:
                return writeAuthentication(value);
            case NET_ENCRYPTIONMODE:
                return setIntData(DCID_WLanEncryptionMode, value);
            case NET_WEPKEY:
                return writeWepKey(value);
            case NET_PASSPHRASE:
                if (value.size() < 8 || value.size() > 63) {
                    Util::writeLog("NET_PASSPHRASE ERROR_INVALID_PARAMETER");
                    return refuse();
                }
                return setStringData(DCID_WLanPassphrase, value);
            case NET_USER_ID:
                if (value.size() > 64) {
                    Util::writeLog("NET_USER_ID ERROR_INVALID_PARAMETER");
                    return refuse();
                }
                return setRawStringData(DCID_WLanUserId, value);
            case NET_PASSWORD:
                if (value.size() > 32) {
                    Util::writeLog("NET_PASSWORD ERROR_INVALID_PARAMETER");
                    return refuse();
                }
                return setRawStringData(DCID_WLanPassword, value);
            default:
                return true;
        }
    });
}

bool PrinterSetting::writeInterface(unsigned netWord, const std::string& value) {
    bool lan = false;
    const char* direct = nullptr;
    if (gate(netWord, NET_GATE_INTERFACE_DIRECT)) {
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
        // A value that selects no interface leaves the key alone, as a key the printer
        // does not offer.
        return true;
    }
    return setWLan(lan) && setWFDenable(direct);
}

bool PrinterSetting::AddWiFiConfigData_forWrite(const int* keys, const std::string* values,
                                                int count) {
    const unsigned word = getNetSettingSupportedList();
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case NET_WIRELESS_ONBOOT:
                return !gate(word, NET_GATE_WIRELESS_ONBOOT) || setWirelessOnBoot(value);
            case NET_INTERFACE:
                return !gate(word, NET_GATE_INTERFACE) || writeInterface(word, value);
            case NET_IPV4_BOOTMETHOD:
                if (value != "0" && value != "5" && value != "3" && value != "6" && value != "7") {
                    Util::writeLog("NET_IPV4_BOOTMETHOD ERROR_INVALID_PARAMETER");
                    return refuse();
                }
                return setIntData(DCID_IPv4BootMethod, value);
            case NET_IPV4ADDRESS:
                return setBinaryData(DCID_IPv4Address, value);
            case NET_SUBNETMASK:
                return setBinaryData(DCID_SubnetMask, value);
            case NET_GATEWAY:
                return setBinaryData(DCID_Gateway, value);
            case NET_DNS_IPV4_BOOTMETHOD:
                return setIntData(DCID_DnsIPv4BootMethod, value);
            case NET_PRIMARY_DNS_IPV4ADDRESS:
                return setBinaryData(DCID_PrimaryDnsIPv4Address, value);
            case NET_SECOND_DNS_IPV4ADDRESS:
                return setBinaryData(DCID_SecondDnsIPv4Address, value);
            case NET_NODENAME:
                if (!gate(word, NET_GATE_NODENAME)) {
                    return true;
                }
                return value.size() <= 32 ? setRawStringData(DCID_NodeName, value) : refuse();
            default:
                return true;
        }
    });
}

bool PrinterSetting::AddIPv6ConfigData_forWrite(const int* keys, const std::string* values,
                                                int count) {
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case NET_USED_IPV6:
                return setIntData(DCID_UsedIPv6, value);
            case NET_PRIORITY_IPV6:
                return setIntData(DCID_PriorityIPv6, value);
            case NET_IPV6_BOOTMETHOD:
                return setIntData(DCID_IPv6BootMethod, value);
            case NET_STATIC_IPV6ADDRESS:
                return setBinaryData(DCID_StaticIPv6Address, value);
            case NET_PRIMARY_DNS_IPV6ADDRESS:
                return setBinaryData(DCID_PrimaryDnsIPv6Address, value);
            case NET_SECOND_DNS_IPV6ADDRESS:
                return setBinaryData(DCID_SecondDnsIPv6Address, value);
            default:
                return true;
        }
    });
}

bool PrinterSetting::AddWDirectConfigData_forWrite(const int* keys, const std::string* values,
                                                   int count) {
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case WIRELESSDIRECT_KEY_CREATE_MODE:
                return setWFDAutoGeneration(value);
            case WIRELESSDIRECT_SSID:
                return value.size() <= 25 ? setWFDStaticSSID(value) : refuse();
            case WIRELESSDIRECT_KEY:
                return value.size() <= 63 ? setWFDStaticKey(value) : refuse();
            default:
                return true;
        }
    });
}

bool PrinterSetting::AddPowerConfigData_forWrite(const int* keys, const std::string* values,
                                                 int count) {
    const unsigned word = getPowerSettingSupportedList();
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case PRINTER_POWEROFFTIME:
                return !gate(word, POWER_GATE_AC) || cwsConnect->setACAutoOffCommand(value);
            case PRINTER_POWEROFFTIME_BATTERY:
                return !gate(word, POWER_GATE_BATTERY) || cwsConnect->setLiAutoOff(value);
            default:
                return true;
        }
    });
}

bool PrinterSetting::AddPrintConfigData_forWrite(const int* keys, const std::string* values,
                                                 int count) {
    const unsigned word = getPrintSettingSupportedList();
    return runGroup(keys, count, true, [&](int key, int i) {
        const std::string& value = values[i];
        if (value.empty()) {
            return true;
        }
        switch (key) {
            case PRINT_JPEG_HALFTONE:
                return !gate(word, PRINT_GATE_JPEG_HALFTONE) || setJPEGHalf(value);
            case PRINT_JPEG_SCALE:
                return !gate(word, PRINT_GATE_JPEG_SCALE) || setJPEGScale(value);
            case PRINT_DENSITY:
                return !gate(word, PRINT_GATE_DENSITY) || setDensity(value);
            case PRINT_SPEED:
                return !gate(word, PRINT_GATE_SPEED) || setSpeed(value);
            default:
                return true;
        }
    });
}
