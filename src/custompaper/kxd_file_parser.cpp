#include "custompaper/kxd_file_parser.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "custompaper/custom_paper_numbers.h"

namespace TL {

namespace {

using custom_paper_numbers::saturatingInt32;
using custom_paper_numbers::toFloat;

// Models whose paper-definition text carries no paper length and margin limits.
const char* const kModelsWithoutLimitKeys[] = {
    "Talvora HU-3430",  "Talvora HU-3430Ai", "Talvora HU-3440",
    "Talvora SN-7100N", "Talvora SN-7000",
};

bool withoutLimitKeys(const std::string& modelName) {
    for (const char* name : kModelsWithoutLimitKeys) {
        if (modelName == name) {
            return true;
        }
    }
    return false;
}

std::string withoutSpaces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            out.push_back(c);
        }
    }
    return out;
}

// The "C" locale, for number texts written with '.' whatever the process locale says.
locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Magnitude steps: a negative input is negated first and the result negated last;
// negative zero and not-a-number take the positive path.
bool negative(float value) {
    return value < 0.0f;
}

std::int32_t negated(std::int32_t value) {
    return saturatingInt32(-static_cast<std::int64_t>(value));
}

}  // namespace

KXDFileParser::KXDFileParser(std::string model, std::string definition, std::string extra)
    : modelName(std::move(model)),
      definitionText(std::move(definition)),
      extraText(std::move(extra)) {}

std::string KXDFileParser::getParameterValue(std::string key) const {
    const std::size_t at = definitionText.find(key);
    if (at == std::string::npos) {
        return "";
    }
    std::size_t lineEnd = definitionText.find('\n', at);
    if (lineEnd == std::string::npos) {
        lineEnd = definitionText.size();
    }
    const std::size_t equals = definitionText.find('=', at);
    if (equals == std::string::npos || equals >= lineEnd) {
        return "";
    }
    return withoutSpaces(definitionText.substr(equals + 1, lineEnd - (equals + 1)));
}

std::vector<std::pair<std::string, std::string>>
KXDFileParser::separateGroupOfXResolutonAndYResolutionFromWResolutions(std::string countText,
                                                                       std::string listText) const {
    std::vector<std::pair<std::string, std::string>> pairs;
    listText.push_back(',');
    if (listText == ",") {
        return pairs;
    }
    // Every comma closes one token, so empty tokens count: there are as many tokens as
    // commas.
    std::size_t tokens = 0;
    for (char c : listText) {
        tokens += c == ',' ? 1 : 0;
    }
    if (tokens % 2 != 0) {
        return pairs;
    }
    const std::int32_t count = stringToInt(countText, 10);
    if (count <= 0) {
        return pairs;
    }
    // A count above the pairs present takes the pairs present. Only the tokens of the pairs
    // taken are copied, so a long list costs no more memory than the pairs it yields.
    const std::size_t present = tokens / 2;
    const std::size_t wanted =
        static_cast<std::size_t>(count) < present ? static_cast<std::size_t>(count) : present;
    pairs.reserve(wanted);
    std::string first;
    std::string token;
    bool haveFirst = false;
    for (std::size_t i = 0; i < listText.size() && pairs.size() < wanted; ++i) {
        const char c = listText[i];
        if (c == ',') {
            if (haveFirst) {
                pairs.emplace_back(std::move(first), std::move(token));
                first.clear();
            } else {
                first = std::move(token);
            }
            token.clear();
            haveFirst = !haveFirst;
        } else if (c != ' ') {
            token.push_back(c);
        }
    }
    return pairs;
}

std::pair<std::string, std::string> KXDFileParser::separateXResolutonAndYResolutionFromWResolutions(
    std::string text) const {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return {"", ""};
    }
    return {text.substr(0, comma), text.substr(comma + 1)};
}

std::pair<bool, KXDFileParser::KXDFileParameter> KXDFileParser::readKXDFileParrametersFromData()
    const {
    const std::pair<bool, KXDFileParameter> invalid{false, KXDFileParameter()};
    if (definitionText.empty()) {
        return invalid;
    }
    const std::string sensorId = getParameterValue("nSensorID");
    const std::string headDivide = getParameterValue("byHeadDivide");
    const std::string dieStartPlus = getParameterValue("nDieStartPlus");
    const std::string markNoChkValu = "0";
    const std::string seriesCode = getParameterValue("bySeriesCode");
    const std::string modelCode = getParameterValue("byModelCode");
    const std::string headPins = getParameterValue("dwHeadPinNum");
    const std::string resolutionCount = getParameterValue("wResolutionNum");
    const std::string resolutionList = getParameterValue("wResolutions");
    for (const std::string* value : {&sensorId, &headDivide, &dieStartPlus, &seriesCode, &modelCode,
                                     &headPins, &resolutionCount, &resolutionList}) {
        if (value->empty()) {
            return invalid;
        }
    }
    const std::vector<std::pair<std::string, std::string>> resolutions =
        separateGroupOfXResolutonAndYResolutionFromWResolutions(resolutionCount, resolutionList);
    if (resolutions.empty() || resolutions.front().first.empty() ||
        resolutions.front().second.empty()) {
        return invalid;
    }

    std::string minPaperLength = "0";
    std::string maxPaperLength = "0";
    std::string minMargin = "0";
    std::string maxMargin = "1270";
    if (!withoutLimitKeys(modelName)) {
        minPaperLength = getParameterValue("nMinPaperLength");
        maxPaperLength = getParameterValue("nMaxPaperLength");
        minMargin = getParameterValue("nMinMargin");
        maxMargin = getParameterValue("nMaxMargin");
        if (minPaperLength.empty() || maxPaperLength.empty() || minMargin.empty() ||
            maxMargin.empty()) {
            return invalid;
        }
    }

    KXDFileParameter record;
    record.nSensorID = stringToInt(sensorId, 10);
    record.byHeadDivide = stringToInt(headDivide, 10);
    record.nDieStartPlus = stringToFloat(dieStartPlus);
    record.markNoChkValu = stringToInt(markNoChkValu, 10);
    record.bySeriesCode = stringToInt(seriesCode, 16);
    record.byModelCode = stringToInt(modelCode, 16);
    record.dwHeadPinNum = stringToInt(headPins, 10);
    record.wResolutionNum = stringToInt(resolutionCount, 10);
    record.wResolutions = resolutions;
    record.xResolution = stringToInt(resolutions.front().first, 10);
    record.yResolution = stringToInt(resolutions.front().second, 10);
    record.nMinPaperLength = stringToFloat(minPaperLength);
    record.nMaxPaperLength = stringToFloat(maxPaperLength);
    record.nMinMargin = stringToFloat(minMargin) / 10.0f;
    record.nMaxMargin = stringToFloat(maxMargin) / 10.0f;
    return {true, record};
}

std::pair<bool, KXDFileParser::KXDFileParameter> KXDFileParser::getKXDFileParameterFromData()
    const {
    return readKXDFileParrametersFromData();
}

std::int32_t KXDFileParser::stringToInt(std::string text, int base) const {
    const long value = std::strtol(text.c_str(), nullptr, base);
    if (value > std::numeric_limits<std::int32_t>::max()) {
        errno = ERANGE;
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        errno = ERANGE;
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

float KXDFileParser::stringToFloat(std::string text) const {
    const locale_t locale = classicLocale();
    const double value = locale != static_cast<locale_t>(0)
                             ? strtod_l(text.c_str(), nullptr, locale)
                             : std::strtod(text.c_str(), nullptr);
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    if (value > kMax) {
        errno = ERANGE;
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kMax) {
        errno = ERANGE;
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

float KXDFileParser::convertToInchFromMm(float mm) const {
    const bool minus = negative(mm);
    const float a = minus ? -mm : mm;
    const float t = toFloat(static_cast<double>(a) / 25.4 * 100.0);
    const float r = std::floor(t + 0.5f) / 100.0f;
    return minus ? -r : r;
}

float KXDFileParser::convertToMmFromInch(float inch) const {
    const bool minus = negative(inch);
    const float a = minus ? -inch : inch;
    const float t = toFloat(static_cast<double>(a) * 25.4 * 10.0);
    const float r = std::floor(t + 0.5f) / 10.0f;
    return minus ? -r : r;
}

std::int32_t KXDFileParser::convertToDotFromMm(float mm, int dotsPerInch) const {
    const bool minus = negative(mm);
    const float a = minus ? -mm : mm;
    const float p = static_cast<float>(dotsPerInch) * a;
    const float t = toFloat(static_cast<double>(p) / 25.4);
    const std::int32_t r = saturatingInt32(static_cast<double>(std::floor(t + 0.5f)));
    return minus ? negated(r) : r;
}

std::int32_t KXDFileParser::convertToDotFromInch(float inch, int dotsPerInch) const {
    const bool minus = negative(inch);
    const float a = minus ? -inch : inch;
    const std::int32_t r = saturatingInt32(
        static_cast<double>(std::floor(static_cast<float>(dotsPerInch) * a + 0.5f)));
    return minus ? negated(r) : r;
}

float KXDFileParser::convertToMmFromDot(int dots, int dotsPerInch) const {
    if (dotsPerInch == 0) {
        return std::numeric_limits<float>::quiet_NaN();  // no resolution, no length
    }
    const bool minus = dots < 0;
    const float a = static_cast<float>(minus ? -static_cast<std::int64_t>(dots) : dots);
    const float q = a / static_cast<float>(dotsPerInch);
    const float t = toFloat(static_cast<double>(q) * 25.4 * 10.0);
    const float r = std::floor(t + 0.5f) / 10.0f;
    return minus ? -r : r;
}

float KXDFileParser::convertToInchFromDot(int dots, int dotsPerInch) const {
    if (dotsPerInch == 0) {
        return std::numeric_limits<float>::quiet_NaN();  // no resolution, no length
    }
    const bool minus = dots < 0;
    const float a = static_cast<float>(minus ? -static_cast<std::int64_t>(dots) : dots);
    const float r = std::floor(a / static_cast<float>(dotsPerInch) * 100.0f + 0.5f) / 100.0f;
    return minus ? -r : r;
}

}  // namespace TL
