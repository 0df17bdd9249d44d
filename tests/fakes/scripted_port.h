#pragma once

#include "core/port_access.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace wirevane::test {

// A port whose received bytes the test queues read by read, and which records what was written.
// Used only where a pseudo-terminal cannot give the test control over read boundaries.
class ScriptedPort : public PortAccess {
public:
    bool IsOpen() const override { return m_open; }
    uint32_t Write(std::span<const uint8_t> bytes) override
    {
        if (!m_open)
            return 6;
        m_written.insert(m_written.end(), bytes.begin(), bytes.end());
        m_writes.emplace_back(bytes.begin(), bytes.end());
        return 0;
    }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override
    {
        bytesRead = 0;
        if (!m_open)
            return 6;
        if (m_reads.empty())
            return 0;
        const std::vector<uint8_t>& next = m_reads.front();
        bytesRead = std::min(buffer.size(), next.size() - m_readOffset);
        std::memcpy(buffer.data(), next.data() + m_readOffset, bytesRead);
        m_readOffset += bytesRead;
        if (m_readOffset == next.size()) {
            m_reads.pop_front();
            m_readOffset = 0;
        }
        return 0;
    }
    uint32_t GetModemStatus(uint32_t& status) override
    {
        status = m_modemStatus;
        return m_modemError;
    }

    void setOpen(bool open) { m_open = open; }
    void queueRead(std::vector<uint8_t> bytes) { m_reads.push_back(std::move(bytes)); }
    void setModemStatus(uint32_t status, uint32_t error = 0)
    {
        m_modemStatus = status;
        m_modemError = error;
    }
    const std::vector<uint8_t>& written() const { return m_written; }
    const std::vector<std::vector<uint8_t>>& writes() const { return m_writes; }
    void clearWritten()
    {
        m_written.clear();
        m_writes.clear();
    }

private:
    bool m_open = true;
    std::deque<std::vector<uint8_t>> m_reads;
    std::size_t m_readOffset = 0;
    std::vector<uint8_t> m_written;
    std::vector<std::vector<uint8_t>> m_writes;
    uint32_t m_modemStatus = 0;
    uint32_t m_modemError = 0;
};

} // namespace wirevane::test
