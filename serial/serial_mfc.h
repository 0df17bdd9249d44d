#pragma once

#include "platform/message_target.h"
#include "serial/serial_wnd.h"
#include "serial/serial_writer.h"

#include <functional>
#include <memory>

namespace wirevane {

// The port as its owner holds it, whatever loop that owner runs: notifications go to the target
// given to Open, and write completions come back through the call poster given at construction,
// which runs each call later on the owner's thread, in the order posted.
//
// What the line takes at once is written before QueueWrite returns, and its completion is
// called right there; the rest goes to a writer thread and its completion is posted, so a device
// holding the line back never blocks the owner.
class CSerialMFC : public CSerialWnd {
public:
    using CallPoster = std::function<void(std::function<void()> call)>;

    explicit CSerialMFC(CallPoster postToOwner);
    ~CSerialMFC() override;

    using CSerialWnd::Open;
    // window may be null: the port then runs its event thread and posts nothing. The port keeps
    // the target until it is closed.
    virtual uint32_t Open(const std::u16string& path,
                          std::unique_ptr<platform::MessageTarget> window, uint32_t message = 0,
                          intptr_t messageParam = 0, uint32_t inputQueueSize = 0,
                          uint32_t outputQueueSize = 0);
    uint32_t Close() override;
    uint32_t QueueWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override;
    std::size_t BytesNotOut() override;

private:
    CallPoster m_postToOwner;
    std::unique_ptr<SerialWriter> m_writer;
    // Freed only after the event thread is joined, since that thread posts through it.
    std::unique_ptr<platform::MessageTarget> m_target;
};

} // namespace wirevane
