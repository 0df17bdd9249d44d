#include "serial/serial_wnd.h"

namespace wirevane {

CSerialWnd::~CSerialWnd()
{
    if (m_thread.joinable()) {
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

} // namespace wirevane
