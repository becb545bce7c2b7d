#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "custompaper/custom_paper_info_parameters_default.h"
#include "custompaper/custom_paper_info_parameters_error.h"
#include "custompaper/kxd_file_parser.h"

namespace TL {

// The request of one custom paper computation, as the host gave it.
struct CustomPaperRequest {
    std::string modelName;  // full printer name; selects the limit table
    PaperKind paperKind = PaperKind::Roll;
    UnitOfLength unitOfLength = UnitOfLength::Mm;
    UserSettingPaperInfo setting;  // lengths in the unit of the request
    std::string definitionText;
    std::string extraText;
};

// The values of the paper definition that the rules read; for an invalid definition the
// flag is false and every number 0. A definition whose x resolution is 0 or less counts as
// invalid here: every dot value would be 0 (or of the wrong sign), and a command built from
// it would describe no paper at all.
struct CustomPaperDefinition {
    bool valid = false;
    std::int32_t xResolution = 0;  // dots per inch; every length becomes dots through it
    std::int32_t dwHeadPinNum = 0;
    float nMinMargin = 0.0f;  // millimetres
    float nMaxMargin = 0.0f;
    std::int32_t bySeriesCode = 0;
    std::int32_t byModelCode = 0;
    std::int32_t nSensorID = 0;
    std::int32_t byHeadDivide = 0;
    std::int32_t nDieStartPlus = 0;    // truncated toward zero
    bool dieStartPlusIsNumber = true;  // false for a value that is not a number
    std::int32_t markNoChkValu = 0;

    static CustomPaperDefinition fromParameters(
        const std::pair<bool, KXDFileParser::KXDFileParameter>& parsed);
};

// Accessor results: the detail and a value of one byte, of two bytes (low, high) or of a
// 16-byte size text. A failing rule delivers zero bytes of its full width. A value that
// does not fit its field (below 0, or above 255 for a byte and 65535 for a pair; a signed
// pair for the mark position) is Unavailable rather than cut to its low bits, so that no
// command carries a number other than the one worked out. Two exceptions: a negative
// constant of the paper definition (sensor id, head divide, die start plus) goes out as FF
// or FF FF, and a head dot below 0 is written as 0.
using CustomPaperBytePair = std::tuple<unsigned char, unsigned char>;
using CustomPaperByteResult = std::pair<ErrorDetail, unsigned char>;
using CustomPaperPairResult = std::pair<ErrorDetail, CustomPaperBytePair>;
using CustomPaperTextResult = std::pair<ErrorDetail, std::vector<unsigned char>>;

// The value that a number written in hexadecimal and read back with a 32-bit strtol gives:
// n itself for 0 and above, 2147483647 for every negative n.
int convertToHexadecimalFromDecimal(int n);

// The rule behind each parameter accessor of a custom paper request. Every rule is pure: it
// reads the request, the definition values and the limit tables, and returns its pair.
// User lengths are compared with their limits in the unit of the request before any
// conversion; a length that is not a number fails with Unavailable wherever it is tested.
namespace CustomPaperRules {

using Request = CustomPaperRequest;
using Definition = CustomPaperDefinition;

CustomPaperByteResult seriesCode(const Request& request, const Definition& definition);
CustomPaperByteResult modelCode(const Request& request, const Definition& definition);
CustomPaperByteResult tapeWidMm(const Request& request, const Definition& definition);
CustomPaperPairResult tapeLenMm(const Request& request, const Definition& definition);
CustomPaperByteResult rightMargin(const Request& request, const Definition& definition);
CustomPaperByteResult leftMargin(const Request& request, const Definition& definition);
CustomPaperPairResult topMargin(const Request& request, const Definition& definition);
CustomPaperPairResult bottomMargin(const Request& request, const Definition& definition);
CustomPaperTextResult szSizeMM(const Request& request, const Definition& definition);
CustomPaperTextResult szSizeIN(const Request& request, const Definition& definition);
CustomPaperPairResult labelPitch(const Request& request, const Definition& definition);
CustomPaperPairResult markPosition(const Request& request, const Definition& definition);
CustomPaperPairResult markHeight(const Request& request, const Definition& definition);
CustomPaperByteResult energyRank(const Request& request, const Definition& definition);
CustomPaperByteResult sensorId(const Request& request, const Definition& definition);
CustomPaperByteResult rollWidMm(const Request& request, const Definition& definition);
CustomPaperPairResult headDot(const Request& request, const Definition& definition);
CustomPaperPairResult prtWidth(const Request& request, const Definition& definition);
CustomPaperPairResult prtLength(const Request& request, const Definition& definition);
CustomPaperByteResult headDivide(const Request& request, const Definition& definition);
CustomPaperPairResult dieStartPlus(const Request& request, const Definition& definition);
CustomPaperPairResult lblPitchDot(const Request& request, const Definition& definition);
CustomPaperPairResult markNoChkValu(const Request& request, const Definition& definition);
CustomPaperByteResult sensingType(const Request& request, const Definition& definition);

}  // namespace CustomPaperRules

}  // namespace TL
