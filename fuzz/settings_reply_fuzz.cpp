// The replies of the settings service: PJL item reads (any bytes, any count), the SNMP value
// text of every item, the replies of every ESC device-setting and power-off read, the IPv6
// address list and whole get and set calls, against a printer or host that answers
// anything; and the PJL text writers with any text. Checks: a failed read never leaves error
// code 1 or a changed value, a value read is whole (a number where a number is read, on both
// routes the number of a value text that is wholly a number; an address where an address is
// read), no PJL line queued for a commit holds a control byte, a stray quote or 0x7F, the
// hexadecimal writers take every text without a zero byte and carry it whole, and the raw
// writers take exactly the texts without quotes and control bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzzed_observer.h"
#include "job_checks.h"
#include "operation_checks.h"
#include "settings/cws_connect.h"
#include "settings/device_config_id.h"
#include "settings/editable_setting.h"
#include "settings/host_text.h"
#include "settings/printer_setting.h"

using namespace lumeko_fuzz;

namespace {

const char kKept[] = "kept";

Model pickSettingsModel(FuzzInput& in) {
    static const Model models[] = {HU_3650WB, VZ_310W, FC_650, KX_A380W, SN_7100N, GY_310};
    return models[in.pick(6)];
}

Port pickSettingsPort(FuzzInput& in) {
    static const Port ports[] = {PORT_USB, PORT_BLUETOOTH, PORT_NET, PORT_BLE};
    return ports[in.pick(4)];
}

// Series, capability words and status support from the input.
void editSpec(Port port, PrinterSpec& spec, const unsigned char* words) {
    static const uint8_t series[] = {'0', '2', '4', '5', '6', '7'};
    static const uint32_t powerWords[] = {0x01, 0x03, 0x11, 0x23, 0x31, 0x41, 0x00, 0x22};
    spec.seriesCode = series[words[0] % 6];
    spec.supportFunctions[port] = 0xFFFF;
    spec.supportFunctions[PORT_USB] = 0xFFFF;
    spec.statusSupported = (words[1] & 1) != 0;
    for (Port p : {port, PORT_USB}) {
        spec.netSettings[p] = 0x20 | (words[2] & 0x1F) | ((words[2] & 0x20u) << 8) | 0x40;
        spec.bluetoothSettings[p] =
            ((words[3] & 0x0Fu) << 4) | ((words[3] & 0xF0u) << 9) | ((words[3] & 0x10u) << 5);
        spec.powerSettings[p] = powerWords[words[4] % 8];
        spec.printSettings[p] = words[5] & 0x0F;
    }
}

// The fuzzed printer, keeping the last bytes it gave to a receive and the last text it gave
// to an SNMP read, so that a value read can be held against the reply it came from.
class RecordingObserver : public FuzzedObserver {
  public:
    using FuzzedObserver::FuzzedObserver;

    int receiveData(int length, unsigned char* buffer, bool flag) override {
        const int count = FuzzedObserver::receiveData(length, buffer, flag);
        const int kept = std::max(0, std::min(count, length));
        lastReceived.assign(buffer, buffer == nullptr ? buffer : buffer + kept);
        return count;
    }
    bool sendStringReceiveString(std::string request, std::string& reply) override {
        const bool ok = FuzzedObserver::sendStringReceiveString(request, reply);
        lastText = reply;
        return ok;
    }

    std::vector<unsigned char> lastReceived;
    std::string lastText;
};

// The value text of a PJL INQUIRE reply: after the INQUIRE line, between the first ':' after
// the first '"' and the next '"'; empty when there is none.
std::string pjlValue(const std::vector<unsigned char>& reply) {
    const std::string text(reply.begin(), std::find(reply.begin(), reply.end(), 0));
    const std::string line = "@PJL INQUIRE OBJTLNET\r\n";
    const size_t at = text.find(line);
    const size_t open = at == std::string::npos ? at : text.find('"', at + line.size());
    const size_t colon = open == std::string::npos ? open : text.find(':', open + 1);
    const size_t close = colon == std::string::npos ? colon : text.find('"', colon + 1);
    return close == std::string::npos ? std::string() : text.substr(colon + 1, close - colon - 1);
}

bool isDecimal(const std::string& text) {
    int number = 0;
    return settings::wholeNumber(text, number);
}

// An address read on a port other than 4: four decimal numbers, or eight groups of
// hexadecimal digits as the printer wrote them.
bool isIPv6Text(const std::string& text) {
    if (text.size() != 39) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (i % 5 == 4 ? c != ':' : !hex) {
            return false;
        }
    }
    return true;
}

// After a read: failure leaves a code other than 1 (or the documented failures without a
// code) and the value as it was; success leaves code 1, or the 37 of a cancel that arrived
// during the read.
void checkRead(bool ok, const std::string& value, bool mayFailWithoutCode = false) {
    if (ok) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 1 || BasePrinter::cancel_flag);
    } else {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1 || mayFailWithoutCode);
        FUZZ_CHECK(value == kKept);
    }
}

// Every PJL line queued for a commit: @PJL DEFAULT OBJTLNET="...", CR LF, with no other
// quote, no byte below 0x20 and no 0x7F inside.
void checkQueuedPjl(const CWSConnect& c) {
    FUZZ_CHECK(c.pjlSetDataLength >= 0 && c.pjlSetDataLength <= CWSConnect::kPjlBufferSize);
    const std::string queued(c.pjlSetData, c.pjlSetData + c.pjlSetDataLength);
    const std::string head = "@PJL DEFAULT OBJTLNET=\"";
    size_t at = 0;
    while (at < queued.size()) {
        const size_t end = queued.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        const std::string line = queued.substr(at, end - at);
        FUZZ_CHECK(line.compare(0, head.size(), head) == 0 && line.size() > head.size() &&
                   line.back() == '"');
        const std::string inside = line.substr(head.size(), line.size() - head.size() - 1);
        FUZZ_CHECK(settings::pjlSafe(inside));
        at = end + 2;
    }
}

enum Operation {
    kPjlRead,
    kSnmpRead,
    kDeviceRead,
    kPowerOffRead,
    kAddressList,
    kGetCall,
    kSetCall,
    kTextWrite,
    kOperationCount,
};

void pjlOrSnmpRead(FuzzInput& in, CWSConnect& c, const RecordingObserver& printer, bool net) {
    const std::string id =
        in.flag() ? std::string(kWLanSwitchItemId) : kDeviceConfigItems[in.pick(30)].itemId;
    std::string value = kKept;
    bool ok = false;
    switch (in.pick(5)) {
        case 0: {
            // On the network port a failed read still stores the number of its text.
            int number = -7;
            ok = c.sendGetIntData(id, &number);
            checkRead(ok, ok || net || number == -7 ? std::string(kKept) : "changed",
                      net && tpes::PrinterMibOids::forItem(id) == nullptr);
            if (ok) {
                // One rule on both routes: only a value text that is wholly a number is read.
                int expected = 0;
                FUZZ_CHECK(settings::wholeNumber(
                               net ? printer.lastText : pjlValue(printer.lastReceived), expected) &&
                           expected == number);
            }
            return;
        }
        case 1:
            ok = c.sendGetRawStringData(id, value);
            break;
        case 2:
            ok = c.sendGetStringData(id, value);
            break;
        case 3:
            ok = c.sendGetBinaryData(id, value, false);
            break;
        default:
            ok = c.sendGetBinaryData(id, value, true);
            break;
    }
    // On the network port an item without an object fails without a code.
    checkRead(ok, value, net && tpes::PrinterMibOids::forItem(id) == nullptr);
    if (ok && net && id == "458989.2.1") {
        FUZZ_CHECK(isIPv6Text(value));
    }
}

void deviceRead(FuzzInput& in, CWSConnect& c) {
    std::string text = kKept;
    unsigned char byte = 0xA5;
    signed char signedByte = 0x5A;
    int number = -7;
    bool on = true;
    bool second = true;
    bool ok = false;
    // Byte-valued reads: the out-argument keeps its marker on failure.
    auto byteRead = [&](bool result) {
        checkRead(result, result ? std::string(kKept) : (byte == 0xA5 ? kKept : "changed"));
    };
    switch (in.pick(24)) {
        case 0:
            ok = c.sendESBTDevName_R(text);
            checkRead(ok, text);
            FUZZ_CHECK(!ok || text.size() <= 30);
            return;
        case 1:
            ok = c.sendESBTVisibility_R(text);
            checkRead(ok, text);
            FUZZ_CHECK(!ok || isDecimal(text));
            return;
        case 2:
            return byteRead(c.sendESBTOnBoot_R(byte));
        case 3:
            return byteRead(c.getBTOnBootFC(byte));
        case 4:
            ok = c.getBluetoothReconnection(signedByte);
            checkRead(ok, ok || signedByte == 0x5A ? std::string(kKept) : "changed");
            FUZZ_CHECK(!ok || signedByte == 1 || signedByte == 2);
            return;
        case 5:
            ok = c.sendESBTPinCodeEE_R(on, second);
            checkRead(ok, ok || (on && second) ? std::string(kKept) : "changed");
            return;
        case 6:
            ok = c.sendESBTPinCode_R(text);
            checkRead(ok, text);
            FUZZ_CHECK(!ok || text.size() <= 16);
            return;
        case 7:
            ok = c.sendESBTenable_R(text);
            checkRead(ok, text);
            return;
        case 8:
        case 9:
            ok = in.flag() ? c.sendESWFDenable_R(number) : c.sendESWFDConnectMethod_R(number);
            checkRead(ok, ok || number == -7 ? std::string(kKept) : "changed");
            FUZZ_CHECK(!ok || (number >= 0 && number <= 2));
            return;
        case 10:
            ok = c.sendESWFDAutoGeneration_R(on);
            checkRead(ok, ok || on ? std::string(kKept) : "changed");
            return;
        case 11:
            ok = c.sendESWFDStaticSSID_R(text);
            checkRead(ok, text);
            FUZZ_CHECK(!ok || text.size() <= 30);
            return;
        case 12:
            ok = c.sendESWFDStaticKey_R(text);
            checkRead(ok, text);
            FUZZ_CHECK(!ok || text.size() <= 64);
            return;
        case 13:
            return byteRead(c.getWirelessOnBoot(byte));
        case 14:
            return byteRead(c.getWirelessOnBootMIB(byte));
        case 15:
            return byteRead(c.getWirelessOnBootEsc(byte));
        case 16:
            return byteRead(c.getJPEGHalfFC(byte));
        case 17:
            return byteRead(c.getJPEGHalfOther(byte));
        case 18:
            return byteRead(c.getJPEGScale(byte));
        case 19:
            return byteRead(c.getSpeedFC(byte));
        case 20:
            return byteRead(c.getSpeedOther(byte));
        case 21:
        case 22:
            ok = in.flag() ? c.getDensityFC(signedByte) : c.getDensityOther(signedByte);
            checkRead(ok, ok || signedByte == 0x5A ? std::string(kKept) : "changed");
            FUZZ_CHECK(!ok || (signedByte >= -5 && signedByte <= 10));
            return;
        default:
            return byteRead(in.flag() ? c.getSpeed(byte) : c.getJPEGHalf(byte));
    }
}

void powerOffRead(FuzzInput& in, CWSConnect& c, Port port) {
    using Read = std::function<bool(std::string&)>;
    const std::vector<Read> reads = {
        [&](std::string& m) { return c.getACAutoOff(m); },
        [&](std::string& m) { return c.getLiAutoOff(m); },
        [&](std::string& m) { return c.getACAutoOffMIBFC(m); },
        [&](std::string& m) { return c.getLiAutoOffMIBCommandFC(m); },
        [&](std::string& m) { return c.getACAutoOffESCCommandFC(m); },
        [&](std::string& m) { return c.getLiAutoOffESCCommandFC(m); },
        [&](std::string& m) { return c.getAutoOffEscCommandOther(m); },
        [&](std::string& m) { return c.getACAutoOffESCCommandHU1(m); },
        [&](std::string& m) { return c.getACAutoOffESCCommandHU3400a(m); },
        [&](std::string& m) { return c.getAutoOffEscCommandKX(m, true); },
        [&](std::string& m) { return c.getAutoOffEscCommandKX(m, false); },
        [&](std::string& m) { return c.getAutoOffEscCommandVZ3(m, true); },
        [&](std::string& m) { return c.getAutoOffEscCommandVZ4600(m, false); },
    };
    const size_t which = static_cast<size_t>(in.pick(static_cast<int>(reads.size())));
    std::string minutes = kKept;
    const bool ok = reads[which](minutes);
    if (ok) {
        FUZZ_CHECK(isDecimal(minutes));
        // An SNMP code outside the table reads as 0 minutes with error 39.
        FUZZ_CHECK(PrinterStatus::error_code_ == 1 || BasePrinter::cancel_flag ||
                   (PrinterStatus::error_code_ == 39 && minutes == "0"));
    } else {
        // The mains read of the KX series on the network port fails without a code.
        const bool kxNet = which == 0 && port == PORT_NET;
        FUZZ_CHECK(PrinterStatus::error_code_ != 1 || kxNet);
        FUZZ_CHECK(minutes == kKept);
    }
}

// One PJL text write of any text into an empty queue. The hexadecimal writers take every
// text without a zero byte and their lines carry every byte of it (of its first maxBytes);
// the raw writer takes exactly the texts without a quote or control byte and carries them as
// they are. A refused text leaves 39 and nothing queued.
void textWrite(FuzzInput& in, CWSConnect& c) {
    const std::string id = kDeviceConfigItems[in.pick(30)].itemId;
    const int writer = in.pick(3);
    const unsigned maxBytes = in.u8();
    const std::string text = in.shortText();
    bool ok = false;
    bool takes = settings::hexWritable(text);
    std::string carried = text;
    if (writer == 0) {
        ok = c.setStringData(id, text, maxBytes);
        carried = text.substr(0, maxBytes);
    } else if (writer == 1) {
        ok = c.setStringData(id, text);
    } else {
        ok = c.setRawStringData(id, text);
        takes = settings::pjlSafe(text);
    }
    FUZZ_CHECK(ok == takes);
    if (!ok) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 39 && c.pjlSetDataLength == 0);
        return;
    }
    FUZZ_CHECK(PrinterStatus::error_code_ == 1);
    checkQueuedPjl(c);
    // The payloads of the one or two lines: the first of two ends with '=', the second
    // starts with it.
    const std::string queued(c.pjlSetData, c.pjlSetData + c.pjlSetDataLength);
    const std::string head = "@PJL DEFAULT OBJTLNET=\"" + id + ":";
    std::vector<std::string> payloads;
    for (size_t at = 0; at < queued.size();) {
        const size_t end = queued.find("\"\r\n", at);
        FUZZ_CHECK(end != std::string::npos && queued.compare(at, head.size(), head) == 0);
        payloads.push_back(queued.substr(at + head.size(), end - at - head.size()));
        at = end + 3;
    }
    FUZZ_CHECK(payloads.size() == 1 || (payloads.size() == 2 && writer == 0));
    std::string payload = payloads[0];
    if (payloads.size() == 2) {
        FUZZ_CHECK(!payloads[0].empty() && payloads[0].back() == '=' && !payloads[1].empty() &&
                   payloads[1].front() == '=');
        payload = payloads[0].substr(0, payloads[0].size() - 1) + payloads[1].substr(1);
    }
    if (writer == 2) {
        FUZZ_CHECK(payload == carried);
        return;
    }
    // Every byte as two lowercase hexadecimal digits padded with a blank, joined by '-'; a
    // single byte with the prefix 0x.
    std::string hex;
    for (size_t i = 0; i < carried.size(); ++i) {
        char piece[8];
        std::snprintf(piece, sizeof piece, i == 0 ? "%2x" : "-%2x",
                      static_cast<unsigned char>(carried[i]));
        hex += piece;
    }
    FUZZ_CHECK(payload == (carried.size() == 1 ? "0x" + hex : hex));
}

// A key of the get and set calls, or one no group knows.
int pickKey(FuzzInput& in) {
    static const int keys[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,  13, 14,
                               15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,  27, 28,
                               29, 30, 31, 34, 44, 35, 36, 37, 38, 39, 40, 254, 99};
    return keys[in.pick(static_cast<int>(sizeof keys / sizeof keys[0]))];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState(in.u8() % 10);
    const Model model = pickSettingsModel(in);
    const Port port = pickSettingsPort(in);
    const int operation = in.pick(kOperationCount);
    const int cancelAt = in.u8() % 32;
    const bool noObserver = in.u8() == 0xFF;
    unsigned char words[6];
    for (unsigned char& w : words) {
        w = in.u8();
    }
    const bool edit = in.flag();

    // The texts and keys of a call come before the printer's answers.
    const int count = in.pick(9);
    std::vector<int> keys;
    std::vector<std::string> values;
    if (operation == kGetCall || operation == kSetCall) {
        for (int i = 0; i < count; ++i) {
            keys.push_back(pickKey(in));
            values.push_back(in.shortText());
        }
    }

    RecordingObserver printer(in);
    printer.cancelAtCall(cancelAt);
    TestPrinterSetting setting(port, noObserver ? nullptr : &printer, model);
    if (edit) {
        setting.editSpecs([&](PrinterSpec& spec) { editSpec(port, spec, words); });
    }
    CWSConnect& c = setting.transport();
    PrinterStatus::error_code_ = 1;

    switch (operation) {
        case kPjlRead:
        case kSnmpRead:
            pjlOrSnmpRead(in, c, printer, port == PORT_NET);
            break;
        case kDeviceRead:
            deviceRead(in, c);
            break;
        case kPowerOffRead:
            powerOffRead(in, c, port);
            break;
        case kAddressList: {
            std::string text = kKept;
            const bool ok = setting.getIPv6AddressList(text, 2);
            if (ok) {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 && !BasePrinter::cancel_flag);
                if (!text.empty() && port == PORT_NET) {
                    size_t at = 0;
                    while (at <= text.size()) {
                        const size_t comma = text.find(',', at);
                        const size_t end = comma == std::string::npos ? text.size() : comma;
                        FUZZ_CHECK(isIPv6Text(text.substr(at, end - at)));
                        at = end + 1;
                    }
                }
            } else {
                FUZZ_CHECK(PrinterStatus::error_code_ != 1);
            }
            break;
        }
        case kGetCall: {
            std::vector<std::string> read(values.size());
            const bool ok = setting.getPrinterSetting(keys.data(), read.data(), count);
            checkOperationEnd(ok, printer);
            break;
        }
        case kTextWrite:
            textWrite(in, c);
            break;
        default: {
            const size_t sendsBefore = printer.calls().size();
            const bool ok = setting.setPrinterSetting(keys.data(), values.data(), count);
            checkQueuedPjl(c);
            checkOperationEnd(ok, printer);
            if (ok) {
                FUZZ_CHECK(printer.calls().size() > sendsBefore);
            }
            break;
        }
    }
    BasePrinter::cancel_flag = false;
    return 0;
}
