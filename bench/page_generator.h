#pragma once

#include <vector>

// Synthetic pages for the benchmarks: smooth gradients with text-like edges on top, made in
// memory so that no binary file is kept in the repository. The same size and seed give the
// same bytes.
namespace bench {

// An A4 page at 300 dpi.
constexpr int kPageWidth = 2464;
constexpr int kPageHeight = 3508;

// width x height grey bytes (0 black .. 255 white).
std::vector<unsigned char> makeGreyPage(int width = kPageWidth, int height = kPageHeight);

// width x height pixels of 3 bytes R, G, B, as in a pixel file.
std::vector<unsigned char> makeRgbPage(int width = kPageWidth, int height = kPageHeight);

}  // namespace bench
