#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

namespace wirevane::platform {

// The operating system's own wait for a loop without a window: an eventfd and ppoll on Linux,
// an event under WaitForSingleObject on Windows. One thread waits; any
// thread, and on Linux a signal handler, may wake it.
class LoopWake {
public:
    LoopWake();
    ~LoopWake();
    LoopWake(const LoopWake&) = delete;
    LoopWake& operator=(const LoopWake&) = delete;

    // false when the system could not give the wake-up; the loop cannot run then.
    bool ok() const;
    // Ends the current or the next Wait; never blocks.
    void Wake();
    // Returns when woken or when the time has passed (no time: only when woken), or, where the
    // system's wait can watch a descriptor (WatchesDescriptors), when readable (not -1) turns
    // readable or hangs up; true then. Clears the wake-up it returns for.
    bool Wait(std::optional<std::chrono::nanoseconds> timeout, int readable = -1);
    static bool WatchesDescriptors();

    // Until Unwatch, the user's interrupt (Ctrl-C and SIGTERM on Linux; Ctrl-C, Ctrl-Break and
    // the console closing on Windows) sets the flag and wakes this object instead of ending the
    // process. One object at a time may watch.
    bool WatchInterrupts(std::atomic<bool>& interrupted);
    void UnwatchInterrupts();

private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

} // namespace wirevane::platform
