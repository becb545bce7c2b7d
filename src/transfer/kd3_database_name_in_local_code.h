#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The database name in its local-code form: every byte of the name followed by 19.
class KD3DatabaseNameInLocalCode {
  public:
    struct DATABASE_NAME {
        virtual ~DATABASE_NAME() = default;

        std::vector<unsigned char> size;  // byte length of name, 2 bytes little-endian
        std::vector<unsigned char> name;  // the encoded name
    };

    virtual ~KD3DatabaseNameInLocalCode() = default;

    // For the model with database tables the encoded name and its size; for another model,
    // or a name whose encoded length does not fit the 16-bit size, no name and size 00 00.
    DATABASE_NAME getDatabaseNameAndSizeEncodeingLocalCode(const std::string& name,
                                                           Parameters::MODEL model,
                                                           Parameters::COUNTRY country);
    // No bytes for a country other than 0.
    std::vector<unsigned char> CSVdataToKD3data_KXC270W(const std::string& name,
                                                        Parameters::COUNTRY country);
    std::vector<unsigned char> CSVdataToKD3dataOnTextCode_0x19(const std::string& name);
};

}  // namespace database
}  // namespace tl
