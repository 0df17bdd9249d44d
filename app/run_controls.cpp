#include "app/run_controls.h"

#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"

#include <QLabel>

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

void RunControls::ChecksCounted(int passed, int failed)
{
    if (m_checksPane == nullptr)
        return;
    m_checksPane->setText(tr("チェック: %1 合格, %2 不合格").arg(passed).arg(failed));
    // A failure must catch the eye of someone who only glances at the window.
    m_checksPane->setStyleSheet(failed > 0 ? QStringLiteral("color: #c62828; font-weight: bold;")
                                           : QString());
    m_checksPane->show();
}

} // namespace wirevane
