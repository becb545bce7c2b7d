#include "transfer/kd3_database_name_in_unicode.h"

#include "transfer/kd3_data_calculator.h"

namespace tl {
namespace database {

KD3DatabaseNameInUnicode::DATABASE_NAME
KD3DatabaseNameInUnicode::getDatabaseNameAndSizeEncodeingUnicode(const std::string& name,
                                                                 Parameters::MODEL model,
                                                                 Parameters::COUNTRY country) {
    DATABASE_NAME result;
    KD3DataCalculator calculator;
    if (model == Parameters::MODEL_KX_C270W) {
        result.name = CSVdataToKD3data_KXC270W(name, country);
        if (result.name.size() <= 0xFFFF) {
            result.size =
                calculator.convertFrom16bitTo8bit_x2(static_cast<uint16_t>(result.name.size()));
            return result;
        }
        result.name.clear();  // a size the 16-bit field cannot hold: no name
        return result;
    }
    result.size = calculator.convertFrom16bitTo8bit_x2(0);
    return result;
}

std::vector<unsigned char> KD3DatabaseNameInUnicode::CSVdataToKD3data_KXC270W(
    const std::string& name, Parameters::COUNTRY /*country*/) {
    return CSVdataToKD3data_Default(name);
}

std::vector<unsigned char> KD3DatabaseNameInUnicode::CSVdataToKD3data_Default(
    const std::string& name) {
    std::vector<unsigned char> encoded;
    encoded.reserve(name.size() * 2);
    for (char c : name) {
        encoded.push_back(static_cast<unsigned char>(c));
        encoded.push_back(0x00);
    }
    return encoded;
}

}  // namespace database
}  // namespace tl
