#include "platform/single_instance.h"
#include "platform/win32/win32_text.h"

#include <string>
#include <windows.h>

namespace wirevane::platform {

// The mutex lives in the session's namespace, as the native program's does: a second copy in
// the same logon session finds it, another user's session has its own. Its handle is kept open
// for the life of the process on purpose; the system releases it with the process, so a crashed
// copy never keeps the next one out.
SingleInstanceLock AcquireSingleInstanceLock(std::string_view name)
{
    const std::wstring wide = WideFromUtf8(name);
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, wide.c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr)
        return {SingleInstanceLock::State::Unavailable,
                "mutex " + std::string(name) + ": " + SystemMessage(error),
                {}};
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return {SingleInstanceLock::State::HeldByAnotherCopy, {}, {}};
    }
    return {SingleInstanceLock::State::Held, {}, {}};
}

void AllowRunningCopyToComeForward()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace wirevane::platform
