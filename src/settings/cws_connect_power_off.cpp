// The automatic power-off times (mains and battery) in decimal minutes: the command form
// follows the series and the model's power-off capability word.
#include <cstring>

#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "settings/cws_connect.h"
#include "settings/device_setting_commands.h"
#include "settings/host_text.h"
#include "settings/ps_power_setting.h"
#include "settings/setting_error.h"

using settings::refuse;
using settings::setError;
using tpes::Util;
namespace cmd = DeviceSettingCommands;
namespace error = lumeko::error;

namespace {

constexpr int kReplyValue = 30;  // byte of the queried value in an ESC i U A reply
constexpr int kReplyValid = 31;  // 1 when the VZ forms' reply is valid
constexpr int kBlockAC = 12;     // bytes of the FC setting block
constexpr int kBlockBattery = 13;

// The item byte s of the ESC i U A commands: 00 mains, 01 battery.
unsigned char itemByte(bool ac) {
    return ac ? 0x00 : 0x01;
}

// The minutes of a write text, or false (39) when they are negative or above limit.
bool minutesWithin(const std::string& text, unsigned limit, unsigned& minutes) {
    int value = 0;
    if (!settings::wholeNumber(text, value) || value < 0 || static_cast<unsigned>(value) > limit) {
        return refuse();
    }
    minutes = static_cast<unsigned>(value);
    return true;
}

// The mains power-off form of a capability word: the first type it matches, in this order,
// or POWER_OFF_AC (the Other form) when it matches none.
PSPowerSetting acAutoOffForm(uint32_t word) {
    for (PSPowerSetting type :
         {POWER_OFF_TYPE_HU1, POWER_OFF_TYPE_VZ3, POWER_OFF_TYPE_VZ4600, POWER_OFF_TYPE_HU3400a}) {
        if (isPowerOffTimeTypeEqualTo(word, type)) {
            return type;
        }
    }
    return POWER_OFF_AC;
}

}  // namespace

uint32_t CWSConnect::powerWord(Port wordPort) const {
    const auto entry = spec.powerSettings.find(wordPort);
    return entry == spec.powerSettings.end() ? 0u : entry->second;
}

int CWSConnect::changeAutoOffTimeFromCommand(int code) {
    // clang-format off
    static constexpr int kMinutes[] = {
        0, 10, 20, 30, 40, 50, 60, 120, 240, 480, 720,  // codes 0..10
        1, 2, 3, 4, 5, 6, 7, 8, 9,                      // codes 11..19
        90, 15, 25, 360, 540, 180,                      // codes 20..25
    };
    // clang-format on
    if (code < 0 || code >= static_cast<int>(sizeof kMinutes / sizeof kMinutes[0])) {
        setError(error::kInvalidParameter);
        return 0;
    }
    return kMinutes[code];
}

// ---------------------------------------------------------------------------------------
// Reads

bool CWSConnect::getACAutoOff(std::string& minutes) {
    const uint8_t series = spec.seriesCode;
    if (series == '6') {
        return port == PORT_NET ? getACAutoOffMIBFC(minutes) : getACAutoOffESCCommandFC(minutes);
    }
    if (series == '0') {
        // The KX series has no mains power-off object on the network port.
        return port == PORT_NET ? false : getAutoOffEscCommandKX(minutes, true);
    }
    if (port == PORT_NET) {
        return getACAutoOffMIBFC(minutes);
    }
    switch (acAutoOffForm(powerWord(port))) {
        case POWER_OFF_TYPE_HU1:
            return getACAutoOffESCCommandHU1(minutes);
        case POWER_OFF_TYPE_VZ3:
            return getAutoOffEscCommandVZ3(minutes, true);
        case POWER_OFF_TYPE_VZ4600:
            return getAutoOffEscCommandVZ4600(minutes, true);
        case POWER_OFF_TYPE_HU3400a:
            return getACAutoOffESCCommandHU3400a(minutes);
        default:
            return getAutoOffEscCommandOther(minutes);
    }
}

bool CWSConnect::getLiAutoOff(std::string& minutes) {
    if (port == PORT_NET) {
        return getLiAutoOffMIBCommandFC(minutes);
    }
    if (spec.seriesCode == '0') {
        return getAutoOffEscCommandKX(minutes, false);
    }
    if ((powerWord(port) & 0x22u) == 0x22u) {
        return getAutoOffEscCommandVZ3(minutes, false);
    }
    return getLiAutoOffESCCommandFC(minutes);
}

bool CWSConnect::getAutoOffMIB(const char* oid, std::string& minutes) {
    std::string text;
    int code = 0;
    if (!readObject(oid, text) || !numberOfReply(text, code)) {
        return false;
    }
    // A code outside the table sets 39 and gives 0 minutes; the read itself succeeded.
    minutes = Util::toStr(changeAutoOffTimeFromCommand(code));
    return true;
}

bool CWSConnect::getACAutoOffMIBFC(std::string& minutes) {
    return getAutoOffMIB(tpes::PrinterMibOids::oidAcAutoOff, minutes);
}

bool CWSConnect::getLiAutoOffMIBCommandFC(std::string& minutes) {
    return getAutoOffMIB(tpes::PrinterMibOids::oidBatteryAutoOff, minutes);
}

bool CWSConnect::getAutoOffFromBlockFC(int index, std::string& minutes) {
    unsigned char block[cmd::kSettingBlockLengthFC] = {};
    // ESC ~ e U 00: read the FC setting block (mains power-off in byte 12, battery in 13)
    if (!exchange(cmd::kSettingBlockReadFC, sizeof cmd::kSettingBlockReadFC, block, sizeof block)) {
        return false;
    }
    minutes = Util::toStr(block[index]);
    return true;
}

bool CWSConnect::getACAutoOffESCCommandFC(std::string& minutes) {
    return getAutoOffFromBlockFC(kBlockAC, minutes);
}

bool CWSConnect::getLiAutoOffESCCommandFC(std::string& minutes) {
    return getAutoOffFromBlockFC(kBlockBattery, minutes);
}

bool CWSConnect::autoOffQuery(unsigned char query, bool withItem, bool ac, unsigned char* reply,
                              int replyLength) {
    // ESC i U A q [s]: power-off query q (01 tens, 03 minutes) of item s
    unsigned char command[6];
    std::memcpy(command, cmd::kAutoOffHead, sizeof cmd::kAutoOffHead);
    command[4] = query;
    command[5] = itemByte(ac);
    return exchange(command, withItem ? 6 : 5, reply, replyLength);
}

bool CWSConnect::getAutoOffEscCommandOther(std::string& minutes) {
    unsigned char reply[cmd::kAutoOffReplyLength] = {};
    if (!autoOffQuery(cmd::kAutoOffQueryTens, false, true, reply, sizeof reply)) {
        return false;
    }
    minutes = Util::toStr(reply[kReplyValue] * 10);
    return true;
}

bool CWSConnect::getACAutoOffESCCommandHU1(std::string& minutes) {
    unsigned char tens[cmd::kAutoOffReplyLength] = {};
    unsigned char units[cmd::kAutoOffReplyLength] = {};
    if (!autoOffQuery(cmd::kAutoOffQueryTens, false, true, tens, sizeof tens) ||
        !autoOffQuery(cmd::kAutoOffQueryMinutes, false, true, units, sizeof units)) {
        return false;
    }
    minutes = Util::toStr(tens[kReplyValue] * 10 + units[kReplyValue]);
    return true;
}

bool CWSConnect::getACAutoOffESCCommandHU3400a(std::string& minutes) {
    return getACAutoOffESCCommandHU1(minutes);
}

bool CWSConnect::getAutoOffEscCommandKX(std::string& minutes, bool ac) {
    unsigned char tens = 0;
    if (!autoOffQuery(cmd::kAutoOffQueryTens, true, ac, &tens, 1)) {
        return false;
    }
    minutes = Util::toStr(tens * 10);
    return true;
}

bool CWSConnect::getAutoOffEscCommandVZ(std::string& minutes, bool ac, int limit) {
    unsigned char tens[cmd::kAutoOffReplyLength] = {};
    unsigned char units[cmd::kAutoOffReplyLength] = {};
    if (!autoOffQuery(cmd::kAutoOffQueryTens, true, ac, tens, sizeof tens)) {
        return false;
    }
    if (tens[kReplyValid] != 1) {
        setError(error::kPowerOffReplyInvalid);
        return false;
    }
    if (!autoOffQuery(cmd::kAutoOffQueryMinutes, true, ac, units, sizeof units)) {
        return false;
    }
    if (units[kReplyValid] != 1) {
        setError(error::kPowerOffReplyInvalid);
        return false;
    }
    const int value = tens[kReplyValue] * 10 + units[kReplyValue];
    if (value > limit) {
        return refuse();
    }
    minutes = Util::toStr(value);
    return true;
}

bool CWSConnect::getAutoOffEscCommandVZ3(std::string& minutes, bool ac) {
    return getAutoOffEscCommandVZ(minutes, ac, 60);
}

bool CWSConnect::getAutoOffEscCommandVZ4600(std::string& minutes, bool ac) {
    return getAutoOffEscCommandVZ(minutes, ac, 720);
}

// ---------------------------------------------------------------------------------------
// Writes

bool CWSConnect::setACAutoOffCommand(std::string minutes) {
    const uint8_t series = spec.seriesCode;
    if (series == '6') {
        return setACAutoOffCommandEscFC(minutes);
    }
    if (series == '0') {
        return setAutoOffESCCommandKX(minutes, true);
    }
    // The mains form is chosen by the port-1 word, whatever the operation's port.
    switch (acAutoOffForm(powerWord(PORT_USB))) {
        case POWER_OFF_TYPE_HU1:
            return setACAutoOffESCCommandHU1(minutes);
        case POWER_OFF_TYPE_VZ3:
            return setAutoOffEscCommandVZ3(minutes, true);
        case POWER_OFF_TYPE_VZ4600:
            return setAutoOffEscCommandVZ4600(minutes, true);
        case POWER_OFF_TYPE_HU3400a:
            return setACAutoOffESCCommandHU3400a(minutes);
        default:
            return setACAutoOffESCCommandOther(minutes);
    }
}

bool CWSConnect::setLiAutoOff(std::string minutes) {
    if (spec.seriesCode == '0') {
        return setAutoOffESCCommandKX(minutes, false);
    }
    if ((powerWord(port) & 0x22u) == 0x22u) {
        return setAutoOffEscCommandVZ3(minutes, false);
    }
    return setLiAutoOffESCCommandFC(minutes);
}

bool CWSConnect::setACAutoOffCommandEscFC(std::string text) {
    unsigned minutes = 0;
    if (!minutesWithin(text, 120, minutes)) {
        return false;
    }
    // ESC ~ e t m 01: mains power-off after m minutes
    cmd::append(escSetData, cmd::kACAutoOffWriteFC, {static_cast<unsigned char>(minutes), 0x01});
    return true;
}

bool CWSConnect::setLiAutoOffESCCommandFC(std::string text) {
    unsigned minutes = 0;
    if (!minutesWithin(text, 120, minutes)) {
        return false;
    }
    // ESC ~ t m 01: battery power-off after m minutes
    cmd::append(escSetData, cmd::kLiAutoOffWriteFC, {static_cast<unsigned char>(minutes), 0x01});
    return true;
}

bool CWSConnect::setACAutoOffESCCommandOther(std::string text) {
    unsigned minutes = 0;
    if (!minutesWithin(text, 60, minutes)) {
        return false;
    }
    // ESC i U A 00 t: mains power-off after t tens of minutes
    cmd::append(escSetData, cmd::kAutoOffHead,
                {cmd::kAutoOffSetTens, static_cast<unsigned char>(minutes / 10)});
    return true;
}

bool CWSConnect::setACAutoOffESCCommandHU1Command(int minutes) {
    if (minutes < 0) {
        return refuse();
    }
    const unsigned tens = static_cast<unsigned>(minutes) / 10;
    // Below ten minutes the minutes go in the second command; else whole tens only.
    const unsigned units = tens == 0 ? static_cast<unsigned>(minutes) : 0;
    // ESC i U A 00 t: tens of minutes; ESC i U A 02 u: single minutes
    cmd::append(escSetData, cmd::kAutoOffHead,
                {cmd::kAutoOffSetTens, static_cast<unsigned char>(tens & 0xFF)});
    cmd::append(escSetData, cmd::kAutoOffHead,
                {cmd::kAutoOffSetMinutes, static_cast<unsigned char>(units & 0xFF)});
    return true;
}

bool CWSConnect::setACAutoOffESCCommandHU1(std::string text) {
    unsigned minutes = 0;
    return minutesWithin(text, 60, minutes) &&
           setACAutoOffESCCommandHU1Command(static_cast<int>(minutes));
}

bool CWSConnect::setACAutoOffESCCommandHU3400a(std::string text) {
    unsigned minutes = 0;
    return minutesWithin(text, 720, minutes) &&
           setACAutoOffESCCommandHU1Command(static_cast<int>(minutes));
}

bool CWSConnect::setAutoOffESCCommandKX(std::string text, bool ac) {
    unsigned minutes = 0;
    if (!minutesWithin(text, 2550, minutes)) {
        return false;
    }
    // ESC i U A 00 s t: power-off of item s after t tens of minutes
    cmd::append(escSetData, cmd::kAutoOffHead,
                {cmd::kAutoOffSetTens, itemByte(ac), static_cast<unsigned char>(minutes / 10)});
    return true;
}

bool CWSConnect::setAutoOffEscCommandVZ(std::string text, bool ac, unsigned limit) {
    unsigned minutes = 0;
    if (!minutesWithin(text, limit, minutes)) {
        return false;
    }
    // ESC i U A 00 s t: tens of minutes; ESC i U A 02 s 00: no single minutes
    cmd::append(escSetData, cmd::kAutoOffHead,
                {cmd::kAutoOffSetTens, itemByte(ac), static_cast<unsigned char>(minutes / 10)});
    cmd::append(escSetData, cmd::kAutoOffHead, {cmd::kAutoOffSetMinutes, itemByte(ac), 0x00});
    return true;
}

bool CWSConnect::setAutoOffEscCommandVZ3(std::string text, bool ac) {
    return setAutoOffEscCommandVZ(text, ac, 60);
}

bool CWSConnect::setAutoOffEscCommandVZ4600(std::string text, bool ac) {
    return setAutoOffEscCommandVZ(text, ac, 720);
}
