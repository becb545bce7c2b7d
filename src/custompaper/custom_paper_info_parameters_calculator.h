#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "custompaper/custom_paper_info_parameters_default.h"
#include "custompaper/custom_paper_info_parameters_error.h"

namespace TL {

// The limit lookup of the custom paper rules and the conversions with which they turn a
// value into command bytes.
class CustomPaperInfoParametersCalculator {
  public:
    CustomPaperInfoParametersCalculator() = default;
    CustomPaperInfoParametersCalculator(const CustomPaperInfoParametersCalculator&) = default;
    CustomPaperInfoParametersCalculator& operator=(const CustomPaperInfoParametersCalculator&) =
        default;
    virtual ~CustomPaperInfoParametersCalculator() = default;

    // (maximum, minimum, detail) of one parameter for this model, paper kind and unit, in the
    // unit of the request. No row: (0, 0, Unavailable). The row's caution gives the detail:
    // 0 None, 1 DependentLimit, 2 Reserved, 3 NotApplicable, 5 SameAsTopMargin with the
    // row's limits; 4 Unavailable with 0 and 0. The two texts are accepted and not read.
    std::tuple<float, float, ErrorDetail> getMaxValueAndMinValue(
        const std::string& modelName, PaperKind paperKind, UnitOfLength unitOfLength,
        const std::string& parameterName, const std::string& definitionText,
        const std::string& extraText) const;

    // floorf(x + 0.5) in whole millimetres, as decimal text ("62", "-1").
    std::string convertToStringAfterRoundedMmValue(float x) const;
    // x in fixed notation with two decimals ("4.49", "1.00", "-0.50").
    std::string convertToStringAfterRoundedInchValue(float x) const;
    // -(|v| & 0xFFFF): stored in 16 bits, the two's complement of a negative dot value.
    int convertToMinusHexadecimalFromMinusDecimal(int v) const;
    // (low byte, high byte).
    std::tuple<unsigned char, unsigned char> devideUint16DataInto2Uint8Data(unsigned short v) const;
    // The bytes of the text, without a terminator.
    std::vector<unsigned char> covertToUint8FromString(std::string text) const;
};

}  // namespace TL
