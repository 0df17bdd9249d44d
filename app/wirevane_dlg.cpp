#include "app/wirevane_dlg.h"

#include "app/app_icons.h"
#include "app/command_ids.h"
#include "app/main_menus.h"
#include "app/run_key_guard.h"
#include "app/shown_texts.h"
#include "app/window_placement.h"
#include "buttons/dialog_button_array.h"
#include "grid/escape_legend.h"
#include "grid/fixed_pitch_font.h"
#include "grid/grid_list_ctrl_groups.h"
#include "grid/layout/view_config_section_win_app.h"
#include "grid/send_table_columns.h"
#include "terminal/dialog_terminal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace wirevane {

namespace {

// The window's size as its template gives it, before any stored placement.
constexpr WindowSize kMainTemplateSize{760, 560};

WindowRect ToWindowRect(const QRect& rect)
{
    return WindowRect{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
}

// The extent is taken in 64 bits: a stored rectangle may span the whole 32-bit range.
QRect ToQRect(const WindowRect& rect)
{
    const auto extent = [](int32_t from, int32_t to) {
        return static_cast<int>(std::clamp<int64_t>(int64_t{to} - from, 0, kMaxWindowExtent));
    };
    return QRect(rect.left, rect.top, extent(rect.left, rect.right), extent(rect.top, rect.bottom));
}

WindowSize SizeOf(const QWidget& window)
{
    return WindowSize{window.width(), window.height()};
}

} // namespace

CWirevaneDlg::CWirevaneDlg(ProfileStore& store, const ProgramPaths& paths, PortLister lister)
    : m_store(store), m_paths(paths), m_commands([this](int id) { Trigger(id); }),
      m_grid(new CGridListCtrlGroups), m_table(*m_grid, m_run), m_access(m_port),
      m_portSettings(m_port, [this] { SetConnectionStatus(m_connection.StatusText()); }),
      m_timer([this] { m_engine.OnStepTimer(kSequenceTimerId); }),
      m_terminal(std::make_unique<CDialogTerminal>(m_terminalView, &m_access)),
      m_engine(m_table, m_run, m_terminal->trafficPort(), *m_terminal, m_timer, m_runView),
      m_receiver(m_run, m_terminal->trafficPort(), m_terminal->receivedText(), m_timer),
      m_messages(
          [this](uint32_t, uintptr_t word) { OnSerialMessage(static_cast<uint32_t>(word)); }),
      m_connection(m_port, &m_messages, m_store, m_connectionView, *m_terminal, std::move(lister)),
      m_portOptions(m_store, m_engine, m_connection),
      m_settings(m_store, m_table, m_run, m_portSettings, m_settingsView),
      m_fileCommands(m_settings, m_fileCommandsView, m_fileCommandsView, m_paths.programDir,
                     m_paths.tempPath)
{
    setWindowTitle(QStringLiteral("Wirevane"));
    setWindowIcon(MainIcon());
    // A flooding device gets the window thread in turns, so the window keeps painting and
    // answering while it reads.
    m_receiver.SetContinuation(
        [this] { QTimer::singleShot(0, this, [this] { m_receiver.ContinueReading(); }); });
    setMinimumSize(600, 240);
    BuildWindow();
    m_buttons = std::make_unique<CDialogButtonArray>(m_buttonArrayView, m_store, m_paths);
    resize(kMainTemplateSize.width, kMainTemplateSize.height);
}

CWirevaneDlg::~CWirevaneDlg()
{
    m_timer.Kill();
    m_port.Close();
    m_buttons.reset();
    m_terminal.reset();
}

void CWirevaneDlg::BuildWindow()
{
    BuildMainMenus(*menuBar(), m_commands);
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
    ConnectControls();
}

void CWirevaneDlg::BuildStatusBar()
{
    m_statusPane = new QLabel;
    m_statusPane->setObjectName(QStringLiteral("pane0"));
    auto* fixedPane = new QLabel;
    fixedPane->setObjectName(QStringLiteral("pane1"));
    fixedPane->setFixedWidth(30);
    statusBar()->addWidget(m_statusPane, 1);
    statusBar()->addPermanentWidget(fixedPane);
}

void CWirevaneDlg::ConnectControls()
{
    connect(m_controls.cyclic, &QCheckBox::clicked, this,
            [this](bool checked) { m_run.cyclic = checked; });
    connect(m_controls.step, &QCheckBox::clicked, this, [this](bool checked) {
        m_run.stepMode = checked;
        m_commands.setChecked(command::kStepMode, checked);
    });
    connect(m_controls.lineEnd, &QComboBox::activated, this,
            [this](int index) { m_run.lineEnd = static_cast<LineEndSuffix>(index); });
    connect(m_controls.encoding, &QComboBox::activated, this,
            [this](int index) { SetEncoding(index); });
}

bool CWirevaneDlg::OnInitDialog()
{
    if (!m_receiver.Allocate()) {
        QMessageBox::critical(this, QStringLiteral("Wirevane"),
                              tr("メモリ不足エラー ... 終了        "));
        return false;
    }

    OnStepMode(false);
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
    ShowEncoding(m_run.encoding);
    SetCyclicCheck(static_cast<bool>(m_run.cyclic));
    SelectLineEnd(m_run.lineEnd);

    PlaceWindows();
    ShowLanguageChoice();
    m_connection.ShowConnectionState();
    SetUpTable();
    UpdateRunControls(m_run.running);
    if (!read.ok())
        ReportLoadFailure(m_store.settingsPath(), read);
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

void CWirevaneDlg::PlaceWindows()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const WindowRect screenRect = primary != nullptr ? ToWindowRect(primary->availableGeometry())
                                                     : WindowRect{0, 0, 1024, 768};
    std::vector<WindowRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToWindowRect(screen->availableGeometry()));
    const DefaultPlacement defaults =
        ComputeDefaultPlacement(screenRect, SizeOf(*this), SizeOf(*m_terminal), SizeOf(*m_buttons));
    const auto placed = [&](PlacedWindow window, const WindowRect& fallback) {
        return ToQRect(StoredOrDefault(m_settings.ReadWindowRect(window), fallback, screens));
    };

    setGeometry(placed(PlacedWindow::Main, defaults.main));
    show();
    raise();
    m_terminal->setGeometry(placed(PlacedWindow::Terminal, defaults.terminal));
    m_buttons->setGeometry(placed(PlacedWindow::ButtonArray, defaults.buttonArray));

    m_buttons->setVisible(m_settings.ReadWindowVisible(PlacedWindow::ButtonArray));
    m_terminal->setVisible(m_settings.ReadWindowVisible(PlacedWindow::Terminal));
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
    m_receiver.OnSerialMessage(eventWord);
    if (ConnectionManager::IsPortLost(eventWord))
        m_connection.OnPortLost();
}

// The run's side of the window

void CWirevaneDlg::UpdateRunControls(bool running)
{
    m_commands.setEnabled(command::kSend, !running);
    m_commands.setEnabled(command::kStop, running);
    m_commands.setEnabled(command::kReset, true);
    if (m_buttons)
        m_buttons->SetStopEnabled(running);
}

void CWirevaneDlg::SetStatusText(std::u16string_view text)
{
    if (m_buttons)
        m_buttons->SetStatusText(QString::fromStdU16String(std::u16string(text)));
}

// What a loaded settings file shows

void CWirevaneDlg::SetCyclicCheck(bool checked)
{
    m_controls.cyclic->setChecked(checked);
}

void CWirevaneDlg::SelectLineEnd(LineEndSuffix lineEnd)
{
    const auto index = static_cast<int32_t>(lineEnd);
    m_controls.lineEnd->setCurrentIndex(index >= 0 && index <= 3 ? index : -1);
}

void CWirevaneDlg::ShowEncoding(TextEncoding encoding)
{
    const int shown = encoding == kEncodingUtf8 || encoding == kEncodingEuc ? encoding : 0;
    m_commands.setChecked(command::kSjisItem, shown == 0);
    m_commands.setChecked(command::kUtf8Item, shown == 1);
    m_commands.setChecked(command::kEucItem, shown == 2);
    m_controls.encoding->setCurrentIndex(shown);
    m_terminal->ShowEncoding(encoding);
    const bool switchedToUtf8 = shown == kEncodingUtf8 && m_shownEncoding != kEncodingUtf8;
    m_shownEncoding = shown;
    m_grid->viewport()->update();
    if (switchedToUtf8)
        ReportUnexpandedEscapes();
}

void CWirevaneDlg::ReportUnexpandedEscapes()
{
    int rows = 0;
    for (int row = 0; row < m_grid->GetRowCount(); ++row) {
        if (!m_grid->GetCellText(row, SendTable::kSelectColumn).empty() &&
            EscapesStayAsWritten(m_grid->GetCellText(row, SendTable::kDataColumn), kEncodingUtf8))
            ++rows;
    }
    if (rows > 0)
        statusBar()->showMessage(tr("%1 (選択中の %2 行)").arg(Utf8EscapeNote()).arg(rows), 15000);
}

// The places an exit stores

const QWidget* CWirevaneDlg::WindowOf(PlacedWindow window) const
{
    switch (window) {
    case PlacedWindow::Terminal:
        return m_terminal.get();
    case PlacedWindow::ButtonArray:
        return m_buttons.get();
    case PlacedWindow::Main:
        break;
    }
    return this;
}

WindowRect CWirevaneDlg::NormalRect(PlacedWindow window) const
{
    const QWidget* widget = WindowOf(window);
    const bool restored = !widget->isMinimized() && !widget->isMaximized();
    return ToWindowRect(restored ? widget->geometry() : widget->normalGeometry());
}

bool CWirevaneDlg::IsVisibleAndNotMinimised(PlacedWindow window) const
{
    const QWidget* widget = WindowOf(window);
    return widget->isVisible() && !widget->isMinimized();
}

// The column layout the file commands load and save

void CWirevaneDlg::LoadColumnLayout()
{
    m_grid->GetColumnLayout().LoadAttached();
}

void CWirevaneDlg::SaveColumnLayout()
{
    m_grid->GetColumnLayout().SaveAttached();
}

// What connection management changes

void CWirevaneDlg::SetConnectionStatus(std::u16string_view text)
{
    const QString shown = ShownConnectionStatus(text);
    m_statusPane->setText(shown);
    m_terminal->SetStatusText(shown);
}

void CWirevaneDlg::UpdateConnectionControls(bool connected)
{
    using namespace command;
    m_commands.setEnabled(kConnect, !connected);
    m_commands.setEnabled(kOpenButton, !connected);
    for (int id : {kDisconnect, kPortSettings, kSendBreak, kCloseButton, kSettingsButton})
        m_commands.setEnabled(id, connected);
    m_terminal->UpdateConnectionControls(connected);
}

void CWirevaneDlg::DiscardHeldInput()
{
    m_receiver.DiscardHeld();
    m_terminal->DiscardHeldRead();
}

// Exit

void CWirevaneDlg::closeEvent(QCloseEvent* event)
{
    if (!m_exitConfirmed && !ConfirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    m_terminal->hide();
    m_buttons->hide();
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
