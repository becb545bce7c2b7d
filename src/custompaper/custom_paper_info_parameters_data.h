#pragma once

#include <map>
#include <string>
#include <tuple>

namespace TL {

// The limit tables of the custom-paper models: the series of a full printer name and the
// 54-row table of that series.
class CustomPaperInfoParametersData {
  public:
    // The key of a table row: parameter name, paper-kind text and unit text.
    struct Parameters {
        std::string name;
        std::string paperKind;
        std::string unit;
    };

    // How a row's numbers are to be taken.
    enum class Caution : int {
        None = 0,
        DependentLimit = 1,  // the bound follows from other values
        Reserved = 2,
        NotApplicable = 3,  // the value does not apply to the paper kind
        Unavailable = 4,
        SameAsTopMargin = 5,  // the bottom margin follows the top margin
    };

    // (maximum, minimum, caution) of each key.
    using ParametersMaxAndMinDataMap = std::map<Parameters, std::tuple<float, float, Caution>>;

    explicit CustomPaperInfoParametersData(const std::string& modelName);
    CustomPaperInfoParametersData(const CustomPaperInfoParametersData&) = default;
    CustomPaperInfoParametersData& operator=(const CustomPaperInfoParametersData&) = default;
    virtual ~CustomPaperInfoParametersData() = default;

    // "SN-7000D", "HU-3400a", "HU-3400" or "SN-7000" for the full name of one of their
    // models (compared as a whole, case and spaces included); the empty text otherwise.
    std::string getSeriesName() const;

    // The table of one series, whatever the model name.
    ParametersMaxAndMinDataMap getSN7DSeriesParametersMaxAndMinDataMap() const;
    ParametersMaxAndMinDataMap getHU3aSeriesParametersMaxAndMinDataMap() const;
    ParametersMaxAndMinDataMap getHU3SeriesParametersMaxAndMinDataMap() const;
    ParametersMaxAndMinDataMap getSN7SeriesParametersMaxAndMinDataMap() const;

    // The table of the model's series; empty for a model outside the series map.
    ParametersMaxAndMinDataMap getParametersMaxAndMinDataMap() const;

    std::string modelName;
};

// Orders keys by name, then paper kind, then unit, each in byte-wise string order.
bool operator<(const CustomPaperInfoParametersData::Parameters& a,
               const CustomPaperInfoParametersData::Parameters& b);
// Equivalent keys: all three fields equal.
bool operator==(const CustomPaperInfoParametersData::Parameters& a,
                const CustomPaperInfoParametersData::Parameters& b);

}  // namespace TL
