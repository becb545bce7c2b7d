#include "transfer/kd3_model_parameters.h"

namespace tl {
namespace database {

KD3ModelParameters::MODEL_PARAMETERS KD3ModelParameters::getKD3ModelParameters(
    Parameters::MODEL model) {
    MODEL_PARAMETERS parameters;
    if (model == Parameters::MODEL_KX_C270W) {
        parameters.recordTerminator = {0x21, 0x18};
        parameters.fieldSeparator = 0x09;
        parameters.unicodeNameSizePlacement = 1;
        parameters.unicodeNameTextPlacement = 1;
        parameters.localCodeNameSizePlacement = 1;
        parameters.localCodeNameTextPlacement = 1;
    } else {
        parameters.recordTerminator = {0x00, 0x00};
    }
    return parameters;
}

KD3ModelParameters::STATUS_CODE KD3ModelParameters::getSeriesCodeAndModelCode(
    Parameters::MODEL model) {
    STATUS_CODE code;
    if (model == Parameters::MODEL_KX_C270W) {
        code.seriesCode = 0x30;  // '0'
        code.modelCode = 0x66;   // 'f'
    }
    return code;
}

unsigned char KD3ModelParameters::getCountryCode(Parameters::COUNTRY country) {
    if (country >= Parameters::COUNTRY_0 && country <= Parameters::COUNTRY_8) {
        return static_cast<unsigned char>('0' + static_cast<int>(country));
    }
    return 0x00;
}

std::vector<unsigned char> KD3ModelParameters::getCodePage(Parameters::COUNTRY country) {
    if (country == Parameters::COUNTRY_0) {
        return {0xE4, 0x04};  // 1252
    }
    return {0x00, 0x00};
}

}  // namespace database
}  // namespace tl
