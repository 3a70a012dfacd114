#pragma once

#include <QTimer>

#include "app/RunTimer.h"

namespace korvent::app {

// Timer1 on a QTimer; the window connects its timeout to TMainForm::Timer1Timer.
class QtRunTimer final : public RunTimer {
public:
    explicit QtRunTimer(QTimer& timer) : fTimer(timer) {}

    bool Enabled() const override { return fTimer.isActive(); }
    void SetEnabled(bool enabled) override {
        if (enabled && !fTimer.isActive()) {
            fTimer.start();
        } else if (!enabled) {
            fTimer.stop();
        }
    }
    int Interval() const override { return fTimer.interval(); }
    void SetInterval(int milliseconds) override { fTimer.setInterval(milliseconds); }

private:
    QTimer& fTimer;
};

}  // namespace korvent::app
