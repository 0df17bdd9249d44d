#pragma once

#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/qt/qt_serial_port.h"
#include "support/engine_rig.h"

#include <cstdint>
#include <functional>
#include <string>

namespace wirevane::test {

// The engine over the port chain the main window owns, on the Qt event loop of the calling
// thread: the tick is a real timer and the port's messages arrive as the window's do.
template <class Terminal = RecordingTerminal>
struct QtEngineRig : EngineRig<CountedPort<QtSerialPort>, Terminal, platform::QtStepTimer> {
    using Rig = EngineRig<CountedPort<QtSerialPort>, Terminal, platform::QtStepTimer>;

    QtEngineRig()
        : Rig([this] {
              this->engine.OnStepTimer(kSequenceTimerId);
              afterEvent();
          })
    {
        this->run.lineEnd = LineEndSuffix::Cr;
        this->port.serial.SetOwnerReadsWhile([this] { return this->run.AwaitsAnswer(); });
    }
    ~QtEngineRig() { this->port.serial.Close(); }

    uint32_t Open(const std::string& path)
    {
        return this->port.serial.Open(std::u16string(path.begin(), path.end()), &m_messages);
    }

    // Called after every tick and every port message, when the engine is between steps.
    std::function<void()> afterEvent = [] {};

private:
    // As the window: a step the message made due at once runs in the same turn.
    platform::PortMessageReceiver m_messages{[this](uint32_t, uintptr_t word) {
        this->timer.TickAfter([&] {
            this->receiver.OnSerialMessage(static_cast<uint32_t>(word));
            afterEvent();
        });
    }};
};

} // namespace wirevane::test
