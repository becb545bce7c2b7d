#include "transfer/kd3_header_generator.h"

#include "transfer/kd3_data_calculator.h"
#include "transfer/kd3_model_parameters.h"

namespace tl {
namespace database {

namespace {

// Offsets of the header fields.
constexpr size_t kMarker = 0;
constexpr size_t kLength = 1;
constexpr size_t kSeriesCode = 2;
constexpr size_t kModelCode = 3;
constexpr size_t kCountryCode = 4;
constexpr size_t kDataKind = 6;
constexpr size_t kChecksum = 14;
constexpr size_t kSize = 16;
constexpr size_t kDate = 20;
constexpr size_t kName = 32;

void put(std::vector<unsigned char>& header, size_t offset,
         const std::vector<unsigned char>& bytes) {
    for (size_t i = 0; i < bytes.size() && offset + i < header.size(); ++i) {
        header[offset + i] = bytes[i];
    }
}

}  // namespace

std::vector<unsigned char> KD3HeaderGenerator::getHeader(
    const std::vector<unsigned char>& nativeData, const std::string& name, Parameters::MODEL model,
    Parameters::COUNTRY country) {
    KD3ModelParameters parameters;
    KD3DataCalculator calculator;
    const KD3ModelParameters::STATUS_CODE code = parameters.getSeriesCodeAndModelCode(model);
    const unsigned char countryCode = parameters.getCountryCode(country);
    if (code.seriesCode == 0x00 || code.modelCode == 0x00 || countryCode == 0x00) {
        return {};
    }
    const std::vector<unsigned char> checksum = calculator.getCheckSum(nativeData);
    const std::vector<unsigned char> size = calculator.getNativeDataSize(nativeData);
    const std::vector<unsigned char> date = calculator.getUpdateDateData();
    const std::vector<unsigned char> fileName = calculator.adjustFileName(name);
    if (checksum.empty() || size.empty() || date.empty() || fileName.empty()) {
        return {};
    }

    std::vector<unsigned char> header(kHeaderLength, 0x00);
    header[kMarker] = 0x90;  // header marker
    header[kLength] = static_cast<unsigned char>(kHeaderLength);
    header[kSeriesCode] = code.seriesCode;
    header[kModelCode] = code.modelCode;
    header[kCountryCode] = countryCode;
    put(header, kDataKind, {0x00, 0x02});  // data kind 0200: database
    put(header, kChecksum, checksum);
    put(header, kSize, size);
    put(header, kDate, date);
    put(header, kName, fileName);
    return header;
}

}  // namespace database
}  // namespace tl
