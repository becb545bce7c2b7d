// A cancel from a second host thread while a job waits: during the print-end wait and
// while the host's asynchronous send runs. The waits sleep for real (a millisecond each) so
// that the two threads overlap; scripts/test.sh also runs these under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "connection/printer_mib_oids.h"
#include "connection/wait.h"
#include "raster_print_fixture.h"

using namespace print_job;

namespace {

// Every wait of the library sleeps one millisecond and is counted; the wait numbered
// `holdAt` lasts until the cancel flag is set (at most five seconds), so that the cancel
// from the other thread always arrives while the job waits.
class CountedWaits {
  public:
    explicit CountedWaits(int holdAt) {
        previous_ = lumeko::setWaitFunction([this, holdAt](std::chrono::microseconds) {
            const int n = waits_.fetch_add(1) + 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            for (int i = 0; n == holdAt && !BasePrinter::cancel_flag.load() && i < 5000; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~CountedWaits() { lumeko::setWaitFunction(previous_); }
    CountedWaits(const CountedWaits&) = delete;
    CountedWaits& operator=(const CountedWaits&) = delete;
    int count() const { return waits_.load(); }

  private:
    std::atomic<int> waits_{0};
    lumeko::WaitFunction previous_;
};

// Runs the job on this thread and cancels it from another once `waitsBefore` waits went by.
bool runAndCancel(RasterPrint& job, const CountedWaits& waits, int waitsBefore, int pages) {
    std::atomic<bool> done{false};
    std::thread canceller([&] {
        while (waits.count() < waitsBefore && !done.load()) {
            std::this_thread::yield();
        }
        job.cancel();
    });
    Picture picture = framePicture(64, 40);
    BitmapData bitmap = picture.bitmap();
    const bool result = job.printBitmap(bitmap, 0, pages);
    done.store(true);
    canceller.join();
    return result;
}

class CancelThreadTest : public PrintJobTest {};

// The printer keeps printing (phase 1) on the network port, where every poll waits: the
// cancel ends the wait.
TEST_F(CancelThreadTest, DuringThePrintEndWait) {
    const Model model = KX_A380W;
    RasterPrintOption option = jobOption(11, 2);
    option.checkPrintEnd = 3;
    const Bytes printing = StatusReplyBuilder(model).statusType(6).phaseType(1);
    printer.onOid(tpes::PrinterMibOids::oidPrinterStatusReply, {SimulatedPrinter::Reply(printing)});
    CountedWaits sleeps(3);
    RasterPrint job(PORT_NET, &printer, model, option);
    EXPECT_FALSE(runAndCancel(job, sleeps, 3, 2));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages().back(), 22);
    EXPECT_FALSE(containsTrailer(sends()));
}

// The host's send never finishes: the cancel ends the polling of the send.
TEST_F(CancelThreadTest, DuringAnAsynchronousSend) {
    const Model model = VZ_300;
    RasterPrintOption option = jobOption(16, 1);
    printer.setAliveSendTask(true);
    CountedWaits sleeps(3);
    RasterPrint job(PORT_BLUETOOTH, &printer, model, option);
    EXPECT_FALSE(runAndCancel(job, sleeps, 3, 1));
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages().back(), 22);
    ASSERT_FALSE(printer.calls(Slot::SendDataAsynchronous).empty());
    EXPECT_FALSE(containsTrailer(sends()));
}

}  // namespace
