#pragma once

#include <string>
#include <vector>

#include "transfer/database_parameters.h"

namespace tl {
namespace database {

// The database name in its Unicode form: every byte of the name followed by 00 (a UTF-8
// name is widened byte by byte, not decoded).
class KD3DatabaseNameInUnicode {
  public:
    struct DATABASE_NAME {
        virtual ~DATABASE_NAME() = default;

        std::vector<unsigned char> size;  // byte length of name, 2 bytes little-endian
        std::vector<unsigned char> name;  // the encoded name
    };

    virtual ~KD3DatabaseNameInUnicode() = default;

    // For the model with database tables the encoded name and its size; for another model,
    // or a name whose encoded length does not fit the 16-bit size, no name and size 00 00.
    DATABASE_NAME getDatabaseNameAndSizeEncodeingUnicode(const std::string& name,
                                                         Parameters::MODEL model,
                                                         Parameters::COUNTRY country);
    std::vector<unsigned char> CSVdataToKD3data_KXC270W(const std::string& name,
                                                        Parameters::COUNTRY country);
    std::vector<unsigned char> CSVdataToKD3data_Default(const std::string& name);
};

}  // namespace database
}  // namespace tl
