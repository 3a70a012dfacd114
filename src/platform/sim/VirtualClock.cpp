#include "platform/sim/VirtualClock.h"

namespace korvent::platform {

void VirtualClock::Sleep(std::chrono::milliseconds duration) {
    fSleeps.push_back(duration);
    Advance(duration);
}

void VirtualClock::Advance(std::chrono::milliseconds duration) {
    if (duration.count() > 0) {
        fNow += duration;
    }
}

}  // namespace korvent::platform
