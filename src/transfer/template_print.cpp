#include "transfer/template_print.h"

#include <climits>
#include <cstdio>
#include <iterator>

#include "catalogue/support_func.h"
#include "common/error_code.h"
#include "connection/error_state.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"

std::vector<unsigned char> TemplatePrint::template_print_command_;

namespace {

// ESC @ (1B 40): initialise; ESC i a 03 (1B 69 61 03): switch to the template mode;
// "^II" (5E 49 49): start of the template command.
const std::vector<unsigned char> kPreamble = {0x1B, 0x40, 0x1B, 0x69, 0x61, 0x03, 0x5E, 0x49, 0x49};
// ESC i S (1B 69 53): status request after a page.
const std::vector<unsigned char> kStatusRequest(PrinterStatusReply::kRequest.begin(),
                                                PrinterStatusReply::kRequest.end());
// ESC i a FF (1B 69 61 FF): back to the printer's default command mode.
const std::vector<unsigned char> kClosing(std::begin(setDefaultModeCommand),
                                          std::end(setDefaultModeCommand));

// Progress codes around each copy.
constexpr int kProgressCopyStart = 14;
constexpr int kProgressCopyDone = 15;
// Highest template key and the object number above which three digits are used.
constexpr int kMaxKey = 99;
constexpr int kTwoDigitObjectLimit = 100;
constexpr int kMaxThreeDigitNumber = 999;
// Copies the copies element can carry (three digits).
constexpr int kMinPrinterCopies = 1;
constexpr int kMaxPrinterCopies = 999;

namespace error = lumeko::error;
using lumeko::errorCode;
using lumeko::setErrorCode;
using lumeko::stopRequested;

unsigned char digit(int value) {
    return static_cast<unsigned char>('0' + value);
}

// Appends the length bytes of text and the object end 09; refuses a negative length, and a
// missing text with a positive length (error 39).
bool appendText(std::vector<unsigned char>& command, const unsigned char* text, int length) {
    if (length < 0 || (text == nullptr && length > 0)) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (length > 0) {
        command.insert(command.end(), text, text + length);
    }
    command.push_back(0x09);  // HT (09): end of the object's text
    return true;
}

}  // namespace

TemplatePrint::TemplatePrint(Port printerPort, CommunicationObserver* observer, Model printerModel,
                             TemplatePrintOption& option)
    : BasePrinter(printerPort, observer, printerModel),
      peelMode(option.peelMode),
      checkPrintEnd(option.checkPrintEnd),
      numberOfCopies(option.numberOfCopies),
      doStatusCheck(option.doStatusCheck),
      closeWaitDisusingStatusCheckSec(option.closeWaitDisusingStatusCheckSec),
      useCopyCommandInTemplatePrint(option.useCopyCommandInTemplatePrint) {}

TemplatePrint::TemplatePrint(Model printerModel, Port printerPort)
    : BasePrinter(printerModel, printerPort) {}

TemplatePrint::~TemplatePrint() {
    delete connect;
    connect = nullptr;
}

bool TemplatePrint::checkSupported() {
    if (!isSupported(PS_SUPPORT_TEMPLATE_PRINT)) {
        setErrorCode(error::kTemplatePrintNotSupported);
        return false;
    }
    return true;
}

bool TemplatePrint::send(const std::vector<unsigned char>& bytes) {
    CommunicationObserver* const target = observer();
    if (target == nullptr) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    // A command beyond the observer's int length cannot be handed over: not sent.
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        setErrorCode(error::kCommunication);
        return false;
    }
    std::vector<unsigned char> copy = bytes;  // the observer takes a mutable buffer
    if (!target->sendData(static_cast<int>(copy.size()), copy.data())) {
        setErrorCode(error::kCommunication);
        return false;
    }
    return true;
}

bool TemplatePrint::initKXTCommand(int key) {
    setErrorCode(error::kNone);
    if (!checkSupported()) {
        return false;
    }
    template_print_command_.clear();
    if (key < 1 || key > kMaxKey) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    // "^TS0" (5E 54 53 30) and the key as two digits: template selection
    template_print_command_.insert(template_print_command_.end(), {0x5E, 0x54, 0x53, 0x30});
    template_print_command_.push_back(digit(key / 10));
    template_print_command_.push_back(digit(key % 10));
    return true;
}

bool TemplatePrint::replaceText(const unsigned char* text, int length) {
    if (!checkSupported()) {
        return false;
    }
    return appendText(template_print_command_, text, length);
}

bool TemplatePrint::replaceTextIndex(const unsigned char* text, int length, int number) {
    if (!checkSupported()) {
        return false;
    }
    const int maxNumber = static_cast<int>(spec.templateObjectMax);
    // Three digits are the widest number the command carries.
    if (number < 1 || number > maxNumber || number > kMaxThreeDigitNumber) {
        setErrorCode(error::kTemplateObjectOutOfRange);
        return false;
    }
    if (length < 0 || (text == nullptr && length > 0)) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    // "^OS" (5E 4F 53) and the object number: text of the object with this number
    std::vector<unsigned char> element = {0x5E, 0x4F, 0x53};
    if (maxNumber < kTwoDigitObjectLimit) {
        element.push_back(digit(number / 10));
        element.push_back(digit(number % 10));
    } else {
        element.push_back(digit(number / 100));
        element.push_back(digit(number % 100 / 10));
        element.push_back(digit(number % 10));
    }
    template_print_command_.insert(template_print_command_.end(), element.begin(), element.end());
    return appendText(template_print_command_, text, length);
}

bool TemplatePrint::replaceTextName(const unsigned char* text, int textLength,
                                    const unsigned char* name, int nameLength) {
    if (!checkSupported()) {
        return false;
    }
    // A name the command cannot carry is an invalid parameter, not a silent success.
    if (nameLength < 0 || nameLength > kMaxObjectName || (name == nullptr && nameLength > 0) ||
        textLength < 0 || (text == nullptr && textLength > 0)) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    // "^ON" (5E 4F 4E), the name and 00: text of the object with this name
    template_print_command_.insert(template_print_command_.end(), {0x5E, 0x4F, 0x4E});
    if (nameLength > 0) {
        template_print_command_.insert(template_print_command_.end(), name, name + nameLength);
    }
    template_print_command_.push_back(0x00);
    return appendText(template_print_command_, text, textLength);
}

bool TemplatePrint::addToKXTCommand(const unsigned char* bytes, int length) {
    if (!checkSupported()) {
        return false;
    }
    if (length < 0 || (bytes == nullptr && length > 0)) {
        setErrorCode(error::kInvalidParameter);
        return false;
    }
    if (length > 0) {
        template_print_command_.insert(template_print_command_.end(), bytes, bytes + length);
    }
    return true;
}

bool TemplatePrint::printKXTCommand() {
    if (!checkSupported()) {
        return endOperation(false);
    }
    if (useCopyCommandInTemplatePrint &&
        (numberOfCopies < kMinPrinterCopies || numberOfCopies > kMaxPrinterCopies)) {
        // Three digits cannot carry the count: refused before anything is sent.
        setErrorCode(error::kInvalidParameter);
        return endOperation(false);
    }
    if (doStatusCheck && spec.statusSupported) {
        getPrinterStatus();
        if (stopRequested()) {
            return endOperation(false);
        }
        waitForPaper();
    }
    if (errorCode() != error::kNone || stopRequested()) {
        return endOperation(false);
    }
    if (!send(kPreamble)) {
        return endOperation(false);
    }

    // The block sent per copy: the gathered command with its copies and print elements. The
    // process-wide command keeps what the host built, so a second print sends the same.
    std::vector<unsigned char> command = template_print_command_;
    int count = numberOfCopies;
    if (useCopyCommandInTemplatePrint) {
        // "^CN" (5E 43 4E) and three digits: copies made by the printer
        command.insert(command.end(), {0x5E, 0x43, 0x4E});
        command.push_back(digit(numberOfCopies / 100));
        command.push_back(digit(numberOfCopies % 100 / 10));
        command.push_back(digit(numberOfCopies % 10));
        count = 1;
    }
    // "^FF" (5E 46 46): print
    command.insert(command.end(), {0x5E, 0x46, 0x46});

    const PrintEndCheckOption endCheck{checkPrintEnd, closeWaitDisusingStatusCheckSec, peelMode};
    // A stop ends the print without the closing bytes, at the latest before them: the
    // print has no final progress code, so a cancel of the last copy's code 15 still counts.
    for (int page = 0; page < count;) {
        if (stopRequested() || errorCode() != error::kNone) {
            return endOperation(false);
        }
        if (observer() == nullptr) {
            setErrorCode(error::kInvalidParameter);
            return endOperation(false);
        }
        sendProgress(kProgressCopyStart);
        if (stopRequested() || !send(command)) {
            return endOperation(false);
        }
        // No status request after a page on the network port.
        if (port != PORT_NET && !send(kStatusRequest)) {
            return endOperation(false);
        }
        if (stopRequested()) {
            return endOperation(false);
        }
        page = updatePrintPage(page, endCheck, CHECK_STATUS_ON, count);
        if (errorCode() != error::kNone) {
            return endOperation(false);
        }
        std::printf("updatePrintPage = %d\n", page);
        sendProgress(kProgressCopyDone);
    }
    if (stopRequested()) {
        return endOperation(false);
    }
    return endOperation(send(kClosing));
}
