#pragma once

#include "raster/raster_data.h"

// The ternary value a one-bit plane is made of.
enum COLORCONV : int {
    COLORCONV_RED = 1,
    COLORCONV_BLACK = 2,
};

// The raster data object of two-colour (black and red) media. It keeps the page commands,
// the page geometry and the job stream of RasterData and replaces the conversion of one page:
// the R, G, B pixels are read, turned, resized and fitted in colour, optionally corrected by a
// colour-effect table, separated into a ternary image (0 white, 1 red, 2 black) and packed
// into two one-bit planes, which go out as the two-colour line stream:
//
//   77 ('w') plane length data   one plane of one line: plane 1 black, 2 red, one length byte
//   5A ('Z')                     a blank line (run-length body)
//   1A                           page end
//
// Every image row gives two lines, black first. There is no Mode 9, no mirror step and no
// grey conversion on this path. The members below hide the base members of the same name.
class BiColorRasterData : public RasterData {
  public:
    BiColorRasterData(RasterPrintOption& jobOption, PrinterSpec& jobSpec, Paper& jobPaper,
                      PrinterStatus& status);
    ~BiColorRasterData() override;

    // The planes, the page geometry and page commands, then the page body. The planes are
    // released on every path; `page` is not used.
    bool createPrnDate(BitmapData& bitmap, double scale, int& width, int& height, int pages,
                       int page) override;

    // Read, turn, resize, fit, colour effect, separation, trim, 180-degree turn, planes.
    // `width` and `height` come in as the scaled size and go out as the planes' size.
    // planes receives a new array of two images (0 black, 1 red), each `height` rows of
    // ceil(width / 8) bytes; the caller releases both images and the array.
    bool makeOneBitBitmapFromColor(BitmapData& bitmap, unsigned char**& planes, double scale,
                                   int& width, int& height);
    // Reads the colour image (file or pixels in memory) into a new buffer and turns it for
    // orientation 2; width and height become the image's size.
    bool adjustBitmapDirection(BitmapData& bitmap, unsigned char*& image, int& width, int& height);
    // dst becomes a new copy of src, turned a quarter clockwise for orientation 2 (width and
    // height swap then).
    bool adjustDirection(unsigned char*& src, unsigned char*& dst, int& width, int& height,
                         int orientation);
    // dst (width x height colour pixels) receives src turned a quarter clockwise: height
    // pixels wide and width rows high.
    void rotate(unsigned char*& dst, unsigned char*& src, int width, int height);
    // out becomes the colour image at the target size (width x height) by nearest neighbour,
    // one scale for both directions, or takes `in` over unchanged when the bitmap is not
    // scaled (width and height then become the source size).
    bool adjustBitmapSize(unsigned char*& out, unsigned char*& in, double scale, int& width,
                          int& height, int sourceWidth, int sourceHeight, BitmapData bitmap);
    bool resize(unsigned char*& src, unsigned char*& dst, int sourceWidth, int sourceHeight,
                int width, int height, double scaleX, double scaleY);
    // Cuts the fit-to-paper margins off a colour image (print mode 4 only). Error code 23 when
    // nothing is left.
    bool adjustFitToPaper(unsigned char*& image, int& width, int& height);
    // 1-based number of the last row of the ternary image that holds ink; 1 when none does.
    int cutZeroLine(unsigned char*& image, int width, int height);
    // Packs up to 8 ternary pixels, most significant bit first: a bit is 1 where the pixel
    // equals `value`.
    unsigned char getOneByte(unsigned char* pixels, int count, int unused, COLORCONV value);
    // plane becomes a new one-bit image of the pixels equal to `value`; returns its bytes.
    int getOneBitBitmap(int width, int height, unsigned char*& ternary, int unused,
                        unsigned char*& plane, COLORCONV value);

    // ---- page body ----
    using RasterData::convertBitmapToRasterPrnData;
    // Allocates pageData and builds the raw or run-length two-colour body.
    bool convertBitmapToRasterPrnData(unsigned char** planes, int width, int height);
    bool createRawData(unsigned char**& planes, int width, int height, int lineBytes);
    bool createTiffData(unsigned char**& planes, int width, int height, int lineBytes);
    // Writes `count` raw blank lines (a zero line for each plane) and returns the bytes.
    int setZeroData(unsigned char* out, int lineBytes, int count);

    // Any of the five colour-effect values is set.
    bool shouldConvertedByTable();
};
