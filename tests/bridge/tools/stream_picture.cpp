// Turns a raster job stream (the bytes a printer received, or a print file) into pictures:
//   lumeko_stream_picture MODEL PAPER_ID STREAM OUT_PREFIX [--dots]
// walks the stream for the model and paper (default print options otherwise, no Mode 9),
// writes each page as OUT_PREFIX-<n>.png (one pixel per dot, with the page preview and PNG
// file code of the C++ example) and, with --dots, as OUT_PREFIX-<n>.dots (one text line per head
// line, '1' for a black dot and '0' for none), and prints one line per page:
//   page <n> lines <rows> dots <black dots> box <x0> <y0> <x1> <y1>
// (the box of the black dots, -1 when there is none). Exit code 1 when the stream cannot be
// walked.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"
#include "support/png/png_file.h"
#include "support/raster_stream/dot_lines.h"
#include "support/raster_stream/job_layout.h"
#include "support/raster_stream/job_stream_walker.h"
#include "support/raster_stream/page_preview.h"

namespace {

// The lines as text: one line per head line, '1' for a black dot and '0' for none.
bool writeDots(const std::string& path, const raster_stream::DotRows& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::vector<unsigned char>& line : lines) {
        std::string row(line.size() * 8, '0');
        for (size_t x = 0; x < row.size(); ++x) {
            row[x] = raster_stream::dotAt(line, x) ? '1' : '0';
        }
        out << row << '\n';
    }
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    const bool dotFiles = argc == 6 && std::string(argv[5]) == "--dots";
    if (argc != 5 && !dotFiles) {
        std::fprintf(stderr, "usage: %s MODEL PAPER_ID STREAM OUT_PREFIX [--dots]\n", argv[0]);
        return 2;
    }
    const auto model = static_cast<Model>(std::atoi(argv[1]));
    const int paperId = std::atoi(argv[2]);
    std::ifstream in(argv[3], std::ios::binary);
    const std::vector<unsigned char> stream((std::istreambuf_iterator<char>(in)),
                                            std::istreambuf_iterator<char>());

    BasePrinter printer(model);
    const PrinterSpec spec = printer.getPrinterSpec();
    RasterPrintOption options;
    Paper paper;
    for (const Paper& p : printer.getPaperList(options)) {
        if (p.paperId == paperId) {
            paper = p;
        }
    }
    const raster_stream::JobLayout layout = raster_stream::layoutFor(spec, paper, options, false);
    raster_stream::JobStream job;
    std::string error;
    if (!raster_stream::walkJob(stream, layout, job, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const int width = layout.lineBytes * 8;
    int n = 0;
    for (const raster_stream::JobCall& call : job.calls) {
        for (const raster_stream::JobPage& page : call.pages) {
            long dots = 0;
            long x0 = -1, y0 = -1, x1 = -1, y1 = -1;
            for (size_t y = 0; y < page.lines.size(); ++y) {
                for (size_t x = 0; x < page.lines[y].size() * 8; ++x) {
                    if (raster_stream::dotAt(page.lines[y], x)) {
                        ++dots;
                        x0 = x0 < 0 || static_cast<long>(x) < x0 ? static_cast<long>(x) : x0;
                        x1 = static_cast<long>(x) > x1 ? static_cast<long>(x) : x1;
                        y0 = y0 < 0 ? static_cast<long>(y) : y0;
                        y1 = static_cast<long>(y);
                    }
                }
            }
            const std::string path = std::string(argv[4]) + "-" + std::to_string(n) + ".png";
            const raster_stream::PagePicture picture =
                raster_stream::pictureOf(page, static_cast<size_t>(width));
            if (!png_file::writeRgb(path, picture.width, picture.height, picture.rgb)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            const std::string dotsPath = std::string(argv[4]) + "-" + std::to_string(n) + ".dots";
            if (dotFiles && !writeDots(dotsPath, page.lines)) {
                std::fprintf(stderr, "cannot write %s\n", dotsPath.c_str());
                return 1;
            }
            std::printf("page %d lines %zu dots %ld box %ld %ld %ld %ld\n", n, page.lines.size(),
                        dots, x0, y0, x1, y1);
            ++n;
        }
    }
    return 0;
}
