#pragma once

#include "platform/step_timer.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

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

    // Runs work; a tick it armed with a period of 0, and did not kill again, runs when work
    // returns, in the caller's turn of the loop, instead of on the loop's next pass. For a caller
    // whose next tick would only wait for the loop to come round. Until then such a tick is
    // only marked: starting and stopping the loop's timer would be most of what it cost.
    template <class Work> void TickAfter(Work&& work)
    {
        m_holdingZero = true;
        std::forward<Work>(work)();
        TickIfHeld();
    }

private:
    void OnExpiry();
    void TickIfHeld();

    std::function<void()> m_onTick;
    QTimer m_soon; // period 0: the loop's next pass, in order with other zero timers
    std::unique_ptr<LoopAlarm> m_alarm;
    bool m_counting = false;
    bool m_holdingZero = false; // within TickAfter
    bool m_zeroHeld = false;    // a tick of period 0 armed there
};

} // namespace wirevane::platform
