#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace wirevane {

// An event that stays signalled until reset, for the completion of a port operation that one
// thread starts and another may wait on.
class ManualResetEvent {
public:
    void Set();
    void Reset();
    // true when signalled within timeoutMs (0xFFFFFFFF: no limit).
    bool Wait(uint32_t timeoutMs);

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_signalled = false;
};

// The caller's record of an asynchronous port operation: its event is signalled when the
// operation is complete.
struct SerialOverlapped {
    ManualResetEvent* event = nullptr;
};

} // namespace wirevane
