#include "printer_status_fixture.h"

#include <cstring>

#include "connection/base_printer.h"
#include "connection/printer_status.h"

void resetPrinterStatusStatics() {
    PrinterStatus::error_code_ = 0;
    PrinterStatus::process_status_ = 0;
    std::memset(PrinterStatus::status_byte_, 0, sizeof PrinterStatus::status_byte_);
    PrinterStatus::battery_normalized_ = PrinterStatus::BatteryNormalized();
    PrinterStatus::label_color_ = 0;
    PrinterStatus::ink_color_ = 0;
    PrinterStatus::label_id_ = 0;
    PrinterStatus::label_type_ = 0;
    PrinterStatus::mode9_ = 0;
    PrinterStatus::tube_ = 0;
    PrinterStatus::tube_ribbon_ = 0;
    PrinterStatus::tube_ribbon_level_ = 0;
    PrinterStatus::tube_ribbon_ink_color_ = 0;
    BasePrinter::cancel_flag = false;
}

namespace {

// Every test of every test program starts from the load-time statics, whatever the test
// before it left behind.
class StaticsReset : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo&) override { resetPrinterStatusStatics(); }
};

[[maybe_unused]] const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new StaticsReset());
    return true;
}();

}  // namespace
