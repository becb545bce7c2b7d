#include <algorithm>

#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/lazy_whole_life.h"
#include "transfer/transfer_commands.h"

// The transfers the host asks for: firmware update and template upload (including the
// route of the one model that takes its templates by a protocol of its own).

using namespace FileTransfer_inner;

namespace {

// Series and model code of the printer with the one-model template route.
constexpr unsigned char kOneModelSeriesCode = 0x30;
constexpr unsigned char kOneModelModelCode = 0x65;
// Progress codes: firmware update start and success, template upload start and end, and
// around the data of each one-model file.
constexpr int kProgressFirmwareStart = 37;
constexpr int kProgressFirmwareDone = 38;
constexpr int kProgressUploadStart = 16;
constexpr int kProgressUploadEnd = 17;
constexpr int kProgressDataStart = 14;
constexpr int kProgressDataDone = 15;

}  // namespace

bool FileTransfer::updateFirm(std::string path) {
    setErrorCode(error::kNone);
    if (!isSupported(PS_SUPPORT_FIRMWARE_UPDATE)) {
        setErrorCode(error::kTransferNotSupported);
        return endOperation(false);
    }
    sendProgress(kProgressFirmwareStart);
    bool sent = false;
    {
        // The guard resets the transfer timeout as this scope ends, before the outcome goes
        // to the host: the reset is the last exchange of the update.
        tf::resource::LazyWholeLife guard;
        const bool ready = spec.changeModeBeforeFirmwareUpdate
                               ? changeTransferMode()
                               : getPrinterStatusWithoutCheckedPaper();
        sent = ready && !settleStop() && initTemplateTransfer() && armTransferTimeout(guard) &&
               transfer(std::move(path), true);
    }
    return endOperation(sent, kProgressFirmwareDone, kNoProgress, kUnexplainedFailureCode);
}

bool FileTransfer::uploadTemplate(std::vector<std::string> paths) {
    setErrorCode(error::kNone);
    if (!isSupported(PS_SUPPORT_TEMPLATE_TRANSFER)) {
        setErrorCode(error::kTransferNotSupported);
        return endOperation(false);
    }
    sendProgress(kProgressUploadStart);
    if (paths.empty()) {
        setErrorCode(error::kFileUnreadable);
        return endOperation(false);
    }
    const unsigned count = static_cast<unsigned>(std::min<size_t>(paths.size(), UINT32_MAX));
    const bool oneModel =
        spec.seriesCode == kOneModelSeriesCode && spec.modelCode == kOneModelModelCode;
    // Each route ends its own timeout guard before this: the reset comes before code 17.
    const bool result =
        oneModel ? transferTemplateForKXC240(paths, count) : transferTemplate(paths, count);
    return endOperation(result, kProgressUploadEnd);
}

bool FileTransfer::checkToUploadTmpl() {
    if (option.doStatusCheck && spec.statusSupported && !getPrinterStatusWithoutCheckedPaper()) {
        return false;
    }
    if (!isSupportedFirmVer()) {
        // A firmware too old for templates: the printer refuses template functions.
        if (errorCode() == error::kNone) {
            setErrorCode(error::kTemplateFunctionsRefused);
        }
        return false;
    }
    if (spec.changeModeBeforeTemplateUpload) {
        return changeTransferMode();
    }
    return true;
}

bool FileTransfer::transferTemplate(std::vector<std::string> paths, unsigned count) {
    tf::resource::LazyWholeLife guard;
    if (!checkToUploadTmpl() || settleStop()) {
        return false;
    }
    if (port != PORT_NET && !initTemplateTransfer()) {
        return false;
    }
    if (!armTransferTimeout(guard)) {
        return false;
    }
    const size_t files = std::min<size_t>(count, paths.size());
    for (size_t i = 0; i < files; ++i) {
        if (!transfer(paths[i], false)) {
            return false;
        }
    }
    return true;
}

bool FileTransfer::transferTemplateForKXC240(std::vector<std::string> paths, unsigned count) {
    if (port != PORT_USB) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (!switchToTransferMode(target)) {
        return false;
    }
    if (!send(TransferCommand::kStart, sizeof TransferCommand::kStart)) {
        return false;
    }
    TemplateStatus transferStatus = templateStatus();
    const size_t files = std::min<size_t>(count, paths.size());
    for (size_t i = 0; i < files; ++i) {
        if (settleStop()) {
            return false;
        }
        if (!loadHeaderedFile(paths[i])) {
            return false;
        }
        const uint16_t kind = getDataKind(paths[i]);
        if (kind == DataKind::kFirmwareRefused1 || kind == DataKind::kFirmwareRefused2) {
            setErrorCode(error::kUnsendableData);
            return false;
        }
        if (fileData[2] != kOneModelSeriesCode || fileData[3] != kOneModelModelCode) {
            setErrorCode(error::kOtherPrinterData);
            return false;
        }
        if (!send(TransferCommand::kFileFollows, sizeof TransferCommand::kFileFollows) ||
            !send(fileData, static_cast<size_t>(headerLength))) {
            return false;
        }
        if (errorCode() != error::kNone || settleStop()) {
            return false;
        }
        sendProgress(kProgressDataStart);
        const int total = fileSize - headerLength;
        int pos = 0;
        while (pos < total) {
            pos = sendTemplate(total, pos);
            if (pos < 0 || errorCode() != error::kNone || settleStop()) {
                return false;
            }
            if (spec.statusSupported) {
                transferStatus.receiveStatus(true);
            }
            if (errorCode() != error::kNone || settleStop()) {
                return false;
            }
        }
        sendProgress(kProgressDataDone);
    }
    return !settleStop();
}
