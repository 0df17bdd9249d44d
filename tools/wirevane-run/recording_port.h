#pragma once

#include "core/port_access.h"
#include "core/run_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace wirevane::runner {

// Passes every port operation through and notes what a timing report needs: the bytes the
// engine writes for one row and when the last of them went out, when the first data of a
// notification was read, and the first write or read the device refused.
class RecordingPort final : public PortAccess {
public:
    using Clock = std::function<int64_t()>; // microseconds, monotonic

    struct WrittenRow {
        int index = 0;
        std::vector<uint8_t> bytes;
        int64_t writtenUs = 0;
        // When the last of its bytes was handed to the port.
        int64_t handedUs = 0;
    };

    RecordingPort(PortAccess& port, const RunState& run, Clock clock);

    bool IsOpen() const override { return m_port.IsOpen(); }
    uint32_t Write(std::span<const uint8_t> bytes) override;
    // Notes the bytes when they are out, passes the completion on, then calls the hook.
    void BeginWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override { m_port.CancelWrites(); }
    std::u16string PortName() const override { return m_port.PortName(); }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead) override;
    uint32_t GetModemStatus(uint32_t& status) override { return m_port.GetModemStatus(status); }

    // Called after each completed write has been passed on.
    void SetAfterWrite(std::function<void()> afterWrite) { m_afterWrite = std::move(afterWrite); }

    // Starts a new row (the engine writes one row per tick) or a new notification.
    void BeginTick() { m_row.reset(); }
    void BeginMessage() { m_firstDataUs.reset(); }

    std::optional<WrittenRow> TakeRow();
    std::optional<int64_t> firstDataUs() const { return m_firstDataUs; }
    // The first failed transfer, 0 when none failed.
    uint32_t transferError() const { return m_transferError; }

private:
    void NoteWritten(int row, std::span<const uint8_t> bytes);

    PortAccess& m_port;
    std::function<void()> m_afterWrite;
    const RunState& m_run;
    Clock m_clock;
    std::optional<WrittenRow> m_row;
    std::optional<int64_t> m_firstDataUs;
    uint32_t m_transferError = 0;
};

} // namespace wirevane::runner
