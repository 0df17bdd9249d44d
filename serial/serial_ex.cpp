#include "serial/serial_ex.h"

#include "platform/prompt_wake.h"
#include "platform/realtime_priority.h"

#include <chrono>
#include <system_error>

namespace wirevane {

CSerialEx::~CSerialEx()
{
    if (m_thread.joinable())
        CSerialEx::Close();
}

uint32_t CSerialEx::Open(const std::u16string& path, uint32_t inputQueueSize,
                         uint32_t outputQueueSize, bool startThread)
{
    const bool wasOpen = IsOpen();
    CSerial::Open(path, inputQueueSize, outputQueueSize, true);
    if (wasOpen || !IsOpen())
        return m_lastError;
    m_threadEvent = std::make_unique<ManualResetEvent>();
    if (startThread) {
        if (const uint32_t error = StartEventThread())
            return error;
    }
    return m_lastError;
}

uint32_t CSerialEx::Close()
{
    StopEventThread(INFINITE);
    m_threadEvent.reset();
    return CSerial::Close();
}

uint32_t CSerialEx::StartEventThread()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_thread.joinable()) {
        // std::thread reports a failed start only by throwing; it is turned into the port's
        // error value here.
        m_threadEnded = false;
        try {
            m_thread = std::thread(&CSerialEx::EventThreadMain, this);
        } catch (const std::system_error& failure) {
            return Fail(kErrorSystemFlag | static_cast<uint32_t>(failure.code().value()));
        }
    }
    return ERROR_SUCCESS;
}

uint32_t CSerialEx::StopEventThread(uint32_t /*timeoutMs*/)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_thread.joinable())
        return ERROR_SUCCESS;
    m_stopping = true;
    // A re-applied mask ends a wait in progress only; the thread may be just about to start
    // one, so the mask is re-applied until the thread has seen the flag.
    while (!m_threadEnded) {
        SetEventMask(GetEventMask());
        std::unique_lock guard(m_endLock);
        m_ended.wait_for(guard, std::chrono::milliseconds(20),
                         [this] { return m_threadEnded.load(); });
    }
    m_thread.join();
    m_stopping = false;
    m_lastError = ERROR_SUCCESS;
    return ERROR_SUCCESS;
}

void CSerialEx::EventThreadMain()
{
    // Every received byte waits for this thread's wake-up before the window hears of it.
    platform::PreferPromptWakeUps();
    RunEventLoop();
    {
        std::lock_guard guard(m_endLock);
        m_threadEnded = true;
    }
    m_ended.notify_all();
}

void CSerialEx::SetEventThreadRealtime(bool on)
{
    if (m_realtimeWanted.exchange(on) != on && m_thread.joinable())
        SetEventMask(GetEventMask());
}

void CSerialEx::FollowRealtimeWish(bool& followed)
{
    const bool wanted = m_realtimeWanted;
    if (wanted == followed)
        return;
    // A refusal is not asked again before the next change: the rights stay what they were.
    if (wanted)
        platform::RaiseToRealtime();
    else
        platform::LeaveRealtime();
    followed = wanted;
}

void CSerialEx::RunEventLoop()
{
    bool realtimeFollowed = false;
    while (!m_stopping) {
        FollowRealtimeWish(realtimeFollowed);
        m_threadEvent->Reset();
        SerialOverlapped record{m_threadEvent.get()};
        // The wait is complete when this returns (its record is signalled already), so there is
        // no pending operation to wait for afterwards.
        if (WaitForEvent(&record, INFINITE) != ERROR_SUCCESS) {
            // The wait only fails when the device is gone; say so once, or the port would
            // look connected and never receive again.
            if (!m_stopping)
                OnSerialEvent(static_cast<uint16_t>(EV_ERR), static_cast<uint16_t>(CE_IOE));
            return;
        }
        if (m_stopping)
            break;
        const uint32_t events = m_eventBits & m_eventMask;
        m_eventBits = 0;
        uint32_t errors = 0;
        if (const uint32_t error = m_handle->ClearErrors(errors)) {
            m_lastError = error;
            errors = 0;
        }
        if (events != 0)
            OnSerialEvent(static_cast<uint16_t>(events), static_cast<uint16_t>(errors));
    }
}

} // namespace wirevane
