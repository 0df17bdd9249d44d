#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::platform {

// The program's arguments after its name, in UTF-8. Windows hands main its arguments in the
// ANSI code page, which cannot carry every file name, so they are taken from the wide command
// line there; elsewhere they are main's own.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// A file name given in UTF-8, and a path written back in UTF-8 for messages: a path's narrow
// form is the ANSI code page on Windows.
std::filesystem::path PathFromUtf8(std::string_view name);
std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace wirevane::platform
