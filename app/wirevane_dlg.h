#pragma once

#include "app/activation_order.h"
#include "app/command_registry.h"
#include "app/controls_row.h"
#include "app/main_port_settings.h"
#include "app/port_options_commands.h"
#include "buttons/button_array_host.h"
#include "core/receive_handler.h"
#include "core/run_observer.h"
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
#include "terminal/connection_manager.h"
#include "terminal/connection_windows.h"
#include "terminal/terminal_host.h"

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
// windows meet; what each command does to the data lives in the classes it calls.
class CWirevaneDlg final : public QMainWindow,
                           public RunObserver,
                           public SettingsControls,
                           public WindowPlacements,
                           public TableLayoutStore,
                           public SettingsCommandHost,
                           public ButtonArrayHost,
                           public TerminalHost,
                           public ConnectionWindows {
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
    // Asks the exit question; true when the program is to end (positions and button file
    // written).
    bool ConfirmExit();
    void ToggleCompanionWindow(QWidget& window);
    // In UTF-8 mode ticked rows with a backslash send it as written: said once on the switch.
    void ReportUnexpandedEscapes();

    CommandRegistry& commands() { return m_commands; }
    CGridListCtrlGroups& grid() { return *m_grid; }
    SendTable& table() { return m_table; }
    RunState& run() { return m_run; }
    CDialogTerminal& terminal() { return *m_terminal; }
    CDialogButtonArray& buttonArray() { return *m_buttons; }
    MainPort& port() { return m_port; }
    ConnectionManager& connection() { return m_connection; }
    const PortOptions& portOptions() const { return m_portOptions.options(); }
    const QFont& listFont() const { return m_listFont; }
    // Shows the main window as the user left it (minimised: restored, maximised stays so) and
    // raises it above the program's other windows.
    void BringToFront();
    bool storesWindowPositions() const { return m_storeWindowPos; }
    QString statusText() const;

    // RunObserver
    void UpdateRunControls(bool running) override;
    void SetStatusText(std::u16string_view text) override;

    // SettingsControls
    void setCyclicCheck(bool checked) override;
    void selectLineEnd(LineEndSuffix lineEnd) override;
    void showEncoding(TextEncoding encoding) override;

    // WindowPlacements
    WindowRect normalRect(PlacedWindow window) const override;
    bool isVisibleAndNotMinimised(PlacedWindow window) const override;

    // TableLayoutStore
    void loadColumnLayout() override;
    void saveColumnLayout() override;

    // SettingsCommandHost, also TerminalHost and ButtonArrayHost
    void OnReset() override;
    void EnableCompanionWindows(bool enable) override;
    bool confirm(std::u16string_view text, std::u16string_view caption) override;
    std::optional<std::filesystem::path>
    chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path>
    chooseFileToSave(const FileDialogRequest& request) override;

    // ButtonArrayHost
    platform::FileError LoadSettingsFile() override;
    SaveAsResult SaveAs() override;
    void OnSend() override;
    void OnStop() override;
    void EnableOtherWindows(bool enable) override;

    // TerminalHost
    void ConnectFrom(QWidget* dialogParent) override;
    void SettingsFrom(QWidget* dialogParent) override;
    void Disconnect() override;
    void SendBreak() override;
    void SetEncoding(TextEncoding encoding) override;
    bool ToggleTesterMode() override;
    bool IsTesterMode() const override;
    void EnableOwnerWindows(bool enable) override;

    // ConnectionWindows
    void SetConnectionStatus(std::u16string_view text) override;
    void UpdateConnectionControls(bool connected) override;
    void StopRun() override;

signals:
    // The exit question was answered with an exit and the window has closed.
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildWindow();
    void BuildStatusBar();
    void ConnectControls();
    void PlaceWindows();
    void SetUpTable();
    const QWidget* WindowOf(PlacedWindow window) const;

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
    void ReportSaveFailure(const std::filesystem::path& file, const platform::FileError& error);
    void ReportLoadFailure(const std::filesystem::path& file, const platform::FileError& error);
    void OnSerialMessage(uint32_t eventWord);
    void OnAnswerTimeout();
    void OnAutoReconnect();
    void ShowPortOptions();

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
