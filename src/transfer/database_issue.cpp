#include "transfer/database_issue.h"

#include <array>

namespace tl {
namespace database {

namespace {

// The pipeline code of each stage code 0..N-1; anything else (negative included) is -1.
template <size_t N>
int lookUp(const std::array<int, N>& table, int code) {
    if (code < 0 || static_cast<size_t>(code) >= N) {
        return -1;
    }
    return table[static_cast<size_t>(code)];
}

constexpr std::array<int, 8> kDecodeErrors = {0, 2, 3, 4, 5, 6, 7, 8};
constexpr std::array<int, 3> kDecodeWarnings = {0, 1, 2};
constexpr std::array<int, 4> kKd3Errors = {0, 9, 10, 11};
constexpr std::array<int, 2> kTlfErrors = {0, 12};

int warningOfLaterStage(int warning) {
    return warning == 0 ? 0 : -1;
}

}  // namespace

Issue::Codes Issue::checkCSVDecode(tf::csv::Decoder::DECODE_ERROR error,
                                   tf::csv::Decoder::DECODE_WARNING warning) {
    return {lookUp(kDecodeErrors, error), lookUp(kDecodeWarnings, warning)};
}

Issue::Codes Issue::convertKD3ErrorAndWarning(KD3DataGenerator::ERROR error,
                                              KD3DataGenerator::WARNING warning) {
    return {lookUp(kKd3Errors, error), warningOfLaterStage(warning)};
}

Issue::Codes Issue::convertTLFErrorAndWarning(TLFDataGenerator::ERROR error,
                                              TLFDataGenerator::WARNING warning) {
    return {lookUp(kTlfErrors, error), warningOfLaterStage(warning)};
}

}  // namespace database
}  // namespace tl
