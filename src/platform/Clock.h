#pragma once

#include <chrono>

namespace korvent::platform {

// Time and blocking waits of the user-interface thread. Every wait of the program goes through
// here so that tests can run on a virtual clock whose waits take no real time.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds on a monotonic scale with an arbitrary origin; never goes backwards.
    virtual std::chrono::milliseconds Now() = 0;
    // Blocks the calling thread for `duration` (nothing for zero or negative durations).
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace korvent::platform
