#pragma once

#include <vector>

#include "platform/Clock.h"

namespace korvent::platform {

// A clock for tests: time stands still until a sleep or Advance() moves it, sleeps return at
// once, and every sleep is recorded so tests can assert on the program's waits.
class VirtualClock final : public Clock {
public:
    std::chrono::milliseconds Now() override { return fNow; }
    void Sleep(std::chrono::milliseconds duration) override;

    void Advance(std::chrono::milliseconds duration);
    const std::vector<std::chrono::milliseconds>& Sleeps() const { return fSleeps; }
    void ClearSleeps() { fSleeps.clear(); }

private:
    std::chrono::milliseconds fNow{0};
    std::vector<std::chrono::milliseconds> fSleeps;
};

}  // namespace korvent::platform
