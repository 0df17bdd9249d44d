#pragma once

#include "app/command_registry.h"
#include "app/controls_row.h"
#include "core/run_state.h"
#include "persistence/settings_interfaces.h"

#include <QCoreApplication>

class QMainWindow;

namespace wirevane {

class CDialogTerminal;
class CGridListCtrlGroups;

// The run's choices where the windows show them: repeat and step in the controls row, the line
// end, and the encoding the main window and the terminal share (menu marks, both lists, the
// table's marks of escapes that stay as written). A loaded settings file sets them here.
class RunChoices final : public SettingsControls {
    Q_DECLARE_TR_FUNCTIONS(RunChoices)
public:
    RunChoices(QMainWindow& window, RunState& run, CommandRegistry& commands,
               const ControlsRow& controls, CDialogTerminal& terminal, CGridListCtrlGroups& grid);

    // The controls row's own changes go to the run.
    void ConnectControls();
    void SetEncoding(TextEncoding encoding);
    void SetStepMode(bool on);
    void SetStopOnFail(bool on);
    // The menu mark from the run, which a loaded settings file may have changed.
    void ShowStopOnFail();

    void SetCyclicCheck(bool checked) override;
    void SelectLineEnd(LineEndSuffix lineEnd) override;
    void ShowEncoding(TextEncoding encoding) override;

private:
    // In UTF-8 mode ticked rows with a backslash send it as written: said once on the switch.
    void ReportUnexpandedEscapes();

    QMainWindow& m_window;
    RunState& m_run;
    CommandRegistry& m_commands;
    const ControlsRow& m_controls;
    CDialogTerminal& m_terminal;
    CGridListCtrlGroups& m_grid;
    // The encoding the menus show, to tell a switch to UTF-8 from showing it again.
    TextEncoding m_shownEncoding = TextEncoding::Sjis;
};

} // namespace wirevane
