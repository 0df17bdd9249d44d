#include "app/run_controls_adapter.h"

#include "app/wirevane_dlg.h"

namespace wirevane {

void RunControlsAdapter::UpdateRunControls(bool running)
{
    m_window.UpdateRunControls(running);
}

void RunControlsAdapter::SetStatusText(std::u16string_view text)
{
    m_window.SetStatusText(text);
}

} // namespace wirevane
