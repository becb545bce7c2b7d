#include "transfer/tlf_model_parameters.h"

namespace tl {
namespace database {

std::vector<unsigned char> TLFModelParameters::getModelName(Parameters::MODEL model) {
    if (model == Parameters::MODEL_KX_C270W) {
        return convertFromStringToVector("KX-C270W");
    }
    return {};
}

std::vector<unsigned char> TLFModelParameters::convertFromStringToVector(const std::string& text) {
    std::vector<unsigned char> bytes;
    if (text.empty()) {
        return bytes;
    }
    bytes.assign(text.begin(), text.end());
    bytes.push_back(0x00);
    if (bytes.size() % 2 != 0) {
        bytes.push_back(0x00);
    }
    return bytes;
}

}  // namespace database
}  // namespace tl
