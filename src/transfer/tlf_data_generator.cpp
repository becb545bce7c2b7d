#include "transfer/tlf_data_generator.h"

#include "transfer/kd3_data_calculator.h"
#include "transfer/tlf_model_parameters.h"

namespace tl {
namespace database {

namespace {

void append(std::vector<unsigned char>& out, const std::vector<unsigned char>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<unsigned char> TLFDataGenerator::getTLFHeaderByPJLCommand() {
    // 1B "%-12345X@PJL ENTER LANGUAGE=PCL" 0A: leave any job and enter the printer
    // language; then 1B 0D "!12355F", LF, ESC and CR in this order.
    static const unsigned char kPrefix[] = {
        0x1B, 0x25, 0x2D, 0x31, 0x32, 0x33, 0x34, 0x35, 0x58, 0x40, 0x50, 0x4A, 0x4C, 0x20,
        0x45, 0x4E, 0x54, 0x45, 0x52, 0x20, 0x4C, 0x41, 0x4E, 0x47, 0x55, 0x41, 0x47, 0x45,
        0x3D, 0x50, 0x43, 0x4C, 0x0A, 0x1B, 0x0D, 0x21, 0x31, 0x32, 0x33, 0x35, 0x35, 0x46};
    return std::vector<unsigned char>(kPrefix, kPrefix + sizeof(kPrefix));
}

std::vector<unsigned char> TLFDataGenerator::getTLFFileWriteCommand() {
    // ESC i F I (1B 69 46 49): start of a file transfer;
    // ESC i F D (1B 69 46 44): file header and data follow
    return {0x1B, 0x69, 0x46, 0x49, 0x1B, 0x69, 0x46, 0x44};
}

StageResult TLFDataGenerator::getTLFData(const std::vector<unsigned char>& header,
                                         const std::vector<unsigned char>& nativeData,
                                         Parameters::MODEL model) {
    StageResult result;
    const std::vector<unsigned char> prefix = getTLFHeaderByPJLCommand();
    const std::vector<unsigned char> modelName = TLFModelParameters().getModelName(model);
    const std::vector<unsigned char> fileWrite = getTLFFileWriteCommand();
    const std::vector<unsigned char> size = KD3DataCalculator().getNativeDataSize(nativeData);
    if (prefix.empty() || modelName.empty() || fileWrite.empty() || header.empty() ||
        nativeData.empty() || size.empty()) {
        result.error = ERROR_EMPTY_PART;
        result.warning = WARNING_NONE;
        return result;
    }
    std::vector<unsigned char>& package = result.bytes;
    package.reserve(prefix.size() + modelName.size() + fileWrite.size() + header.size() +
                    size.size() + nativeData.size() + 1);
    append(package, prefix);
    append(package, modelName);
    append(package, fileWrite);
    append(package, header);
    append(package, size);
    append(package, nativeData);
    if (package.size() % 2 != 0) {
        package.push_back(0x00);
    }
    result.error = ERROR_NONE;
    result.warning = WARNING_NONE;
    return result;
}

}  // namespace database
}  // namespace tl
