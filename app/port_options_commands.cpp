#include "app/port_options_commands.h"

#include <QInputDialog>
#include <algorithm>

namespace wirevane {

PortOptionsCommands::PortOptionsCommands(ProfileStore& store, SequenceEngine& engine,
                                         ConnectionManager& connection, RunPriority& priority)
    : m_store(store), m_engine(engine), m_connection(connection), m_priority(priority),
      m_answerTimer([this] { m_engine.OnAnswerTimer(); })
{
    Apply();
}

void PortOptionsCommands::Load()
{
    m_options = ReadPortOptions(m_store);
    Apply();
}

void PortOptionsCommands::Apply()
{
    m_engine.SetAnswerTimeout(&m_answerTimer, m_options.answerTimeoutMs);
    m_connection.SetAutoReconnect(m_options.autoReconnect);
    m_connection.SetLowLatency(m_options.lowLatency);
    m_priority.SetAllowed(m_options.realtime);
}

void PortOptionsCommands::Store()
{
    Apply();
    m_lastWrite = WritePortOptions(m_store, m_options);
}

bool PortOptionsCommands::AskAnswerTimeout(QWidget* parent)
{
    bool accepted = false;
    const int chosen = QInputDialog::getInt(
        parent, tr("応答待ちタイムアウト"), tr("受信待ちの行が応答を待つ上限 [ms]（0 は無制限）:"),
        m_options.answerTimeoutMs, 0, kLongestAnswerTimeoutMs, 100, &accepted);
    if (accepted)
        SetAnswerTimeout(chosen);
    return accepted;
}

void PortOptionsCommands::SetAnswerTimeout(int32_t milliseconds)
{
    m_options.answerTimeoutMs = std::clamp(milliseconds, 0, kLongestAnswerTimeoutMs);
    Store();
}

void PortOptionsCommands::SetAutoReconnect(bool on)
{
    m_options.autoReconnect = on;
    Store();
}

void PortOptionsCommands::SetLowLatency(bool on)
{
    m_options.lowLatency = on;
    Store();
}

void PortOptionsCommands::SetRealtime(bool on)
{
    m_options.realtime = on;
    Store();
}

} // namespace wirevane
