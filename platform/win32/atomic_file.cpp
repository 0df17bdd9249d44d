#include "platform/atomic_file.h"

#include "platform/win32/win32_file_error.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace wirevane::platform {

namespace {

// Closes the handle at scope end unless closed before.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    void close()
    {
        if (valid())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

DWORD WriteAll(HANDLE file, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return GetLastError();
        bytes = bytes.subspan(written);
    }
    return ERROR_SUCCESS;
}

// A name in the target's folder that no other file has: the target's name, the process and a
// counter, so two saves of this process or of two copies never share one.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target, unsigned attempt)
{
    static LONG counter = 0;
    const LONG number = InterlockedIncrement(&counter);
    std::wstring name = L"." + target.filename().wstring() + L"." +
                        std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(number) +
                        L"." + std::to_wstring(attempt) + L".tmp";
    return target.parent_path() / name;
}

} // namespace

FileError ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return FileErrorFromWin32(GetLastError());
    uint8_t chunk[65536];
    while (true) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
            bytes.clear();
            return FileErrorFromWin32(GetLastError());
        }
        if (got == 0)
            return {};
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

FileError ReplaceFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                const BeforeReplaceHook& beforeReplace)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    // ReplaceFileW and MoveFileExW would both replace a read-only file; a file the user marked
    // so stays as it is, as an editor keeps it.
    if (replacing && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return FileErrorFromWin32(ERROR_ACCESS_DENIED);
    if (replacing && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileErrorFromWin32(ERROR_ACCESS_DENIED);

    std::filesystem::path temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryBeside(path, attempt);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return FileErrorFromWin32(GetLastError());
    }
    if (created == INVALID_HANDLE_VALUE)
        return FileErrorFromWin32(ERROR_FILE_EXISTS);
    Handle file(created);
    auto fail = [&](DWORD error) {
        file.close();
        DeleteFileW(temporary.c_str());
        return FileErrorFromWin32(error);
    };
    if (const DWORD error = WriteAll(file.get(), bytes); error != ERROR_SUCCESS)
        return fail(error);
    if (!FlushFileBuffers(file.get()))
        return fail(GetLastError());
    file.close();
    if (beforeReplace) {
        if (FileError error = beforeReplace(temporary); !error.ok()) {
            DeleteFileW(temporary.c_str());
            return error;
        }
    }
    // ReplaceFileW keeps the old file's attributes, security and streams; it needs an existing
    // target and is refused on some file systems, where the plain write-through move serves.
    if (replacing && ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return {};
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    return {};
}

} // namespace wirevane::platform
