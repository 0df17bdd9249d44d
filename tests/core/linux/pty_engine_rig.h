#pragma once

#include "platform/message_target.h"
#include "serial/serial_mfc.h"
#include "support/engine_rig.h"
#include "support/pty_pair.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <termios.h>

namespace wirevane::test {

// A port whose notifications and write completions wait in a queue until the test's thread
// runs them, as they wait in the window's loop.
class QueuedSerial final : public CSerialMFC {
public:
    QueuedSerial() : CSerialMFC([this](std::function<void()> call) { Post(std::move(call)); }) {}

    void Post(std::function<void()> call)
    {
        {
            std::lock_guard guard(m_lock);
            m_calls.push_back(std::move(call));
        }
        m_posted.notify_one();
    }

    // Runs the posted calls on this thread until done() holds; false after ten seconds without.
    bool RunPostedUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::unique_lock guard(m_lock);
        while (!done()) {
            if (!m_posted.wait_until(guard, deadline, [&] { return !m_calls.empty(); }))
                return false;
            const std::function<void()> call = std::move(m_calls.front());
            m_calls.pop_front();
            guard.unlock();
            call();
            guard.lock();
        }
        return true;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

// The engine over the real port chain on a kernel pseudo-terminal whose master side the test
// plays as the device; the engine's tick and the answer time are fired by hand.
struct PtyEngineRig : EngineRig<CountedPort<QueuedSerial>> {
    PtyEngineRig()
    {
        EXPECT_EQ(port.serial.Open(pty.slavePathU16(), std::make_unique<Notifications>(*this)), 0u);
    }
    ~PtyEngineRig() { port.serial.Close(); }

    // The device sends the bytes; returns once the receive handler has read them.
    void Answer(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        const uint64_t target = port.bytesRead + bytes.size();
        pty.WriteMaster(bytes);
        ASSERT_TRUE(port.serial.RunPostedUntil([&] { return port.bytesRead >= target; }))
            << "the port never read \"" << bytes << "\"";
    }

    // The device holds the line back (as XOFF does), so a row stays on its way until Release.
    void Hold() { ASSERT_EQ(tcflow(pty.slave(), TCOOFF), 0); }
    // Lets the held bytes out; returns once the engine knows the row is out.
    void Release()
    {
        ASSERT_EQ(tcflow(pty.slave(), TCOON), 0);
        ASSERT_TRUE(port.serial.RunPostedUntil([&] { return !engine.IsWriting(); }));
    }

    // What the device received, waiting for count bytes.
    std::string Received(std::size_t count) { return pty.ReadMaster(count); }

    PtyPair pty;
    ManualStepTimer answerTimer;

private:
    struct Notifications final : platform::MessageTarget {
        explicit Notifications(PtyEngineRig& owner) : rig(owner) {}
        bool Post(uint32_t, uintptr_t eventWord, intptr_t) override
        {
            rig.port.serial.Post([this, eventWord] {
                rig.receiver.OnSerialMessage(static_cast<uint32_t>(eventWord));
            });
            return true;
        }
        PtyEngineRig& rig;
    };
};

} // namespace wirevane::test
