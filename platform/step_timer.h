#pragma once

namespace wirevane {

// The engine's one-shot timer. Every tick kills it first; a step that wants another tick arms it
// again. A period of 0 means "as soon as the event loop can".
class StepTimer {
public:
    virtual ~StepTimer() = default;
    virtual void Arm(int milliseconds) = 0; // replaces an armed timer
    virtual void Kill() = 0;
    virtual bool IsArmed() const = 0;
};

// The identifier the window gives the step timer; ticks of other timers are not the engine's.
inline constexpr unsigned kSequenceTimerId = 1056;

} // namespace wirevane
