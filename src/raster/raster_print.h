#pragma once

#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/paper.h"
#include "catalogue/port.h"
#include "catalogue/raster_print_option.h"
#include "common/byte_buffer.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"
#include "raster/bitmap_data.h"
#include "raster/raster_data.h"

// One raster job: a bitmap printed page by page with its copies, the same job written to a
// print file, or a prepared print file sent as it is. Lives for one host call; construction
// selects the job's paper and leaves error code 25 or 32 when there is none, after which
// every job call fails without sending anything.
//
// Every result is also in PrinterStatus::error_code_, and the two agree when a job call
// returns: true exactly when the error code is 1. A job stopped by cancel() ends with
// error code 37 and false, without the trailer; a cancel that arrives only while the host
// handles the job's final progress code (21 or 22) finds nothing left to stop.
class RasterPrint : public BasePrinter {
  public:
    RasterPrint(Port printerPort, CommunicationObserver* observer, Model printerModel,
                RasterPrintOption& jobOption);
    ~RasterPrint() override;

    // Prints copy 0 .. numberOfCopies - 1 of one page. page is the page index (0 first);
    // pages the number of pages of the job as job page numbers count them (page x copies
    // + copy runs from 0 to pages - 1). For one bitmap: page 0, pages = numberOfCopies.
    bool printBitmap(BitmapData& bitmap, int page, int pages);
    // Writes the page to option.savePrnPath as a one-page stream (header, 1B 40, one copy,
    // trailer) instead of sending it; page 0 replaces or extends the file as
    // option.overwrite says, later pages extend it. No printer traffic.
    bool createPrintData(BitmapData& bitmap, int page, int pages);
    // Sends a prepared print file numberOfCopies times, each followed by its print-end
    // wait; ESC i S is appended unless the file ends with it (never on the network port).
    // With option.savePrnPath set the bytes go to that file instead.
    bool printPrn(std::string& path);

    // The command stream of one call: header, initialise commands (page 0), each copy
    // with its print-end wait, trailer (only when the call completes).
    bool print(RasterData* raster, int page, int pages);
    bool print(RasterData* raster);
    // Appends one copy's page bytes (page blocks, body, page end) to out.
    void createRasterData(RasterData* raster, std::vector<unsigned char>& out, int jobPage,
                          int pages);
    // Sends one copy's page bytes; the bytes only need to live during the call.
    bool sendRasterData(int length, unsigned char* data);
    // Builds the raster data object of the page into raster (the caller deletes it, also
    // on failure). Note the order: pages, then page.
    bool createRasterDataUsingBitmapData(BitmapData& bitmap, RasterData*& raster, int pages,
                                         int page);
    // False with error code 56 when a continuous label would be shorter than the minimum.
    bool checkLabelLengthLimit(RasterData* raster);
    // True when bit 0x80 of the paper's media type is clear.
    bool shouldCheckStatusBeforePrint(Paper& paper);
    // Status, media block of paper 17 and paper wait before printing.
    bool checkStatusBeforePrint();
    // The media block of paper 17 on the models that need it, then the wait for the
    // printer to take it.
    void sendNameBatchInfo();
    // Appends ESC i S to a prepared print file unless it already ends with it. data is
    // replaced by a new array (delete[]) when bytes are added.
    void addStatusCommand(unsigned char*& data, int& length);
    void setPaper(Paper& paper);

  protected:
    // Mode 9 is in use: the job's option asks for it and the model has it.
    bool isMode9InUse() const;
    // Pages go by sendDataAsynchronous.
    bool isAsynchronousPage() const;
    // Creates the raster data object of the model's series and paper.
    RasterData* newRasterData();
    // Polls isAliveSendTask every 0.3 s while it answers true; false (after the cancel
    // sequence) when the job is cancelled meanwhile.
    bool waitForSendTask();
    // Assembles the header of a call: leading zero bytes, custom paper bytes, mode switch.
    // False (nothing to send) when the custom paper bytes cannot be read.
    bool buildHeader(RasterData* raster, bool withZeroBytes, std::vector<unsigned char>& out);
    // Sends bytes with sendData; false with error code 39 (no observer) or 6.
    bool sendBytes(std::vector<unsigned char>& bytes);
    // Ends printBitmap and createPrintData through endOperation: progress code 21 (error
    // code 1) or 22, and true exactly when the error code is 1.
    bool finishJob();

    RasterPrintOption option;
};
