#pragma once

#include "core/port_access.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace wirevane::test {

// A port whose writes stay on their way until the test lets each one end, as they do on a line
// the device holds back; what ends well lands in written().
class HeldPort final : public PortAccess {
public:
    bool IsOpen() const override { return true; }
    uint32_t Write(std::span<const uint8_t> bytes) override
    {
        m_written.insert(m_written.end(), bytes.begin(), bytes.end());
        return 0;
    }
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
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override
    {
        bytesRead = std::min(buffer.size(), m_incoming.size());
        std::copy_n(m_incoming.begin(), bytesRead, buffer.begin());
        m_incoming.erase(m_incoming.begin(), m_incoming.begin() + static_cast<long>(bytesRead));
        return 0;
    }
    uint32_t GetModemStatus(uint32_t& status) override
    {
        status = 0;
        return 0;
    }

    // Ends the oldest held write with the error (0: its bytes are out).
    void End(uint32_t error = 0)
    {
        Held held = std::move(m_held.front());
        m_held.pop_front();
        if (error == 0)
            Write(held.bytes);
        held.done(error);
    }
    // Bytes the device sends, read by the next reads.
    void Receive(std::vector<uint8_t> bytes)
    {
        m_incoming.insert(m_incoming.end(), bytes.begin(), bytes.end());
    }
    std::size_t held() const { return m_held.size(); }
    int cancels() const { return m_cancels; }
    const std::vector<uint8_t>& written() const { return m_written; }

private:
    struct Held {
        std::vector<uint8_t> bytes;
        WriteDone done;
    };

    std::deque<Held> m_held;
    std::vector<uint8_t> m_written;
    std::vector<uint8_t> m_incoming;
    int m_cancels = 0;
};

} // namespace wirevane::test
