#pragma once

#include "platform/serial_codes.h"
#include "platform/serial_device.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace wirevane::test {

// The far side of a line with modem lines and line errors, which no pseudo-terminal has. The
// test holds it; the ScriptedSerialDevice that the port owns reports what the test raises.
struct ScriptedLine {
    struct Happening {
        uint32_t events;
        uint32_t errors;
    };

    // Raises events (all of them, masked or not, as a driver sees them) with line errors.
    void Raise(uint32_t events, uint32_t errors = 0)
    {
        {
            std::lock_guard guard(lock);
            happenings.push_back({events, errors});
        }
        changed.notify_all();
    }
    void SetModemStatus(uint32_t status)
    {
        std::lock_guard guard(lock);
        modemStatus = status;
    }

    std::mutex lock;
    std::condition_variable changed;
    std::deque<Happening> happenings;
    uint32_t modemStatus = 0;
    uint32_t collectedErrors = 0;
    uint32_t maskGeneration = 0;
};

class ScriptedSerialDevice final : public platform::SerialDevice {
public:
    explicit ScriptedSerialDevice(std::shared_ptr<ScriptedLine> line) : m_line(std::move(line)) {}

    uint32_t SetQueueSizes(uint32_t, uint32_t) override { return 0; }
    // The line's settings play no part in what the line reports: taken, and read as nothing.
    uint32_t GetLineSettings(platform::LineSettings&) override { return 0; }
    uint32_t SetLineSettings(const platform::LineSettings&) override { return 0; }
    uint32_t GetHandshake(uint32_t&) override { return 0; }
    uint32_t SetHandshake(uint32_t) override { return 0; }
    uint32_t GetEventCharacter(uint8_t&) override { return 0; }
    uint32_t SetEventCharacter(uint8_t) override { return 0; }
    uint32_t SetEventMask(uint32_t) override
    {
        {
            std::lock_guard guard(m_line->lock);
            ++m_line->maskGeneration;
        }
        m_line->changed.notify_all();
        return 0;
    }
    uint32_t WaitForEvent(uint32_t& events, uint32_t) override
    {
        std::unique_lock guard(m_line->lock);
        const uint32_t generation = m_line->maskGeneration;
        m_line->changed.wait(guard, [&] {
            return !m_line->happenings.empty() || m_line->maskGeneration != generation;
        });
        events = 0;
        if (m_line->maskGeneration != generation)
            return 0;
        events = m_line->happenings.front().events;
        m_line->collectedErrors |= m_line->happenings.front().errors;
        m_line->happenings.pop_front();
        return 0;
    }
    uint32_t ClearErrors(uint32_t& errors) override
    {
        std::lock_guard guard(m_line->lock);
        errors = m_line->collectedErrors;
        m_line->collectedErrors = 0;
        return 0;
    }
    uint32_t SetReadBlocking(bool) override { return 0; }
    uint32_t Read(std::span<uint8_t>, std::size_t& bytesRead, uint32_t) override
    {
        bytesRead = 0;
        return 0;
    }
    uint32_t Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten, uint32_t) override
    {
        bytesWritten = bytes.size();
        return 0;
    }
    // Its writes never wait, so there is nothing to time out or to cancel.
    void SetWriteGrace(std::chrono::milliseconds) override {}
    void CancelWrite() override {}
    void ClearWriteCancel() override {}
    uint32_t GetModemStatus(uint32_t& status) override
    {
        std::lock_guard guard(m_line->lock);
        status = m_line->modemStatus;
        return 0;
    }
    uint32_t SetBreak(bool) override { return 0; }

private:
    std::shared_ptr<ScriptedLine> m_line;
};

} // namespace wirevane::test
