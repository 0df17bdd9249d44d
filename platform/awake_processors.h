#pragma once

#include "platform/realtime_priority.h"

#include <optional>

namespace wirevane::platform {

// Keeps idle processors out of the sleep states they are slow to leave, for as long as it is
// held. A device's answer reaches the run's thread through up to two wake-ups of other threads
// (on Linux the kernel's terminal worker, then the thread itself), and a processor woken from a
// halt takes tens of microseconds to run anything: from a deep sleep state on a desktop, or
// through the hypervisor in a virtual machine. Held, idle processors poll instead, which costs
// power, so a run holds it only when the user allows it, together with the realtime priority.
// Windows gives programs no such request; there Hold does nothing and refuses nothing.
class AwakeProcessors {
public:
    AwakeProcessors() = default;
    ~AwakeProcessors();
    AwakeProcessors(const AwakeProcessors&) = delete;
    AwakeProcessors& operator=(const AwakeProcessors&) = delete;

    // Empty when held, also when it already was; the system's refusal otherwise, after which
    // nothing is held.
    std::optional<RealtimeRefusal> Hold();
    void Release();
    bool held() const { return m_request >= 0; }

private:
    int m_request = -1;
};

} // namespace wirevane::platform
