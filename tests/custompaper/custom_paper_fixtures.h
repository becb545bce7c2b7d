#pragma once

#include <string>
#include <vector>

#include "custompaper/custom_paper_info_parameters_default.h"

namespace custom_paper_test {

// A paper-definition text of a 300 dpi head of 1248 dots (105.7 mm), series code 0x35 and
// model code 0x39, margins between 3.0 and 127.0 mm.
inline std::string definition300() {
    return "; paper definition\n"
           "[Head]\n"
           "nSensorID = 1\n"
           "dwHeadPinNum = 1248\n"
           "wResolutionNum = 2\n"
           "wResolutions = 300,300,600,300\n"
           "bySeriesCode = 35\n"
           "byModelCode = 39\n"
           "byHeadDivide = 2\n"
           "nDieStartPlus = 8\n"
           "nMinPaperLength = 60\n"
           "nMaxPaperLength = 10000\n"
           "nMinMargin = 30\n"
           "nMaxMargin = 1270\n";
}

// The same text with one line replaced (`key` must be one of its keys) or removed.
inline std::string definitionWith(const std::string& key, const std::string& line) {
    std::string text = definition300();
    const std::size_t at = text.find(key + " =");
    const std::size_t end = text.find('\n', at);
    text.replace(at, end + 1 - at, line.empty() ? "" : line + "\n");
    return text;
}

// The same text for a 600 dpi head of 2496 dots.
inline std::string definition600() {
    std::string text = definitionWith("dwHeadPinNum", "dwHeadPinNum = 2496");
    const std::string resolutions = "wResolutions = 300,300,600,300";
    text.replace(text.find(resolutions), resolutions.size(), "wResolutions = 600,600");
    return text;
}

constexpr const char* kModel = "Talvora SN-7500D";  // series "SN-7000D"

// Sizes in millimetres (or inches) in the order the host passes them.
inline TL::UserSettingPaperInfo sizes(float width, float length, float right, float left, float top,
                                      float bottom, float pitch, float markPosition,
                                      float markHeight) {
    TL::UserSettingPaperInfo s;
    s.tapeWidth = width;
    s.tapeLength = length;
    s.rightMargin = right;
    s.leftMargin = left;
    s.topMargin = top;
    s.bottomMargin = bottom;
    s.labelPitch = pitch;
    s.markPosition = markPosition;
    s.markHeight = markHeight;
    return s;
}

// 62 x 100 mm die-cut labels, margins 3 mm at the sides and 2 mm at top and bottom, 3 mm
// between labels.
inline TL::UserSettingPaperInfo dieCut62x100() {
    return sizes(62, 100, 3, 3, 2, 2, 3, 0, 0);
}

using Bytes = std::vector<unsigned char>;

}  // namespace custom_paper_test
