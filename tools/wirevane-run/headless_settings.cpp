#include "tools/wirevane-run/headless_settings.h"

namespace wirevane::runner {

uint32_t CapturedPortSettings::SetLineSettings(uint32_t baudRate, int32_t dataBits, int32_t parity,
                                               int32_t stopBits)
{
    m_baudRate = baudRate;
    m_dataBits = dataBits;
    m_parity = parity;
    m_stopBits = stopBits;
    return 0;
}

uint32_t CapturedPortSettings::SetHandshake(int32_t handshake)
{
    m_handshake = handshake;
    return 0;
}

} // namespace wirevane::runner
