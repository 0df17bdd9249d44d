#include "terminal/dialog_terminal.h"

#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/program_location.h"
#include "terminal/find_bar.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/log_start_dialog.h"
#include "terminal/terminal_host.h"
#include "terminal/terminal_text.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace wirevane {

namespace {

QString IdName(int id)
{
    return QString::number(id);
}

// Often enough that a log loses at most its flush interval and this when the program dies.
constexpr int kLogFlushTurnMs = 50;
constexpr int kLogPaneWidth = 360;

} // namespace

CDialogTerminal::CDialogTerminal(TerminalHost& host, PortAccess* port, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_host(host), m_tap(port, SystemTrafficClock())
{
    setWindowTitle(QStringLiteral("Terminal"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));

    m_font = QFont(QStringLiteral("Courier New"));
    m_font.setPixelSize(16);
    m_font.setWeight(QFont::Normal);
    m_font.setStyleHint(QFont::TypeWriter);

    BuildActions();
    BuildCentral();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    // An explicit minimum overrides the layout's, so it is raised to what the controls need at
    // the current font; below that the layout would squeeze them until their texts are cut.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(600, 240)));

    m_edit->setFont(m_font);
    m_edit->document()->setDocumentMargin(4);
    m_edit->m_port = &m_tap;
    m_edit->m_echoed = [this](std::u16string_view echoed) { OnEchoed(echoed); };
    m_tap.SetListener([this](TrafficDirection direction, std::span<const uint8_t> bytes,
                             TrafficTime time) { OnTraffic(direction, bytes, time); });
    m_logFlush.setInterval(kLogFlushTurnMs);
    connect(&m_logFlush, &QTimer::timeout, this, &CDialogTerminal::FlushLog);
    ShowLogState();
    m_edit->m_localEcho = true;
    m_localEchoButton->setChecked(true);
    m_sendLineEndCombo->setCurrentIndex(1);
    m_receiveCombo->setCurrentIndex(0);
    m_tester->setChecked(m_host.IsTesterMode());
    resize(640, 400);
}

QAction* CDialogTerminal::MakeAction(int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(IdName(id));
    return action;
}

QAction* CDialogTerminal::MakeAction(const char* name, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void CDialogTerminal::BuildTrafficActions()
{
    m_startLog = MakeAction("log-start", tr("ログ開始..."));
    m_stopLog = MakeAction("log-stop", tr("ログ停止"));
    connect(m_startLog, &QAction::triggered, this, &CDialogTerminal::OnStartLog);
    connect(m_stopLog, &QAction::triggered, this, &CDialogTerminal::StopLog);

    m_timestampAction = MakeAction("timestamps", tr("タイムスタンプ"));
    m_timestampAction->setCheckable(true);
    m_timestampAction->setToolTip(tr("受信した行の先頭に、最初のバイトを受信した時刻を表示します"));
    m_timestampAction->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    connect(m_timestampAction, &QAction::toggled, this, &CDialogTerminal::SetTimestamps);

    const char* names[3] = {"view-text", "view-text-hex", "view-hex"};
    const QString texts[3] = {tr("テキストのみ"), tr("テキストと16進ダンプ"), tr("16進ダンプのみ")};
    auto* group = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_viewActions[i] = MakeAction(names[i], texts[i]);
        m_viewActions[i]->setCheckable(true);
        group->addAction(m_viewActions[i]);
        connect(m_viewActions[i], &QAction::triggered, this,
                [this, i] { SetTrafficView(static_cast<TrafficView>(i)); });
    }
    m_viewActions[0]->setChecked(true);
}

void CDialogTerminal::BuildActions()
{
    m_connect = MakeAction(32788, tr("接続"));
    m_settings = MakeAction(32790, tr("設定 ..."));
    m_disconnect = MakeAction(32789, tr("切断"));
    m_break = MakeAction(32791, tr("ブレークを送信"));
    m_clear = MakeAction(32807, tr("すべてを削除"));
    m_saveAction = MakeAction(32799, tr("保存 ..."));
    m_fontAction = MakeAction(32800, tr("フォント変更 ..."));
    m_tester = MakeAction(32855, tr("ZAREL 7 (テスター)"));
    m_tester->setCheckable(true);

    m_connect->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    m_settings->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_disconnect->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
    m_clear->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));

    connect(m_connect, &QAction::triggered, this, [this] { m_host.ConnectFrom(this); });
    connect(m_settings, &QAction::triggered, this, [this] { m_host.SettingsFrom(this); });
    connect(m_disconnect, &QAction::triggered, this, [this] { m_host.Disconnect(); });
    connect(m_break, &QAction::triggered, this, [this] { m_host.SendBreak(); });
    connect(m_clear, &QAction::triggered, this, &CDialogTerminal::ClearText);
    connect(m_saveAction, &QAction::triggered, this, &CDialogTerminal::OnSave);
    connect(m_fontAction, &QAction::triggered, this, &CDialogTerminal::OnChangeFont);
    connect(m_tester, &QAction::triggered, this, &CDialogTerminal::OnToggleTester);

    const int ids[3] = {32818, 32819, 32823};
    const QString names[3] = {QStringLiteral("SJIS"), QStringLiteral("UTF-8"),
                              QStringLiteral("EUC")};
    auto* group = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_encodingActions[i] = MakeAction(ids[i], names[i]);
        m_encodingActions[i]->setCheckable(true);
        group->addAction(m_encodingActions[i]);
        connect(m_encodingActions[i], &QAction::triggered, this,
                [this, i] { m_host.SetEncoding(i); });
    }
    m_encodingActions[0]->setChecked(true);
    BuildTrafficActions();
}

void CDialogTerminal::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("ファイル"));
    file->addAction(m_saveAction);
    file->addSeparator();
    file->addAction(m_startLog);
    file->addAction(m_stopLog);

    QMenu* edit = menuBar()->addMenu(tr("編集"));
    edit->addAction(m_clear);
    edit->addAction(m_fontAction);
    edit->addAction(m_findBar->openAction());
    QMenu* encoding = edit->addMenu(tr("エンコード"));
    for (QAction* action : m_encodingActions)
        encoding->addAction(action);

    QMenu* view = menuBar()->addMenu(tr("表示"));
    view->addAction(m_timestampAction);
    view->addSeparator();
    for (QAction* action : m_viewActions)
        view->addAction(action);

    QMenu* port = menuBar()->addMenu(tr("シリアルポート"));
    port->addAction(m_connect);
    port->addAction(m_settings);
    port->addAction(m_disconnect);
    port->addAction(m_break);

    QMenu* test = menuBar()->addMenu(tr("テスト"));
    test->addAction(m_tester);
}

void CDialogTerminal::BuildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Terminal"));
    m_toolBar->setObjectName(QStringLiteral("146"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The toolbar shows the settings command without the ellipsis of its menu item.
    auto* settingsButton = new QAction(tr("設定"), this);
    settingsButton->setIcon(m_settings->icon());
    connect(settingsButton, &QAction::triggered, m_settings, &QAction::trigger);
    connect(m_settings, &QAction::enabledChanged, settingsButton, &QAction::setEnabled);
    m_toolBar->addAction(m_connect);
    m_toolBar->addAction(settingsButton);
    m_toolBar->addAction(m_disconnect);
    m_toolBar->addAction(m_clear);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_timestampAction);
}

void CDialogTerminal::BuildCentral()
{
    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);

    m_views = new QSplitter(Qt::Horizontal, central);
    m_views->setChildrenCollapsible(false);
    m_edit = new CCommEdit(m_views);
    m_edit->setObjectName(IdName(1235));
    m_hexView = new HexTrafficView(m_views);
    m_hexView->setObjectName(QStringLiteral("hex-view"));
    m_hexView->SetKeyTarget(m_edit);
    m_hexView->hide();
    m_views->addWidget(m_edit);
    m_views->addWidget(m_hexView);
    layout->addWidget(m_views, 0, 0);
    m_findBar = new FindBar(*m_edit, central);
    layout->addWidget(m_findBar, 1, 0);

    auto* row = new QHBoxLayout;
    auto* clearButton = new QPushButton(tr("すべて削除"), central);
    clearButton->setObjectName(IdName(1236));
    clearButton->setAutoDefault(false);
    connect(clearButton, &QPushButton::clicked, this, &CDialogTerminal::ClearText);

    m_localEchoButton = new QCheckBox(tr("ローカルエコー"), central);
    m_localEchoButton->setObjectName(IdName(1237));
    connect(m_localEchoButton, &QCheckBox::toggled, this,
            [this](bool checked) { m_edit->m_localEcho = checked; });

    auto* lineEndLabel = new QLabel(tr("改行"), central);
    lineEndLabel->setObjectName(IdName(1035));
    m_receiveCombo = new QComboBox(central);
    m_receiveCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_receiveCombo->setObjectName(IdName(1034));
    m_receiveCombo->addItems({tr("受信 変換無"), tr("受信 CR→CR+NL"), tr("受信 NL→CR+NL")});
    const QString receiveTips[3] = {
        tr("受信したとおりに表示します。CR LF だけが改行になり、単独の CR と LF は"
           "小さな印で示します"),
        tr("受信した CR をすべて CR LF にします。CR で行を終える機器向けです"),
        tr("受信した LF をすべて CR LF にします。LF で行を終える機器向けです")};
    QStringList tipLines;
    for (int i = 0; i < 3; ++i) {
        m_receiveCombo->setItemData(i, receiveTips[i], Qt::ToolTipRole);
        tipLines << m_receiveCombo->itemText(i) + QStringLiteral(": ") + receiveTips[i];
    }
    m_receiveCombo->setToolTip(tipLines.join(u'\n'));
    connect(m_receiveCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_receiveConversion = index; });

    m_sendLineEndCombo = new QComboBox(central);
    m_sendLineEndCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_sendLineEndCombo->setObjectName(IdName(1032));
    m_sendLineEndCombo->addItems({tr("送信 CR"), tr("送信 CR+NL"), tr("送信 NL")});
    connect(m_sendLineEndCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_sendLineEnd = index;
        m_edit->m_sendLineEnd = index;
    });

    auto* encodingLabel = new QLabel(tr("エンコード"), central);
    encodingLabel->setObjectName(IdName(1036));
    m_encodingCombo = new QComboBox(central);
    m_encodingCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_encodingCombo->setObjectName(IdName(1033));
    m_encodingCombo->addItems(
        {QStringLiteral("SJIS"), QStringLiteral("UTF-8"), QStringLiteral("EUC")});
    connect(m_encodingCombo, &QComboBox::activated, this, &CDialogTerminal::OnEncodingCombo);

    auto* closeButton = new QPushButton(tr("閉じる"), central);
    closeButton->setObjectName(IdName(2));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    row->addWidget(clearButton);
    row->addWidget(m_localEchoButton);
    row->addWidget(lineEndLabel);
    row->addWidget(m_receiveCombo);
    row->addWidget(m_sendLineEndCombo);
    row->addWidget(encodingLabel);
    row->addWidget(m_encodingCombo);
    row->addStretch(1);
    row->addWidget(closeButton);
    layout->addLayout(row, 2, 0);
    layout->setRowStretch(0, 1);
    setCentralWidget(central);
}

void CDialogTerminal::BuildStatusBar()
{
    m_statusPane = new QLabel(statusBar());
    statusBar()->addWidget(m_statusPane, 1);
    m_logPane = new QLabel(statusBar());
    m_logPane->setObjectName(QStringLiteral("log-pane"));
    statusBar()->addPermanentWidget(m_logPane);
    auto* fixedPane = new QLabel(statusBar());
    fixedPane->setFixedWidth(30);
    statusBar()->addPermanentWidget(fixedPane);
    statusBar()->setSizeGripEnabled(true);
}

void CDialogTerminal::AppendText(std::u16string_view text)
{
    const std::u16string shown = ApplyReceiveConversion(text, m_receiveConversion);
    m_stamper.Follow(shown);
    m_edit->AppendAtEnd(shown);
    Show(shown);
}

void CDialogTerminal::AppendReceived(std::u16string_view text, TrafficTime readTime)
{
    if (!m_timestamps) {
        AppendText(text);
        return;
    }
    const std::u16string converted = ApplyReceiveConversion(text, m_receiveConversion);
    // The stamps are the view's and the log's; the record, which is saved, keeps the text.
    const std::vector<std::size_t> starts = m_stamper.LineStarts(converted);
    const std::u16string stamp = starts.empty() ? std::u16string() : LineStamp(readTime);
    std::size_t copied = 0;
    for (std::size_t start : starts) {
        m_edit->AppendAtEnd(std::u16string_view(converted).substr(copied, start - copied));
        m_edit->AppendShownOnly(stamp);
        copied = start;
    }
    m_edit->AppendAtEnd(std::u16string_view(converted).substr(copied));
    // Only a running log needs the text as shown in one piece.
    if (m_log.running())
        Show(InsertStamps(converted, starts, stamp));
}

void CDialogTerminal::Show(std::u16string_view shown)
{
    if (!m_log.OnShown(shown, LogFile::Clock::now()))
        LogFailed();
}

void CDialogTerminal::OnEchoed(std::u16string_view echoed)
{
    if (echoed == u"\b") {
        const TerminalRecord& record = m_edit->record();
        m_stamper.Restart(record.empty() || record.EndsWith(u"\r\n"), record.EndsWith(u"\r"));
    } else {
        m_stamper.Follow(echoed);
    }
    Show(echoed);
}

void CDialogTerminal::OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes,
                                TrafficTime time)
{
    if (m_trafficView != TrafficView::Text)
        m_hexView->Feed(direction, bytes);
    if (!m_log.OnTraffic(direction, bytes, time, LogFile::Clock::now()))
        LogFailed();
}

platform::FileError CDialogTerminal::StartLog(const LogChoice& choice)
{
    StopLog();
    m_lastLog = choice;
    m_logStopped.clear();
    const platform::FileError error = m_log.Start(choice);
    if (error.ok())
        m_logFlush.start();
    ShowLogState();
    return error;
}

void CDialogTerminal::StopLog()
{
    if (!m_log.running())
        return;
    m_logFlush.stop();
    if (!m_log.Stop().ok())
        LogFailed();
    ShowLogState();
}

void CDialogTerminal::FlushLog()
{
    if (!m_log.FlushIfDue(LogFile::Clock::now()))
        LogFailed();
}

void CDialogTerminal::LogFailed()
{
    m_logFlush.stop();
    const std::u16string file = m_lastLog.file.u16string();
    const std::string reason = m_log.failure() ? m_log.failure()->message : std::string();
    m_logStopped =
        tr("ログ停止: %1: %2").arg(QString::fromStdU16String(file), QString::fromStdString(reason));
    ShowLogState();
    // Said in the record, where the traffic the log misses from here on is.
    AppendText(u"[Log to " + file + u" stopped: " +
               QString::fromStdString(reason).toStdU16String() + u".]\n");
}

void CDialogTerminal::ShowLogState()
{
    const bool running = m_log.running();
    m_startLog->setEnabled(!running);
    m_stopLog->setEnabled(running);
    m_logPane->setStyleSheet(!running && !m_logStopped.isEmpty() ? QStringLiteral("color: #c62828;")
                                                                 : QString());
    // A long path must not widen the window: the pane shows its middle elided, the tip all.
    const QString text = LogStatusText();
    m_logPane->setText(m_logPane->fontMetrics().elidedText(text, Qt::ElideMiddle, kLogPaneWidth));
    m_logPane->setToolTip(text);
}

QString CDialogTerminal::LogStatusText() const
{
    if (m_log.running())
        return QStringLiteral("LOG ") + QString::fromStdU16String(m_lastLog.file.u16string());
    return m_logStopped;
}

void CDialogTerminal::OnStartLog()
{
    m_host.EnableOwnerWindows(false);
    LogStartDialog dialog(m_lastLog, m_timestamps, this);
    while (dialog.exec() == QDialog::Accepted) {
        SetTimestamps(dialog.timestamps());
        const LogChoice choice = dialog.choice();
        const platform::FileError error = StartLog(choice);
        if (error.ok())
            break;
        QMessageBox::critical(
            this, windowTitle(),
            QStringLiteral("%1\n%2").arg(QString::fromStdU16String(choice.file.u16string()),
                                         QString::fromStdString(error.message)));
    }
    m_host.EnableOwnerWindows(true);
}

void CDialogTerminal::SetTimestamps(bool on)
{
    m_timestamps = on;
    if (m_timestampAction->isChecked() != on)
        m_timestampAction->setChecked(on);
}

void CDialogTerminal::SetTrafficView(TrafficView view)
{
    const bool hexWasShown = m_trafficView != TrafficView::Text;
    m_trafficView = view;
    m_viewActions[static_cast<int>(view)]->setChecked(true);
    if (view == TrafficView::Text && hexWasShown)
        m_hexView->Clear();
    m_hexView->setVisible(view != TrafficView::Text);
    m_edit->setVisible(view != TrafficView::Hex);
    (view == TrafficView::Hex ? static_cast<QWidget*>(m_hexView) : m_edit)->setFocus();
}

bool CDialogTerminal::IsLocalEcho() const
{
    return m_localEchoButton->isChecked();
}

void CDialogTerminal::SetStatusText(const QString& text)
{
    m_statusPane->setText(text);
}

QString CDialogTerminal::StatusText() const
{
    return m_statusPane->text();
}

void CDialogTerminal::UpdateConnectionControls(bool connected)
{
    m_connect->setEnabled(!connected);
    m_disconnect->setEnabled(connected);
    m_settings->setEnabled(connected);
    m_break->setEnabled(connected);
}

void CDialogTerminal::ShowEncoding(TextEncoding encoding)
{
    const int shown = encoding >= 0 && encoding <= 2 ? encoding : 0;
    m_encodingActions[shown]->setChecked(true);
    m_encodingCombo->setCurrentIndex(shown);
    m_edit->m_encoding = encoding;
}

void CDialogTerminal::ShowTesterMode(bool on)
{
    m_tester->setChecked(on);
}

void CDialogTerminal::EnableTextArea(bool enable)
{
    m_edit->setEnabled(enable);
}

void CDialogTerminal::ClearText()
{
    m_edit->Clear();
    m_hexView->Clear();
    m_stamper.Restart(true, false);
}

platform::FileError CDialogTerminal::SaveTextTo(const std::filesystem::path& path)
{
    // Characters code page 932 lacks become "?" rather than ending the file early.
    const std::vector<uint8_t> bytes =
        platform::codePage932().encodeReplacing(m_edit->LineFormText());
    return platform::replaceFileAtomically(path, bytes);
}

void CDialogTerminal::SetTextFont(const QFont& font)
{
    m_font = font;
    m_edit->setFont(m_font);
    m_edit->viewport()->update();
}

void CDialogTerminal::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void CDialogTerminal::OnSave()
{
    m_host.EnableOwnerWindows(false);
    m_host.OnReset();
    QFileDialog dialog(this, tr("ターミナル テキスト保存"),
                       QString::fromStdU16String(platform::executableFolder().u16string()),
                       QStringLiteral("TEXT Files (*.txt);;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const std::filesystem::path path(dialog.selectedFiles().front().toStdU16String());
        const platform::FileError error = SaveTextTo(path);
        if (!error.ok())
            QMessageBox::critical(
                this, windowTitle(),
                QStringLiteral("%1\n%2").arg(QString::fromStdU16String(path.u16string()),
                                             QString::fromStdString(error.message)));
    }
    m_host.EnableOwnerWindows(true);
}

void CDialogTerminal::OnChangeFont()
{
    m_host.EnableOwnerWindows(false);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_font, this);
    if (ok)
        SetTextFont(chosen);
    m_host.EnableOwnerWindows(true);
}

void CDialogTerminal::OnToggleTester()
{
    m_tester->setChecked(m_host.ToggleTesterMode());
}

void CDialogTerminal::OnEncodingCombo(int index)
{
    m_host.SetEncoding(index >= 0 && index <= 2 ? index : 0);
}

} // namespace wirevane
