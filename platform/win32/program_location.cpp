#include "platform/program_location.h"

#include "platform/win32/known_folder.h"

#include <string>

namespace wirevane::platform {

namespace {

bool IsWithin(const std::filesystem::path& folder, const std::filesystem::path& root)
{
    if (root.empty())
        return false;
    // Windows paths compare without regard to letter case.
    const std::wstring a = folder.lexically_normal().wstring();
    std::wstring b = root.lexically_normal().wstring();
    if (!b.empty() && b.back() != L'\\')
        b += L'\\';
    std::wstring withSeparator = a;
    if (withSeparator.empty() || withSeparator.back() != L'\\')
        withSeparator += L'\\';
    return withSeparator.size() >= b.size() &&
           CompareStringOrdinal(withSeparator.c_str(), static_cast<int>(b.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

std::filesystem::path ExecutableFolder()
{
    // Long paths: the buffer grows until the whole name fits.
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            std::error_code error;
            return std::filesystem::current_path(error);
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The folder's permissions are those of files created in it, so the only sure test is to
// create one: access checks on Windows depend on inherited ACLs and on UAC virtualisation.
bool IsWritableFolder(const std::filesystem::path& folder)
{
    const std::filesystem::path probe =
        folder / (L".wirevane-write-test." + std::to_wstring(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::filesystem::path UserSettingsFolder()
{
    const std::filesystem::path roaming = KnownFolder(FOLDERID_RoamingAppData);
    return roaming.empty() ? roaming : roaming / L"Wirevane";
}

bool IsSystemProgramFolder(const std::filesystem::path& folder)
{
    for (REFKNOWNFOLDERID id : {FOLDERID_Windows, FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86})
        if (IsWithin(folder, KnownFolder(id)))
            return true;
    return false;
}

} // namespace wirevane::platform
