// Each halftone method of both engines on a full synthetic page.

#include <cstring>
#include <functional>
#include <vector>

#include <benchmark/benchmark.h>

#include "page_generator.h"
#include "raster/halftone.h"
#include "raster/halftone_legacy.h"

namespace {

const std::vector<unsigned char>& greyPage() {
    static const std::vector<unsigned char> page = bench::makeGreyPage();
    return page;
}

// Halftones a fresh copy of the page per iteration; the copy is not timed.
void runOnPage(benchmark::State& state, HalfToneInterface& engine,
               const std::function<void(HalfToneInterface&, int, int, unsigned char*)>& method) {
    const auto& page = greyPage();
    std::vector<unsigned char> work(page.size());
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(work.data(), page.data(), page.size());
        state.ResumeTiming();
        method(engine, bench::kPageWidth, bench::kPageHeight, work.data());
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}

void threshold(HalfToneInterface& e, int w, int h, unsigned char* b) {
    e.fillThresholdProc(w, h, b, 128);
}
void dither(HalfToneInterface& e, int w, int h, unsigned char* b) {
    e.fillBayerPatternProc(w, h, b);
}
void errorDiffusion(HalfToneInterface& e, int w, int h, unsigned char* b) {
    e.fillErrorDiffusionProc(w, h, b);
}

void BM_HalfToneThreshold(benchmark::State& state) {
    HalfTone engine;
    runOnPage(state, engine, threshold);
}
void BM_HalfToneDither(benchmark::State& state) {
    HalfTone engine;
    runOnPage(state, engine, dither);
}
void BM_HalfToneErrorDiffusion(benchmark::State& state) {
    HalfTone engine;
    runOnPage(state, engine, errorDiffusion);
}
void BM_HalfToneLegacyThreshold(benchmark::State& state) {
    HalfToneLegacy engine;
    runOnPage(state, engine, threshold);
}
void BM_HalfToneLegacyDither(benchmark::State& state) {
    HalfToneLegacy engine;
    runOnPage(state, engine, dither);
}
void BM_HalfToneLegacyErrorDiffusion(benchmark::State& state) {
    HalfToneLegacy engine;
    runOnPage(state, engine, errorDiffusion);
}

BENCHMARK(BM_HalfToneThreshold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfToneDither)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfToneErrorDiffusion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfToneLegacyThreshold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfToneLegacyDither)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfToneLegacyErrorDiffusion)->Unit(benchmark::kMillisecond);

}  // namespace
