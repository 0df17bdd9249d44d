#pragma once

#include "platform/wait_loop.h"
#include "serial/serial_wnd.h"
#include "serial/serial_writer.h"

#include <memory>

namespace wirevane::runner {

// The port as the runner owns it, on a WaitLoop instead of a window: notifications arrive as
// calls of the handler on the loop's thread, and writes go out as the window's do: what the
// line takes at once before QueueWrite returns, the rest on a writer thread whose completion
// comes back as a call on the loop.
class LoopSerialPort final : public CSerialWnd {
public:
    using Handler = platform::LoopMessageTarget::Handler;

    explicit LoopSerialPort(platform::WaitLoop& loop) : m_loop(loop) {}
    ~LoopSerialPort() override;

    using CSerialWnd::Open;
    uint32_t Open(const std::u16string& path, Handler handler);
    uint32_t Close() override;
    uint32_t QueueWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override;

private:
    platform::WaitLoop& m_loop;
    std::unique_ptr<SerialWriter> m_writer;
    // Freed only after the event thread is joined, since that thread posts through it.
    std::unique_ptr<platform::LoopMessageTarget> m_target;
};

} // namespace wirevane::runner
