#pragma once

#include <string>

#include "transfer/database_parameters.h"
#include "transfer/stage_result.h"

namespace tl {
namespace database {

// The database pipeline: CSV file, decoded table, database file, package.
class Generator {
  public:
    // The separator of the CSV file.
    enum DELIMITER : int {
        DELIMITER_COMMA = 1,  // 2C
        DELIMITER_TAB = 2,    // 09
    };

    virtual ~Generator() = default;

    // The package of the CSV file at csvPath, with the pipeline's error and warning codes
    // (see Issue) of the last stage that ran; no bytes unless the error is 0. The pipeline
    // never touches the printer status.
    StageResult convertCSVToTLF(std::string name, std::string csvPath, DELIMITER delimiter,
                                Parameters::MODEL model, Parameters::COUNTRY country,
                                bool hasFieldName);
};

}  // namespace database
}  // namespace tl
