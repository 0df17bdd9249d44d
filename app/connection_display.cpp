#include "app/connection_display.h"

#include "app/command_ids.h"
#include "app/companion_windows.h"
#include "app/shown_texts.h"
#include "core/receive_handler.h"
#include "core/sequence_engine.h"
#include "terminal/dialog_terminal.h"

#include <QLabel>

namespace wirevane {

void ConnectionDisplay::SetConnectionStatus(std::u16string_view text)
{
    const QString shown = ShownConnectionStatus(text);
    m_statusPane.setText(shown);
    m_terminal.SetStatusText(shown);
}

void ConnectionDisplay::UpdateConnectionControls(bool connected)
{
    using namespace command;
    m_commands.setEnabled(kConnect, !connected);
    m_commands.setEnabled(kOpenButton, !connected);
    for (int id : {kDisconnect, kPortSettings, kSendBreak, kCloseButton, kSettingsButton})
        m_commands.setEnabled(id, connected);
    m_terminal.UpdateConnectionControls(connected);
}

void ConnectionDisplay::EnableCompanionWindows(bool enable)
{
    m_windows.EnableCompanionWindows(enable);
}

void ConnectionDisplay::StopRun()
{
    m_engine.OnStop();
}

void ConnectionDisplay::DiscardHeldInput()
{
    m_receiver.DiscardHeld();
    // The time of a read whose text still waits to be shown belongs to the device it came from.
    m_tap.TakeUnshownRead();
}

} // namespace wirevane
