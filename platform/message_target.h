#pragma once

#include <cstdint>
#include <string_view>

namespace wirevane::platform {

// Where a port's notifications go: Post queues one message with its two values and returns at
// once, from any thread. Messages posted from one thread arrive in the order they were posted.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // false when the message could not be queued.
    virtual bool Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue) = 0;
};

// A message id for a name, the same for every call with that name during the program's life
// and distinct from other names' ids (0xC000 and up, as registered window messages are).
uint32_t RegisterMessageName(std::u16string_view name);

} // namespace wirevane::platform
