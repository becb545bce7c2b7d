// A black-and-white picture (and red on two-colour paper) printed at scale 1 on one model of
// every series: the page the printer receives, decoded, is the picture at the paper's offset.
#include <gtest/gtest.h>

#include <string>

#include "raster_print_fixture.h"
#include "support/raster_stream/job_layout.h"
#include "support/raster_stream/page_preview.h"

using namespace print_job;
using raster_stream::DotRows;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// Frame, diagonal and a block in black; with `red`, a red block beside them.
Picture testPicture(bool red) {
    Picture p = framePicture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x == y) {
                p.set(x, y, 0, 0, 0);
            }
            if (red && x >= 28 && x < 36 && y >= 4 && y < 9) {
                p.set(x, y, 255, 0, 0);
            }
        }
    }
    return p;
}

// The dots of one colour of the picture placed at dot `offset` of `lines` lines of `bytes`.
DotRows placed(const Picture& p, bool redDots, size_t lines, size_t bytes, size_t offset) {
    DotRows out(lines, std::vector<unsigned char>(bytes, 0));
    for (int y = 0; y < p.height && static_cast<size_t>(y) < lines; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const unsigned char* px = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
            const bool black = px[0] == 0 && px[1] == 0 && px[2] == 0;
            const bool red = px[0] == 255 && px[1] == 0 && px[2] == 0;
            if (redDots ? red : black) {
                raster_stream::setDot(out[static_cast<size_t>(y)], offset + x);
            }
        }
    }
    return out;
}

struct EndToEndRow {
    SeriesRow series;
    bool red;
};

}  // namespace

class RasterPrintEndToEndTest : public PrintJobTest {};

TEST_F(RasterPrintEndToEndTest, PrintedPageIsThePicture) {
    std::vector<EndToEndRow> rows;
    for (const SeriesRow& s : seriesRows()) {
        rows.push_back({s, false});
    }
    rows.push_back({{"GY, Mode 9 with the mirrored margin", GY_160MFi, 6, false, true}, false});
    rows.push_back({{"VZ, two-colour paper", VZ_310W, 38, false, false}, true});

    for (const EndToEndRow& row : rows) {
        SCOPED_TRACE(row.series.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = rowOption(row.series);
        ProbeRasterPrint job(PORT_USB, &p, row.series.model, o);
        ASSERT_EQ(PrinterStatus::error_code_, 1);
        const PrinterSpec spec = job.jobSpec();
        const Paper paper = job.jobPaper();
        Picture pic = testPicture(row.red);
        BitmapData bitmap = pic.bitmap();
        ASSERT_TRUE(job.printBitmap(bitmap, 0, 1));

        const bool mode9 = o.mode9 && spec.mode9Supported;
        const raster_stream::JobLayout layout = raster_stream::layoutFor(spec, paper, o, mode9);
        raster_stream::JobStream walked;
        std::string error;
        ASSERT_TRUE(printed_job::decodePrinted(p, layout, walked, error)) << error;
        ASSERT_EQ(walked.calls.size(), 1u);
        ASSERT_EQ(walked.calls[0].pages.size(), 1u);
        EXPECT_TRUE(walked.calls[0].trailer);
        const raster_stream::JobPage& page = walked.calls[0].pages[0];
        ASSERT_GE(page.lines.size(), static_cast<size_t>(kHeight));
        DotRows black = page.lines;
        DotRows red = page.red;
        if (mode9 && spec.mode9MirrorMargin) {
            // The image went out mirrored across the printable width.
            const raster_stream::MirrorSpan span{paper.leftOffsetBytes * 8u,
                                                 paper.printableWidthDots};
            black = raster_stream::mirrored(black, span);
            red = raster_stream::mirrored(red, span);
        }
        // The picture starts at the paper's offset on the head, on the first line.
        const size_t bytes = black[0].size();
        EXPECT_EQ(black, placed(pic, false, black.size(), bytes, paper.leftOffsetDots));
        if (row.red) {
            EXPECT_EQ(red, placed(pic, true, black.size(), bytes, paper.leftOffsetDots));
        } else {
            EXPECT_TRUE(red.empty());
        }
    }
}
