// A cancel from a second host thread while a job waits: during the print-end wait and
// while the host's asynchronous send runs. The job holds in one chosen wait until the other
// thread's cancel has returned, so the cancel always comes during that wait, whatever the
// scheduler does; scripts/test.sh also runs these under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "connection/printer_mib_oids.h"
#include "connection/wait.h"
#include "raster_print_fixture.h"

using namespace print_job;

namespace {

// Every wait of the library returns at once, but the wait numbered `holdAt` (1-based): it
// tells the canceller that the job waits there and returns only once the canceller's cancel
// has returned.
class HeldWait {
  public:
    explicit HeldWait(int holdAt) {
        previous_ = lumeko::setWaitFunction([this, holdAt](std::chrono::microseconds) {
            if (++waits_ != holdAt) {
                return;
            }
            std::unique_lock<std::mutex> lock(mutex_);
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return cancelled_; });
        });
    }
    ~HeldWait() { lumeko::setWaitFunction(previous_); }
    HeldWait(const HeldWait&) = delete;
    HeldWait& operator=(const HeldWait&) = delete;

    // On the canceller's thread: once the job holds in the chosen wait (or has ended without
    // reaching it), cancels it and lets it go on.
    void cancelWhenHeld(RasterPrint& job) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return held_ || ended_; });
        }
        job.cancel();
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_ = true;
        changed_.notify_all();
    }

    void jobEnded() {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
        changed_.notify_all();
    }

    // True when the job reached the chosen wait.
    bool held() {
        std::lock_guard<std::mutex> lock(mutex_);
        return held_;
    }

  private:
    int waits_ = 0;  // the job's thread only
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool ended_ = false;
    bool cancelled_ = false;
    lumeko::WaitFunction previous_;
};

// Runs the job on this thread and cancels it from another while it holds in the chosen wait.
bool runAndCancel(RasterPrint& job, HeldWait& wait, int pages) {
    std::thread canceller([&] { wait.cancelWhenHeld(job); });
    Picture picture = framePicture(64, 40);
    BitmapData bitmap = picture.bitmap();
    const bool result = job.printBitmap(bitmap, 0, pages);
    wait.jobEnded();
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
    HeldWait wait(3);
    RasterPrint job(PORT_NET, &printer, model, option);
    EXPECT_FALSE(runAndCancel(job, wait, 2));
    EXPECT_TRUE(wait.held());
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages().back(), 22);
    EXPECT_FALSE(containsTrailer(sends()));
}

// The host's send never finishes: the cancel ends the polling of the send.
TEST_F(CancelThreadTest, DuringAnAsynchronousSend) {
    const Model model = VZ_300;
    RasterPrintOption option = jobOption(16, 1);
    printer.setAliveSendTask(true);
    HeldWait wait(3);
    RasterPrint job(PORT_BLUETOOTH, &printer, model, option);
    EXPECT_FALSE(runAndCancel(job, wait, 1));
    EXPECT_TRUE(wait.held());
    EXPECT_EQ(PrinterStatus::error_code_, 37);
    EXPECT_EQ(printer.messages().back(), 22);
    ASSERT_FALSE(printer.calls(Slot::SendDataAsynchronous).empty());
    EXPECT_FALSE(containsTrailer(sends()));
}

}  // namespace
