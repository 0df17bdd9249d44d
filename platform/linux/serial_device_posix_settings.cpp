#include "platform/linux/serial_device_posix.h"
#include "platform/linux/serial_errno.h"
#include "platform/serial_codes.h"
#include "platform/serial_timing.h"

#include <cstring>
#include <sys/ioctl.h>

namespace wirevane::platform {

namespace {

// A UART reaches a nearby rate through its divisor; within 3 % the line still works.
bool CloseEnough(uint32_t wantedBaud, uint32_t actualBaud)
{
    const uint32_t off =
        actualBaud > wantedBaud ? actualBaud - wantedBaud : wantedBaud - actualBaud;
    return actualBaud != 0 && off <= wantedBaud / 33;
}

} // namespace

uint32_t PosixSerialDevice::SetQueueSizes(uint32_t inputSize, uint32_t /*outputSize*/)
{
    // The kernel's tty buffers are fixed; the input size bounds this object's own queue.
    if (inputSize != 0) {
        std::lock_guard guard(m_inputLock);
        m_inputLimit = inputSize;
    }
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::ReadControl(TtyControl& control) const
{
    const int error = ReadTtyControl(m_fd, control);
    return error ? SerialErrorFromErrno(error) : ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::ApplyChecked(const TtyControl& wanted,
                                         const std::function<bool(const TtyControl&)>& kept,
                                         std::string* refusedCallText)
{
    TtyControl before;
    if (const uint32_t error = ReadControl(before))
        return error;
    // The kernel answers success for settings a driver silently drops (a pty clears parity, a
    // driver sets the nearest rate it can), so the verdict is what reads back.
    if (const int error = WriteTtyControl(m_fd, wanted)) {
        if (refusedCallText)
            *refusedCallText = std::strerror(error);
        return SerialErrorFromErrno(error);
    }
    TtyControl after;
    if (const uint32_t error = ReadControl(after))
        return error;
    if (!kept(after)) {
        WriteTtyControl(m_fd, before);
        return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::GetLineSettings(LineSettings& settings)
{
    TtyControl control;
    if (const uint32_t error = ReadControl(control))
        return error;
    settings = DecodeLineSettings(control);
    if (settings.baudRate == m_acceptedBaud.load() && m_requestedBaud.load() != 0)
        settings.baudRate = m_requestedBaud.load();
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetLineSettings(const LineSettings& settings)
{
    TtyControl control;
    if (const uint32_t error = ReadControl(control))
        return error;
    if (!EncodeLineSettings(settings, control))
        return ERROR_INVALID_PARAMETER;
    m_refusal = {};
    uint32_t actualBaud = 0;
    const auto kept = [&](const TtyControl& after) {
        LineSettings read = DecodeLineSettings(after);
        actualBaud = read.baudRate;
        if (!CloseEnough(settings.baudRate, actualBaud)) {
            m_refusal.driverBaudRate = actualBaud;
            return false;
        }
        read.baudRate = settings.baudRate;
        return read == settings;
    };
    if (const uint32_t error = ApplyChecked(control, kept, &m_refusal.systemText))
        return error;
    m_requestedBaud = settings.baudRate;
    m_acceptedBaud = actualBaud;
    m_characterMicros = CharacterDuration(settings).count();
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::GetHandshake(uint32_t& mode)
{
    TtyControl control;
    if (const uint32_t error = ReadControl(control))
        return error;
    mode = DecodeHandshake(control);
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetHandshake(uint32_t mode)
{
    TtyControl control;
    if (const uint32_t error = ReadControl(control))
        return error;
    if (!EncodeHandshake(mode, control))
        return ERROR_INVALID_PARAMETER;
    const auto kept = [&](const TtyControl& after) {
        return DecodeHandshake(after) == DecodeHandshake(control);
    };
    if (const uint32_t error = ApplyChecked(control, kept))
        return error;
    // DTR stays raised in every mode; RTS too, unless the hardware handshake drives it. A
    // driver without modem lines (a pty) refuses, which changes nothing.
    int lines = mode == HandshakeHardware ? TIOCM_DTR : TIOCM_DTR | TIOCM_RTS;
    ioctl(m_fd, TIOCMBIS, &lines);
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::GetEventCharacter(uint8_t& character)
{
    character = m_eventCharacter;
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetEventCharacter(uint8_t character)
{
    m_eventCharacter = character;
    return ERROR_SUCCESS;
}

} // namespace wirevane::platform
