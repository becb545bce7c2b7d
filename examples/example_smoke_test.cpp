// The example program on a label paper and on a two-colour paper: its print file is what the
// library's save job writes, and its preview is a compressed PNG of the page.
#include <gtest/gtest.h>

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
#include "support/png/png_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
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
        EXPECT_NE(log.str().find("success (error code 1): wrote " + args.printFile),
                  std::string::npos)
            << log.str();

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
        // A compressed PNG: stored rows alone would take 3 bytes a dot (over 640 KB).
        size_t width = 0, height = 0;
        Bytes rgb;
        std::string error;
        ASSERT_TRUE(png_file::readRgb(args.preview, width, height, rgb, error)) << error;
        EXPECT_EQ(width, 720u);  // the model's head
        EXPECT_GE(height, static_cast<size_t>(pic.height));
        EXPECT_LT(readAll(args.preview).size(), 100u * 1000u);
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
    // A paper id that is not a number is refused as such, never read as paper 0.
    for (const char* paper : {"abc", "", "-1", "65536", "16x"}) {
        EXPECT_FALSE(
            example::parseArguments({"prog", "a", "VZ-310W", paper, "c", "d"}, args, error))
            << paper;
        EXPECT_NE(error.find("PAPER_ID must be a number from 0 to 65535"), std::string::npos)
            << error;
    }
    // An unknown model: the run lists the models the library knows.
    ASSERT_TRUE(example::parseArguments({"prog", "a.ppm", "NO-SUCH", "1", "c", "d"}, args, error));
    std::ostringstream log;
    EXPECT_NE(example::runPrintFileJob(args, log), 0);
    EXPECT_NE(log.str().find("unknown model NO-SUCH; the models the library knows"),
              std::string::npos)
        << log.str();
    EXPECT_NE(log.str().find("  VZ-310W\n"), std::string::npos) << log.str();

    // A paper id the model has not: the run names the model's paper ids, and the print file and
    // preview of an earlier run are gone rather than read as this run's.
    const std::string dir = ::testing::TempDir();
    args.picture = dir + "example_sample.ppm";
    ASSERT_TRUE(example::writePpm(args.picture, example::samplePicture()));
    args.model = "VZ-310W";
    args.paperId = 99;
    args.printFile = dir + "example_stale.prn";
    args.preview = dir + "example_stale.png";
    for (const std::string& path : {args.printFile, args.preview}) {
        std::ofstream(path) << "earlier run";
    }
    std::ostringstream paperLog;
    EXPECT_NE(example::runPrintFileJob(args, paperLog), 0);
    EXPECT_NE(paperLog.str().find("VZ-310W has no paper 99; its paper ids:"), std::string::npos)
        << paperLog.str();
    EXPECT_NE(paperLog.str().find("\n  16  62mm\n"), std::string::npos) << paperLog.str();
    EXPECT_EQ(paperLog.str().find("error code"), std::string::npos) << paperLog.str();
    EXPECT_FALSE(std::ifstream(args.printFile).good());
    EXPECT_FALSE(std::ifstream(args.preview).good());

    // Error code 39 explained from the tool's inputs: the copies out of range, or the picture
    // (600 x 300) wider than the 12 mm tape's printable width at its own size.
    const struct {
        const char* model;
        int paperId;
        int copies;
        int printMode;
        const char* says;
    } refused[] = {
        {"VZ-310W", 16, 0, 1, "--copies 0 is outside 1 to 65535"},
        {"VZ-310W", 16, 70000, 1, "--copies 70000 is outside 1 to 65535"},
        {"KX-A380W", 11, 1, 1, "Paper 11's printable area is 70 dots across, of any length"},
        {"KX-A380W", 11, 1, 3, "At its own size (--print-mode 3) the picture is too wide"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.says);
        args.model = row.model;
        args.paperId = row.paperId;
        args.copies = row.copies;
        args.printMode = row.printMode;
        std::ostringstream refusedLog;
        EXPECT_EQ(example::runPrintFileJob(args, refusedLog), 1);
        EXPECT_NE(refusedLog.str().find("error code 39: the library could not build the page"),
                  std::string::npos)
            << refusedLog.str();
        EXPECT_NE(refusedLog.str().find(row.says), std::string::npos) << refusedLog.str();
        EXPECT_FALSE(std::ifstream(args.printFile).good());
    }
}
