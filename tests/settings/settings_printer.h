#pragma once

#include <map>
#include <string>
#include <vector>

#include "connection/printer_mib_oids.h"
#include "editable_setting.h"
#include "settings/cws_connect.h"
#include "settings/printer_setting.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"

using Bytes = std::vector<unsigned char>;

inline Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

inline std::string textOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// What a printer answers to a PJL INQUIRE of an item.
inline std::string pjlReply(const std::string& id, const std::string& value) {
    return "@PJL INQUIRE OBJTLNET\r\n\"" + id + ":" + value + "\"\r\n";
}

// A clean status reply of the model on any port: by ESC i S, and over SNMP.
inline void answerStatus(SimulatedPrinter& printer, Model model) {
    const Bytes status = StatusReplyBuilder(model).bytes();
    printer.onExchange({0x1B, 0x69, 0x53}, {SimulatedPrinter::Reply(status)});
    printer.onOid(tpes::PrinterMibOids::oidPrinterStatusReply, {SimulatedPrinter::Reply(status)});
}

// A simulated printer that also answers PJL item reads: every sendData that carries an
// INQUIRE request queues the reply of the item it names, when the item is in `items`.
class SettingsPrinter : public SimulatedPrinter {
  public:
    std::map<std::string, std::string> items;

    bool sendData(int length, unsigned char* data) override {
        const bool ok = SimulatedPrinter::sendData(length, data);
        const std::string sent(data, data + length);
        const std::string head = "@PJL DEFAULT OBJTLNET=\"";
        const size_t at = sent.find(head);
        if (ok && sent.find("@PJL INQUIRE OBJTLNET") != std::string::npos &&
            at != std::string::npos) {
            const size_t start = at + head.size();
            const std::string id = sent.substr(start, sent.find('"', start) - start);
            const auto item = items.find(id);
            if (item != items.end()) {
                queueRecord(Record(bytesOf(pjlReply(id, item->second))));
            }
        }
        return ok;
    }

    // A clean status reply of the model on any port.
    void answerStatus(Model model) { ::answerStatus(*this, model); }

    // The bytes of every sendData call but the status requests, joined.
    std::vector<Bytes> sends() const { return sentData(); }
};

// Bytes of a PJL DEFAULT line.
inline std::string pjlLine(const std::string& id, const std::string& payload) {
    return "@PJL DEFAULT OBJTLNET=\"" + id + ":" + payload + "\"\r\n";
}

inline std::string queuedPjl(const CWSConnect& c) {
    return std::string(c.pjlSetData, c.pjlSetData + c.pjlSetDataLength);
}
