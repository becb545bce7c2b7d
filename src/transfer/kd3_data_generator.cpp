#include "transfer/kd3_data_generator.h"

#include <utility>

#include "transfer/kd3_header_generator.h"
#include "transfer/kd3_naive_data_generator.h"

namespace tl {
namespace database {

KD3DataGenerator::KD3DataGenerator(std::string databaseName, Rows table,
                                   Parameters::MODEL printerModel,
                                   Parameters::COUNTRY printerCountry)
    : name(std::move(databaseName)),
      rows(std::move(table)),
      model(printerModel),
      country(printerCountry) {}

KD3DataGenerator::ERROR KD3DataGenerator::build() {
    if (!built) {
        built = true;
        if (name.empty()) {
            buildError = ERROR_NO_NAME;
        } else if (rows.empty()) {
            buildError = ERROR_NO_ROWS;
        } else {
            nativeData = KD3NaiveDataGenerator().getNativeData(rows, name, model, country);
            buildError = nativeData.empty() ? ERROR_NO_NATIVE_DATA : ERROR_NONE;
        }
    }
    return buildError;
}

StageResult KD3DataGenerator::getKD3Header() {
    StageResult result;
    result.error = build();
    result.warning = WARNING_NONE;
    if (result.error == ERROR_NONE) {
        result.bytes = KD3HeaderGenerator().getHeader(nativeData, name, model, country);
    }
    return result;
}

StageResult KD3DataGenerator::getKD3NativeData() {
    StageResult result;
    result.error = build();
    result.warning = WARNING_NONE;
    if (result.error == ERROR_NONE) {
        result.bytes = nativeData;
    }
    return result;
}

}  // namespace database
}  // namespace tl
