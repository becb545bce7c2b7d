#include <atomic>
#include <climits>

#include "common/error_code.h"
#include "connection/base_printer.h"
#include "connection/error_state.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "connection/wait.h"

// Status checks before an operation, the wait after each printed page and the wait for
// paper. Every sleep goes through the wait seam.

namespace {

namespace error = lumeko::error;
using lumeko::errorCode;
using lumeko::setErrorCode;
using lumeko::stopRequested;

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
    lumeko::sendProgressTo(observer(), code);
}

PrintStatusManager BasePrinter::statusManager() const {
    PrintStatusManager manager;
    manager.connect = connect;
    manager.spec = spec;
    manager.port = port;
    return manager;
}

void BasePrinter::getPrinterStatus(Paper& paper) {
    setErrorCode(error::kNone);
    PrintStatusManager manager = statusManager();
    // A stop during code 11 comes after the reading is complete: too late to change it.
    if (!manager.updateStatus(paper)) {
        lumeko::settleStop();
    }
}

void BasePrinter::getPrinterStatus() {
    setErrorCode(error::kNone);
    PrintStatusManager manager = statusManager();
    manager.updateStatus(Paper());
    sendCancelData();
}

void BasePrinter::getPrinterStatusNotCheckedBattery(Paper paper) {
    setErrorCode(error::kNone);
    PrintStatusManager manager = statusManager();
    manager.checkStatusNotCheckedBattery(paper);
    if (stopRequested() && errorCode() == error::kNone) {
        sendCancelData();
    }
    lumeko::settleStop();
}

bool BasePrinter::getPrinterStatusWithoutCheckedPaper() {
    getPrinterStatus();
    if (lumeko::settleStop()) {
        // The operations behind this gate stop on a cancel instead of going on.
        return false;
    }
    const int process = PrinterStatus::process_status_;
    const int code = errorCode();
    if (process == 0 || process == 7 || code == error::kNone || code == error::kNoMedia ||
        code == error::kNoMediaInfo || code == error::kMediaOnly || code == error::kMediaMismatch) {
        setErrorCode(error::kNone);
        return true;
    }
    return false;
}

void BasePrinter::updateLabelInfo(std::vector<Paper> papers) {
    setErrorCode(error::kNone);
    PrintStatusManager manager = statusManager();
    if (!manager.updateLabelInfo(papers)) {
        lumeko::settleStop();
    }
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
        (errorCode() == error::kNoMediaInfo || errorCode() == error::kNoMedia)) {
        setErrorCode(error::kNone);
    }
    // The host chooses page and pages: the sum saturates instead of overflowing.
    const long long sum = static_cast<long long>(page) + next;
    if (sum > INT_MAX) {
        return INT_MAX;
    }
    return sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

// The print-end wait after one page, step by step. A step of a poll either leaves the poll
// running or decides the wait: the job goes on (checkPrintStatus returns 1) or stops (it
// returns pages).
class PrintEndWait {
  public:
    PrintEndWait(BasePrinter& printer, const PrintEndCheckOption& option,
                 BasePrinter::CheckStatus check, int page, int pages)
        : printer_(printer),
          option_(option),
          check_(check),
          page_(page),
          pages_(pages),
          lastPage_(isLastPage(page, pages)),
          net_(printer.port == PORT_NET) {}

    int run() {
        sleepFirstOnNetwork();
        if (!printer_.spec.statusSupported) {
            return resultOf(waitWithoutStatusSupport());
        }
        if (option_.checkPrintEnd == 1 || (option_.checkPrintEnd == 2 && lastPage_)) {
            return resultOf(waitWithoutReading());
        }
        // Any other mode polls as mode 3 does.
        for (;;) {
            const Outcome outcome = poll();
            if (outcome != Outcome::kNextPoll) {
                return resultOf(outcome);
            }
        }
    }

  private:
    enum class Outcome { kNextPoll, kGoOn, kStop };

    int resultOf(Outcome outcome) const { return outcome == Outcome::kStop ? pages_ : 1; }

    // On the network port, one second first in mode 3, and in mode 2 except after the last
    // page; the other polling modes do not pause.
    void sleepFirstOnNetwork() {
        const int mode = option_.checkPrintEnd;
        if (net_ && (mode == 3 || (mode == 2 && !lastPage_))) {
            lumeko::waitSeconds(1);
        }
    }

    // A model that reports no status: ten seconds per page, whatever the mode.
    Outcome waitWithoutStatusSupport() {
        lumeko::waitSeconds(10);
        return Outcome::kGoOn;
    }

    // Modes that do not read this page: after the last page only, the close wait (not on the
    // network port).
    Outcome waitWithoutReading() {
        if (lastPage_ && !net_ && option_.closeWaitDisusingStatusCheckSec > 0) {
            lumeko::waitSeconds(option_.closeWaitDisusingStatusCheckSec);
        }
        return Outcome::kGoOn;
    }

    // One poll: a reading and what it decides.
    Outcome poll() {
        if (stopRequested()) {
            return stopOnCancel();
        }
        if (net_ && printer_.model == kNoReadingOnNetModel) {
            return Outcome::kGoOn;
        }
        Outcome outcome = read();
        if (outcome != Outcome::kNextPoll) {
            return outcome;
        }
        const int process = PrinterStatus::process_status_;
        countReading(process);
        announceProgress(process);
        outcome = checkPaperAndPrinterError(process);
        if (outcome == Outcome::kNextPoll) {
            outcome = checkEndOfWait(process);
        }
        if (outcome == Outcome::kNextPoll) {
            outcome = endPoll();
        }
        return outcome;
    }

    // A fresh reading; a failed one stops the job, and so does a cancel that came during it.
    Outcome read() {
        setErrorCode(error::kNone);
        printer_.receivePrintStatus();
        // Besides a failed reading (6), no observer at all (39) stops the wait too, where
        // polling on would read nothing 180 times. Neither sends the cancel sequence.
        if (errorCode() == error::kCommunication || errorCode() == error::kInvalidParameter) {
            return Outcome::kStop;
        }
        if (stopRequested()) {
            return stopOnCancel();
        }
        return Outcome::kNextPoll;
    }

    // The poll counter and the progress codes of notifications 3 and 4: a reading without new
    // printer state counts one, a reported change starts the count again.
    void countReading(int process) {
        if (process == 3) {
            printer_.sendProgress(24);
            counter_ = 0;
            notification3Announced_ = true;
        } else if (notification3Announced_) {
            printer_.sendProgress(25);
            counter_ = 0;
            notification3Announced_ = false;
        } else {
            ++counter_;
            if (process == 4) {
                printer_.sendProgress(25);
                counter_ = 0;
            }
        }
    }

    // Peeling (notification 5, or the printing phase in peel mode on the network port) and
    // notification 7.
    void announceProgress(int process) {
        const bool peelModel = (printer_.spec.variousModeCaps & 0x04) != 0;
        if (peelModel && (process == 8 || (process == 6 && option_.peelMode && net_))) {
            printer_.sendProgress(27);
            counter_ = 0;
        }
        if (process == 9) {
            printer_.sendProgress(40);
            counter_ = 0;
        }
    }

    // Paper missing on a model that waits for paper keeps the wait going; any other printer
    // error stops the job with the cancel sequence.
    Outcome checkPaperAndPrinterError(int process) {
        if (errorCode() == error::kNoMedia && printer_.spec.waitForPaperSupported) {
            // Keep waiting, but let such readings run out five times faster.
            if ((counter_ > 2 || !net_) && static_cast<long long>(page_) + counter_ < pages_) {
                printer_.sendProgress(23);
            }
            counter_ += 5;
            return Outcome::kNextPoll;
        }
        if (process == 2) {
            printer_.sendCancelData();
            // The printer is in its error phase: the job stops here, so a reading that named
            // no known error must not leave the job looking printed (code 6 for code 1).
            if (errorCode() == error::kNone) {
                setErrorCode(error::kCommunication);
            }
            return Outcome::kStop;
        }
        return Outcome::kNextPoll;
    }

    // The records that end the wait; with the status check on, ESC i S while the printer works.
    Outcome checkEndOfWait(int process) {
        if (net_ && process == 7) {
            return endOfWait();
        }
        if (check_ == BasePrinter::CHECK_STATUS_ON) {
            if (process == 7) {
                return endOfWait();
            }
            if (process == 3 || process == 6 || process == 8 || process == 9) {
                requestStatus();
            }
        } else if (process == 0 || process == 5) {
            return endOfWait();
        }
        return Outcome::kNextPoll;
    }

    // A failed send or a missing observer leaves its error code; neither stops the poll.
    void requestStatus() {
        CommunicationObserver* const target = printer_.observer();
        if (target == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return;
        }
        // ESC i S: status information request
        auto request = PrinterStatusReply::kRequest;
        if (!target->sendData(static_cast<int>(request.size()), request.data())) {
            setErrorCode(error::kCommunication);
        }
    }

    // The end of the wait forgives a missing paper on a model that waits for paper.
    Outcome endOfWait() {
        if (errorCode() == error::kNoMedia && printer_.spec.waitForPaperSupported) {
            setErrorCode(error::kNone);
        }
        return Outcome::kGoOn;
    }

    // The pause between polls on the network port, and the end of a wait that ran out.
    Outcome endPoll() {
        if (net_) {
            lumeko::waitSeconds(1);
        }
        if (counter_ <= kPollLimit) {
            return Outcome::kNextPoll;
        }
        // The wait ran out: cancel the job on the printer. A cancel during the last pause is
        // reported as a cancel, and a clean reading must not report success for copies that
        // were never printed: the cancel sequence goes out and the code is 6.
        if (stopRequested()) {
            return stopOnCancel();
        }
        if (errorCode() == error::kNone) {
            printer_.sendCancelSequence();
            setErrorCode(error::kCommunication);
        } else {
            printer_.sendCancelData();
        }
        return Outcome::kStop;
    }

    // A cancel stops the job with the cancel sequence, and is reported as a cancel (37) even
    // when a reading since replaced the code cancel() set.
    Outcome stopOnCancel() {
        printer_.sendCancelData();
        setErrorCode(error::kCancelled);
        return Outcome::kStop;
    }

    BasePrinter& printer_;
    const PrintEndCheckOption& option_;
    const BasePrinter::CheckStatus check_;
    const int page_;
    const int pages_;
    const bool lastPage_;
    const bool net_;
    int counter_ = 0;
    bool notification3Announced_ = false;
};

int BasePrinter::checkPrintStatus(const PrintEndCheckOption& option, BasePrinter::CheckStatus check,
                                  int page, int pages) {
    return PrintEndWait(*this, option, check, page, pages).run();
}

void BasePrinter::waitForPaper() {
    if (!spec.waitForPaperSupported ||
        (errorCode() != error::kPaperMissing && errorCode() != error::kNoMedia)) {
        return;
    }
    if (stopRequested()) {
        sendCancelData();
        return;
    }
    for (int attempt = 0; attempt < kPaperAttempts; ++attempt) {
        sendProgress(23);
        getPrinterStatusNotCheckedBattery(currentPaper);
        if (errorCode() != error::kPaperMissing && errorCode() != error::kNoMedia) {
            return;
        }
        if (stopRequested()) {
            sendCancelData();
            return;
        }
        lumeko::waitSeconds(1);
    }
}
