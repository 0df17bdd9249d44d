#include "serial/run_priority.h"

namespace wirevane {

RunPriority::~RunPriority()
{
    Release();
}

void RunPriority::SetAllowed(bool allowed)
{
    m_allowed = allowed;
    if (!allowed)
        Release();
}

std::optional<platform::RealtimeRefusal> RunPriority::RunChanged(bool running)
{
    if (!running || !m_allowed) {
        Release();
        return std::nullopt;
    }
    if (m_holding)
        return std::nullopt;
    std::optional<platform::RealtimeRefusal> refusal = platform::RaiseToRealtime();
    if (refusal) {
        if (m_refusalTold)
            return std::nullopt;
        m_refusalTold = true;
        return refusal;
    }
    m_holding = true;
    m_port.SetEventThreadRealtime(true);
    return std::nullopt;
}

void RunPriority::Release()
{
    if (!m_holding)
        return;
    m_holding = false;
    m_port.SetEventThreadRealtime(false);
    platform::LeaveRealtime();
}

} // namespace wirevane
