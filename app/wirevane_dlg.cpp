#include "app/wirevane_dlg.h"

#include "app/app_icons.h"
#include "app/chart_settings.h"
#include "app/command_ids.h"
#include "app/file_reports.h"
#include "app/main_menus.h"
#include "app/run_key_guard.h"
#include "app/window_placement.h"
#include "buttons/dialog_button_array.h"
#include "chart/chart_window.h"
#include "grid/escape_legend.h"
#include "grid/fixed_pitch_font.h"
#include "grid/grid_list_ctrl_groups.h"
#include "grid/layout/view_config_section_win_app.h"
#include "grid/send_table_columns.h"
#include "terminal/dialog_terminal.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace wirevane {

namespace {

// The window's size as its template gives it, before any stored placement.
constexpr WindowSize kMainTemplateSize{760, 560};

} // namespace

CWirevaneDlg::CWirevaneDlg(ProfileStore& store, const ProgramPaths& paths, PortLister lister)
    : m_store(store), m_paths(paths), m_commands([this](int id) { Trigger(id); }),
      m_grid(new CGridListCtrlGroups), m_table(*m_grid, m_run), m_statusPane(new QLabel),
      m_access(m_port), m_tap(&m_access, SystemTrafficClock()),
      m_terminalCommands(m_connection, m_engine, m_run, m_choices, m_windows, m_paths.programDir,
                         {m_paths.settingsPath, m_paths.tempPath, m_paths.buttonFilePath}),
      m_timer([this] { m_engine.OnStepTimer(kSequenceTimerId); }),
      m_terminal(std::make_unique<CDialogTerminal>(m_terminalCommands, &m_tap)),
      m_receivedText(*m_terminal, m_tap),
      m_choices(*this, m_run, m_commands, m_controls, *m_terminal, *m_grid),
      m_engine(m_table, m_run, m_tap, *m_terminal, m_timer, m_runControls),
      m_receiver(m_run, m_tap, m_receivedText, m_timer),
      m_messages(
          [this](uint32_t, uintptr_t word) { OnSerialMessage(static_cast<uint32_t>(word)); }),
      m_connectionDisplay(*m_statusPane, m_commands, *m_terminal, m_windows, m_engine, m_receiver,
                          m_tap),
      m_connection(m_port, &m_messages, m_store, m_connectionDisplay, *m_terminal,
                   std::move(lister)),
      m_portOptions(m_store, m_engine, m_connection, m_runPriority),
      m_portSettings(
          m_port, [this] { m_connectionDisplay.SetConnectionStatus(m_connection.StatusText()); }),
      m_settings(m_store, m_table, m_run, m_portSettings, m_choices),
      m_files(*this, m_settings, m_engine, m_windows, *m_grid, m_paths),
      m_buttonArrayCommands(m_settings, m_files, m_engine, m_windows)
{
    setWindowTitle(QStringLiteral("Wirevane"));
    setWindowIcon(MainIcon());
    m_terminal->ShowTrafficOf(m_tap);
    // The meter's readings go to the chart, which keeps them whether it is shown or not.
    m_receiver.SetMeasurementSink(&m_terminal->chart());
    // A flooding device gets the window thread in turns, so the window keeps painting and
    // answering while it reads.
    m_receiver.SetContinuation(
        [this] { QTimer::singleShot(0, this, [this] { m_receiver.ContinueReading(); }); });
    // While a row awaits its answer the window thread reads the port itself: the answer is
    // decided on and the next row written in the turn the byte arrives.
    m_port.SetOwnerReadsWhile([this] { return m_run.AwaitsAnswer(); });
    setMinimumSize(600, 240);
    BuildWindow();
    m_buttons = std::make_unique<CDialogButtonArray>(m_buttonArrayCommands, m_store, m_paths);
    m_windows.Attach(*m_terminal, *m_buttons);
    m_runControls.Attach(*m_buttons);
    resize(kMainTemplateSize.width, kMainTemplateSize.height);
}

CWirevaneDlg::~CWirevaneDlg()
{
    m_timer.Kill();
    m_port.Close();
    m_buttons.reset();
    m_receiver.SetMeasurementSink(nullptr);
    m_terminal.reset();
}

void CWirevaneDlg::BuildWindow()
{
    BuildMainMenus(*menuBar(), m_commands);
    // Every load of a settings file may change the option; the mark is the run's when seen.
    if (auto* edit = qobject_cast<QMenu*>(m_commands.action(command::kStopOnFail)->parent()))
        connect(edit, &QMenu::aboutToShow, this, [this] { m_choices.ShowStopOnFail(); });
    m_firstToolBar = BuildFirstToolBar(this, m_commands);
    m_secondToolBar = BuildSecondToolBar(this, m_commands);
    addToolBar(Qt::TopToolBarArea, m_firstToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_secondToolBar);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(2);
    m_grid->setObjectName(QString::number(command::kSendTable));
    layout->addWidget(m_grid, 1);
    InstallRunKeyGuard(*m_grid);
    m_controls = BuildControlsRow(central, m_commands);
    layout->addWidget(m_controls.widget, 0);
    setCentralWidget(central);

    BuildStatusBar();
    m_choices.ConnectControls();
}

void CWirevaneDlg::BuildStatusBar()
{
    m_statusPane->setObjectName(QStringLiteral("pane0"));
    auto* fixedPane = new QLabel;
    fixedPane->setObjectName(QStringLiteral("pane1"));
    fixedPane->setFixedWidth(30);
    auto* checksPane = new QLabel;
    checksPane->setObjectName(QStringLiteral("checksPane"));
    checksPane->hide();
    statusBar()->addWidget(m_statusPane, 1);
    statusBar()->addPermanentWidget(checksPane);
    statusBar()->addPermanentWidget(fixedPane);
    m_runControls.AttachChecksPane(*checksPane);
    m_runControls.AttachStatusBar(*statusBar());
}

bool CWirevaneDlg::OnInitDialog()
{
    if (!m_receiver.Allocate()) {
        QMessageBox::critical(this, QStringLiteral("Wirevane"),
                              tr("メモリ不足エラー ... 終了        "));
        return false;
    }

    m_choices.SetStepMode(false);
    m_run.detailView = false;
    m_commands.setChecked(command::kDetailView, false);
    m_storeWindowPos = true;
    m_commands.setChecked(command::kStoreWindowPositions, true);
    m_listFont = FixedPitchFont(16);
    m_headerFont = FixedPitchFont(14);

    // Every part of the window reads its own keys; one session lets them share one reading of
    // the file, which may be large.
    ProfileSession startup(m_store);
    const platform::FileError read = m_settings.ReadSettings();
    m_portOptions.Load();
    ShowPortOptions();
    m_choices.ShowStopOnFail();
    m_choices.ShowEncoding(m_run.encoding);
    m_choices.SetCyclicCheck(static_cast<bool>(m_run.cyclic));
    m_choices.SelectLineEnd(m_run.lineEnd);

    m_windows.Place(m_settings);
    ShowLanguageChoice();
    KeepChartLimitsIn(m_store, m_terminal->chart(), this);
    m_connection.ShowConnectionState();
    SetUpTable();
    m_runControls.UpdateRunControls(m_run.running);
    if (!read.ok())
        ShowLoadFailure(this, m_store.settingsPath(), read);
    return true;
}

void CWirevaneDlg::SetUpTable()
{
    SetUpSendTableColumns(*m_grid);
    m_grid->setFont(m_listFont);
    m_grid->header()->setFont(m_headerFont);
    m_table.FillAtStartup();
    m_grid->SetCellRemarks([this](int row, int column) -> CGridListCtrlEx::CellRemark {
        if (column != SendTable::kDataColumn ||
            !EscapesStayAsWritten(m_grid->GetCellText(row, column), m_run.encoding))
            return {};
        return {Utf8EscapeMark(), Utf8EscapeNote()};
    });
    auto section = std::make_unique<CViewConfigSectionWinApp>(u"Profile ListTX", m_store);
    // The names are stored in the file as they are; the header menu shows them translated.
    for (const char* name : {QT_TRANSLATE_NOOP("LayoutProfiles", "デフォルト"),
                             QT_TRANSLATE_NOOP("LayoutProfiles", "カスタム")})
        section->RegisterProfile(QString::fromUtf8(name).toStdU16String());
    m_grid->AttachColumnLayout(std::move(section));
}

void CWirevaneDlg::BringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QString CWirevaneDlg::statusText() const
{
    return m_statusPane->text();
}

void CWirevaneDlg::OnSerialMessage(uint32_t eventWord)
{
    // An answer that ended the row's wait asks for the next step at once; what it showed is
    // shown, so the next row goes when the message is handled rather than after another pass
    // of the loop.
    m_timer.TickAfter([&] {
        m_receiver.OnSerialMessage(eventWord);
        if (ConnectionManager::IsPortLost(eventWord))
            m_connection.OnPortLost();
    });
}

// Exit

void CWirevaneDlg::closeEvent(QCloseEvent* event)
{
    if (!m_exitConfirmed && !ConfirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    m_windows.HideCompanions();
    emit exited();
}

void CWirevaneDlg::keyPressEvent(QKeyEvent* event)
{
    // As in a dialog: Escape and Enter that no control took end up in the exit question.
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace wirevane
