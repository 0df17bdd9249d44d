#include "fakes/recording_message_target.h"
#include "fakes/scripted_serial_device.h"
#include "serial/serial_wnd.h"

#include <gtest/gtest.h>
#include <tuple>

namespace wirevane {
namespace {

using test::RecordingMessageTarget;
using test::ScriptedLine;

// The port chain over a line with modem lines and line errors.
class ScriptedPort final : public CSerialWnd {
public:
    explicit ScriptedPort(std::shared_ptr<ScriptedLine> line) : m_line(std::move(line)) {}
    ~ScriptedPort() override { Close(); }

protected:
    std::unique_ptr<platform::SerialDevice> OpenDevice(const std::filesystem::path&,
                                                       platform::PortOpenError&) override
    {
        return std::make_unique<test::ScriptedSerialDevice>(m_line);
    }

private:
    std::shared_ptr<ScriptedLine> m_line;
};

// The port open on a scripted line, posting to a recording target.
class SerialLineEvents : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(port.Open(u"scripted", &target), 0u); }

    std::shared_ptr<ScriptedLine> line = std::make_shared<ScriptedLine>();
    RecordingMessageTarget target;
    ScriptedPort port{line};
};

TEST_F(SerialLineEvents, EventsOutsideTheMaskPostNothingAndTheirErrorsAreCleared)
{
    ASSERT_EQ(port.SetEventMask(EV_RXCHAR), 0u);
    line->Raise(EV_CTS);
    line->Raise(EV_ERR, CE_OVERRUN);
    line->Raise(EV_RXCHAR);
    ASSERT_TRUE(target.WaitFor(1));
    EXPECT_FALSE(target.WaitFor(2, std::chrono::milliseconds(100)));
    // The overrun went with the wake-up that had no masked event.
    EXPECT_EQ(target.Messages().front().first, EV_RXCHAR);
}

TEST_F(SerialLineEvents, ModemLineChangesAreReportedAndTheLinesRead)
{
    ASSERT_EQ(port.SetEventMask(EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK), 0u);
    line->SetModemStatus(MS_CTS_ON | MS_RLSD_ON);
    line->Raise(EV_CTS | EV_RLSD);
    line->Raise(EV_BREAK, CE_BREAK);
    ASSERT_TRUE(target.WaitFor(2));
    EXPECT_EQ(target.Messages()[0].first, EV_CTS | EV_RLSD);
    EXPECT_EQ(target.Messages()[1].first, EV_BREAK | (CE_BREAK << 16));
    EXPECT_EQ(std::tuple(port.IsCtsOn(), port.IsDsrOn(), port.IsRlsdOn(), port.GetLastErrorCode()),
              std::tuple(true, false, true, 0u));
}

} // namespace
} // namespace wirevane
