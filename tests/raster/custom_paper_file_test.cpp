#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "connection/printer_status.h"
#include "raster/raster_data.h"
#include "support/printer_status_fixture.h"

namespace {

using Bytes = std::vector<unsigned char>;

// The custom paper file is sent whole or not at all: a path that names no readable file
// (here a directory, whose read fails part way) is error 25 and appends nothing, and nothing
// escapes the call.
class CustomPaperFileTest : public PrinterStatusTest {};

TEST_F(CustomPaperFileTest, UnreadablePathsAppendNothing) {
    RasterData raster;
    const std::string empty = ::testing::TempDir() + "custom_paper_file_empty.bin";
    std::ofstream(empty, std::ios::binary | std::ios::trunc).close();
    struct Case {
        std::string path;
        int code;
    };
    const std::vector<Case> cases = {
        {::testing::TempDir(), 25},  // a directory
        {"", 25},                    // no path at all
        {empty, 1},                  // an empty file: read whole, nothing to send
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        raster.option.customPaperPath = c.path;
        PrinterStatus::error_code_ = 1;
        Bytes out = {0x09};
        EXPECT_NO_THROW(raster.setAdditionalBinMediaInfo(out));
        EXPECT_EQ(out, Bytes{0x09});
        EXPECT_EQ(PrinterStatus::error_code_, c.code);
    }
}

}  // namespace
