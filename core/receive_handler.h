#pragma once

#include "core/measurement.h"
#include "core/port_access.h"
#include "core/receive_ring.h"
#include "core/run_state.h"
#include "core/terminal_sink.h"
#include "core/tester_frame.h"
#include "platform/step_timer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace wirevane {

// Handles one port notification on the window thread: reports port events in the terminal,
// drains the port, ends the engine's pending wait on the awaited byte, and shows what arrived
// as text by whole characters or, in tester mode, as a hex dump with the meter's readings.
class ReceiveHandler {
public:
    ReceiveHandler(RunState& run, PortAccess& port, TerminalSink& terminal, StepTimer& timer);

    // Allocates the receive ring and builds the display's decoding tables; false when the
    // memory cannot be had.
    bool Allocate();

    // The notification word: event bits in the low 16 bits, line-error bits in the high 16 bits.
    void OnSerialMessage(uint32_t eventWord);

    // A window must not be held inside one notification while a device floods it: with a
    // continuation set, one notification reads at most kReadsPerTurn chunks and, when the port
    // still had more, asks the continuation to call ContinueReading once the event loop has
    // had its turn. Without one, a notification reads until the port is empty.
    static constexpr int kReadsPerTurn = 256;
    void SetContinuation(std::function<void()> later) { m_later = std::move(later); }
    void ContinueReading();

    // Bytes held for display belong to the device they came from: a lead byte waiting for its
    // trail would otherwise join the first answer of the next device into a character neither
    // sent. Called when the port closes, is lost or opens.
    void DiscardHeld() { m_ring.Clear(); }

    // In tester mode, every completed frame that makes a reading goes to the sink as well, even
    // one that repeats the last: the meter's rate is the data's rate. Null: none.
    void SetMeasurementSink(MeasurementSink* sink) { m_sink = sink; }

    const TesterFrame& testerFrame() const { return m_frame; }
    int32_t pendingBytes() const { return m_ring.Count(); }

private:
    void ReportModemLine(const char16_t* change, const char16_t* line, uint32_t bit);
    bool ReceivePass(); // true when the read came back full
    void Drain();
    void CheckWait(std::span<const uint8_t> bytes);
    void ShowTester(std::chrono::system_clock::time_point readTime);
    void ShowText();

    RunState& m_run;
    PortAccess& m_port;
    TerminalSink& m_terminal;
    StepTimer& m_timer;
    ReceiveRing m_ring;
    TesterFrame m_frame{};
    std::u16string m_display;
    std::vector<uint8_t> m_textRun; // the whole characters of one text display
    std::function<void()> m_later;
    MeasurementSink* m_sink = nullptr;
    bool m_continuationPending = false;
};

} // namespace wirevane
