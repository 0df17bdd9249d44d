#include "support/child_process.h"
#include "support/file_text.h"
#include "support/sim_process.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

constexpr int kGrantedAnyway = 77;

// Takes from the child what a user without the right to realtime priority lacks: the realtime
// limit and CAP_SYS_NICE, for good, so exec cannot give them back. Where the child still gets
// the priority, it ends with kGrantedAnyway instead of running the program.
void DropRealtimeRights()
{
    const rlimit none{0, 0};
    setrlimit(RLIMIT_RTPRIO, &none);
    // Both refused where the test is not privileged itself, which is no matter then. The
    // bounding set keeps exec from giving the capability back to a root process.
    prctl(PR_CAPBSET_DROP, CAP_SYS_NICE, 0, 0, 0);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct rights[2]{};
    syscall(SYS_capget, &header, rights);
    rights[0].effective &= ~(1u << CAP_SYS_NICE);
    rights[0].permitted &= ~(1u << CAP_SYS_NICE);
    syscall(SYS_capset, &header, rights);
    const sched_param lowest{1};
    if (sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &lowest) == 0)
        _exit(kGrantedAnyway);
}

// Asked for and refused, realtime priority changes nothing of the run but one line that says
// why and what grants it.
TEST(RunnerRealtime, ARefusalLeavesTheRunWholeAndIsSaidOnce)
{
    TempDir dir;
    const std::filesystem::path log = dir / "device.log";
    SimProcess sim({"--lines", "--no-announce", "--log", log.string()});
    ASSERT_TRUE(sim.started());
    const std::filesystem::path table = dir / "table.ini";
    WriteTableFile(table, {{0, "A", 0, 0, 20}, {1, "B", 0, 0, 20}});

    ChildProcess runner(toolPath("wirevane-run"),
                        {"--port", sim.devicePath(), "--cycles", "3", "--linger", "0", "--realtime",
                         table.string()},
                        DropRealtimeRights);
    const std::optional<int> status = runner.Wait(30s);
    if (status == kGrantedAnyway)
        GTEST_SKIP() << "realtime priority is granted here even without the rights";
    const std::string said = runner.err();
    EXPECT_EQ(status, 0) << said;
    EXPECT_TRUE(WaitUntil([&] { return FileText(log) == "A\rB\rA\rB\rA\rB\r"; }, 5s))
        << FileText(log);
    const std::string refusal = said.substr(0, said.find('\n') + 1);
    EXPECT_TRUE(refusal.starts_with("wirevane-run: realtime priority refused (")) << said;
    EXPECT_NE(refusal.find("rtprio"), std::string::npos) << said;
    // A user who may not keep the processors awake is told that too, once, and nothing else.
    const std::string rest = said.substr(refusal.size());
    EXPECT_TRUE(rest.empty() ||
                (rest.starts_with("wirevane-run: idle processors may not be kept awake (") &&
                 rest.find('\n') == rest.size() - 1))
        << said;
}

} // namespace
} // namespace wirevane::test
