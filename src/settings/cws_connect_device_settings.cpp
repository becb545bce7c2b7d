// The ESC commands of the Bluetooth, Wi-Fi Direct, wireless-on-boot and print-setting
// items: reads exchange at once, writes append to escSetData.
#include <cstring>
#include <vector>

#include "common/byte_order.h"
#include "common/reply_text.h"
#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "settings/cws_connect.h"
#include "settings/device_setting_commands.h"
#include "settings/setting_error.h"

using lumeko::readLe16;
using lumeko::textUpToZero;
using settings::errorCode;
using settings::refuse;
using settings::setError;
using tpes::Util;
namespace cmd = DeviceSettingCommands;
namespace error = lumeko::error;

namespace {

// Wi-Fi Direct enable and connection method: 1 and 2 stand for themselves, anything else
// for 0.
unsigned char wfdModeByte(int value) {
    return value == 1 || value == 2 ? static_cast<unsigned char>(value) : 0x00;
}

}  // namespace

bool CWSConnect::readByte(const unsigned char* command, int length, int replyLength,
                          unsigned char& value) {
    unsigned char reply[3] = {};
    if (replyLength < 1 || replyLength > 3 || !exchange(command, length, reply, replyLength)) {
        return false;
    }
    value = reply[replyLength - 1];
    return true;
}

bool CWSConnect::queueByteWithin(const unsigned char* command, size_t length, unsigned char value,
                                 unsigned char limit) {
    if (value > limit) {
        return refuse();
    }
    escSetData.insert(escSetData.end(), command, command + length);
    escSetData.push_back(value);
    return true;
}

// ---------------------------------------------------------------------------------------
// Bluetooth

bool CWSConnect::sendESBTDevName_R(std::string& name) {
    // ESC i X B 31 01 00 01: read the Bluetooth device name
    if (!sendNow(cmd::kBTDevNameRead, sizeof cmd::kBTDevNameRead)) {
        return false;
    }
    constexpr int kReplySize = 32;
    constexpr int kMaxName = 30;
    unsigned char reply[kReplySize] = {};
    const int entryCode = errorCode();
    int received = 0;
    bool failedAttempt = false;
    for (int attempt = 0; attempt < 3 && received <= 0; ++attempt) {
        if (attempt > 0 && stopBeforeExchange()) {
            return false;  // no retry after a stop
        }
        received = receive(kReplySize, reply, false);
        if (received < 0) {
            failedAttempt = true;
            setError(error::kCommunication);
        }
    }
    if (received <= 0) {
        setError(error::kCommunication);
        return false;
    }
    // A failed attempt followed by a good one is no failure of the read (a code stored
    // meanwhile, such as a cancel's, stays).
    if (failedAttempt && errorCode() == error::kCommunication) {
        setError(entryCode);
    }
    const int nameLength = reply[0];
    if (nameLength > kMaxName) {
        setError(error::kCommunication);
        return false;
    }
    if (received <= nameLength) {
        // The name is incomplete: one follow-up receive for the missing bytes.
        const int more = receive(nameLength + 1 - received, reply + received, true);
        if (more < 0 || received + more <= nameLength) {
            setError(error::kCommunication);
            return false;
        }
    }
    name = textUpToZero(reply + 1, static_cast<size_t>(nameLength));
    return true;
}

bool CWSConnect::sendESBTDevName_W(std::string name) {
    if (name.size() > 30) {
        return refuse();
    }
    // ESC i X B 32 01 00 01 n name: Bluetooth device name
    cmd::append(escSetData, cmd::kBTDevNameWrite, {static_cast<unsigned char>(name.size())});
    escSetData.insert(escSetData.end(), name.begin(), name.end());
    return true;
}

bool CWSConnect::sendESBTVisibility_R(std::string& visibility) {
    unsigned char value = 0;
    // ESC i X B 31 01 00 02: read the Bluetooth visibility
    if (!exchange(cmd::kBTVisibilityRead, sizeof cmd::kBTVisibilityRead, &value, 1)) {
        return false;
    }
    visibility = Util::toStr(value);
    return true;
}

bool CWSConnect::sendESBTVisibility_W(bool visible) {
    // ESC i X B 32 01 00 02 v: Bluetooth visibility (01 visible, 00 hidden)
    cmd::append(escSetData, cmd::kBTVisibilityWrite, {static_cast<unsigned char>(visible ? 1 : 0)});
    return true;
}

bool CWSConnect::bluetoothBootForm() const {
    // The port-1 Bluetooth word decides, whatever the operation's port.
    const auto word = spec.bluetoothSettings.find(PORT_USB);
    return (word != spec.bluetoothSettings.end() && (word->second & 0x2200u) == 0x2200u) ||
           isFCSeries();
}

bool CWSConnect::sendESBTOnBoot_R(unsigned char& mode) {
    return bluetoothBootForm() ? getBTOnBootFC(mode) : getWirelessOnBoot(mode);
}

bool CWSConnect::sendESBTOnBoot_W(unsigned char mode) {
    return bluetoothBootForm() ? setBTOnBootFC(mode) : setWirelessOnBoot(mode);
}

bool CWSConnect::getBTOnBootFC(unsigned char& mode) {
    // ESC i X B 31 01 00 06: read the Bluetooth boot mode
    return readByte(cmd::kBTOnBootRead, sizeof cmd::kBTOnBootRead, 1, mode);
}

bool CWSConnect::setBTOnBootFC(unsigned char mode) {
    // ESC i X B 32 01 00 06 v: Bluetooth boot mode
    cmd::append(escSetData, cmd::kBTOnBootWrite, {mode});
    return true;
}

bool CWSConnect::getBluetoothReconnection(signed char& value) {
    unsigned char reply = 0;
    // ESC i X B 31 01 00 08: read the Bluetooth reconnection
    if (!exchange(cmd::kBTReconnectionRead, sizeof cmd::kBTReconnectionRead, &reply, 1)) {
        return false;
    }
    if (reply != 1 && reply != 2) {
        return refuse();
    }
    value = static_cast<signed char>(reply);
    return true;
}

bool CWSConnect::setBluetoothReconnection(signed char value) {
    if (value != 1 && value != 2) {
        return refuse();
    }
    // ESC i X B 32 01 00 08 v: Bluetooth reconnection (1 or 2)
    cmd::append(escSetData, cmd::kBTReconnectionWrite, {static_cast<unsigned char>(value)});
    return true;
}

bool CWSConnect::sendESBTPinCodeEE_R(bool& enabled, bool& second) {
    unsigned char reply = 0;
    // ESC i X B 31 01 00 03: read the PIN enable
    if (!exchange(cmd::kBTPinCodeEERead, sizeof cmd::kBTPinCodeEERead, &reply, 1)) {
        return false;
    }
    enabled = reply != 0;
    second = reply == 2;
    return true;
}

bool CWSConnect::sendESBTPinCodeEE_W(bool enabled, bool second) {
    const unsigned char value = !enabled ? 0x00 : (second ? 0x02 : 0x01);
    // ESC i X B 32 01 00 03 v: PIN enable
    cmd::append(escSetData, cmd::kBTPinCodeEEWrite, {value});
    return true;
}

bool CWSConnect::sendESBTPinCode_R(std::string& pin) {
    unsigned char reply[16] = {};
    // ESC i X B 31 01 00 00: read the PIN
    if (!exchange(cmd::kBTPinCodeRead, sizeof cmd::kBTPinCodeRead, reply, sizeof reply)) {
        return false;
    }
    pin = textUpToZero(reply, sizeof reply);
    return true;
}

bool CWSConnect::sendESBTPinCode_W(std::string pin) {
    if (pin.size() > 16) {
        return refuse();
    }
    // ESC i X B 32 01 00 00 n PIN, zero-filled to 16 bytes: Bluetooth PIN (always 25 bytes)
    cmd::append(escSetData, cmd::kBTPinCodeWrite, {static_cast<unsigned char>(pin.size())});
    escSetData.insert(escSetData.end(), pin.begin(), pin.end());
    escSetData.insert(escSetData.end(), 16 - pin.size(), 0x00);
    return true;
}

bool CWSConnect::sendESBTenable_R(std::string& enabled) {
    unsigned char reply[3] = {};
    // ESC i X 2 31 02 00 00 03: read the Bluetooth enable
    if (!exchange(cmd::kBTEnableRead, sizeof cmd::kBTEnableRead, reply, sizeof reply)) {
        return false;
    }
    enabled = Util::toStr(reply[2]);
    return true;
}

bool CWSConnect::sendESBTenable_W(bool enabled) {
    // ESC i X 2 32 03 00 00 03 v: Bluetooth enable (01 on, 00 off)
    cmd::append(escSetData, cmd::kBTEnableWrite, {static_cast<unsigned char>(enabled ? 1 : 0)});
    return true;
}

// ---------------------------------------------------------------------------------------
// Wi-Fi Direct

bool CWSConnect::sendESWFDenable_R(int& value) {
    unsigned char reply[3] = {};
    // ESC i X * 31 02 00 00 00: read the Wi-Fi Direct enable
    if (!exchange(cmd::kWFDEnableRead, sizeof cmd::kWFDEnableRead, reply, sizeof reply)) {
        return false;
    }
    value = wfdModeByte(reply[2]);
    return true;
}

bool CWSConnect::sendESWFDenable_W(int value) {
    // ESC i X * 31 03 00 01 00 v: Wi-Fi Direct enable
    cmd::append(escSetData, cmd::kWFDEnableWrite, {wfdModeByte(value)});
    return true;
}

bool CWSConnect::sendESWFDConnectMethod_R(int& value) {
    unsigned char reply[3] = {};
    // ESC i X * 31 02 00 00 04: read the Wi-Fi Direct connection method
    if (!exchange(cmd::kWFDConnectMethodRead, sizeof cmd::kWFDConnectMethodRead, reply,
                  sizeof reply)) {
        return false;
    }
    value = wfdModeByte(reply[2]);
    return true;
}

bool CWSConnect::sendESWFDConnectMethod_W(int value) {
    // ESC i X * 31 03 00 01 04 v: Wi-Fi Direct connection method
    cmd::append(escSetData, cmd::kWFDConnectMethodWrite, {wfdModeByte(value)});
    return true;
}

bool CWSConnect::sendESWFDAutoGeneration_R(bool& on) {
    unsigned char reply[3] = {};
    // ESC i X * 31 02 00 00 05: read the Wi-Fi Direct automatic key generation
    if (!exchange(cmd::kWFDAutoGenerationRead, sizeof cmd::kWFDAutoGenerationRead, reply,
                  sizeof reply)) {
        return false;
    }
    on = reply[2] == 1;
    return true;
}

bool CWSConnect::sendESWFDAutoGeneration_W(bool on) {
    // ESC i X * 31 03 00 01 05 v: Wi-Fi Direct automatic key generation
    cmd::append(escSetData, cmd::kWFDAutoGenerationWrite, {static_cast<unsigned char>(on ? 1 : 0)});
    return true;
}

bool CWSConnect::readWFDText(const unsigned char* command, int length, int replySize,
                             std::string& text) {
    if (!sendNow(command, length)) {
        return false;
    }
    std::vector<unsigned char> reply(static_cast<size_t>(replySize), 0);
    const int received = receive(replySize, reply.data(), false);
    if (received <= 0) {
        setError(error::kCommunication);
        return false;
    }
    // Bytes 0 and 1: the text length, little-endian; the text follows. A length beyond
    // what the reply carries is a malformed reply.
    const int textLength = readLe16(reply.data());
    if (received < 2 || textLength > received - 2) {
        setError(error::kCommunication);
        return false;
    }
    text.clear();
    text = textUpToZero(reply.data() + 2, static_cast<size_t>(textLength));
    return true;
}

bool CWSConnect::sendESWFDStaticSSID_R(std::string& ssid) {
    // ESC i X * 31 02 00 00 02: read the Wi-Fi Direct SSID (32-byte reply)
    return readWFDText(cmd::kWFDSSIDRead, sizeof cmd::kWFDSSIDRead, 32, ssid);
}

bool CWSConnect::sendESWFDStaticKey_R(std::string& key) {
    // ESC i X * 31 02 00 00 01: read the Wi-Fi Direct key (length, then at most 64 bytes)
    return readWFDText(cmd::kWFDKeyRead, sizeof cmd::kWFDKeyRead, 2 + 64, key);
}

bool CWSConnect::sendESWFDStaticSSID_W(std::string ssid) {
    if (ssid.size() > 32) {
        return refuse();
    }
    // ESC i X * 31 m 00 01 02 SSID, m = n + 2: Wi-Fi Direct SSID
    cmd::append(escSetData, cmd::kWFDWriteHead,
                {static_cast<unsigned char>(ssid.size() + 2), 0x00, 0x01, cmd::kWFDItemSSID});
    escSetData.insert(escSetData.end(), ssid.begin(), ssid.end());
    return true;
}

bool CWSConnect::sendESWFDStaticKey_W(std::string key) {
    if (key.size() > 64) {
        return refuse();
    }
    // ESC i X * 31 m 00 01 01 key, m = n + 2: Wi-Fi Direct key
    cmd::append(escSetData, cmd::kWFDWriteHead,
                {static_cast<unsigned char>(key.size() + 2), 0x00, 0x01, cmd::kWFDItemKey});
    escSetData.insert(escSetData.end(), key.begin(), key.end());
    return true;
}

// ---------------------------------------------------------------------------------------
// Wireless interface at power-on

bool CWSConnect::getWirelessOnBoot(unsigned char& value) {
    return port == PORT_NET ? getWirelessOnBootMIB(value) : getWirelessOnBootEsc(value);
}

bool CWSConnect::getWirelessOnBootMIB(unsigned char& value) {
    std::string text;
    int number = 0;
    if (!readObject(tpes::PrinterMibOids::oidWirelessOnBoot, text) ||
        !numberOfReply(text, number)) {
        return false;
    }
    value = static_cast<unsigned char>(number & 0xFF);
    return true;
}

bool CWSConnect::getWirelessOnBootEsc(unsigned char& value) {
    // ESC i X K 31 (01 on the HU series, else 00) 00: read the wireless interface at boot
    unsigned char command[sizeof byES_GetWirelessOnBoot];
    std::memcpy(command, byES_GetWirelessOnBoot, sizeof command);
    command[5] = wirelessOnBootInterfaceByte();
    return readByte(command, sizeof command, 3, value);
}

bool CWSConnect::setWirelessOnBoot(unsigned char value) {
    // ESC i X K 32 (01 on the HU series, else 00) 00 v: wireless interface at boot
    unsigned char command[sizeof byES_SetWirelessOnBoot];
    std::memcpy(command, byES_SetWirelessOnBoot, sizeof command);
    command[5] = wirelessOnBootInterfaceByte();
    command[7] = value;
    escSetData.insert(escSetData.end(), command, command + sizeof command);
    return true;
}

// ---------------------------------------------------------------------------------------
// Print settings

bool CWSConnect::getJPEGHalf(unsigned char& value) {
    return isFCSeries() ? getJPEGHalfFC(value) : getJPEGHalfOther(value);
}

bool CWSConnect::getJPEGHalfFC(unsigned char& value) {
    // ESC ~ e J 00 00: read the JPEG halftone
    return readByte(cmd::kJPEGHalfReadFC, sizeof cmd::kJPEGHalfReadFC, 1, value);
}

bool CWSConnect::getJPEGHalfOther(unsigned char& value) {
    // ESC i X J 31 01 00: read the JPEG halftone
    return readByte(cmd::kJPEGHalfReadOther, sizeof cmd::kJPEGHalfReadOther, 3, value);
}

bool CWSConnect::setJPEGHalf(unsigned char value) {
    return isFCSeries() ? setJPEGHalfFC(value) : setJPEGHalfOther(value);
}

bool CWSConnect::setJPEGHalfFC(unsigned char value) {
    // ESC ~ e J 01 v: JPEG halftone
    return queueByteWithin(cmd::kJPEGHalfWriteFC, sizeof cmd::kJPEGHalfWriteFC, value, 1);
}

bool CWSConnect::setJPEGHalfOther(unsigned char value) {
    // ESC i X J 32 01 00 v: JPEG halftone
    return queueByteWithin(cmd::kJPEGHalfWriteOther, sizeof cmd::kJPEGHalfWriteOther, value, 1);
}

bool CWSConnect::getJPEGScale(unsigned char& value) {
    // ESC ~ e a 00 00: read the JPEG scale
    return readByte(cmd::kJPEGScaleRead, sizeof cmd::kJPEGScaleRead, 1, value);
}

bool CWSConnect::setJPEGScale(unsigned char value) {
    // ESC ~ e a 01 v: JPEG scale
    return queueByteWithin(cmd::kJPEGScaleWrite, sizeof cmd::kJPEGScaleWrite, value, 1);
}

bool CWSConnect::getSpeed(unsigned char& value) {
    return isFCSeries() ? getSpeedFC(value) : getSpeedOther(value);
}

bool CWSConnect::getSpeedFC(unsigned char& value) {
    // ESC ~ e V 00: read the print speed
    return readByte(cmd::kSpeedReadFC, sizeof cmd::kSpeedReadFC, 1, value);
}

bool CWSConnect::getSpeedOther(unsigned char& value) {
    // ESC i X u 31 03 00 00 00 00: read the print speed
    return readByte(cmd::kSpeedReadOther, sizeof cmd::kSpeedReadOther, 3, value);
}

bool CWSConnect::setSpeed(unsigned char value) {
    return isFCSeries() ? setSpeedFC(value) : setSpeedOther(value);
}

bool CWSConnect::setSpeedFC(unsigned char value) {
    // ESC ~ e V 01 v: print speed
    return queueByteWithin(cmd::kSpeedWriteFC, sizeof cmd::kSpeedWriteFC, value, 4);
}

bool CWSConnect::setSpeedOther(unsigned char value) {
    // ESC i X u 32 03 00 00 00 v: print speed
    return queueByteWithin(cmd::kSpeedWriteOther, sizeof cmd::kSpeedWriteOther, value, 6);
}

bool CWSConnect::getDensity(signed char& value) {
    return isFCSeries() ? getDensityFC(value) : getDensityOther(value);
}

bool CWSConnect::getDensityFC(signed char& value) {
    unsigned char reply[cmd::kSettingBlockLengthFC] = {};
    // ESC ~ e U 00: read the FC setting block (density in byte 4)
    if (!exchange(cmd::kSettingBlockReadFC, sizeof cmd::kSettingBlockReadFC, reply, sizeof reply)) {
        return false;
    }
    const unsigned char raw = reply[4];
    if (raw == 0xFF) {
        value = 10;
    } else if (raw % 24 == 0) {
        value = static_cast<signed char>(raw / 24);
    } else {
        return refuse();
    }
    return true;
}

bool CWSConnect::getDensityOther(signed char& value) {
    unsigned char reply[3] = {};
    // ESC i X e 31 01 00: read the print density
    if (!exchange(cmd::kDensityReadOther, sizeof cmd::kDensityReadOther, reply, sizeof reply)) {
        return false;
    }
    const int raw = reply[2];
    if (raw < 0x7B || raw > 0x85) {
        return refuse();
    }
    value = static_cast<signed char>(raw - 128);
    return true;
}

bool CWSConnect::setDensity(signed char value) {
    return isFCSeries() ? setDensityFC(value) : setDensityOther(value);
}

bool CWSConnect::setDensityFC(signed char value) {
    if (value < 0 || value > 10) {
        return refuse();
    }
    const unsigned char raw = value == 10 ? 0xFF : static_cast<unsigned char>(value * 24);
    // ESC ~ d raw 00: print density (density x 24, FF for 10)
    cmd::append(escSetData, cmd::kDensityWriteFC, {raw, 0x00});
    return true;
}

bool CWSConnect::setDensityOther(signed char value) {
    if (value < -5 || value > 5) {
        return refuse();
    }
    // ESC i X e 32 01 00 raw: print density (density + 128)
    cmd::append(escSetData, cmd::kDensityWriteOther, {static_cast<unsigned char>(value + 128)});
    return true;
}
