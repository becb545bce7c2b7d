#pragma once

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "custompaper/custom_paper_info_parameters_default.h"
#include "custompaper/custom_paper_info_parameters_error.h"
#include "custompaper/custom_paper_parameter_rules.h"
#include "custompaper/kxd_file_parser.h"

namespace TL {

// One custom paper request made ready for encoding: the request as the host gave it and one
// accessor for every value of the custom paper command that depends on it (and for the
// right margin, the left margin and the label pitch, which the encoder only tests).
//
// Each accessor holds copies of its inputs, taken at construction, and yields
// (ErrorDetail, value) whenever it is invoked; invocations have no side effects and always
// give the same pair. Nothing about the request is refused at construction: bad values are
// reported by the accessors.
class CustomPaperInfo {
  public:
    // A function object without arguments that yields (detail, value).
    template <typename T>
    class ParametersAccesor {
      public:
        ParametersAccesor() = default;
        ParametersAccesor(const ParametersAccesor&) = default;
        ParametersAccesor(ParametersAccesor&&) = default;
        ParametersAccesor& operator=(const ParametersAccesor&) = default;
        ParametersAccesor& operator=(ParametersAccesor&&) = default;
        virtual ~ParametersAccesor() = default;

        // Evaluates the rule; an accessor without a function yields (Unavailable, zero).
        std::pair<ErrorDetail, T> operator()() const {
            if (!function) {
                return {ErrorDetail::Unavailable, T()};
            }
            return function();
        }

        std::function<std::pair<ErrorDetail, T>()> function;
    };

    using ByteAccessor = ParametersAccesor<unsigned char>;
    using PairAccessor = ParametersAccesor<std::tuple<unsigned char, unsigned char>>;
    using TextAccessor = ParametersAccesor<std::vector<unsigned char>>;

    CustomPaperInfo(const std::string& modelName, PaperKind paperKind, UnitOfLength unitOfLength,
                    const UserSettingPaperInfo& setting, std::string definitionText,
                    std::string extraText);
    CustomPaperInfo(const CustomPaperInfo&) = default;
    CustomPaperInfo(CustomPaperInfo&&) = default;
    CustomPaperInfo& operator=(const CustomPaperInfo&) = default;
    CustomPaperInfo& operator=(CustomPaperInfo&&) = default;
    virtual ~CustomPaperInfo() = default;

    // The builders of the 24 accessors; only the constructor calls them.
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfSeriesCode();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfModelCode();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfTapeWidMmSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfTapeLenMmSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfRightMarginSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfLeftMarginSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfTopMarginSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()>
    makeFunctionOfBottomMarginSetting();
    std::function<std::pair<ErrorDetail, std::vector<unsigned char>>()>
    makeFunctionOfSzSizeMMSetting();
    std::function<std::pair<ErrorDetail, std::vector<unsigned char>>()>
    makeFunctionOfSzSizeINSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfLabelPitchSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()>
    makeFunctionOfMarkPositionSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfMarkHeightSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfEnergyRank();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfSensorIDSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfRollWidMmSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfHeadDotSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfPrtWidthSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfPrtLengthSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfHeadDivideSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()>
    makeFunctionOfDieStartPlusSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()> makeFunctionOfLblPitchDotSetting();
    std::function<std::pair<ErrorDetail, CustomPaperBytePair>()>
    makeFunctionOfMarkNoChkValuSetting();
    std::function<std::pair<ErrorDetail, unsigned char>()> makeFunctionOfSensingTypeSetting();

    std::string modelName;
    PaperKind paperKind;
    UnitOfLength unitOfLength;
    UserSettingPaperInfo userSettingPaperInfo;
    std::string definitionText;
    std::string extraText;
    KXDFileParser parser;

    ByteAccessor seriesCode;
    ByteAccessor modelCode;
    ByteAccessor tapeWidMm;
    PairAccessor tapeLenMm;
    ByteAccessor rightMargin;
    ByteAccessor leftMargin;
    PairAccessor topMargin;
    PairAccessor bottomMargin;
    TextAccessor szSizeMM;
    TextAccessor szSizeIN;
    PairAccessor labelPitch;
    PairAccessor markPosition;
    PairAccessor markHeight;
    ByteAccessor energyRank;
    ByteAccessor sensorID;
    ByteAccessor rollWidMm;
    PairAccessor headDot;
    PairAccessor prtWidth;
    PairAccessor prtLength;
    ByteAccessor headDivide;
    PairAccessor dieStartPlus;
    PairAccessor lblPitchDot;
    PairAccessor markNoChkValu;
    ByteAccessor sensingType;

  private:
    // The request as constructed, immutable and shared by the accessors (so that a long
    // paper-definition text is not copied into each of them).
    std::shared_ptr<const CustomPaperRequest> request_;
    // The paper definition, parsed once at construction: the parse depends only on the
    // three texts, so every builder receives the same values.
    CustomPaperDefinition definition_;
};

}  // namespace TL
