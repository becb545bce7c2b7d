#pragma once

#include <ctime>

#include "transfer/kd3_data_calculator.h"

// Fixes the clock of the database file builder for its scope and restores the previous one.
class FixedDatabaseClock {
  public:
    explicit FixedDatabaseClock(std::time_t now)
        : previous_(tl::database::KD3DataCalculator::setTimeSource([now] { return now; })) {}
    explicit FixedDatabaseClock(tl::database::KD3DataCalculator::TimeSource source)
        : previous_(tl::database::KD3DataCalculator::setTimeSource(std::move(source))) {}
    ~FixedDatabaseClock() { tl::database::KD3DataCalculator::setTimeSource(previous_); }
    FixedDatabaseClock(const FixedDatabaseClock&) = delete;
    FixedDatabaseClock& operator=(const FixedDatabaseClock&) = delete;

  private:
    tl::database::KD3DataCalculator::TimeSource previous_;
};
