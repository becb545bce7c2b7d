#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TL {

// Reads the values of a paper-definition text (key = value lines) and converts lengths
// between millimetres, inches and head dots.
//
// Text format: 8-bit text, lines end with a line feed (a carriage return before it stays in
// the value). A key is found as the first occurrence of its name anywhere in the text; its
// value is what follows the first equals sign on that line, without space characters.
class KXDFileParser {
  public:
    // The values of one paper-definition text. A default record has every number 0.
    class KXDFileParameter {
      public:
        KXDFileParameter() = default;
        KXDFileParameter(const KXDFileParameter&) = default;
        KXDFileParameter(KXDFileParameter&&) = default;
        KXDFileParameter& operator=(const KXDFileParameter&) = default;
        KXDFileParameter& operator=(KXDFileParameter&&) = default;
        virtual ~KXDFileParameter() = default;

        std::int32_t nSensorID = 0;
        std::int32_t byHeadDivide = 0;
        float nDieStartPlus = 0.0f;
        std::int32_t markNoChkValu = 0;  // always 0
        std::int32_t bySeriesCode = 0;   // written in hexadecimal
        std::int32_t byModelCode = 0;    // written in hexadecimal
        std::int32_t dwHeadPinNum = 0;   // dots of the print head
        std::int32_t wResolutionNum = 0;
        std::vector<std::pair<std::string, std::string>> wResolutions;  // (x, y) texts
        std::int32_t xResolution = 0;  // dots per inch, of the first pair
        std::int32_t yResolution = 0;
        float nMinPaperLength = 0.0f;
        float nMaxPaperLength = 0.0f;
        float nMinMargin = 0.0f;  // millimetres (the text holds tenths)
        float nMaxMargin = 0.0f;
    };

    KXDFileParser(std::string modelName, std::string definitionText, std::string extraText);
    KXDFileParser(const KXDFileParser&) = default;
    KXDFileParser(KXDFileParser&&) = default;
    KXDFileParser& operator=(const KXDFileParser&) = default;
    KXDFileParser& operator=(KXDFileParser&&) = default;
    virtual ~KXDFileParser() = default;

    // (true, the record) when the text holds every value needed, else (false, a default
    // record); never a partial record.
    std::pair<bool, KXDFileParameter> readKXDFileParrametersFromData() const;
    // The same, as a copy: what the custom paper accessors read.
    std::pair<bool, KXDFileParameter> getKXDFileParameterFromData() const;

    // The value text of one key, or "".
    std::string getParameterValue(std::string key) const;
    // The first `countText` (x, y) pairs of a comma-separated list. None when the list is
    // empty, holds an odd number of tokens or the count is 0 or less; a count above the
    // pairs present gives the pairs present.
    std::vector<std::pair<std::string, std::string>>
    separateGroupOfXResolutonAndYResolutionFromWResolutions(std::string countText,
                                                            std::string listText) const;
    // Splits at the first comma; ("", "") without one.
    std::pair<std::string, std::string> separateXResolutonAndYResolutionFromWResolutions(
        std::string text) const;

    // strtol in `base`, saturated to 32 bits (errno then says ERANGE); 0 without digits.
    std::int32_t stringToInt(std::string text, int base) const;
    // strtod read with '.' as the decimal point whatever the process locale; beyond the
    // single-precision range an infinity of the sign, with errno ERANGE.
    float stringToFloat(std::string text) const;

    // Each works on the magnitude and puts the sign back. A resolution of 0 gives 0 dots,
    // and not-a-number for the lengths computed from dots.
    float convertToInchFromMm(float mm) const;    // to 0.01 inch
    float convertToMmFromInch(float inch) const;  // to 0.1 mm
    std::int32_t convertToDotFromMm(float mm, int dotsPerInch) const;
    std::int32_t convertToDotFromInch(float inch, int dotsPerInch) const;
    float convertToMmFromDot(int dots, int dotsPerInch) const;    // to 0.1 mm
    float convertToInchFromDot(int dots, int dotsPerInch) const;  // to 0.01 inch

    std::string modelName;
    std::string definitionText;
    std::string extraText;
};

}  // namespace TL
