#include "transfer/database_generator.h"

#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#include "transfer/csv_decoder.h"
#include "transfer/database_issue.h"
#include "transfer/kd3_data_generator.h"
#include "transfer/tlf_data_generator.h"

namespace tl {
namespace database {

namespace {

char separatorOf(Generator::DELIMITER delimiter) {
    switch (delimiter) {
        case Generator::DELIMITER_COMMA:
            return ',';
        case Generator::DELIMITER_TAB:
            return '\t';
    }
    return '\0';
}

void record(StageResult& result, const Issue::Codes& codes) {
    result.error = codes.first;
    result.warning = codes.second;
}

StageResult run(const std::string& name, const std::string& csvPath, Generator::DELIMITER delimiter,
                Parameters::MODEL model, Parameters::COUNTRY country, bool hasFieldName) {
    StageResult result;
    Issue issue;

    auto stream = std::make_shared<std::ifstream>(csvPath, std::ios::in | std::ios::binary);
    if (!stream->is_open()) {
        result.error = 1;
        result.warning = 0;
        return result;
    }
    tf::csv::Decoder::DECODE_RESULT decoded;
    {
        std::shared_ptr<std::istream> input = stream;
        decoded = tf::csv::Decoder().decode(input, separatorOf(delimiter), hasFieldName);
    }
    stream.reset();  // the file is closed once it is decoded
    record(result, issue.checkCSVDecode(decoded.error, decoded.warning));
    if (result.error != 0) {
        return result;
    }

    KD3DataGenerator kd3(name, std::move(decoded.rows), model, country);
    StageResult header = kd3.getKD3Header();
    record(result,
           issue.convertKD3ErrorAndWarning(static_cast<KD3DataGenerator::ERROR>(header.error),
                                           static_cast<KD3DataGenerator::WARNING>(header.warning)));
    if (result.error != 0) {
        return result;
    }
    StageResult nativeData = kd3.getKD3NativeData();
    record(result, issue.convertKD3ErrorAndWarning(
                       static_cast<KD3DataGenerator::ERROR>(nativeData.error),
                       static_cast<KD3DataGenerator::WARNING>(nativeData.warning)));
    if (result.error != 0) {
        return result;
    }

    StageResult package = TLFDataGenerator().getTLFData(header.bytes, nativeData.bytes, model);
    record(result, issue.convertTLFErrorAndWarning(
                       static_cast<TLFDataGenerator::ERROR>(package.error),
                       static_cast<TLFDataGenerator::WARNING>(package.warning)));
    if (result.error != 0) {
        return result;
    }
    if (package.bytes.empty()) {
        result.error = -1;
        result.warning = -1;
        return result;
    }
    result.bytes = std::move(package.bytes);
    return result;
}

}  // namespace

StageResult Generator::convertCSVToTLF(std::string name, std::string csvPath, DELIMITER delimiter,
                                       Parameters::MODEL model, Parameters::COUNTRY country,
                                       bool hasFieldName) {
    // The decoder bounds the table, but a single line of a huge file is still read whole:
    // memory that cannot be had ends the run without bytes instead of leaving the library.
    try {
        return run(name, csvPath, delimiter, model, country, hasFieldName);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    StageResult failed;
    failed.error = -1;
    failed.warning = -1;
    return failed;
}

}  // namespace database
}  // namespace tl
