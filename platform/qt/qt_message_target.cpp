#include "platform/qt/qt_message_target.h"

#include <QCoreApplication>

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

} // namespace wirevane::platform
