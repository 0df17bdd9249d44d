#pragma once

#include "serial/serial_mfc.h"

#include <QObject>

namespace wirevane {

// The port as a window object owns it: notifications arrive at the QObject given to Open as
// platform::PortMessageEvent events (message(), firstValue() = the notification word,
// secondValue() = the parameter), and write completions as queued calls on the thread that
// made the port. The window object must outlive the open port.
class QtSerialPort : public CSerialMFC {
public:
    QtSerialPort();
    // Closed here, while the completions' receiver still exists.
    ~QtSerialPort() override;

    using CSerialMFC::Open;
    // window may be null: the port then runs its event thread and posts nothing.
    virtual uint32_t Open(const std::u16string& path, QObject* window, uint32_t message = 0,
                          intptr_t messageParam = 0, uint32_t inputQueueSize = 0,
                          uint32_t outputQueueSize = 0);

private:
    // Completions are delivered through it; queued ones die with it.
    QObject m_completions;
};

} // namespace wirevane
