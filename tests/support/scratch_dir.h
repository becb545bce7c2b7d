#pragma once

#include <string>
#include <vector>

// A fresh directory below the test program's temporary directory for the files of one
// test; removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Writes `bytes` to the file `name` in the directory, replacing any file of that name,
    // and returns its path. A file that cannot be written fails the test.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes);
    // The directory, without a trailing separator; empty when it could not be made.
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};
