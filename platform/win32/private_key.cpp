#include "platform/win32/private_key.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <random>
#include <string_view>
#include <vector>
#include <windows.h>

namespace wirevane::platform {

namespace {

constexpr std::size_t kKeyDigits = 32;

bool IsKey(std::string_view text)
{
    return text.size() == kKeyDigits && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// The file is written with no sharing, so a copy that reads it meanwhile is refused and waits
// rather than finding half a key.
enum class Found { Key, NoKey, Busy, Missing };

Found ReadKey(const std::filesystem::path& file, std::string& key)
{
    std::vector<uint8_t> bytes;
    const FileError error = ReadWholeFile(file, bytes);
    if (error.code == ERROR_SHARING_VIOLATION)
        return Found::Busy;
    if (error.notFound())
        return Found::Missing;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!error.ok() || !IsKey(text))
        return Found::NoKey;
    key = text;
    return Found::Key;
}

Found ReadKeyWaiting(const std::filesystem::path& file, std::string& key)
{
    Found found = ReadKey(file, key);
    for (int turn = 0; found == Found::Busy && turn < 50; ++turn) {
        Sleep(2);
        found = ReadKey(file, key);
    }
    return found;
}

std::string NewKey()
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device source;
    std::string key;
    while (key.size() < kKeyDigits) {
        uint32_t bits = source();
        for (int nibble = 0; nibble < 8 && key.size() < kKeyDigits; ++nibble, bits >>= 4)
            key += kDigits[bits & 0xF];
    }
    return key;
}

bool WriteKey(const std::filesystem::path& file, const std::string& key, DWORD disposition)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    const BOOL written =
        WriteFile(handle, key.data(), static_cast<DWORD>(key.size()), &put, nullptr);
    CloseHandle(handle);
    return written && put == key.size();
}

} // namespace

std::string PrivateKey(const std::filesystem::path& file)
{
    std::string key;
    Found found = ReadKeyWaiting(file, key);
    if (found == Found::Key)
        return key;
    if (found == Found::Missing) {
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        key = NewKey();
        if (WriteKey(file, key, CREATE_NEW))
            return key;
        // Another copy made it first: its key is the one.
        found = ReadKeyWaiting(file, key);
        if (found == Found::Key)
            return key;
    }
    // What is there holds no key, as after a write cut short: a new one takes its place.
    if (found != Found::NoKey)
        return {};
    key = NewKey();
    return WriteKey(file, key, CREATE_ALWAYS) ? key : std::string();
}

} // namespace wirevane::platform
