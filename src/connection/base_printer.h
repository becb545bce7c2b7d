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
// PrinterStatus statics and cancel_flag outlive it.
class BasePrinter {
  public:
    enum CheckStatus : int {
        CHECK_STATUS_OFF = 0,  // bitmap pages: no status request while waiting
        CHECK_STATUS_ON = 1,   // prepared print files and templates: ESC i S while busy
    };

    // No port, no connection: clears only cancel_flag and loads the PrinterSpec; the last status
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
    void cancel();
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

    // Device queries.
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

  protected:
    // The print-end wait of checkPrintStatus, in steps (status_checks.cpp).
    friend class PrintEndWait;

    // Sends N zero bytes and the cancel command (N = invalidateLength; nothing when N is
    // 0), without looking at the error code or the cancel flag; the error code is kept.
    void sendCancelSequence();
    // A progress code for the host, only when there is an observer; the result is ignored.
    void sendProgress(int code);
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
