#pragma once

#include <chrono>
#include <functional>

// The one seam through which every wait of the library goes. By default it sleeps the
// calling thread; tests replace it so that nothing sleeps for real.
namespace lumeko {

using WaitFunction = std::function<void(std::chrono::microseconds)>;

// Waits the given time through the installed wait function.
void waitSeconds(long long seconds);
void waitMicroseconds(long long microseconds);

// Installs f (an empty function restores the real sleep) and returns the previous one.
WaitFunction setWaitFunction(WaitFunction f);

}  // namespace lumeko
