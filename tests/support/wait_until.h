#pragma once

#include <chrono>
#include <thread>

namespace wirevane::test {

// Polls a condition that nothing signals (a kernel queue, a thread that ends on its own) until
// it holds; false when the deadline passed first. The deadline only bounds a failing test.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace wirevane::test
