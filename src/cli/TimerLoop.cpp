#include "cli/TimerLoop.h"

#include <utility>

#include "platform/Clock.h"

namespace korvent::cli {
namespace {

// How long an idle wait sleeps before it looks for a due tick again.
constexpr std::chrono::milliseconds kIdleSleep{10};

}  // namespace

TimerLoop::TimerLoop(platform::Clock& clock, std::function<bool()> tick)
    : fClock(clock), fTick(std::move(tick)) {}

bool TimerLoop::Tick() {
    fLastTick = fClock.Now();
    return fTick();
}

void TimerLoop::Run() {
    while (fEnabled) {
        if (Tick()) {
            continue;
        }
        // An entry waits on another program: the window's pace.
        const auto since = fClock.Now() - fLastTick;
        if (fEnabled && since < fInterval) {
            fClock.Sleep(fInterval - since);
        }
    }
}

void TimerLoop::ProcessDueTick() {
    if (fEnabled && fClock.Now() - fLastTick >= fInterval) {
        Tick();
    } else {
        fClock.Sleep(kIdleSleep);
    }
}

}  // namespace korvent::cli
