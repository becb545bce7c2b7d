// Gives every test program its own temporary directory. ctest runs test programs side by
// side, and many tests write files under ::testing::TempDir() with fixed names; a private
// directory per process keeps them from overwriting each other's files.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

class TempDirEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumeko_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;  // keep the shared default
        }
        dir_ = pattern;
        setenv("TEST_TMPDIR", dir_.c_str(), 1);
    }

    void TearDown() override {
        if (dir_.empty()) {
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        unsetenv("TEST_TMPDIR");
    }

  private:
    std::string dir_;
};

[[maybe_unused]] const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new TempDirEnvironment());
    return true;
}();

}  // namespace
