#include "platform/wait_loop.h"

#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace wirevane::platform {
namespace {

TEST(WaitLoop, CallsFromOtherThreadsRunOnTheLoopInTheOrderPosted)
{
    WaitLoop loop;
    ASSERT_TRUE(loop.ok());
    std::vector<int> seen;
    const std::thread::id loopThread = std::this_thread::get_id();
    bool allOnLoop = true;
    std::thread poster([&] {
        for (int i = 0; i < 1000; ++i)
            loop.Post([&, i] {
                seen.push_back(i);
                allOnLoop = allOnLoop && std::this_thread::get_id() == loopThread;
            });
        loop.Post([&] { loop.Quit(); });
    });
    loop.Run();
    poster.join();
    ASSERT_EQ(seen.size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(seen[static_cast<size_t>(i)], i);
    EXPECT_TRUE(allOnLoop);
    // After Quit nothing more is taken.
    EXPECT_FALSE(loop.Post([] {}));
}

TEST(WaitLoop, TimersFireOnceInDeadlineOrderAndAKilledOneNever)
{
    WaitLoop loop;
    std::vector<char> ticks;
    LoopStepTimer late(loop, [&] {
        ticks.push_back('L');
        loop.Quit();
    });
    LoopStepTimer soon(loop, [&] { ticks.push_back('S'); });
    LoopStepTimer killed(loop, [&] { ticks.push_back('K'); });
    LoopStepTimer zeroA(loop, [&] { ticks.push_back('a'); });
    LoopStepTimer zeroB(loop, [&] { ticks.push_back('b'); });
    late.Arm(30);
    soon.Arm(5);
    killed.Arm(1);
    killed.Kill();
    zeroA.Arm(0);
    zeroB.Arm(0);
    EXPECT_TRUE(late.IsArmed());
    EXPECT_FALSE(killed.IsArmed());
    loop.Run();
    EXPECT_EQ(ticks, (std::vector<char>{'a', 'b', 'S', 'L'}));
    EXPECT_FALSE(late.IsArmed());
}

// A run's end (an interrupt, a failed write) is a posted call: once it has quit, nothing of the
// pass may go on, not the calls after it and not a timer that is already due.
TEST(WaitLoop, AQuitInACallEndsThePassThere)
{
    WaitLoop loop;
    std::string trace;
    LoopStepTimer due(loop, [&] { trace += 't'; });
    due.Arm(0);
    loop.Post([&] {
        trace += 'q';
        loop.Quit();
    });
    loop.Post([&] { trace += 'c'; });
    loop.Run();
    EXPECT_EQ(trace, "q");
}

// The engine re-arms its timer from inside the tick, and may kill the other timer there.
TEST(WaitLoop, ATickMayReArmItselfAndKillAnotherDueTimer)
{
    WaitLoop loop;
    int count = 0;
    std::optional<LoopStepTimer> other;
    LoopStepTimer self(loop, [&] {
        ++count;
        other->Kill();
        if (count < 3)
            self.Arm(0);
        else
            loop.Quit();
    });
    other.emplace(loop, [&] { ADD_FAILURE() << "a killed timer fired"; });
    self.Arm(0);
    other->Arm(0);
    loop.Run();
    EXPECT_EQ(count, 3);
}

// The runner hands its output on here: once per stretch of work, never between calls that are
// ready to run, and not after the loop has quit.
TEST(WaitLoop, BeforeWaitRunsOnlyWhenTheLoopIsAboutToWait)
{
    WaitLoop loop;
    std::string trace;
    LoopStepTimer later(loop, [&] {
        trace += 't';
        loop.Quit();
    });
    loop.SetBeforeWait([&] { trace += 'w'; });
    loop.Post([&] {
        trace += 'a';
        loop.Post([&] {
            trace += 'b';
            later.Arm(5);
        });
    });
    loop.Run();
    // A wait may end early (a wake-up left from a post) and be made again.
    EXPECT_TRUE(std::regex_match(trace, std::regex("abw+t"))) << trace;
}

TEST(WaitLoop, MessagesReachTheHandlerWithTheirValues)
{
    WaitLoop loop;
    std::vector<std::tuple<uint32_t, uintptr_t, intptr_t>> got;
    LoopMessageTarget target(loop, [&](uint32_t message, uintptr_t first, intptr_t second) {
        got.emplace_back(message, first, second);
        if (got.size() == 2)
            loop.Quit();
    });
    std::thread poster([&] {
        EXPECT_TRUE(target.Post(0xC001, 7, -1));
        EXPECT_TRUE(target.Post(0xC001, 8, 2));
    });
    loop.Run();
    poster.join();
    EXPECT_EQ(got, (decltype(got){{0xC001u, 7, -1}, {0xC001u, 8, 2}}));
}

} // namespace
} // namespace wirevane::platform
