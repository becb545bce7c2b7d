#include "custompaper/custom_paper_info_command_creator.h"

#include <cstddef>

#include "common/byte_order.h"
#include "custompaper/custom_paper_info_command.h"

namespace TL {

namespace layout = custom_paper_layout;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The 30 body fields, named; the encoding of each is chosen by its name, never by its place
// in the list.
enum class Field {
    SensorId,
    EnergyRank,
    TapeWidMm,
    TapeLenMm,
    RollWidMm,
    HeadDot,
    PrtWidth,
    PrtLength,
    HeadDivide,
    DieStartPlus,
    DieStartRevPlus,
    DieStartFwdPlus,
    AfterFeedPlus,
    PafMediaId,
    BlockPos1,
    BlockPos2,
    BlockPos3,
    SzSizeMm,
    SzSizeIn,
    CharAtrInfo,
    LblPitchDot,
    MarkNoChkValu,
    TopMargin,
    MarkPosition,
    MarkHeight,
    SensingType,
    BottomMargin,
    MediaSensorSensitivity,
    MediaSensorIntensity,
    Reserved,
};

// The 30 body fields in command order, with their place in the body.
struct FieldName {
    const char* name;
    Field id;
    layout::BodyField field;
};

// clang-format off
constexpr FieldName kFields[] = {
    {"sensorID",                Field::SensorId,               layout::kSensorId},
    {"energyRank",              Field::EnergyRank,             layout::kEnergyRank},
    {"tapeWidMm",               Field::TapeWidMm,              layout::kTapeWidMm},
    {"tapeLenMm",               Field::TapeLenMm,              layout::kTapeLenMm},
    {"rollWidMm",               Field::RollWidMm,              layout::kRollWidMm},
    {"headDot",                 Field::HeadDot,                layout::kHeadDot},
    {"prtWidth",                Field::PrtWidth,               layout::kPrtWidth},
    {"prtLength",               Field::PrtLength,              layout::kPrtLength},
    {"headDivide",              Field::HeadDivide,             layout::kHeadDivide},
    {"dieStartPlus",            Field::DieStartPlus,           layout::kDieStartPlus},
    {"dieStartRevPlus",         Field::DieStartRevPlus,        layout::kDieStartRevPlus},
    {"dieStartFwdPlus",         Field::DieStartFwdPlus,        layout::kDieStartFwdPlus},
    {"afterFeedPlus",           Field::AfterFeedPlus,          layout::kAfterFeedPlus},
    {"pafMediaID",              Field::PafMediaId,             layout::kPafMediaId},
    {"blockPos1",               Field::BlockPos1,              layout::kBlockPos1},
    {"blockPos2",               Field::BlockPos2,              layout::kBlockPos2},
    {"blockPos3",               Field::BlockPos3,              layout::kBlockPos3},
    {"szSizeMM",                Field::SzSizeMm,               layout::kSzSizeMm},
    {"szSizeIN",                Field::SzSizeIn,               layout::kSzSizeIn},
    {"charAtrInfo",             Field::CharAtrInfo,            layout::kCharAtrInfo},
    {"lblPitchDot",             Field::LblPitchDot,            layout::kLblPitchDot},
    {"markNoChkValu",           Field::MarkNoChkValu,          layout::kMarkNoChkValu},
    {"topMargin",               Field::TopMargin,              layout::kTopMargin},
    {"markPosition",            Field::MarkPosition,           layout::kMarkPosition},
    {"markHeight",              Field::MarkHeight,             layout::kMarkHeight},
    {"sensingType",             Field::SensingType,            layout::kSensingType},
    {"bottomMargin",            Field::BottomMargin,           layout::kBottomMargin},
    {"mediaSensorSensitivity",  Field::MediaSensorSensitivity, layout::kMediaSensorSensitivity},
    {"mediaSensorIntensity",    Field::MediaSensorIntensity,   layout::kMediaSensorIntensity},
    {"reserved",                Field::Reserved,               layout::kReserved},
};
// clang-format on

// The fields follow one another without gaps and fill the body.
constexpr bool fieldsFillTheBody() {
    std::size_t next = 0;
    for (const FieldName& f : kFields) {
        if (f.field.offset != next) {
            return false;
        }
        next += f.field.width;
    }
    return next == layout::kBodyLength;
}
static_assert(fieldsFillTheBody(), "the 30 fields fill the 127-byte body in order");

// ESC i U w (1B 69 55 77): the body marker without its mode byte.
constexpr std::size_t kBodyCommandLength = layout::kBodyMarkerLength - 1;

void appendZeros(Bytes& bytes, std::size_t count) {
    bytes.insert(bytes.end(), count, 0x00);
}

void appendPair(Bytes& bytes, const CustomPaperBytePair& pair) {
    bytes.push_back(std::get<0>(pair));  // least significant byte first
    bytes.push_back(std::get<1>(pair));
}

bool failed(ErrorDetail detail) {
    return detail != ErrorDetail::None;
}

// Tape length, margins and mark fields: "does not apply" is no failure.
bool failedUnlessNotApplicable(ErrorDetail detail) {
    return detail != ErrorDetail::None && detail != ErrorDetail::NotApplicable;
}

// A one-byte field: its value, or 00 and the pair when the detail counts as a failure.
void byteField(Bytes& bytes, CustomPaperErrorList& errors, const CustomPaperByteResult& result,
               bool isFailure, bool withPair, ErrorParameter parameter) {
    if (isFailure) {
        bytes.push_back(0x00);
        if (withPair) {
            errors.emplace_back(parameter, result.first);
        }
        return;
    }
    bytes.push_back(result.second);
}

// A two-byte field, likewise.
void pairField(Bytes& bytes, CustomPaperErrorList& errors, const CustomPaperPairResult& result,
               bool isFailure, bool withPair, ErrorParameter parameter) {
    if (isFailure) {
        appendZeros(bytes, 2);
        if (withPair) {
            errors.emplace_back(parameter, result.first);
        }
        return;
    }
    appendPair(bytes, result.second);
}

// The 16 bytes of a size text exactly as delivered; never more or fewer than 16.
void textField(Bytes& bytes, const std::vector<unsigned char>& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes.push_back(i < text.size() ? text[i] : 0x00);
    }
}

}  // namespace

CustomPaperInfoCommandCreator::CustomPaperInfoCommandCreator(
    const std::string& modelName, PaperKind paperKind, UnitOfLength unitOfLength,
    const UserSettingPaperInfo& setting, std::string definitionText, std::string extraText)
    : info_(modelName, paperKind, unitOfLength, setting, std::move(definitionText),
            std::move(extraText)) {}

void CustomPaperInfoCommandCreator::setCustomPaperInfoParameter(
    std::string name, std::vector<std::uint8_t>& bytes, CustomPaperErrorList& errors) const {
    std::size_t index = 0;
    while (index < std::size(kFields) && name != kFields[index].name) {
        ++index;
    }
    if (index == std::size(kFields)) {
        bytes.push_back(0x00);
        errors.emplace_back(ErrorParameter::Other, ErrorDetail::Unavailable);
        return;
    }
    const layout::BodyField field = kFields[index].field;
    const CustomPaperInfo& p = info_;
    switch (kFields[index].id) {
        case Field::SensorId: {  // sensorID
            const auto r = p.sensorID();
            byteField(bytes, errors, r, failed(r.first), true, ErrorParameter::Other);
            break;
        }
        case Field::EnergyRank: {  // energyRank: 15 or 7
            const auto r = p.energyRank();
            byteField(bytes, errors, r, failed(r.first), true, ErrorParameter::EnergyRank);
            break;
        }
        case Field::TapeWidMm: {  // tapeWidMm: whole millimetres
            const auto r = p.tapeWidMm();
            byteField(bytes, errors, r, failed(r.first), true, ErrorParameter::TapeWidth);
            break;
        }
        case Field::TapeLenMm: {  // tapeLenMm: whole millimetres
            const auto r = p.tapeLenMm();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::TapeLength);
            break;
        }
        case Field::RollWidMm: {  // rollWidMm
            const auto r = p.rollWidMm();
            byteField(bytes, errors, r, failed(r.first), false, ErrorParameter::None);
            break;
        }
        case Field::HeadDot: {  // headDot: where the printable area starts on the head
            const auto r = p.headDot();
            pairField(bytes, errors, r, failed(r.first), false, ErrorParameter::None);
            break;
        }
        case Field::PrtWidth: {  // prtWidth, after the margin test
            const ErrorDetail right = p.rightMargin().first;
            const ErrorDetail left = p.leftMargin().first;
            if (failed(right) || failed(left)) {
                errors.emplace_back(ErrorParameter::RightMargin, right);
                errors.emplace_back(ErrorParameter::LeftMargin, left);
                appendZeros(bytes, field.width);
                break;
            }
            const auto r = p.prtWidth();
            pairField(bytes, errors, r, failed(r.first), false, ErrorParameter::None);
            break;
        }
        case Field::PrtLength: {  // prtLength
            const auto r = p.prtLength();
            pairField(bytes, errors, r, failed(r.first), false, ErrorParameter::None);
            break;
        }
        case Field::HeadDivide: {  // headDivide
            const auto r = p.headDivide();
            byteField(bytes, errors, r, failed(r.first), true, ErrorParameter::Other);
            break;
        }
        case Field::DieStartPlus: {  // dieStartPlus
            const auto r = p.dieStartPlus();
            pairField(bytes, errors, r, failed(r.first), true, ErrorParameter::Other);
            break;
        }
        case Field::PafMediaId:  // pafMediaID: always 01 02
            bytes.push_back(0x01);
            bytes.push_back(0x02);
            break;
        case Field::SzSizeMm:  // szSizeMM: the detail is not consulted
            textField(bytes, p.szSizeMM().second, field.width);
            break;
        case Field::SzSizeIn:  // szSizeIN
            textField(bytes, p.szSizeIN().second, field.width);
            break;
        case Field::LblPitchDot: {  // lblPitchDot, after the label pitch test
            const ErrorDetail pitch = p.labelPitch().first;
            if (pitch == ErrorDetail::NotApplicable) {
                appendZeros(bytes, field.width);
                break;
            }
            if (failed(pitch)) {
                errors.emplace_back(ErrorParameter::LabelPitch, pitch);
                appendZeros(bytes, field.width);
                break;
            }
            const auto r = p.lblPitchDot();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::LabelPitch);
            break;
        }
        case Field::MarkNoChkValu: {  // markNoChkValu
            const auto r = p.markNoChkValu();
            pairField(bytes, errors, r, failed(r.first), true, ErrorParameter::Other);
            break;
        }
        case Field::TopMargin: {  // topMargin, dots
            const auto r = p.topMargin();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::TopMargin);
            break;
        }
        case Field::MarkPosition: {  // markPosition, dots, signed
            const auto r = p.markPosition();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::MarkPosition);
            break;
        }
        case Field::MarkHeight: {  // markHeight, dots
            const auto r = p.markHeight();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::MarkHeight);
            break;
        }
        case Field::SensingType: {  // sensingType: 0 roll, 1 die-cut, 2 mark roll
            const auto r = p.sensingType();
            byteField(bytes, errors, r, failed(r.first), true, ErrorParameter::Other);
            break;
        }
        case Field::BottomMargin: {  // bottomMargin, dots
            const auto r = p.bottomMargin();
            pairField(bytes, errors, r, failedUnlessNotApplicable(r.first), true,
                      ErrorParameter::BottomMargin);
            break;
        }
        case Field::DieStartRevPlus:
        case Field::DieStartFwdPlus:
        case Field::AfterFeedPlus:
        case Field::BlockPos1:
        case Field::BlockPos2:
        case Field::BlockPos3:
        case Field::CharAtrInfo:
        case Field::MediaSensorSensitivity:
        case Field::MediaSensorIntensity:
        case Field::Reserved:  // always zero
            appendZeros(bytes, field.width);
            break;
    }
}

bool CustomPaperInfoCommandCreator::unworkableDots() const {
    if (info_.seriesCode().first != ErrorDetail::None) {
        return false;  // an invalid definition, which other fields report
    }
    const auto unavailable = [](ErrorDetail detail) { return detail == ErrorDetail::Unavailable; };
    return unavailable(info_.headDot().first) || unavailable(info_.prtWidth().first) ||
           unavailable(info_.prtLength().first);
}

CustomPaperInfoCommandCreator::Result CustomPaperInfoCommandCreator::createCustomPaperInfoCommand(
    std::uint8_t mode) const {
    // ESC i U w (1B 69 55 77) and the mode byte: custom paper body follows.
    Bytes bytes(layout::kBodyMarker, layout::kBodyMarker + kBodyCommandLength);
    bytes.push_back(mode);
    CustomPaperErrorList errors;
    for (const FieldName& f : kFields) {
        setCustomPaperInfoParameter(f.name, bytes, errors);
    }
    if (errors.empty() && unworkableDots()) {
        errors.emplace_back(ErrorParameter::Other, ErrorDetail::Unavailable);
    }
    if (errors.empty()) {
        errors.emplace_back(ErrorParameter::None, ErrorDetail::None);
    }
    return {errors, bytes};
}

std::pair<bool, std::vector<std::uint8_t>> CustomPaperInfoCommandCreator::createHeaderCommnad(
    std::uint8_t seriesCode, std::uint8_t modelCode, std::vector<std::uint8_t> length) const {
    // ESC i U O (1B 69 55 4F) 10: custom paper block header.
    Bytes header(layout::kHeaderMarker, layout::kHeaderMarker + layout::kHeaderMarkerLength);
    header.push_back(layout::kHeaderSizeByte);
    header.push_back(seriesCode);
    header.push_back(modelCode);
    header.push_back(0x00);
    const bool lengthOk = length.size() == layout::kHeaderBodyLengthWidth;
    if (lengthOk) {
        header.insert(header.end(), length.begin(), length.end());
    } else {
        appendZeros(header, layout::kHeaderBodyLengthWidth);
    }
    appendZeros(header, layout::kHeaderTailWidth);
    return {lengthOk && seriesCode != 0 && modelCode != 0, header};
}

std::vector<std::uint8_t> CustomPaperInfoCommandCreator::devideUint32DataInto4Uint8Data(
    std::uint32_t value) const {
    std::vector<std::uint8_t> bytes;
    lumeko::appendLe32(bytes, value);
    return bytes;
}

CustomPaperInfoCommandCreator::Result
CustomPaperInfoCommandCreator::createHeaderCommandAndCustomPaperInfoCommand() const {
    const CustomPaperErrorList headerError{{ErrorParameter::Other, ErrorDetail::Unavailable}};
    Result body = createCustomPaperInfoCommand(0x01);
    if (body.first.empty() || body.first.front().first != ErrorParameter::None) {
        return {body.first, Bytes()};
    }
    const Bytes length =
        devideUint32DataInto4Uint8Data(static_cast<std::uint32_t>(body.second.size()));
    const auto series = info_.seriesCode();
    const auto model = info_.modelCode();
    if (failed(series.first) || failed(model.first)) {
        return {headerError, Bytes()};
    }
    const auto header = createHeaderCommnad(series.second, model.second, length);
    if (!header.first || header.second.empty() || body.second.empty()) {
        return {headerError, Bytes()};
    }
    Bytes bytes = header.second;
    bytes.insert(bytes.end(), body.second.begin(), body.second.end());
    return {CustomPaperErrorList{{ErrorParameter::None, ErrorDetail::None}}, bytes};
}

CustomPaperInfoCommandCreator::Result
CustomPaperInfoCommandCreator::createCustomPaperInfoCommandAllRelated() const {
    Result inner = createHeaderCommandAndCustomPaperInfoCommand();
    if (inner.first.empty() || inner.first.front().first != ErrorParameter::None) {
        return {inner.first, Bytes()};
    }
    // ESC i a 01 (1B 69 61 01): switch to the raster command mode.
    Bytes bytes(layout::kRasterModeSwitch, layout::kRasterModeSwitch + layout::kModeSwitchLength);
    bytes.insert(bytes.end(), inner.second.begin(), inner.second.end());
    // ESC i a FF (1B 69 61 FF): switch back to the printer's default command mode.
    bytes.insert(bytes.end(), layout::kDefaultModeSwitch,
                 layout::kDefaultModeSwitch + layout::kModeSwitchLength);
    return {inner.first, bytes};
}

}  // namespace TL
