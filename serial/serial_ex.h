#pragma once

#include "serial/serial.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace wirevane {

// A port with an event thread: while it runs, the thread waits for the port's events and hands
// each wake-up's events (those in the mask) with the line errors of that moment to
// OnSerialEvent. The thread never hands data to anyone: all reading is the owner's, after the
// notification. Its wait may still take bytes off the line: a device that cannot otherwise tell
// "received since the last wait" (the POSIX tty) drains the descriptor into the port's own input
// queue during the wait, and Read serves that queue first. WaitForEvent returns only when its
// wait is over, so the thread goes straight on to the events. When the device is lost
// (unplugged, the far end of a pseudo-terminal closed) the thread reports EV_ERR with CE_IOE
// once and ends.
//
// Stopping: a flag, then re-applying the mask ends the pending wait; Close joins the thread
// before the device is released, so OnSerialEvent never runs after Close has returned.
class CSerialEx : public CSerial {
public:
    ~CSerialEx() override;

    // Always overlapped; the last argument says whether to start the event thread.
    uint32_t Open(const std::u16string& path, uint32_t inputQueueSize = 0,
                  uint32_t outputQueueSize = 0, bool startThread = true) override;
    uint32_t Close() override;
    virtual uint32_t StartEventThread();
    // The thread is always joined, whatever the time-out: one left running would use a
    // released device. The re-applied mask ends its wait at once, so the join is prompt.
    virtual uint32_t StopEventThread(uint32_t timeoutMs = INFINITE);
    // Called on the event thread: events in the low 16 bits of the notification word, line
    // errors in the high 16 bits.
    virtual void OnSerialEvent(uint16_t events, uint16_t errors) = 0;

    bool IsEventThreadRunning() const { return m_thread.joinable(); }

    // Whether the event thread should hold realtime priority (platform::RaiseToRealtime): it
    // takes or gives it back before its next wait, which this ends. Kept for a thread started
    // later, so a port reopened during a run gets it too. A refusal is left to the caller's
    // own request, which the same rights decide.
    void SetEventThreadRealtime(bool on);

protected:
    void EventThreadMain();
    void RunEventLoop();
    void FollowRealtimeWish(bool& followed);

    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_threadEnded{false};
    std::atomic<bool> m_realtimeWanted{false};
    std::mutex m_endLock;
    std::condition_variable m_ended;
    std::thread m_thread;
    std::unique_ptr<ManualResetEvent> m_threadEvent;
};

} // namespace wirevane
