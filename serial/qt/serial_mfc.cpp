#include "serial/qt/serial_mfc.h"

namespace wirevane {

CSerialMFC::~CSerialMFC()
{
    CSerialMFC::Close();
}

uint32_t CSerialMFC::Open(const std::u16string& path, QObject* window, uint32_t message,
                          intptr_t messageParam, uint32_t inputQueueSize, uint32_t outputQueueSize)
{
    if (IsOpen()) {
        m_lastError = ERROR_ALREADY_INITIALIZED;
        return ERROR_ALREADY_INITIALIZED;
    }
    m_target = window ? std::make_unique<platform::QtMessageTarget>(window) : nullptr;
    const uint32_t error = CSerialWnd::Open(path, m_target.get(), message, messageParam,
                                            inputQueueSize, outputQueueSize);
    if (!IsOpen())
        m_target.reset();
    return error;
}

uint32_t CSerialMFC::Close()
{
    const uint32_t result = CSerialWnd::Close();
    m_target.reset();
    return result;
}

} // namespace wirevane
