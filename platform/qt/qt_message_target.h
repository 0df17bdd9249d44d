#pragma once

#include "platform/message_target.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <functional>

namespace wirevane::platform {

// A port message as a Qt event; the receiver handles it in event() on its own thread.
class PortMessageEvent final : public QEvent {
public:
    PortMessageEvent(uint32_t message, uintptr_t firstValue, intptr_t secondValue);

    // The event type every PortMessageEvent carries, registered once.
    static QEvent::Type EventType();

    uint32_t message() const { return m_message; }
    uintptr_t firstValue() const { return m_firstValue; }
    intptr_t secondValue() const { return m_secondValue; }

private:
    uint32_t m_message;
    uintptr_t m_firstValue;
    intptr_t m_secondValue;
};

// Posts port messages to a QObject through its thread's event queue. The receiver must outlive
// this target; events posted from one thread arrive in order.
class QtMessageTarget final : public MessageTarget {
public:
    explicit QtMessageTarget(QObject* receiver) : m_receiver(receiver) {}
    ~QtMessageTarget() override;
    QtMessageTarget(const QtMessageTarget&) = delete;
    QtMessageTarget& operator=(const QtMessageTarget&) = delete;

    bool Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue) override;
    // A socket notifier on the receiver's thread, a child of the receiver.
    bool WatchReadable(int descriptor, std::function<void()> onReadable) override;
    void Unwatch() override;
    void Send(uint32_t message, uintptr_t firstValue, intptr_t secondValue) override;

    QObject* receiver() const { return m_receiver; }

private:
    QObject* m_receiver;
    QPointer<QSocketNotifier> m_notifier;
};

} // namespace wirevane::platform
