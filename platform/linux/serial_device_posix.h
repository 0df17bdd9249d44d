#pragma once

#include "platform/linux/termios_control.h"
#include "platform/serial_device.h"
#include "platform/serial_line_events.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace wirevane::platform {

// A tty device through termios. The kernel has no event character and no "received since the
// last wait" edge, so the event wait drains received bytes into this object's own input queue
// and reports EV_RXCHAR / EV_RXFLAG for the bytes it took; Read serves that queue first.
//
// How each event bit is detected:
//   EV_RXCHAR  bytes drained by the wait (every driver).
//   EV_RXFLAG  the event character among them (every driver; termios has no event character).
//              While the owner receives (LeaveReceivingToOwner), its TakeReceived drains and
//              tells both instead.
//   EV_TXEMPTY TIOCOUTQ reaching 0 after a write (every driver). It counts the kernel's
//              buffer: a UART may still be shifting out its FIFO's last bytes. A pty always
//              answers 0, so there it fires as soon as the write returns.
//   EV_CTS, EV_DSR, EV_RLSD, EV_RING
//              TIOCGICOUNT counters where the driver keeps them (8250/16550, and the USB
//              serial drivers that report modem status: ftdi_sio, pl2303, cp210x, ch341;
//              cdc_acm has no CTS notification); otherwise TIOCMGET snapshots; a pty has
//              neither. Looked at every 20 ms while the mask asks for them, because
//              TIOCMIWAIT cannot be woken by the stop request.
//   EV_BREAK, EV_ERR with CE_BREAK, CE_FRAME, CE_RXPARITY, CE_OVERRUN, CE_RXOVER
//              the same counters: the 8250 counts all of them; USB adapters only what their
//              chip reports in its status (ftdi_sio and pl2303 report breaks, framing,
//              parity and overrun errors; others fewer); a pty none.
class PosixSerialDevice final : public SerialDevice {
public:
    // Takes ownership of the descriptors.
    PosixSerialDevice(int fd, int wakeFd, int dataFd, const TtyControl& original);
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    uint32_t SetQueueSizes(uint32_t inputSize, uint32_t outputSize) override;
    uint32_t GetLineSettings(LineSettings& settings) override;
    uint32_t SetLineSettings(const LineSettings& settings) override;
    LineSettingsRefusal LastLineSettingsRefusal() const override { return m_refusal; }
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
    uint32_t WriteWithoutWaiting(std::span<const uint8_t> bytes,
                                 std::size_t& bytesWritten) override;
    void SetWriteGrace(std::chrono::milliseconds grace) override;
    void CancelWrite() override;
    void ClearWriteCancel() override;
    uint32_t GetModemStatus(uint32_t& status) override;
    uint32_t SetBreak(bool on) override;
    uint32_t SetLowLatency(bool on) override;
    int ReceiveDescriptor() const override { return m_fd; }
    void LeaveReceivingToOwner(bool on) override;
    bool TakeReceived(uint32_t& events, std::size_t& count) override;

private:
    enum class LineWatch { None, Counters, ModemLines };
    using Clock = std::chrono::steady_clock;

    uint32_t ReadControl(TtyControl& control) const;
    // Writes the wanted control and keeps it when what reads back passes the check; otherwise
    // the control from before is written back. A refused call's system text goes to
    // refusedCallText when given.
    uint32_t ApplyChecked(const TtyControl& wanted,
                          const std::function<bool(const TtyControl&)>& kept,
                          std::string* refusedCallText = nullptr);
    void CollectLineChanges();
    // Moves what the device holds into the input queue, adding to count; false when the device
    // is gone.
    bool DrainIntoQueue(uint32_t& events, std::size_t& count);
    std::size_t TakeFromQueue(std::span<uint8_t> buffer);
    // Hands the driver what it takes now, from bytesWritten on; the errno of a failure other
    // than a full buffer, else 0.
    int PutWhatFits(std::span<const uint8_t> bytes, std::size_t& bytesWritten);
    // A finished write arms EV_TXEMPTY when the mask asks for it.
    void NoteWritten(std::size_t bytesWritten);
    void Signal(int eventFd);
    std::chrono::microseconds CharacterTime() const;

    int m_fd;
    int m_wakeFd;   // written to end or re-run a pending wait
    int m_dataFd;   // written when the wait has queued bytes, for a blocking Read
    int m_cancelFd; // written to end a write that waits for the line
    TtyControl m_original;
    std::optional<int> m_originalSerialFlags; // read by the first low-latency request
    LineSettingsRefusal m_refusal;            // window thread only
    LineWatch m_watch = LineWatch::None;

    std::mutex m_inputLock;
    std::deque<uint8_t> m_input;
    std::size_t m_inputLimit = 64 * 1024;

    std::mutex m_lineLock;
    LineCounters m_counters;
    uint32_t m_modemLines = 0;

    std::atomic<uint32_t> m_mask{0};
    std::atomic<uint64_t> m_maskGeneration{0};
    std::atomic<uint8_t> m_eventCharacter{0};
    std::atomic<bool> m_blocking{false};
    std::atomic<bool> m_txPending{false};
    std::atomic<bool> m_ownerReceives{false};
    std::atomic<bool> m_lostByOwner{false}; // the owner's drain found the device gone
    std::atomic<uint32_t> m_pendingEvents{0};
    std::atomic<uint32_t> m_errors{0};
    std::atomic<uint32_t> m_requestedBaud{0};
    std::atomic<uint32_t> m_acceptedBaud{0};
    std::atomic<int64_t> m_characterMicros{1042}; // 10 bits at 9600 baud
    std::atomic<int64_t> m_writeGraceMs{5000};
    std::atomic<bool> m_writeCancelled{false};
};

} // namespace wirevane::platform
