#pragma once

#include "persistence/settings_interfaces.h"

#include <optional>
#include <string>

namespace wirevane::test {

// A port as the settings file sees it: closed it keeps what it was handed and answers the
// failure a closed port gives; open it takes the settings. A never-named port has no name.
class RecordingSettingsPort final : public SettingsPort {
public:
    using LineSettings = PortLineSettings;

    const std::u16string& deviceName() const override { return name; }
    void setDeviceName(std::u16string value) override { name = std::move(value); }
    PortLineSettings currentLineSettings() const override { return current; }
    uint32_t SetLineSettings(uint32_t baudRate, int32_t dataBits, int32_t parity,
                             int32_t stopBits) override
    {
        lineSettings = LineSettings{baudRate, dataBits, parity, stopBits};
        if (!open) {
            return kInvalidHandle;
        }
        current = *lineSettings;
        return 0;
    }
    uint32_t SetHandshake(int32_t value) override
    {
        handshake = value;
        return open ? 0 : kInvalidHandle;
    }

    static constexpr uint32_t kInvalidHandle = 6;
    bool open = false;
    std::u16string name;
    PortLineSettings current{9600, 8, 0, 0};
    // What the last load asked for, nothing when it asked for nothing.
    std::optional<LineSettings> lineSettings;
    std::optional<int32_t> handshake;
};

} // namespace wirevane::test
