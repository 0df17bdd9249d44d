#include "app/run_controls.h"

#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"

#include <QLabel>
#include <QStatusBar>
#include <QStringList>

namespace wirevane {

namespace {

// Long enough to read the remedy, then the connection's status comes back.
constexpr int kRefusalShownMs = 20'000;

} // namespace

void RunControls::AttachStatusBar(QStatusBar& bar)
{
    m_statusBar = &bar;
    QObject::connect(&bar, &QStatusBar::messageChanged, &bar, [&bar](const QString& message) {
        if (message.isEmpty())
            bar.setToolTip(QString());
    });
}

void RunControls::UpdateRunControls(bool running)
{
    m_commands.setEnabled(command::kSend, !running);
    m_commands.setEnabled(command::kStop, running);
    m_commands.setEnabled(command::kReset, true);
    if (m_buttons != nullptr)
        m_buttons->SetStopEnabled(running);
    const RunPriorityRefusals refusals = m_priority.RunChanged(running);
    QStringList told;
    if (const std::optional<platform::RealtimeRefusal>& refusal = refusals.priority)
        told << tr("リアルタイム優先度が拒否されたため、通常の優先度で実行します（"
                   "%1）。許可するには: %2")
                    .arg(QString::fromStdString(refusal->reason),
                         QString::fromStdString(refusal->remedy));
    if (const std::optional<platform::RealtimeRefusal>& refusal = refusals.awakeProcessors)
        told << tr("待機中のプロセッサを起こしたままにできません（%1）。許可するには: %2")
                    .arg(QString::fromStdString(refusal->reason),
                         QString::fromStdString(refusal->remedy));
    if (!told.isEmpty() && m_statusBar != nullptr) {
        m_statusBar->showMessage(told.join(QStringLiteral(" ")), kRefusalShownMs);
        m_statusBar->setToolTip(told.join(QStringLiteral("\n")));
    }
}

void RunControls::SetStatusText(std::u16string_view text)
{
    if (m_buttons != nullptr)
        m_buttons->SetStatusText(QString::fromStdU16String(std::u16string(text)));
}

void RunControls::ChecksCounted(int64_t passed, int64_t failed)
{
    if (m_checksPane == nullptr)
        return;
    m_checksPane->setText(
        tr("チェック: %1 合格, %2 不合格").arg(qlonglong{passed}).arg(qlonglong{failed}));
    // A failure must catch the eye of someone who only glances at the window.
    m_checksPane->setStyleSheet(failed > 0 ? QStringLiteral("color: #c62828; font-weight: bold;")
                                           : QString());
    m_checksPane->show();
}

} // namespace wirevane
