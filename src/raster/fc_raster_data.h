#pragma once

#include <vector>

#include "raster/raster_data.h"

// The raster data object of the full-page series. Keeps the page pipeline, geometry and page
// commands of RasterData and replaces the raster-mode switch, the start block, the density
// command and the page body:
//
//   start block   1B 7E settings commands (duplex, density, two-ply, feed, dash line, speed,
//                 printer case, paper or paper width, paper length)
//   page body     the start block, the model's zero bytes, a feed to the top margin, then
//                 every printed row as positioned data blocks, white rows folded into line
//                 feeds, and the page end 1B 7E 0C.
//
// With Mode 9 on a model that supports it the body comes from Mode 9 with the start block
// inside. Every operand is little-endian. A setting the printer cannot take sets error code
// 39, which makes the page geometry step fail before anything is sent.
class FCRasterData : public RasterData {
  public:
    FCRasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec, Paper& jobPaper,
                 PrinterStatus& status);
    ~FCRasterData() override;

    // Appends 1B 69 61 00, this series' switch into raster mode.
    void setSwitchDynamicCommand(std::vector<unsigned char>& out) override;
    // Appends the start block to startPageCommand, which is not emptied first.
    void createStartPageCommand(int width, int height, int pages) override;
    // Appends 1B 7E 64 v 00 for a density of 0..10 (read as an unsigned byte); nothing else.
    void setDensity(std::vector<unsigned char>& out) override;
    // Mode 9 when the model and the option both have it, else the positioned-block body.
    // isLastPage changes nothing.
    bool convertBitmapToRaster(unsigned char* image, int width, int height,
                               bool isLastPage) override;

    // ---- start block builders: each appends one command ----
    void setDuplexMode(std::vector<unsigned char>& out);
    void set2plyMode(std::vector<unsigned char>& out);
    void setFeed(std::vector<unsigned char>& out);
    void setDashLine(std::vector<unsigned char>& out);
    void setSpped(std::vector<unsigned char>& out);
    // Nothing and error code 39 for a printer case outside 1..3.
    void setPrinterCase(std::vector<unsigned char>& out);
    void setPaper(std::vector<unsigned char>& out);
    void setPaperWidth(std::vector<unsigned char>& out);
    // Nothing and error code 39 for a feed outside 0..0xFFFF, a printable length below 200
    // dots or a length that does not fit 16 bits.
    void setPaperLength(std::vector<unsigned char>& out, int height);

    // ---- page body ----
    // Builds pageData and pageDataLength from the packed image (height rows of
    // ceil(width / 8) bytes). False with error code 39 when the body cannot be allocated.
    bool convertBitmapToTiff(unsigned char* image, int width, int height);
    // Writes the rows of the body after the top feed: `lines` rows of `rowLength` bytes, of
    // which the first min(lines, printableLength - topMargin) are printed. Returns the bytes
    // written.
    int makeRasterDataTiff(unsigned char* image, int rowLength, int lines, int printableLength,
                           unsigned char* out);
    // Writes the positioned data blocks of one row and returns the bytes written.
    int make1RasterData(unsigned char* row, int rowLength, int leftMargin, unsigned char* out);
    // True when every byte of the row is zero.
    bool whiteRows(unsigned char* row, int rowLength);
    // Writes a feed of n lines: 1B 7E 4A FF per 255 lines, then 1B 7E 0A for exactly one
    // line, else 1B 7E 4A n (0 included). Returns the bytes written.
    int linefeed(int n, unsigned char* out);
};
