#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Small file helpers for the raster tests.
namespace raster_files {

inline std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + name;
}

inline std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(f)),
                                      std::istreambuf_iterator<char>());
}

inline void writeAll(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline bool haveTool(const char* tool) {
    const std::string cmd = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

// A binary PGM of a width x height grey image.
inline void writePgm(const std::string& path, const std::vector<unsigned char>& img, int w, int h) {
    std::ofstream f(path, std::ios::binary);
    f << "P5\n" << w << " " << h << "\n255\n";
    f.write(reinterpret_cast<const char*>(img.data()), static_cast<std::streamsize>(img.size()));
}

// The data of a binary PGM or PBM written by netpbm (no comments). For P4 `maxval` is not
// read and the data are the packed rows.
inline bool readNetpbm(const std::string& path, std::vector<unsigned char>& data, int& w, int& h) {
    std::ifstream f(path, std::ios::binary);
    std::string magic;
    if (!(f >> magic >> w >> h)) {
        return false;
    }
    size_t bytes = 0;
    if (magic == "P5") {
        int maxval = 0;
        if (!(f >> maxval)) {
            return false;
        }
        bytes = static_cast<size_t>(w) * h;
    } else if (magic == "P4") {
        bytes = static_cast<size_t>((w + 7) / 8) * h;
    } else {
        return false;
    }
    f.get();
    data.resize(bytes);
    f.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(bytes));
    return static_cast<size_t>(f.gcount()) == bytes;
}

}  // namespace raster_files
