#pragma once

#include "platform/message_target.h"
#include "serial/serial_ex.h"

#include <atomic>

namespace wirevane {

// A port whose events become messages: each wake-up with events posts one message to the
// target, first value (errors << 16) | events, second value the parameter given to Open.
// Posting queues and returns, so the event thread never waits for the window. No message is
// posted once Close has begun; messages already queued may still arrive after it.
class CSerialWnd : public CSerialEx {
public:
    ~CSerialWnd() override;

    using CSerialEx::Open;
    // message 0 posts the id registered for "CSerialWnd_DefaultComMsg". Starts the event
    // thread; a port whose thread cannot start is closed again.
    virtual uint32_t Open(const std::u16string& path, platform::MessageTarget* window,
                          uint32_t message = 0, intptr_t messageParam = 0,
                          uint32_t inputQueueSize = 0, uint32_t outputQueueSize = 0);
    uint32_t Close() override;
    void OnSerialEvent(uint16_t events, uint16_t errors) override;

    // The id registered for "CSerialWnd_DefaultComMsg".
    static uint32_t DefaultComMessage();

protected:
    std::atomic<platform::MessageTarget*> m_window{nullptr};
    std::atomic<uint32_t> m_message{0};
    intptr_t m_messageParam = 0;
};

} // namespace wirevane
