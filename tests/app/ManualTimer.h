#pragma once

#include "app/RunTimer.h"

namespace korvent::app {

// A run timer that ticks only when a test says so.
class ManualTimer final : public RunTimer {
public:
    bool Enabled() const override { return fEnabled; }
    void SetEnabled(bool enabled) override { fEnabled = enabled; }
    int Interval() const override { return fInterval; }
    void SetInterval(int milliseconds) override { fInterval = milliseconds; }

private:
    bool fEnabled = false;
    int fInterval = 1000;
};

}  // namespace korvent::app
