#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wirevane::sim {

// Bytes from a command-line or script text: \r \n \t \0 \\ and \xHH are escapes, everything
// else stands for itself. Empty on a broken escape.
std::optional<std::string> UnescapeText(std::string_view text);

// Bytes from hexadecimal pairs, blanks allowed between them ("18 28 35"). Empty on bad input.
std::optional<std::string> ParseHex(std::string_view text);

// "41 42 0D" for what the log shows.
std::string HexLine(std::string_view bytes);

} // namespace wirevane::sim
