#pragma once

#include "platform/message_target.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace wirevane::test {

// Keeps every posted message; tests wait for a count with a generous deadline.
class RecordingMessageTarget final : public platform::MessageTarget {
public:
    struct Message {
        uint32_t id;
        uintptr_t first;
        intptr_t second;
    };

    bool Post(uint32_t message, uintptr_t first, intptr_t second) override
    {
        {
            std::lock_guard guard(m_lock);
            m_messages.push_back({message, first, second});
        }
        m_posted.notify_all();
        return true;
    }

    // true when at least count messages arrived within the deadline.
    bool WaitFor(std::size_t count, std::chrono::milliseconds deadline = std::chrono::seconds(10))
    {
        std::unique_lock guard(m_lock);
        return m_posted.wait_for(guard, deadline, [&] { return m_messages.size() >= count; });
    }

    std::vector<Message> Messages()
    {
        std::lock_guard guard(m_lock);
        return m_messages;
    }

    // The events (low words) of every message so far, or-ed together.
    uint32_t EventUnion()
    {
        std::lock_guard guard(m_lock);
        uint32_t all = 0;
        for (const Message& m : m_messages)
            all |= static_cast<uint32_t>(m.first & 0xFFFF);
        return all;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::vector<Message> m_messages;
};

} // namespace wirevane::test
