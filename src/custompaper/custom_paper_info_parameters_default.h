#pragma once

#include <cstdint>
#include <string>

namespace TL {

// The types through which a custom paper request arrives: the paper kind, the unit of the
// user's lengths and the user's sizes and margins.
class CustomPaperInfoParametersDefault {
  public:
    CustomPaperInfoParametersDefault() = default;
    CustomPaperInfoParametersDefault(const CustomPaperInfoParametersDefault&) = default;
    CustomPaperInfoParametersDefault& operator=(const CustomPaperInfoParametersDefault&) = default;
    virtual ~CustomPaperInfoParametersDefault() = default;

    // The host's value is carried unchanged; a value outside the list has the empty text.
    enum class PaperKind : int { Roll = 1, DieCut = 2, MarkRoll = 3 };
    enum class UnitOfLength : int { Inch = 1, Mm = 2 };

    // The user's request. Lengths are in the unit of the request (millimetres or inches);
    // the unit itself travels beside the record.
    class UserSettingPaperInfo {
      public:
        UserSettingPaperInfo() = default;
        UserSettingPaperInfo(const UserSettingPaperInfo&) = default;
        UserSettingPaperInfo(UserSettingPaperInfo&&) = default;
        UserSettingPaperInfo& operator=(const UserSettingPaperInfo&) = default;
        UserSettingPaperInfo& operator=(UserSettingPaperInfo&&) = default;
        virtual ~UserSettingPaperInfo() = default;

        float tapeWidth = 0.0f;
        float tapeLength = 0.0f;
        float rightMargin = 0.0f;
        float leftMargin = 0.0f;
        std::string szSizeMM;  // ready-made size texts; empty unless a caller sets them
        std::string szSizeIN;
        float labelPitch = 0.0f;
        float topMargin = 0.0f;
        float markPosition = 0.0f;  // signed
        float markHeight = 0.0f;
        float bottomMargin = 0.0f;
        // Carried with the record and read by no rule.
        bool unusedFlag = false;
        std::uint16_t unusedValue1 = 0;
        std::uint16_t unusedValue2 = 0;
        std::uint16_t unusedValue3 = 0;
        std::uint8_t unusedByte1 = 0;
        std::uint8_t unusedByte2 = 0;
    };

    // "Roll", "DieCut" or "MarkRoll"; the empty text for any other value.
    std::string paperKindWithString(PaperKind kind) const;
    // "Inch" or "Mm"; the empty text for any other value.
    std::string unitOfLengthWithString(UnitOfLength unit) const;
};

using PaperKind = CustomPaperInfoParametersDefault::PaperKind;
using UnitOfLength = CustomPaperInfoParametersDefault::UnitOfLength;
using UserSettingPaperInfo = CustomPaperInfoParametersDefault::UserSettingPaperInfo;

}  // namespace TL
