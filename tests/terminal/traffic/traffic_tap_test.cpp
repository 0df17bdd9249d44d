#include "fakes/scripted_port.h"
#include "platform/serial_codes.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_tap.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane {
namespace {

using namespace std::chrono_literals;

class RecordingReceiver final : public ReceivingTerminal {
public:
    void AppendText(std::u16string_view text) override { plain.emplace_back(text); }
    bool IsLocalEcho() const override { return true; }
    void AppendReceived(std::u16string_view text, TrafficTime readTime) override
    {
        received.emplace_back(text, readTime);
    }

    std::vector<std::u16string> plain;
    std::vector<std::pair<std::u16string, TrafficTime>> received;
};

class TrafficTapTest : public ::testing::Test {
protected:
    TrafficTapTest()
    {
        m_port.setOpen(true);
        // Each chunk as "RX" or "TX", its bytes and its time in ms from the start.
        m_tap.SetListener(
            [this](TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time) {
                m_seen.push_back((direction == TrafficDirection::Sent ? "TX " : "RX ") +
                                 std::string(bytes.begin(), bytes.end()) + " " +
                                 std::to_string((time - kStart) / 1ms));
            });
    }

    std::size_t Read()
    {
        std::array<uint8_t, 8> buffer{};
        std::size_t count = 0;
        EXPECT_EQ(m_tap.Read(buffer, count), 0u);
        return count;
    }

    static constexpr TrafficTime kStart = TrafficTime{} + 1000s;
    TrafficTime m_now = kStart;
    test::ScriptedPort m_port;
    TrafficTap m_tap{&m_port, [this] { return m_now; }};
    std::vector<std::string> m_seen;
};

TEST_F(TrafficTapTest, TellsEachChunkReadOrTakenWithItsTimeAndPassesEverythingOn)
{
    m_port.queueRead({'O', 'K'});
    EXPECT_EQ(Read(), 2u);
    m_now += 5ms;
    const std::vector<uint8_t> row{'A', 'T'};
    EXPECT_EQ(m_tap.Write(row), 0u);
    m_now += 5ms;
    uint32_t completed = 99;
    m_tap.BeginWrite(row, [&](uint32_t error) { completed = error; });
    EXPECT_EQ(completed, 0u);
    EXPECT_EQ(Read(), 0u);

    EXPECT_EQ(m_seen, (std::vector<std::string>{"RX OK 0", "TX AT 5", "TX AT 10"}));
    EXPECT_EQ(m_port.written(), (std::vector<uint8_t>{'A', 'T', 'A', 'T'}));

    // Bytes the port refuses are not traffic, whichever way they were handed over.
    m_port.setOpen(false);
    EXPECT_NE(m_tap.Write(row), 0u);
    m_tap.BeginWrite(row, [&](uint32_t error) { completed = error; });
    EXPECT_NE(completed, 0u);
    EXPECT_EQ(m_seen.size(), 3u);

    TrafficTap unconnected(nullptr, [this] { return m_now; });
    EXPECT_FALSE(unconnected.IsOpen());
    EXPECT_EQ(unconnected.Write(row), ERROR_INVALID_HANDLE);
}

// A port that writes in the background: done comes later, from the loop.
class BackgroundPort final : public test::ScriptedPort {
public:
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override
    {
        Write(bytes);
        pending.push_back(std::move(done));
    }
    std::vector<WriteDone> pending;
};

TEST_F(TrafficTapTest, BytesWrittenInTheBackgroundAreToldWhenHandedOverAndOnlyOnce)
{
    BackgroundPort port;
    port.setOpen(true);
    std::vector<std::string> seen;
    TrafficTap tap(&port, [this] { return m_now; });
    tap.SetListener([&](TrafficDirection, std::span<const uint8_t> bytes, TrafficTime time) {
        seen.push_back(std::string(bytes.begin(), bytes.end()) + " " +
                       std::to_string((time - kStart) / 1ms));
    });
    const std::vector<uint8_t> row{'A', 'T'};
    uint32_t completed = 99;
    tap.BeginWrite(row, [&](uint32_t error) { completed = error; });
    EXPECT_EQ(seen, std::vector<std::string>{"AT 0"});
    ASSERT_EQ(port.pending.size(), 1u);

    // Its failure later is the write's own report, not a retraction; its success adds nothing.
    m_now += 5ms;
    port.pending[0](ERROR_IO_DEVICE);
    EXPECT_EQ(completed, ERROR_IO_DEVICE);
    tap.BeginWrite(row, [&](uint32_t error) { completed = error; });
    port.pending[1](0);
    EXPECT_EQ(seen, (std::vector<std::string>{"AT 0", "AT 5"}));
}

TEST_F(TrafficTapTest, ReceivedTextCarriesTheTimeOfTheOldestReadNotYetShownAndReportsNone)
{
    RecordingReceiver terminal;
    ReceivedTextSink sink(terminal, m_tap);

    sink.AppendText(u"[Break detected on input.]\n");
    m_port.queueRead({0x82});
    Read();
    const TrafficTime firstByte = m_now;
    m_now += 30ms;
    m_port.queueRead({0xa0, 'x'});
    Read();
    // The character split across the two reads is shown after the second one.
    sink.AppendText(u"あx");
    sink.AppendText(u"[Ring detected]\n");

    ASSERT_EQ(terminal.plain.size(), 2u);
    EXPECT_EQ(terminal.plain[1], u"[Ring detected]\n");
    ASSERT_EQ(terminal.received.size(), 1u);
    EXPECT_EQ(terminal.received[0].first, u"あx");
    EXPECT_EQ(terminal.received[0].second, firstByte);
}

} // namespace
} // namespace wirevane
