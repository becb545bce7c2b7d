#include "custompaper/custom_paper_parameter_rules.h"

#include <cmath>
#include <limits>

#include "custompaper/custom_paper_info_parameters_calculator.h"
#include "custompaper/custom_paper_numbers.h"

namespace TL {

CustomPaperDefinition CustomPaperDefinition::fromParameters(
    const std::pair<bool, KXDFileParser::KXDFileParameter>& parsed) {
    CustomPaperDefinition definition;
    const KXDFileParser::KXDFileParameter& p = parsed.second;
    if (!parsed.first || p.xResolution <= 0) {
        return definition;  // invalid: every number 0
    }
    definition.valid = true;
    definition.xResolution = p.xResolution;
    definition.dwHeadPinNum = p.dwHeadPinNum;
    definition.nMinMargin = p.nMinMargin;
    definition.nMaxMargin = p.nMaxMargin;
    definition.bySeriesCode = p.bySeriesCode;
    definition.byModelCode = p.byModelCode;
    definition.nSensorID = p.nSensorID;
    definition.byHeadDivide = p.byHeadDivide;
    definition.nDieStartPlus =
        custom_paper_numbers::saturatingInt32(static_cast<double>(p.nDieStartPlus));
    definition.dieStartPlusIsNumber = !std::isnan(p.nDieStartPlus);
    definition.markNoChkValu = p.markNoChkValu;
    return definition;
}

int convertToHexadecimalFromDecimal(int n) {
    // A negative int written in hexadecimal is its 32-bit two's complement, 80000000 to
    // ffffffff, which a 32-bit strtol saturates to the largest int.
    return n >= 0 ? n : std::numeric_limits<std::int32_t>::max();
}

namespace CustomPaperRules {

namespace {

using custom_paper_numbers::saturatingInt32;

constexpr float kGapMm = 0.2f;  // least printable width or length between two margins

// The converters depend only on their arguments.
const KXDFileParser& converter() {
    static const KXDFileParser parser("", "", "");
    return parser;
}

struct Limits {
    float maximum;
    float minimum;
    ErrorDetail detail;
};

Limits lookup(const Request& request, const char* name) {
    const auto [maximum, minimum, detail] =
        CustomPaperInfoParametersCalculator().getMaxValueAndMinValue(
            request.modelName, request.paperKind, request.unitOfLength, name,
            request.definitionText, request.extraText);
    return {maximum, minimum, detail};
}

bool inches(const Request& request) {
    return request.unitOfLength == UnitOfLength::Inch;
}

// To millimetres: inches converted to 0.1 mm, any other unit unchanged.
float mm(const Request& request, float x) {
    return inches(request) ? converter().convertToMmFromInch(x) : x;
}

// Halves go up.
std::int32_t nearest(float x) {
    return saturatingInt32(static_cast<double>(std::floor(x + 0.5f)));
}

std::int32_t dotsMm(const Request& request, const Definition& definition, float x) {
    return converter().convertToDotFromMm(mm(request, x), definition.xResolution);
}

std::int32_t dotsUnit(const Request& request, const Definition& definition, float x) {
    switch (request.unitOfLength) {
        case UnitOfLength::Mm:
            return converter().convertToDotFromMm(x, definition.xResolution);
        case UnitOfLength::Inch:
            return converter().convertToDotFromInch(x, definition.xResolution);
    }
    return 0;
}

float gap(const Request& request) {
    return inches(request) ? converter().convertToInchFromMm(kGapMm) : kGapMm;
}

unsigned char lowByte(std::int32_t n) {
    return static_cast<unsigned char>(static_cast<std::uint32_t>(n) & 0xFFu);
}

CustomPaperBytePair lowPair(std::int32_t n) {
    return CustomPaperInfoParametersCalculator().devideUint16DataInto2Uint8Data(
        static_cast<unsigned short>(static_cast<std::uint32_t>(n) & 0xFFFFu));
}

CustomPaperByteResult byteFailure(ErrorDetail detail) {
    return {detail, 0};
}

CustomPaperPairResult pairFailure(ErrorDetail detail) {
    return {detail, CustomPaperBytePair(0, 0)};
}

// A negative value would leave the hexadecimal pass as 2147483647 (FF, FF FF) and a larger
// one would lose its high bits: neither is the value, so neither is written.
CustomPaperByteResult byteValue(ErrorDetail detail, std::int32_t n) {
    if (n < 0 || n > 0xFF) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    return {detail, lowByte(convertToHexadecimalFromDecimal(n))};
}

CustomPaperPairResult pairValue(ErrorDetail detail, std::int32_t n) {
    if (n < 0 || n > 0xFFFF) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    return {detail, lowPair(convertToHexadecimalFromDecimal(n))};
}

// A constant of the paper definition, written as the printers take it: a negative value
// leaves the hexadecimal pass as 2147483647, so it goes out as FF (or FF FF). A value too
// large for its field is refused rather than cut to its low bits.
CustomPaperByteResult definitionByte(std::int32_t n) {
    if (n > 0xFF) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    return {ErrorDetail::None, lowByte(convertToHexadecimalFromDecimal(n))};
}

CustomPaperPairResult definitionPair(std::int32_t n) {
    if (n > 0xFFFF) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    return {ErrorDetail::None, lowPair(convertToHexadecimalFromDecimal(n))};
}

// The bottom margin: the top margin on paper whose bottom follows the top.
float bottomOf(const Request& request, bool followsTop) {
    return followsTop ? request.setting.topMargin : request.setting.bottomMargin;
}

bool bottomFollowsTop(const Request& request) {
    return lookup(request, "bottomMargin").detail == ErrorDetail::SameAsTopMargin;
}

bool noFixedLength(const Request& request) {
    return lookup(request, "tapeLenMm").detail == ErrorDetail::NotApplicable;
}

// Top plus bottom margin on paper without a fixed length, against the definition's margin
// limits.
ErrorDetail marginSumOnRoll(const Request& request, const Definition& definition, float sum) {
    float lower = definition.nMinMargin;
    float upper = definition.nMaxMargin;
    if (inches(request)) {
        lower = converter().convertToInchFromMm(lower);
        upper = converter().convertToInchFromMm(upper);
    }
    if (std::isnan(lower) || std::isnan(upper)) {
        return ErrorDetail::Unavailable;  // a definition whose margin limits hold no number
    }
    if (sum < lower) {
        return ErrorDetail::BelowMinimum;
    }
    if (sum > upper) {
        return ErrorDetail::AboveMaximum;
    }
    return ErrorDetail::None;
}

// The right or left margin `m`, with the other margin `o`.
CustomPaperByteResult sideMargin(const Request& request, const Definition& definition,
                                 const char* name, float m, float o) {
    const Limits limits = lookup(request, name);
    if (limits.detail == ErrorDetail::NotApplicable) {
        return byteFailure(ErrorDetail::NotApplicable);
    }
    if (std::isnan(m)) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    if (m < limits.minimum) {
        return byteFailure(ErrorDetail::BelowMinimum);
    }
    ErrorDetail detail = limits.detail;
    if (limits.detail == ErrorDetail::DependentLimit) {
        // The bounds follow from the head and the tape.
        const float w = request.setting.tapeWidth;
        const float g = gap(request);
        float head = 0.0f;
        if (request.unitOfLength == UnitOfLength::Mm) {
            head = converter().convertToMmFromDot(definition.dwHeadPinNum, definition.xResolution);
        } else if (inches(request)) {
            head =
                converter().convertToInchFromDot(definition.dwHeadPinNum, definition.xResolution);
        }
        if (head < w) {
            const float strip = 0.5f * (w - head);  // what the head cannot reach on each side
            if (m < strip) {
                return byteFailure(ErrorDetail::BelowMinimum);
            }
            if (m > (w - g) - strip) {
                return byteFailure(ErrorDetail::AboveMaximum);
            }
        }
        if (head >= w && m > w - g) {
            return byteFailure(ErrorDetail::AboveMaximum);
        }
        if (m + o > w - g) {
            return byteFailure(ErrorDetail::AboveMaximum);
        }
        detail = ErrorDetail::None;
    } else if (m > limits.maximum) {
        return byteFailure(ErrorDetail::AboveMaximum);
    }
    return byteValue(detail, nearest(mm(request, m)));
}

CustomPaperTextResult sizeText(const Request& request, bool millimetreFirst) {
    const CustomPaperInfoParametersCalculator calculator;
    const std::string& first =
        millimetreFirst ? request.setting.szSizeMM : request.setting.szSizeIN;
    const std::string& second =
        millimetreFirst ? request.setting.szSizeIN : request.setting.szSizeMM;
    std::string text;
    if (!first.empty()) {
        text = first;
    } else if (!second.empty()) {
        text = second;
    } else {
        const float w = request.setting.tapeWidth;
        const float l = request.setting.tapeLength;
        const bool widthOnly = noFixedLength(request);
        if (request.unitOfLength == UnitOfLength::Mm) {
            text = calculator.convertToStringAfterRoundedMmValue(w) + "mm";
            if (!widthOnly) {
                text += " x " + calculator.convertToStringAfterRoundedMmValue(l) + "mm";
            }
        } else if (inches(request)) {
            text = calculator.convertToStringAfterRoundedInchValue(w) + "\"";
            if (!widthOnly) {
                text += " x " + calculator.convertToStringAfterRoundedInchValue(l) + "\"";
            }
        }
    }
    constexpr std::size_t kTextWidth = 16;
    std::vector<unsigned char> bytes = calculator.covertToUint8FromString(text);
    if (bytes.size() > kTextWidth) {
        return {ErrorDetail::AboveMaximum, std::vector<unsigned char>(kTextWidth, 0)};
    }
    bytes.resize(kTextWidth, 0);
    return {ErrorDetail::None, bytes};
}

}  // namespace

CustomPaperByteResult seriesCode(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return byteFailure(ErrorDetail::CodeMissing);
    }
    return {ErrorDetail::None, lowByte(definition.bySeriesCode)};
}

CustomPaperByteResult modelCode(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return byteFailure(ErrorDetail::CodeMissing);
    }
    return {ErrorDetail::None, lowByte(definition.byModelCode)};
}

CustomPaperByteResult tapeWidMm(const Request& request, const Definition&) {
    const Limits limits = lookup(request, "tapeWidMm");
    const float w = request.setting.tapeWidth;
    if (std::isnan(w)) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    if (w > limits.maximum) {
        return byteFailure(ErrorDetail::AboveMaximum);
    }
    if (w < limits.minimum) {
        return byteFailure(ErrorDetail::BelowMinimum);
    }
    return byteValue(limits.detail, nearest(mm(request, w)));
}

CustomPaperByteResult rollWidMm(const Request& request, const Definition&) {
    return byteValue(ErrorDetail::None, nearest(mm(request, request.setting.tapeWidth)));
}

CustomPaperPairResult tapeLenMm(const Request& request, const Definition&) {
    const Limits limits = lookup(request, "tapeLenMm");
    if (limits.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float l = request.setting.tapeLength;
    if (std::isnan(l)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (l > limits.maximum) {
        return pairFailure(ErrorDetail::AboveMaximum);
    }
    if (l < limits.minimum) {
        return pairFailure(ErrorDetail::BelowMinimum);
    }
    return pairValue(limits.detail, nearest(mm(request, l)));
}

CustomPaperByteResult rightMargin(const Request& request, const Definition& definition) {
    return sideMargin(request, definition, "rightMargin", request.setting.rightMargin,
                      request.setting.leftMargin);
}

CustomPaperByteResult leftMargin(const Request& request, const Definition& definition) {
    return sideMargin(request, definition, "leftMargin", request.setting.leftMargin,
                      request.setting.rightMargin);
}

CustomPaperPairResult topMargin(const Request& request, const Definition& definition) {
    const Limits limits = lookup(request, "topMargin");
    if (limits.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float t = request.setting.topMargin;
    const float b = bottomOf(request, bottomFollowsTop(request));
    if (std::isnan(t)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    ErrorDetail detail = ErrorDetail::None;
    if (noFixedLength(request)) {
        detail = marginSumOnRoll(request, definition, t + b);
        if (detail != ErrorDetail::None) {
            return pairFailure(detail);
        }
    } else {
        if (t < limits.minimum) {
            return pairFailure(ErrorDetail::BelowMinimum);
        }
        if (limits.detail == ErrorDetail::DependentLimit) {
            if (t + b > request.setting.tapeLength - gap(request)) {
                return pairFailure(ErrorDetail::AboveMaximum);
            }
        } else {
            if (t > limits.maximum) {
                return pairFailure(ErrorDetail::AboveMaximum);
            }
            detail = limits.detail;
        }
    }
    return pairValue(detail, dotsMm(request, definition, t));
}

CustomPaperPairResult bottomMargin(const Request& request, const Definition& definition) {
    const Limits limits = lookup(request, "bottomMargin");
    if (limits.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float t = request.setting.topMargin;
    const float b = bottomOf(request, limits.detail == ErrorDetail::SameAsTopMargin);
    if (std::isnan(b)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    ErrorDetail detail = ErrorDetail::None;
    if (noFixedLength(request)) {
        detail = marginSumOnRoll(request, definition, t + b);
        if (detail != ErrorDetail::None) {
            return pairFailure(detail);
        }
    } else {
        if (b < limits.minimum) {
            return pairFailure(ErrorDetail::BelowMinimum);
        }
        if (limits.detail == ErrorDetail::SameAsTopMargin ||
            limits.detail == ErrorDetail::DependentLimit) {
            if (t + b > request.setting.tapeLength - gap(request)) {
                return pairFailure(ErrorDetail::AboveMaximum);
            }
        } else {
            if (b > limits.maximum) {
                return pairFailure(ErrorDetail::AboveMaximum);
            }
            detail = limits.detail;
        }
    }
    return pairValue(detail, dotsMm(request, definition, b));
}

CustomPaperTextResult szSizeMM(const Request& request, const Definition&) {
    return sizeText(request, true);
}

CustomPaperTextResult szSizeIN(const Request& request, const Definition&) {
    return sizeText(request, false);
}

CustomPaperPairResult labelPitch(const Request& request, const Definition& definition) {
    const Limits limits = lookup(request, "labelPitch");
    if (limits.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float p = request.setting.labelPitch;
    if (std::isnan(p)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (p < limits.minimum) {
        return pairFailure(ErrorDetail::BelowMinimum);
    }
    if (p > limits.maximum) {
        return pairFailure(ErrorDetail::AboveMaximum);
    }
    return pairValue(limits.detail, dotsMm(request, definition, p));
}

CustomPaperPairResult markHeight(const Request& request, const Definition& definition) {
    const Limits limits = lookup(request, "markHeight");
    if (limits.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    float maximum = limits.maximum;
    if (limits.detail == ErrorDetail::DependentLimit) {
        maximum = request.setting.tapeLength;
    }
    const float h = request.setting.markHeight;
    if (std::isnan(h)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (h < limits.minimum) {
        return pairFailure(ErrorDetail::BelowMinimum);
    }
    if (h > maximum) {
        return pairFailure(ErrorDetail::AboveMaximum);
    }
    return pairValue(ErrorDetail::None, dotsMm(request, definition, h));
}

CustomPaperPairResult markPosition(const Request& request, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (lookup(request, "markPosition").detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const Limits length = lookup(request, "tapeLenMm");
    if (length.detail == ErrorDetail::NotApplicable) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float l = request.setting.tapeLength;
    // A tape length outside its own limits (or not a number) leaves no range to test.
    if (!(l >= length.minimum && l <= length.maximum)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    const float position = request.setting.markPosition;
    if (std::isnan(position)) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (position < -l) {
        return pairFailure(ErrorDetail::BelowMinimum);
    }
    if (position > l) {
        return pairFailure(ErrorDetail::AboveMaximum);
    }
    const std::int32_t n = dotsMm(request, definition, position);
    if (n < -0x8000 || n > 0x7FFF) {
        return pairFailure(ErrorDetail::Unavailable);  // beyond a signed 16-bit field
    }
    if (n >= 0) {
        return pairValue(ErrorDetail::None, n);
    }
    // Negative positions go out as 16-bit two's complement.
    return {ErrorDetail::None,
            lowPair(CustomPaperInfoParametersCalculator().convertToMinusHexadecimalFromMinusDecimal(
                n))};
}

CustomPaperByteResult energyRank(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    const unsigned char series = lowByte(definition.bySeriesCode);
    const unsigned char model = lowByte(definition.byModelCode);
    const bool high = series == 0x35 && (model == 0x37 || model == 0x38 || model == 0x39 ||
                                         model == 0x41 || model == 0x42);
    return {ErrorDetail::None, static_cast<unsigned char>(high ? 15 : 7)};
}

CustomPaperByteResult sensorId(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    return definitionByte(definition.nSensorID);
}

CustomPaperPairResult headDot(const Request& request, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    std::int64_t n = definition.dwHeadPinNum / 2;
    if (request.unitOfLength == UnitOfLength::Mm || inches(request)) {
        // The right margin in dots plus half of the head beyond the tape; 64-bit, so that
        // huge lengths cannot overflow.
        const std::int64_t sum = 2 * static_cast<std::int64_t>(dotsUnit(
                                         request, definition, request.setting.rightMargin)) -
                                 dotsUnit(request, definition, request.setting.tapeWidth) +
                                 definition.dwHeadPinNum;
        n = sum / 2;
    }
    // Margins that pass their rules may still put the start of the printable area a dot or
    // so before the head's first dot; the head starts at 0.
    return pairValue(ErrorDetail::None, saturatingInt32(n < 0 ? 0 : n));
}

CustomPaperPairResult prtWidth(const Request& request, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    const std::int64_t n =
        static_cast<std::int64_t>(dotsUnit(request, definition, request.setting.tapeWidth)) -
        (static_cast<std::int64_t>(dotsUnit(request, definition, request.setting.rightMargin)) +
         dotsUnit(request, definition, request.setting.leftMargin));
    return pairValue(ErrorDetail::None, saturatingInt32(n));
}

CustomPaperPairResult prtLength(const Request& request, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    if (noFixedLength(request)) {
        return pairFailure(ErrorDetail::NotApplicable);
    }
    const float b = bottomOf(request, bottomFollowsTop(request));
    const std::int64_t n =
        static_cast<std::int64_t>(dotsUnit(request, definition, request.setting.tapeLength)) -
        (static_cast<std::int64_t>(dotsUnit(request, definition, request.setting.topMargin)) +
         dotsUnit(request, definition, b));
    return pairValue(ErrorDetail::None, saturatingInt32(n));
}

CustomPaperByteResult headDivide(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return byteFailure(ErrorDetail::Unavailable);
    }
    return definitionByte(definition.byHeadDivide);
}

CustomPaperPairResult dieStartPlus(const Request&, const Definition& definition) {
    if (!definition.valid || !definition.dieStartPlusIsNumber) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    return definitionPair(definition.nDieStartPlus);
}

CustomPaperPairResult lblPitchDot(const Request& request, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    const std::int64_t n =
        static_cast<std::int64_t>(dotsUnit(request, definition, request.setting.tapeLength)) +
        dotsUnit(request, definition, request.setting.labelPitch);
    return pairValue(ErrorDetail::None, saturatingInt32(n));
}

CustomPaperPairResult markNoChkValu(const Request&, const Definition& definition) {
    if (!definition.valid) {
        return pairFailure(ErrorDetail::Unavailable);
    }
    return pairValue(ErrorDetail::None, definition.markNoChkValu);
}

CustomPaperByteResult sensingType(const Request& request, const Definition&) {
    switch (request.paperKind) {
        case PaperKind::Roll:
            return {ErrorDetail::None, 0};
        case PaperKind::DieCut:
            return {ErrorDetail::None, 1};
        case PaperKind::MarkRoll:
            return {ErrorDetail::None, 2};
    }
    return byteFailure(ErrorDetail::Unavailable);
}

}  // namespace CustomPaperRules

}  // namespace TL
