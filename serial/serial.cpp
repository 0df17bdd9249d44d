#include "serial/serial.h"

#include "platform/utf_text.h"

#include <chrono>
#include <cstring>
#include <span>
#include <thread>
#include <vector>

namespace wirevane {

CSerial::~CSerial()
{
    if (m_handle)
        CSerial::Close();
}

uint32_t CSerial::Open(const std::u16string& path, uint32_t inputQueueSize,
                       uint32_t outputQueueSize, bool overlapped)
{
    m_lastError = ERROR_SUCCESS;
    if (m_handle)
        return Fail(ERROR_ALREADY_INITIALIZED);
    std::vector<uint8_t> utf8;
    platform::appendUtf8(path, utf8);
    uint32_t error = ERROR_SUCCESS;
    m_handle = OpenDevice(std::string(utf8.begin(), utf8.end()), error);
    if (!m_handle)
        return Fail(error);
    if (overlapped)
        m_ioEvent = std::make_unique<ManualResetEvent>();
    m_handle->SetWriteGrace(m_writeGrace);
    if (inputQueueSize != 0 || outputQueueSize != 0) {
        error = m_handle->SetQueueSizes(inputQueueSize, outputQueueSize);
        if (error != ERROR_SUCCESS) {
            Close();
            return Fail(error);
        }
    }
    SetEventMask(EV_BREAK | EV_ERR | EV_RXCHAR);
    const uint32_t maskError = m_lastError;
    SetReadMode(ReadModeNonblocking);
    if (maskError != ERROR_SUCCESS && m_lastError == ERROR_SUCCESS)
        m_lastError = maskError;
    m_deviceName = path;
    return m_lastError;
}

std::unique_ptr<platform::SerialDevice> CSerial::OpenDevice(const std::string& path,
                                                            uint32_t& error)
{
    return platform::OpenSerialDevice(path, error);
}

uint32_t CSerial::Close()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return ERROR_SUCCESS;
    m_ioEvent.reset();
    m_handle.reset();
    m_deviceName.clear();
    return ERROR_SUCCESS;
}

uint32_t CSerial::SetLineSettings(uint32_t baudRate, uint32_t dataBits, uint32_t parity,
                                  uint32_t stopBits)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    return Fail(m_handle->SetLineSettings({baudRate, dataBits, parity, stopBits}));
}

platform::LineSettingsRefusal CSerial::LastLineSettingsRefusal() const
{
    return m_handle ? m_handle->LastLineSettingsRefusal() : platform::LineSettingsRefusal{};
}

uint32_t CSerial::SetEventCharacter(uint8_t character, bool addToMask)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    if (addToMask) {
        if (const uint32_t error = SetEventMask(GetEventMask() | EV_RXFLAG))
            return error;
    }
    return Fail(m_handle->SetEventCharacter(character));
}

uint32_t CSerial::SetEventMask(uint32_t mask)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    // The mask is in place before the device wakes the event thread, or the thread's first
    // wait under the new mask could meet the old one here and drop what it found.
    const uint32_t previous = m_eventMask.exchange(mask);
    if (const uint32_t error = m_handle->SetEventMask(mask)) {
        m_eventMask = previous;
        return Fail(error);
    }
    return ERROR_SUCCESS;
}

uint32_t CSerial::CheckIo(SerialOverlapped* overlapped, uint32_t timeoutMs)
{
    if (!m_handle)
        return ERROR_INVALID_HANDLE;
    if (!m_ioEvent && (overlapped != nullptr || timeoutMs != INFINITE))
        return ERROR_INVALID_FUNCTION;
    return ERROR_SUCCESS;
}

void CSerial::Complete(SerialOverlapped* overlapped)
{
    // Operations here complete before they return; a waiter on the record must still wake.
    if (overlapped && overlapped->event)
        overlapped->event->Set();
    else if (m_ioEvent)
        m_ioEvent->Set();
}

uint32_t CSerial::WaitForEvent(SerialOverlapped* overlapped, uint32_t timeoutMs)
{
    m_lastError = ERROR_SUCCESS;
    if (const uint32_t error = CheckIo(overlapped, timeoutMs))
        return Fail(error);
    uint32_t events = 0;
    if (const uint32_t error = m_handle->WaitForEvent(events, timeoutMs))
        return Fail(error);
    m_eventBits = events;
    Complete(overlapped);
    return ERROR_SUCCESS;
}

uint32_t CSerial::SetHandshake(uint32_t mode)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    if (mode > HandshakeSoftware)
        return Fail(E_INVALIDARG);
    return Fail(m_handle->SetHandshake(mode));
}

uint32_t CSerial::SetReadMode(uint32_t mode)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    if (mode > ReadModeBlocking)
        return Fail(E_INVALIDARG);
    return Fail(m_handle->SetReadBlocking(mode == ReadModeBlocking));
}

uint32_t CSerial::ReadLineSettings(platform::LineSettings& settings)
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    return Fail(m_handle->GetLineSettings(settings));
}

uint32_t CSerial::GetBaudRate()
{
    platform::LineSettings settings;
    return ReadLineSettings(settings) ? kQueryFailed : settings.baudRate;
}

uint32_t CSerial::GetDataBits()
{
    platform::LineSettings settings;
    return ReadLineSettings(settings) ? kQueryFailed : settings.dataBits;
}

uint32_t CSerial::GetParity()
{
    platform::LineSettings settings;
    return ReadLineSettings(settings) ? kQueryFailed : settings.parity;
}

uint32_t CSerial::GetStopBits()
{
    platform::LineSettings settings;
    return ReadLineSettings(settings) ? kQueryFailed : settings.stopBits;
}

uint32_t CSerial::GetHandshake()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle) {
        Fail(ERROR_INVALID_HANDLE);
        return kQueryFailed;
    }
    uint32_t mode = 0;
    if (Fail(m_handle->GetHandshake(mode)))
        return kQueryFailed;
    return mode;
}

uint32_t CSerial::GetEventMask()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle) {
        Fail(ERROR_INVALID_HANDLE);
        return 0;
    }
    return m_eventMask;
}

uint8_t CSerial::GetEventCharacter()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle) {
        Fail(ERROR_INVALID_HANDLE);
        return 0;
    }
    uint8_t character = 0;
    if (Fail(m_handle->GetEventCharacter(character)))
        return 0;
    return character;
}

uint32_t CSerial::Write(const char* text, uint32_t* written, SerialOverlapped* overlapped,
                        uint32_t timeoutMs)
{
    return Write(text, static_cast<uint32_t>(std::strlen(text)), written, overlapped, timeoutMs);
}

uint32_t CSerial::Write(const void* buffer, uint32_t count, uint32_t* written,
                        SerialOverlapped* overlapped, uint32_t timeoutMs)
{
    uint32_t localCount = 0;
    uint32_t& out = written ? *written : localCount;
    out = 0;
    m_lastError = ERROR_SUCCESS;
    if (const uint32_t error = CheckIo(overlapped, timeoutMs))
        return Fail(error);
    std::size_t done = 0;
    const uint32_t error =
        m_handle->Write(std::span(static_cast<const uint8_t*>(buffer), count), done, timeoutMs);
    out = static_cast<uint32_t>(done);
    if (error)
        return Fail(error);
    Complete(overlapped);
    return ERROR_SUCCESS;
}

uint32_t CSerial::QueueWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    const uint32_t error = Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    if (done)
        done(error);
    return error;
}

void CSerial::SetWriteGrace(std::chrono::milliseconds grace)
{
    m_writeGrace = grace;
    if (m_handle)
        m_handle->SetWriteGrace(grace);
}

uint32_t CSerial::Read(void* buffer, uint32_t size, uint32_t* read, SerialOverlapped* overlapped,
                       uint32_t timeoutMs)
{
    uint32_t localCount = 0;
    uint32_t& out = read ? *read : localCount;
    out = 0;
    m_lastError = ERROR_SUCCESS;
    if (const uint32_t error = CheckIo(overlapped, timeoutMs))
        return Fail(error);
    std::size_t done = 0;
    const uint32_t error =
        m_handle->Read(std::span(static_cast<uint8_t*>(buffer), size), done, timeoutMs);
    out = static_cast<uint32_t>(done);
    if (error)
        return Fail(error);
    Complete(overlapped);
    return ERROR_SUCCESS;
}

void CSerial::SendBreak()
{
    m_lastError = ERROR_SUCCESS;
    if (!m_handle) {
        Fail(ERROR_INVALID_HANDLE);
        return;
    }
    m_handle->SetBreak(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    m_handle->SetBreak(false);
}

uint32_t CSerial::GetModemStatus(uint32_t& status)
{
    status = 0;
    m_lastError = ERROR_SUCCESS;
    if (!m_handle)
        return Fail(ERROR_INVALID_HANDLE);
    return Fail(m_handle->GetModemStatus(status));
}

bool CSerial::IsCtsOn()
{
    uint32_t status = 0;
    return GetModemStatus(status) == ERROR_SUCCESS && (status & MS_CTS_ON);
}

bool CSerial::IsDsrOn()
{
    uint32_t status = 0;
    return GetModemStatus(status) == ERROR_SUCCESS && (status & MS_DSR_ON);
}

bool CSerial::IsRlsdOn()
{
    uint32_t status = 0;
    return GetModemStatus(status) == ERROR_SUCCESS && (status & MS_RLSD_ON);
}

} // namespace wirevane
