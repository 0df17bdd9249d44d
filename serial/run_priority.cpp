#include "serial/run_priority.h"

#include <utility>

namespace wirevane {

namespace {

// The first refusal of its kind only.
std::optional<platform::RealtimeRefusal> TellOnce(std::optional<platform::RealtimeRefusal> refusal,
                                                  bool& told)
{
    if (!refusal || told)
        return std::nullopt;
    told = true;
    return refusal;
}

} // namespace

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

RunPriorityRefusals RunPriority::RunChanged(bool running)
{
    if (!running || !m_allowed) {
        Release();
        return {};
    }
    RunPriorityRefusals refusals;
    refusals.awakeProcessors = TellOnce(m_awake.Hold(), m_awakeRefusalTold);
    if (m_holding)
        return refusals;
    std::optional<platform::RealtimeRefusal> refusal = platform::RaiseToRealtime();
    if (!refusal) {
        m_holding = true;
        m_port.SetEventThreadRealtime(true);
    }
    refusals.priority = TellOnce(std::move(refusal), m_priorityRefusalTold);
    return refusals;
}

void RunPriority::Release()
{
    m_awake.Release();
    if (!m_holding)
        return;
    m_holding = false;
    m_port.SetEventThreadRealtime(false);
    platform::LeaveRealtime();
}

} // namespace wirevane
