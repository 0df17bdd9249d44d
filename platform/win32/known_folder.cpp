#include "platform/win32/known_folder.h"

namespace wirevane::platform {

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* found = nullptr;
    std::filesystem::path folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &found) == S_OK && found != nullptr)
        folder = found;
    CoTaskMemFree(found);
    return folder;
}

} // namespace wirevane::platform
