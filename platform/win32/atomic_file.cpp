#include "platform/atomic_file.h"

#include "platform/win32/not_regular_file.h"
#include "platform/win32/save_temporaries.h"
#include "platform/win32/win32_file_error.h"

#include <algorithm>
#include <string>
#include <utility>
#include <windows.h>

namespace wirevane::platform {

namespace {

// Closes the handle at scope end unless closed before.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            close();
            m_handle = std::exchange(other.m_handle, INVALID_HANDLE_VALUE);
        }
        return *this;
    }

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    void close()
    {
        if (valid())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
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

// Far above any real settings file, and still small enough to hold in memory a few times over.
constexpr std::size_t kReadLimit = std::size_t{64} << 20;

FileError TooLargeToRead()
{
    return FileError::TooLarge("File too large: a settings file is never above 64 MiB");
}

// Opens what the name reaches after every link, for its type and final name only.
Handle OpenForInspection(const std::filesystem::path& path)
{
    return Handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Refuses anything but a plain file on a disk: a device or pipe by its type, a folder by its
// attributes.
FileError CheckRegular(HANDLE handle)
{
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK)
        return NotARegularFile(type);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info))
        return FileErrorFromWin32(GetLastError());
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileErrorFromWin32(ERROR_ACCESS_DENIED);
    return {};
}

// The file a save replaces. Moving the new file onto a symbolic link or junction would replace
// the link, while the user meant the file it names; a link that names nothing is refused rather
// than followed to create a file wherever it happens to point. A missing name is a new file.
FileError ResolveTarget(const std::filesystem::path& target, std::filesystem::path& path)
{
    path = target;
    // Replacing a device ("NUL", "COM1", a pipe) with an ordinary file would break whatever
    // uses it; even the look below would open it.
    if (FileError refused = RefuseDeviceName(target); !refused.ok())
        return refused;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool link =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    Handle reached = OpenForInspection(target);
    if (!reached.valid()) {
        const DWORD error = GetLastError();
        if (link && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
            return LinkNamesNoFile(error);
        if (error == ERROR_FILE_NOT_FOUND)
            return {};
        return FileErrorFromWin32(error);
    }
    if (FileError error = CheckRegular(reached.get()); !error.ok())
        return error;
    if (!link)
        return {};
    const DWORD needed = GetFinalPathNameByHandleW(reached.get(), nullptr, 0, FILE_NAME_NORMALIZED);
    if (needed == 0)
        return FileErrorFromWin32(GetLastError());
    std::wstring finalName(needed, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(reached.get(), finalName.data(), needed, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= needed)
        return FileErrorFromWin32(length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER);
    finalName.resize(length);
    path = finalName;
    return {};
}

// A replacement under way: the file it replaces (a link followed), whether that exists yet, and
// the new temporary file beside it, open for writing.
struct Replacement {
    std::filesystem::path path;
    bool replacing = false;
    std::filesystem::path temporary;
    Handle file;
};

// Refuses what must not be replaced (a device's name, a link to nothing, anything but a plain
// file, a file marked read-only) before it makes the temporary file.
FileError BeginReplacement(const std::filesystem::path& target, Replacement& replacement)
{
    if (FileError error = ResolveTarget(target, replacement.path); !error.ok())
        return error;
    const DWORD attributes = GetFileAttributesW(replacement.path.c_str());
    replacement.replacing = attributes != INVALID_FILE_ATTRIBUTES;
    // ReplaceFileW and MoveFileExW would both replace a read-only file; a file the user marked
    // so stays as it is, as an editor keeps it.
    if (replacement.replacing && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return FileErrorFromWin32(ERROR_ACCESS_DENIED);
    if (replacement.replacing && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileErrorFromWin32(ERROR_ACCESS_DENIED);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        replacement.temporary = TemporaryBeside(replacement.path, attempt);
        const HANDLE created = CreateFileW(replacement.temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            replacement.file = Handle(created);
            return {};
        }
        if (const DWORD error = GetLastError(); error != ERROR_FILE_EXISTS)
            return FileErrorFromWin32(error);
    }
    return FileErrorFromWin32(ERROR_FILE_EXISTS);
}

} // namespace

FileError ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    // Reading a device could block or never end, and opening it has effects of its own.
    if (FileError refused = RefuseDeviceName(path); !refused.ok())
        return refused;
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return FileErrorFromWin32(GetLastError());
    if (const DWORD type = GetFileType(file.get()); type != FILE_TYPE_DISK)
        return NotARegularFile(type);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return FileErrorFromWin32(GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > kReadLimit)
        return TooLargeToRead();
    // One allocation of the size the file has now; a file that grows meanwhile is read on to the
    // limit and no further.
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > kReadLimit) {
                bytes.clear();
                return TooLargeToRead();
            }
            bytes.resize(std::min(kReadLimit + 1, bytes.size() + 65536));
        }
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                      &got, nullptr)) {
            bytes.clear();
            return FileErrorFromWin32(GetLastError());
        }
        if (got == 0) {
            bytes.resize(filled);
            return {};
        }
        filled += got;
    }
}

FileError ReplaceFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                                const BeforeReplaceHook& beforeReplace)
{
    Replacement replacement;
    if (FileError error = BeginReplacement(target, replacement); !error.ok())
        return error;
    const std::filesystem::path& path = replacement.path;
    const std::filesystem::path& temporary = replacement.temporary;
    Handle& file = replacement.file;
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
    const bool replaced =
        replacement.replacing && ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced && !MoveFileExW(temporary.c_str(), path.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    RemoveStaleTemporaries(path);
    return {};
}

FileError CheckReplaceable(const std::filesystem::path& target)
{
    Replacement replacement;
    if (FileError error = BeginReplacement(target, replacement); !error.ok())
        return error;
    replacement.file.close();
    DeleteFileW(replacement.temporary.c_str());
    return {};
}

} // namespace wirevane::platform
