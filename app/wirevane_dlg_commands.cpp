#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/companion_windows.h"
#include "app/dialog_exit.h"
#include "app/file_reports.h"
#include "app/wirevane_dlg.h"
#include "buttons/dialog_button_array.h"
#include "commands/dialog_new_data_tx.h"
#include "commands/dialog_notation.h"
#include "commands/dialog_property.h"
#include "commands/table_commands.h"
#include "grid/grid_images.h"
#include "grid/grid_list_ctrl_groups.h"
#include "terminal/dialog_terminal.h"

#include <QFontDialog>
#include <QHeaderView>

namespace wirevane {

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
        m_files.Reload();
        return true;
    case kOpen:
        m_files.Open();
        return true;
    case kSaveAs:
        m_files.SaveAs();
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
        m_files.TemporarySave();
        return true;
    case kTemporaryLoad:
        m_files.TemporaryLoad();
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
        m_choices.SetEncoding(TextEncoding::Sjis);
        return true;
    case kUtf8Item:
        m_choices.SetEncoding(TextEncoding::Utf8);
        return true;
    case kEucItem:
        m_choices.SetEncoding(TextEncoding::Euc);
        return true;
    case kStepMode:
        m_choices.SetStepMode(!m_run.stepMode);
        return true;
    case kAnswerTimeout:
        OnAnswerTimeout();
        return true;
    case kStopOnFail:
        m_choices.SetStopOnFail(!m_run.stopOnFail);
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
        m_connection.Connect(this);
        return true;
    case kPortSettings:
    case kSettingsButton:
        m_connection.Settings(this);
        return true;
    case kDisconnect:
    case kCloseButton:
        m_connection.Disconnect();
        return true;
    case kSendBreak:
        m_connection.SendBreak();
        return true;
    case kAutoReconnect:
        OnAutoReconnect();
        return true;
    case kLowLatency:
        OnLowLatency();
        return true;
    case kRealtime:
        OnRealtime();
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
        m_windows.Toggle(*m_terminal);
        return true;
    case kButtonArray:
        m_windows.Toggle(*m_buttons);
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
        m_engine.OnSend();
        return true;
    case kStop:
        m_engine.OnStop();
        return true;
    case kReset:
        m_engine.OnReset();
        return true;
    default:
        return false;
    }
}

void CWirevaneDlg::OnNew()
{
    CompanionGuard guard(m_windows);
    m_engine.OnReset();
    CDialogNewDataTX dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    NewTable(m_table, dialog.values());
}

void CWirevaneDlg::OnSelectAll()
{
    m_engine.OnReset();
    SelectAll(m_table, m_run.detailView);
}

void CWirevaneDlg::OnDeselectAll()
{
    m_engine.OnReset();
    DeselectAll(m_table);
}

void CWirevaneDlg::OnBulkChange()
{
    m_engine.OnReset();
    CompanionGuard guard(m_windows);
    CDialogProperty dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    BulkChange(m_table, dialog.values());
}

void CWirevaneDlg::OnFont()
{
    CompanionGuard guard(m_windows);
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_listFont, this);
    if (!chosen)
        return;
    m_listFont = font;
    m_grid->setFont(m_listFont);
    m_grid->header()->setFont(m_headerFont);
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
        CompanionGuard guard(m_windows);
        changed = m_portOptions.AskAnswerTimeout(this);
    }
    ShowPortOptions();
    if (changed && !m_portOptions.lastWrite().ok())
        ShowSaveFailure(this, m_paths.settingsPath, m_portOptions.lastWrite());
}

void CWirevaneDlg::OnAutoReconnect()
{
    m_portOptions.SetAutoReconnect(!m_portOptions.options().autoReconnect);
    ShowPortOptions();
    if (!m_portOptions.lastWrite().ok())
        ShowSaveFailure(this, m_paths.settingsPath, m_portOptions.lastWrite());
}

void CWirevaneDlg::OnLowLatency()
{
    m_portOptions.SetLowLatency(!m_portOptions.options().lowLatency);
    ShowPortOptions();
    if (!m_portOptions.lastWrite().ok())
        ShowSaveFailure(this, m_paths.settingsPath, m_portOptions.lastWrite());
}

void CWirevaneDlg::OnRealtime()
{
    m_portOptions.SetRealtime(!m_portOptions.options().realtime);
    ShowPortOptions();
    if (!m_portOptions.lastWrite().ok())
        ShowSaveFailure(this, m_paths.settingsPath, m_portOptions.lastWrite());
}

// A checkable item flips its own mark when clicked; the mark shows the option, not the click.
void CWirevaneDlg::ShowPortOptions()
{
    m_commands.setChecked(command::kAnswerTimeout, m_portOptions.options().answerTimeoutMs > 0);
    m_commands.setChecked(command::kAutoReconnect, m_portOptions.options().autoReconnect);
    m_commands.setChecked(command::kLowLatency, m_portOptions.options().lowLatency);
    m_commands.setChecked(command::kRealtime, m_portOptions.options().realtime);
}

void CWirevaneDlg::OnSymbols()
{
    CompanionGuard guard(m_windows);
    CDialogNotation dialog(MarkerIcon, this);
    dialog.exec();
}

void CWirevaneDlg::OnAbout()
{
    CompanionGuard guard(m_windows);
    m_engine.OnReset();
    CAboutDlg dialog(this);
    dialog.exec();
}

void CWirevaneDlg::OnStoreWindowPositions()
{
    m_storeWindowPos = !m_storeWindowPos;
    m_commands.setChecked(command::kStoreWindowPositions, m_storeWindowPos);
}

void CWirevaneDlg::WriteExitPositions()
{
    if (m_storeWindowPos)
        m_settings.WriteWindowPositions(m_windows);
    else
        m_settings.ClearWindowPositions();
}

bool CWirevaneDlg::ConfirmExit()
{
    // Save and exit puts the table and the window positions in one write of the file: the
    // program ends right after it, so the positions are already what they will be.
    bool positionsWritten = false;
    const auto saveAndExit = [this, &positionsWritten] {
        ProfileSession session(m_store);
        if (platform::FileError error = m_settings.WriteSettings(); !error.ok())
            return error;
        WriteExitPositions();
        platform::FileError error = session.commit();
        positionsWritten = error.ok();
        return error;
    };
    CDialogExit dialog(
        saveAndExit,
        [this](const platform::FileError& error) {
            ShowSaveFailure(this, m_store.settingsPath(), error);
        },
        this);
    m_windows.EnableCompanionWindows(false);
    if (dialog.exec() != QDialog::Accepted) {
        m_windows.EnableCompanionWindows(true);
        return false;
    }
    // Failures here are not reported: the table, which matters, was saved or declined above.
    if (!positionsWritten)
        WriteExitPositions();
    m_buttons->SaveButtonFile();
    m_exitConfirmed = true;
    return true;
}

} // namespace wirevane
