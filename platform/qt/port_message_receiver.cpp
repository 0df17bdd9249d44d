#include "platform/qt/port_message_receiver.h"

#include "platform/qt/qt_message_target.h"

#include <utility>

namespace wirevane::platform {

PortMessageReceiver::PortMessageReceiver(Handler handler) : m_handler(std::move(handler)) {}

bool PortMessageReceiver::event(QEvent* event)
{
    if (event->type() != PortMessageEvent::EventType())
        return QObject::event(event);
    const auto* message = static_cast<const PortMessageEvent*>(event);
    m_handler(message->message(), message->firstValue());
    return true;
}

} // namespace wirevane::platform
