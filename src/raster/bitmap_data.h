#pragma once

#include <string>

// The bitmap of one print or save call: its size and either the path of a pixel file
// (3 bytes R, G, B per pixel, rows one after another, no header) or pixels in memory.
class BitmapData {
  public:
    BitmapData() = default;
    BitmapData(const BitmapData&) = default;
    BitmapData& operator=(const BitmapData&) = default;
    // Releases the path only: the pixels belong to whoever set them.
    virtual ~BitmapData() = default;

    int bitmapHeight = 0;
    int bitmapWidth = 0;
    // Pixels in memory, read only when bitmapFile is empty. Not owned.
    unsigned char* pixels = nullptr;
    std::string bitmapFile;
    // Set: R, G, B triples converted to grey; clear: one grey byte per pixel.
    bool isColor = false;
    // The scale factor and the resize step apply.
    bool applyScale = false;
    // The landscape quarter turn applies.
    bool applyOrientation = false;
};
