#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/paper.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "raster/bitmap_data.h"

// The standard pages of the benchmarks and of bench/compare-peers, each with the job that
// prints it: model, paper and print options as a host would set them.
//   a  the full-page series: an A4 picture of 2464 x 3508 pixels at 300 dpi, fitted to the
//      printable area of an A4 sheet;
//   b  a label 1 m long on the 62 mm continuous roll of a 720-dot head;
//   c  a two-colour (red and black) label of 696 x 11800 pixels on the 62 mm roll.
// One more job per label series (k, g, s, h) serves the per-series benchmarks.
namespace bench {

struct StandardJob {
    std::string name;  // "a", "b", "c", ...
    std::string title;
    Model model = NO_MODEL;
    int width = 0;   // pixels of the picture
    int height = 0;  // pixels of the picture
    RasterPrintOption option;
};

// The jobs above by name; false for an unknown name. halftone: 1 threshold, 2 ordered
// dither, 3 error diffusion.
bool standardJob(const std::string& name, int halftone, StandardJob& job);
// Every job name, pages a, b, c first.
const std::vector<std::string>& standardJobNames();

// The picture of a job: width x height pixels of 3 bytes R, G, B, as in a pixel file.
std::vector<unsigned char> pictureOf(const StandardJob& job);

// Writes bytes to path (replacing it); an optional text header goes first. False when the
// file cannot be written.
bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                const std::string& header = std::string());

// The bitmap of a print call for a pixel file, as the host bridge fills it.
BitmapData bitmapOfFile(const std::string& path, int width, int height);
// The same for pixels in memory (not owned).
BitmapData bitmapOfPixels(unsigned char* pixels, int width, int height);

// The decoded spec of a model, and a paper of its catalogue (or of the job's custom paper
// command) as the print job selects it.
PrinterSpec specOf(Model model);
Paper paperOf(const StandardJob& job);

}  // namespace bench
