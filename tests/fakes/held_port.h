#pragma once

#include "fakes/scripted_port.h"

#include <deque>
#include <vector>

namespace wirevane::test {

// A port whose writes stay on their way until the test lets each one end, as they do on a line
// the device holds back; what ends well lands in written().
class HeldPort final : public ScriptedPort {
public:
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override
    {
        m_held.push_back({{bytes.begin(), bytes.end()}, std::move(done)});
    }
    void CancelWrites() override
    {
        ++m_cancels;
        m_held.clear();
    }
    std::u16string PortName() const override { return u"ttyUSB0"; }

    // Ends the oldest held write with the error (0: its bytes are out).
    void End(uint32_t error = 0)
    {
        Held held = std::move(m_held.front());
        m_held.pop_front();
        if (error == 0)
            Write(held.bytes);
        held.done(error);
    }
    std::size_t held() const { return m_held.size(); }
    int cancels() const { return m_cancels; }

private:
    struct Held {
        std::vector<uint8_t> bytes;
        WriteDone done;
    };

    std::deque<Held> m_held;
    int m_cancels = 0;
};

} // namespace wirevane::test
