#include "transfer/file_transfer.h"

#include <algorithm>
#include <cstring>

#include "common/error_code.h"
#include "common/reply_text.h"
#include "connection/error_state.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "transfer/transfer_bytes.h"

// Construction, the loaded file and the file formats: the send-data header scan, the
// admission of a data kind and the model checks of database and package files.

using tf::transfer_bytes::readLe16;
using tpes::Util;

namespace {

constexpr unsigned char kHeaderMarker = SendDataHeaderLayout::kMarker;
constexpr unsigned char kHeaderLength128 = SendDataHeaderLayout::kLength128;
// Offset of the firmware version in a 128-byte header, and its length.
constexpr int kVersionOffset128 = 64;
constexpr int kVersionLength = 5;
// Name field of a 64-byte header, where " V" starts its firmware version.
constexpr int kNameOffset = 32;
constexpr int kNameEnd = 47;
// The model name in the preamble of a package file.
constexpr int kPackageModelNameOffset = 42;

namespace error = lumeko::error;
using lumeko::setErrorCode;

}  // namespace

FileTransfer::FileTransfer(Port printerPort, CommunicationObserver* observer, Model printerModel,
                           RasterPrintOption& printOption)
    : BasePrinter(printerPort, observer, printerModel), option(printOption) {}

FileTransfer::FileTransfer(Model printerModel, Port printerPort)
    : BasePrinter(printerModel, printerPort) {}

FileTransfer::~FileTransfer() {
    finish();
    delete connect;
    connect = nullptr;
}

void FileTransfer::finish() {
    delete[] fileData;
    fileData = nullptr;
    fileSize = 0;
    headerLength = 0;
}

bool FileTransfer::loadFile(const std::string& path) {
    finish();
    unsigned char* data = nullptr;
    int size = 0;
    if (!Util::readFile(path, data, size)) {
        return false;
    }
    fileData = size > 0 ? data : nullptr;
    fileSize = size > 0 ? size : 0;
    return true;
}

// ---------------------------------------------------------------------------------------
// Send-data header

SendDataHeader FileTransfer::getHeaderFromSendData(std::vector<unsigned char> bytes) {
    setErrorCode(error::kNone);
    SendDataHeader header;
    if (bytes.size() < static_cast<size_t>(kMinHeaderScan)) {
        setErrorCode(error::kUnsendableData);
        return header;
    }
    // A header must leave at least 64 bytes from its marker to the end of the data.
    const size_t last = bytes.size() - 65;
    for (size_t i = 0; i <= last; ++i) {
        if (bytes[i] != kHeaderMarker || !SendDataHeaderLayout::isLength(bytes[i + 1])) {
            continue;
        }
        const unsigned char length = bytes[i + 1];
        header.payloadOffset = static_cast<uint32_t>(i + length + 4);
        header.dataKind = readLe16(&bytes[i + 6]);
        const int remaining = static_cast<int>(std::min<size_t>(bytes.size() - i, INT32_MAX));
        header.version = length == kHeaderLength128 ? getFirmFileVer(&bytes[i], remaining)
                                                    : getGYFirmFileVer(&bytes[i], remaining);
        break;
    }
    return header;
}

SendDataHeader FileTransfer::getHeaderFromSendDataFile(std::string path) {
    setErrorCode(error::kNone);
    unsigned char* data = nullptr;
    int size = 0;
    if (!Util::readFile(path, data, size)) {
        setErrorCode(error::kFileUnreadable);
        return SendDataHeader();
    }
    if (size <= 0) {
        return SendDataHeader();
    }
    std::vector<unsigned char> bytes(data, data + size);
    delete[] data;
    return getHeaderFromSendData(std::move(bytes));
}

uint16_t FileTransfer::getDataKind(std::string path) {
    return getHeaderFromSendDataFile(std::move(path)).dataKind;
}

std::string FileTransfer::getFileVersion(std::string path) {
    return getHeaderFromSendDataFile(std::move(path)).version;
}

std::string FileTransfer::getFirmFileVer(const unsigned char* header, int remaining) {
    const int available = std::min(kVersionLength, std::max(0, remaining - kVersionOffset128));
    std::string text =
        lumeko::textUpToZero(header + kVersionOffset128, static_cast<size_t>(available));
    Util::erase(text, '.');
    Util::erase(text, 'V');
    return text;
}

std::string FileTransfer::getGYFirmFileVer(const unsigned char* header, int remaining) {
    for (int a = kNameOffset; a <= kNameEnd && a + 1 < remaining; ++a) {
        if (header[a] != 0x20 || header[a + 1] != 'V') {
            continue;
        }
        const int start = a + 2;
        const int available = std::min(kVersionLength, std::max(0, remaining - start));
        std::string text = lumeko::textUpToZero(header + start, static_cast<size_t>(available));
        Util::erase(text, '.');
        return text;
    }
    return std::string();
}

bool FileTransfer::checkTemplateHeaderInfo(const unsigned char* header) {
    return header[0] == kHeaderMarker && readLe16(header + 6) == DataKind::kTemplate &&
           SendDataHeaderLayout::isLength(header[1]);
}

bool FileTransfer::isSupportedSendDataType(SendDataHeader header, bool firmware) {
    switch (header.dataKind) {
        case DataKind::kFirmwareRefused1:
        case DataKind::kFirmwareRefused2:
            return false;
        case DataKind::kFirmware:
        case DataKind::kFirmware10:
        case DataKind::kFirmware12:
            return firmware;
        default:
            return true;
    }
}

// ---------------------------------------------------------------------------------------
// Database and package files

bool FileTransfer::loadHeaderedFile(const std::string& path) {
    if (!loadFile(path)) {
        setErrorCode(error::kFileUnreadable);
        return false;
    }
    if (fileSize < kMinHeaderScan || fileSize < fileData[1]) {
        setErrorCode(error::kUnsendableData);
        return false;
    }
    headerLength = fileData[1];
    return true;
}

bool FileTransfer::getKd3Data(std::string path) {
    return loadHeaderedFile(path) && kd3modelcheck();
}

bool FileTransfer::kd3modelcheck() {
    if (fileData == nullptr || fileSize < 4 ||
        fileData[2] != PrinterStatus::status_byte_[PrinterStatusReply::kSeriesCode] ||
        fileData[3] != PrinterStatus::status_byte_[PrinterStatusReply::kModelCode]) {
        setErrorCode(error::kOtherPrinterData);
        return false;
    }
    return true;
}

bool FileTransfer::getTlfData(std::string path) {
    if (!loadFile(path) || fileSize == 0) {
        setErrorCode(error::kUnsendableData);
        return false;
    }
    return tlfModelcheck();
}

bool FileTransfer::tlfModelcheck() {
    const std::string& name = spec.modelName;
    // A file too short to hold the name cannot match it; nothing past its end is read.
    const int available = std::max(0, fileSize - kPackageModelNameOffset);
    const int length =
        std::min(static_cast<int>(std::min<size_t>(name.size(), INT32_MAX)), available);
    std::string text;
    if (fileData != nullptr && length > 0) {
        text =
            lumeko::textUpToZero(fileData + kPackageModelNameOffset, static_cast<size_t>(length));
    }
    std::replace(text.begin(), text.end(), '_', '-');
    if (text != name) {
        setErrorCode(error::kOtherPrinterData);
        return false;
    }
    return true;
}
