#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "custompaper/custom_paper_info.h"
#include "custompaper/custom_paper_info_parameters_error.h"

namespace TL {

// Encodes one custom paper request into the 156-byte custom paper command (layout in
// custompaper/custom_paper_info_command.h), or into the list of error pairs that says which
// values break their limits.
//
// Every field is encoded and tested, even after an earlier failure, so the list names every
// failing value, in field order. A result is (error list, bytes): on success the list is
// exactly [(0, 0)] and the bytes hold the command; on failure the bytes are empty.
class CustomPaperInfoCommandCreator {
  public:
    using Result = std::pair<CustomPaperErrorList, std::vector<std::uint8_t>>;

    CustomPaperInfoCommandCreator(const std::string& modelName, PaperKind paperKind,
                                  UnitOfLength unitOfLength, const UserSettingPaperInfo& setting,
                                  std::string definitionText, std::string extraText);
    CustomPaperInfoCommandCreator(const CustomPaperInfoCommandCreator&) = default;
    CustomPaperInfoCommandCreator& operator=(const CustomPaperInfoCommandCreator&) = default;
    virtual ~CustomPaperInfoCommandCreator() = default;

    // ESC i a 01, header, body, ESC i a FF: 156 bytes and [(0, 0)], or the errors and no
    // bytes.
    Result createCustomPaperInfoCommandAllRelated() const;
    // Header and body, 148 bytes (16 + 5 + 127), and [(0, 0)]; or the errors and no bytes. A series
    // or model code that is missing or 0 after an otherwise clean body gives [(-1, 1)].
    Result createHeaderCommandAndCustomPaperInfoCommand() const;
    // ESC i U w (1B 69 55 77), `mode` (callers pass 1), then the 30 fields: always 132 bytes,
    // with every pair recorded, or [(0, 0)] when none was.
    Result createCustomPaperInfoCommand(std::uint8_t mode) const;

    // Appends the bytes of the one field called `name` and its error pairs. A name outside
    // the 30 appends one 00 and the pair (-1, 1).
    void setCustomPaperInfoParameter(std::string name, std::vector<std::uint8_t>& bytes,
                                     CustomPaperErrorList& errors) const;

    // The 16-byte header: ESC i U O (1B 69 55 4F), 10, series code, model code, 00, the four
    // length bytes (four 00 when `length` does not hold four), 00 00 00 00. The flag is true
    // only for four length bytes and both codes non-zero.
    std::pair<bool, std::vector<std::uint8_t>> createHeaderCommnad(
        std::uint8_t seriesCode, std::uint8_t modelCode, std::vector<std::uint8_t> length) const;

    // Four bytes, least significant first.
    std::vector<std::uint8_t> devideUint32DataInto4Uint8Data(std::uint32_t value) const;

    const CustomPaperInfo& customPaperInfo() const { return info_; }

  private:
    // Head dot, print width and print length have no pair of their own and fail only with an
    // invalid paper definition (which other fields report) or where the paper has no fixed
    // length. True when one of them cannot be written although the definition is usable (a
    // value that would not fit its field): with no other pair recorded, the body then records
    // (-1, 1), so that zeros in those fields never pass for a command that was made.
    bool unworkableDots() const;

    CustomPaperInfo info_;
};

}  // namespace TL
