#pragma once

#include "app/button_array_commands.h"
#include "app/command_registry.h"
#include "app/companion_windows.h"
#include "app/connection_display.h"
#include "app/controls_row.h"
#include "app/file_commands.h"
#include "app/paint_pacer.h"
#include "app/port_options_commands.h"
#include "app/run_choices.h"
#include "app/run_controls.h"
#include "app/terminal_commands.h"
#include "connection/connection_manager.h"
#include "connection/main_port_settings.h"
#include "core/receive_handler.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "persistence/profile_store.h"
#include "persistence/program_paths.h"
#include "persistence/settings_file.h"
#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/serial_port_access.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_tap.h"

#include <QFont>
#include <QMainWindow>
#include <memory>

class QLabel;
class QToolBar;

namespace wirevane {

class CDialogButtonArray;
class CDialogTerminal;
class CGridListCtrlGroups;

// The main window: the send table with its commands, the run controls and the port commands.
// It builds the program's parts and wires them together: the port and the tap all traffic
// passes, the engine and the receive handler on that tap, the two companion windows (terminal
// and button array) and the classes that do what their commands ask.
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
    void BuildWindow();
    void BuildStatusBar();
    void SetUpTable();

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
    void OnDetailView();
    void OnSymbols();
    void OnAbout();
    // The language items show the stored choice; choosing one stores it for the next start.
    void ShowLanguageChoice();
    void OnLanguage(int id);
    void OnStoreWindowPositions();
    // Asks the exit question; true when the program is to end (positions and button file
    // written).
    bool ConfirmExit();
    // The window positions as the exit leaves them: stored, or cleared when they are not kept.
    void WriteExitPositions();
    void OnSerialMessage(uint32_t eventWord);
    void OnAnswerTimeout();
    void OnAutoReconnect();
    void OnLowLatency();
    void OnRealtime();
    void ShowPortOptions();

    ProfileStore& m_store;
    ProgramPaths m_paths;
    CommandRegistry m_commands;
    RunState m_run;
    CGridListCtrlGroups* m_grid;
    SendTable m_table;
    // Filled as the window is built, before anything reads it.
    ControlsRow m_controls;
    QLabel* m_statusPane;
    MainPort m_port;
    SerialPortAccess m_access;
    TrafficTap m_tap;
    CompanionWindows m_windows{*this};
    RunPriority m_runPriority{m_port};
    RunControls m_runControls{m_commands, m_runPriority};
    TerminalCommands m_terminalCommands;
    platform::QtStepTimer m_timer;
    std::unique_ptr<CDialogTerminal> m_terminal;
    ReceivedTextSink m_receivedText;
    RunChoices m_choices;
    SequenceEngine m_engine;
    ReceiveHandler m_receiver;
    platform::PortMessageReceiver m_messages;
    ConnectionDisplay m_connectionDisplay;
    ConnectionManager m_connection;
    PortOptionsCommands m_portOptions;
    MainPortSettings m_portSettings;
    SettingsFile m_settings;
    FileCommands m_files;
    ButtonArrayCommands m_buttonArrayCommands;
    std::unique_ptr<CDialogButtonArray> m_buttons;
    PaintPacer m_paintPacer;

    QToolBar* m_firstToolBar = nullptr;
    QToolBar* m_secondToolBar = nullptr;
    QFont m_listFont;
    QFont m_headerFont;
    bool m_storeWindowPos = true;
    bool m_exitConfirmed = false;
};

} // namespace wirevane
