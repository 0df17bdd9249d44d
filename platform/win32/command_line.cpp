#include "platform/command_line.h"

#include "platform/win32/win32_text.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace wirevane::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace wirevane::platform
