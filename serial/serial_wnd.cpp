#include "serial/serial_wnd.h"

namespace wirevane {

CSerialWnd::~CSerialWnd()
{
    if (m_thread.joinable()) {
        StopOwnerReading();
        m_window = nullptr;
        CSerialWnd::Close();
    }
}

uint32_t CSerialWnd::DefaultComMessage()
{
    static const uint32_t id = platform::RegisterMessageName(u"CSerialWnd_DefaultComMsg");
    return id;
}

uint32_t CSerialWnd::Open(const std::u16string& path, platform::MessageTarget* window,
                          uint32_t message, intptr_t messageParam, uint32_t inputQueueSize,
                          uint32_t outputQueueSize)
{
    if (const uint32_t error = CSerialEx::Open(path, inputQueueSize, outputQueueSize, false))
        return error;
    m_window = window;
    m_message = message != 0 ? message : DefaultComMessage();
    m_messageParam = messageParam;
    if (const uint32_t error = StartEventThread()) {
        Close();
        return Fail(error);
    }
    m_lastError = ERROR_SUCCESS;
    return ERROR_SUCCESS;
}

uint32_t CSerialWnd::Close()
{
    StopOwnerReading();
    m_window = nullptr;
    m_message = 0;
    return CSerialEx::Close();
}

void CSerialWnd::OnSerialEvent(uint16_t events, uint16_t errors)
{
    platform::MessageTarget* target = m_window;
    if (target)
        target->Post(m_message, (uintptr_t{errors} << 16) | events, m_messageParam);
}

void CSerialWnd::SetOwnerReadsWhile(std::function<bool()> awaitsAnswer)
{
    m_awaitsAnswer = std::move(awaitsAnswer);
    FollowOwnerAwaiting();
}

bool CSerialWnd::OwnerMayRead() const
{
    return m_awaitsAnswer && m_window && m_handle && m_thread.joinable() && !m_threadEnded &&
           (m_eventMask & (EV_RXCHAR | EV_RXFLAG)) != 0 && m_handle->ReceiveDescriptor() >= 0 &&
           m_awaitsAnswer();
}

void CSerialWnd::FollowOwnerAwaiting()
{
    m_ownerDrained = 0;
    const bool wanted = OwnerMayRead();
    if (wanted && !m_ownerReading)
        StartOwnerReading();
    else if (!wanted && m_ownerReading)
        StopOwnerReading();
}

void CSerialWnd::StartOwnerReading()
{
    platform::MessageTarget* target = m_window;
    if (!target->WatchReadable(m_handle->ReceiveDescriptor(), [this] { OnOwnerReadable(); }))
        return;
    m_ownerReading = true;
    m_handle->LeaveReceivingToOwner(true);
}

void CSerialWnd::StopOwnerReading()
{
    if (!m_ownerReading)
        return;
    m_ownerReading = false;
    m_handle->LeaveReceivingToOwner(false);
    if (platform::MessageTarget* target = m_window)
        target->Unwatch();
}

// Woken while nothing is awaited any more, the owner hands the bytes to the event thread, which
// drains them as soon as it lets go of the watch. An answer is short: drains that add up to a
// flood since the owner last wrote hand the rest of it to the event thread as well, which drains
// it on another core while the owner shows what came; the owner takes the reading back when it
// next writes. Sending is the last thing done: the message's receiver may close the port.
void CSerialWnd::OnOwnerReadable()
{
    if (!OwnerMayRead()) {
        StopOwnerReading();
        return;
    }
    uint32_t events = 0;
    std::size_t count = 0;
    const bool present = m_handle->TakeReceived(events, count);
    m_ownerDrained += count;
    if (!present || m_ownerDrained >= kFloodBytes)
        StopOwnerReading();
    events &= m_eventMask;
    if (events == 0)
        return;
    uint32_t errors = 0;
    if (const uint32_t error = m_handle->ClearErrors(errors)) {
        m_lastError = error;
        errors = 0;
    }
    platform::MessageTarget* target = m_window;
    target->Send(m_message, (uintptr_t{errors} << 16) | events, m_messageParam);
}

} // namespace wirevane
