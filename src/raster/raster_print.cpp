// The raster print job: status and paper checks, the command stream of one call with its
// copies and print-end waits, print files and prepared print files.
#include "raster/raster_print.h"

#include <climits>
#include <memory>

#include "common/error_code.h"
#include "connection/error_state.h"
#include "connection/print_status_manager.h"
#include "connection/util.h"
#include "connection/wait.h"
#include "raster/bi_color_raster_data.h"
#include "raster/fc_raster_data.h"
#include "raster/raster_print_commands.h"

namespace error = lumeko::error;

using lumeko::operator+=;
namespace cmd = raster_print_commands;

namespace {

constexpr int kSeriesFullPage = 1;
constexpr int kPaperKindsCustom = 8;
constexpr int kPageCommandModeBlocks = 2;
constexpr int kMaxCopies = 0xFFFF;
constexpr unsigned short kPaperWithMediaBlock = 17;
// Poll interval of a running asynchronous send.
constexpr long long kSendTaskPollMicroseconds = 300000;
// The media block step: at most ten waits of three seconds.
constexpr int kMediaBlockAttempts = 10;
constexpr long long kMediaBlockWaitSeconds = 3;

using lumeko::errorCode;
using lumeko::setErrorCode;
using lumeko::stopRequested;

template <std::size_t N>
std::vector<unsigned char> bytesOf(const std::array<unsigned char, N>& a) {
    return std::vector<unsigned char>(a.begin(), a.end());
}
template <std::size_t N>
std::vector<unsigned char> bytesOf(const unsigned char (&a)[N]) {
    return std::vector<unsigned char>(a, a + N);
}

// Models whose Mode 9 page end is the Mode 9 initialise command and a page-end byte.
bool endsMode9PageWithInit(Model m) {
    switch (m) {
        case HU_2310:
        case HU_2300:
        case HU_1200:
        case HU_1210:
        case HU_1240:
        case HU_1250:
        case HU_2300Ai:
        case HU_2310Ai:
            return true;
        default:
            return false;
    }
}

// Models that take the media block of paper 17 ahead of a job.
bool takesPaper17MediaBlock(Model m) {
    return m == VZ_140N || m == VZ_210W || m == VZ_220NW;
}

}  // namespace

RasterPrint::RasterPrint(Port printerPort, CommunicationObserver* observer, Model printerModel,
                         RasterPrintOption& jobOption)
    : BasePrinter(printerPort, observer, printerModel), option(jobOption) {
    init(option);
}

RasterPrint::~RasterPrint() = default;

bool RasterPrint::finishJob() {
    return endOperation(errorCode() == error::kNone, cmd::kProgressJobDone, cmd::kProgressJobFailed,
                        kUnexplainedFailureCode);
}

bool RasterPrint::isMode9InUse() const {
    return option.mode9 && spec.mode9Supported;
}

bool RasterPrint::isAsynchronousPage() const {
    return spec.compression == 0 || (spec.compression == 1 && option.rawMode && !isMode9InUse());
}

bool RasterPrint::shouldCheckStatusBeforePrint(Paper& paper) {
    return (paper.mediaType & MEDIA_TYPE_EXT_BIT) == 0;
}

void RasterPrint::setPaper(Paper& paper) {
    currentPaper = paper;
}

bool RasterPrint::sendBytes(std::vector<unsigned char>& bytes) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (!target->sendData(static_cast<int>(bytes.size()), bytes.data())) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

// ---- the print job ----

bool RasterPrint::printBitmap(BitmapData& bitmap, int page, int pages) {
    const int copies = option.numberOfCopies;
    // Copy counts the page blocks cannot carry (above 16 bits or negative), and job page
    // numbers beyond int, are refused before anything goes out.
    if (copies < 0 || copies > kMaxCopies ||
        (copies > 0 && (page < 0 || page > (INT_MAX - copies) / copies))) {
        setErrorCode(error::kInvalidParameter);
        return finishJob();
    }
    if (shouldCheckStatusBeforePrint(currentPaper) && !checkStatusBeforePrint()) {
        return finishJob();  // the check leaves an error code other than 1, or the cancel
    }
    sendProgress(cmd::kProgressBuildStart);
    if (errorCode() != error::kNone) {
        return finishJob();  // the host refused the progress message (40): no page is built
    }
    RasterData* raster = nullptr;
    if (createRasterDataUsingBitmapData(bitmap, raster, pages, page)) {
        sendProgress(cmd::kProgressBuilt);
        print(raster, page, pages);  // the error code tells the outcome
    }
    delete raster;
    return finishJob();
}

bool RasterPrint::checkStatusBeforePrint() {
    if (errorCode() != error::kNone) {
        return false;
    }
    const bool statusCheck = option.doStatusCheck && spec.statusSupported;
    if (statusCheck) {
        getPrinterStatus(currentPaper);
        if (stopRequested()) {
            return false;
        }
    }
    sendNameBatchInfo();
    if (stopRequested()) {
        return false;
    }
    if (statusCheck) {
        waitForPaper();
        if (errorCode() != error::kNone) {
            return false;
        }
        if (isMode9InUse()) {
            // The printer says whether it takes Mode 9 now.
            option.mode9 = PrinterStatus::mode9_ != 0;
        }
    } else if (errorCode() != error::kNone) {
        return false;
    }
    return !stopRequested();
}

void RasterPrint::sendNameBatchInfo() {
    if (stopRequested() || (option.doStatusCheck && errorCode() != error::kNoMediaInfo) ||
        !takesPaper17MediaBlock(model) || currentPaper.paperId != kPaperWithMediaBlock) {
        return;
    }
    std::vector<unsigned char> block = bytesOf(cmd::kPaper17MediaBlock);
    if (!sendBytes(block)) {
        return;
    }
    setErrorCode(error::kNone);
    const bool statusCheck = option.doStatusCheck && spec.statusSupported;
    for (int attempt = 0; attempt < kMediaBlockAttempts; ++attempt) {
        lumeko::waitSeconds(kMediaBlockWaitSeconds);
        if (statusCheck) {
            getPrinterStatusNotCheckedBattery(currentPaper);
            if (errorCode() != error::kNoMediaInfo) {
                return;
            }
        }
        if (stopRequested()) {
            sendCancelData();
            return;
        }
    }
    sendCancelData();
}

RasterData* RasterPrint::newRasterData() {
    if (spec.seriesId == kSeriesFullPage) {
        return new FCRasterData(option, spec, currentPaper, status);
    }
    if (currentPaper.isTwoColor) {
        return new BiColorRasterData(option, spec, currentPaper, status);
    }
    return new RasterData(option, spec, currentPaper, status);
}

bool RasterPrint::createRasterDataUsingBitmapData(BitmapData& bitmap, RasterData*& raster,
                                                  int pages, int page) {
    raster = newRasterData();
    raster->createRasterDataFromColorData(bitmap, pages, page);
    if (errorCode() != error::kNone || stopRequested()) {
        return false;
    }
    return checkLabelLengthLimit(raster);
}

bool RasterPrint::checkLabelLengthLimit(RasterData* raster) {
    if (!currentPaper.isFreeLength() || spec.minLengthTenthMm == 0 || spec.dpi == 0) {
        return true;
    }
    // Label length in tenths of a millimetre, in single precision.
    const float length =
        254.0f / static_cast<float>(spec.dpi) * static_cast<float>(raster->pageLines) +
        2.0f * static_cast<float>(spec.lengthMarginTenthMm);
    if (static_cast<float>(spec.minLengthTenthMm) > length ||
        static_cast<float>(currentPaper.minLengthTenthMm) > length) {
        setErrorCode(error::kLabelTooShort);
        return false;
    }
    return true;
}

bool RasterPrint::buildHeader(RasterData* raster, bool withZeroBytes,
                              std::vector<unsigned char>& out) {
    if (withZeroBytes) {
        out.insert(out.end(), spec.invalidateLength, 0x00);
    }
    if (spec.paperKinds == kPaperKindsCustom) {
        if (!option.customPaperCommand.empty()) {
            raster->setCustomPaperInfoCommnad(out);
        } else {
            raster->setAdditionalBinMediaInfo(out);  // kNoCustomPaper when unreadable
        }
        if (errorCode() != error::kNone) {
            return false;
        }
    }
    raster->setSwitchDynamicCommand(out);
    return true;
}

bool RasterPrint::print(RasterData* raster) {
    return print(raster, 0, option.numberOfCopies);
}

bool RasterPrint::print(RasterData* raster, int page, int pages) {
    // Nothing goes out while an error (an unusable paper, say) is pending.
    if (raster == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (errorCode() != error::kNone) {
        return false;
    }
    std::vector<unsigned char> header;
    if (!buildHeader(raster, spec.seriesId != kSeriesFullPage && page == 0, header) ||
        !sendBytes(header)) {
        return false;
    }
    if (page == 0) {
        std::vector<unsigned char> init;
        raster->setInitCommand(init);
        if (!sendBytes(init)) {
            return false;
        }
        if (isMode9InUse() && !spec.commandProtocol.isMode9InitCommandUnavailable()) {
            std::vector<unsigned char> initMode9;
            raster->setInitCommandMode9(initMode9);
            if (!sendBytes(initMode9)) {
                return false;
            }
        }
    }
    if (pages > 0 && option.numberOfCopies > 0) {
        if (stopRequested() || errorCode() != error::kNone) {
            return false;
        }
        const bool asynchronous = isAsynchronousPage();
        const PrintEndCheckOption endCheck{option.checkPrintEnd,
                                           option.closeWaitDisusingStatusCheckSec, option.peelMode};
        for (int copy = 0; copy < option.numberOfCopies; ++copy) {
            sendProgress(cmd::kProgressCopyStart);
            const int jobPage = page * option.numberOfCopies + copy;
            // A fresh vector per copy: the builders only append.
            std::vector<unsigned char> bytes;
            createRasterData(raster, bytes, jobPage, pages);
            if (!sendRasterData(static_cast<int>(bytes.size()), bytes.data())) {
                return false;
            }
            const int next = updatePrintPage(jobPage, endCheck, CHECK_STATUS_OFF, pages);
            if (asynchronous && !stopRequested()) {
                if (port == PORT_USB) {
                    if (!waitForSendTask()) {
                        return false;
                    }
                } else if (CommunicationObserver* target = observer()) {
                    target->isAliveSendTask();
                }
            }
            sendProgress(cmd::kProgressCopyDone);
            if (errorCode() != error::kNone || stopRequested()) {
                return false;
            }
            if (next >= pages) {
                break;
            }
        }
    }
    std::vector<unsigned char> trailer = bytesOf(setDefaultModeCommand);
    return sendBytes(trailer);
}

void RasterPrint::createRasterData(RasterData* raster, std::vector<unsigned char>& out, int jobPage,
                                   int pages) {
    const bool last = jobPage == pages - 1;
    const bool mode9 = isMode9InUse();
    if (jobPage == 0 && spec.seriesId != kSeriesFullPage && !mode9) {
        out += raster->startPageCommand;
    }
    if (spec.pageCommandMode == kPageCommandModeBlocks && !mode9) {
        if (jobPage != 0 && spec.printInformationCommand) {
            out += (spec.copiesCommand == 1 && last) ? raster->lastPageCommand
                                                     : raster->otherPageCommand;
        }
        // The page-end byte is rewritten in the shared object for every copy.
        if (raster->pageData != nullptr && raster->pageDataLength > 0) {
            raster->pageData[raster->pageDataLength - 1] = last ? cmd::kLastPageEnd : cmd::kPageEnd;
        }
    }
    if (raster->pageData != nullptr && raster->pageDataLength > 0) {
        out.reserve(out.size() + static_cast<size_t>(raster->pageDataLength));
        out.insert(out.end(), raster->pageData, raster->pageData + raster->pageDataLength);
    }
    if (mode9) {
        if (endsMode9PageWithInit(model)) {
            out += last ? bytesOf(cmd::kMode9InitLastPageEnd) : bytesOf(cmd::kMode9InitPageEnd);
        } else if (last && spec.commandProtocol.shouldOutputLastPageCommandWhenMode9()) {
            out += bytesOf(cmd::kMode9LastPageEnd);
        } else {
            out += bytesOf(cmd::kMode9PageEnd);
        }
    }
}

bool RasterPrint::waitForSendTask() {
    for (;;) {
        CommunicationObserver* const target = observer();
        if (target == nullptr || !target->isAliveSendTask()) {
            return true;
        }
        lumeko::waitMicroseconds(kSendTaskPollMicroseconds);
        if (stopRequested()) {
            sendCancelData();
            return false;
        }
    }
}

bool RasterPrint::sendRasterData(int length, unsigned char* data) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (isAsynchronousPage()) {
        if (!target->sendDataAsynchronous(length, data)) {
            setErrorCode(error::kCommunication);
            return false;
        }
        // Off the USB port the send finishes before the print-end wait starts.
        return port == PORT_USB || waitForSendTask();
    }
    if (!target->sendData(length, data)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

// ---- print files ----

bool RasterPrint::createPrintData(BitmapData& bitmap, int page, int pages) {
    sendProgress(cmd::kProgressBuildStart);
    if (option.savePrnPath.empty() || option.numberOfCopies <= 0 ||
        option.numberOfCopies > kMaxCopies) {
        setErrorCode(error::kInvalidParameter);
        return finishJob();
    }
    if (errorCode() != error::kNone) {
        // An error left by paper selection (25, 32) stays the job's error: no page is built.
        return finishJob();
    }
    RasterData* raster = nullptr;
    const bool built = createRasterDataUsingBitmapData(bitmap, raster, pages, page);
    std::unique_ptr<RasterData> owner(raster);
    if (!built) {
        sendProgress(cmd::kProgressBuilt);
        if (stopRequested()) {
            return endOperation(false, cmd::kProgressJobFailed);
        }
        return false;
    }
    // Every page call writes its page as a one-page stream: header (zero bytes whenever
    // the series has them), initialise, one copy, trailer.
    std::vector<unsigned char> bytes;
    if (!buildHeader(raster, spec.seriesId != kSeriesFullPage, bytes)) {
        return finishJob();  // kNoCustomPaper: no custom paper bytes
    }
    raster->setInitCommand(bytes);
    if (stopRequested() || errorCode() != error::kNone) {
        return finishJob();
    }
    sendProgress(cmd::kProgressCopyStart);
    createRasterData(raster, bytes, 0, 1);
    bytes += bytesOf(setDefaultModeCommand);
    // Page 0 replaces or extends the file as the option says; later pages extend it.
    const bool replace = page == 0 && option.overwrite;
    if (!tpes::Util::writeFile(option.savePrnPath, bytes.data(), static_cast<int>(bytes.size()),
                               replace)) {
        setErrorCode(error::kInvalidParameter);
    }
    sendProgress(cmd::kProgressBuilt);
    return finishJob();
}

void RasterPrint::addStatusCommand(unsigned char*& data, int& length) {
    const int n = static_cast<int>(cmd::kStatusRequest.size());
    if (length < 0 || length > INT_MAX - n) {
        return;
    }
    if (data != nullptr && length >= n) {
        bool endsWithRequest = true;
        for (int i = 0; i < n; ++i) {
            endsWithRequest = endsWithRequest && data[length - n + i] == cmd::kStatusRequest[i];
        }
        if (endsWithRequest) {
            return;
        }
    }
    unsigned char* grown = new unsigned char[static_cast<size_t>(length) + n];
    if (data != nullptr && length > 0) {
        tpes::Util::writeData(data, length, grown);
    }
    for (int i = 0; i < n; ++i) {
        grown[length + i] = cmd::kStatusRequest[i];
    }
    delete[] data;
    data = grown;
    length += n;
}

bool RasterPrint::printPrn(std::string& path) {
    if (errorCode() != error::kNone) {
        return false;
    }
    if (option.doStatusCheck && spec.statusSupported) {
        getPrinterStatus(currentPaper);
        if (stopRequested()) {
            return endOperation(false);
        }
        waitForPaper();
        if (errorCode() != error::kNone || stopRequested()) {
            return endOperation(false);
        }
    }
    unsigned char* raw = nullptr;
    int length = 0;
    // An empty file has nothing to print.
    if (!tpes::Util::readFile(path, raw, length) || length <= 0) {
        delete[] raw;
        setErrorCode(error::kFileUnreadable);
        return endOperation(false);
    }
    if (port != PORT_NET) {
        addStatusCommand(raw, length);
    }
    std::unique_ptr<unsigned char[]> data(raw);
    if (!option.savePrnPath.empty()) {
        if (!tpes::Util::writeFile(option.savePrnPath, data.get(), length, option.overwrite)) {
            setErrorCode(error::kInvalidParameter);
        }
        return endOperation(errorCode() == error::kNone);
    }
    if (option.numberOfCopies <= 0) {
        // No copy asked for: nothing goes out, and no copy's progress codes either.
        return endOperation(true);
    }
    const PrintEndCheckOption endCheck{option.checkPrintEnd, option.closeWaitDisusingStatusCheckSec,
                                       option.peelMode};
    int copy = 0;
    while (copy < option.numberOfCopies) {
        sendProgress(cmd::kProgressCopyStart);
        CommunicationObserver* const target = observer();
        if (target == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return endOperation(false);
        }
        if (stopRequested()) {
            return endOperation(false);
        }
        if (!target->sendData(length, data.get())) {
            setErrorCode(error::kCommunication);
            return endOperation(false);
        }
        if (stopRequested()) {
            return endOperation(false);
        }
        copy = updatePrintPage(copy, endCheck, CHECK_STATUS_ON, option.numberOfCopies);
        if (errorCode() != error::kNone || stopRequested()) {
            return endOperation(false);
        }
        if (copy < option.numberOfCopies) {
            sendProgress(cmd::kProgressCopyDone);
        }
    }
    // The last copy's done code is the final one: the outcome is fixed before it goes out.
    return endOperation(true, cmd::kProgressCopyDone, kNoProgress, kUnexplainedFailureCode);
}
