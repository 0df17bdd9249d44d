#pragma once

#include "connection/connection_manager.h"
#include "core/sequence_engine.h"
#include "persistence/port_options.h"
#include "persistence/profile_store.h"
#include "platform/file_error.h"
#include "platform/qt/qt_step_timer.h"
#include "serial/run_priority.h"

#include <QCoreApplication>

class QWidget;

namespace wirevane {

// The main window's commands for the program's own port options: the answer time-out of the
// run, reconnecting a lost device, a USB adapter's low-latency mode and realtime priority
// during a run. Holds the options, hands
// them to the engine and the connection, and stores each change in the settings file at once,
// as the port commands store theirs.
class PortOptionsCommands {
    Q_DECLARE_TR_FUNCTIONS(PortOptionsCommands)
public:
    PortOptionsCommands(ProfileStore& store, SequenceEngine& engine, ConnectionManager& connection,
                        RunPriority& priority);

    // The stored options, at start-up.
    void Load();
    // Asks for the time-out in ms (0: no limit). False when the user cancelled.
    bool AskAnswerTimeout(QWidget* parent);
    void SetAnswerTimeout(int32_t milliseconds);
    void SetAutoReconnect(bool on);
    void SetLowLatency(bool on);
    void SetRealtime(bool on);
    // The result of the last store of a change.
    const platform::FileError& lastWrite() const { return m_lastWrite; }

    const PortOptions& options() const { return m_options; }

private:
    void Apply();
    void Store();

    ProfileStore& m_store;
    SequenceEngine& m_engine;
    ConnectionManager& m_connection;
    RunPriority& m_priority;
    platform::QtStepTimer m_answerTimer;
    PortOptions m_options;
    platform::FileError m_lastWrite;
};

} // namespace wirevane
