#pragma once

namespace korvent::app {

// The timer that paces a conversion run (Timer1). Whoever drives it calls
// TMainForm::Timer1Timer on every tick while it is enabled.
class RunTimer {
public:
    virtual ~RunTimer() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual int Interval() const = 0;
    virtual void SetInterval(int milliseconds) = 0;
};

}  // namespace korvent::app
