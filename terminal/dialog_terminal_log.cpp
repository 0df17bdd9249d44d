#include "platform/same_file.h"
#include "terminal/dialog_terminal.h"
#include "terminal/log_start_dialog.h"
#include "terminal/terminal_host.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <cerrno>

namespace wirevane {

namespace {

constexpr int kLogPaneWidth = 360;

} // namespace

platform::FileError CDialogTerminal::StartLog(const LogChoice& choice)
{
    for (const std::filesystem::path& own : m_host.OwnSettingsFiles())
        if (platform::SameFile(choice.file, own)) {
            platform::FileError refused = platform::FileError::fromErrno(EINVAL);
            refused.message =
                tr("Wirevane の設定ファイルです。ログで上書きすることはできません。").toStdString();
            return refused;
        }
    StopLog();
    m_lastLog = choice;
    m_logStopped.clear();
    platform::FileError error = m_log.Start(choice);
    if (error.ok())
        m_logFlush.start();
    ShowLogState();
    return error;
}

void CDialogTerminal::StopLog()
{
    if (!m_log.running())
        return;
    m_logFlush.stop();
    if (!m_log.Stop().ok())
        LogFailed();
    ShowLogState();
}

void CDialogTerminal::FlushLog()
{
    if (!m_log.FlushIfDue(LogFile::Clock::now()))
        LogFailed();
}

void CDialogTerminal::LogFailed()
{
    m_logFlush.stop();
    const std::u16string file = m_lastLog.file.u16string();
    const std::string reason = m_log.failure() ? m_log.failure()->message : std::string();
    m_logStopped =
        tr("ログ停止: %1: %2").arg(QString::fromStdU16String(file), QString::fromStdString(reason));
    ShowLogState();
    // Said in the record, where the traffic the log misses from here on is.
    AppendReport(u"Log to " + file + u" stopped: " +
                 QString::fromStdString(reason).toStdU16String() + u".");
}

void CDialogTerminal::ShowLogState()
{
    const bool running = m_log.running();
    m_startLog->setEnabled(!running);
    m_stopLog->setEnabled(running);
    m_logPane->setStyleSheet(!running && !m_logStopped.isEmpty() ? QStringLiteral("color: #c62828;")
                                                                 : QString());
    // A long path must not widen the window: the pane shows its middle elided, the tip all.
    const QString text = LogStatusText();
    m_logPane->setText(m_logPane->fontMetrics().elidedText(text, Qt::ElideMiddle, kLogPaneWidth));
    m_logPane->setToolTip(text);
}

QString CDialogTerminal::LogStatusText() const
{
    if (m_log.running())
        return QStringLiteral("LOG ") + QString::fromStdU16String(m_lastLog.file.u16string());
    return m_logStopped;
}

void CDialogTerminal::OnStartLog()
{
    m_host.EnableMainWindowAndButtonArray(false);
    LogStartDialog dialog(m_lastLog, m_timestamps, m_host.FilesFolder(), this);
    while (dialog.exec() == QDialog::Accepted) {
        SetTimestamps(dialog.timestamps());
        const LogChoice choice = dialog.choice();
        const platform::FileError error = StartLog(choice);
        if (error.ok())
            break;
        QMessageBox::critical(
            this, windowTitle(),
            QStringLiteral("%1\n%2").arg(QString::fromStdU16String(choice.file.u16string()),
                                         QString::fromStdString(error.message)));
    }
    m_host.EnableMainWindowAndButtonArray(true);
}

} // namespace wirevane
