// Grey conversion of a full synthetic page, from a pixel file and from pixels in memory.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "page_generator.h"
#include "raster/raster_data.h"

namespace {

// The page written once as a pixel file of 3-byte R, G, B pixels; removed at exit.
class PixelFile {
  public:
    PixelFile() {
        char name[] = "/tmp/lumeko_bench_page_XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) {
            return;
        }
        close(fd);
        path_ = name;
        const auto page = bench::makeRgbPage();
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(page.data()),
                  static_cast<std::streamsize>(page.size()));
        if (!out) {
            std::remove(path_.c_str());
            path_.clear();
        }
    }
    ~PixelFile() {
        if (!path_.empty()) {
            std::remove(path_.c_str());
        }
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

constexpr int64_t kPixels = int64_t{bench::kPageWidth} * bench::kPageHeight;

void BM_GreyConversionFromFile(benchmark::State& state) {
    static const PixelFile file;
    if (file.path().empty()) {
        state.SkipWithError("cannot write the pixel file");
        return;
    }
    RasterData raster;
    std::vector<unsigned char> grey(static_cast<size_t>(kPixels));
    unsigned char* out = grey.data();
    for (auto _ : state) {
        const bool ok = raster.convertColorToGrayImage(out, bench::kPageWidth, bench::kPageHeight,
                                                       file.path(), 0);
        if (!ok) {
            state.SkipWithError("grey conversion failed");
            break;
        }
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPixels * 3);
}

void BM_GreyConversionFromPixels(benchmark::State& state) {
    static std::vector<unsigned char> rgb = bench::makeRgbPage();
    RasterData raster;
    std::vector<unsigned char> grey(static_cast<size_t>(kPixels));
    unsigned char* out = grey.data();
    for (auto _ : state) {
        const bool ok = raster.convertColorToGrayImage(out, bench::kPageWidth, bench::kPageHeight,
                                                       rgb.data(), 0);
        if (!ok) {
            state.SkipWithError("grey conversion failed");
            break;
        }
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPixels * 3);
}

BENCHMARK(BM_GreyConversionFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyConversionFromPixels)->Unit(benchmark::kMillisecond);

}  // namespace
