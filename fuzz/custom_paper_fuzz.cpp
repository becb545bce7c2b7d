// Paper selection on arbitrary custom paper data, from the options and from a file, with
// arbitrary paper ids, custom sizes and preset papers: a paper is selected exactly when the
// data holds a whole body of this model's block, and its fields come from that body alone
// (never from the bytes of a block that follows a body cut short); and the round trip: every
// command the custom paper encoder makes from a request is read back by paper selection to
// the paper of the encoded values.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
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
    if (pos > d.size() || d.size() - pos < pattern.size()) {
        return false;
    }
    return std::equal(pattern.begin(), pattern.end(), d.begin() + static_cast<std::ptrdiff_t>(pos));
}

unsigned le16At(const Bytes& d, size_t pos) {
    return d[pos] | (static_cast<unsigned>(d[pos + 1]) << 8);
}

// What paper selection must read from custom paper data, written out from its rule: the
// first header of this model (with at least one byte after its 16); the first body marker
// after those 16 bytes and before the next header marker that starts 16 or more bytes after
// the header; the header's length field, counted from that marker, must cover the marker and
// the 117 body bytes read, lie inside the data and end at the end of the data, a trailer
// 1B 69 61 FF, a raster-mode switch 1B 69 61 01 or a header marker. The fields are read from
// inside that extent only; anything else is no paper.
struct Expected {
    unsigned tapeWidMm, tapeLenMm, headDot, prtWidth, prtLength, topMargin;
};

std::optional<Expected> expectedPaper(const Bytes& d, unsigned char series, unsigned char model) {
    const std::initializer_list<unsigned char> header = {0x1B, 0x69, 0x55, 0x4F};
    size_t h = 0;
    while (h + 17 <= d.size() && !(at(d, h, header) && d[h + 5] == series && d[h + 6] == model)) {
        ++h;
    }
    if (h + 17 > d.size()) {
        return std::nullopt;
    }
    size_t next = h + 16;
    while (next < d.size() && !at(d, next, header)) {
        ++next;
    }
    size_t marker = h + 16;
    while (marker < next && !at(d, marker, {0x1B, 0x69, 0x55, 0x77, 0x01})) {
        ++marker;
    }
    if (marker >= next) {
        return std::nullopt;
    }
    const uint64_t length = d[h + 8] | (static_cast<uint64_t>(d[h + 9]) << 8) |
                            (static_cast<uint64_t>(d[h + 10]) << 16) |
                            (static_cast<uint64_t>(d[h + 11]) << 24);
    const uint64_t end = marker + length;
    if (length < 5 + 117 || end > d.size()) {
        return std::nullopt;
    }
    const size_t e = static_cast<size_t>(end);
    if (e != d.size() && !at(d, e, {0x1B, 0x69, 0x61, 0xFF}) &&
        !at(d, e, {0x1B, 0x69, 0x61, 0x01}) && !at(d, e, header)) {
        return std::nullopt;
    }
    const size_t body = marker + 5;
    return Expected{d[body + 2],         le16At(d, body + 3),  le16At(d, body + 6),
                    le16At(d, body + 8), le16At(d, body + 10), le16At(d, body + 115)};
}

// The fields of the current paper that come from the body.
void checkPaper(const Paper& paper, const Expected& e) {
    FUZZ_CHECK(paper.paperId == 254);
    FUZZ_CHECK(paper.widthMm == static_cast<float>(e.tapeWidMm));
    FUZZ_CHECK(paper.lengthMm == static_cast<float>(e.tapeLenMm));
    FUZZ_CHECK(paper.leftOffsetDots == e.headDot);
    FUZZ_CHECK(paper.printableWidthDots == e.prtWidth);
    FUZZ_CHECK(paper.printableLengthDots == e.prtLength);
    FUZZ_CHECK(paper.feedMarginDots == e.topMargin);
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
    const std::optional<Expected> expected =
        route == 3 ? std::nullopt : expectedPaper(custom, spec.seriesCode, spec.modelCode);
    switch (operation) {
        case 0:
            base.init(option);
            if (customRoute) {
                FUZZ_CHECK(PrinterStatus::error_code_ == (expected ? 1 : 25));
                if (expected) {
                    checkPaper(base.paper(), *expected);
                }
            } else {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 32);
            }
            break;
        case 1: {
            const bool found = base.getCustomPaperinfo(option);
            FUZZ_CHECK(found == (PrinterStatus::error_code_ == 1));
            FUZZ_CHECK(found == expected.has_value());
            if (found) {
                checkPaper(base.paper(), *expected);
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
