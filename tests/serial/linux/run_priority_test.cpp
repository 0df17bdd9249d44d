#include "serial/run_priority.h"
#include "serial/serial_wnd.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wirevane {
namespace {

// What a user without any of the rights sees: both refusals once, then the run goes on and a
// later run is not told again. Run as an unprivileged user in a child of its own, since a test
// run as root would be granted everything.
int RefusalsAsAnUnprivilegedUser()
{
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
        return 100;
    CSerialWnd port;
    RunPriority priority(port);
    priority.SetAllowed(true);
    const RunPriorityRefusals first = priority.RunChanged(true);
    if (!first.priority || !first.awakeProcessors)
        return 1;
    if (first.awakeProcessors->remedy.find("/dev/cpu_dma_latency") == std::string::npos)
        return 2;
    priority.RunChanged(false);
    const RunPriorityRefusals second = priority.RunChanged(true);
    return second.priority || second.awakeProcessors ? 3 : 0;
}

TEST(RunPriority, WhatTheSystemRefusesIsToldOnceAndTheRunGoesOn)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to become a user without the rights";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(RefusalsAsAnUnprivilegedUser());
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 100) << "could not become nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a refusal was not told, 2: no remedy, 3: told again";
}

} // namespace
} // namespace wirevane
