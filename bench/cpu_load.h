#pragma once

// Another CPU-bound program on the machine, for the benchmarks that ask how the program keeps
// its times when it does not have the machine to itself.

#include "bench/bench_flags.h"

#include <csignal>
#include <cstdint>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wirevane::bench {

class SpinningNeighbour {
public:
    // Starts the spinning process when on; a benchmark passes whether its command line asked.
    explicit SpinningNeighbour(bool on)
    {
        if (!on)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            // It must not outlive a benchmark that crashes.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            volatile uint64_t turns = 0;
            for (;;)
                turns = turns + 1;
        }
    }
    ~SpinningNeighbour()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    SpinningNeighbour(const SpinningNeighbour&) = delete;
    SpinningNeighbour& operator=(const SpinningNeighbour&) = delete;

    bool running() const { return m_pid > 0; }

    static bool Asked(int argc, char** argv) { return FlagGiven(argc, argv, "--load"); }

private:
    pid_t m_pid = -1;
};

} // namespace wirevane::bench
