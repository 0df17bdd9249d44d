#pragma once

namespace wirevane::runner {

// How a headless run ended; each way out has its own exit status so a calling script can tell
// a device that halted the table from one that went silent.
enum class RunOutcome {
    Completed,
    Halted,
    TimedOut,
    Failed,
    Interrupted,
    CheckFailed, // a failed check ended the run
};

constexpr int ExitStatus(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Completed:
        return 0;
    case RunOutcome::Halted:
        return 2;
    case RunOutcome::TimedOut:
        return 3;
    case RunOutcome::Interrupted:
        return 130;
    case RunOutcome::CheckFailed:
        return 4;
    case RunOutcome::Failed:
        break;
    }
    return 1;
}

} // namespace wirevane::runner
