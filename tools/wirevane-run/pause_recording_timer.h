#pragma once

#include "platform/step_timer.h"

namespace wirevane::runner {

// Passes the engine's step timer through and keeps the last period it asked for: the engine arms
// the last row's pause and then, at the end of a run that does not repeat, kills it again, so
// this is where the runner finds the pause it still owes the device.
class PauseRecordingTimer final : public StepTimer {
public:
    explicit PauseRecordingTimer(StepTimer& timer) : m_timer(timer) {}

    void Arm(int milliseconds) override
    {
        m_lastPeriod = milliseconds;
        m_timer.Arm(milliseconds);
    }
    void Kill() override { m_timer.Kill(); }
    bool IsArmed() const override { return m_timer.IsArmed(); }

    int lastPeriod() const { return m_lastPeriod; }

private:
    StepTimer& m_timer;
    int m_lastPeriod = 0;
};

} // namespace wirevane::runner
