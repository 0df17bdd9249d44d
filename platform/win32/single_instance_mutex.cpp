#include "platform/single_instance.h"
#include "platform/win32/known_folder.h"
#include "platform/win32/private_key.h"
#include "platform/win32/win32_text.h"

#include <string>
#include <windows.h>

namespace wirevane::platform {

namespace {

// A pipe's name that only this user can know: the lock's name and the key kept in this user's
// local application data. Empty without such a key: a name another user could guess is no
// channel, since that user could make the pipe first and take the requests.
std::filesystem::path PrivateChannel(std::string_view name)
{
    const std::filesystem::path local = KnownFolder(FOLDERID_LocalAppData);
    if (local.empty())
        return {};
    const std::string key = PrivateKey(local / "Wirevane" / (std::string(name) + ".key"));
    return key.empty() ? std::filesystem::path()
                       : std::filesystem::path(std::string(name) + "-" + key);
}

} // namespace

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
        return {SingleInstanceLock::State::HeldByAnotherCopy, {}, PrivateChannel(name)};
    }
    return {SingleInstanceLock::State::Held, {}, PrivateChannel(name)};
}

void AllowRunningCopyToComeForward()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace wirevane::platform
