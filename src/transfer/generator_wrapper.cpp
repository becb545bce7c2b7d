#include "transfer/generator_wrapper.h"

#include <utility>

#include "transfer/database_generator.h"

namespace tl {
namespace database {

Parameters::MODEL GeneratorWrapper::getModel(Model printerModel) {
    return printerModel == KX_C270W ? Parameters::MODEL_KX_C270W : Parameters::MODEL_NOT_SUPPORTED;
}

Parameters::COUNTRY GeneratorWrapper::getCountry(COUNTRY_CODE /*countryCode*/) {
    return Parameters::COUNTRY_0;
}

bool GeneratorWrapper::isExistingFieldName(FIELD_NAME fieldName) {
    return fieldName != FIELD_NAME_NONE;
}

std::vector<unsigned char> GeneratorWrapper::convertFromCSVDataToTLFData(std::string name,
                                                                         std::string csvPath,
                                                                         Model printerModel,
                                                                         COUNTRY_CODE countryCode,
                                                                         FIELD_NAME fieldName) {
    StageResult result = Generator().convertCSVToTLF(
        std::move(name), std::move(csvPath), Generator::DELIMITER_COMMA, getModel(printerModel),
        getCountry(countryCode), isExistingFieldName(fieldName));
    if (result.error != 0 || result.warning != 0) {
        return {};
    }
    return std::move(result.bytes);
}

}  // namespace database
}  // namespace tl
