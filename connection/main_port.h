#pragma once

#include "serial/qt/qt_serial_port.h"
#include "serial/serial_line.h"

#include <cstdint>
#include <string>

namespace wirevane {

// The main window's one port object. Its device name doubles as the selected port: a loaded
// settings file and the selection dialog put a name there while the port is closed, and a
// successful Open replaces it with the path that was opened.
//
// It remembers every setting the device took, across a Close: a device that went away cannot
// be asked any more, and when it comes back it is to get the line it had.
//
// A settings file loaded while the port is open changes only the selection: the status line and
// the reports name the device that is open, OpenPath(), until it closes.
class MainPort : public QtSerialPort {
public:
    void SetDeviceName(std::u16string name) { m_deviceName = std::move(name); }

    using QtSerialPort::Open;
    uint32_t Open(const std::u16string& path, QObject* window, uint32_t message = 0,
                  intptr_t messageParam = 0, uint32_t inputQueueSize = 0,
                  uint32_t outputQueueSize = 0) override;
    uint32_t Close() override;
    // The path the open device was opened by; empty while the port is closed.
    const std::u16string& OpenPath() const { return m_openPath; }

    uint32_t SetLineSettings(uint32_t baudRate, uint32_t dataBits, uint32_t parity,
                             uint32_t stopBits) override;
    uint32_t SetHandshake(uint32_t mode) override;
    uint32_t SetEventMask(uint32_t mask) override;
    uint32_t SetEventCharacter(uint8_t character, bool addToMask = true) override;

    // Takes what the open device holds as the remembered line (after a fresh connect, the
    // driver's settings).
    void RememberLine();
    // Taken before a reopen: opening sets the event mask, which this object then remembers.
    SerialLine RememberedLine() const { return m_line; }
    // Puts a line on the open port as one change; 0, or the error of the first part it refused,
    // the port then keeping the line it had.
    uint32_t RestoreLine(const SerialLine& line);

private:
    SerialLine m_line;
    std::u16string m_openPath;
};

} // namespace wirevane
