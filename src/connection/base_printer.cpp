#include "connection/base_printer.h"

#include <vector>

#include "catalogue/printer_spec_builder.h"
#include "common/error_code.h"
#include "connection/error_state.h"

namespace error = lumeko::error;

std::atomic<bool> BasePrinter::cancel_flag{false};
std::atomic<bool> BasePrinter::progress_refused{false};

BasePrinter::BasePrinter(Model printerModel) : model(printerModel) {
    // Port 0 names no port.
    clearStopFlags();
    PrinterSpecBuilder().getPrinterSpec(spec, model);
}

BasePrinter::BasePrinter(Port printerPort, CommunicationObserver* observer, Model printerModel)
    : connect(new Connect()), port(printerPort), model(printerModel) {
    connect->observer = observer;
    clearStatus();
}

BasePrinter::BasePrinter(Model printerModel, Port printerPort)
    : port(printerPort), model(printerModel) {
    clearStatus();
}

BasePrinter::~BasePrinter() {
    // Derived destructors may have deleted the Connect already and left null. The observer
    // belongs to the host and is never deleted here.
    delete connect;
    connect = nullptr;
}

void BasePrinter::clearStopFlags() {
    cancel_flag.store(false, std::memory_order_relaxed);
    progress_refused.store(false, std::memory_order_relaxed);
}

void BasePrinter::clearStatus() {
    clearStopFlags();
    PrinterStatus::clear();
    // The record parser appends ports and keeps existing map entries: decode into a
    // freshly defaulted spec so that a second clearStatus gives the same spec.
    spec = PrinterSpec();
    PrinterSpecBuilder().getPrinterSpec(spec, model);
}

bool BasePrinter::isSupported(PSSupportFunc func) {
    const auto entry = spec.supportFunctions.find(port);
    if (entry == spec.supportFunctions.end()) {
        return false;
    }
    const unsigned int wanted = static_cast<unsigned int>(func);
    return (entry->second & wanted) == wanted;
}

void BasePrinter::cancel() {
    cancel_flag.store(true, std::memory_order_relaxed);
    PrinterStatus::error_code_.store(error::kCancelled, std::memory_order_relaxed);
}

bool BasePrinter::endOperation(bool succeeded, int doneProgress, int failedProgress,
                               int failureCode) {
    if (lumeko::settleStop() || lumeko::errorCode() != error::kNone) {
        succeeded = false;
    } else if (!succeeded) {
        lumeko::setErrorCode(failureCode);
    }
    const int outcome = lumeko::errorCode();
    const int progress = succeeded ? doneProgress : failedProgress;
    if (progress != kNoProgress) {
        sendProgress(progress);
        // Every step is behind the operation: a cancel or a refusal while the host handles
        // this code comes too late, and the call returns its outcome with its own code.
        lumeko::setErrorCode(outcome);
    }
    return succeeded;
}

void BasePrinter::sendCancelSequence() {
    const int entryCode = PrinterStatus::error_code_.load(std::memory_order_relaxed);
    const unsigned int zeros = spec.invalidateLength;
    CommunicationObserver* const target = observer();
    if (zeros != 0 && target != nullptr) {
        std::vector<unsigned char> data(zeros, 0x00);
        if (spec.commandProtocol.isCancelCommandAvailable()) {
            // ESC i CAN (1B 69 18): cancel the job
            data.insert(data.end(), {0x1B, 0x69, 0x18});
        } else {
            // ESC @ (1B 40): initialise
            data.insert(data.end(), {0x1B, 0x40});
        }
        // A failed send is not reported: the error code stays as it was.
        target->sendData(static_cast<int>(data.size()), data.data());
    }
    PrinterStatus::error_code_.store(entryCode, std::memory_order_relaxed);
}

void BasePrinter::sendCancelData() {
    const int entryCode = PrinterStatus::error_code_.load(std::memory_order_relaxed);
    if (entryCode == error::kCommunication) {
        return;
    }
    if (!cancel_flag.load(std::memory_order_relaxed) && entryCode == error::kNone) {
        return;
    }
    sendCancelSequence();
}
