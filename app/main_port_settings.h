#pragma once

#include "persistence/settings_interfaces.h"
#include "terminal/main_port.h"

namespace wirevane {

// A loaded settings file reaches the main window's port here: the port name becomes the device
// name (the selection the next connect offers first), and the line settings and handshake go to
// the port, which refuses them while it is closed.
class MainPortSettings final : public SettingsPort {
public:
    explicit MainPortSettings(MainPort& port) : m_port(port) {}

    void setDeviceName(std::u16string name) override { m_port.SetDeviceName(std::move(name)); }
    uint32_t SetLineSettings(uint32_t baudRate, int32_t dataBits, int32_t parity,
                             int32_t stopBits) override
    {
        return m_port.SetLineSettings(baudRate, static_cast<uint32_t>(dataBits),
                                      static_cast<uint32_t>(parity),
                                      static_cast<uint32_t>(stopBits));
    }
    uint32_t SetHandshake(int32_t handshake) override
    {
        return m_port.SetHandshake(static_cast<uint32_t>(handshake));
    }

private:
    MainPort& m_port;
};

} // namespace wirevane
