#include "tools/wirevane-run/recording_port.h"

#include <utility>

namespace wirevane::runner {

RecordingPort::RecordingPort(PortAccess& port, const RunState& run, Clock clock)
    : m_port(port), m_run(run), m_clock(std::move(clock))
{
}

uint32_t RecordingPort::Write(std::span<const uint8_t> bytes)
{
    const uint32_t error = m_port.Write(bytes);
    if (error != 0) {
        if (m_transferError == 0)
            m_transferError = error;
        return error;
    }
    // The engine sets the row pointer before it writes, so it names the row being sent.
    if (!m_row)
        m_row = WrittenRow{m_run.currentRow, {}, 0};
    m_row->bytes.insert(m_row->bytes.end(), bytes.begin(), bytes.end());
    m_row->writtenUs = m_clock();
    return 0;
}

uint32_t RecordingPort::Read(std::span<uint8_t> buffer, std::size_t& bytesRead)
{
    const uint32_t error = m_port.Read(buffer, bytesRead);
    if (error != 0) {
        if (m_transferError == 0)
            m_transferError = error;
        return error;
    }
    if (bytesRead != 0 && !m_firstDataUs)
        m_firstDataUs = m_clock();
    return 0;
}

std::optional<RecordingPort::WrittenRow> RecordingPort::TakeRow()
{
    return std::exchange(m_row, std::nullopt);
}

} // namespace wirevane::runner
