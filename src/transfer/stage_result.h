#pragma once

#include <vector>

namespace tl {
namespace database {

// What one stage of the database pipeline gives: its bytes (empty on an error) with an error
// code and a warning code (0 = none).
struct StageResult {
    virtual ~StageResult() = default;

    std::vector<unsigned char> bytes;
    int error = 0;
    int warning = 0;
};

}  // namespace database
}  // namespace tl
