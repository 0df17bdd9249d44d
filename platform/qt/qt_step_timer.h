#pragma once

#include "platform/step_timer.h"

#include <QTimer>
#include <functional>
#include <memory>

namespace wirevane::platform {

class LoopAlarm;

// The step timer on the Qt event loop: one shot, a period of 0 fires as soon as the loop runs.
//
// A period runs on the system's own timer (LoopAlarm), which keeps a row's delay to its length
// where Qt's timers would round it up.
class QtStepTimer final : public StepTimer {
public:
    explicit QtStepTimer(std::function<void()> onTick);
    ~QtStepTimer() override;
    QtStepTimer(const QtStepTimer&) = delete;
    QtStepTimer& operator=(const QtStepTimer&) = delete;

    void Arm(int milliseconds) override;
    void Kill() override;
    bool IsArmed() const override;

    // A tick armed with a period of 0 runs now, in the caller's turn of the loop, instead of on
    // the loop's next pass; any other state is left as it is. For a caller that has finished
    // what it shows and whose next tick would only wait for the loop to come round.
    void TickIfDueAtOnce();

private:
    void OnExpiry();

    std::function<void()> m_onTick;
    QTimer m_soon; // period 0: the loop's next pass, in order with other zero timers
    std::unique_ptr<LoopAlarm> m_alarm;
    bool m_counting = false;
};

} // namespace wirevane::platform
