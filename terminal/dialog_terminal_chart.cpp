#include "chart/chart_window.h"
#include "core/line_numbers.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_host.h"

#include <QAction>

namespace wirevane {

void CDialogTerminal::BuildChartActions()
{
    m_chartAction = MakeAction("chart", tr("グラフ"));
    connect(m_chartAction, &QAction::triggered, this, [this] {
        m_chart->show();
        m_chart->raise();
        m_chart->activateWindow();
    });
    m_numbersAction = MakeAction("numbers-from-lines", tr("受信行の数値をグラフへ"));
    m_numbersAction->setCheckable(true);
    m_numbersAction->setToolTip(
        tr("受信した行の数値を系列としてグラフに送ります (例: 12.5、1.0, 2.0、temp:21.4 hum=48)"));
    connect(m_numbersAction, &QAction::toggled, this, &CDialogTerminal::SetNumbersFromLines);
    m_startCsv = MakeAction("csv-start", tr("CSV 記録開始..."));
    connect(m_startCsv, &QAction::triggered, this, [this] { m_chart->StartCsvFrom(this); });
}

void CDialogTerminal::SetNumbersFromLines(bool on)
{
    if (m_numbersAction->isChecked() != on)
        m_numbersAction->setChecked(on);
    m_numbersFromLines = on;
    // A line begun before the mode was on is not the device's whole line.
    m_lines.Clear();
}

void CDialogTerminal::FeedChart(std::u16string_view text, TrafficTime readTime)
{
    if (!m_numbersFromLines || m_host.IsTesterMode())
        return;
    for (const chart::LineCollector::Line& line :
         m_lines.Add(text, readTime, m_receiveConversion)) {
        for (const Measurement& m : MeasurementsFromLine(line.text, line.time))
            m_chart->AddMeasurement(m);
    }
}

} // namespace wirevane
