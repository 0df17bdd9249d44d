#include "tools/wirevane-run/headless_settings.h"

namespace wirevane::runner {

uint32_t CapturedPortSettings::SetLineSettings(const platform::LineSettings& settings)
{
    m_lineSettings = settings;
    return 0;
}

uint32_t CapturedPortSettings::SetHandshake(int32_t handshake)
{
    m_handshake = handshake;
    return 0;
}

} // namespace wirevane::runner
