#include "transfer/template_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "connection/error_state.h"
#include "connection/printer_status.h"
#include "support/printer_status_fixture.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/wait_recorder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;
using B = StatusReplyBuilder;

const Bytes kPreamble = {0x1B, 0x40, 0x1B, 0x69, 0x61, 0x03, 0x5E, 0x49, 0x49};
const Bytes kStatusRequest = {0x1B, 0x69, 0x53};
const Bytes kClosing = {0x1B, 0x69, 0x61, 0xFF};

// Template printing on port 1 with object numbers of two digits (maximum 99), of three
// digits (255), and a model that answers no status requests.
constexpr Model kTwoDigitModel = SN_3200N;
constexpr Model kThreeDigitModel = FC_650;
constexpr Model kNoStatusModel = FC_580;

using lumeko::errorCode;

Bytes bytesOf(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TemplatePrintOption options(int copies, bool copyCommand, int checkPrintEnd = 1,
                            bool doStatusCheck = false) {
    TemplatePrintOption option;
    option.numberOfCopies = copies;
    option.useCopyCommandInTemplatePrint = copyCommand;
    option.checkPrintEnd = checkPrintEnd;
    option.doStatusCheck = doStatusCheck;
    option.closeWaitDisusingStatusCheckSec = 0;
    return option;
}

// A template print whose spec a test can edit.
class EditableTemplatePrint : public TemplatePrint {
  public:
    using TemplatePrint::TemplatePrint;
    PrinterSpec& editSpec() { return spec; }
};

}  // namespace

class TemplatePrintTest : public PrinterStatusTest {
  protected:
    void SetUp() override {
        PrinterStatusTest::SetUp();
        TemplatePrint::template_print_command_.clear();
    }
    void TearDown() override {
        TemplatePrint::template_print_command_.clear();
        PrinterStatusTest::TearDown();
    }
    static const Bytes& command() { return TemplatePrint::template_print_command_; }

    // Builds "^TS007" + one text of each kind on the model, each edit with its own object.
    static void build(Model model) {
        ASSERT_TRUE(TemplatePrint(model, PORT_USB).initKXTCommand(7));
        const Bytes text = bytesOf("AB");
        ASSERT_TRUE(TemplatePrint(model, PORT_USB).replaceText(text.data(), 2));
    }
};

TEST_F(TemplatePrintTest, CommandElementsAreAssembledAcrossObjects) {
    const Bytes ab = bytesOf("AB");
    const Bytes x = bytesOf("X");
    const Bytes name = bytesOf("ABCDE");
    const Bytes raw = {0x00, 0xFF, 0x09};

    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).initKXTCommand(7));
    EXPECT_EQ(command(), (Bytes{0x5E, 0x54, 0x53, 0x30, 0x30, 0x37}));
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).replaceText(ab.data(), 2));
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).replaceTextIndex(ab.data(), 2, 5));
    EXPECT_TRUE(
        TemplatePrint(kTwoDigitModel, PORT_USB).replaceTextName(x.data(), 1, name.data(), 5));
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).addToKXTCommand(raw.data(), 3));
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).replaceText(nullptr, 0));
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(command(), cat({{0x5E, 0x54, 0x53, 0x30, 0x30, 0x37},
                              {0x41, 0x42, 0x09},
                              {0x5E, 0x4F, 0x53, 0x30, 0x35, 0x41, 0x42, 0x09},
                              {0x5E, 0x4F, 0x4E, 0x41, 0x42, 0x43, 0x44, 0x45, 0x00, 0x58, 0x09},
                              raw,
                              {0x09}}));

    // A model with object numbers up to 255 writes three digits.
    TemplatePrint::template_print_command_.clear();
    EXPECT_TRUE(TemplatePrint(kThreeDigitModel, PORT_USB).replaceTextIndex(ab.data(), 2, 5));
    EXPECT_EQ(command(), (Bytes{0x5E, 0x4F, 0x53, 0x30, 0x30, 0x35, 0x41, 0x42, 0x09}));
    TemplatePrint::template_print_command_.clear();
    EXPECT_TRUE(TemplatePrint(kThreeDigitModel, PORT_USB).replaceTextIndex(ab.data(), 0, 255));
    EXPECT_EQ(command(), (Bytes{0x5E, 0x4F, 0x53, 0x32, 0x35, 0x35, 0x09}));
}

TEST_F(TemplatePrintTest, KeyOutsideRangeEmptiesTheCommand) {
    const Bytes ab = bytesOf("AB");
    for (int key : {0, 100, -1}) {
        build(kTwoDigitModel);
        EXPECT_FALSE(TemplatePrint(kTwoDigitModel, PORT_USB).initKXTCommand(key)) << key;
        EXPECT_EQ(errorCode(), 39) << key;
        EXPECT_TRUE(command().empty()) << key;
    }
    // A text then goes into the empty command.
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).replaceText(ab.data(), 2));
    EXPECT_EQ(command(), (Bytes{0x41, 0x42, 0x09}));
    EXPECT_TRUE(TemplatePrint(kTwoDigitModel, PORT_USB).initKXTCommand(99));
    EXPECT_EQ(command(), (Bytes{0x5E, 0x54, 0x53, 0x30, 0x39, 0x39}));
}

TEST_F(TemplatePrintTest, RefusedEditsLeaveTheCommandAsItWas) {
    const Bytes ab = bytesOf("AB");
    const Bytes longName(21, 'N');
    const Bytes name20(20, 'N');
    struct Case {
        const char* what;
        Model model;
        Port port;
        std::function<bool(TemplatePrint&)> edit;
        int error;
    };
    const std::vector<Case> cases = {
        // No capability entry for the port (port 0 before the host's first set-up), and a
        // port whose entry lacks template printing.
        {"port 0 init", kTwoDigitModel, static_cast<Port>(0),
         [](TemplatePrint& t) { return t.initKXTCommand(7); }, 36},
        {"port 0 text", kTwoDigitModel, static_cast<Port>(0),
         [&](TemplatePrint& t) { return t.replaceText(ab.data(), 2); }, 36},
        {"no template printing: name", KX_C270W, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextName(ab.data(), 2, ab.data(), 2); }, 36},
        {"no template printing: raw", KX_C270W, PORT_USB,
         [&](TemplatePrint& t) { return t.addToKXTCommand(ab.data(), 2); }, 36},
        {"no template printing: index", KX_C270W, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextIndex(ab.data(), 2, 1); }, 36},
        {"object number 0", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextIndex(ab.data(), 2, 0); }, 34},
        {"object number above the maximum", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextIndex(ab.data(), 2, 100); }, 34},
        {"object number 256 of a 255 model", kThreeDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextIndex(ab.data(), 2, 256); }, 34},
        // A name the command cannot carry is reported, not taken as a success.
        {"21-byte name", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextName(ab.data(), 2, longName.data(), 21); },
         39},
        {"negative name length", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextName(ab.data(), 2, name20.data(), -1); }, 39},
        {"negative text length", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceText(ab.data(), -2); }, 39},
        {"missing text", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.replaceTextIndex(nullptr, 3, 1); }, 39},
        {"missing raw bytes", kTwoDigitModel, PORT_USB,
         [&](TemplatePrint& t) { return t.addToKXTCommand(nullptr, 1); }, 39},
    };
    for (const Case& c : cases) {
        build(kTwoDigitModel);
        const Bytes before = command();
        TemplatePrint edit(c.model, c.port);
        EXPECT_FALSE(c.edit(edit)) << c.what;
        EXPECT_EQ(errorCode(), c.error) << c.what;
        EXPECT_EQ(command(), before) << c.what;
    }
    // The longest accepted name.
    EXPECT_TRUE(
        TemplatePrint(kTwoDigitModel, PORT_USB).replaceTextName(ab.data(), 2, name20.data(), 20));
}

TEST_F(TemplatePrintTest, ObjectNumbersBeyondThreeDigitsAreRefused) {
    const Bytes ab = bytesOf("AB");
    EditableTemplatePrint edit(kThreeDigitModel, PORT_USB);
    edit.editSpec().templateObjectMax = 1200;
    EXPECT_TRUE(edit.replaceTextIndex(ab.data(), 0, 999));
    EXPECT_EQ(command(), (Bytes{0x5E, 0x4F, 0x53, 0x39, 0x39, 0x39, 0x09}));
    EXPECT_FALSE(edit.replaceTextIndex(ab.data(), 0, 1000));
    EXPECT_EQ(errorCode(), 34);
    EXPECT_EQ(command().size(), 7u);
}

TEST_F(TemplatePrintTest, CopyCommandSendsOneBlockWithTheCopies) {
    struct Case {
        int copies;
        Bytes element;
    };
    const std::vector<Case> cases = {
        {3, {0x5E, 0x43, 0x4E, 0x30, 0x30, 0x33}},
        {999, {0x5E, 0x43, 0x4E, 0x39, 0x39, 0x39}},
    };
    for (const Case& c : cases) {
        build(kTwoDigitModel);
        const Bytes built = command();
        SimulatedPrinter printer;
        TemplatePrintOption option = options(c.copies, true);
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        testing::internal::CaptureStdout();
        EXPECT_TRUE(print.printKXTCommand()) << c.copies;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "updatePrintPage = 1\n");
        EXPECT_EQ(errorCode(), 1);
        const Bytes block = cat({built, c.element, {0x5E, 0x46, 0x46}});
        EXPECT_EQ(printer.sentData(),
                  (std::vector<Bytes>{kPreamble, block, kStatusRequest, kClosing}))
            << c.copies;
        EXPECT_EQ(printer.messages(), (std::vector<int>{14, 15}));
    }
}

// Three digits cannot carry these counts: 1234 copies must not become 234 labels.
TEST_F(TemplatePrintTest, CopyCommandRefusesCopiesItCannotCarryBeforeSendingAnything) {
    for (const int copies : {0, -1, 1000, 1234}) {
        build(kTwoDigitModel);
        const Bytes built = command();
        SimulatedPrinter printer;
        TemplatePrintOption option = options(copies, true, 1, true);
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        EXPECT_FALSE(print.printKXTCommand()) << copies;
        EXPECT_EQ(errorCode(), 39) << copies;
        EXPECT_TRUE(printer.calls().empty()) << copies;
        EXPECT_EQ(command(), built) << copies;
    }
}

TEST_F(TemplatePrintTest, EveryCopyIsSentAndCheckedWithoutTheCopyCommand) {
    build(kTwoDigitModel);
    const Bytes block = cat({command(), {0x5E, 0x46, 0x46}});
    SimulatedPrinter printer;
    // The print-end check polls once per copy; the printer is ready each time.
    printer.queueRecord(B(kTwoDigitModel).bytes());
    printer.queueRecord(B(kTwoDigitModel).bytes());
    TemplatePrintOption option = options(2, false, 3);
    TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(print.printKXTCommand());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "updatePrintPage = 1\nupdatePrintPage = 2\n");
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kPreamble, block, kStatusRequest, block,
                                                      kStatusRequest, kClosing}));
    EXPECT_EQ(printer.calls(Slot::ReceiveData).size(), 2u);
    EXPECT_EQ(printer.messages(), (std::vector<int>{14, 15, 14, 15}));
}

TEST_F(TemplatePrintTest, PrintLeavesTheBuiltCommandSoAReprintSendsTheSame) {
    build(kTwoDigitModel);
    const Bytes built = command();
    SimulatedPrinter printer;
    TemplatePrintOption option = options(2, true);
    testing::internal::CaptureStdout();
    {
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        EXPECT_TRUE(print.printKXTCommand());
    }
    EXPECT_EQ(command(), built);
    {
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        EXPECT_TRUE(print.printKXTCommand());
    }
    testing::internal::GetCapturedStdout();
    const std::vector<Bytes> sent = printer.sentData();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[1], sent[5]);
    EXPECT_EQ(sent[1], cat({built, {0x5E, 0x43, 0x4E, 0x30, 0x30, 0x32, 0x5E, 0x46, 0x46}}));
}

TEST_F(TemplatePrintTest, NetworkPortSendsNoStatusRequestAfterAPage) {
    build(kTwoDigitModel);
    SimulatedPrinter printer;
    TemplatePrintOption option = options(2, false);
    TemplatePrint print(PORT_NET, &printer, kTwoDigitModel, option);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(print.printKXTCommand());
    testing::internal::GetCapturedStdout();
    const Bytes block = cat({command(), {0x5E, 0x46, 0x46}});
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kPreamble, block, block, kClosing}));
}

TEST_F(TemplatePrintTest, NoCopiesSendPreambleAndClosingOnly) {
    // Copies below 1 print nothing without the copy command (with it they are refused, see
    // CopyCommandRefusesCopiesItCannotCarryBeforeSendingAnything).
    for (int copies : {0, -5}) {
        build(kTwoDigitModel);
        SimulatedPrinter printer;
        TemplatePrintOption option = options(copies, false);
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        EXPECT_TRUE(print.printKXTCommand());
        EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kPreamble, kClosing})) << copies;
        EXPECT_TRUE(printer.messages().empty());
    }
}

TEST_F(TemplatePrintTest, StatusCheckBeforePrinting) {
    // A model without status support never reads the status, whatever the options say.
    {
        build(kNoStatusModel);
        SimulatedPrinter printer;
        TemplatePrintOption option = options(1, false, 1, true);
        TemplatePrint print(PORT_USB, &printer, kNoStatusModel, option);
        testing::internal::CaptureStdout();
        EXPECT_TRUE(print.printKXTCommand());
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(printer.calls(Slot::SendDataReceiveData).empty());
        EXPECT_EQ(printer.sentData().size(), 4u);
    }
    // A printer error ends the print before anything is sent.
    {
        build(kTwoDigitModel);
        SimulatedPrinter printer;
        printer.onExchange(kStatusRequest,
                           {B(kTwoDigitModel).statusType(2).errorInfo1(0x40).bytes()});
        TemplatePrintOption option = options(1, false, 1, true);
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        EXPECT_FALSE(print.printKXTCommand());
        EXPECT_NE(errorCode(), 1);
        for (const Bytes& sent : printer.sentData()) {
            EXPECT_NE(sent, kPreamble);
        }
    }
}

TEST_F(TemplatePrintTest, WaitsForPaperBeforePrinting) {
    const Bytes paperOut = B(kThreeDigitModel).statusType(2).errorInfo1(0x01).bytes();
    const Bytes ready = B(kThreeDigitModel).media(62, 0x01, 0).bytes();
    // The paper comes during the wait: the print goes ahead.
    {
        build(kThreeDigitModel);
        SimulatedPrinter printer;
        printer.onExchange(kStatusRequest, {paperOut, paperOut, ready});
        TemplatePrintOption option = options(1, false, 1, true);
        TemplatePrint print(PORT_USB, &printer, kThreeDigitModel, option);
        testing::internal::CaptureStdout();
        EXPECT_TRUE(print.printKXTCommand());
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(errorCode(), 1);
        const std::vector<Bytes> sent = printer.sentData();
        EXPECT_NE(std::find(sent.begin(), sent.end(), kPreamble), sent.end());
        EXPECT_NE(std::find(printer.messages().begin(), printer.messages().end(), 23),
                  printer.messages().end());
    }
    // It never comes: the print ends with the paper error and nothing was sent.
    {
        build(kThreeDigitModel);
        SimulatedPrinter printer;
        printer.onExchange(kStatusRequest, {paperOut});
        TemplatePrintOption option = options(1, false, 1, true);
        TemplatePrint print(PORT_USB, &printer, kThreeDigitModel, option);
        EXPECT_FALSE(print.printKXTCommand());
        EXPECT_EQ(errorCode(), 4);
        for (const Bytes& sent : printer.sentData()) {
            EXPECT_NE(sent, kPreamble);
        }
    }
}

TEST_F(TemplatePrintTest, TransportFailuresEndThePrint) {
    // The n-th sendData fails: 1 preamble, 2 first block, 3 its status request, 4 closing.
    for (int failing = 1; failing <= 4; ++failing) {
        build(kTwoDigitModel);
        SimulatedPrinter printer;
        printer.failSlotCall(Slot::SendData, failing);
        TemplatePrintOption option = options(1, false);
        TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(print.printKXTCommand()) << failing;
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(errorCode(), 6) << failing;
        EXPECT_EQ(printer.calls(Slot::SendData).size(), static_cast<size_t>(failing));
    }
    // Without an observer nothing can be sent.
    build(kTwoDigitModel);
    TemplatePrintOption option = options(1, false);
    TemplatePrint print(PORT_USB, nullptr, kTwoDigitModel, option);
    EXPECT_FALSE(print.printKXTCommand());
    EXPECT_EQ(errorCode(), 39);
    // A port without template printing refuses before anything is sent.
    SimulatedPrinter printer;
    TemplatePrint refused(PORT_USB, &printer, KX_C270W, option);
    EXPECT_FALSE(refused.printKXTCommand());
    EXPECT_EQ(errorCode(), 36);
    EXPECT_TRUE(printer.calls().empty());
}

TEST_F(TemplatePrintTest, CancelStopsWithoutTheClosingBytes) {
    build(kTwoDigitModel);
    SimulatedPrinter printer;
    TemplatePrintOption option = options(3, false);
    TemplatePrint print(PORT_USB, &printer, kTwoDigitModel, option);
    // The cancel arrives while the first copy is being sent.
    printer.onSlotCall(Slot::SendData, 2, [&print] { print.cancel(); });
    EXPECT_FALSE(print.printKXTCommand());
    EXPECT_EQ(errorCode(), 37);
    const std::vector<Bytes> sent = printer.sentData();
    ASSERT_FALSE(sent.empty());
    EXPECT_NE(sent.back(), kClosing);
    EXPECT_EQ(std::count(printer.messages().begin(), printer.messages().end(), 15), 0);
}
