// The job-stream walker of the test support reads within bounds: cut or damaged streams are
// reported, never read past.
#include <gtest/gtest.h>

#include <string>

#include "raster_print_fixture.h"
#include "support/raster_stream/job_layout.h"

using namespace print_job;

class RasterPrintWalkerTest : public PrintJobTest {};

TEST_F(RasterPrintWalkerTest, CutAndDamagedStreams) {
    for (const SeriesRow& row : seriesRows()) {
        SCOPED_TRACE(row.name);
        resetPrinterStatusStatics();
        SimulatedPrinter p;
        RasterPrintOption o = rowOption(row, 2);
        ProbeRasterPrint job(PORT_USB, &p, row.model, o);
        Picture pic = framePicture(24, 12);
        BitmapData bitmap = pic.bitmap();
        ASSERT_TRUE(job.printBitmap(bitmap, 0, 2));
        const Bytes stream = sentStream(p);
        const raster_stream::JobLayout layout = raster_stream::layoutFor(
            job.jobSpec(), job.jobPaper(), o, o.mode9 && job.jobSpec().mode9Supported);

        raster_stream::JobStream walked;
        std::string error;
        ASSERT_TRUE(raster_stream::walkJob(stream, layout, walked, error)) << error;
        ASSERT_EQ(walked.calls.size(), 1u);
        ASSERT_EQ(walked.calls[0].pages.size(), 2u);
        EXPECT_FALSE(walked.calls[0].pages[0].last);
        EXPECT_TRUE(walked.calls[0].pages[1].last || row.model == FC_412);

        // Every cut: no read past the end (the sanitizers watch), and a cut inside a page is
        // an error.
        for (size_t n = 0; n < stream.size(); ++n) {
            const Bytes cut(stream.begin(), stream.begin() + static_cast<long>(n));
            raster_stream::JobStream partial;
            if (raster_stream::walkJob(cut, layout, partial, error)) {
                EXPECT_FALSE(!partial.calls.empty() && partial.calls.back().trailer &&
                             n < stream.size())
                    << "a cut stream with its trailer at " << n;
            }
        }
        // A stray byte before the trailer is rejected.
        Bytes stray = stream;
        stray.insert(stray.end() - 4, 0x99);
        EXPECT_FALSE(raster_stream::walkJob(stray, layout, walked, error));
    }
}
