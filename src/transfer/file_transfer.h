#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"
#include "transfer/lazy_whole_life.h"
#include "transfer/send_data_header.h"
#include "transfer/template_header.h"
#include "transfer/template_status.h"

// The operation object of file transfer: firmware updates, template uploads, template list
// and removal, firmware queries, database sending. It holds at most one loaded file (a database
// file or a package) and its own copy of the print options, of which only doStatusCheck is read.
//
// Every step reports through PrinterStatus::error_code_ (1 = no error) and its result. The
// operations the host calls (template list and removal, firmware version, device flags,
// firmware update, template upload, database sending) end through BasePrinter::endOperation.
class FileTransfer : public BasePrinter {
  public:
    // Largest piece of payload sent after one 4-byte length.
    static constexpr int kMaxChunk = 40960;
    // Smallest data the header scan looks at.
    static constexpr int kMinHeaderScan = 128;

    FileTransfer(Port printerPort, CommunicationObserver* observer, Model printerModel,
                 RasterPrintOption& option);
    // For reading files only (the version of a firmware file): no connection, default
    // options.
    FileTransfer(Model printerModel, Port printerPort);
    ~FileTransfer() override;

    // Releases the loaded file.
    void finish();

    // ---- file formats
    SendDataHeader getHeaderFromSendData(std::vector<unsigned char> bytes);
    SendDataHeader getHeaderFromSendDataFile(std::string path);
    uint16_t getDataKind(std::string path);
    std::string getFileVersion(std::string path);
    // Version text of a 128-byte and of a 64-byte header; remaining counts the bytes from
    // the header to the end of the data, and no byte past them is read.
    std::string getFirmFileVer(const unsigned char* header, int remaining);
    std::string getGYFirmFileVer(const unsigned char* header, int remaining);
    // Marker 90, length 40 or 80, kind 0100. REQUIRES: 8 readable bytes.
    bool checkTemplateHeaderInfo(const unsigned char* header);
    bool isSupportedSendDataType(SendDataHeader header, bool firmware);
    // Load a database or package file made for the connected printer (error 28, 23, 29).
    bool getKd3Data(std::string path);
    bool getTlfData(std::string path);
    bool kd3modelcheck();
    bool tlfModelcheck();

    // ---- transfer engine
    bool transfer(std::string path, bool firmware);
    bool transferKd3(bool firmware);
    bool transferTlf(bool firmware);
    bool transferSingleTlf(const std::vector<unsigned char>& record, bool firmware);
    // Sends payload chunks of the loaded file from pos on; the new position, -1 on failure.
    int sendTemplate(int total, int pos);
    static void intToByteArray(unsigned char* out, unsigned value);
    // Status bytes 24..27 of the last status as a little-endian count.
    static uint32_t byteArrayToInt();
    bool initTemplateTransfer();
    bool changeTransferMode();
    bool setTimeoutWhileTransferFile(int seconds, bool reset);

    // ---- transfer status
    bool checkTemplateStatusSanity(const TemplateStatus& status, bool checkSize);
    TemplateStatus templateStatus() const;

    // ---- template list and removal
    bool getTemplateList(std::vector<TemplateHeader>& list);
    bool removeTemplate(const int* keys, int count);
    bool getTemplateListFromESPCommand(std::vector<unsigned char>& bytes);
    bool getTemplateListFromMIB(std::vector<unsigned char>& bytes);
    bool getTemplateHeaderNumWithMIB(int& count);
    bool getTemplateHeaderWithMIB(int count, std::vector<unsigned char>& bytes);
    bool convertByteFromMIB(std::string text, std::vector<unsigned char>& bytes);
    bool convertTemplateInfoFromByte(std::vector<unsigned char> bytes,
                                     std::vector<TemplateHeader>& list);
    bool removeTemplateInPrinter(unsigned char* header, int length);

    // ---- firmware version and device flags
    // The printer's firmware version; an empty text with code 1 (the answer "none") on a
    // port without firmware functions.
    std::string getFirmVer();
    bool isSupportedFirmVer();
    int getBatteryWeak();
    int getBootMode();
    bool isDiffVersion(std::string path, bool* flag);

    // ---- firmware update and template upload
    bool updateFirm(std::string path);
    bool uploadTemplate(std::vector<std::string> paths);
    bool transferTemplate(std::vector<std::string> paths, unsigned count);
    bool transferTemplateForKXC240(std::vector<std::string> paths, unsigned count);
    bool checkToUploadTmpl();

    // ---- database sending
    // Builds the database package of the CSV file (its first line holds the field names)
    // for this printer and sends it in one piece; error 59 when no package comes out.
    bool sendDatabaseData(std::string name, std::string csvPath);

    // The loaded file (tests and diagnostics).
    const unsigned char* loadedData() const { return fileData; }
    int loadedSize() const { return fileSize; }
    int loadedHeaderLength() const { return headerLength; }

  private:
    // Reads the whole file into the object (replacing the loaded one); false when it cannot
    // be opened.
    bool loadFile(const std::string& path);
    // Loads a file that starts with a send-data header and takes its header length: error 28
    // when it cannot be read, 23 when it is shorter than a header scan or its header.
    bool loadHeaderedFile(const std::string& path);
    // ESC i F M with its 32-byte reply: error 6 when the exchange fails, 40 when reply byte 18
    // is not 1. REQUIRES: target is not null.
    bool switchToTransferMode(CommunicationObserver* target);
    // Sends bytes with sendData: error 6 (39 without observer) on failure.
    bool send(const unsigned char* bytes, size_t length);
    bool send(const std::vector<unsigned char>& bytes) { return send(bytes.data(), bytes.size()); }
    // Sends the 60-second transfer timeout and arms the guard that resets it; false when the
    // command fails.
    bool armTransferTimeout(tf::resource::LazyWholeLife& guard);
    // A one-byte device flag query (5 command bytes).
    int readDeviceFlag(const unsigned char* command);
    // Ends a device flag query: the flag, or -1 when the query failed or was stopped.
    int endDeviceFlag(int flag);
    // The steps of getFirmVer: the version text, empty when there is none.
    std::string readFirmVer();

    int headerLength = 0;
    unsigned char* fileData = nullptr;
    int fileSize = 0;
    RasterPrintOption option;
};
