#include "connection/wait.h"

#include <thread>
#include <utility>

namespace lumeko {
namespace {

void realWait(std::chrono::microseconds duration) {
    if (duration.count() > 0) {
        std::this_thread::sleep_for(duration);
    }
}

WaitFunction& installed() {
    static WaitFunction f = realWait;
    return f;
}

}  // namespace

void waitSeconds(long long seconds) {
    installed()(std::chrono::microseconds(seconds * 1000000LL));
}

void waitMicroseconds(long long microseconds) {
    installed()(std::chrono::microseconds(microseconds));
}

WaitFunction setWaitFunction(WaitFunction f) {
    WaitFunction previous = std::move(installed());
    installed() = f ? std::move(f) : WaitFunction(realWait);
    return previous;
}

}  // namespace lumeko
