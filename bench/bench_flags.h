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

} // namespace wirevane::bench
