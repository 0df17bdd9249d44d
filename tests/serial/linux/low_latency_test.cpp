// The port asks a USB adapter for low latency on every open; on a device without the request
// (here a pseudo-terminal, which answers TIOCGSERIAL with ENOTTY) the refusal must cost nothing.
#include "serial/serial.h"
#include "support/pty_pair.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace wirevane {
namespace {

// The pty's own device, with each low-latency request and the driver's answer written down.
class LowLatencyProbe final : public platform::SerialDevice {
public:
    LowLatencyProbe(std::unique_ptr<platform::SerialDevice> inner,
                    std::vector<std::pair<bool, uint32_t>>& calls)
        : m_inner(std::move(inner)), m_calls(calls)
    {
    }
    uint32_t SetLowLatency(bool on) override
    {
        m_calls.emplace_back(on, m_inner->SetLowLatency(on));
        return m_calls.back().second;
    }

    uint32_t SetQueueSizes(uint32_t in, uint32_t out) override
    {
        return m_inner->SetQueueSizes(in, out);
    }
    uint32_t GetLineSettings(platform::LineSettings& s) override
    {
        return m_inner->GetLineSettings(s);
    }
    uint32_t SetLineSettings(const platform::LineSettings& s) override
    {
        return m_inner->SetLineSettings(s);
    }
    uint32_t GetHandshake(uint32_t& mode) override { return m_inner->GetHandshake(mode); }
    uint32_t SetHandshake(uint32_t mode) override { return m_inner->SetHandshake(mode); }
    uint32_t GetEventCharacter(uint8_t& c) override { return m_inner->GetEventCharacter(c); }
    uint32_t SetEventCharacter(uint8_t c) override { return m_inner->SetEventCharacter(c); }
    uint32_t SetEventMask(uint32_t mask) override { return m_inner->SetEventMask(mask); }
    uint32_t WaitForEvent(uint32_t& events, uint32_t ms) override
    {
        return m_inner->WaitForEvent(events, ms);
    }
    uint32_t ClearErrors(uint32_t& errors) override { return m_inner->ClearErrors(errors); }
    uint32_t SetReadBlocking(bool blocking) override { return m_inner->SetReadBlocking(blocking); }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& got, uint32_t ms) override
    {
        return m_inner->Read(buffer, got, ms);
    }
    uint32_t Write(std::span<const uint8_t> bytes, std::size_t& put, uint32_t ms) override
    {
        return m_inner->Write(bytes, put, ms);
    }
    void SetWriteGrace(std::chrono::milliseconds grace) override { m_inner->SetWriteGrace(grace); }
    void CancelWrite() override { m_inner->CancelWrite(); }
    void ClearWriteCancel() override { m_inner->ClearWriteCancel(); }
    uint32_t GetModemStatus(uint32_t& status) override { return m_inner->GetModemStatus(status); }
    uint32_t SetBreak(bool on) override { return m_inner->SetBreak(on); }

private:
    std::unique_ptr<platform::SerialDevice> m_inner;
    std::vector<std::pair<bool, uint32_t>>& m_calls;
};

class ProbedPort : public CSerial {
public:
    std::vector<std::pair<bool, uint32_t>> calls;

protected:
    std::unique_ptr<platform::SerialDevice> OpenDevice(const std::filesystem::path& path,
                                                       platform::PortOpenError& error) override
    {
        auto device = CSerial::OpenDevice(path, error);
        return device ? std::make_unique<LowLatencyProbe>(std::move(device), calls) : nullptr;
    }
};

TEST(LowLatency, EveryOpenAsksAndAPtysRefusalLeavesThePortWorking)
{
    test::PtyPair pty;
    ProbedPort port;
    ASSERT_EQ(port.Open(pty.slavePathU16()), 0u);
    ASSERT_EQ(port.calls.size(), 1u);
    EXPECT_TRUE(port.calls[0].first);
    EXPECT_EQ(port.calls[0].second, ERROR_INVALID_FUNCTION); // ENOTTY from the pty driver
    EXPECT_EQ(port.SetLineSettings(115200, 8, NOPARITY, ONESTOPBIT), 0u);
    EXPECT_EQ(port.GetBaudRate(), 115200u);
    EXPECT_EQ(port.Write("ping"), 0u);
    EXPECT_EQ(pty.ReadMaster(4), "ping");
    EXPECT_FALSE(port.UsbLatencyTimerMs().has_value());

    // Turned off while open the driver's own setting comes back; off before an open, no ask.
    port.SetLowLatency(false);
    ASSERT_EQ(port.calls.size(), 2u);
    EXPECT_FALSE(port.calls[1].first);
    EXPECT_EQ(port.calls[1].second, 0u); // nothing was changed, so nothing to put back
    port.Close();
    ASSERT_EQ(port.Open(pty.slavePathU16()), 0u);
    EXPECT_EQ(port.calls.size(), 2u);
}

} // namespace
} // namespace wirevane
