#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace wirevane::sim {

// A script is written by hand or by a small generator: this is far more than any dialogue with
// a device needs, and little enough that a wrong name (/dev/zero, a log of gigabytes) is refused
// before it fills the memory.
inline constexpr std::size_t kLongestScript = std::size_t{4} << 20;

// The script's text, read from a file or from a pipe (a shell's process substitution names one),
// at most kLongestScript bytes. On failure: nothing, and message says why.
std::optional<std::string> ReadScriptText(const std::string& path, std::string& message);

} // namespace wirevane::sim
