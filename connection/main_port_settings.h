#pragma once

#include "connection/main_port.h"
#include "persistence/settings_interfaces.h"

#include <functional>
#include <utility>

namespace wirevane {

// A loaded settings file reaches the main window's port here: the port name becomes the device
// name (the selection the next connect offers first), and the line settings and handshake go to
// the port, which refuses them while it is closed. After each change the window is told, so
// that its status line shows what the port took, not what the file asked for.
class MainPortSettings final : public SettingsPort {
public:
    MainPortSettings(MainPort& port, std::function<void()> changed)
        : m_port(port), m_changed(std::move(changed))
    {
    }

    const std::u16string& DeviceName() const override { return m_port.DeviceName(); }
    void SetDeviceName(std::u16string name) override
    {
        m_port.SetDeviceName(std::move(name));
        m_changed();
    }
    platform::LineSettings CurrentLineSettings() const override
    {
        return {m_port.GetBaudRate(), m_port.GetDataBits(), m_port.GetParity(),
                m_port.GetStopBits()};
    }
    uint32_t SetLineSettings(const platform::LineSettings& settings) override
    {
        const uint32_t result = m_port.SetLineSettings(settings.baudRate, settings.dataBits,
                                                       settings.parity, settings.stopBits);
        m_changed();
        return result;
    }
    uint32_t SetHandshake(int32_t handshake) override
    {
        const uint32_t result = m_port.SetHandshake(static_cast<uint32_t>(handshake));
        m_changed();
        return result;
    }

private:
    MainPort& m_port;
    std::function<void()> m_changed;
};

} // namespace wirevane
