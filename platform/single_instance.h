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
    // The name of the local channel by which a second copy reaches the running one: a Unix
    // socket's path, or a named pipe's name. No other user can know it or take it first. Empty
    // when the lock is unavailable, or no such name could be had.
    std::filesystem::path channel;
};

// A lock named after `name`, private to this user, held by this process until it ends. The
// system drops the lock with the process, so a crashed copy never keeps the next one out.
//
// On Linux it lives in a folder only this user may write into ($XDG_RUNTIME_DIR, else
// $XDG_CACHE_HOME/wirevane or ~/.cache/wirevane, made for the user alone), so no other user
// can take it first and keep the program from starting; the channel is a socket beside it.
// On Windows it is a mutex in the logon session's namespace. Pipe names are one namespace for
// every user of the machine, so the channel's name carries a random key kept in this user's
// local application data, which no other user may read.
SingleInstanceLock AcquireSingleInstanceLock(std::string_view name);

// Called by a second copy before it asks the running one to show its window. Windows gives the
// foreground only to a process the foreground one allows, and the copy the user just started is
// the foreground one; X11 window managers have no such rule.
void AllowRunningCopyToComeForward();

} // namespace wirevane::platform
