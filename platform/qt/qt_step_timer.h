#pragma once

#include "platform/step_timer.h"

#include <QTimer>
#include <functional>

namespace wirevane::platform {

// The step timer on the Qt event loop: one shot, a period of 0 fires as soon as the loop runs.
class QtStepTimer final : public StepTimer {
public:
    explicit QtStepTimer(std::function<void()> onTick);

    void Arm(int milliseconds) override;
    void Kill() override;
    bool IsArmed() const override;

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
};

} // namespace wirevane::platform
