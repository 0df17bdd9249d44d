#pragma once

// The benchmarks' command lines are a few switches, in any order.

#include <cstring>

namespace wirevane::bench {

inline bool FlagGiven(int argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            return true;
    }
    return false;
}

// The word after a switch ("--only engine"), or null when the switch is not given.
inline const char* FlagValue(int argc, char** argv, const char* flag)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            return argv[i + 1];
    }
    return nullptr;
}

} // namespace wirevane::bench
