#pragma once

#include "serial/qt/serial_mfc.h"

#include <string>

namespace wirevane {

// The main window's one port object. Its device name doubles as the selected port: a loaded
// settings file and the selection dialog put a name there while the port is closed, and a
// successful Open replaces it with the path that was opened.
class MainPort : public CSerialMFC {
public:
    void SetDeviceName(std::u16string name) { m_deviceName = std::move(name); }
};

} // namespace wirevane
