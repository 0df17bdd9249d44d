#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wirevane::platform {

// UTF-16 (what the wide Win32 calls speak) to UTF-8 (what FileError messages and port names
// hold), and back.
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

// The system's own message for a GetLastError value, in UTF-8, without the trailing line break.
std::string SystemMessage(uint32_t error);

} // namespace wirevane::platform
