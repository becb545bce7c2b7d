#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <vector>

#include "connection/wait.h"

// Replaces the wait seam for its scope: every wait is recorded against a virtual clock and
// returns at once. Restores the previous wait function when it goes. A global test
// environment keeps one installed in every test binary, so no test sleeps for real.
class WaitRecorder {
  public:
    WaitRecorder();
    ~WaitRecorder();
    WaitRecorder(const WaitRecorder&) = delete;
    WaitRecorder& operator=(const WaitRecorder&) = delete;

    const std::vector<std::chrono::microseconds>& waits() const { return waits_; }
    // The waits in whole seconds (for waits of whole seconds).
    std::vector<long long> seconds() const;
    std::chrono::microseconds now() const { return now_; }
    // Runs hook during the k-th wait (1-based), before it returns.
    void onWait(int k, std::function<void()> hook) { hooks_[k] = std::move(hook); }
    void clear() { waits_.clear(); }

  private:
    std::vector<std::chrono::microseconds> waits_;
    std::chrono::microseconds now_{0};
    std::map<int, std::function<void()>> hooks_;
    lumeko::WaitFunction previous_;
};
