#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"
#include "transfer/stage_result.h"

namespace tl {
namespace database {

// Builds the header and the native data of a database file from a decoded table. Both come
// from one build of the native data (made at the first request and kept), so the header's
// checksum, size and time describe exactly the native data returned.
class KD3DataGenerator {
  public:
    enum ERROR : int {
        ERROR_NONE = 0,
        ERROR_NO_ROWS = 1,         // the table has no row
        ERROR_NO_NAME = 2,         // the name is empty
        ERROR_NO_NATIVE_DATA = 3,  // no native data could be built
    };
    enum WARNING : int {
        WARNING_NONE = 0,
    };

    KD3DataGenerator(std::string databaseName, Rows table, Parameters::MODEL printerModel,
                     Parameters::COUNTRY printerCountry);
    virtual ~KD3DataGenerator() = default;

    // The 128 header bytes, or an error without bytes (2, then 1, then 3).
    StageResult getKD3Header();
    // The native data, or an error without bytes (2, then 1, then 3).
    StageResult getKD3NativeData();

  private:
    // Tests name and table and builds the native data once; the error of the build.
    ERROR build();

    std::string name;
    Rows rows;
    Parameters::MODEL model;
    Parameters::COUNTRY country;
    bool built = false;
    ERROR buildError = ERROR_NONE;
    std::vector<unsigned char> nativeData;
};

}  // namespace database
}  // namespace tl
