#pragma once

#include <string>
#include <vector>

#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "raster/bitmap_data.h"
#include "raster/page_mode.h"
#include "raster/print_quality_setting.h"

class PrinterStatus;

// The raster data of one page: the job's own copies of options, spec and paper, the
// print-quality setting, the page geometry, the command blocks ahead of the page and the
// page body. The print job builds one per print call, runs createRasterDataFromColorData
// once, reads the results and deletes it.
//
// Images inside hold one byte per pixel (grey 0 black .. 255 white, rows one after
// another) until they are packed into rows of ceil(width / 8) bytes, most significant bit
// leftmost, 1 for a black dot. Failures set PrinterStatus::error_code_ and return false.
class RasterData {
  public:
    // Copies the paper, the option and the PrinterSpec and chooses the print-quality mode.
    // The status argument is not used (the last status lives in static members).
    RasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec, Paper& jobPaper,
               PrinterStatus& status);
    // Default options, default spec and an empty paper: for saving a halftoned bitmap.
    RasterData();
    RasterData(const RasterData&) = delete;
    RasterData& operator=(const RasterData&) = delete;
    virtual ~RasterData();

    // ---- virtual operations, in slot order ----
    // Appends the switch into raster mode.
    virtual void setSwitchDynamicCommand(std::vector<unsigned char>& out);
    // One-bit image, page commands and page body of one page.
    virtual bool createPrnDate(BitmapData& bitmap, double scale, int& width, int& height, int pages,
                               int page);
    // Fills startPageCommand.
    virtual void createStartPageCommand(int width, int height, int pages);
    // Appends the density command.
    virtual void setDensity(std::vector<unsigned char>& out);
    // Builds the page body: Mode 9 or raw / run-length lines.
    virtual bool convertBitmapToRaster(unsigned char* image, int width, int height,
                                       bool isLastPage);
    // Allocates pageData and builds a raw or run-length body.
    virtual bool convertBitmapToRasterPrnData(unsigned char* image, int width, int height);

    // ---- the page ----
    // The whole page: pages is the number of pages of the job, page this page's 0-based
    // index. False with error code 39 when no page body could be built.
    bool createRasterDataFromColorData(BitmapData& bitmap, int pages, int page);
    // The model can turn the page by 180 degrees and the option asks for it.
    bool isRotate180();
    // Bit 7 of the paper's media type: the page start carries the media information block.
    bool shouldSetAdditionalMediaInfo(Paper& media);

    // ---- page geometry ----
    double getScale(int width, int height);
    double calculateScale(int width, int height, int acrossDots, int alongDots);
    int getLeftMargin(int areaWidth, int width);
    int getTopMargin(int areaLength, int height);
    int getPaperLeftMargin(int areaWidth);
    bool checkMargin(int width, int height, int rightEdge, int length);
    bool preCreateRasterDataFromOneBitmap(int width, int height, int pages);
    // The bitmap is turned a quarter turn: adjustBitmapDirection acts.
    bool isQuarterTurned(const BitmapData& bitmap) const;
    bool adjustBitmapDirection(BitmapData& bitmap, unsigned char*& image, int& width, int& height);
    bool adjustOrientation(unsigned char*& image, int& bitmapWidth, int& bitmapHeight, int& width,
                           int& height);
    // out (width x height bytes) receives in turned a quarter turn clockwise: it is height
    // wide and width high.
    void rotate(unsigned char*& out, unsigned char*& in, int width, int height);
    // The bitmap is resampled, by the scale or the quality mode: adjustBitmapSize acts.
    bool isResized(const BitmapData& bitmap, double scale) const;
    bool adjustBitmapSize(BitmapData& bitmap, unsigned char*& out, unsigned char*& in, double scale,
                          int& width, int& height);
    bool resize(unsigned char*& in, unsigned char*& out, int inWidth, int inHeight, int outWidth,
                int outHeight, double scaleX, double scaleY);
    // table[i] = trunc(i / scale), kept within 0 .. inSize - 1, for i < outSize.
    void calcOriginalPos(int inSize, int outSize, double scale, int*& table);
    bool adjustFitToPaper(unsigned char*& image, int& width, int& height);
    void getFitToPaperWidthMargin(int width, int& left, int& right, double scale);
    void getFitToPaperHeightMargin(int height, int& top, int& bottom, double scale);
    void setLeftPositionOffset(int margin, int size, int& cutA, int& cutB, int& userMargin,
                               int area);
    void setTopPositionOffset(int margin, int size, int& bottom, int& top, int& userMargin,
                              int area);
    void setCenterPositionOffset(int size, int& cutA, int& cutB, int area);
    void setRightBottomPositionOffset(int margin, int size, int& cutA, int& cutB, int area);

    // ---- one-bit image ----
    bool makeOneBitBitmapFromColor(BitmapData& bitmap, unsigned char*& out, double scale,
                                   int& width, int& height);
    bool convertColorToGrayImage(unsigned char*& grey, int width, int height, std::string path,
                                 int toneSwitch);
    bool convertColorToGrayImage(unsigned char*& grey, int width, int height, unsigned char* rgb,
                                 int toneSwitch);
    bool copyOriginalPixel(BitmapData& bitmap, unsigned char*& grey, int size);
    bool readFile(unsigned char*& buffer, int size, std::string path);
    int cutZeroLine(unsigned char*& image, int width, int height);
    // The image is mirrored for Mode 9 (adjustFlip acts) and the left margin counted from
    // the other end.
    bool isMode9Mirrored() const;
    bool adjustFlip(unsigned char*& image, int& width, int& height);
    void flip(unsigned char* out, unsigned char* in, int width, int height);
    void adjustHalftone(BitmapData& bitmap, unsigned char*& image, int width, int height);
    bool rotate180(unsigned char*& image, int width, int height);
    bool isNeedAdjustHighResolutionMode();
    void adjustHighResolutionMode(unsigned char*& image, int width, int height);
    int getOneBitBitmap(int width, int height, unsigned char*& grey, int additionMedia,
                        unsigned char*& out);
    bool makeOneBitBitmap(BitmapData& bitmap, std::string path, int halftone, int threshold,
                          int toneSwitch);
    static int writeByteInFile(int*& pixels, int count, std::string path, bool append);
    static int writeFile(unsigned char*& data, int length, const std::string& path, bool append,
                         int continued);
    static bool writeByteToPixel(int*& pixels, int count, unsigned char* out);

    // ---- raster lines ----
    bool createRawData(unsigned char*& image, int width, int height, int lineBytes);
    bool createTiffData(unsigned char*& image, int width, int height, int lineBytes);
    int setZeroData(unsigned char* out, int lineBytes, int count);
    int compressData(unsigned char*& in, int n, unsigned char*& out);
    unsigned char reverseByte(unsigned char b);
    int getBlock(unsigned char*& row, int start, int end);
    int stripNullData(int position, unsigned char* out);

    // ---- page commands ----
    void setInitCommand(std::vector<unsigned char>& out);
    void setInitCommandMode9(std::vector<unsigned char>& out);
    void setChangeStatusMode(std::vector<unsigned char>& out, bool flag);
    void setCopyNumCommand(std::vector<unsigned char>& out, int count);
    void setSpaceCommand(std::vector<unsigned char>& out);
    void setCompressModeCommand(std::vector<unsigned char>& out);
    void setAutoCutPage(std::vector<unsigned char>& out);
    void setPrintInformation(std::vector<unsigned char>& out, PageMode mode);
    void setVariousMode(std::vector<unsigned char>& out);
    void setAdvancedMode(std::vector<unsigned char>& out);
    void setAdditionalMediaInfoCommand(std::vector<unsigned char>& out, Paper media);
    void setCustomPaperInfoCommnad(std::vector<unsigned char>& out);
    void setAdditionalBinMediaInfo(std::vector<unsigned char>& out);
    void createOtherPageCommand(int width, int height, int pages);
    void createNextPageCommand(std::vector<unsigned char>& out, PageMode mode, int count);

    // ---- members ----
    // Length of the page in dot lines before the quality magnification.
    int pageLines = 0;
    // The page body (owned, array allocation), null until built.
    unsigned char* pageData = nullptr;
    int pageDataLength = 0;
    std::vector<unsigned char> startPageCommand;
    std::vector<unsigned char> otherPageCommand;
    std::vector<unsigned char> lastPageCommand;
    Paper paper;
    RasterPrintOption option;
    PrinterSpec spec;
    tpes::PrintQualitySetting printQualitySetting;
    // Dots from the start of the head line to the first image dot.
    int leftMargin = 0;
    // Paper left offset plus its position on the head (specs with usePaperLeftOffset).
    int paperLeftOffset = 0;
    // Blank dot lines above the image.
    int topMargin = 0;

  protected:
    // Bytes of one transmitted raster line: tubeHeadDots / 8 for a tube paper on a tube
    // model, else headDots / 8.
    int lineBytesOfHead() const;
};

// Pixel (column, row) of an image of the given width, one byte per pixel.
unsigned char getPixelSpec(unsigned char* image, int column, int row, int width);
