#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace TL {

// The two halves of a custom paper error pair: which user value failed and why. The detail
// is also the status half of every parameter accessor and of every limit lookup.
class CustomPaperInfoParametersError {
  public:
    CustomPaperInfoParametersError() = default;
    CustomPaperInfoParametersError(const CustomPaperInfoParametersError&) = default;
    CustomPaperInfoParametersError& operator=(const CustomPaperInfoParametersError&) = default;
    virtual ~CustomPaperInfoParametersError() = default;

    // Which value failed. 1 to 9 follow the order of the nine user values the host passes;
    // 10 and 11 are not assigned.
    enum class ErrorParameter : std::int32_t {
        None = 0,  // the clean marker only
        TapeWidth = 1,
        TapeLength = 2,
        RightMargin = 3,
        LeftMargin = 4,
        TopMargin = 5,
        BottomMargin = 6,
        LabelPitch = 7,
        MarkPosition = 8,
        MarkHeight = 9,
        EnergyRank = 12,
        Other = -1,  // values of the paper definition, an unknown field, no header
    };

    // Why. 7, 9 and values above 10 are not assigned.
    enum class ErrorDetail : std::int32_t {
        None = 0,
        Unavailable = 1,      // cannot be worked out; also: no limit row
        AboveMaximum = 2,     // above its maximum (size text: longer than 16 bytes)
        BelowMinimum = 3,     // below its minimum
        DependentLimit = 4,   // the bound follows from other values
        Reserved = 5,         // a limit row of caution 2
        CodeMissing = 6,      // series or model code of an invalid paper definition
        NotApplicable = 8,    // the value does not apply to this paper kind
        SameAsTopMargin = 10  // the bottom margin follows the top margin
    };
};

using ErrorParameter = CustomPaperInfoParametersError::ErrorParameter;
using ErrorDetail = CustomPaperInfoParametersError::ErrorDetail;

// One error pair, and the list of them in the order recorded. A list without errors holds
// exactly the clean marker (0, 0).
using CustomPaperErrorPair = std::pair<ErrorParameter, ErrorDetail>;
using CustomPaperErrorList = std::vector<CustomPaperErrorPair>;

}  // namespace TL
