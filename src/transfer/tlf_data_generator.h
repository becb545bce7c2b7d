#pragma once

#include <vector>

#include "transfer/database_parameters.h"
#include "transfer/stage_result.h"

namespace tl {
namespace database {

// Wraps a database file (header and native data) into a package that can be sent to the
// printer unchanged: a printer-language prefix, the model name, the file-write commands, the
// header, the native data's size and the native data.
class TLFDataGenerator {
  public:
    enum ERROR : int {
        ERROR_NONE = 0,
        ERROR_EMPTY_PART = 1,  // a part of the package came out empty
    };
    enum WARNING : int {
        WARNING_NONE = 0,
    };

    virtual ~TLFDataGenerator() = default;

    // The 42-byte prefix that puts the printer into its command language.
    std::vector<unsigned char> getTLFHeaderByPJLCommand();
    // ESC i F I, ESC i F D: start of a file transfer, file header and data follow.
    std::vector<unsigned char> getTLFFileWriteCommand();
    // The package, or ERROR_EMPTY_PART without bytes.
    StageResult getTLFData(const std::vector<unsigned char>& header,
                           const std::vector<unsigned char>& nativeData, Parameters::MODEL model);
};

}  // namespace database
}  // namespace tl
