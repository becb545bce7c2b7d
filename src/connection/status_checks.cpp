#include <atomic>
#include <climits>

#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "connection/wait.h"

// Status checks before an operation, the wait after each printed page and the wait for
// paper. Every sleep goes through the wait seam.

namespace {

using lumeko::cancelled;
using lumeko::errorCode;
using lumeko::setErrorCode;

// Readings without new printer state after which the print-end wait gives up.
constexpr int kPollLimit = 179;
// Attempts of the paper wait, one second apart.
constexpr int kPaperAttempts = 30;
// The model that skips reading on the network port.
constexpr Model kNoReadingOnNetModel = SN_7100N;

// page + 1 >= pages, without overflow for any page the host passes.
bool isLastPage(int page, int pages) {
    return static_cast<long long>(page) + 1 >= pages;
}

}  // namespace

void BasePrinter::sendProgress(int code) {
    CommunicationObserver* const target = observer();
    if (target != nullptr) {
        target->sendMessage(code);
    }
}

PrintStatusManager BasePrinter::statusManager() const {
    PrintStatusManager manager;
    manager.connect = connect;
    manager.spec = spec;
    manager.port = port;
    return manager;
}

void BasePrinter::getPrinterStatus(Paper& paper) {
    setErrorCode(1);
    PrintStatusManager manager = statusManager();
    manager.updateStatus(paper);
    if (cancelled() && errorCode() == 1) {
        setErrorCode(37);
    }
}

void BasePrinter::getPrinterStatus() {
    setErrorCode(1);
    PrintStatusManager manager = statusManager();
    manager.updateStatus(Paper());
    sendCancelData();
}

void BasePrinter::getPrinterStatusNotCheckedBattery(Paper paper) {
    setErrorCode(1);
    PrintStatusManager manager = statusManager();
    manager.checkStatusNotCheckedBattery(paper);
    if (cancelled() && errorCode() == 1) {
        sendCancelData();
        setErrorCode(37);
    }
}

bool BasePrinter::getPrinterStatusWithoutCheckedPaper() {
    getPrinterStatus();
    if (cancelled()) {
        // The operations behind this gate stop on a cancel instead of going on.
        setErrorCode(37);
        return false;
    }
    const int process = PrinterStatus::process_status_;
    const int code = errorCode();
    if (process == 0 || process == 7 || code == 1 || code == 4 || code == 13 || code == 14 ||
        code == 32) {
        setErrorCode(1);
        return true;
    }
    return false;
}

void BasePrinter::updateLabelInfo(std::vector<Paper> papers) {
    setErrorCode(1);
    PrintStatusManager manager = statusManager();
    manager.updateLabelInfo(papers);
}

void BasePrinter::receivePrintStatus() {
    PrintStatusManager manager = statusManager();
    const int readings = port == PORT_NET ? 3 : 1;
    for (int i = 0; i < readings; ++i) {
        manager.receiveStatus();
    }
}

int BasePrinter::updatePrintPage(int page, PrintEndCheckOption option,
                                 BasePrinter::CheckStatus check, int pages) {
    const int next = checkPrintStatus(option, check, page, pages);
    // A media error is forgiven only after the job's last page: a job stopped early keeps
    // it, so pages that were never printed are not reported as printed.
    if (isLastPage(page, pages) && spec.clearMediaErrorAtEnd &&
        (errorCode() == 13 || errorCode() == 4)) {
        setErrorCode(1);
    }
    // The host chooses page and pages: the sum saturates instead of overflowing.
    const long long sum = static_cast<long long>(page) + next;
    if (sum > INT_MAX) {
        return INT_MAX;
    }
    return sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

int BasePrinter::checkPrintStatus(const PrintEndCheckOption& option, BasePrinter::CheckStatus check,
                                  int page, int pages) {
    const int goOn = 1;
    const int stop = pages;
    const bool lastPage = isLastPage(page, pages);
    const int mode = option.checkPrintEnd;
    const bool net = port == PORT_NET;
    auto endOfWait = [&]() {
        if (errorCode() == 4 && spec.waitForPaperSupported) {
            setErrorCode(1);
        }
        return goOn;
    };
    auto stopOnCancel = [&]() {
        sendCancelData();
        setErrorCode(37);
        return stop;
    };

    if (net && (mode == 3 || (mode == 2 && !lastPage))) {
        lumeko::waitSeconds(1);
    }
    if (!spec.statusSupported) {
        lumeko::waitSeconds(10);
        return goOn;
    }
    if (mode == 1 || (mode == 2 && lastPage)) {
        if (lastPage && !net && option.closeWaitDisusingStatusCheckSec > 0) {
            lumeko::waitSeconds(option.closeWaitDisusingStatusCheckSec);
        }
        return goOn;
    }

    // Any other mode polls as mode 3 does.
    int counter = 0;
    bool notification3Announced = false;
    for (;;) {
        if (cancelled()) {
            return stopOnCancel();
        }
        if (net && model == kNoReadingOnNetModel) {
            return goOn;
        }
        setErrorCode(1);
        receivePrintStatus();
        if (errorCode() == 6 || errorCode() == 39) {
            // A failed reading, or no observer: stop without the cancel sequence.
            return stop;
        }
        if (cancelled()) {
            return stopOnCancel();
        }
        const int process = PrinterStatus::process_status_;
        if (process == 3) {
            sendProgress(24);
            counter = 0;
            notification3Announced = true;
        } else if (notification3Announced) {
            sendProgress(25);
            counter = 0;
            notification3Announced = false;
        } else {
            ++counter;
            if (process == 4) {
                sendProgress(25);
                counter = 0;
            }
        }
        const bool peelModel = (spec.variousModeCaps & 0x04) != 0;
        if (peelModel && (process == 8 || (process == 6 && option.peelMode && net))) {
            sendProgress(27);
            counter = 0;
        }
        if (process == 9) {
            sendProgress(40);
            counter = 0;
        }
        if (errorCode() == 4 && spec.waitForPaperSupported) {
            // Paper missing: keep waiting, but let such readings run out five times faster.
            if ((counter > 2 || !net) && static_cast<long long>(page) + counter < pages) {
                sendProgress(23);
            }
            counter += 5;
        } else if (process == 2) {
            sendCancelData();
            // The printer is in its error phase: the job stops here, so a reading that named
            // no known error must not leave the job looking printed.
            if (errorCode() == 1) {
                setErrorCode(6);
            }
            return stop;
        }
        if (net && process == 7) {
            return endOfWait();
        }
        if (check == CHECK_STATUS_ON) {
            if (process == 7) {
                return endOfWait();
            }
            if (process == 3 || process == 6 || process == 8 || process == 9) {
                CommunicationObserver* const target = observer();
                if (target == nullptr) {
                    setErrorCode(39);
                } else {
                    // ESC i S: status information request
                    auto request = PrinterStatusReply::kRequest;
                    if (!target->sendData(static_cast<int>(request.size()), request.data())) {
                        setErrorCode(6);
                    }
                }
            }
        } else if (process == 0 || process == 5) {
            return endOfWait();
        }
        if (net) {
            lumeko::waitSeconds(1);
        }
        if (counter > kPollLimit) {
            // The wait ran out: cancel the job on the printer. A clean reading must not
            // report success for copies that were never printed.
            if (cancelled()) {
                return stopOnCancel();
            }
            if (errorCode() == 1) {
                sendCancelSequence();
                setErrorCode(6);
            } else {
                sendCancelData();
            }
            return stop;
        }
    }
}

void BasePrinter::waitForPaper() {
    if (!spec.waitForPaperSupported || (errorCode() != 11 && errorCode() != 4)) {
        return;
    }
    if (cancelled()) {
        sendCancelData();
        return;
    }
    for (int attempt = 0; attempt < kPaperAttempts; ++attempt) {
        sendProgress(23);
        getPrinterStatusNotCheckedBattery(currentPaper);
        if (errorCode() != 11 && errorCode() != 4) {
            return;
        }
        if (cancelled()) {
            sendCancelData();
            return;
        }
        lumeko::waitSeconds(1);
    }
}
