#include "platform/SteadyClock.h"

#include <thread>

namespace korvent::platform {

std::chrono::milliseconds SteadyClock::Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::Sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0) {
        std::this_thread::sleep_for(duration);
    }
}

}  // namespace korvent::platform
