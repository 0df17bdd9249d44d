#pragma once

#include "platform/serial_codes.h"
#include "platform/serial_device.h"
#include "serial/manual_reset_event.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace wirevane {

// One serial port. Every operation sets m_lastError to 0, does its work, keeps any failure in
// m_lastError and returns it (0 = success); queries return their value and leave the failure
// in m_lastError (0xFFFFFFFF, or 0 for the mask and the event character, when the device
// cannot be read). Error values are the Windows ones (platform/serial_codes.h) on every
// platform. Settings live in the device: they are lost on Close and applied again after Open.
//
// Two threads may use one object: the window thread for everything, and an event thread
// (CSerialEx) for WaitForEvent only. Nothing throws.
class CSerial {
public:
    CSerial() = default;
    virtual ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // path: the device path (see platform/port_enumeration.h for a port name's path). Queue
    // sizes of 0 leave the driver's. After Open: mask EV_BREAK | EV_ERR | EV_RXCHAR, reads
    // non-blocking, 9600 baud 8N1 without flow control.
    virtual uint32_t Open(const std::u16string& path, uint32_t inputQueueSize = 0,
                          uint32_t outputQueueSize = 0, bool overlapped = false);
    virtual uint32_t Close();
    // What the system said about the last Open that failed to get a device, from the failing
    // call itself; empty after one that got it.
    const platform::PortOpenError& LastOpenError() const { return m_openError; }
    virtual uint32_t SetLineSettings(uint32_t baudRate, uint32_t dataBits, uint32_t parity,
                                     uint32_t stopBits);
    // The driver's own answer to the last SetLineSettings it refused (see the platform's
    // LineSettingsRefusal); empty while closed.
    platform::LineSettingsRefusal LastLineSettingsRefusal() const;
    virtual uint32_t SetEventCharacter(uint8_t character, bool addToMask = true);
    virtual uint32_t SetEventMask(uint32_t mask);
    virtual uint32_t WaitForEvent(SerialOverlapped* overlapped = nullptr,
                                  uint32_t timeoutMs = INFINITE);
    virtual uint32_t SetHandshake(uint32_t mode);
    virtual uint32_t SetReadMode(uint32_t mode);
    uint32_t ReadLineSettings(platform::LineSettings& settings);
    virtual uint32_t GetBaudRate();
    virtual uint32_t GetDataBits();
    virtual uint32_t GetParity();
    virtual uint32_t GetStopBits();
    virtual uint32_t GetHandshake();
    virtual uint32_t GetEventMask();
    virtual uint8_t GetEventCharacter();
    virtual uint32_t Write(const char* text, uint32_t* written = nullptr,
                           SerialOverlapped* overlapped = nullptr, uint32_t timeoutMs = INFINITE);
    virtual uint32_t Write(const void* buffer, uint32_t count, uint32_t* written = nullptr,
                           SerialOverlapped* overlapped = nullptr, uint32_t timeoutMs = INFINITE);
    virtual uint32_t Read(void* buffer, uint32_t size, uint32_t* read = nullptr,
                          SerialOverlapped* overlapped = nullptr, uint32_t timeoutMs = INFINITE);

    // 0 once every byte is out, otherwise the port's error (ERROR_OPERATION_ABORTED when
    // cancelled or closed first).
    using WriteDone = std::function<void(uint32_t error)>;
    // Writes behind every block queued before and calls done exactly once. This port writes
    // before it returns and calls done at once; one with a writer thread returns at once. The
    // answer is the error known at once, 0 otherwise.
    virtual uint32_t QueueWrite(std::span<const uint8_t> bytes, WriteDone done);
    // Ends the queued blocks and the one being written with ERROR_OPERATION_ABORTED.
    virtual void CancelWrites() {}
    // The bytes of queued blocks and of the one being written; this port has none.
    virtual std::size_t BytesNotOut() { return 0; }
    // How long past the bytes' own line time a write may be held back before it fails with
    // ERROR_TIMEOUT; five seconds unless set. Kept across Close and Open.
    void SetWriteGrace(std::chrono::milliseconds grace);
    // Whether a USB adapter is asked to hand over received bytes at once instead of after its
    // latency timer (see SerialDevice::SetLowLatency); on unless set. Kept across Close and
    // Open. A driver's refusal is no failure: the port works as before, only slower to answer.
    void SetLowLatency(bool on);
    // The latency timer of the open port's USB adapter as the system reports it now; nothing
    // while closed or for a device that has none.
    std::optional<uint32_t> UsbLatencyTimerMs() const;

    bool IsOpen() const { return m_handle != nullptr; }
    uint32_t GetLastErrorCode() const { return m_lastError; }
    const std::u16string& DeviceName() const { return m_deviceName; }
    // Holds a break on the line for 100 ms; the caller blocks meanwhile.
    void SendBreak();
    // The modem status word (MS_CTS_ON, MS_DSR_ON, MS_RING_ON, MS_RLSD_ON); a device without
    // modem lines answers 0.
    uint32_t GetModemStatus(uint32_t& status);
    bool IsCtsOn();
    bool IsDsrOn();
    bool IsRlsdOn();

protected:
    // Where Open gets its device: the system's. Tests stand in a device with modem lines and
    // line errors, which a pseudo-terminal does not have.
    virtual std::unique_ptr<platform::SerialDevice> OpenDevice(const std::filesystem::path& path,
                                                               platform::PortOpenError& error);

    uint32_t Fail(uint32_t error)
    {
        m_lastError = error;
        return error;
    }
    // One operation on the open device: clears the last error, answers ERROR_INVALID_HANDLE
    // without a device, otherwise what the operation answers; either is kept as the last error.
    template <class Operation> uint32_t OnDevice(Operation operation)
    {
        m_lastError = ERROR_SUCCESS;
        if (!m_handle)
            return Fail(ERROR_INVALID_HANDLE);
        return Fail(operation(*m_handle));
    }
    // The shared checks of the waiting operations: 0 to go ahead, otherwise the error.
    uint32_t CheckIo(SerialOverlapped* overlapped, uint32_t timeoutMs);
    void Complete(SerialOverlapped* overlapped);
    // A read or a write through the shared checks; count (when given) gets how many bytes the
    // transfer moved, also when it failed part way.
    template <class Transfer>
    uint32_t RunTransfer(uint32_t* count, SerialOverlapped* overlapped, uint32_t timeoutMs,
                         Transfer transfer)
    {
        uint32_t localCount = 0;
        uint32_t& out = count ? *count : localCount;
        out = 0;
        m_lastError = ERROR_SUCCESS;
        if (const uint32_t error = CheckIo(overlapped, timeoutMs))
            return Fail(error);
        std::size_t done = 0;
        const uint32_t error = transfer(*m_handle, done);
        out = static_cast<uint32_t>(done);
        if (error)
            return Fail(error);
        Complete(overlapped);
        return ERROR_SUCCESS;
    }
    // One field of the line settings as read now, or kQueryFailed.
    uint32_t ReadLineSetting(uint32_t platform::LineSettings::*field);

    std::u16string m_deviceName;
    std::atomic<uint32_t> m_lastError{0};
    std::unique_ptr<platform::SerialDevice> m_handle;
    uint32_t m_eventBits = 0;
    std::atomic<uint32_t> m_eventMask{0};
    std::unique_ptr<ManualResetEvent> m_ioEvent;
    platform::PortOpenError m_openError;
    std::chrono::milliseconds m_writeGrace{5000};
    bool m_lowLatency = true;
};

} // namespace wirevane
