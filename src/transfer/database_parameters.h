#pragma once

#include <string>
#include <vector>

namespace tl {
namespace database {

// A decoded CSV table: the field-name row first, then the records, every row holding the
// same number of cells.
using Rows = std::vector<std::vector<std::string>>;

// The enumerations shared by the database file builder and the package wrapper.
class Parameters {
  public:
    virtual ~Parameters() = default;

    // The printer a database is built for; only one model has database tables.
    enum MODEL : int {
        MODEL_KX_C270W = 1,
        MODEL_NOT_SUPPORTED = -1,
    };

    // The country of a database; 0 is the only one with a code page (1252), values above 8
    // have no country code.
    enum COUNTRY : int {
        COUNTRY_0 = 0,
        COUNTRY_1 = 1,
        COUNTRY_2 = 2,
        COUNTRY_3 = 3,
        COUNTRY_4 = 4,
        COUNTRY_5 = 5,
        COUNTRY_6 = 6,
        COUNTRY_7 = 7,
        COUNTRY_8 = 8,
    };
};

}  // namespace database
}  // namespace tl
