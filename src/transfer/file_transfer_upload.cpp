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

}  // namespace

bool FileTransfer::updateFirm(std::string path) {
    tf::resource::LazyWholeLife guard;
    cancel_flag.store(false, std::memory_order_relaxed);
    setErrorCode(1);
    if (!isSupported(PS_SUPPORT_FIRMWARE_UPDATE)) {
        setErrorCode(30);
        return false;
    }
    sendProgress(37);
    const bool ready = spec.changeModeBeforeFirmwareUpdate ? changeTransferMode()
                                                           : getPrinterStatusWithoutCheckedPaper();
    if (!ready || cancelledSetting37()) {
        return false;
    }
    if (!initTemplateTransfer()) {
        return false;
    }
    if (!armTransferTimeout(guard)) {
        return false;
    }
    const bool result = transfer(std::move(path), true);
    if (result) {
        sendProgress(38);
    }
    return result;
}

bool FileTransfer::uploadTemplate(std::vector<std::string> paths) {
    cancel_flag.store(false, std::memory_order_relaxed);
    if (!isSupported(PS_SUPPORT_TEMPLATE_TRANSFER)) {
        setErrorCode(30);
        return false;
    }
    sendProgress(16);
    if (paths.empty()) {
        setErrorCode(28);
        return false;
    }
    const unsigned count = static_cast<unsigned>(std::min<size_t>(paths.size(), UINT32_MAX));
    const bool oneModel =
        spec.seriesCode == kOneModelSeriesCode && spec.modelCode == kOneModelModelCode;
    const bool result =
        oneModel ? transferTemplateForKXC240(paths, count) : transferTemplate(paths, count);
    sendProgress(17);
    return result;
}

bool FileTransfer::checkToUploadTmpl() {
    if (option.doStatusCheck && spec.statusSupported && !getPrinterStatusWithoutCheckedPaper()) {
        return false;
    }
    if (!isSupportedFirmVer()) {
        // A firmware too old for templates: the printer refuses template functions.
        if (errorCode() == 1) {
            setErrorCode(41);
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
    if (!checkToUploadTmpl() || cancelledSetting37()) {
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
        setErrorCode(39);
        return false;
    }
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(39);
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
        if (!loadHeaderedFile(paths[i])) {
            return false;
        }
        const uint16_t kind = getDataKind(paths[i]);
        if (kind == DataKind::kFirmwareRefused1 || kind == DataKind::kFirmwareRefused2) {
            setErrorCode(23);
            return false;
        }
        if (fileData[2] != kOneModelSeriesCode || fileData[3] != kOneModelModelCode) {
            setErrorCode(29);
            return false;
        }
        if (!send(TransferCommand::kFileFollows, sizeof TransferCommand::kFileFollows) ||
            !send(fileData, static_cast<size_t>(headerLength))) {
            return false;
        }
        if (errorCode() != 1 || cancelledSetting37()) {
            return false;
        }
        sendProgress(14);
        const int total = fileSize - headerLength;
        int pos = 0;
        while (pos < total) {
            pos = sendTemplate(total, pos);
            if (pos < 0 || !isGoingOn(errorCode())) {
                return false;
            }
            if (spec.statusSupported) {
                transferStatus.receiveStatus(true);
            }
            if (errorCode() != 1) {
                return false;
            }
        }
        sendProgress(15);
    }
    return true;
}
