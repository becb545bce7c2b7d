#pragma once

#include <string>
#include <vector>

#include "catalogue/model.h"
#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The entry of database sending: turns a CSV file into the package for one printer, or into
// nothing when any stage failed or warned.
class GeneratorWrapper {
  public:
    // The host-side country choice; every value means country 0.
    enum COUNTRY_CODE : int {
        COUNTRY_CODE_DEFAULT = 0,
    };
    // Whether the CSV file starts with a field-name line: 2 means it does not, any other
    // value that it does.
    enum FIELD_NAME : int {
        FIELD_NAME_EXISTS = 1,
        FIELD_NAME_NONE = 2,
    };

    virtual ~GeneratorWrapper() = default;

    // MODEL_KX_C270W for the one printer with database tables, MODEL_NOT_SUPPORTED otherwise.
    Parameters::MODEL getModel(Model printerModel);
    Parameters::COUNTRY getCountry(COUNTRY_CODE countryCode);
    bool isExistingFieldName(FIELD_NAME fieldName);

    // The package of the comma-separated file at csvPath for this printer; empty when
    // anything failed or warned.
    std::vector<unsigned char> convertFromCSVDataToTLFData(std::string name, std::string csvPath,
                                                           Model printerModel,
                                                           COUNTRY_CODE countryCode,
                                                           FIELD_NAME fieldName);
};

}  // namespace database
}  // namespace tl
