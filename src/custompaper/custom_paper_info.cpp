#include "custompaper/custom_paper_info.h"

namespace TL {

namespace {

// An accessor function: the rule with the immutable request and a copy of the definition
// values.
template <typename Result>
std::function<Result()> bind(Result (*rule)(const CustomPaperRequest&,
                                            const CustomPaperDefinition&),
                             std::shared_ptr<const CustomPaperRequest> request,
                             CustomPaperDefinition definition) {
    return
        [rule, request = std::move(request), definition]() { return rule(*request, definition); };
}

std::shared_ptr<const CustomPaperRequest> makeRequest(const CustomPaperInfo& info) {
    auto request = std::make_shared<CustomPaperRequest>();
    request->modelName = info.modelName;
    request->paperKind = info.paperKind;
    request->unitOfLength = info.unitOfLength;
    request->setting = info.userSettingPaperInfo;
    request->definitionText = info.definitionText;
    request->extraText = info.extraText;
    return request;
}

}  // namespace

CustomPaperInfo::CustomPaperInfo(const std::string& name, PaperKind kind, UnitOfLength unit,
                                 const UserSettingPaperInfo& setting, std::string definition,
                                 std::string extra)
    : modelName(name),
      paperKind(kind),
      unitOfLength(unit),
      userSettingPaperInfo(setting),
      definitionText(std::move(definition)),
      extraText(std::move(extra)),
      parser(modelName, definitionText, extraText),
      request_(makeRequest(*this)),
      definition_(CustomPaperDefinition::fromParameters(parser.getKXDFileParameterFromData())) {
    seriesCode.function = makeFunctionOfSeriesCode();
    modelCode.function = makeFunctionOfModelCode();
    tapeWidMm.function = makeFunctionOfTapeWidMmSetting();
    tapeLenMm.function = makeFunctionOfTapeLenMmSetting();
    rightMargin.function = makeFunctionOfRightMarginSetting();
    leftMargin.function = makeFunctionOfLeftMarginSetting();
    topMargin.function = makeFunctionOfTopMarginSetting();
    bottomMargin.function = makeFunctionOfBottomMarginSetting();
    szSizeMM.function = makeFunctionOfSzSizeMMSetting();
    szSizeIN.function = makeFunctionOfSzSizeINSetting();
    labelPitch.function = makeFunctionOfLabelPitchSetting();
    markPosition.function = makeFunctionOfMarkPositionSetting();
    markHeight.function = makeFunctionOfMarkHeightSetting();
    energyRank.function = makeFunctionOfEnergyRank();
    sensorID.function = makeFunctionOfSensorIDSetting();
    rollWidMm.function = makeFunctionOfRollWidMmSetting();
    headDot.function = makeFunctionOfHeadDotSetting();
    prtWidth.function = makeFunctionOfPrtWidthSetting();
    prtLength.function = makeFunctionOfPrtLengthSetting();
    headDivide.function = makeFunctionOfHeadDivideSetting();
    dieStartPlus.function = makeFunctionOfDieStartPlusSetting();
    lblPitchDot.function = makeFunctionOfLblPitchDotSetting();
    markNoChkValu.function = makeFunctionOfMarkNoChkValuSetting();
    sensingType.function = makeFunctionOfSensingTypeSetting();
}

// clang-format off
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfSeriesCode() {
    return bind(&CustomPaperRules::seriesCode, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfModelCode() {
    return bind(&CustomPaperRules::modelCode, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfTapeWidMmSetting() {
    return bind(&CustomPaperRules::tapeWidMm, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfTapeLenMmSetting() {
    return bind(&CustomPaperRules::tapeLenMm, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfRightMarginSetting() {
    return bind(&CustomPaperRules::rightMargin, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfLeftMarginSetting() {
    return bind(&CustomPaperRules::leftMargin, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfTopMarginSetting() {
    return bind(&CustomPaperRules::topMargin, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfBottomMarginSetting() {
    return bind(&CustomPaperRules::bottomMargin, request_, definition_);
}
std::function<std::pair<ErrorDetail, std::vector<unsigned char>>()> CustomPaperInfo::makeFunctionOfSzSizeMMSetting() {
    return bind(&CustomPaperRules::szSizeMM, request_, definition_);
}
std::function<std::pair<ErrorDetail, std::vector<unsigned char>>()> CustomPaperInfo::makeFunctionOfSzSizeINSetting() {
    return bind(&CustomPaperRules::szSizeIN, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfLabelPitchSetting() {
    return bind(&CustomPaperRules::labelPitch, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfMarkPositionSetting() {
    return bind(&CustomPaperRules::markPosition, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfMarkHeightSetting() {
    return bind(&CustomPaperRules::markHeight, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfEnergyRank() {
    return bind(&CustomPaperRules::energyRank, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfSensorIDSetting() {
    return bind(&CustomPaperRules::sensorId, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfRollWidMmSetting() {
    return bind(&CustomPaperRules::rollWidMm, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfHeadDotSetting() {
    return bind(&CustomPaperRules::headDot, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfPrtWidthSetting() {
    return bind(&CustomPaperRules::prtWidth, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfPrtLengthSetting() {
    return bind(&CustomPaperRules::prtLength, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfHeadDivideSetting() {
    return bind(&CustomPaperRules::headDivide, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfDieStartPlusSetting() {
    return bind(&CustomPaperRules::dieStartPlus, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfLblPitchDotSetting() {
    return bind(&CustomPaperRules::lblPitchDot, request_, definition_);
}
std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> CustomPaperInfo::makeFunctionOfMarkNoChkValuSetting() {
    return bind(&CustomPaperRules::markNoChkValu, request_, definition_);
}
std::function<std::pair<ErrorDetail, unsigned char>()> CustomPaperInfo::makeFunctionOfSensingTypeSetting() {
    return bind(&CustomPaperRules::sensingType, request_, definition_);
}
// clang-format on

}  // namespace TL
