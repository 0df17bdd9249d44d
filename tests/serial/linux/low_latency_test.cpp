// The port asks a USB adapter for low latency on every open; on a device without the request
// (here a pseudo-terminal, which answers TIOCGSERIAL with ENOTTY) the refusal must cost nothing.
#include "fakes/forwarding_device.h"
#include "serial/serial.h"
#include "support/pty_pair.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace wirevane {
namespace {

// The pty's own device, with each low-latency request and the driver's answer written down.
class LowLatencyProbe final : public test::ForwardingDevice {
public:
    LowLatencyProbe(std::unique_ptr<platform::SerialDevice> inner,
                    std::vector<std::pair<bool, uint32_t>>& calls)
        : ForwardingDevice(std::move(inner)), m_calls(calls)
    {
    }
    uint32_t SetLowLatency(bool on) override
    {
        m_calls.emplace_back(on, ForwardingDevice::SetLowLatency(on));
        return m_calls.back().second;
    }

private:
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
