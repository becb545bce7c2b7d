#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/paper.h"

namespace paper_fields {

// Calls f(name, field) for every field of a Paper but the two names, in declaration order.
template <class P, class F>
void forEachNumber(P& p, F f) {
    f("paperId", p.paperId);
    f("widthMm", p.widthMm);
    f("lengthMm", p.lengthMm);
    f("widthDots", p.widthDots);
    f("lengthDots", p.lengthDots);
    f("leftOffsetDots", p.leftOffsetDots);
    f("rightOffsetDots", p.rightOffsetDots);
    f("sideMarginDots", p.sideMarginDots);
    f("feedMarginDots", p.feedMarginDots);
    f("reserved1", p.reserved1);
    f("reserved2", p.reserved2);
    f("printableWidthDots", p.printableWidthDots);
    f("printableLengthDots", p.printableLengthDots);
    f("leftOffsetBytes", p.leftOffsetBytes);
    f("mediaWidthMm", p.mediaWidthMm);
    f("mediaLengthMm", p.mediaLengthMm);
    f("mediaType", p.mediaType);
    f("qualityMediaType", p.qualityMediaType);
    f("fcPaperCommandValue", p.fcPaperCommandValue);
    f("isTube", p.isTube);
    f("mediaId", p.mediaId);
    f("widthTenthMm", p.widthTenthMm);
    f("lengthTenthMm", p.lengthTenthMm);
    f("printableWidthTenthMm", p.printableWidthTenthMm);
    f("printableLengthTenthMm", p.printableLengthTenthMm);
    f("mediaColorCode", p.mediaColorCode);
    f("isTwoColor", p.isTwoColor);
    f("isCustomSize", p.isCustomSize);
    f("lengthValue1", p.lengthValue1);
    f("lengthValue2", p.lengthValue2);
    f("lengthValue3", p.lengthValue3);
    f("minLengthTenthMm", p.minLengthTenthMm);
    f("checkInkColor", p.checkInkColor);
    f("inkColor", p.inkColor);
    f("checkLabelColor", p.checkLabelColor);
    f("labelColor", p.labelColor);
}

// Every field (names included) in which the two papers differ, one text per field, empty when
// they are equal. Floats are compared exactly.
inline std::vector<std::string> differences(const Paper& expected, const Paper& actual) {
    std::vector<std::string> out;
    if (expected.paperNameMm != actual.paperNameMm) {
        out.push_back("paperNameMm: expected '" + expected.paperNameMm + "', got '" +
                      actual.paperNameMm + "'");
    }
    if (expected.paperNameInch != actual.paperNameInch) {
        out.push_back("paperNameInch: expected '" + expected.paperNameInch + "', got '" +
                      actual.paperNameInch + "'");
    }
    std::vector<std::pair<const char*, double>> values;
    forEachNumber(expected, [&](const char* name, const auto& v) {
        values.emplace_back(name, static_cast<double>(v));
    });
    size_t i = 0;
    forEachNumber(actual, [&](const char* name, const auto& v) {
        const double got = static_cast<double>(v);
        if (values[i].second != got) {
            std::ostringstream s;
            s << name << ": expected " << values[i].second << ", got " << got;
            out.push_back(s.str());
        }
        ++i;
    });
    return out;
}

inline std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) {
        s += l + "\n";
    }
    return s;
}

}  // namespace paper_fields
