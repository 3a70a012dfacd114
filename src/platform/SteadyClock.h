#pragma once

#include "platform/Clock.h"

namespace korvent::platform {

// The real clock: the system's steady clock and real sleeps.
class SteadyClock final : public Clock {
public:
    std::chrono::milliseconds Now() override;
    void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace korvent::platform
