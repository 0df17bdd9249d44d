#include "support/engine_rig.h"

#include <gtest/gtest.h>

namespace wirevane {
namespace {

// A meter frame that reads "AC -12.34 V".
const TesterFrame kMeterFrame = {0x18, 0x28, 0x35, 0x45, 0x5B, 0x69, 0x7F,
                                 0x82, 0x97, 0xA0, 0xB0, 0xC0, 0xD4, 0xE0};

// The handler as the engine's rig wires it; the engine itself stays idle.
class ReceiveHandlerTest : public ::testing::Test, protected test::EngineRig<> {};

TEST_F(ReceiveHandlerTest, ReportLinesComeInFixedOrderBeforeTheData)
{
    // Two lines on and one off, so that lines swapped on the way read wrong.
    port.setModemStatus(MS_CTS_ON | MS_RLSD_ON);
    port.queueRead({'O', 'K'});
    receiver.OnSerialMessage((0x0008u << 16) | EV_RXCHAR | EV_CTS | EV_DSR | EV_BREAK | EV_ERR |
                             EV_RXFLAG | EV_RING | EV_TXEMPTY | EV_RLSD);
    EXPECT_EQ(terminal.text(),
              u"[An internal error occurred.]\n[Break detected on input.]\n"
              u"[A line-status error occurred.]\n[Event character has been received.]\n"
              u"[Ring detected]\n[All data is send]\n[CTS signal change (CTS=on)]\n"
              u"[DSR signal change (DSR=off)]\n[RLSD signal change (RLSD=on)]\nOK");

    // Data is read for a receive event only; a failed modem query reports the line off.
    terminal.clear();
    port.queueRead({'A'});
    receiver.OnSerialMessage(EV_ERR);
    EXPECT_EQ(terminal.text(), u"[A line-status error occurred.]\n");
    receiver.OnSerialMessage(EV_RXCHAR);
    EXPECT_EQ(terminal.text(), u"[A line-status error occurred.]\nA");
    terminal.clear();
    port.setModemStatus(MS_CTS_ON | MS_DSR_ON, 31);
    receiver.OnSerialMessage(EV_CTS);
    EXPECT_EQ(terminal.text(), u"[CTS signal change (CTS=off)]\n");
}

// A device that has gone is said once, with EV_ERR and CE_IOE; the loss line that follows says
// it, so the hang-up alone gives no error lines. What else came in the same word still does.
TEST_F(ReceiveHandlerTest, AHangUpLeavesItsReportToTheLossLine)
{
    const std::pair<uint32_t, std::u16string> cases[] = {
        {EV_ERR | (CE_IOE << 16), u""},
        {EV_ERR | EV_BREAK | (CE_IOE << 16), u"[Break detected on input.]\n"},
        {EV_ERR | ((CE_IOE | CE_FRAME) << 16),
         u"[An internal error occurred.]\n[A line-status error occurred.]\n"},
        {EV_RXCHAR | (CE_IOE << 16), u"[An internal error occurred.]\n"},
    };
    for (const auto& [word, shown] : cases) {
        terminal.clear();
        receiver.OnSerialMessage(word);
        EXPECT_EQ(terminal.text(), shown) << std::hex << word;
    }
}

// A held lead byte discarded with its device does not join the next text; a read error keeps it.
TEST_F(ReceiveHandlerTest, AHeldLeadByteGoesWithItsDeviceButNotWithAReadError)
{
    Receive({0x41, 0xE0});
    EXPECT_EQ(receiver.pendingBytes(), 1);
    receiver.DiscardHeld();
    Receive({'Z', 'Y'});
    EXPECT_EQ(terminal.text(), u"AZY");

    run.encoding = TextEncoding::Sjis;
    Receive({0x82});
    port.setOpen(false);
    receiver.OnSerialMessage(EV_RXCHAR);
    EXPECT_EQ(receiver.pendingBytes(), 1);
    EXPECT_EQ(terminal.text(), u"AZY");
}

TEST_F(ReceiveHandlerTest, WaitEndsAtTheFirstMatchingByteOnly)
{
    run.waitKind = WaitKind::Cr;
    run.matchByte = 0x0D;
    Receive({'A', 'B'});
    EXPECT_FALSE(run.rxDone);
    EXPECT_FALSE(timer.IsArmed());

    Receive({0x41, 0x0D, 0x42, 0x0D});
    EXPECT_EQ(run.waitKind, WaitKind::None);
    EXPECT_TRUE(run.rxDone);
    EXPECT_TRUE(timer.IsArmed());
    EXPECT_EQ(timer.periods(), std::vector<int>{0}); // the second CR armed nothing
    EXPECT_EQ(terminal.text(), u"ABA\rB\r");

    run.rxDone = false;
    run.waitKind = WaitKind::Any;
    Receive({0x00});
    EXPECT_TRUE(run.rxDone) << "any byte, a zero too, ends an Any wait";
}

TEST_F(ReceiveHandlerTest,
       CharactersShowWholeAcrossReadsPastAZeroByteAndAnUnknownEncodingAsShiftJis)
{
    struct Case {
        TextEncoding encoding;
        std::vector<uint8_t> first, second;
    };
    for (const Case& c : {Case{TextEncoding::Sjis, {0x41, 0x82}, {0xA0}},
                          Case{TextEncoding::Utf8, {0x41, 0xE3, 0x81}, {0x82}},
                          Case{TextEncoding::Euc, {0x41, 0xA4}, {0xA2}}}) {
        terminal.clear();
        run.encoding = c.encoding;
        Receive(c.first);
        EXPECT_EQ(terminal.text(), u"A") << static_cast<int>(c.encoding);
        EXPECT_EQ(receiver.pendingBytes(), static_cast<int>(c.first.size()) - 1);
        Receive(c.second);
        EXPECT_EQ(terminal.text(), u"Aあ") << static_cast<int>(c.encoding);
        EXPECT_EQ(receiver.pendingBytes(), 0);
    }

    terminal.clear();
    run.encoding = TextEncoding::Sjis;
    Receive({0x41, 0x00, 0x42});
    EXPECT_EQ(terminal.text(), u"AB");
    EXPECT_EQ(receiver.pendingBytes(), 0);
    terminal.clear();
    run.encoding = static_cast<TextEncoding>(3);
    run.waitKind = WaitKind::Nl;
    run.matchByte = 0x0A;
    Receive({0x82, 0xA0, 0x0A});
    EXPECT_EQ(terminal.text(), u"あ\n");
    EXPECT_TRUE(run.rxDone);
}

// The meter repeats its display several times a second; each frame is a reading of its own.
TEST_F(ReceiveHandlerTest, TesterFramesGoToTheSinkEachTimeAndBytesWithoutAPlaceAreOnlyDumped)
{
    struct Sink : MeasurementSink {
        void AddMeasurement(const Measurement& m) override { taken.push_back(m); }
        std::vector<Measurement> taken;
    } sink;
    receiver.SetMeasurementSink(&sink);
    run.testerMode = true;
    std::vector<uint8_t> twice(kMeterFrame.begin(), kMeterFrame.end());
    twice.insert(twice.end(), kMeterFrame.begin(), kMeterFrame.end());
    const auto before = std::chrono::system_clock::now();
    Receive(twice);
    const auto after = std::chrono::system_clock::now();
    ASSERT_EQ(sink.taken.size(), 2u);
    for (const Measurement& m : sink.taken) {
        EXPECT_EQ(m.reading, "AC -12.34 V");
        EXPECT_EQ(m.value, -12.34);
        EXPECT_GE(m.time, before);
        EXPECT_LE(m.time, after);
    }

    // High nibbles 0 and 15 name no place in the frame: such bytes are dumped like any other and
    // leave the frame alone, wherever they fall among its bytes. The frame arrives in two reads;
    // each read is dumped as it comes.
    terminal.clear();
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < kMeterFrame.size(); ++i)
        bytes.insert(bytes.end(), {uint8_t(i), uint8_t(0xF0 + i), kMeterFrame[i]});
    bytes.insert(bytes.end(), {0x0E, 0xFE, 0x0F, 0xFF});
    const auto half = bytes.begin() + static_cast<long>(bytes.size() / 2);
    Receive({bytes.begin(), half});
    EXPECT_EQ(terminal.text().size(), 3 * bytes.size() / 2);
    Receive({half, bytes.end()});
    std::u16string dump;
    for (uint8_t byte : bytes) {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        dump += {kHex[byte >> 4], kHex[byte & 0x0F], u' '};
        if (byte == 0xE0)
            dump += u"\r\nAC -12.34 V\r\n";
    }
    EXPECT_EQ(terminal.text(), dump);
    EXPECT_EQ(receiver.testerFrame(), kMeterFrame);
}

TEST_F(ReceiveHandlerTest, FullReadsRepeatUntilThePortIsDrainedOrInTurnsWithAContinuation)
{
    const std::size_t total = 16 * 1024 * 1024;
    std::vector<uint8_t> flood(total, 'x');
    flood.back() = 0x0D;
    run.waitKind = WaitKind::Cr;
    run.matchByte = 0x0D;
    Receive(flood);
    EXPECT_EQ(terminal.text().size(), total);
    EXPECT_TRUE(run.rxDone);
    EXPECT_EQ(receiver.pendingBytes(), 0);

    // A flooding device: one notification reads a bounded amount, the rest comes in later turns,
    // and nothing is lost or read twice; notifications that arrive meanwhile add no second reader.
    terminal.clear();
    int continuations = 0;
    receiver.SetContinuation([&] { ++continuations; });
    const std::size_t inTurns = std::size_t(ReceiveHandler::kReadsPerTurn) * 255 + 300;
    Receive(std::vector<uint8_t>(inTurns, 'x'));
    EXPECT_EQ(continuations, 1);
    EXPECT_EQ(terminal.text().size(), std::size_t(ReceiveHandler::kReadsPerTurn) * 255);
    receiver.OnSerialMessage(EV_RXCHAR);
    EXPECT_EQ(continuations, 1);
    EXPECT_EQ(terminal.text().size(), std::size_t(ReceiveHandler::kReadsPerTurn) * 255);

    receiver.ContinueReading();
    EXPECT_EQ(continuations, 1);
    EXPECT_EQ(terminal.text(), std::u16string(inTurns, u'x'));
}

} // namespace
} // namespace wirevane
