#include "transfer/kd3_database_name_in_unicode.h"

#include "transfer/kd3_database_name.h"

namespace tl {
namespace database {

KD3DatabaseNameInUnicode::DATABASE_NAME
KD3DatabaseNameInUnicode::getDatabaseNameAndSizeEncodeingUnicode(const std::string& name,
                                                                 Parameters::MODEL model,
                                                                 Parameters::COUNTRY country) {
    return databaseNameFor<DATABASE_NAME>(
        model, [&]() { return CSVdataToKD3data_KXC270W(name, country); });
}

std::vector<unsigned char> KD3DatabaseNameInUnicode::CSVdataToKD3data_KXC270W(
    const std::string& name, Parameters::COUNTRY /*country*/) {
    return CSVdataToKD3data_Default(name);
}

std::vector<unsigned char> KD3DatabaseNameInUnicode::CSVdataToKD3data_Default(
    const std::string& name) {
    return widenName(name, 0x00);
}

}  // namespace database
}  // namespace tl
