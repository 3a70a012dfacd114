#pragma once

#include <chrono>
#include <functional>

#include "app/RunTimer.h"

namespace korvent::platform {
class Clock;
}

namespace korvent::cli {

// Timer1 without a window: Run() delivers the ticks while the timer is on, and a wait inside a
// tick (the form waiting for a printing program) delivers the ticks that fall due meanwhile.
class TimerLoop final : public app::RunTimer {
public:
    // `tick` runs one tick and says whether the next one may follow at once (the entry in
    // progress is finished) rather than after the interval.
    TimerLoop(platform::Clock& clock, std::function<bool()> tick);

    bool Enabled() const override { return fEnabled; }
    void SetEnabled(bool enabled) override { fEnabled = enabled; }
    int Interval() const override { return static_cast<int>(fInterval.count()); }
    void SetInterval(int milliseconds) override {
        fInterval = std::chrono::milliseconds(milliseconds);
    }

    // Ticks until the timer is switched off.
    void Run();
    // Ticks once when the timer is on and the interval has passed since the last tick;
    // otherwise sleeps briefly, as a message pump that found nothing to do.
    void ProcessDueTick();

private:
    bool Tick();

    platform::Clock& fClock;
    std::function<bool()> fTick;
    bool fEnabled = false;
    std::chrono::milliseconds fInterval{500};
    std::chrono::milliseconds fLastTick{0};
};

}  // namespace korvent::cli
