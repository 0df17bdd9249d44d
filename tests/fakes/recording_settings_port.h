#pragma once

#include "persistence/settings_interfaces.h"

#include <optional>
#include <string>

namespace wirevane::test {

// A closed port as the settings file sees it: it keeps what it was handed and answers the
// failure a closed port gives.
class RecordingSettingsPort final : public SettingsPort {
public:
    struct LineSettings {
        uint32_t baudRate;
        int32_t dataBits;
        int32_t parity;
        int32_t stopBits;
        bool operator==(const LineSettings&) const = default;
    };

    void setDeviceName(std::u16string name) override { deviceName = std::move(name); }
    uint32_t SetLineSettings(uint32_t baudRate, int32_t dataBits, int32_t parity,
                             int32_t stopBits) override
    {
        lineSettings = LineSettings{baudRate, dataBits, parity, stopBits};
        return kInvalidHandle;
    }
    uint32_t SetHandshake(int32_t value) override
    {
        handshake = value;
        return kInvalidHandle;
    }

    static constexpr uint32_t kInvalidHandle = 6;
    std::u16string deviceName = u"(unset)";
    std::optional<LineSettings> lineSettings;
    std::optional<int32_t> handshake;
};

} // namespace wirevane::test
