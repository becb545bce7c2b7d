#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The 128-byte header of a database file; it has the layout of a transfer file header.
class KD3HeaderGenerator {
  public:
    static constexpr size_t kHeaderLength = 128;

    virtual ~KD3HeaderGenerator() = default;

    // The header describing nativeData; no bytes when the model has no series and model
    // code, the country no country code, or the size or the name field comes out empty.
    std::vector<unsigned char> getHeader(const std::vector<unsigned char>& nativeData,
                                         const std::string& name, Parameters::MODEL model,
                                         Parameters::COUNTRY country);
};

}  // namespace database
}  // namespace tl
