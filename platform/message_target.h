#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace wirevane::platform {

// Where a port's notifications go: Post queues one message with its two values and returns at
// once, from any thread. Messages posted from one thread arrive in the order they were posted.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // false when the message could not be queued.
    virtual bool Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue) = 0;

    // For a target whose loop can wait for a descriptor beside its other work: until Unwatch,
    // each time the descriptor is readable the loop calls onReadable on the target's thread.
    // Both on that thread only; false when this target cannot watch (the default). Taken by
    // value because the targets that watch keep it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual bool WatchReadable(int /*descriptor*/, std::function<void()> /*onReadable*/)
    {
        return false;
    }
    // May be called from inside onReadable.
    virtual void Unwatch() {}
    // Hands a message to the receiver at once, in the calling turn; the target's thread only.
    virtual void Send(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
    {
        Post(message, firstValue, secondValue);
    }
};

// A message id for a name, the same for every call with that name during the program's life
// and distinct from other names' ids (0xC000 and up, as registered window messages are).
uint32_t RegisterMessageName(std::u16string_view name);

} // namespace wirevane::platform
