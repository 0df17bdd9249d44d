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
#include <iterator>

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
                     [this](int index) { m_run.lineEnd = kLineEndSuffixes[index]; });
    QObject::connect(m_controls.encoding, &QComboBox::activated, &m_window, [this](int index) {
        SetEncoding(ShownEncoding(static_cast<TextEncoding>(index)));
    });
}

void RunChoices::SetEncoding(TextEncoding encoding)
{
    m_run.encoding = encoding;
    ShowEncoding(encoding);
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

void RunChoices::SetCyclicCheck(bool checked)
{
    m_controls.cyclic->setChecked(checked);
}

void RunChoices::SelectLineEnd(LineEndSuffix lineEnd)
{
    m_controls.lineEnd->setCurrentIndex(IsNamed(lineEnd) ? static_cast<int>(lineEnd) : -1);
}

void RunChoices::ShowEncoding(TextEncoding encoding)
{
    const TextEncoding shown = ShownEncoding(encoding);
    for (std::size_t i = 0; i < std::size(command::kEncodingItems); ++i)
        m_commands.setChecked(command::kEncodingItems[i], kTextEncodings[i] == shown);
    m_controls.encoding->setCurrentIndex(static_cast<int>(shown));
    m_terminal.ShowEncoding(encoding);
    const bool switchedToUtf8 =
        shown == TextEncoding::Utf8 && m_shownEncoding != TextEncoding::Utf8;
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
            EscapesStayAsWritten(m_grid.GetCellText(row, SendTable::kDataColumn),
                                 TextEncoding::Utf8))
            ++rows;
    }
    if (rows > 0)
        m_window.statusBar()->showMessage(tr("%1 (選択中の %2 行)").arg(Utf8EscapeNote()).arg(rows),
                                          15000);
}

} // namespace wirevane
