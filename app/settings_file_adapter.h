#pragma once

#include "persistence/settings_interfaces.h"

namespace wirevane {

class CWirevaneDlg;

// The main window as the settings file sees it: the controls a loaded file sets, and the three
// windows whose places an exit stores.
class SettingsFileAdapter final : public SettingsControls, public WindowPlacements {
public:
    explicit SettingsFileAdapter(CWirevaneDlg& window) : m_window(window) {}

    void setCyclicCheck(bool checked) override;
    void selectLineEnd(LineEndSuffix lineEnd) override;
    void showEncoding(TextEncoding encoding) override;

    WindowRect normalRect(PlacedWindow window) const override;
    bool isVisibleAndNotMinimised(PlacedWindow window) const override;

private:
    CWirevaneDlg& m_window;
};

} // namespace wirevane
