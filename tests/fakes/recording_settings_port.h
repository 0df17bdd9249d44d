#pragma once

#include "persistence/settings_interfaces.h"

#include <optional>
#include <string>

namespace wirevane::test {

// A port as the settings file sees it: closed it keeps what it was handed and answers the
// failure a closed port gives; open it takes the settings. A never-named port has no name.
class RecordingSettingsPort final : public SettingsPort {
public:
    const std::u16string& DeviceName() const override { return name; }
    void SetDeviceName(std::u16string value) override { name = std::move(value); }
    platform::LineSettings CurrentLineSettings() const override { return current; }
    uint32_t SetLineSettings(const platform::LineSettings& settings) override
    {
        lineSettings = settings;
        if (!open)
            return kInvalidHandle;
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
    platform::LineSettings current{9600, 8, 0, 0};
    // What the last load asked for, nothing when it asked for nothing.
    std::optional<platform::LineSettings> lineSettings;
    std::optional<int32_t> handshake;
};

} // namespace wirevane::test
