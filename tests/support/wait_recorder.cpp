#include "wait_recorder.h"

#include <gtest/gtest.h>

#include <memory>

WaitRecorder::WaitRecorder() {
    previous_ = lumeko::setWaitFunction([this](std::chrono::microseconds duration) {
        waits_.push_back(duration);
        now_ += duration;
        auto hook = hooks_.find(static_cast<int>(waits_.size()));
        if (hook != hooks_.end()) {
            hook->second();
        }
    });
}

WaitRecorder::~WaitRecorder() {
    lumeko::setWaitFunction(std::move(previous_));
}

std::vector<long long> WaitRecorder::seconds() const {
    std::vector<long long> out;
    for (const auto& w : waits_) {
        out.push_back(std::chrono::duration_cast<std::chrono::seconds>(w).count());
    }
    return out;
}

namespace {

// Keeps a recorder installed for the whole test program.
class NoSleepEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { recorder_ = std::make_unique<WaitRecorder>(); }
    void TearDown() override { recorder_.reset(); }

  private:
    std::unique_ptr<WaitRecorder> recorder_;
};

[[maybe_unused]] const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new NoSleepEnvironment());
    return true;
}();

}  // namespace
