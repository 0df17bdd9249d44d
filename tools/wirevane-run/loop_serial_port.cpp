#include "tools/wirevane-run/loop_serial_port.h"

namespace wirevane::runner {

LoopSerialPort::~LoopSerialPort()
{
    LoopSerialPort::Close();
}

uint32_t LoopSerialPort::Open(const std::u16string& path, Handler handler)
{
    if (IsOpen()) {
        m_lastError = ERROR_ALREADY_INITIALIZED;
        return ERROR_ALREADY_INITIALIZED;
    }
    m_target = std::make_unique<platform::LoopMessageTarget>(m_loop, std::move(handler));
    const uint32_t error = CSerialWnd::Open(path, m_target.get());
    if (!IsOpen())
        m_target.reset();
    else
        m_writer = std::make_unique<SerialWriter>(*m_handle);
    return error;
}

uint32_t LoopSerialPort::Close()
{
    // Joined before the device goes; what it still held ends as cancelled.
    m_writer.reset();
    const uint32_t result = CSerialWnd::Close();
    m_target.reset();
    return result;
}

uint32_t LoopSerialPort::QueueWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_writer) {
        if (done)
            done(ERROR_INVALID_HANDLE);
        return Fail(ERROR_INVALID_HANDLE);
    }
    platform::WaitLoop& loop = m_loop;
    const auto finished =
        m_writer->WriteOrQueue({bytes.begin(), bytes.end()}, [&loop, done](uint32_t error) {
            if (done)
                loop.Post([done, error] { done(error); });
        });
    if (!finished)
        return ERROR_SUCCESS;
    if (done)
        done(*finished);
    return *finished ? Fail(*finished) : ERROR_SUCCESS;
}

void LoopSerialPort::CancelWrites()
{
    if (m_writer)
        m_writer->CancelAll();
}

} // namespace wirevane::runner
