// Paper selection on arbitrary custom paper data, from the options and from a file, with
// arbitrary paper ids, custom sizes and preset papers; and the round trip: every command the
// custom paper encoder makes from a request is read back by paper selection to the paper of
// the encoded values.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "connection/util.h"
#include "custompaper/custom_paper_info_command.h"
#include "custompaper/custom_paper_info_command_creator.h"
#include "custompaper/kxd_file_names.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"

using namespace lumeko_fuzz;
using Bytes = std::vector<unsigned char>;

namespace {

bool at(const Bytes& d, size_t pos, std::initializer_list<unsigned char> pattern) {
    if (pos + pattern.size() > d.size()) {
        return false;
    }
    size_t k = pos;
    for (unsigned char b : pattern) {
        if (d[k++] != b) {
            return false;
        }
    }
    return true;
}

// A header of this model with a body marker after it that leaves the fields read (117
// bytes) inside the data: what a successful selection needs at the least.
bool holdsCustomPaper(const Bytes& d, unsigned char series, unsigned char model) {
    for (size_t i = 0; i + 17 <= d.size(); ++i) {
        if (at(d, i, {0x1B, 0x69, 0x55, 0x4F}) && d[i + 5] == series && d[i + 6] == model) {
            for (size_t j = i + 16; j + 5 + 117 <= d.size(); ++j) {
                if (at(d, j, {0x1B, 0x69, 0x55, 0x77, 0x01})) {
                    return true;
                }
            }
            return false;
        }
    }
    return false;
}

// A length of the request: tenths of a millimetre or hundredths of an inch, now and then
// any float at all.
float length(FuzzInput& in, bool inches) {
    const uint16_t v = in.u16();
    if (v >= 0xFFF0) {
        const uint32_t bits = in.u32();
        float any;
        std::memcpy(&any, &bits, sizeof any);
        return any;
    }
    return static_cast<float>(static_cast<int16_t>(v)) / (inches ? 100.0f : 10.0f);
}

// A paper-definition text: the keys with values from the input, or any text.
std::string definitionText(FuzzInput& in) {
    if (in.pick(8) == 0) {
        return in.longText();
    }
    static const unsigned kDpis[] = {203, 300, 360, 600};
    const unsigned dpi = in.flag() ? kDpis[in.pick(4)] : in.u16();
    // Read one by one: the order of function arguments is unspecified.
    const int sensorId = static_cast<int8_t>(in.u8());
    const unsigned headDots = in.u16();
    const unsigned seriesCode = in.u8();
    const unsigned modelCode = in.u8();
    const int headDivide = static_cast<int8_t>(in.u8());
    const double dieStartPlus = static_cast<int16_t>(in.u16()) / 10.0;
    const unsigned minLength = in.u16();
    const unsigned maxLength = in.u16();
    const unsigned minMargin = in.u8();
    char text[512];
    std::snprintf(
        text, sizeof text,
        "nSensorID = %d\ndwHeadPinNum = %u\nwResolutionNum = 1\nwResolutions = %u,%u\n"
        "bySeriesCode = %x\nbyModelCode = %x\nbyHeadDivide = %d\nnDieStartPlus = %.1f\n"
        "nMinPaperLength = %u\nnMaxPaperLength = %u\nnMinMargin = %u\nnMaxMargin = 1270\n",
        sensorId, headDots, dpi, dpi, seriesCode, modelCode, headDivide, dieStartPlus, minLength,
        maxLength, minMargin);
    return text;
}

unsigned le16(const TL::CustomPaperBytePair& pair) {
    return std::get<0>(pair) | (static_cast<unsigned>(std::get<1>(pair)) << 8);
}

void roundTrip(FuzzInput& in) {
    constexpr size_t kNames = sizeof TL::kKXDFileNames / sizeof TL::kKXDFileNames[0];
    const size_t name = static_cast<size_t>(in.pick(static_cast<int>(kNames) + 1));
    const std::string modelName =
        name < kNames ? TL::kKXDFileNames[name].modelName : in.shortText();
    const auto kind = static_cast<TL::PaperKind>(in.pick(5));
    const auto unit = static_cast<TL::UnitOfLength>(in.pick(3));
    const bool inches = unit == TL::UnitOfLength::Inch;
    TL::UserSettingPaperInfo s;
    s.tapeWidth = length(in, inches);
    s.tapeLength = length(in, inches);
    s.rightMargin = length(in, inches);
    s.leftMargin = length(in, inches);
    s.topMargin = length(in, inches);
    s.bottomMargin = length(in, inches);
    s.labelPitch = length(in, inches);
    s.markPosition = length(in, inches);
    s.markHeight = length(in, inches);
    if (in.flag()) {
        s.szSizeMM = in.shortText();  // preset size texts go into the body unchanged
    }
    if (in.flag()) {
        s.szSizeIN = in.shortText();
    }
    const std::string definition = definitionText(in);
    const TL::CustomPaperInfoCommandCreator creator(modelName, kind, unit, s, definition, "");
    const auto [errors, command] = creator.createCustomPaperInfoCommandAllRelated();
    FUZZ_CHECK(!errors.empty());
    if (command.empty()) {
        FUZZ_CHECK(errors.front().first != TL::ErrorParameter::None);
        return;
    }
    FUZZ_CHECK(command.size() == custom_paper_layout::kCommandLength);
    FUZZ_CHECK(errors.size() == 1 && errors.front().first == TL::ErrorParameter::None &&
               errors.front().second == TL::ErrorDetail::None);

    // A custom-paper model with the command's codes reads it back, from the options or a file.
    FuzzPrinter printer(SN_7400D);
    PrinterSpec& spec = printer.editSpec();
    FUZZ_CHECK(spec.paperKinds == 8);
    spec.seriesCode =
        command[custom_paper_layout::kHeaderOffset + custom_paper_layout::kHeaderSeriesCodeAt];
    spec.modelCode =
        command[custom_paper_layout::kHeaderOffset + custom_paper_layout::kHeaderModelCodeAt];
    spec.dpi = in.u16();
    RasterPrintOption option;
    static const std::string path = "/tmp/lumeko_custom_paper_trip_" + std::to_string(getpid());
    const bool fromFile = in.flag();
    if (fromFile) {
        FUZZ_CHECK(
            tpes::Util::writeFile(path, command.data(), static_cast<int>(command.size()), true));
        option.customPaperPath = path;
    } else {
        option.customPaperCommand = command;
    }
    printer.init(option);
    if (fromFile) {
        unlink(path.c_str());
    }
    FUZZ_CHECK(PrinterStatus::error_code_ == 1);

    // The paper of the encoded values.
    const TL::CustomPaperInfo& info = creator.customPaperInfo();
    const unsigned tapeWidMm = info.tapeWidMm().second;
    const unsigned tapeLenMm = le16(info.tapeLenMm().second);
    const unsigned headDot = le16(info.headDot().second);
    const unsigned prtWidth = le16(info.prtWidth().second);
    const unsigned prtLength = le16(info.prtLength().second);
    const unsigned topMargin = le16(info.topMargin().second);
    const Paper& paper = printer.paper();
    const auto widthDots = static_cast<unsigned short>(
        static_cast<int>(static_cast<double>(spec.dpi) * tapeWidMm / 25.4));
    FUZZ_CHECK(paper.paperId == 254);
    FUZZ_CHECK(paper.widthMm == static_cast<float>(tapeWidMm));
    FUZZ_CHECK(paper.lengthMm == static_cast<float>(tapeLenMm));
    FUZZ_CHECK(paper.widthDots == widthDots);
    FUZZ_CHECK(paper.leftOffsetDots == headDot && paper.leftOffsetBytes == (headDot >> 3));
    FUZZ_CHECK(paper.rightOffsetDots == 0);
    FUZZ_CHECK(paper.printableWidthDots == prtWidth);
    FUZZ_CHECK(paper.printableLengthDots == prtLength && paper.lengthValue1 == prtLength);
    FUZZ_CHECK(paper.sideMarginDots ==
               static_cast<unsigned short>(
                   (static_cast<int>(widthDots) + 1 - static_cast<int>(prtWidth)) / 2));
    FUZZ_CHECK(paper.feedMarginDots == topMargin);
    FUZZ_CHECK(paper.lengthDots ==
               (prtLength == 0 ? 0 : static_cast<unsigned short>(prtLength + 2 * topMargin)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    if (in.pick(2) == 1) {
        roundTrip(in);
        return 0;
    }
    const Model model = pickModel(in);
    const int route = in.pick(4);  // 0 bytes, 1 file, 2 both, 3 neither
    const int operation = in.pick(3);
    FuzzPrinter base(model);
    const PrinterSpec spec = base.getPrinterSpec();

    RasterPrintOption option;
    const int id = in.u8();
    const std::vector<Paper> papers = paperList(spec);
    option.paperId = id >= 250        ? static_cast<unsigned short>(id)
                     : papers.empty() ? static_cast<unsigned short>(in.u16())
                                      : papers[static_cast<size_t>(id) % papers.size()].paperId;
    option.customPaperWidth = in.i32();
    option.customPaperLength = in.i32();
    if (in.flag()) {
        option.presetPaper.printableWidthDots = in.u16();
        option.presetPaper.printableLengthDots = in.u16();
    }
    option.checkInkColor = in.u8();
    option.inkColor = static_cast<signed char>(in.u8());

    const Bytes custom = in.longBytes();
    static const std::string path = "/tmp/lumeko_custom_paper_fuzz_" + std::to_string(getpid());
    if (route == 0 || route == 2) {
        option.customPaperCommand = custom;
    }
    if (route == 1 || route == 2) {
        FUZZ_CHECK(
            tpes::Util::writeFile(path, custom.data(), static_cast<int>(custom.size()), true));
        option.customPaperPath = path;
    }
    if (route == 0 && in.flag()) {
        option.customPaperPath = path + ".missing";  // never opened: the bytes come first
    }

    const bool customRoute = spec.paperKinds == 8;
    const bool possible = route != 3 && holdsCustomPaper(custom, spec.seriesCode, spec.modelCode);
    switch (operation) {
        case 0:
            base.init(option);
            if (customRoute) {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 25);
                if (PrinterStatus::error_code_ == 1) {
                    FUZZ_CHECK(possible);
                    FUZZ_CHECK(base.paper().paperId == 254);
                }
            } else {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 32);
            }
            break;
        case 1: {
            const bool found = base.getCustomPaperinfo(option);
            FUZZ_CHECK(found == (PrinterStatus::error_code_ == 1));
            if (found) {
                FUZZ_CHECK(possible);
            }
            break;
        }
        default: {
            const std::vector<Paper> list = base.getPaperList(option);
            if (customRoute) {
                FUZZ_CHECK(list.size() == 1);
            } else {
                FUZZ_CHECK(list.size() == papers.size());
            }
            break;
        }
    }
    if (route == 1 || route == 2) {
        unlink(path.c_str());
    }
    return 0;
}
