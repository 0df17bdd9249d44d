#include "platform/qt/qt_message_target.h"

#include <QCoreApplication>
#include <QThread>

namespace wirevane::platform {

PortMessageEvent::PortMessageEvent(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
    : QEvent(EventType()), m_message(message), m_firstValue(firstValue), m_secondValue(secondValue)
{
}

QEvent::Type PortMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool QtMessageTarget::Post(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
{
    // postEvent takes the event and may be called from any thread.
    QCoreApplication::postEvent(m_receiver, new PortMessageEvent(message, firstValue, secondValue));
    return true;
}

QtMessageTarget::~QtMessageTarget()
{
    Unwatch();
}

bool QtMessageTarget::WatchReadable(int descriptor, std::function<void()> onReadable)
{
    Unwatch();
    if (QThread::currentThread() != m_receiver->thread())
        return false;
    m_notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, m_receiver);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier,
                     [onReadable = std::move(onReadable)] { onReadable(); });
    return true;
}

void QtMessageTarget::Unwatch()
{
    if (!m_notifier)
        return;
    // The watch may end inside the notifier's own call, so the notifier goes after it.
    m_notifier->setEnabled(false);
    m_notifier->disconnect();
    m_notifier->deleteLater();
    m_notifier = nullptr;
}

void QtMessageTarget::Send(uint32_t message, uintptr_t firstValue, intptr_t secondValue)
{
    PortMessageEvent event(message, firstValue, secondValue);
    QCoreApplication::sendEvent(m_receiver, &event);
}

} // namespace wirevane::platform
