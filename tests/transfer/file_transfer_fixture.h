#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/error_state.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/scratch_dir.h"
#include "support/simulated_printer.h"
#include "support/wait_recorder.h"
#include "transfer/file_transfer.h"

// Shared pieces of the file transfer tests: a FileTransfer whose spec a test can edit,
// builders of send-data headers, database files, packages and transfer status replies, and
// temporary files.
namespace transfer_test {

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using Reply = SimulatedPrinter::Reply;
using Record = SimulatedPrinter::Record;

const Bytes kStart = {0x1B, 0x69, 0x46, 0x49};
const Bytes kFileFollows = {0x1B, 0x69, 0x46, 0x44};
const Bytes kSeparator = {0x1B, 0x69, 0x46, 0x49, 0x1B, 0x69, 0x46};

class TestFileTransfer : public FileTransfer {
  public:
    using FileTransfer::FileTransfer;
    PrinterSpec& editSpec() { return spec; }
};

inline RasterPrintOption defaultOptions(bool doStatusCheck = true) {
    RasterPrintOption option;
    option.doStatusCheck = doStatusCheck;
    return option;
}

// A spec with every transfer function on the given port and the given traits.
inline void configure(TestFileTransfer& t, Port port, bool statusSupported, int protocol = 100) {
    PrinterSpec& s = t.editSpec();
    s.supportFunctions[port] = 0xFFFF;
    s.statusSupported = statusSupported;
    s.commandProtocol.version = protocol;
    s.changeModeBeforeFirmwareUpdate = false;
    s.changeModeBeforeTemplateUpload = false;
    s.templateFirmwareCheck = false;
    s.waitAfterLastChunk = false;
}

inline void putLe16(Bytes& b, size_t at, uint16_t v) {
    b.at(at) = static_cast<unsigned char>(v & 0xFF);
    b.at(at + 1) = static_cast<unsigned char>(v >> 8);
}

inline void putLe32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.at(at + static_cast<size_t>(i)) = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
    }
}

// A send-data header of 64 (length byte 0x40) or 128 (0x80) bytes.
inline Bytes header(unsigned char lengthByte, uint16_t kind, unsigned char series = 0,
                    unsigned char modelCode = 0) {
    Bytes h(lengthByte == 0x80 ? 128 : 64, 0);
    h[0] = 0x90;
    h[1] = lengthByte;
    h[2] = series;
    h[3] = modelCode;
    putLe16(h, 6, kind);
    return h;
}

// A template header as the printer lists it.
inline Bytes templateHeader(uint16_t key, const std::string& name = "T", uint32_t dataSize = 0) {
    Bytes h = header(0x40, 0x0100, 0x30, 0x41);
    putLe16(h, 12, key);
    putLe16(h, 14, static_cast<uint16_t>(0xC000 + key));
    putLe32(h, 16, dataSize);
    std::copy(name.begin(), name.end(), h.begin() + 32);
    return h;
}

// One package record: separator, 'D', header, payload size, payload.
inline Bytes record(const Bytes& recordHeader, const Bytes& payload) {
    Bytes r = kSeparator;
    r.push_back('D');
    r.insert(r.end(), recordHeader.begin(), recordHeader.end());
    Bytes size(4, 0);
    putLe32(size, 0, static_cast<uint32_t>(payload.size()));
    r.insert(r.end(), size.begin(), size.end());
    r.insert(r.end(), payload.begin(), payload.end());
    return r;
}

// The preamble of a package: 42 bytes of printer language, then the model name.
inline Bytes preamble(const std::string& modelName) {
    Bytes p(42 + modelName.size() + 1, 'P');
    std::copy(modelName.begin(), modelName.end(), p.begin() + 42);
    p.back() = 0;
    return p;
}

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// A 32-byte transfer status: 81 20 42, status type, error bytes, requested count.
inline Bytes transferStatus(unsigned char type = 1, unsigned char e1 = 0, unsigned char e2 = 0,
                            uint32_t request = 0) {
    Bytes s(32, 0);
    s[0] = 0x81;
    s[1] = 0x20;
    s[2] = 0x42;
    s[8] = e1;
    s[9] = e2;
    s[18] = type;
    putLe32(s, 24, request);
    return s;
}

// Writes files named `name` in a scratch directory removed with the object. A name below a
// directory that does not exist writes nothing and gives the path of a missing file.
class TempFiles {
  public:
    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_.path() + "/" + name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }

  private:
    ScratchDir dir_;
};

using lumeko::errorCode;

// The bytes of every sendData call.
inline std::vector<Bytes> sent(const SimulatedPrinter& p) {
    return p.sentData();
}

}  // namespace transfer_test
