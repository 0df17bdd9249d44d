#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/dialog_exit.h"
#include "app/file_reports.h"
#include "app/shown_texts.h"
#include "app/wirevane_dlg.h"
#include "buttons/dialog_button_array.h"
#include "commands/dialog_new_data_tx.h"
#include "commands/dialog_notation.h"
#include "commands/dialog_property.h"
#include "commands/table_commands.h"
#include "grid/grid_images.h"
#include "grid/grid_list_ctrl_groups.h"
#include "terminal/dialog_terminal.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QMessageBox>

namespace wirevane {

namespace {

// The companion windows are disabled while a dialog of this window is open and enabled again
// however the dialog ends.
class CompanionGuard {
public:
    explicit CompanionGuard(SettingsCommandHost& host) : m_host(host)
    {
        m_host.EnableTerminalAndButtonArray(false);
    }
    ~CompanionGuard() { m_host.EnableTerminalAndButtonArray(true); }
    CompanionGuard(const CompanionGuard&) = delete;
    CompanionGuard& operator=(const CompanionGuard&) = delete;

private:
    SettingsCommandHost& m_host;
};

std::filesystem::path PathOf(const QString& chosen)
{
    return std::filesystem::path(chosen.toStdU16String());
}

} // namespace

void CWirevaneDlg::Trigger(int id)
{
    // An id of no group (a control's, the table's) is no command and does nothing.
    for (const auto group : {&CWirevaneDlg::TriggerFileCommand, &CWirevaneDlg::TriggerEditCommand,
                             &CWirevaneDlg::TriggerPortCommand, &CWirevaneDlg::TriggerViewCommand,
                             &CWirevaneDlg::TriggerRunCommand})
        if ((this->*group)(id))
            return;
}

bool CWirevaneDlg::TriggerFileCommand(int id)
{
    using namespace command;
    switch (id) {
    case kNew:
        OnNew();
        return true;
    case kReload:
        if (const platform::FileError e = m_fileCommands.OnReload(); !e.ok())
            ReportLoadFailure(m_paths.settingsPath, e);
        return true;
    case kOpen:
        if (const platform::FileError e = m_fileCommands.OnOpen(); !e.ok())
            ReportLoadFailure(m_chosenFile, e);
        return true;
    case kSaveAs:
        SaveAs();
        return true;
    case kStoreWindowPositions:
        OnStoreWindowPositions();
        return true;
    case kExit:
    case kExitButton:
        close();
        return true;
    default:
        return false;
    }
}

bool CWirevaneDlg::TriggerEditCommand(int id)
{
    using namespace command;
    switch (id) {
    case kTemporarySave:
        if (const platform::FileError e = m_fileCommands.OnTemporarySave(); !e.ok())
            ReportSaveFailure(m_paths.tempPath, e);
        return true;
    case kTemporaryLoad:
        if (const platform::FileError e = m_fileCommands.OnTemporaryLoad(); !e.ok())
            ReportLoadFailure(m_paths.tempPath, e);
        return true;
    case kSelectAll:
        OnSelectAll();
        return true;
    case kDeselectAll:
        OnDeselectAll();
        return true;
    case kBulkChange:
        OnBulkChange();
        return true;
    case kFont:
        OnFont();
        return true;
    case kSjisItem:
        SetEncoding(kEncodingSjis);
        return true;
    case kUtf8Item:
        SetEncoding(kEncodingUtf8);
        return true;
    case kEucItem:
        SetEncoding(kEncodingEuc);
        return true;
    case kStepMode:
        OnStepMode(!m_run.stepMode);
        return true;
    case kAnswerTimeout:
        OnAnswerTimeout();
        return true;
    default:
        return false;
    }
}

bool CWirevaneDlg::TriggerPortCommand(int id)
{
    using namespace command;
    switch (id) {
    case kConnect:
    case kOpenButton:
        ConnectFrom(this);
        return true;
    case kPortSettings:
    case kSettingsButton:
        SettingsFrom(this);
        return true;
    case kDisconnect:
    case kCloseButton:
        Disconnect();
        return true;
    case kSendBreak:
        SendBreak();
        return true;
    case kAutoReconnect:
        OnAutoReconnect();
        return true;
    default:
        return false;
    }
}

bool CWirevaneDlg::TriggerViewCommand(int id)
{
    using namespace command;
    switch (id) {
    case kTerminal:
    case kTerminalButton:
        ToggleCompanionWindow(*m_terminal);
        return true;
    case kButtonArray:
        ToggleCompanionWindow(*m_buttons);
        return true;
    case kSymbols:
        OnSymbols();
        return true;
    case kDetailView:
        OnDetailView();
        return true;
    case kAbout:
        OnAbout();
        return true;
    case kLanguageDesktop:
    case kLanguageJapanese:
    case kLanguageEnglish:
        OnLanguage(id);
        return true;
    default:
        return false;
    }
}

// The buttons beside the table.
bool CWirevaneDlg::TriggerRunCommand(int id)
{
    using namespace command;
    switch (id) {
    case kSend:
        OnSend();
        return true;
    case kStop:
        OnStop();
        return true;
    case kReset:
        OnReset();
        return true;
    default:
        return false;
    }
}

void CWirevaneDlg::OnNew()
{
    CompanionGuard guard(m_fileCommandsView);
    OnReset();
    CDialogNewDataTX dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    NewTable(m_table, dialog.values());
}

void CWirevaneDlg::OnSelectAll()
{
    OnReset();
    SelectAll(m_table, m_run.detailView);
}

void CWirevaneDlg::OnDeselectAll()
{
    OnReset();
    DeselectAll(m_table);
}

void CWirevaneDlg::OnBulkChange()
{
    OnReset();
    CompanionGuard guard(m_fileCommandsView);
    CDialogProperty dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    BulkChange(m_table, dialog.values());
}

void CWirevaneDlg::OnFont()
{
    CompanionGuard guard(m_fileCommandsView);
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_listFont, this);
    if (!chosen)
        return;
    m_listFont = font;
    m_grid->setFont(m_listFont);
    m_grid->header()->setFont(m_headerFont);
}

void CWirevaneDlg::OnStepMode(bool on)
{
    m_run.stepMode = on;
    m_commands.setChecked(command::kStepMode, on);
    m_controls.step->setChecked(on);
}

void CWirevaneDlg::OnDetailView()
{
    m_run.detailView = !m_run.detailView;
    m_commands.setChecked(command::kDetailView, m_run.detailView);
}

void CWirevaneDlg::OnAnswerTimeout()
{
    bool changed = false;
    {
        CompanionGuard guard(m_fileCommandsView);
        changed = m_portOptions.AskAnswerTimeout(this);
    }
    ShowPortOptions();
    if (changed && !m_portOptions.lastWrite().ok())
        ReportSaveFailure(m_paths.settingsPath, m_portOptions.lastWrite());
}

void CWirevaneDlg::OnAutoReconnect()
{
    m_portOptions.SetAutoReconnect(!m_portOptions.options().autoReconnect);
    ShowPortOptions();
    if (!m_portOptions.lastWrite().ok())
        ReportSaveFailure(m_paths.settingsPath, m_portOptions.lastWrite());
}

// A checkable item flips its own mark when clicked; the mark shows the option, not the click.
void CWirevaneDlg::ShowPortOptions()
{
    m_commands.setChecked(command::kAnswerTimeout, m_portOptions.options().answerTimeoutMs > 0);
    m_commands.setChecked(command::kAutoReconnect, m_portOptions.options().autoReconnect);
}

void CWirevaneDlg::OnSymbols()
{
    CompanionGuard guard(m_fileCommandsView);
    CDialogNotation dialog(MarkerIcon, this);
    dialog.exec();
}

void CWirevaneDlg::OnAbout()
{
    CompanionGuard guard(m_fileCommandsView);
    OnReset();
    CAboutDlg dialog(this);
    dialog.exec();
}

void CWirevaneDlg::OnStoreWindowPositions()
{
    m_storeWindowPos = !m_storeWindowPos;
    m_commands.setChecked(command::kStoreWindowPositions, m_storeWindowPos);
}

void CWirevaneDlg::ToggleCompanionWindow(QWidget& window)
{
    if (m_activation.isUncovered(window, {this, m_terminal.get(), m_buttons.get()})) {
        window.hide();
        return;
    }
    // Out of the minimised state only: a maximised window comes back maximised.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

bool CWirevaneDlg::ConfirmExit()
{
    CDialogExit dialog([this] { return m_settings.WriteSettings(); },
                       [this](const platform::FileError& error) {
                           ReportSaveFailure(m_store.settingsPath(), error);
                       },
                       this);
    EnableTerminalAndButtonArray(false);
    if (dialog.exec() != QDialog::Accepted) {
        EnableTerminalAndButtonArray(true);
        return false;
    }
    // Failures here are not reported: the table, which matters, was saved or declined above.
    if (m_storeWindowPos)
        m_settings.WriteWindowPositions(m_settingsView);
    else
        m_settings.ClearWindowPositions();
    m_buttons->SaveButtonFile();
    m_exitConfirmed = true;
    return true;
}

void CWirevaneDlg::ReportSaveFailure(const std::filesystem::path& file,
                                     const platform::FileError& error)
{
    QMessageBox::critical(this, QStringLiteral("Wirevane"), SaveFailureText(file, error));
}

void CWirevaneDlg::ReportLoadFailure(const std::filesystem::path& file,
                                     const platform::FileError& error)
{
    QMessageBox::critical(this, QStringLiteral("Wirevane"), LoadFailureText(file, error));
}

// What the file commands ask of the window

void CWirevaneDlg::OnReset()
{
    m_engine.OnReset();
}

void CWirevaneDlg::EnableTerminalAndButtonArray(bool enable)
{
    m_terminal->EnableTextArea(enable);
    m_buttons->EnableButtons(enable);
    m_terminal->setEnabled(enable);
    m_buttons->setEnabled(enable);
}

bool CWirevaneDlg::Confirm(std::u16string_view text, std::u16string_view caption)
{
    return QMessageBox::question(this, ShownCommandText(caption), ShownCommandText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::filesystem::path>
CWirevaneDlg::ChooseFileToOpen(const FileDialogRequest& request)
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, ShownCommandText(request.title),
        QString::fromStdU16String(request.initialFolder.u16string()), QtFileFilter(request.filter));
    if (chosen.isEmpty())
        return std::nullopt;
    m_chosenFile = PathOf(chosen);
    return m_chosenFile;
}

std::optional<std::filesystem::path>
CWirevaneDlg::ChooseFileToSave(const FileDialogRequest& request)
{
    QFileDialog dialog(this, ShownCommandText(request.title),
                       QString::fromStdU16String(request.initialFolder.u16string()),
                       QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdU16String(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathOf(dialog.selectedFiles().front());
}

// What the button array asks of the window

platform::FileError CWirevaneDlg::LoadSettingsFile()
{
    return m_settings.LoadSettingsFile();
}

SaveAsResult CWirevaneDlg::SaveAs()
{
    SaveAsResult result = m_fileCommands.OnSaveAs();
    if (!result.error.ok())
        ReportSaveFailure(result.fullPath, result.error);
    return result;
}

void CWirevaneDlg::OnSend()
{
    m_engine.OnSend();
}

void CWirevaneDlg::OnStop()
{
    m_engine.OnStop();
}

void CWirevaneDlg::EnableMainWindowAndTerminal(bool enable)
{
    setEnabled(enable);
    m_terminal->setEnabled(enable);
    m_terminal->EnableTextArea(enable);
}

// What the terminal asks of the window

void CWirevaneDlg::ConnectFrom(QWidget* dialogParent)
{
    m_connection.Connect(dialogParent);
}

void CWirevaneDlg::SettingsFrom(QWidget* dialogParent)
{
    m_connection.Settings(dialogParent);
}

void CWirevaneDlg::Disconnect()
{
    m_connection.Disconnect();
}

void CWirevaneDlg::SendBreak()
{
    m_connection.SendBreak();
}

void CWirevaneDlg::SetEncoding(TextEncoding encoding)
{
    m_run.encoding = encoding;
    ShowEncoding(encoding);
}

bool CWirevaneDlg::ToggleTesterMode()
{
    m_run.testerMode = !m_run.testerMode;
    return m_run.testerMode;
}

bool CWirevaneDlg::IsTesterMode() const
{
    return m_run.testerMode;
}

void CWirevaneDlg::EnableMainWindowAndButtonArray(bool enable)
{
    setEnabled(enable);
    m_buttons->setEnabled(enable);
}

} // namespace wirevane
