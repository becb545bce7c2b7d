#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "scratch_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    } else {
        ADD_FAILURE() << "no scratch directory below " << ::testing::TempDir();
    }
}

ScratchDir::~ScratchDir() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

std::string ScratchDir::write(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string file = path_ + "/" + name;
    std::FILE* f = std::fopen(file.c_str(), "wb");
    EXPECT_NE(f, nullptr) << file;
    if (f != nullptr) {
        if (!bytes.empty()) {
            EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size()) << file;
        }
        EXPECT_EQ(std::fclose(f), 0) << file;
    }
    return file;
}
