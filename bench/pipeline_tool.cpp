// The command-line side of the benchmarks, used by bench/compare-peers:
//   lumeko_pipeline picture <job> <file> [ppm]
//       writes the standard picture of a job as a pixel file (3 bytes R, G, B per pixel),
//       or with "ppm" as a binary PPM of the same pixels for other tools;
//   lumeko_pipeline print <job> <pixel file> <print file> [halftone]
//       runs the job through RasterPrint::createPrintData (halftone 3, error diffusion, by
//       default) and prints "heap_peak_bytes <n>" and "max_rss_kib <n>".
// Jobs: see standard_pages.h.

#include <malloc.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "catalogue/port.h"
#include "connection/printer_status.h"
#include "raster/raster_print.h"
#include "standard_pages.h"

// ---- a counting allocator: every operator new of the process is measured ----
namespace {

std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void* countedAlloc(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        return nullptr;
    }
    const long long now = g_live.fetch_add(static_cast<long long>(malloc_usable_size(p))) +
                          static_cast<long long>(malloc_usable_size(p));
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void countedFree(void* p) {
    if (p != nullptr) {
        g_live.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
        std::free(p);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    void* p = countedAlloc(size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAlloc(size);
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    countedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    countedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    countedFree(p);
}

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: lumeko_pipeline picture <job> <file> [ppm]\n"
                 "       lumeko_pipeline print <job> <pixel file> <print file> [halftone]\n"
                 "jobs:");
    for (const std::string& name : bench::standardJobNames()) {
        std::fprintf(stderr, " %s", name.c_str());
    }
    std::fprintf(stderr, "\n");
    return 2;
}

int picture(const std::string& name, const std::string& path, bool ppm) {
    bench::StandardJob job;
    if (!bench::standardJob(name, 3, job)) {
        return usage();
    }
    const std::string header =
        ppm ? "P6\n" + std::to_string(job.width) + " " + std::to_string(job.height) + "\n255\n"
            : std::string();
    if (!bench::writeBytes(path, bench::pictureOf(job), header)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s %d %d\n", job.name.c_str(), job.width, job.height);
    return 0;
}

int print(const std::string& name, const std::string& in, const std::string& out, int halftone) {
    bench::StandardJob job;
    if (!bench::standardJob(name, halftone, job)) {
        return usage();
    }
    g_peak.store(g_live.load());
    const long long before = g_live.load();
    bool ok = false;
    {
        job.option.savePrnPath = out;
        RasterPrint print(static_cast<Port>(1), nullptr, job.model, job.option);
        BitmapData bitmap = bench::bitmapOfFile(in, job.width, job.height);
        ok = print.createPrintData(bitmap, 0, 1);
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("heap_peak_bytes %lld\n", g_peak.load() - before);
    std::printf("max_rss_kib %ld\n", usage.ru_maxrss);
    if (!ok) {
        std::fprintf(stderr, "createPrintData failed: error code %d\n",
                     static_cast<int>(PrinterStatus::error_code_));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "picture") {
        return picture(argv[2], argv[3], argc >= 5 && std::string(argv[4]) == "ppm");
    }
    if (argc >= 5 && std::string(argv[1]) == "print") {
        return print(argv[2], argv[3], argv[4], argc >= 6 ? std::atoi(argv[5]) : 3);
    }
    return usage();
}
