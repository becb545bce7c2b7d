#pragma once

#include <vector>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "catalogue/template_print_option.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"

// Template printing: prints a template stored in the printer with replaced texts.
//
// The command is assembled over several host calls, each with its own short-lived object;
// the bytes gathered so far live in the process-wide buffer template_print_command_ between
// the calls. Every operation reports through PrinterStatus::error_code_ (1 = no error) and
// its result; on a model or port without template printing (error 36) none of them touches
// the command.
class TemplatePrint : public BasePrinter {
  public:
    // For the print: a connection to the printer and the caller's template options.
    TemplatePrint(Port printerPort, CommunicationObserver* observer, Model printerModel,
                  TemplatePrintOption& option);
    // For editing the command only (no connection, default template options); such an
    // object must not be asked to print.
    TemplatePrint(Model printerModel, Port printerPort);
    ~TemplatePrint() override;

    // Starts a new command for the template with this key (1 to 99; else error 39 and an
    // empty command).
    bool initKXTCommand(int key);
    // Appends the text of the next object.
    bool replaceText(const unsigned char* text, int length);
    // Appends the text of the object with this number (1 to templateObjectMax; else error 34
    // and nothing appended).
    bool replaceTextIndex(const unsigned char* text, int length, int number);
    // Appends the text of the object with this name (at most 20 bytes; else error 39 and
    // nothing appended). The text comes first, the name second.
    bool replaceTextName(const unsigned char* text, int textLength, const unsigned char* name,
                         int nameLength);
    // Appends raw bytes.
    bool addToKXTCommand(const unsigned char* bytes, int length);
    // Sends the command with this object's template options: the preamble, the command once
    // per copy (or once with a copies element) and the closing mode switch. The process-wide
    // command itself is left as it was, so the same command can be printed again.
    bool printKXTCommand();

    // The command under construction, shared by every object; empty at load.
    static std::vector<unsigned char> template_print_command_;

    // Longest object name of replaceTextName.
    static constexpr int kMaxObjectName = 20;

  protected:
    bool peelMode = false;
    int checkPrintEnd = 3;
    int numberOfCopies = 1;
    bool doStatusCheck = true;
    int closeWaitDisusingStatusCheckSec = 3;
    bool useCopyCommandInTemplatePrint = false;

  private:
    // Error 36 and false when the model does not print templates on this port.
    bool checkSupported();
    // Sends bytes with sendData: error 39 without observer, 6 when not taken.
    bool send(const std::vector<unsigned char>& bytes);
};
