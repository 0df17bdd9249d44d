#include "core/run_state.h"
#include "core/send_table.h"
#include "grid/send_table_columns.h"

#include <QApplication>
#include <string>

// Shows the send table's grid with 100 sample rows and a few run markers.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    wirevane::CGridListCtrlGroups grid;
    grid.setWindowTitle(QStringLiteral("Wirevane grid"));
    wirevane::SetUpSendTableColumns(grid);

    wirevane::RunState run;
    wirevane::SendTable table(grid, run);
    const char16_t* samples[] = {u"ATZ",        u"AT+GMR",         u"*IDN?",
                                 u"MEAS:VOLT?", u"\\x02READ\\x03", u"設定値=12",
                                 u"",           u"SYST:ERR?"};
    for (int row = 0; row < wirevane::SendTable::kRowCount; ++row) {
        wirevane::SendRow& r = table.rows()[static_cast<size_t>(row)];
        r.data = samples[row % 8];
        r.sendFlag = r.data.empty() || row % 5 == 4 ? 0 : 1;
        r.waitKind = wirevane::kWaitKinds[row % 4];
        r.halt = row % 10 == 9 ? 1 : 0;
        r.delay = 100 * (1 + row % 3);
    }
    table.FillAtStartup();
    table.SetRowImage(0, wirevane::kRowImageSent);
    table.SetRowImage(1, wirevane::kRowImageSent);
    table.SetRowImage(2, wirevane::kRowImageWaiting);
    table.SetRowImage(9, wirevane::kRowImageHalt);
    table.SetRowImage(3, wirevane::kRowImageStepStop);
    table.ShowCurrentRow(2);

    grid.resize(620, 560);
    grid.show();
    return QApplication::exec();
}
