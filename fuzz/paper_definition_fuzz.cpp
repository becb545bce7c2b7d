// Any bytes as a paper-definition file, for a listed model name or any name: the parser gives
// a complete record or the default one and nothing in between, the custom paper encoder then
// makes a command only from a valid definition and reports an invalid one as such, and the
// file name of a model is the one of its row or none.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "custompaper/custom_paper_info_command.h"
#include "custompaper/custom_paper_info_command_creator.h"
#include "custompaper/kxd_file_name_creator.h"
#include "custompaper/kxd_file_names.h"
#include "custompaper/kxd_file_parser.h"
#include "fuzz_common.h"
#include "fuzz_input.h"

using namespace lumeko_fuzz;
using TL::KXDFileParser;

namespace {

constexpr size_t kNames = sizeof TL::kKXDFileNames / sizeof TL::kKXDFileNames[0];

bool isDefault(const KXDFileParser::KXDFileParameter& p) {
    return p.nSensorID == 0 && p.byHeadDivide == 0 && p.nDieStartPlus == 0.0f &&
           p.markNoChkValu == 0 && p.bySeriesCode == 0 && p.byModelCode == 0 &&
           p.dwHeadPinNum == 0 && p.wResolutionNum == 0 && p.wResolutions.empty() &&
           p.xResolution == 0 && p.yResolution == 0 && p.nMinPaperLength == 0.0f &&
           p.nMaxPaperLength == 0.0f && p.nMinMargin == 0.0f && p.nMaxMargin == 0.0f;
}

// Floats compared bit for bit where they may be not-a-number.
bool same(float a, float b) {
    return a == b || (a != a && b != b);
}

bool sameRecord(const KXDFileParser::KXDFileParameter& a,
                const KXDFileParser::KXDFileParameter& b) {
    return a.nSensorID == b.nSensorID && a.byHeadDivide == b.byHeadDivide &&
           same(a.nDieStartPlus, b.nDieStartPlus) && a.bySeriesCode == b.bySeriesCode &&
           a.byModelCode == b.byModelCode && a.dwHeadPinNum == b.dwHeadPinNum &&
           a.wResolutionNum == b.wResolutionNum && a.wResolutions == b.wResolutions &&
           a.xResolution == b.xResolution && a.yResolution == b.yResolution &&
           same(a.nMinPaperLength, b.nMinPaperLength) &&
           same(a.nMaxPaperLength, b.nMaxPaperLength) && same(a.nMinMargin, b.nMinMargin) &&
           same(a.nMaxMargin, b.nMaxMargin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const size_t name = static_cast<size_t>(in.pick(static_cast<int>(kNames) + 1));
    const std::string modelName =
        name < kNames ? TL::kKXDFileNames[name].modelName : in.shortText();
    const std::vector<unsigned char> rest = in.rest();
    const std::string text(rest.begin(), rest.end());

    // The file name: the row's, or none for a name outside the table.
    const std::string file = TL::KXDFileNameCreator().getKXDFileName(modelName);
    std::string expected;
    for (const TL::KXDFileNameRow& row : TL::kKXDFileNames) {
        if (modelName == row.modelName) {
            expected = row.fileName;
        }
    }
    FUZZ_CHECK(file == expected);

    const KXDFileParser parser(modelName, text, "");
    const auto [valid, record] = parser.readKXDFileParrametersFromData();
    const auto again = parser.getKXDFileParameterFromData();
    FUZZ_CHECK(again.first == valid && sameRecord(again.second, record));
    if (!valid) {
        FUZZ_CHECK(isDefault(record));
    } else {
        // Every value the record needs was there, the first resolution pair among them.
        for (const char* key : {"nSensorID", "byHeadDivide", "nDieStartPlus", "bySeriesCode",
                                "byModelCode", "dwHeadPinNum", "wResolutionNum", "wResolutions"}) {
            FUZZ_CHECK(!parser.getParameterValue(key).empty());
        }
        FUZZ_CHECK(!record.wResolutions.empty());
        FUZZ_CHECK(record.wResolutions.size() <= static_cast<size_t>(record.wResolutionNum));
        FUZZ_CHECK(!record.wResolutions.front().first.empty() &&
                   !record.wResolutions.front().second.empty());
        FUZZ_CHECK(record.xResolution == parser.stringToInt(record.wResolutions.front().first, 10));
        FUZZ_CHECK(record.markNoChkValu == 0);
    }

    // A request that every valid definition of a 300 dpi head admits gives the command, or
    // the errors of a definition it cannot use; nothing else.
    TL::UserSettingPaperInfo roll;
    roll.tapeWidth = 62.0f;
    roll.rightMargin = 3.0f;
    roll.leftMargin = 3.0f;
    roll.topMargin = 5.0f;
    const TL::CustomPaperInfoCommandCreator creator(modelName, TL::PaperKind::Roll,
                                                    TL::UnitOfLength::Mm, roll, text, "");
    const auto [errors, command] = creator.createCustomPaperInfoCommandAllRelated();
    FUZZ_CHECK(!errors.empty());
    const bool usable = valid && record.xResolution > 0;
    const TL::CustomPaperErrorPair energyUnavailable{TL::ErrorParameter::EnergyRank,
                                                     TL::ErrorDetail::Unavailable};
    bool energyFailed = false;
    for (const auto& pair : errors) {
        energyFailed = energyFailed || pair == energyUnavailable;
    }
    // The energy rank fails exactly when the definition cannot be used.
    FUZZ_CHECK(energyFailed == !usable);
    if (command.empty()) {
        FUZZ_CHECK(errors.front().first != TL::ErrorParameter::None);
    } else {
        FUZZ_CHECK(usable);
        FUZZ_CHECK(command.size() == custom_paper_layout::kCommandLength);
        FUZZ_CHECK(errors.size() == 1 && errors.front().first == TL::ErrorParameter::None);
        // The header carries the low bytes of the definition's codes.
        FUZZ_CHECK(command[custom_paper_layout::kHeaderOffset +
                           custom_paper_layout::kHeaderSeriesCodeAt] ==
                   static_cast<uint8_t>(record.bySeriesCode & 0xFF));
        FUZZ_CHECK(
            command[custom_paper_layout::kHeaderOffset + custom_paper_layout::kHeaderModelCodeAt] ==
            static_cast<uint8_t>(record.byModelCode & 0xFF));
    }
    return 0;
}
