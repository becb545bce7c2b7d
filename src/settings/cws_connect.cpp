#include "settings/cws_connect.h"

#include <cstring>

#include "common/byte_order.h"
#include "common/reply_text.h"
#include "connection/printer_mib_oids.h"
#include "connection/util.h"
#include "settings/host_text.h"
#include "settings/setting_error.h"

using settings::refuse;
using settings::setError;
using tpes::Util;
namespace error = lumeko::error;

namespace {

// Item and value of the PJL lines that open and close a commit block.
const char kBlockOpenItem[] = "458867";
const char kBlockCloseItem[] = "458865";
// UEL (1B "%-12345X"): universal exit language, opens and closes a PJL job
const char kUel[] = "\x1B%-12345X";
const char kInquireLine[] = "@PJL INQUIRE OBJTLNET\r\n";

void appendText(std::vector<unsigned char>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// One PJL DEFAULT line: @PJL DEFAULT OBJTLNET="<id>:<payload>" CR LF
std::string pjlDefaultLine(const std::string& id, const std::string& payload) {
    return "@PJL DEFAULT OBJTLNET=\"" + id + ":" + payload + "\"\r\n";
}

}  // namespace

const unsigned char CWSConnect::byES_SaveCommand[3] = {0x1B, 0x7E, 0x53};
const unsigned char CWSConnect::byES_ResetCommand[4] = {0x1B, 0x69, 0x55, 0x78};
const unsigned char CWSConnect::byES_SendCommands[16] = {
    0x1B, 0x69, 0x55, 0x4F, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
const unsigned char CWSConnect::byES_GetWirelessOnBoot[7] = {0x1B, 0x69, 0x58, 0x4B,
                                                             0x31, 0x00, 0x00};
const unsigned char CWSConnect::byES_SetWirelessOnBoot[8] = {0x1B, 0x69, 0x58, 0x4B,
                                                             0x32, 0x00, 0x00, 0xFF};

CWSConnect::CWSConnect(Port printerPort, CommunicationObserver* observer, Model printerModel)
    : BasePrinter(printerPort, observer, printerModel) {
    // The base constructor has set error code 1 and cleared the status bytes.
}

CWSConnect::~CWSConnect() {
    clearsetData();
}

bool CWSConnect::isFCSeries() const {
    return spec.seriesCode == '6';
}

// ---------------------------------------------------------------------------------------
// Exchanges

bool CWSConnect::stopBeforeExchange() {
    return lumeko::settleStop();
}

bool CWSConnect::exchange(const unsigned char* command, int length, unsigned char* reply,
                          int replyLength) {
    if (stopBeforeExchange()) {
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        return refuse();
    }
    std::vector<unsigned char> sent(command, command + length);
    if (!target->sendDataReceiveData(length, sent.data(), replyLength, reply)) {
        setError(error::kCommunication);
        return false;
    }
    return true;
}

bool CWSConnect::sendNow(const unsigned char* bytes, int length, bool evenAfterStop) {
    if (!evenAfterStop && stopBeforeExchange()) {
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        return refuse();
    }
    std::vector<unsigned char> sent(bytes, bytes + length);
    if (!target->sendData(length, sent.data())) {
        setError(error::kCommunication);
        return false;
    }
    return true;
}

bool CWSConnect::readObject(const std::string& oid, std::string& text) {
    if (stopBeforeExchange()) {
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        return refuse();
    }
    if (!target->sendStringReceiveString(oid, text)) {
        setError(error::kCommunication);
        return false;
    }
    return true;
}

int CWSConnect::receive(int length, unsigned char* buffer, bool flag) {
    const int count = observer()->receiveData(length, buffer, flag);
    return count > length ? length : count;
}

// ---------------------------------------------------------------------------------------
// Reads

bool CWSConnect::getValueFromMIB(std::string id, std::string& value) {
    const char* const oid = tpes::PrinterMibOids::forItem(id);
    std::string text;
    if (oid == nullptr || !readObject(oid, text)) {
        return false;
    }
    if (id == "458989.2.1" && !IPv6AddressForMIB(text)) {
        // An address value without the octet form: a malformed reply.
        setError(error::kCommunication);
        return false;
    }
    value = text;
    return true;
}

bool CWSConnect::sendGetIntData(std::string id, int* value) {
    if (value == nullptr) {
        return refuse();
    }
    if (port != PORT_NET) {
        return sendGetIntDataFromPJL(id, value);
    }
    std::string text;
    if (!getValueFromMIB(id, text)) {
        // The number is taken also after a failed read (an empty text gives 0).
        *value = Util::toInt(text);
        return false;
    }
    return numberOfReply(text, *value);
}

bool CWSConnect::numberOfReply(const std::string& text, int& number) {
    // A value that is not wholly a number is a malformed reply, never a silent 0.
    if (!settings::wholeNumber(text, number)) {
        setError(error::kCommunication);
        return false;
    }
    return true;
}

bool CWSConnect::sendGetRawStringData(std::string id, std::string& value) {
    return port == PORT_NET ? getValueFromMIB(id, value) : sendGetRawStringDataFromPJL(id, value);
}

bool CWSConnect::sendGetStringData(std::string id, std::string& value) {
    return port == PORT_NET ? getValueFromMIB(id, value) : sendGetStringDataFromPJL(id, value);
}

bool CWSConnect::sendGetBinaryData(std::string id, std::string& value, bool isIPv6) {
    return port == PORT_NET ? getValueFromMIB(id, value)
                            : sendGetBinaryDataFromPJL(id, value, isIPv6);
}

bool CWSConnect::sendGetStringDataForIPv6AddressList(std::string oid, std::string& value) {
    std::string text;
    if (port != PORT_NET) {
        return refuse();
    }
    if (!readObject(oid, text)) {
        return false;
    }
    value = text;
    return true;
}

std::vector<unsigned char> CWSConnect::createGetRequest(const std::string& id) {
    std::vector<unsigned char> request;
    appendText(request, kUel);
    appendText(request, "@PJL\r\n");
    appendText(request, "@PJL DEFAULT OBJTLNET=\"" + id + "\"\r\n");
    appendText(request, kInquireLine);
    appendText(request, kUel);
    return request;
}

bool CWSConnect::sendGetData(const unsigned char* request, int length, const std::string& id,
                             std::string& value) {
    std::vector<unsigned char> reply(kPjlBufferSize, 0);
    if (!sendNow(request, length)) {
        return false;
    }
    const int count = receive(kPjlBufferSize, reply.data(), false);
    if (count <= 0) {
        setError(error::kCommunication);
        return false;
    }
    // The reply is text: only the bytes received, up to the first zero byte.
    std::string text = lumeko::textUpToZero(reply.data(), static_cast<size_t>(count));
    const size_t line = text.find(kInquireLine);
    const size_t open =
        line == std::string::npos ? line : text.find('"', line + std::strlen(kInquireLine));
    const size_t colon = open == std::string::npos ? open : text.find(':', open + 1);
    const size_t close = colon == std::string::npos ? colon : text.find('"', colon + 1);
    if (close == std::string::npos || text.compare(open + 1, colon - open - 1, id) != 0 ||
        colon - open - 1 != id.size()) {
        setError(error::kCommunication);
        return false;
    }
    value = text.substr(colon + 1, close - colon - 1);
    return true;
}

namespace {

// The value text of one PJL item read, or false.
bool readPjlValue(CWSConnect& connect, const std::string& id, std::string& value) {
    const std::vector<unsigned char> request = CWSConnect::createGetRequest(id);
    if (request.size() > static_cast<size_t>(CWSConnect::kPjlBufferSize)) {
        return refuse();
    }
    return connect.sendGetData(request.data(), static_cast<int>(request.size()), id, value);
}

}  // namespace

bool CWSConnect::sendGetIntDataFromPJL(std::string id, int* value) {
    std::string text;
    if (value == nullptr || !readPjlValue(*this, id, text) || !numberOfReply(text, *value)) {
        Util::writeLog("sendGetIntDataFromPJL error");
        return false;
    }
    return true;
}

bool CWSConnect::sendGetRawStringDataFromPJL(std::string id, std::string& value) {
    std::string text;
    if (!readPjlValue(*this, id, text)) {
        return false;
    }
    value = text;
    return true;
}

bool CWSConnect::sendGetStringDataFromPJL(std::string id, std::string& value) {
    std::string text;
    if (!readPjlValue(*this, id, text)) {
        return false;
    }
    std::string decoded;
    if (!HexStringToString(text.c_str(), decoded)) {
        // A value too long to be an item's hexadecimal text: a malformed reply.
        setError(error::kCommunication);
        return false;
    }
    value = decoded;
    return true;
}

bool CWSConnect::sendGetBinaryDataFromPJL(std::string id, std::string& value, bool isIPv6) {
    std::string text;
    if (!readPjlValue(*this, id, text)) {
        return false;
    }
    return isIPv6 ? HexStringToIPv6Address(text.c_str(), value)
                  : HexStringToIPv4Address(text.c_str(), value);
}

// ---------------------------------------------------------------------------------------
// Queued PJL writes

bool CWSConnect::queuePjlLines(const std::string& lines) {
    // The queue is a fixed buffer: a write that does not fit whole is refused.
    const size_t room = static_cast<size_t>(kPjlBufferSize - pjlSetDataLength);
    if (lines.size() > room) {
        return refuse();
    }
    std::memcpy(pjlSetData + pjlSetDataLength, lines.data(), lines.size());
    pjlSetDataLength += static_cast<int>(lines.size());
    return true;
}

bool CWSConnect::queuePjlPayload(const std::string& id, const std::string& payload,
                                 size_t lineLimit) {
    if (payload.size() <= lineLimit) {
        return queuePjlLines(pjlDefaultLine(id, payload));
    }
    // A long payload goes in two lines: the first ends with '=', the second starts with it.
    return queuePjlLines(pjlDefaultLine(id, payload.substr(0, lineLimit) + "=") +
                         pjlDefaultLine(id, "=" + payload.substr(lineLimit)));
}

void CWSConnect::createSetIntData(std::string id, int value, std::string& line) {
    line = pjlDefaultLine(id, Util::toStr(value));
}

bool CWSConnect::setIntData(std::string id, int value) {
    std::string line;
    createSetIntData(id, value, line);
    if (line.size() > static_cast<size_t>(kPjlBufferSize)) {
        return refuse();
    }
    return queuePjlLines(line);
}

bool CWSConnect::setRawStringData(std::string id, std::string text) {
    // The text goes into the line unescaped: no quote or control byte may stand in it.
    if (text.size() >= static_cast<size_t>(kTextBufferSize) || !settings::pjlSafe(text)) {
        return refuse();
    }
    return queuePjlLines(pjlDefaultLine(id, text));
}

bool CWSConnect::setStringData(std::string id, std::string text, unsigned maxBytes) {
    // The text goes into the line as hexadecimal digits: any byte but zero may stand in it.
    if (!settings::hexWritable(text)) {
        return refuse();
    }
    char hex[kTextBufferSize];
    const int limit = maxBytes > static_cast<unsigned>(kTextBufferSize)
                          ? kTextBufferSize
                          : static_cast<int>(maxBytes);
    if (!StringToHexString(text, hex, kTextBufferSize, limit)) {
        return false;
    }
    return queuePjlPayload(id, hex, kTextLineLimit);
}

bool CWSConnect::setStringData(std::string id, std::string text) {
    if (!settings::hexWritable(text)) {
        return refuse();
    }
    char hex[kTextBufferSize];
    if (!StringToHexString(text, hex, kTextBufferSize, kTextBufferSize)) {
        return false;
    }
    return queuePjlLines(pjlDefaultLine(id, hex));
}

bool CWSConnect::setStringDataHexWEP(std::string id, std::string key) {
    // The key goes into the line as it is: only hexadecimal digits belong in this form.
    const bool hexDigits = key.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    char hex[kWepBufferSize * 2];
    if (!hexDigits || key.size() >= static_cast<size_t>(kWepBufferSize) ||
        !StringToWepHexString(key, sizeof hex, hex)) {
        return refuse();
    }
    return queuePjlLines(pjlDefaultLine(id, hex));
}

bool CWSConnect::setBinaryData(std::string id, const unsigned char* bytes, int count) {
    char hex[kTextBufferSize];
    if (!BinaryDataToHexString(bytes, count, hex, kTextBufferSize)) {
        return false;
    }
    return queuePjlPayload(id, hex, kBinaryLineLimit);
}

// ---------------------------------------------------------------------------------------
// Modes and commit

unsigned char CWSConnect::wirelessOnBootInterfaceByte() const {
    return spec.seriesCode == '7' ? 0x01 : 0x00;
}

int CWSConnect::addESRaster(unsigned char* out) {
    // ESC i a 00 / 01 (1B 69 61 00 on the FC series, else 1B 69 61 01): raster mode
    std::memcpy(out, isFCSeries() ? byES_setRasterModeFCCommand : byES_setRasterModeCommand, 4);
    return 4;
}

bool CWSConnect::sendESRaster() {
    unsigned char command[4];
    addESRaster(command);
    return sendNow(command, 4);
}

bool CWSConnect::sendESDefMode() {
    // ESC i a FF (1B 69 61 FF): back to the default command mode, also after a stop
    return sendNow(byES_setDefaultModeCommand, 4, true);
}

bool CWSConnect::addESDefMode() {
    return sendESDefMode();
}

void CWSConnect::clearsetData() {
    escSetData.clear();
    std::memset(pjlSetData, 0, sizeof pjlSetData);
    pjlSetDataLength = 0;
}

bool CWSConnect::sendSetData(bool reset) {
    if (observer() == nullptr) {
        return refuse();
    }
    const bool gy = spec.seriesCode == '2';
    const bool saveCommand = !escSetData.empty() && !gy && spec.seriesCode != '4';

    // The PJL block: UEL @PJL, the opening line, the queued lines, the closing line, UEL.
    std::vector<unsigned char> pjl;
    if (pjlSetDataLength > 0) {
        std::string line;
        appendText(pjl, kUel);
        appendText(pjl, "@PJL\r\n");
        createSetIntData(kBlockOpenItem, 0, line);
        appendText(pjl, line);
        pjl.insert(pjl.end(), pjlSetData, pjlSetData + pjlSetDataLength);
        createSetIntData(kBlockCloseItem, 1, line);
        appendText(pjl, line);
        appendText(pjl, kUel);
    }

    std::vector<unsigned char> buffer(4);
    addESRaster(buffer.data());
    if (!gy) {
        // ESC i U O (1B 69 55 4F 10 ...): frame of the setting commands that follow
        const uint32_t length =
            static_cast<uint32_t>(escSetData.size() + pjl.size()) + (saveCommand ? 3u : 0u);
        unsigned char header[16];
        std::memcpy(header, byES_SendCommands, sizeof header);
        header[5] = spec.seriesCode;
        header[6] = spec.modelCode;
        lumeko::writeLe32(header + 8, length);
        buffer.insert(buffer.end(), header, header + sizeof header);
    }
    if (!escSetData.empty()) {
        buffer.insert(buffer.end(), escSetData.begin(), escSetData.end());
        if (saveCommand) {
            // ESC ~ S (1B 7E 53): store the settings
            buffer.insert(buffer.end(), byES_SaveCommand, byES_SaveCommand + 3);
        }
    }
    buffer.insert(buffer.end(), pjl.begin(), pjl.end());
    // ESC i a FF (1B 69 61 FF): default command mode
    buffer.insert(buffer.end(), byES_setDefaultModeCommand, byES_setDefaultModeCommand + 4);
    if (reset) {
        // ESC i U x (1B 69 55 78): reset the printer
        buffer.insert(buffer.end(), byES_ResetCommand, byES_ResetCommand + 4);
    }
    return sendNow(buffer.data(), static_cast<int>(buffer.size()));
}
