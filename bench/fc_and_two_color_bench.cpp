// The full-page series body of an A4 page, and the two-colour conversion and body of a long
// 62 mm label, from synthetic pages in memory.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "connection/printer_status.h"
#include "page_generator.h"
#include "raster/bi_color_raster_data.h"
#include "raster/fc_raster_data.h"

namespace {

// The A4 printable area of the full-page series at 300 dpi.
constexpr int kFcWidth = 2400;
constexpr int kFcHeight = 3300;
// A 62 mm two-colour label, 696 dots across, 1500 lines long.
constexpr int kLabelWidth = 696;
constexpr int kLabelHeight = 1500;

PrinterStatus& status() {
    static PrinterStatus instance;
    return instance;
}

// The synthetic grey page as a packed one-bit image (dots where the grey is below 128).
std::vector<unsigned char> oneBitPage(int width, int height) {
    const std::vector<unsigned char> grey = bench::makeGreyPage(width, height);
    const int rowBytes = (width + 7) / 8;
    std::vector<unsigned char> packed(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (grey[static_cast<size_t>(y) * width + x] < 128) {
                packed[static_cast<size_t>(y) * rowBytes + x / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    return packed;
}

void BM_FullPageBody(benchmark::State& state) {
    static const std::vector<unsigned char> page = oneBitPage(kFcWidth, kFcHeight);
    RasterPrintOption option;
    option.mode9 = false;
    PrinterSpec spec;
    spec.headDots = 2464;
    spec.invalidateLength = 700;
    Paper paper;
    paper.printableWidthDots = kFcWidth;
    paper.printableLengthDots = kFcHeight;
    FCRasterData raster(option, spec, paper, status());
    raster.leftMargin = 32;
    std::vector<unsigned char> image = page;
    for (auto _ : state) {
        raster.convertBitmapToTiff(image.data(), kFcWidth, kFcHeight);
        benchmark::DoNotOptimize(raster.pageData);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_FullPageBody)->Unit(benchmark::kMillisecond);

// The two-colour label: red and black areas over the synthetic page's gradients.
std::vector<unsigned char> twoColorLabel() {
    std::vector<unsigned char> rgb = bench::makeRgbPage(kLabelWidth, kLabelHeight);
    for (int y = 0; y < kLabelHeight; ++y) {
        for (int x = 0; x < kLabelWidth; ++x) {
            if ((x / 64 + y / 64) % 3 == 0) {
                unsigned char* p = &rgb[(static_cast<size_t>(y) * kLabelWidth + x) * 3];
                p[1] = static_cast<unsigned char>(p[1] / 4);  // keep red, drop green and blue
                p[2] = static_cast<unsigned char>(p[2] / 4);
            }
        }
    }
    return rgb;
}

struct LabelJob {
    RasterPrintOption option;
    PrinterSpec spec;
    Paper paper;
    explicit LabelJob(int halftone) {
        option.halftone = halftone;
        spec.headDots = 720;
        spec.compression = 1;
        paper.printableWidthDots = kLabelWidth;
        paper.printableLengthDots = kLabelHeight;
        paper.isTwoColor = true;
    }
};

// Separation into planes, by threshold (1), dither (2) or error diffusion (3).
void BM_TwoColorPlanes(benchmark::State& state) {
    static std::vector<unsigned char> label = twoColorLabel();
    LabelJob job(static_cast<int>(state.range(0)));
    BiColorRasterData raster(job.option, job.spec, job.paper, status());
    BitmapData bitmap;
    bitmap.bitmapWidth = kLabelWidth;
    bitmap.bitmapHeight = kLabelHeight;
    bitmap.pixels = label.data();
    bitmap.isColor = true;
    for (auto _ : state) {
        int width = kLabelWidth;
        int height = kLabelHeight;
        unsigned char** planes = nullptr;
        if (!raster.makeOneBitBitmapFromColor(bitmap, planes, 1.0, width, height)) {
            state.SkipWithError("conversion failed");
            return;
        }
        benchmark::DoNotOptimize(planes[0]);
        delete[] planes[0];
        delete[] planes[1];
        delete[] planes;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLabelWidth * kLabelHeight);
}
BENCHMARK(BM_TwoColorPlanes)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The run-length two-colour body of the separated label.
void BM_TwoColorBody(benchmark::State& state) {
    static std::vector<unsigned char> label = twoColorLabel();
    LabelJob job(1);
    BiColorRasterData raster(job.option, job.spec, job.paper, status());
    BitmapData bitmap;
    bitmap.bitmapWidth = kLabelWidth;
    bitmap.bitmapHeight = kLabelHeight;
    bitmap.pixels = label.data();
    bitmap.isColor = true;
    int width = kLabelWidth;
    int height = kLabelHeight;
    unsigned char** planes = nullptr;
    if (!raster.makeOneBitBitmapFromColor(bitmap, planes, 1.0, width, height)) {
        state.SkipWithError("conversion failed");
        return;
    }
    raster.leftMargin = 12;
    for (auto _ : state) {
        raster.convertBitmapToRasterPrnData(planes, width, height);
        benchmark::DoNotOptimize(raster.pageData);
    }
    delete[] planes[0];
    delete[] planes[1];
    delete[] planes;
}
BENCHMARK(BM_TwoColorBody)->Unit(benchmark::kMillisecond);

}  // namespace
