#pragma once

#include "platform/message_target.h"
#include "serial/serial_ex.h"

#include <atomic>
#include <cstddef>
#include <functional>

namespace wirevane {

// A port whose events become messages: each wake-up with events posts one message to the
// target, first value (errors << 16) | events, second value the parameter given to Open.
// Posting queues and returns, so the event thread never waits for the window. No message is
// posted once Close has begun; messages already queued may still arrive after it.
//
// An answer the owner waits for need not take the hop from the event thread to the owner's:
// while the owner says it awaits one (SetOwnerReadsWhile), and the device and the target's loop
// allow it, the owner's loop watches the device itself, drains it in the turn it wakes and
// sends the message at once. Otherwise the event thread drains, so a flood is taken off the
// line on the other core while the owner shows what came. The device's input queue, filled by
// whichever drains under one lock, keeps every byte once and in order across a switch; the
// owner's watch is in place before the event thread lets go and the event thread takes over
// before the watch ends, so arriving bytes always have a reader.
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

    // Asked on the owner's thread whenever it may start or stop reading: when the owner writes,
    // and when the device wakes it. Null (the default): the event thread always reads.
    void SetOwnerReadsWhile(std::function<bool()> awaitsAnswer);

protected:
    // Takes the reading to the owner, or gives it back, as the owner's question now answers;
    // the owner's thread only.
    void FollowOwnerAwaiting();

    std::atomic<platform::MessageTarget*> m_window{nullptr};
    std::atomic<uint32_t> m_message{0};
    intptr_t m_messageParam = 0;

private:
    // More than an answer: the device floods, and the event thread drains the rest.
    static constexpr std::size_t kFloodBytes = 4096;

    bool OwnerMayRead() const;
    void StartOwnerReading();
    void StopOwnerReading();
    void OnOwnerReadable();

    std::function<bool()> m_awaitsAnswer;
    bool m_ownerReading = false;
    std::size_t m_ownerDrained = 0; // by the owner since it last wrote
};

} // namespace wirevane
