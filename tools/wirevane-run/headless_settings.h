#pragma once

#include "persistence/settings_interfaces.h"

#include <cstdint>
#include <string>

namespace wirevane::runner {

// The SERIAL keys of a loaded settings file. A headless run opens the port only after the file
// is read, so the keys are kept here and applied to the port once it is open.
class CapturedPortSettings final : public SettingsPort {
public:
    const std::u16string& DeviceName() const override { return m_deviceName; }
    void SetDeviceName(std::u16string name) override { m_deviceName = std::move(name); }
    platform::LineSettings CurrentLineSettings() const override { return m_lineSettings; }
    uint32_t SetLineSettings(const platform::LineSettings& settings) override;
    uint32_t SetHandshake(int32_t handshake) override;

    const platform::LineSettings& lineSettings() const { return m_lineSettings; }
    int32_t handshake() const { return m_handshake; }

private:
    std::u16string m_deviceName;
    platform::LineSettings m_lineSettings;
    int32_t m_handshake = 0;
};

// A run without a window has no check boxes or combo boxes to bring into line with a loaded
// file; the run fields the file sets are all there is.
class NoControls final : public SettingsControls {
public:
    void SetCyclicCheck(bool) override {}
    void SelectLineEnd(LineEndSuffix) override {}
    void ShowEncoding(TextEncoding) override {}
};

} // namespace wirevane::runner
