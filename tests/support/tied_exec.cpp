#include "support/tied_exec.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace wirevane::test {

void ExecTiedToParent(pid_t parent, char* const argv[])
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // The signal follows the forking thread, and every test starts its children from the
    // thread that runs the test.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before the request took hold.
    if (getppid() != parent)
        _exit(127);
    execv(argv[0], argv);
    _exit(127);
}

} // namespace wirevane::test
