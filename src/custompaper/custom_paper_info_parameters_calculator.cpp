#include "custompaper/custom_paper_info_parameters_calculator.h"

#include <cmath>
#include <cstdint>
#include <sstream>

#include "common/byte_order.h"
#include "custompaper/custom_paper_info_parameters_data.h"
#include "custompaper/custom_paper_numbers.h"

namespace TL {

namespace {

ErrorDetail detailOfCaution(CustomPaperInfoParametersData::Caution caution) {
    using Caution = CustomPaperInfoParametersData::Caution;
    switch (caution) {
        case Caution::None:
            return ErrorDetail::None;
        case Caution::DependentLimit:
            return ErrorDetail::DependentLimit;
        case Caution::Reserved:
            return ErrorDetail::Reserved;
        case Caution::NotApplicable:
            return ErrorDetail::NotApplicable;
        case Caution::Unavailable:
            return ErrorDetail::Unavailable;
        case Caution::SameAsTopMargin:
            return ErrorDetail::SameAsTopMargin;
    }
    return ErrorDetail::Unavailable;
}

}  // namespace

std::tuple<float, float, ErrorDetail> CustomPaperInfoParametersCalculator::getMaxValueAndMinValue(
    const std::string& modelName, PaperKind paperKind, UnitOfLength unitOfLength,
    const std::string& parameterName, const std::string& /*definitionText*/,
    const std::string& /*extraText*/) const {
    const CustomPaperInfoParametersData data(modelName);
    const CustomPaperInfoParametersData::ParametersMaxAndMinDataMap table =
        data.getParametersMaxAndMinDataMap();
    const CustomPaperInfoParametersDefault names;
    const CustomPaperInfoParametersData::Parameters key{parameterName,
                                                        names.paperKindWithString(paperKind),
                                                        names.unitOfLengthWithString(unitOfLength)};
    const auto row = table.find(key);
    if (row == table.end()) {
        return {0.0f, 0.0f, ErrorDetail::Unavailable};
    }
    const auto& [maximum, minimum, caution] = row->second;
    const ErrorDetail detail = detailOfCaution(caution);
    if (detail == ErrorDetail::Unavailable) {
        return {0.0f, 0.0f, detail};
    }
    return {maximum, minimum, detail};
}

std::string CustomPaperInfoParametersCalculator::convertToStringAfterRoundedMmValue(float x) const {
    return std::to_string(custom_paper_numbers::saturatingInt32(std::floor(x + 0.5f)));
}

std::string CustomPaperInfoParametersCalculator::convertToStringAfterRoundedInchValue(
    float x) const {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed, std::ios::floatfield);
    out.precision(2);
    out << static_cast<double>(x);
    return out.str();
}

int CustomPaperInfoParametersCalculator::convertToMinusHexadecimalFromMinusDecimal(int v) const {
    // The magnitude in 64 bits: the smallest int has no positive counterpart in 32.
    const std::int64_t magnitude = v < 0 ? -static_cast<std::int64_t>(v) : v;
    return -static_cast<int>(magnitude & 0xFFFF);
}

std::tuple<unsigned char, unsigned char>
CustomPaperInfoParametersCalculator::devideUint16DataInto2Uint8Data(unsigned short v) const {
    unsigned char bytes[2];
    lumeko::writeLe16(bytes, v);
    return {bytes[0], bytes[1]};
}

std::vector<unsigned char> CustomPaperInfoParametersCalculator::covertToUint8FromString(
    std::string text) const {
    return std::vector<unsigned char>(text.begin(), text.end());
}

}  // namespace TL
