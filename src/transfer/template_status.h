#pragma once

#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "connection/connect.h"

// Offsets of the 32-byte transfer status (header 81 20 42) a printer answers while it takes
// a file, a template removal or a database.
namespace TransferStatusReply {
constexpr int kLength = 32;
constexpr int kErrorByte1 = 8;
constexpr int kErrorByte2 = 9;
constexpr int kStatusType = 18;  // 0 or 1 taken, 2 error
constexpr int kRequest = 24;     // 4 bytes little-endian: bytes the printer asks for next
}  // namespace TransferStatusReply

// Requests or receives the transfer status of one operation, keeps it as the process-wide
// last status and turns it into the error code and process status. Built on the caller's
// stack; owns nothing.
class TemplateStatus {
  public:
    Connect* connect = nullptr;  // not owned; may be null or hold a null observer
    PrinterSpec spec;
    Port port = static_cast<Port>(0);

    // True when the stored status starts 81 20 42; otherwise error 3.
    bool checkTemplateHeader();
    // Judges the stored status: true when the printer took the data (a wrong header then
    // leaves error 3); false with error 29, 6, 41 or 12 when it reports an error.
    bool checkTransStatus();
    // Asks for the status (ESC i F S, or the transfer status object on the network port),
    // then judges it; error 6 when the exchange fails.
    bool updateTemplateStatus();
    // Reads a status the printer sends by itself (progress code 10, and 11 when sendEnd),
    // then judges it; error 6 when the read fails or is short.
    bool receiveStatus(bool sendEnd);
};

// A transfer status object over a connection, a spec and a port.
inline TemplateStatus makeTemplateStatus(Connect* connect, const PrinterSpec& spec, Port port) {
    TemplateStatus status;
    status.connect = connect;
    status.spec = spec;
    status.port = port;
    return status;
}
