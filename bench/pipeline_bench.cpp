// The stages of the page pipeline after halftoning, on the standard pages, and the whole
// save-to-file job (RasterPrint::createPrintData) per series:
//   packing            grey page a (halftoned) into rows of bits
//   resize             page a fitted to the printable area of an A4 sheet
//   run-length lines   page b's one-bit image into a run-length label body
//   Mode 9 lines       page a's one-bit image into a Mode 9 body
//   full-page stream   page a's one-bit image into the full-page series stream
//   two-colour         page c separated into two planes (per halftone method), and the
//                      planes into the two-colour line stream
//   createPrintData    each standard job from its pixel file to a print file

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "catalogue/port.h"
#include "connection/printer_status.h"
#include "page_generator.h"
#include "raster/bi_color_raster_data.h"
#include "raster/fc_raster_data.h"
#include "raster/halftone.h"
#include "raster/raster_data.h"
#include "raster/raster_print.h"
#include "standard_pages.h"

namespace {

// A temporary file, removed at exit.
class TempFile {
  public:
    explicit TempFile(const char* stem) {
        std::string pattern = std::string("/tmp/lumeko_bench_") + stem + "_XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = mkstemp(name.data());
        if (fd >= 0) {
            close(fd);
            path_ = name.data();
        }
    }
    ~TempFile() {
        if (!path_.empty()) {
            std::remove(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The job's raster data object after the one-bit image and the page geometry, as the
// pipeline leaves it just before the page body; image is the packed one-bit image.
struct PreparedPage {
    bench::StandardJob job;
    PrinterSpec spec;
    Paper paper;
    std::unique_ptr<RasterData> raster;
    std::vector<unsigned char> rgb;
    unsigned char* image = nullptr;
    int width = 0;
    int height = 0;
    bool ok = false;

    PreparedPage() = default;
    PreparedPage(const PreparedPage&) = delete;
    PreparedPage& operator=(const PreparedPage&) = delete;
    ~PreparedPage() { delete[] image; }
};

// Builds the raster data object of a job the way the print job does (full-page series,
// else the plain one) and runs the pipeline up to the page body.
std::unique_ptr<PreparedPage> preparePage(const std::string& name, bool mode9) {
    auto p = std::unique_ptr<PreparedPage>(new PreparedPage());
    if (!bench::standardJob(name, 3, p->job)) {
        return p;
    }
    p->job.option.mode9 = mode9;
    p->spec = bench::specOf(p->job.model);
    p->paper = bench::paperOf(p->job);
    p->rgb = bench::pictureOf(p->job);
    PrinterStatus status;
    if (p->spec.seriesId == 1) {
        p->raster.reset(new FCRasterData(p->job.option, p->spec, p->paper, status));
    } else {
        p->raster.reset(new RasterData(p->job.option, p->spec, p->paper, status));
    }
    PrinterStatus::error_code_ = 1;
    BitmapData bitmap = bench::bitmapOfPixels(p->rgb.data(), p->job.width, p->job.height);
    const double scale = p->raster->getScale(p->job.width, p->job.height);
    p->width = static_cast<int>(p->job.width * scale + 0.5);
    p->height = static_cast<int>(p->job.height * scale + 0.5);
    p->ok = p->raster->makeOneBitBitmapFromColor(bitmap, p->image, scale, p->width, p->height) &&
            p->raster->preCreateRasterDataFromOneBitmap(p->width, p->height, 1);
    return p;
}

const PreparedPage& preparedPage(const std::string& name, bool mode9) {
    static std::unique_ptr<PreparedPage> a = preparePage("a", false);
    static std::unique_ptr<PreparedPage> a9 = preparePage("a9", true);
    static std::unique_ptr<PreparedPage> b = preparePage("b", false);
    if (name == "b") {
        return *b;
    }
    return mode9 ? *a9 : *a;
}

void pageBody(benchmark::State& state, const std::string& name, bool mode9) {
    const PreparedPage& page = preparedPage(name, mode9);
    if (!page.ok) {
        state.SkipWithError("the page could not be prepared");
        return;
    }
    for (auto _ : state) {
        if (!page.raster->convertBitmapToRaster(page.image, page.width, page.height, true)) {
            state.SkipWithError("no page body");
            break;
        }
        benchmark::DoNotOptimize(page.raster->pageData);
    }
    state.counters["body_bytes"] = page.raster->pageDataLength;
}

void BM_Packing(benchmark::State& state) {
    std::vector<unsigned char> grey = bench::makeGreyPage();
    HalfTone().fillErrorDiffusionProc(bench::kPageWidth, bench::kPageHeight, grey.data());
    RasterData raster;
    unsigned char* in = grey.data();
    for (auto _ : state) {
        unsigned char* out = nullptr;
        const int n = raster.getOneBitBitmap(bench::kPageWidth, bench::kPageHeight, in, 0, out);
        benchmark::DoNotOptimize(n);
        delete[] out;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(grey.size()));
}

void BM_ResizeFitPage(benchmark::State& state) {
    const PreparedPage& page = preparedPage("a", false);
    std::vector<unsigned char> grey = bench::makeGreyPage();
    const double scale = page.raster->getScale(bench::kPageWidth, bench::kPageHeight);
    unsigned char* in = grey.data();
    for (auto _ : state) {
        unsigned char* out = nullptr;
        page.raster->resize(in, out, bench::kPageWidth, bench::kPageHeight, page.width, page.height,
                            scale, scale);
        benchmark::DoNotOptimize(out);
        delete[] out;
    }
}

void BM_RunLengthLines(benchmark::State& state) {
    pageBody(state, "b", false);
}
void BM_Mode9Lines(benchmark::State& state) {
    pageBody(state, "a", true);
}
void BM_FullPageStream(benchmark::State& state) {
    pageBody(state, "a", false);
}

// Page c: the colour pixels separated into the two planes (range: halftone method).
void BM_TwoColourSeparation(benchmark::State& state) {
    bench::StandardJob job;
    bench::standardJob("c", static_cast<int>(state.range(0)), job);
    PrinterSpec spec = bench::specOf(job.model);
    Paper paper = bench::paperOf(job);
    std::vector<unsigned char> rgb = bench::pictureOf(job);
    PrinterStatus status;
    BiColorRasterData raster(job.option, spec, paper, status);
    for (auto _ : state) {
        BitmapData bitmap = bench::bitmapOfPixels(rgb.data(), job.width, job.height);
        unsigned char** planes = nullptr;
        int w = job.width;
        int h = job.height;
        if (!raster.makeOneBitBitmapFromColor(bitmap, planes, 1.0, w, h)) {
            state.SkipWithError("separation failed");
            break;
        }
        delete[] planes[0];
        delete[] planes[1];
        delete[] planes;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rgb.size()));
}

void BM_TwoColourLines(benchmark::State& state) {
    bench::StandardJob job;
    bench::standardJob("c", 3, job);
    PrinterSpec spec = bench::specOf(job.model);
    Paper paper = bench::paperOf(job);
    std::vector<unsigned char> rgb = bench::pictureOf(job);
    PrinterStatus status;
    BiColorRasterData raster(job.option, spec, paper, status);
    BitmapData bitmap = bench::bitmapOfPixels(rgb.data(), job.width, job.height);
    unsigned char** planes = nullptr;
    int w = job.width;
    int h = job.height;
    PrinterStatus::error_code_ = 1;
    if (!raster.makeOneBitBitmapFromColor(bitmap, planes, 1.0, w, h) ||
        !raster.preCreateRasterDataFromOneBitmap(w, h, 1)) {
        state.SkipWithError("the page could not be prepared");
        return;
    }
    for (auto _ : state) {
        if (!raster.convertBitmapToRasterPrnData(planes, w, h)) {
            state.SkipWithError("no page body");
            break;
        }
        benchmark::DoNotOptimize(raster.pageData);
    }
    state.counters["body_bytes"] = raster.pageDataLength;
    delete[] planes[0];
    delete[] planes[1];
    delete[] planes;
}

// The whole save-to-file job of a standard job, from its pixel file (range: job index).
void BM_CreatePrintData(benchmark::State& state) {
    const std::string name = bench::standardJobNames()[static_cast<size_t>(state.range(0))];
    bench::StandardJob job;
    bench::standardJob(name, 3, job);
    const TempFile pixels("pixels");
    const TempFile print("print");
    if (pixels.path().empty() || print.path().empty() ||
        !bench::writeBytes(pixels.path(), bench::pictureOf(job))) {
        state.SkipWithError("cannot write the pixel file");
        return;
    }
    job.option.savePrnPath = print.path();
    for (auto _ : state) {
        RasterPrint job_(static_cast<Port>(1), nullptr, job.model, job.option);
        BitmapData bitmap = bench::bitmapOfFile(pixels.path(), job.width, job.height);
        if (!job_.createPrintData(bitmap, 0, 1)) {
            state.SkipWithError("createPrintData failed");
            break;
        }
    }
    state.SetLabel(name + ": " + job.title);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * job.width * job.height * 3);
}

BENCHMARK(BM_Packing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeFitPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLengthLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mode9Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullPageStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoColourSeparation)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoColourLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreatePrintData)
    ->DenseRange(0, static_cast<int>(bench::standardJobNames().size()) - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
