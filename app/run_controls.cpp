#include "app/run_controls.h"

#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"

namespace wirevane {

void RunControls::UpdateRunControls(bool running)
{
    m_commands.setEnabled(command::kSend, !running);
    m_commands.setEnabled(command::kStop, running);
    m_commands.setEnabled(command::kReset, true);
    if (m_buttons != nullptr)
        m_buttons->SetStopEnabled(running);
}

void RunControls::SetStatusText(std::u16string_view text)
{
    if (m_buttons != nullptr)
        m_buttons->SetStatusText(QString::fromStdU16String(std::u16string(text)));
}

} // namespace wirevane
