#include "serial/serial.h"

#include "platform/usb_latency.h"

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
    m_handle = OpenDevice(std::filesystem::path(path), m_openError);
    if (!m_handle)
        return Fail(m_openError.code);
    if (overlapped)
        m_ioEvent = std::make_unique<ManualResetEvent>();
    m_handle->SetWriteGrace(m_writeGrace);
    if (m_lowLatency)
        m_handle->SetLowLatency(true);
    if (inputQueueSize != 0 || outputQueueSize != 0) {
        const uint32_t error = m_handle->SetQueueSizes(inputQueueSize, outputQueueSize);
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

std::unique_ptr<platform::SerialDevice> CSerial::OpenDevice(const std::filesystem::path& path,
                                                            platform::PortOpenError& error)
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
    return OnDevice([&](platform::SerialDevice& device) {
        return device.SetLineSettings({baudRate, dataBits, parity, stopBits});
    });
}

platform::LineSettingsRefusal CSerial::LastLineSettingsRefusal() const
{
    return m_handle ? m_handle->LastLineSettingsRefusal() : platform::LineSettingsRefusal{};
}

uint32_t CSerial::SetEventCharacter(uint8_t character, bool addToMask)
{
    return OnDevice([&](platform::SerialDevice& device) {
        if (addToMask) {
            if (const uint32_t error = SetEventMask(GetEventMask() | EV_RXFLAG))
                return error;
        }
        return device.SetEventCharacter(character);
    });
}

uint32_t CSerial::SetEventMask(uint32_t mask)
{
    return OnDevice([&](platform::SerialDevice& device) {
        // The mask is in place before the device wakes the event thread, or the thread's
        // first wait under the new mask could meet the old one here and drop what it found.
        const uint32_t previous = m_eventMask.exchange(mask);
        const uint32_t error = device.SetEventMask(mask);
        if (error != ERROR_SUCCESS)
            m_eventMask = previous;
        return error;
    });
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
    return OnDevice([&](platform::SerialDevice& device) {
        return mode > HandshakeSoftware ? E_INVALIDARG : device.SetHandshake(mode);
    });
}

uint32_t CSerial::SetReadMode(uint32_t mode)
{
    return OnDevice([&](platform::SerialDevice& device) {
        return mode > ReadModeBlocking ? E_INVALIDARG
                                       : device.SetReadBlocking(mode == ReadModeBlocking);
    });
}

uint32_t CSerial::ReadLineSettings(platform::LineSettings& settings)
{
    return OnDevice(
        [&](platform::SerialDevice& device) { return device.GetLineSettings(settings); });
}

uint32_t CSerial::ReadLineSetting(uint32_t platform::LineSettings::*field)
{
    platform::LineSettings settings;
    return ReadLineSettings(settings) ? kQueryFailed : settings.*field;
}

uint32_t CSerial::GetBaudRate()
{
    return ReadLineSetting(&platform::LineSettings::baudRate);
}

uint32_t CSerial::GetDataBits()
{
    return ReadLineSetting(&platform::LineSettings::dataBits);
}

uint32_t CSerial::GetParity()
{
    return ReadLineSetting(&platform::LineSettings::parity);
}

uint32_t CSerial::GetStopBits()
{
    return ReadLineSetting(&platform::LineSettings::stopBits);
}

uint32_t CSerial::GetHandshake()
{
    uint32_t mode = 0;
    const uint32_t error =
        OnDevice([&](platform::SerialDevice& device) { return device.GetHandshake(mode); });
    return error ? kQueryFailed : mode;
}

uint32_t CSerial::GetEventMask()
{
    const uint32_t error = OnDevice([](platform::SerialDevice&) { return ERROR_SUCCESS; });
    return error ? 0 : m_eventMask.load();
}

uint8_t CSerial::GetEventCharacter()
{
    uint8_t character = 0;
    const uint32_t error = OnDevice(
        [&](platform::SerialDevice& device) { return device.GetEventCharacter(character); });
    return error ? 0 : character;
}

uint32_t CSerial::Write(const char* text, uint32_t* written, SerialOverlapped* overlapped,
                        uint32_t timeoutMs)
{
    return Write(text, static_cast<uint32_t>(std::strlen(text)), written, overlapped, timeoutMs);
}

uint32_t CSerial::Write(const void* buffer, uint32_t count, uint32_t* written,
                        SerialOverlapped* overlapped, uint32_t timeoutMs)
{
    return RunTransfer(
        written, overlapped, timeoutMs, [&](platform::SerialDevice& device, std::size_t& done) {
            return device.Write(std::span(static_cast<const uint8_t*>(buffer), count), done,
                                timeoutMs);
        });
}

// By value, as the overrides that keep the completion for later take it.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
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

void CSerial::SetLowLatency(bool on)
{
    if (m_lowLatency == on)
        return;
    m_lowLatency = on;
    if (m_handle)
        m_handle->SetLowLatency(on);
}

std::optional<uint32_t> CSerial::UsbLatencyTimerMs() const
{
    if (!m_handle)
        return std::nullopt;
    return platform::UsbLatencyTimerMs(std::filesystem::path(m_deviceName));
}

uint32_t CSerial::Read(void* buffer, uint32_t size, uint32_t* read, SerialOverlapped* overlapped,
                       uint32_t timeoutMs)
{
    return RunTransfer(
        read, overlapped, timeoutMs, [&](platform::SerialDevice& device, std::size_t& done) {
            return device.Read(std::span(static_cast<uint8_t*>(buffer), size), done, timeoutMs);
        });
}

void CSerial::SendBreak()
{
    OnDevice([](platform::SerialDevice& device) {
        device.SetBreak(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        device.SetBreak(false);
        return ERROR_SUCCESS;
    });
}

uint32_t CSerial::GetModemStatus(uint32_t& status)
{
    status = 0;
    return OnDevice([&](platform::SerialDevice& device) { return device.GetModemStatus(status); });
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
