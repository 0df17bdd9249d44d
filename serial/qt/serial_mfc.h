#pragma once

#include "platform/qt/qt_message_target.h"
#include "serial/serial_wnd.h"

#include <QObject>
#include <memory>

namespace wirevane {

// The port as a window object owns it: notifications arrive at the QObject given to Open as
// platform::PortMessageEvent events (message(), firstValue() = the notification word,
// secondValue() = the parameter). The object must outlive the open port.
class CSerialMFC : public CSerialWnd {
public:
    ~CSerialMFC() override;

    using CSerialWnd::Open;
    // window may be null: the port then runs its event thread and posts nothing.
    virtual uint32_t Open(const std::u16string& path, QObject* window, uint32_t message = 0,
                          intptr_t messageParam = 0, uint32_t inputQueueSize = 0,
                          uint32_t outputQueueSize = 0);
    uint32_t Close() override;

private:
    // Freed only after the event thread is joined, since that thread posts through it.
    std::unique_ptr<platform::QtMessageTarget> m_target;
};

} // namespace wirevane
