#include "transfer/kd3_database_name_in_local_code.h"

#include "transfer/kd3_database_name.h"

namespace tl {
namespace database {

KD3DatabaseNameInLocalCode::DATABASE_NAME
KD3DatabaseNameInLocalCode::getDatabaseNameAndSizeEncodeingLocalCode(const std::string& name,
                                                                     Parameters::MODEL model,
                                                                     Parameters::COUNTRY country) {
    return databaseNameFor<DATABASE_NAME>(
        model, [&]() { return CSVdataToKD3data_KXC270W(name, country); });
}

std::vector<unsigned char> KD3DatabaseNameInLocalCode::CSVdataToKD3data_KXC270W(
    const std::string& name, Parameters::COUNTRY country) {
    if (country != Parameters::COUNTRY_0) {
        return {};
    }
    return CSVdataToKD3dataOnTextCode_0x19(name);
}

std::vector<unsigned char> KD3DatabaseNameInLocalCode::CSVdataToKD3dataOnTextCode_0x19(
    const std::string& name) {
    return widenName(name, 0x19);
}

}  // namespace database
}  // namespace tl
