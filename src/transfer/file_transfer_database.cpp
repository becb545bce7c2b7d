#include <utility>

#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/generator_wrapper.h"

// Database sending: the package generated from a CSV file goes to the printer in one send,
// without transfer start, mode switch or timeout.

using namespace FileTransfer_inner;

namespace {

// Progress code after a transfer status reading.
constexpr int kProgressStatusRead = 11;

}  // namespace

bool FileTransfer::sendDatabaseData(std::string name, std::string csvPath) {
    tl::database::GeneratorWrapper wrapper;
    const std::vector<unsigned char> package =
        wrapper.convertFromCSVDataToTLFData(std::move(name), std::move(csvPath), model,
                                            tl::database::GeneratorWrapper::COUNTRY_CODE_DEFAULT,
                                            tl::database::GeneratorWrapper::FIELD_NAME_EXISTS);
    if (package.empty()) {
        setErrorCode(error::kNoDatabasePackage);
        return endOperation(false);
    }
    if (!send(package) || errorCode() != error::kNone || settleStop()) {
        return endOperation(false);
    }
    if (!spec.statusSupported) {
        return endOperation(true);
    }
    TemplateStatus transferStatus = templateStatus();
    if (port == PORT_NET) {
        // The refresh's outcome is in the error code.
        transferStatus.updateTemplateStatus();
        return endOperation(true);
    }
    // The end code of the status reading is the sending's last message: it goes out once the
    // outcome is decided. A status that does not pass the sanity test is the printer's
    // refusal (code 6).
    const bool taken =
        transferStatus.receiveStatus(false) && checkTemplateStatusSanity(transferStatus, true);
    return endOperation(taken, kProgressStatusRead);
}
