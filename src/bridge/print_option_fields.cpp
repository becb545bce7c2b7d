#include "bridge/print_option_fields.h"

namespace bridge {

const char* hostSignature(HostType type) {
    switch (type) {
        case HostType::Int:
            return "I";
        case HostType::Boolean:
            return "Z";
        case HostType::Double:
            return "D";
        case HostType::String:
            return "Ljava/lang/String;";
        case HostType::Bytes:
            return "[B";
    }
    return "";
}

namespace {

// Low bits of a host int, as the narrow fields of the record keep them.
unsigned short low16(std::int32_t v) {
    return static_cast<unsigned short>(v & 0xFFFF);
}
short low16Signed(std::int32_t v) {
    const auto bits = static_cast<std::uint16_t>(v & 0xFFFF);
    return static_cast<short>(bits >= 0x8000 ? static_cast<std::int32_t>(bits) - 0x10000 : bits);
}
signed char low8Signed(std::int32_t v) {
    const auto bits = static_cast<std::uint8_t>(v & 0xFF);
    return static_cast<signed char>(bits >= 0x80 ? static_cast<std::int32_t>(bits) - 0x100 : bits);
}
unsigned char low8(std::int32_t v) {
    return static_cast<unsigned char>(v & 0xFF);
}

using O = RasterPrintOption;
using V = HostValue;

// clang-format off
const std::array<PrintOptionField, kPrintOptionFieldCount> kFields = {{
    {"paperId", HostType::Int, [](O& o, const V& v) { o.paperId = low16(v.i); }},
    {"orientation", HostType::Int, [](O& o, const V& v) { o.orientation = v.i; }},
    {"numberOfCopies", HostType::Int, [](O& o, const V& v) { o.numberOfCopies = v.i; }},
    {"closeWaitDisusingStatusCheckSec", HostType::Int, [](O& o, const V& v) { o.closeWaitDisusingStatusCheckSec = v.i; }},
    {"halftone", HostType::Int, [](O& o, const V& v) { o.halftone = v.i; }},
    {"printMode", HostType::Int, [](O& o, const V& v) { o.printMode = v.i; }},
    {"scale", HostType::Double, [](O& o, const V& v) { o.scale = v.d; }},
    {"halfThreshold", HostType::Int, [](O& o, const V& v) { o.halfThreshold = low16Signed(v.i); }},
    {"align", HostType::Int, [](O& o, const V& v) { o.align = v.i; }},
    {"valign", HostType::Int, [](O& o, const V& v) { o.valign = v.i; }},
    {"paperPosition", HostType::Int, [](O& o, const V& v) { o.paperPosition = v.i; }},
    {"density", HostType::Int, [](O& o, const V& v) { o.density = low8Signed(v.i); }},
    {"fcFeedMode", HostType::Int, [](O& o, const V& v) { o.fcFeedMode = v.i; }},
    {"customPaperWidth", HostType::Int, [](O& o, const V& v) { o.customPaperWidth = v.i; }},
    {"customPaperLength", HostType::Int, [](O& o, const V& v) { o.customPaperLength = v.i; }},
    {"customFeed", HostType::Int, [](O& o, const V& v) { o.customFeed = v.i; }},
    {"marginLeft", HostType::Int, [](O& o, const V& v) { o.marginLeft = v.i; }},
    {"marginTop", HostType::Int, [](O& o, const V& v) { o.marginTop = v.i; }},
    {"speed", HostType::Int, [](O& o, const V& v) { o.speed = low8(v.i); }},
    {"rollPrinterCase", HostType::Int, [](O& o, const V& v) { o.rollPrinterCase = v.i; }},
    {"fcCarbon", HostType::Boolean, [](O& o, const V& v) { o.fcCarbon = v.z; }},
    {"rotate180", HostType::Boolean, [](O& o, const V& v) { o.rotate180 = v.z; }},
    {"peelMode", HostType::Boolean, [](O& o, const V& v) { o.peelMode = v.z; }},
    {"mirrorPrint", HostType::Boolean, [](O& o, const V& v) { o.mirrorPrint = v.z; }},
    {"isAutoCut", HostType::Boolean, [](O& o, const V& v) { o.isAutoCut = v.z; }},
    {"isCutAtEnd", HostType::Boolean, [](O& o, const V& v) { o.isCutAtEnd = v.z; }},
    {"mode9", HostType::Boolean, [](O& o, const V& v) { o.mode9 = v.z; }},
    {"isHalfCut", HostType::Boolean, [](O& o, const V& v) { o.isHalfCut = v.z; }},
    {"isSpecialTape", HostType::Boolean, [](O& o, const V& v) { o.isSpecialTape = v.z; }},
    {"skipStatusCheck", HostType::Boolean, [](O& o, const V& v) { o.doStatusCheck = !v.z; }},
    {"checkPrintEnd", HostType::Int, [](O& o, const V& v) { o.checkPrintEnd = v.i; }},
    {"isLabelEndCut", HostType::Boolean, [](O& o, const V& v) { o.isLabelEndCut = v.z; }},
    {"fcPaperKind", HostType::Int, [](O& o, const V& v) { o.fcPaperKind = v.i; }},
    {"printQuality", HostType::Int, [](O& o, const V& v) { o.printQuality = v.i; }},
    {"isCutMark", HostType::Boolean, [](O& o, const V& v) { o.isCutMark = v.z; }},
    {"trimTapeAfterData", HostType::Boolean, [](O& o, const V& v) { o.trimTapeAfterData = v.z; }},
    {"rawMode", HostType::Boolean, [](O& o, const V& v) { o.rawMode = v.z; }},
    {"labelMargin", HostType::Int, [](O& o, const V& v) { o.labelMargin = v.i; }},
    {"dashLine", HostType::Boolean, [](O& o, const V& v) { o.dashLine = v.z; }},
    {"overwrite", HostType::Boolean, [](O& o, const V& v) { o.overwrite = v.z; }},
    {"useLegacyHalftoneEngine", HostType::Boolean, [](O& o, const V& v) { o.useLegacyHalftoneEngine = v.z; }},
    {"banishMargin", HostType::Boolean, [](O& o, const V& v) { o.banishMargin = v.z; }},
    {"customPaperPath", HostType::String, [](O& o, const V& v) { o.customPaperPath = v.text; }},
    {"customPaperCommand", HostType::Bytes, [](O& o, const V& v) { if (v.hasBytes) o.customPaperCommand = v.bytes; }},
    {"savePrnPath", HostType::String, [](O& o, const V& v) { o.savePrnPath = v.text; }},
}};
// clang-format on

}  // namespace

const std::array<PrintOptionField, kPrintOptionFieldCount>& printOptionFields() {
    return kFields;
}

}  // namespace bridge
