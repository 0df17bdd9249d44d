#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wirevane::platform {

// The outcome of asking for the single-copy lock.
struct SingleInstanceLock {
    enum class State {
        // This process holds the lock until it ends.
        Held,
        // Another process of this user holds it: a second copy of the program.
        HeldByAnotherCopy,
        // The lock could not be made at all; problem says where and why. The program runs
        // without the guard rather than not at all.
        Unavailable,
    };
    State state = State::Unavailable;
    std::string problem;
    // Where the lock is a file: the folder it lives in, private to this user, for what belongs
    // beside it (the channel to the running copy). Empty where the lock is no file (Windows)
    // and when it is unavailable.
    std::filesystem::path folder;
};

// A lock named after `name`, private to this user, held by this process until it ends. The
// kernel drops the lock with the process, so a crashed copy never keeps the next one out. It
// lives in a folder only this user may write into ($XDG_RUNTIME_DIR, else
// $XDG_CACHE_HOME/wirevane or ~/.cache/wirevane, made for the user alone), so no other user
// can take it first and keep the program from starting.
SingleInstanceLock AcquireSingleInstanceLock(std::string_view name);

// Called by a second copy before it asks the running one to show its window. Windows gives the
// foreground only to a process the foreground one allows, and the copy the user just started is
// the foreground one; X11 window managers have no such rule.
void AllowRunningCopyToComeForward();

} // namespace wirevane::platform
