#pragma once

#include "platform/qt/qt_message_target.h"
#include "platform/serial_codes.h"
#include "serial/serial.h"

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

namespace wirevane::test {

// Stands for the main window: keeps the port messages that reach its event handler and, given
// the port, reads it whenever a message says bytes came, as the receive handler does.
class WindowStandIn : public QObject {
public:
    struct Received {
        uint32_t message;
        uintptr_t first;
        intptr_t second;
        bool operator==(const Received&) const = default;
    };

    explicit WindowStandIn(CSerial* port = nullptr) : m_port(port) {}

    std::vector<Received> received;
    std::string text;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != platform::PortMessageEvent::EventType())
            return QObject::event(e);
        const auto* message = static_cast<platform::PortMessageEvent*>(e);
        received.push_back({message->message(), message->firstValue(), message->secondValue()});
        if (m_port != nullptr && (message->firstValue() & EV_RXCHAR)) {
            char buffer[256];
            uint32_t count = 0;
            while (m_port->Read(buffer, sizeof buffer, &count) == 0 && count > 0)
                text.append(buffer, count);
        }
        return true;
    }

private:
    CSerial* m_port;
};

} // namespace wirevane::test
