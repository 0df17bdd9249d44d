#pragma once

#include "platform/qt/qt_message_target.h"
#include "serial/serial_wnd.h"
#include "serial/serial_writer.h"

#include <QObject>
#include <memory>

namespace wirevane {

// The port as a window object owns it: notifications arrive at the QObject given to Open as
// platform::PortMessageEvent events (message(), firstValue() = the notification word,
// secondValue() = the parameter). The object must outlive the open port.
//
// What the line takes at once is written before QueueWrite returns, and its completion is
// called right there; the rest goes to a writer thread and its completion comes back as a
// queued call on the thread that opened the port, so a device holding the line back never
// blocks the window.
class CSerialMFC : public CSerialWnd {
public:
    ~CSerialMFC() override;

    using CSerialWnd::Open;
    // window may be null: the port then runs its event thread and posts nothing.
    virtual uint32_t Open(const std::u16string& path, QObject* window, uint32_t message = 0,
                          intptr_t messageParam = 0, uint32_t inputQueueSize = 0,
                          uint32_t outputQueueSize = 0);
    uint32_t Close() override;
    uint32_t QueueWrite(std::span<const uint8_t> bytes, WriteDone done) override;
    void CancelWrites() override;

private:
    // Completions are delivered through it; queued ones die with it.
    QObject m_completions;
    std::unique_ptr<SerialWriter> m_writer;
    // Freed only after the event thread is joined, since that thread posts through it.
    std::unique_ptr<platform::QtMessageTarget> m_target;
};

} // namespace wirevane
