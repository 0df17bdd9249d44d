#pragma once

#include "platform/line_settings.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace wirevane::platform {

// What the driver answered when it last refused line settings, for the user to read: the
// system's words for a call it refused, or the rate it set in place of the one asked for. Both
// empty when the last change succeeded or was refused for another reason.
struct LineSettingsRefusal {
    std::string systemText;
    uint32_t driverBaudRate = 0;
};

// One open serial device, held without sharing. Every operation returns a value of the port
// error set (serial_codes.h), 0 for success. Settings live in the device and are read back
// after each change, so a setting the driver does not keep is reported as rejected (87).
//
// Thread use: one thread may sit in WaitForEvent while another configures, reads and writes;
// SetEventMask ends a wait in progress (with no events), as the Windows comm API does; a wait
// that starts after it is not affected.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Queue sizes are a request; a driver that keeps fixed queues ignores them.
    virtual uint32_t SetQueueSizes(uint32_t inputSize, uint32_t outputSize) = 0;

    virtual uint32_t GetLineSettings(LineSettings& settings) = 0;
    virtual uint32_t SetLineSettings(const LineSettings& settings) = 0;
    virtual LineSettingsRefusal LastLineSettingsRefusal() const { return {}; }

    // HandshakeOff, HandshakeHardware or HandshakeSoftware; other values are 87.
    virtual uint32_t GetHandshake(uint32_t& mode) = 0;
    virtual uint32_t SetHandshake(uint32_t mode) = 0;

    virtual uint32_t GetEventCharacter(uint8_t& character) = 0;
    virtual uint32_t SetEventCharacter(uint8_t character) = 0;

    // Replaces the watched events and ends a WaitForEvent in progress.
    virtual uint32_t SetEventMask(uint32_t mask) = 0;
    // Blocks until an event of the mask happens (events = the bits seen, possibly 0 when the
    // mask was re-applied) or the time-out passes (1460). A device that is gone answers
    // ERROR_IO_DEVICE.
    virtual uint32_t WaitForEvent(uint32_t& events, uint32_t timeoutMs) = 0;
    // Takes the line-error bits collected since the last call.
    virtual uint32_t ClearErrors(uint32_t& errors) = 0;

    // Non-blocking: a read returns what is buffered. Blocking: it waits for the full count.
    virtual uint32_t SetReadBlocking(bool blocking) = 0;
    virtual uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead,
                          uint32_t timeoutMs) = 0;
    // Returns once the driver has taken every byte. A write held back by flow control for
    // longer than the bytes need at the current baud rate plus the write grace (or than a
    // finite time-out) returns 1460 and the unsent bytes are dropped.
    virtual uint32_t Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten,
                           uint32_t timeoutMs) = 0;
    // Hands the driver what it takes at once and returns without waiting; bytesWritten says how
    // much that was. A device that cannot tell takes nothing, so every byte goes the waiting way.
    virtual uint32_t WriteWithoutWaiting(std::span<const uint8_t> bytes, std::size_t& bytesWritten)
    {
        (void)bytes;
        bytesWritten = 0;
        return 0;
    }
    // Five seconds unless set.
    virtual void SetWriteGrace(std::chrono::milliseconds grace) = 0;
    // Ends a Write in progress, or the next one when none is, with 995; what the driver still
    // holds of it is dropped. Any thread may call it; ClearWriteCancel takes back one that no
    // longer has a write to end.
    virtual void CancelWrite() = 0;
    virtual void ClearWriteCancel() = 0;

    // MS_CTS_ON, MS_DSR_ON, MS_RING_ON, MS_RLSD_ON.
    virtual uint32_t GetModemStatus(uint32_t& status) = 0;
    virtual uint32_t SetBreak(bool on) = 0;

    // On: asks the driver to hand over received bytes at once rather than after a USB
    // adapter's latency timer. Off, and on Close: the driver's own setting from before comes
    // back. A driver without the request refuses it and nothing else changes; a device with no
    // such request at all answers ERROR_INVALID_FUNCTION (the Windows FTDI driver keeps its
    // timer in the registry).
    virtual uint32_t SetLowLatency(bool on);

    // Receiving on the owner's thread, for a device whose arriving bytes the owner's own loop
    // can wait for: the descriptor that turns readable when bytes arrive, or -1 when only the
    // event wait can tell.
    virtual int ReceiveDescriptor() const { return -1; }
    // While on, the event wait leaves arriving bytes to the owner and reports neither EV_RXCHAR
    // nor EV_RXFLAG; the owner takes them with TakeReceived. Either way ends a wait in
    // progress, so after off the event wait drains at once whatever came meanwhile.
    virtual void LeaveReceivingToOwner(bool /*on*/) {}
    // The owner's drain: moves what the device holds into the queue Read serves, as the event
    // wait would, and gives the EV_RXCHAR and EV_RXFLAG bits for it and the count it took.
    // false when the device is gone; the event wait then ends with ERROR_IO_DEVICE, as when it
    // finds the loss itself.
    virtual bool TakeReceived(uint32_t& events, std::size_t& count)
    {
        events = 0;
        count = 0;
        return true;
    }
};

// Why a device did not open, as the failing call told it: the port error value, and the
// system's own code (errno, GetLastError) with the system's words for it. All empty after an
// open that worked.
struct PortOpenError {
    uint32_t code = 0;
    int systemCode = 0;
    std::string systemText;
};

// Opens the device at path for reading and writing, refusing a device another program (or
// another object of this one) holds, and puts it in raw mode at 9600 baud, 8 data bits, no
// parity, one stop bit, no flow control. On failure returns null and fills error.
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::filesystem::path& path,
                                               PortOpenError& error);

} // namespace wirevane::platform
