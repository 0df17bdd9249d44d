#pragma once

#include "chart/chart_window.h"
#include "connection/connection_manager.h"
#include "core/memory_cell_grid.h"
#include "core/receive_handler.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "core/sequence_engine.h"
#include "fakes/recording_run_observer.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/serial_port_access.h"
#include "support/temp_dir.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_host.h"

#include <QTimer>

namespace wirevane::test {

// The terminal, the connection commands, the engine and the receive handler wired together as
// the main window wires them, over an in-memory table and a settings file in a temporary folder.
class TerminalRig final : public TerminalHost, public ConnectionWindows {
public:
    TerminalRig()
        : m_store(m_dir / "Wirevane.ini", m_files), m_table(m_grid, m_run), m_access(m_port),
          m_tap(&m_access, SystemTrafficClock()),
          m_timer([this] { m_engine.OnStepTimer(kSequenceTimerId); }), m_terminal(*this, &m_tap),
          m_receivedText(m_terminal, m_tap),
          m_engine(m_table, m_run, m_tap, m_terminal, m_timer, m_observer),
          m_receiver(m_run, m_tap, m_receivedText, m_timer),
          m_messages([this](uint32_t, uintptr_t word) { OnSerialMessage(uint32_t(word)); }),
          m_connection(m_port, &m_messages, m_store, *this, m_terminal)
    {
        m_terminal.ShowTrafficOf(m_tap);
        m_receiver.SetMeasurementSink(&m_terminal.chart());
        m_table.FillAtStartup();
        m_receiver.Allocate();
        m_receiver.SetContinuation([this] {
            QTimer::singleShot(0, &m_messages, [this] { m_receiver.ContinueReading(); });
        });
        m_connection.ShowConnectionState();
    }
    ~TerminalRig() override
    {
        m_timer.Kill();
        m_port.Close();
    }

    CDialogTerminal& terminal() { return m_terminal; }
    RunState& run() { return m_run; }
    MainPort& port() { return m_port; }
    SequenceEngine& engine() { return m_engine; }
    ConnectionManager& connection() { return m_connection; }

    void SetRow(int index, std::u16string text, WaitKind wait, int delay)
    {
        m_table.rows()[static_cast<std::size_t>(index)] =
            SendRow{1, std::move(text), wait, 0, delay};
        m_table.RewriteFromRows();
    }

    // TerminalHost
    void ConnectFrom(QWidget* parent) override { m_connection.Connect(parent); }
    void SettingsFrom(QWidget* parent) override { m_connection.Settings(parent); }
    void Disconnect() override { m_connection.Disconnect(); }
    void SendBreak() override { m_connection.SendBreak(); }
    void OnReset() override { m_engine.OnReset(); }
    void SetEncoding(TextEncoding encoding) override
    {
        m_run.encoding = encoding;
        m_terminal.ShowEncoding(encoding);
    }
    bool ToggleTesterMode() override
    {
        m_run.testerMode = !m_run.testerMode;
        return m_run.testerMode;
    }
    bool IsTesterMode() const override { return m_run.testerMode; }
    void EnableMainWindowAndButtonArray(bool) override {}
    std::filesystem::path FilesFolder() const override { return m_dir.path(); }
    std::vector<std::filesystem::path> OwnSettingsFiles() const override { return {}; }

    // ConnectionWindows
    void SetConnectionStatus(std::u16string_view text) override
    {
        m_terminal.SetStatusText(QString::fromStdU16String(std::u16string(text)));
    }
    void UpdateConnectionControls(bool connected) override
    {
        m_terminal.UpdateConnectionControls(connected);
    }
    void EnableCompanionWindows(bool enable) override
    {
        m_terminal.EnableTextArea(enable);
        m_terminal.setEnabled(enable);
    }
    void StopRun() override { m_engine.OnStop(); }
    void DiscardHeldInput() override
    {
        m_receiver.DiscardHeld();
        m_tap.TakeUnshownRead();
    }

private:
    void OnSerialMessage(uint32_t word)
    {
        m_receiver.OnSerialMessage(word);
        if (ConnectionManager::IsPortLost(word))
            m_connection.OnPortLost();
    }

    TempDir m_dir;
    DiskProfileFiles m_files;
    ProfileStore m_store;
    MemoryCellGrid m_grid;
    RunState m_run;
    SendTable m_table;
    MainPort m_port;
    SerialPortAccess m_access;
    TrafficTap m_tap;
    RecordingRunObserver m_observer;
    platform::QtStepTimer m_timer;
    CDialogTerminal m_terminal;
    ReceivedTextSink m_receivedText;
    SequenceEngine m_engine;
    ReceiveHandler m_receiver;
    platform::PortMessageReceiver m_messages;
    ConnectionManager m_connection;
};

} // namespace wirevane::test
