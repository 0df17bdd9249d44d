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
    NoteWritten(m_run.currentRow, bytes);
    m_row->handedUs = m_row->writtenUs;
    return 0;
}

void RecordingPort::BeginWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    // The engine sets the row pointer before it writes, so it names the row being sent.
    const int row = m_run.currentRow;
    const int64_t handedUs = m_clock();
    m_port.BeginWrite(bytes,
                      [this, row, handedUs, copy = std::vector<uint8_t>(bytes.begin(), bytes.end()),
                       done = std::move(done)](uint32_t error) {
                          if (error == 0) {
                              NoteWritten(row, copy);
                              m_row->handedUs = handedUs;
                          }
                          done(error);
                          if (m_afterWrite)
                              m_afterWrite();
                      });
}

void RecordingPort::NoteWritten(int row, std::span<const uint8_t> bytes)
{
    if (!m_row)
        m_row = WrittenRow{row, {}, 0};
    m_row->bytes.insert(m_row->bytes.end(), bytes.begin(), bytes.end());
    m_row->writtenUs = m_clock();
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
