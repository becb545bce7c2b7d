#include "transfer/kd3_naive_data_generator.h"

#include <algorithm>
#include <cstddef>

#include "transfer/kd3_data_calculator.h"
#include "transfer/kd3_database_data.h"
#include "transfer/kd3_database_name_in_local_code.h"
#include "transfer/kd3_database_name_in_unicode.h"
#include "transfer/kd3_model_parameters.h"

namespace tl {
namespace database {

namespace {

// The buffer grows first, then the bytes are copied in.
void append(std::vector<unsigned char>& out, const std::vector<unsigned char>& bytes) {
    const std::size_t at = out.size();
    out.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

bool usable(const std::vector<unsigned char>& size, const std::vector<unsigned char>& name) {
    return size.size() == 2 && !name.empty();
}

}  // namespace

std::vector<unsigned char> KD3NaiveDataGenerator::getNativeData(const Rows& rows,
                                                                const std::string& name,
                                                                Parameters::MODEL model,
                                                                Parameters::COUNTRY country) {
    KD3ModelParameters modelParameters;
    const KD3ModelParameters::MODEL_PARAMETERS parameters =
        modelParameters.getKD3ModelParameters(model);
    const KD3DatabaseData::DATABASE_DATA data =
        KD3DatabaseData().getDatabaseData(rows, model, country);
    if (data.records.empty() || name.empty()) {
        return {};
    }

    KD3DatabaseNameInUnicode::DATABASE_NAME unicodeName;
    KD3DatabaseNameInLocalCode::DATABASE_NAME localName;
    if (parameters.unicodeNameSizePlacement != 0 && parameters.unicodeNameTextPlacement != 0) {
        unicodeName =
            KD3DatabaseNameInUnicode().getDatabaseNameAndSizeEncodeingUnicode(name, model, country);
        if (!usable(unicodeName.size, unicodeName.name)) {
            return {};
        }
    }
    if (parameters.localCodeNameSizePlacement != 0 && parameters.localCodeNameTextPlacement != 0) {
        localName = KD3DatabaseNameInLocalCode().getDatabaseNameAndSizeEncodeingLocalCode(
            name, model, country);
        if (!usable(localName.size, localName.name)) {
            return {};
        }
    }

    KD3DataCalculator calculator;
    std::vector<unsigned char> nativeData;
    if (parameters.unicodeNameSizePlacement == 1 && parameters.localCodeNameSizePlacement == 1) {
        append(nativeData, unicodeName.size);
        append(nativeData, localName.size);
        append(nativeData, {0x00, 0x00, 0x00, 0x00});
    }
    append(nativeData, modelParameters.getCodePage(country));
    append(nativeData, data.rowCount);
    append(nativeData, data.columnCount);
    append(nativeData, calculator.getUpdateDateData());
    if (parameters.unicodeNameTextPlacement == 1 && parameters.localCodeNameTextPlacement == 1) {
        append(nativeData, unicodeName.name);
        append(nativeData, localName.name);
    }
    append(nativeData, data.records);
    if (nativeData.size() % 2 != 0) {
        nativeData.push_back(0x00);  // the native data has an even length
    }
    if (static_cast<unsigned long long>(nativeData.size()) > 0xFFFFFFFFULL) {
        return {};  // the 32-bit size field of the header cannot describe it
    }
    return nativeData;
}

}  // namespace database
}  // namespace tl
