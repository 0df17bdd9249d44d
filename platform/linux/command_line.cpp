#include "platform/command_line.h"

namespace wirevane::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace wirevane::platform
