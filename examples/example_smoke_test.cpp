// The example program on a label paper and on a two-colour paper: its print file is what the
// library's save job writes, and its preview is a PNG of the page.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/printer_status.h"
#include "print_file_job.h"
#include "raster/raster_data.h"
#include "raster/raster_print.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

uint32_t be32(const Bytes& b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16 |
           static_cast<uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

// The pixels of a PNG written with stored deflate blocks (what the example writes): false
// when the file is not such a PNG.
bool readStoredPng(const Bytes& png, uint32_t& width, uint32_t& height, Bytes& rgb) {
    const Bytes signature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (png.size() < 8 || Bytes(png.begin(), png.begin() + 8) != signature) {
        return false;
    }
    Bytes z;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t n = be32(png, at);
        const std::string type(png.begin() + static_cast<long>(at + 4),
                               png.begin() + static_cast<long>(at + 8));
        if (at + 12 + n > png.size()) {
            return false;
        }
        if (type == "IHDR") {
            width = be32(png, at + 8);
            height = be32(png, at + 12);
            if (png[at + 16] != 8 || png[at + 17] != 2) {
                return false;
            }
        } else if (type == "IDAT") {
            z.insert(z.end(), png.begin() + static_cast<long>(at + 8),
                     png.begin() + static_cast<long>(at + 8 + n));
        }
        at += 12 + n;
    }
    Bytes raw;
    size_t p = 2;
    for (;;) {
        if (p + 5 > z.size() || (z[p] & 0x06) != 0) {
            return false;  // not a stored block
        }
        const bool final = z[p] & 1;
        const size_t len = z[p + 1] | (z[p + 2] << 8);
        p += 5;
        if (p + len > z.size()) {
            return false;
        }
        raw.insert(raw.end(), z.begin() + static_cast<long>(p),
                   z.begin() + static_cast<long>(p + len));
        p += len;
        if (final) {
            break;
        }
    }
    if (raw.size() != static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width))) {
        return false;
    }
    rgb.clear();
    for (uint32_t y = 0; y < height; ++y) {
        const size_t row = y * (1 + 3 * static_cast<size_t>(width));
        rgb.insert(rgb.end(), raw.begin() + static_cast<long>(row + 1),
                   raw.begin() + static_cast<long>(row + 1 + 3 * width));
    }
    return true;
}

size_t countPixels(const Bytes& rgb, unsigned char r, unsigned char g, unsigned char b) {
    size_t n = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        n += rgb[i] == r && rgb[i + 1] == g && rgb[i + 2] == b ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(ExampleSmoke, LabelAndTwoColourPaper) {
    const std::string dir = ::testing::TempDir();
    const std::string sample = dir + "example_sample.ppm";
    ASSERT_TRUE(example::writePpm(sample, example::samplePicture()));
    const struct {
        const char* model;
        int paperId;
        bool red;
    } rows[] = {{"VZ-310W", 16, false}, {"VZ-310W", 38, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.paperId);
        example::JobArguments args;
        args.picture = sample;
        args.model = row.model;
        args.paperId = row.paperId;
        args.printFile = dir + "example.prn";
        args.preview = dir + "example.png";
        std::ostringstream log;
        ASSERT_EQ(example::runPrintFileJob(args, log), 0) << log.str();
        EXPECT_NE(log.str().find("error code 1"), std::string::npos);

        // The library's save job on the same picture writes the same file.
        const example::Picture pic = example::samplePicture();
        std::vector<int> colours;
        for (size_t i = 0; i < pic.rgb.size(); i += 3) {
            colours.push_back(static_cast<int>(0xFF000000u | (pic.rgb[i] << 16) |
                                               (pic.rgb[i + 1] << 8) | pic.rgb[i + 2]));
        }
        const std::string pixelFile = dir + "example_direct.rgb";
        int* pixels = colours.data();
        ASSERT_EQ(
            RasterData::writeByteInFile(pixels, static_cast<int>(colours.size()), pixelFile, false),
            1);
        BitmapData bitmap;
        bitmap.bitmapFile = pixelFile;
        bitmap.bitmapWidth = pic.width;
        bitmap.bitmapHeight = pic.height;
        bitmap.isColor = true;
        bitmap.applyScale = true;
        bitmap.applyOrientation = true;
        RasterPrintOption o;
        o.paperId = static_cast<unsigned short>(row.paperId);
        o.halftone = 3;
        o.savePrnPath = dir + "example_direct.prn";
        RasterPrint job(PORT_USB, nullptr, VZ_310W, o);
        ASSERT_TRUE(job.createPrintData(bitmap, 0, 1));
        EXPECT_EQ(readAll(args.printFile), readAll(o.savePrnPath));

        // The preview: the whole head width, the page's length, black and (two-colour) red.
        uint32_t width = 0, height = 0;
        Bytes rgb;
        ASSERT_TRUE(readStoredPng(readAll(args.preview), width, height, rgb));
        EXPECT_EQ(width, 720u);  // the model's head
        EXPECT_GE(height, static_cast<uint32_t>(pic.height));
        EXPECT_GT(countPixels(rgb, 0, 0, 0), 1000u);
        EXPECT_EQ(countPixels(rgb, 255, 0, 0) > 1000u, row.red);
        std::remove(pixelFile.c_str());
        std::remove(o.savePrnPath.c_str());
    }
}

TEST(ExampleSmoke, BadArguments) {
    example::JobArguments args;
    std::string error;
    EXPECT_FALSE(example::parseArguments({"prog", "a.ppm"}, args, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(
        example::parseArguments({"prog", "a", "b", "1", "c", "d", "--copies"}, args, error));
    ASSERT_TRUE(example::parseArguments({"prog", "a.ppm", "NO-SUCH", "1", "c", "d"}, args, error));
    std::ostringstream log;
    EXPECT_NE(example::runPrintFileJob(args, log), 0);
}
