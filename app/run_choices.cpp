#include "app/run_choices.h"

#include "app/command_ids.h"
#include "core/send_table.h"
#include "grid/escape_legend.h"
#include "grid/grid_list_ctrl_groups.h"
#include "terminal/dialog_terminal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QStatusBar>

namespace wirevane {

RunChoices::RunChoices(QMainWindow& window, RunState& run, CommandRegistry& commands,
                       const ControlsRow& controls, CDialogTerminal& terminal,
                       CGridListCtrlGroups& grid)
    : m_window(window), m_run(run), m_commands(commands), m_controls(controls),
      m_terminal(terminal), m_grid(grid)
{
}

void RunChoices::ConnectControls()
{
    QObject::connect(m_controls.cyclic, &QCheckBox::clicked, &m_window,
                     [this](bool checked) { m_run.cyclic = checked; });
    QObject::connect(m_controls.step, &QCheckBox::clicked, &m_window, [this](bool checked) {
        m_run.stepMode = checked;
        m_commands.setChecked(command::kStepMode, checked);
    });
    QObject::connect(m_controls.lineEnd, &QComboBox::activated, &m_window,
                     [this](int index) { m_run.lineEnd = static_cast<LineEndSuffix>(index); });
    QObject::connect(m_controls.encoding, &QComboBox::activated, &m_window,
                     [this](int index) { SetEncoding(index); });
}

void RunChoices::SetEncoding(TextEncoding encoding)
{
    m_run.encoding = encoding;
    showEncoding(encoding);
}

void RunChoices::SetStepMode(bool on)
{
    m_run.stepMode = on;
    m_commands.setChecked(command::kStepMode, on);
    m_controls.step->setChecked(on);
}

void RunChoices::SetStopOnFail(bool on)
{
    m_run.stopOnFail = on;
    ShowStopOnFail();
}

void RunChoices::ShowStopOnFail()
{
    m_commands.setChecked(command::kStopOnFail, m_run.stopOnFail);
}

void RunChoices::setCyclicCheck(bool checked)
{
    m_controls.cyclic->setChecked(checked);
}

void RunChoices::selectLineEnd(LineEndSuffix lineEnd)
{
    const auto index = static_cast<int32_t>(lineEnd);
    m_controls.lineEnd->setCurrentIndex(index >= 0 && index <= 3 ? index : -1);
}

void RunChoices::showEncoding(TextEncoding encoding)
{
    const int shown = encoding == kEncodingUtf8 || encoding == kEncodingEuc ? encoding : 0;
    m_commands.setChecked(command::kSjisItem, shown == 0);
    m_commands.setChecked(command::kUtf8Item, shown == 1);
    m_commands.setChecked(command::kEucItem, shown == 2);
    m_controls.encoding->setCurrentIndex(shown);
    m_terminal.ShowEncoding(encoding);
    const bool switchedToUtf8 = shown == kEncodingUtf8 && m_shownEncoding != kEncodingUtf8;
    m_shownEncoding = shown;
    m_grid.viewport()->update();
    if (switchedToUtf8)
        ReportUnexpandedEscapes();
}

void RunChoices::ReportUnexpandedEscapes()
{
    int rows = 0;
    for (int row = 0; row < m_grid.GetRowCount(); ++row) {
        if (!m_grid.GetCellText(row, SendTable::kSelectColumn).empty() &&
            EscapesStayAsWritten(m_grid.GetCellText(row, SendTable::kDataColumn), kEncodingUtf8))
            ++rows;
    }
    if (rows > 0)
        m_window.statusBar()->showMessage(tr("%1 (選択中の %2 行)").arg(Utf8EscapeNote()).arg(rows),
                                          15000);
}

} // namespace wirevane
