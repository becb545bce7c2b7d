#include "custompaper/custom_paper_info_parameters_data.h"

#include <cstddef>

#include "custompaper/custom_paper_limit_tables.h"

namespace TL {

namespace {

using Map = CustomPaperInfoParametersData::ParametersMaxAndMinDataMap;
using Caution = CustomPaperInfoParametersData::Caution;

template <std::size_t N>
Map buildMap(const CustomPaperLimitRow (&rows)[N]) {
    Map map;
    for (const CustomPaperLimitRow& row : rows) {
        map.emplace(CustomPaperInfoParametersData::Parameters{row.name, row.paperKind, row.unit},
                    std::make_tuple(row.maximum, row.minimum, static_cast<Caution>(row.caution)));
    }
    return map;
}

// The tables are constant: built once, handed out as copies.
const Map& sn7dMap() {
    static const Map map = buildMap(kSN7DLimits);
    return map;
}
const Map& hu3Map() {
    static const Map map = buildMap(kHU3Limits);
    return map;
}
const Map& sn7Map() {
    static const Map map = buildMap(kSN7Limits);
    return map;
}

}  // namespace

bool operator<(const CustomPaperInfoParametersData::Parameters& a,
               const CustomPaperInfoParametersData::Parameters& b) {
    // std::string compares its bytes as unsigned char, so a proper prefix orders first.
    if (a.name != b.name) {
        return a.name < b.name;
    }
    if (a.paperKind != b.paperKind) {
        return a.paperKind < b.paperKind;
    }
    return a.unit < b.unit;
}

bool operator==(const CustomPaperInfoParametersData::Parameters& a,
                const CustomPaperInfoParametersData::Parameters& b) {
    return a.name == b.name && a.paperKind == b.paperKind && a.unit == b.unit;
}

CustomPaperInfoParametersData::CustomPaperInfoParametersData(const std::string& name)
    : modelName(name) {}

std::string CustomPaperInfoParametersData::getSeriesName() const {
    for (const CustomPaperSeriesRow& row : kCustomPaperSeries) {
        if (modelName == row.modelName) {
            return row.seriesName;
        }
    }
    return "";
}

Map CustomPaperInfoParametersData::getSN7DSeriesParametersMaxAndMinDataMap() const {
    return sn7dMap();
}

Map CustomPaperInfoParametersData::getHU3aSeriesParametersMaxAndMinDataMap() const {
    return sn7dMap();  // the same rows as the series "SN-7000D"
}

Map CustomPaperInfoParametersData::getHU3SeriesParametersMaxAndMinDataMap() const {
    return hu3Map();
}

Map CustomPaperInfoParametersData::getSN7SeriesParametersMaxAndMinDataMap() const {
    return sn7Map();
}

Map CustomPaperInfoParametersData::getParametersMaxAndMinDataMap() const {
    const std::string series = getSeriesName();
    if (series == "SN-7000D") {
        return getSN7DSeriesParametersMaxAndMinDataMap();
    }
    if (series == "HU-3400a") {
        return getHU3aSeriesParametersMaxAndMinDataMap();
    }
    if (series == "HU-3400") {
        return getHU3SeriesParametersMaxAndMinDataMap();
    }
    if (series == "SN-7000") {
        return getSN7SeriesParametersMaxAndMinDataMap();
    }
    return Map();
}

}  // namespace TL
