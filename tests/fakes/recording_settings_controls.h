#pragma once

#include "persistence/settings_interfaces.h"

#include <optional>

namespace wirevane::test {

// Keeps what a load showed in the window's controls; nothing until a load shows it.
class RecordingSettingsControls final : public SettingsControls {
public:
    void SetCyclicCheck(bool checked) override { cyclic = checked; }
    void SelectLineEnd(LineEndSuffix value) override { lineEnd = value; }
    void ShowEncoding(TextEncoding value) override { encoding = value; }

    std::optional<bool> cyclic;
    std::optional<LineEndSuffix> lineEnd;
    std::optional<TextEncoding> encoding;
};

} // namespace wirevane::test
