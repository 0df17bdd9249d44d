#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

namespace wirevane::platform {

// The window side of a port's notifications for code that is not a window: each port message
// posted to this object is handed to the function, on the thread the object lives on, in the
// order the messages were posted. Other events are left to QObject.
class PortMessageReceiver final : public QObject {
public:
    using Handler = std::function<void(uint32_t message, uintptr_t firstValue)>;

    explicit PortMessageReceiver(Handler handler);

protected:
    bool event(QEvent* event) override;

private:
    Handler m_handler;
};

} // namespace wirevane::platform
