#pragma once

#include "platform/step_timer.h"

#include <vector>

namespace wirevane::test {

// A step timer the test fires by hand; it remembers every period it was armed with.
class ManualStepTimer final : public StepTimer {
public:
    void Arm(int milliseconds) override
    {
        m_armed = true;
        m_period = milliseconds;
        m_periods.push_back(milliseconds);
    }
    void Kill() override { m_armed = false; }
    bool IsArmed() const override { return m_armed; }

    int period() const { return m_period; }
    const std::vector<int>& periods() const { return m_periods; }

private:
    bool m_armed = false;
    int m_period = -1;
    std::vector<int> m_periods;
};

} // namespace wirevane::test
