#include "connection/main_port.h"

namespace wirevane {

uint32_t MainPort::Open(const std::u16string& path, QObject* window, uint32_t message,
                        intptr_t messageParam, uint32_t inputQueueSize, uint32_t outputQueueSize)
{
    const uint32_t error =
        QtSerialPort::Open(path, window, message, messageParam, inputQueueSize, outputQueueSize);
    // A port whose set-up failed after opening is open all the same.
    m_openPath = IsOpen() ? path : std::u16string();
    return error;
}

uint32_t MainPort::Close()
{
    m_openPath.clear();
    return CSerialMFC::Close();
}

uint32_t MainPort::SetLineSettings(uint32_t baudRate, uint32_t dataBits, uint32_t parity,
                                   uint32_t stopBits)
{
    const uint32_t error = CSerialMFC::SetLineSettings(baudRate, dataBits, parity, stopBits);
    if (error == 0)
        m_line.settings = {baudRate, dataBits, parity, stopBits};
    return error;
}

uint32_t MainPort::SetHandshake(uint32_t mode)
{
    const uint32_t error = CSerialMFC::SetHandshake(mode);
    if (error == 0)
        m_line.handshake = mode;
    return error;
}

uint32_t MainPort::SetEventMask(uint32_t mask)
{
    const uint32_t error = CSerialMFC::SetEventMask(mask);
    if (error == 0)
        m_line.eventMask = mask;
    return error;
}

uint32_t MainPort::SetEventCharacter(uint8_t character, bool addToMask)
{
    const uint32_t error = CSerialMFC::SetEventCharacter(character, addToMask);
    if (error == 0)
        m_line.eventCharacter = character;
    return error;
}

void MainPort::RememberLine()
{
    if (!IsOpen())
        return;
    if (platform::LineSettings settings; ReadLineSettings(settings) == 0)
        m_line.settings = settings;
    if (const uint32_t mode = GetHandshake(); mode != kQueryFailed)
        m_line.handshake = mode;
    m_line.eventMask = GetEventMask();
    m_line.eventCharacter = GetEventCharacter();
}

uint32_t MainPort::RestoreLine(const SerialLine& line)
{
    const std::optional<LineRefusal> refusal = ChangeSerialLine(*this, line);
    return refusal ? refusal->error : 0;
}

} // namespace wirevane
