#pragma once

#include "fakes/recording_terminal_host.h"
#include "serial/serial.h"
#include "serial/serial_port_access.h"
#include "terminal/dialog_terminal.h"

#include <QTest>
#include <gtest/gtest.h>

namespace wirevane::test {

// The terminal window over the program's own port class, with the main window faked. The port
// stays closed unless a test opens it.
template <typename Base = ::testing::Test> class TerminalFixture : public Base {
protected:
    ~TerminalFixture() override { port.Close(); }

    CCommEdit& Edit() { return terminal.edit(); }
    std::u16string Text() { return terminal.edit().LineFormText(); }
    template <typename T> T* Child(int id) { return terminal.findChild<T*>(QString::number(id)); }

    CSerial port;
    SerialPortAccess access{port};
    RecordingTerminalHost host;
    CDialogTerminal terminal{host, &access};
};

} // namespace wirevane::test
