#pragma once

// Before windows.h: its macros of the same names (ERROR_SUCCESS, EV_RXCHAR, ...) would turn the
// declarations of the port's value set into nonsense. Code after it sees the macros, which
// have the same values.
#include "platform/serial_codes.h"
#include "platform/serial_device.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <windows.h>

namespace wirevane::platform {

// A COM port through the Win32 comm API, opened for overlapped I/O.
//
// Received bytes reach the program through the event wait: it looks for them every 2 ms with a
// read that returns at once, puts what it gets into this object's input queue and reports
// EV_RXCHAR / EV_RXFLAG for it, and Read serves that queue first. The other events come from
// WaitCommEvent, kept pending meanwhile; a driver that refuses WaitCommEvent (wine's serial
// layer does) still delivers every received byte, only the modem-line, break and error events
// are then not seen. EV_TXEMPTY is reported when a write has been taken by the driver.
class Win32SerialDevice final : public SerialDevice {
public:
    // Takes ownership of the handle.
    explicit Win32SerialDevice(HANDLE port);
    ~Win32SerialDevice() override;
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

    // Puts the port in the state OpenSerialDevice promises; the error value on failure.
    uint32_t Initialise();

    uint32_t SetQueueSizes(uint32_t inputSize, uint32_t outputSize) override;
    uint32_t GetLineSettings(LineSettings& settings) override;
    uint32_t SetLineSettings(const LineSettings& settings) override;
    uint32_t GetHandshake(uint32_t& mode) override;
    uint32_t SetHandshake(uint32_t mode) override;
    uint32_t GetEventCharacter(uint8_t& character) override;
    uint32_t SetEventCharacter(uint8_t character) override;
    uint32_t SetEventMask(uint32_t mask) override;
    uint32_t WaitForEvent(uint32_t& events, uint32_t timeoutMs) override;
    uint32_t ClearErrors(uint32_t& errors) override;
    uint32_t SetReadBlocking(bool blocking) override;
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead, uint32_t timeoutMs) override;
    uint32_t Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten,
                   uint32_t timeoutMs) override;
    void SetWriteGrace(std::chrono::milliseconds grace) override;
    void CancelWrite() override;
    void ClearWriteCancel() override;
    uint32_t GetModemStatus(uint32_t& status) override;
    uint32_t SetBreak(bool on) override;

private:
    using Clock = std::chrono::steady_clock;

    // Changes the DCB, writes it and reads it back: ERROR_INVALID_PARAMETER when the driver did
    // not keep what check compares.
    template <typename Change, typename Check> uint32_t ApplyChecked(Change change, Check check);
    uint32_t ReadState(DCB& dcb);
    // Moves what the driver holds into the queue; the events that makes are added to events.
    // full tells that the queue had no room, so nothing was taken.
    uint32_t TakeWhatArrived(uint32_t& events, bool& full);
    uint32_t ReadAtOnce(uint8_t* buffer, DWORD size, DWORD& got);
    void StartCommWait();
    std::size_t TakeFromQueue(std::span<uint8_t> buffer);
    std::chrono::microseconds CharacterTime() const;

    HANDLE m_port;
    HANDLE m_wake;                // set to end or re-run a pending wait
    HANDLE m_cancel;              // set to end a write that waits for the line
    HANDLE m_readEvent = nullptr; // of the reads, made one at a time under m_inputLock
    uint8_t m_drainBuffer[4096];
    OVERLAPPED m_commWait{};
    DWORD m_commEvents = 0;
    bool m_commWaiting = false;
    // WaitCommEvent refused once: the driver has none, do not ask again.
    bool m_commWaitUnavailable = false;
    bool m_gone = false;

    std::mutex m_inputLock;
    std::deque<uint8_t> m_input;
    std::size_t m_inputLimit = 64 * 1024;

    std::atomic<uint32_t> m_mask{0};
    std::atomic<uint8_t> m_eventCharacter{0};
    std::atomic<bool> m_blocking{false};
    std::atomic<bool> m_txPending{false};
    std::atomic<uint32_t> m_errors{0};
    std::atomic<int64_t> m_characterMicros{1042}; // 10 bits at 9600 baud
    std::atomic<int64_t> m_writeGraceMs{5000};
    std::atomic<bool> m_writeCancelled{false};
};

} // namespace wirevane::platform
