#include "platform/win32/save_temporaries.h"

#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

namespace wirevane::platform {

namespace {

constexpr std::wstring_view kSuffix = L".tmp";

// Takes one decimal number and the dot after it off the front of the text.
std::optional<DWORD> TakeNumber(std::wstring_view& text, bool dotAfter)
{
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9')
        ++digits;
    if (digits == 0 || digits > 9)
        return std::nullopt;
    const DWORD number = static_cast<DWORD>(std::stoul(std::wstring(text.substr(0, digits))));
    text.remove_prefix(digits);
    if (dotAfter) {
        if (text.empty() || text.front() != L'.')
            return std::nullopt;
        text.remove_prefix(1);
    }
    return number;
}

// The process that wrote a temporary of the target: ".<target>.<process>.<counter>.<attempt>.tmp".
std::optional<DWORD> WriterOf(std::wstring_view name, std::wstring_view target)
{
    if (name.size() < target.size() + 2 || name.front() != L'.' ||
        name.substr(1, target.size()) != target || name[target.size() + 1] != L'.' ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::wstring_view numbers = name.substr(target.size() + 2);
    numbers.remove_suffix(kSuffix.size());
    const std::optional<DWORD> process = TakeNumber(numbers, true);
    if (!process || !TakeNumber(numbers, true) || !TakeNumber(numbers, false) || !numbers.empty())
        return std::nullopt;
    return process;
}

// A process that may not be asked about, such as another user's, counts as running.
bool Runs(DWORD process)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool runs = !GetExitCodeProcess(handle, &code) || code == STILL_ACTIVE;
    CloseHandle(handle);
    return runs;
}

// Deletes through the handle that shows what the name holds, so that a name swapped meanwhile for a
// folder, a link or a file with a second name is left alone.
void RemoveIfPlainFile(const std::filesystem::path& path)
{
    HANDLE file =
        CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
        info.nNumberOfLinks == 1) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    }
    CloseHandle(file);
}

} // namespace

std::filesystem::path TemporaryBeside(const std::filesystem::path& target, unsigned attempt)
{
    static LONG counter = 0;
    const LONG number = InterlockedIncrement(&counter);
    std::wstring name = L"." + target.filename().wstring() + L"." +
                        std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(number) +
                        L"." + std::to_wstring(attempt) + std::wstring(kSuffix);
    return target.parent_path() / name;
}

void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::wstring name = target.filename().wstring();
    const std::filesystem::path folder = target.parent_path();
    const std::filesystem::path pattern = folder / (L"." + name + L".*" + std::wstring(kSuffix));
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::optional<DWORD> writer = WriterOf(found.cFileName, name);
        if (writer && !Runs(*writer))
            RemoveIfPlainFile(folder / found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace wirevane::platform
