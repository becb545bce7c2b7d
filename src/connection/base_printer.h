#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/paper.h"
#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "catalogue/support_func.h"
#include "common/error_code.h"
#include "connection/communication_observer.h"
#include "connection/connect.h"
#include "connection/print_status_manager.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_status.h"

// How the print-end wait runs after a page.
struct PrintEndCheckOption {
    // 1: no polling; 2: poll after every page but the last; 3: poll after every page.
    int checkPrintEnd = 3;
    // Seconds to wait after the last page when the mode does not poll.
    int closeWaitDisusingStatusCheckSec = 0;
    bool peelMode = false;
};

class PrintEndWait;

// Base of every printer operation. One object lives for one host call; only the
// PrinterStatus statics, cancel_flag and progress_refused outlive it.
//
// How every operation the host can call ends (endOperation): a call that reports success
// (true, a list, a value) leaves error code 1, and one that reports failure never leaves 1.
// A cancel, or a progress message the host refuses, stops the operation at its next check
// with false and 37 or 40, and no later step (a status reading, a retry) turns that back
// into 1. The outcome is decided before the operation's final progress code: a cancel or a
// refusal while the host handles that code comes too late to change it.
// An empty or zero answer is not a failure where it is the answer: a device query on a
// model without its command (empty text), the weak-battery and boot-mode flags of a model
// without the query (0), the firmware version on a port without firmware functions (empty
// text). These report success with code 1 and send nothing; only a failed exchange, a
// missing observer or a stop makes them a failure.
class BasePrinter {
  public:
    enum CheckStatus : int {
        CHECK_STATUS_OFF = 0,  // bitmap pages: no status request while waiting
        CHECK_STATUS_ON = 1,   // prepared print files and templates: ESC i S while busy
    };

    // No port, no connection: clears only the stop flags and loads the PrinterSpec; the last status
    // stays as the previous operation left it.
    explicit BasePrinter(Model printerModel);
    // Talks to the printer through observer (not owned); clears the last status.
    BasePrinter(Port printerPort, CommunicationObserver* observer, Model printerModel);
    // No connection (file work, command building); clears the last status.
    BasePrinter(Model printerModel, Port printerPort);
    virtual ~BasePrinter();

    BasePrinter(const BasePrinter&) = delete;
    BasePrinter& operator=(const BasePrinter&) = delete;

    // Resets the last status (process_status_ and mode9_ keep their values) and loads the
    // spec again.
    void clearStatus();
    // True when the model offers every function of func on this object's port.
    bool isSupported(PSSupportFunc func);
    // Sets cancel_flag and error code 37. Safe from another thread.
    static void cancel();
    // Sends the model's cancel sequence after a cancel or a failure; the error code is
    // kept.
    void sendCancelData();

    // Paper selection: chooses the current paper from the options (error code 25 or 32 on
    // failure).
    void init(RasterPrintOption option);
    // Builds the current paper from this model's custom paper command in the options or in
    // the file they name; true when one was found.
    bool getCustomPaperinfo(RasterPrintOption option);
    // The model's papers for these options, in paper-id order; no printer traffic.
    std::vector<Paper> getPaperList(RasterPrintOption& option);
    PrinterSpec getPrinterSpec();

    // Status checks before and between jobs.
    void getPrinterStatus(Paper& paper);
    void getPrinterStatus();
    void getPrinterStatusNotCheckedBattery(Paper paper);
    // The readiness gate: true when the printer can take the operation.
    bool getPrinterStatusWithoutCheckedPaper();
    void updateLabelInfo(std::vector<Paper> papers);
    // The print-end wait after a page; returns the next page index (page + 1 to go on,
    // pages or more to stop).
    int updatePrintPage(int page, PrintEndCheckOption option, BasePrinter::CheckStatus check,
                        int pages);
    int checkPrintStatus(const PrintEndCheckOption& option, BasePrinter::CheckStatus check,
                         int page, int pages);
    void receivePrintStatus();
    void waitForPaper();

    // Device queries. None sends a progress code; a stop requested during one gives its
    // failure result (empty text, 0 or false) with the stop's code.
    std::string getSerialNumber();
    std::string getSerialNumberFromMIB();
    std::string getSerialNumberFromESCPCommand();
    std::string getMediaVer();
    std::string getMediaFileVer(std::string path);
    int getPageCounter();
    std::string getDeviceStatus();
    std::string getSystemReport();
    bool getBatteryInfo(PrinterBatteryInfo& info);

    // Set by cancel(), cleared by every constructor; polled by running operations.
    static std::atomic<bool> cancel_flag;
    // Set when the host refuses a progress message of the running operation; cleared with
    // cancel_flag. The operation stops at its next check as it would for a cancel.
    static std::atomic<bool> progress_refused;

    // No final progress code.
    static constexpr int kNoProgress = -1;

    // Ends an operation the host called: `succeeded` is what the operation found. A requested
    // stop makes it a failure with 37 or 40; a success whose error code is not 1 is a failure
    // with that code; a failure that left code 1 gets failureCode. Then the final progress
    // code of the outcome (doneProgress or failedProgress, none for kNoProgress) goes to the
    // host, which can no longer change the outcome. Returns the outcome.
    bool endOperation(bool succeeded, int doneProgress, int failedProgress, int failureCode);
    // As above with one final progress code (or none) whatever the outcome, and code 6 for a
    // failure that left 1.
    bool endOperation(bool succeeded, int finalProgress = kNoProgress) {
        return endOperation(succeeded, finalProgress, finalProgress, kUnexplainedFailureCode);
    }

  protected:
    // The device queries' readings, before they end through endOperation.
    std::string readMediaVersion();
    int readPageCounter();
    std::string readDeviceStatus();
    std::string readSystemReport();
    bool readBatteryInfo(PrinterBatteryInfo& info);

    // The print-end wait of checkPrintStatus, in steps (status_checks.cpp).
    friend class PrintEndWait;

    // Sends N zero bytes and the cancel command (N = invalidateLength; nothing when N is
    // 0), without looking at the error code or the cancel flag; the error code is kept.
    void sendCancelSequence();
    // A progress code for the host, only when there is an observer. A host that refuses it
    // (false, or error code 40 left by its observer) sets progress_refused and error code 40.
    void sendProgress(int code);
    // Clears cancel_flag and progress_refused: the operation starts with nothing stopping it.
    static void clearStopFlags();

    // A failure that named no reason of its own: the exchange went wrong.
    static constexpr int kUnexplainedFailureCode = lumeko::error::kCommunication;
    // A status manager over this operation's connection, spec and port.
    PrintStatusManager statusManager() const;

    // The observer of this operation, or null ("no observer": no Connect, or a null one).
    CommunicationObserver* observer() const { return connect ? connect->observer : nullptr; }

    PrinterStatus status;
    Paper currentPaper;
    Connect* connect = nullptr;
    Port port = static_cast<Port>(0);
    PrinterSpec spec;
    Model model = NO_MODEL;
};
