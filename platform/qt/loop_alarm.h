#pragma once

#include <functional>
#include <memory>

namespace wirevane::platform {

// A one-shot system timer whose expiry wakes the Qt event loop. Qt rounds the wait of its own
// timers, precise ones too, to whole milliseconds (and on Windows to the scheduler's 15.6 ms
// tick), so every row's delay came out long; these count to the microsecond or the millisecond.
//
// An expiry that happened before a Set or Clear never reaches onExpiry afterwards.
class LoopAlarm {
public:
    // Null when the system cannot give such a timer; the caller then keeps Qt's.
    static std::unique_ptr<LoopAlarm> Create(std::function<void()> onExpiry);

    virtual ~LoopAlarm() = default;
    virtual bool Set(int milliseconds) = 0; // milliseconds > 0; false when it did not start
    virtual void Clear() = 0;
};

} // namespace wirevane::platform
