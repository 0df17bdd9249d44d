#include "terminal/dialog_terminal.h"
#include "terminal/find_bar.h"
#include "terminal/hex_traffic_view.h"
#include "terminal/terminal_host.h"
#include "terminal/terminal_ids.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <iterator>

namespace wirevane {

namespace {

QString IdName(int id)
{
    return QString::number(id);
}

QPushButton* MakeButton(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(IdName(id));
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(const QString& text, int id, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(IdName(id));
    return label;
}

// The send line-end list's items, in the order of the Enter key ends they choose.
constexpr const char* kSendLineEndItems[] = {
    QT_TRANSLATE_NOOP("wirevane::CDialogTerminal", "送信 CR"),
    QT_TRANSLATE_NOOP("wirevane::CDialogTerminal", "送信 CR+NL"),
    QT_TRANSLATE_NOOP("wirevane::CDialogTerminal", "送信 NL")};
static_assert(std::size(kSendLineEndItems) == std::size(kEnterKeyEnds));

QComboBox* MakeCombo(int id, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setObjectName(IdName(id));
    return combo;
}

} // namespace

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

// Three checkable actions of which one is on, the first to begin with; chosen gets the index.
void CDialogTerminal::GroupChoices(QAction* const (&actions)[3],
                                   const std::function<void(int)>& chosen)
{
    auto* group = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        actions[i]->setCheckable(true);
        group->addAction(actions[i]);
        connect(actions[i], &QAction::triggered, this, [chosen, i] { chosen(i); });
    }
    actions[0]->setChecked(true);
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
    for (int i = 0; i < 3; ++i)
        m_viewActions[i] = MakeAction(names[i], texts[i]);
    GroupChoices(m_viewActions, [this](int i) { SetTrafficView(static_cast<TrafficView>(i)); });
}

void CDialogTerminal::BuildActions()
{
    m_connect = MakeAction(terminal::kConnect, tr("接続"));
    m_settings = MakeAction(terminal::kPortSettings, tr("設定 ..."));
    m_disconnect = MakeAction(terminal::kDisconnect, tr("切断"));
    m_break = MakeAction(terminal::kSendBreak, tr("ブレークを送信"));
    m_clear = MakeAction(terminal::kClearAll, tr("すべてを削除"));
    m_saveAction = MakeAction(terminal::kSaveText, tr("保存 ..."));
    m_fontAction = MakeAction(terminal::kChangeFont, tr("フォント変更 ..."));
    m_tester = MakeAction(terminal::kTesterMode, tr("ZAREL 7 (テスター)"));
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

    const int ids[] = {terminal::kSjisItem, terminal::kUtf8Item, terminal::kEucItem};
    static_assert(std::size(ids) == std::size(kTextEncodings));
    for (std::size_t i = 0; i < std::size(ids); ++i)
        m_encodingActions[i] =
            MakeAction(ids[i], QStringView(TextEncodingName(kTextEncodings[i])).toString());
    GroupChoices(m_encodingActions, [this](int i) { m_host.SetEncoding(kTextEncodings[i]); });
    BuildTrafficActions();
    BuildChartActions();
}

void CDialogTerminal::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("ファイル"));
    file->addAction(m_saveAction);
    file->addSeparator();
    file->addAction(m_startLog);
    file->addAction(m_stopLog);
    file->addAction(m_startCsv);

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
    view->addSeparator();
    view->addAction(m_chartAction);
    view->addAction(m_numbersAction);

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
    m_toolBar->setObjectName(IdName(terminal::kToolBar));
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
    layout->addWidget(BuildViews(central), 0, 0);
    m_findBar = new FindBar(*m_edit, central);
    layout->addWidget(m_findBar, 1, 0);
    layout->addLayout(BuildControlRow(central), 2, 0);
    layout->setRowStretch(0, 1);
    setCentralWidget(central);
}

QSplitter* CDialogTerminal::BuildViews(QWidget* central)
{
    m_views = new QSplitter(Qt::Horizontal, central);
    m_views->setChildrenCollapsible(false);
    m_edit = new CCommEdit(m_views);
    m_edit->setObjectName(IdName(terminal::kTextArea));
    m_hexView = new HexTrafficView(m_views);
    m_hexView->setObjectName(QStringLiteral("hex-view"));
    m_hexView->SetKeyTarget(m_edit);
    m_hexView->hide();
    m_views->addWidget(m_edit);
    m_views->addWidget(m_hexView);
    return m_views;
}

// The widgets are made in the order the Tab key visits them.
QHBoxLayout* CDialogTerminal::BuildControlRow(QWidget* central)
{
    auto* clearButton = MakeButton(tr("すべて削除"), terminal::kClearButton, central);
    connect(clearButton, &QPushButton::clicked, this, &CDialogTerminal::ClearText);

    m_localEchoButton = new QCheckBox(tr("ローカルエコー"), central);
    m_localEchoButton->setObjectName(IdName(terminal::kLocalEchoBox));
    connect(m_localEchoButton, &QCheckBox::toggled, this,
            [this](bool checked) { m_edit->m_localEcho = checked; });
    auto* lineEndLabel = MakeLabel(tr("改行"), terminal::kLineEndLabel, central);
    BuildReceiveCombo(central);
    BuildSendLineEndCombo(central);
    auto* encodingLabel = MakeLabel(tr("エンコード"), terminal::kEncodingLabel, central);
    m_encodingCombo = MakeCombo(terminal::kEncodingCombo, central);
    for (TextEncoding encoding : kTextEncodings)
        m_encodingCombo->addItem(QStringView(TextEncodingName(encoding)).toString());
    connect(m_encodingCombo, &QComboBox::activated, this, &CDialogTerminal::OnEncodingCombo);
    auto* closeButton = MakeButton(tr("閉じる"), terminal::kCloseButton, central);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    auto* row = new QHBoxLayout;
    row->addWidget(clearButton);
    row->addWidget(m_localEchoButton);
    row->addWidget(lineEndLabel);
    row->addWidget(m_receiveCombo);
    row->addWidget(m_sendLineEndCombo);
    row->addWidget(encodingLabel);
    row->addWidget(m_encodingCombo);
    row->addStretch(1);
    row->addWidget(closeButton);
    return row;
}

void CDialogTerminal::BuildReceiveCombo(QWidget* central)
{
    m_receiveCombo = MakeCombo(terminal::kReceiveConversionCombo, central);
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
}

void CDialogTerminal::BuildSendLineEndCombo(QWidget* central)
{
    m_sendLineEndCombo = MakeCombo(terminal::kSendLineEndCombo, central);
    for (const char* item : kSendLineEndItems)
        m_sendLineEndCombo->addItem(tr(item));
    connect(m_sendLineEndCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_edit->m_sendLineEnd = kEnterKeyEnds[index]; });
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

} // namespace wirevane
