#include <utility>

#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/generator_wrapper.h"

// Database sending: the package generated from a CSV file goes to the printer in one send,
// without transfer start, mode switch or timeout.

using namespace FileTransfer_inner;

bool FileTransfer::sendDatabaseData(std::string name, std::string csvPath) {
    tl::database::GeneratorWrapper wrapper;
    const std::vector<unsigned char> package =
        wrapper.convertFromCSVDataToTLFData(std::move(name), std::move(csvPath), model,
                                            tl::database::GeneratorWrapper::COUNTRY_CODE_DEFAULT,
                                            tl::database::GeneratorWrapper::FIELD_NAME_EXISTS);
    if (package.empty()) {
        setErrorCode(59);
        return false;
    }
    if (!send(package) || errorCode() != 1) {
        return false;
    }
    if (!spec.statusSupported || cancelledSetting37()) {
        return true;
    }
    TemplateStatus transferStatus = templateStatus();
    if (port == PORT_NET) {
        // The refresh's outcome is in the error code; the result agrees with it.
        transferStatus.updateTemplateStatus();
        return errorCode() == 1;
    }
    return transferStatus.receiveStatus(true) && checkTemplateStatusSanity(transferStatus, true);
}
