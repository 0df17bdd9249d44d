#include "app/file_commands.h"

#include "app/companion_windows.h"
#include "app/file_reports.h"
#include "app/shown_texts.h"
#include "core/sequence_engine.h"
#include "grid/grid_list_ctrl_groups.h"

#include <QFileDialog>
#include <QMessageBox>

namespace wirevane {

namespace {

std::filesystem::path PathOf(const QString& chosen)
{
    return std::filesystem::path(chosen.toStdU16String());
}

} // namespace

FileCommands::FileCommands(QWidget& window, SettingsFile& settings, SequenceEngine& engine,
                           CompanionWindows& windows, CGridListCtrlGroups& grid,
                           const ProgramPaths& paths)
    : m_window(window), m_engine(engine), m_windows(windows), m_grid(grid), m_paths(paths),
      m_commands(settings, *this, *this, paths.programDir, paths.tempPath)
{
}

void FileCommands::Reload()
{
    if (const platform::FileError e = m_commands.OnReload(); !e.ok())
        ShowLoadFailure(&m_window, m_paths.settingsPath, e);
}

void FileCommands::Open()
{
    if (const platform::FileError e = m_commands.OnOpen(); !e.ok())
        ShowLoadFailure(&m_window, m_chosenFile, e);
}

SaveAsResult FileCommands::SaveAs()
{
    SaveAsResult result = m_commands.OnSaveAs();
    if (!result.error.ok())
        ShowSaveFailure(&m_window, result.fullPath, result.error);
    return result;
}

void FileCommands::TemporarySave()
{
    if (const platform::FileError e = m_commands.OnTemporarySave(); !e.ok())
        ShowSaveFailure(&m_window, m_paths.tempPath, e);
}

void FileCommands::TemporaryLoad()
{
    if (const platform::FileError e = m_commands.OnTemporaryLoad(); !e.ok())
        ShowLoadFailure(&m_window, m_paths.tempPath, e);
}

void FileCommands::OnReset()
{
    m_engine.OnReset();
}

void FileCommands::EnableCompanionWindows(bool enable)
{
    m_windows.EnableCompanionWindows(enable);
}

bool FileCommands::Confirm(std::u16string_view text, std::u16string_view caption)
{
    return QMessageBox::question(&m_window, ShownCommandText(caption), ShownCommandText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::filesystem::path>
FileCommands::ChooseFileToOpen(const FileDialogRequest& request)
{
    const QString chosen = QFileDialog::getOpenFileName(
        &m_window, ShownCommandText(request.title),
        QString::fromStdU16String(request.initialFolder.u16string()), QtFileFilter(request.filter));
    if (chosen.isEmpty())
        return std::nullopt;
    m_chosenFile = PathOf(chosen);
    return m_chosenFile;
}

std::optional<std::filesystem::path>
FileCommands::ChooseFileToSave(const FileDialogRequest& request)
{
    QFileDialog dialog(&m_window, ShownCommandText(request.title),
                       QString::fromStdU16String(request.initialFolder.u16string()),
                       QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdU16String(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathOf(dialog.selectedFiles().front());
}

void FileCommands::LoadColumnLayout()
{
    m_grid.GetColumnLayout().LoadAttached();
}

void FileCommands::SaveColumnLayout()
{
    m_grid.GetColumnLayout().SaveAttached();
}

} // namespace wirevane
