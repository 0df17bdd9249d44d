#pragma once

#include "app/activation_order.h"
#include "app/button_array_adapter.h"
#include "app/command_registry.h"
#include "app/connection_windows_adapter.h"
#include "app/controls_row.h"
#include "app/file_commands_adapter.h"
#include "app/port_options_commands.h"
#include "app/run_controls_adapter.h"
#include "app/settings_file_adapter.h"
#include "app/terminal_adapter.h"
#include "connection/connection_manager.h"
#include "connection/main_port_settings.h"
#include "core/receive_handler.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "persistence/profile_store.h"
#include "persistence/program_paths.h"
#include "persistence/settings_commands.h"
#include "persistence/settings_file.h"
#include "persistence/settings_interfaces.h"
#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/serial_port_access.h"

#include <QFont>
#include <QMainWindow>
#include <memory>

class QLabel;
class QToolBar;

namespace wirevane {

class CDialogButtonArray;
class CDialogTerminal;
class CGridListCtrlGroups;

// The main window: the send table with its commands, the run controls, the port commands and
// the two companion windows (terminal and button array), which it creates, places and destroys.
// It is the place where the engine, the receive handler, the port, the settings file and the
// windows meet; what each command does to the data lives in the classes it calls. Each of those
// parts is handed its own view of the window, an adapter the window owns.
class CWirevaneDlg final : public QMainWindow {
    Q_OBJECT
public:
    using PortLister = ConnectionManager::PortLister;

    CWirevaneDlg(ProfileStore& store, const ProgramPaths& paths,
                 PortLister lister = ConnectionManager::SystemPorts);
    ~CWirevaneDlg() override;

    // Start-up in order: receive buffers, flags, settings file, controls, companion windows,
    // placement, status, table. False when the receive buffers could not be had (the user has
    // been told); the window is then not shown.
    bool OnInitDialog();

    // Runs a command as its menu item, toolbar button or hidden button would.
    void Trigger(int id);
    // Shows the main window as the user left it (minimised: restored, maximised stays so) and
    // raises it above the program's other windows.
    void BringToFront();

    CommandRegistry& commands() { return m_commands; }
    CGridListCtrlGroups& grid() { return *m_grid; }
    SendTable& table() { return m_table; }
    RunState& run() { return m_run; }
    CDialogTerminal& terminal() { return *m_terminal; }
    CDialogButtonArray& buttonArray() { return *m_buttons; }
    MainPort& port() { return m_port; }
    const PortOptions& portOptions() const { return m_portOptions.options(); }
    const QFont& listFont() const { return m_listFont; }
    QString statusText() const;

signals:
    // The exit question was answered with an exit and the window has closed.
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class RunControlsAdapter;
    friend class SettingsFileAdapter;
    friend class FileCommandsAdapter;
    friend class ButtonArrayAdapter;
    friend class TerminalAdapter;
    friend class ConnectionWindowsAdapter;

    void BuildWindow();
    void BuildStatusBar();
    void ConnectControls();
    void PlaceWindows();
    void SetUpTable();
    const QWidget* WindowOf(PlacedWindow window) const;

    // The commands, grouped as the menus group them; each answers whether id was one of its.
    bool TriggerFileCommand(int id);
    bool TriggerEditCommand(int id);
    bool TriggerPortCommand(int id);
    bool TriggerViewCommand(int id);
    bool TriggerRunCommand(int id);

    void OnNew();
    void OnSelectAll();
    void OnDeselectAll();
    void OnBulkChange();
    void OnFont();
    void OnStepMode(bool on);
    void OnDetailView();
    void OnSymbols();
    void OnAbout();
    // The language items show the stored choice; choosing one stores it for the next start.
    void ShowLanguageChoice();
    void OnLanguage(int id);
    void OnStoreWindowPositions();
    void ToggleCompanionWindow(QWidget& window);
    // Asks the exit question; true when the program is to end (positions and button file
    // written).
    bool ConfirmExit();
    // In UTF-8 mode ticked rows with a backslash send it as written: said once on the switch.
    void ReportUnexpandedEscapes();
    void ReportSaveFailure(const std::filesystem::path& file, const platform::FileError& error);
    void ReportLoadFailure(const std::filesystem::path& file, const platform::FileError& error);
    void OnSerialMessage(uint32_t eventWord);
    void OnAnswerTimeout();
    void OnAutoReconnect();
    void ShowPortOptions();

    // The run's side of the window.
    void UpdateRunControls(bool running);
    void SetStatusText(std::u16string_view text);

    // What a loaded settings file shows, and the places an exit stores.
    void SetCyclicCheck(bool checked);
    void SelectLineEnd(LineEndSuffix lineEnd);
    void ShowEncoding(TextEncoding encoding);
    WindowRect NormalRect(PlacedWindow window) const;
    bool IsVisibleAndNotMinimised(PlacedWindow window) const;

    // What the file commands ask of the window.
    void OnReset();
    void EnableTerminalAndButtonArray(bool enable);
    bool Confirm(std::u16string_view text, std::u16string_view caption);
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request);
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request);
    void LoadColumnLayout();
    void SaveColumnLayout();

    // What the button array asks of the window.
    platform::FileError LoadSettingsFile();
    SaveAsResult SaveAs();
    void OnSend();
    void OnStop();
    void EnableMainWindowAndTerminal(bool enable);

    // What the terminal asks of the window.
    void ConnectFrom(QWidget* dialogParent);
    void SettingsFrom(QWidget* dialogParent);
    void Disconnect();
    void SendBreak();
    void SetEncoding(TextEncoding encoding);
    bool ToggleTesterMode();
    bool IsTesterMode() const;
    void EnableMainWindowAndButtonArray(bool enable);

    // What connection management changes in the window.
    void SetConnectionStatus(std::u16string_view text);
    void UpdateConnectionControls(bool connected);
    void DiscardHeldInput();

    // First, so that every part below can be handed its view of the window as it is built.
    RunControlsAdapter m_runView{*this};
    SettingsFileAdapter m_settingsView{*this};
    FileCommandsAdapter m_fileCommandsView{*this};
    ButtonArrayAdapter m_buttonArrayView{*this};
    TerminalAdapter m_terminalView{*this};
    ConnectionWindowsAdapter m_connectionView{*this};

    ProfileStore& m_store;
    ProgramPaths m_paths;
    CommandRegistry m_commands;
    ActivationOrder m_activation;
    RunState m_run;
    CGridListCtrlGroups* m_grid;
    SendTable m_table;
    MainPort m_port;
    SerialPortAccess m_access;
    MainPortSettings m_portSettings;
    platform::QtStepTimer m_timer;
    std::unique_ptr<CDialogTerminal> m_terminal;
    SequenceEngine m_engine;
    ReceiveHandler m_receiver;
    platform::PortMessageReceiver m_messages;
    ConnectionManager m_connection;
    PortOptionsCommands m_portOptions;
    SettingsFile m_settings;
    SettingsCommands m_fileCommands;
    std::unique_ptr<CDialogButtonArray> m_buttons;

    ControlsRow m_controls;
    QToolBar* m_firstToolBar = nullptr;
    QToolBar* m_secondToolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    // The file the open command chose last, for its failure message.
    std::filesystem::path m_chosenFile;
    QFont m_listFont;
    QFont m_headerFont;
    bool m_storeWindowPos = true;
    // The encoding the menus show, to tell a switch to UTF-8 from showing it again.
    TextEncoding m_shownEncoding = kEncodingSjis;
    bool m_exitConfirmed = false;
};

} // namespace wirevane
