#pragma once

#include "persistence/settings_interfaces.h"

#include <cstdint>
#include <string>

namespace wirevane::runner {

// The SERIAL keys of a loaded settings file. A headless run opens the port only after the file
// is read, so the keys are kept here and applied to the port once it is open.
class CapturedPortSettings final : public SettingsPort {
public:
    const std::u16string& deviceName() const override { return m_deviceName; }
    void setDeviceName(std::u16string name) override { m_deviceName = std::move(name); }
    PortLineSettings currentLineSettings() const override
    {
        return PortLineSettings{m_baudRate, m_dataBits, m_parity, m_stopBits};
    }
    uint32_t SetLineSettings(uint32_t baudRate, int32_t dataBits, int32_t parity,
                             int32_t stopBits) override;
    uint32_t SetHandshake(int32_t handshake) override;

    uint32_t baudRate() const { return m_baudRate; }
    int32_t dataBits() const { return m_dataBits; }
    int32_t parity() const { return m_parity; }
    int32_t stopBits() const { return m_stopBits; }
    int32_t handshake() const { return m_handshake; }

private:
    std::u16string m_deviceName;
    uint32_t m_baudRate = 9600;
    int32_t m_dataBits = 8;
    int32_t m_parity = 0;
    int32_t m_stopBits = 0;
    int32_t m_handshake = 0;
};

// A run without a window has no check boxes or combo boxes to bring into line with a loaded
// file; the run fields the file sets are all there is.
class NoControls final : public SettingsControls {
public:
    void setCyclicCheck(bool) override {}
    void selectLineEnd(LineEndSuffix) override {}
    void showEncoding(TextEncoding) override {}
};

} // namespace wirevane::runner
