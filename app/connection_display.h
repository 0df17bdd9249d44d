#pragma once

#include "app/command_registry.h"
#include "connection/connection_windows.h"

class QLabel;

namespace wirevane {

class CDialogTerminal;
class CompanionWindows;
class ReceiveHandler;
class SequenceEngine;
class TrafficTap;

// Where a change of the connection shows and what it ends: the status panes and the port
// commands of both windows, the companion windows around the port dialogs, the run that a lost
// device stops, and the received input still held from the device that was open.
class ConnectionDisplay final : public ConnectionWindows {
public:
    ConnectionDisplay(QLabel& statusPane, CommandRegistry& commands, CDialogTerminal& terminal,
                      CompanionWindows& windows, SequenceEngine& engine, ReceiveHandler& receiver,
                      TrafficTap& tap)
        : m_statusPane(statusPane), m_commands(commands), m_terminal(terminal), m_windows(windows),
          m_engine(engine), m_receiver(receiver), m_tap(tap)
    {
    }

    void SetConnectionStatus(std::u16string_view text) override;
    void UpdateConnectionControls(bool connected) override;
    void EnableCompanionWindows(bool enable) override;
    void StopRun() override;
    void DiscardHeldInput() override;

private:
    QLabel& m_statusPane;
    CommandRegistry& m_commands;
    CDialogTerminal& m_terminal;
    CompanionWindows& m_windows;
    SequenceEngine& m_engine;
    ReceiveHandler& m_receiver;
    TrafficTap& m_tap;
};

} // namespace wirevane
