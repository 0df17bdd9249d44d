#pragma once

#include "platform/step_timer.h"

#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>

namespace wirevane::platform {

// The step timer on the Qt event loop: one shot, a period of 0 fires as soon as the loop runs.
//
// A period counts to the microsecond: it runs on a kernel timer whose descriptor wakes the
// loop itself. Qt rounds the wait for its own timers, precise ones too, up to a whole
// millisecond, so every row's delay came out most of a millisecond long.
class QtStepTimer final : public StepTimer {
public:
    explicit QtStepTimer(std::function<void()> onTick);
    ~QtStepTimer() override;
    QtStepTimer(const QtStepTimer&) = delete;
    QtStepTimer& operator=(const QtStepTimer&) = delete;

    void Arm(int milliseconds) override;
    void Kill() override;
    bool IsArmed() const override;

private:
    void OnExpiry();

    std::function<void()> m_onTick;
    QTimer m_soon; // period 0: the loop's next pass, in order with other zero timers
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_expiry;
    bool m_counting = false;
};

} // namespace wirevane::platform
