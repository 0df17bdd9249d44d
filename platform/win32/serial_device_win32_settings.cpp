#include "platform/serial_timing.h"
#include "platform/win32/serial_device_win32.h"

namespace wirevane::platform {

uint32_t Win32SerialDevice::ReadState(DCB& dcb)
{
    dcb = DCB{};
    dcb.DCBlength = sizeof dcb;
    return GetCommState(m_port, &dcb) ? ERROR_SUCCESS : GetLastError();
}

template <typename Change, typename Check>
uint32_t Win32SerialDevice::ApplyChecked(Change change, Check check)
{
    DCB before{};
    if (const uint32_t error = ReadState(before))
        return error;
    // The whole new state goes to the driver in one call; whatever it refuses or does not keep,
    // the state from before is put back, so the line is never left half changed.
    DCB dcb = before;
    change(dcb);
    if (!SetCommState(m_port, &dcb)) {
        const DWORD error = GetLastError();
        SetCommState(m_port, &before);
        return error == ERROR_SUCCESS ? ERROR_INVALID_PARAMETER : error;
    }
    DCB kept{};
    if (const uint32_t error = ReadState(kept))
        return error;
    if (!check(kept)) {
        SetCommState(m_port, &before);
        return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::GetLineSettings(LineSettings& settings)
{
    DCB dcb{};
    if (const uint32_t error = ReadState(dcb))
        return error;
    settings = LineSettings{dcb.BaudRate, dcb.ByteSize, dcb.Parity, dcb.StopBits};
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::SetLineSettings(const LineSettings& settings)
{
    if (settings.baudRate == 0 || settings.dataBits < 5 || settings.dataBits > 8 ||
        settings.parity > SPACEPARITY || settings.stopBits > TWOSTOPBITS)
        return ERROR_INVALID_PARAMETER;
    const uint32_t result = ApplyChecked(
        [&](DCB& dcb) {
            dcb.BaudRate = settings.baudRate;
            dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
            dcb.Parity = static_cast<BYTE>(settings.parity);
            dcb.StopBits = static_cast<BYTE>(settings.stopBits);
        },
        [&](const DCB& kept) {
            return kept.BaudRate == settings.baudRate && kept.ByteSize == settings.dataBits &&
                   kept.Parity == settings.parity && kept.StopBits == settings.stopBits;
        });
    if (result == ERROR_SUCCESS)
        m_characterMicros = CharacterDuration(settings).count();
    return result;
}

uint32_t Win32SerialDevice::GetHandshake(uint32_t& mode)
{
    DCB dcb{};
    if (const uint32_t error = ReadState(dcb))
        return error;
    if (dcb.fOutxCtsFlow && dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        mode = HandshakeHardware;
    else if (dcb.fOutX && dcb.fInX)
        mode = HandshakeSoftware;
    else
        mode = HandshakeOff;
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::SetHandshake(uint32_t mode)
{
    if (mode > HandshakeSoftware)
        return ERROR_INVALID_PARAMETER;
    const bool hardware = mode == HandshakeHardware;
    const bool software = mode == HandshakeSoftware;
    return ApplyChecked(
        [&](DCB& dcb) {
            dcb.fOutxCtsFlow = hardware;
            dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
            dcb.fOutX = software;
            dcb.fInX = software;
            dcb.XonChar = 0x11;
            dcb.XoffChar = 0x13;
            dcb.XonLim = 2048;
            dcb.XoffLim = 512;
        },
        [&](const DCB& kept) {
            return static_cast<bool>(kept.fOutxCtsFlow) == hardware &&
                   static_cast<bool>(kept.fOutX) == software &&
                   static_cast<bool>(kept.fInX) == software;
        });
}

uint32_t Win32SerialDevice::GetEventCharacter(uint8_t& character)
{
    character = m_eventCharacter;
    return ERROR_SUCCESS;
}

// The event character is matched here, in the bytes the pending read brings, so it works on
// drivers without EV_RXFLAG; the DCB gets it too, for those that have it.
uint32_t Win32SerialDevice::SetEventCharacter(uint8_t character)
{
    const uint32_t result =
        ApplyChecked([&](DCB& dcb) { dcb.EvtChar = static_cast<char>(character); },
                     [](const DCB&) { return true; });
    if (result == ERROR_SUCCESS)
        m_eventCharacter = character;
    return result;
}

} // namespace wirevane::platform
