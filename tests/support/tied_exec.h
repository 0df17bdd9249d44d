#pragma once

#include <sys/types.h>

namespace wirevane::test {

// For the child side of fork(): runs argv[0] with the given arguments, killed with the test
// process. A test binary that crashes would otherwise leave its child running, holding the
// output pipe that ctest waits on for ever. The child also starts with no signal blocked, so a
// stopping signal ends it whatever the test's threads had blocked. Never returns; exits 127
// when the program cannot run or the test is already gone.
[[noreturn]] void ExecTiedToParent(pid_t parent, char* const argv[]);

} // namespace wirevane::test
