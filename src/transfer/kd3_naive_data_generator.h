#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The native data of a database file: name sizes, code page, row and column counts, the
// time of generation, the name in its two forms, the records, and one 00 to make the length
// even.
class KD3NaiveDataGenerator {
  public:
    virtual ~KD3NaiveDataGenerator() = default;

    // No bytes for an empty name, a table without records (another model or country, or
    // counts the 16-bit fields cannot hold), a name whose forms cannot be sized, or data
    // whose length does not fit the 32-bit size field.
    std::vector<unsigned char> getNativeData(const Rows& rows, const std::string& name,
                                             Parameters::MODEL model, Parameters::COUNTRY country);
};

}  // namespace database
}  // namespace tl
