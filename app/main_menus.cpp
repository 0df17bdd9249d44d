#include "app/main_menus.h"

#include "app/app_icons.h"
#include "app/command_ids.h"
#include "commands/run_keys.h"
#include "core/text_encoding.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <iterator>

namespace wirevane {

namespace {

static_assert(std::size(command::kEncodingItems) == std::size(kTextEncodings));

// The texts of the main window's menus and toolbars share one translation context.
struct MainMenus {
    Q_DECLARE_TR_FUNCTIONS(MainMenus)
};

QAction* AddItem(QMenu* menu, CommandRegistry& commands, int id, const QString& text,
                 bool checkable = false)
{
    QAction* action = menu->addAction(text);
    action->setCheckable(checkable);
    commands.add(id, action);
    return action;
}

QToolBar* MakeToolBar(QWidget* parent, const QString& name)
{
    auto* bar = new QToolBar(name, parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 15));
    return bar;
}

QAction* AddButton(QToolBar* bar, CommandRegistry& commands, int id, const QString& text)
{
    QAction* action = bar->addAction(ToolbarIcon(id), text);
    commands.add(id, action);
    // The toolbar's own copy of the command is told apart from the menu's by this name.
    action->setObjectName(QStringLiteral("tool%1").arg(id));
    return action;
}

// The key acts only while its button is enabled, so the run rule holds for it too. The window
// is the context: the toolbars are not in the Tab order, the table and its row of controls are.
void BindKey(QAction* action, const QKeySequence& key)
{
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(
        QStringLiteral("%1 (%2)").arg(action->text(), key.toString(QKeySequence::NativeText)));
}

} // namespace

void BuildMainMenus(QMenuBar& bar, CommandRegistry& commands)
{
    using namespace command;

    QMenu* file = bar.addMenu(MainMenus::tr("ファイル"));
    AddItem(file, commands, kNew, MainMenus::tr("新規 （現在の送信データをすべて破棄）"));
    file->addSeparator();
    AddItem(file, commands, kReload, MainMenus::tr("設定ファイル再読込 (Wirevane.ini)"));
    file->addSeparator();
    AddItem(file, commands, kOpen, MainMenus::tr("設定ファイルを指定して読込 ..."));
    AddItem(file, commands, kSaveAs, MainMenus::tr("設定ファイルを別名で保存 ..."));
    file->addSeparator();
    AddItem(file, commands, kStoreWindowPositions,
            MainMenus::tr("設定ファイルにウインドウ位置情報を登録"), true);
    file->addSeparator();
    AddItem(file, commands, kExit, MainMenus::tr("終了"));

    QMenu* edit = bar.addMenu(MainMenus::tr("編集"));
    AddItem(edit, commands, kTemporarySave, MainMenus::tr("一時保存"));
    AddItem(edit, commands, kTemporaryLoad, MainMenus::tr("一時保存の読込"));
    edit->addSeparator();
    AddItem(edit, commands, kSelectAll, MainMenus::tr("全選択"));
    AddItem(edit, commands, kDeselectAll, MainMenus::tr("全非選択"));
    AddItem(edit, commands, kBulkChange, MainMenus::tr("選択行の一括変更 ..."));
    edit->addSeparator();
    AddItem(edit, commands, kFont, MainMenus::tr("フォント変更 .."));
    QMenu* encoding = edit->addMenu(MainMenus::tr("エンコード"));
    auto* encodings = new QActionGroup(encoding);
    for (std::size_t i = 0; i < std::size(kEncodingItems); ++i) {
        const QString name = QStringView(TextEncodingName(kTextEncodings[i])).toString();
        encodings->addAction(AddItem(encoding, commands, kEncodingItems[i], name, true));
    }
    edit->addSeparator();
    AddItem(edit, commands, kStepMode, MainMenus::tr("ステップ動作"), true);
    AddItem(edit, commands, kAnswerTimeout, MainMenus::tr("応答待ちタイムアウト [ms] ..."), true);
    AddItem(edit, commands, kStopOnFail, MainMenus::tr("チェック失敗で停止"), true);

    QMenu* port = bar.addMenu(MainMenus::tr("シリアルポート"));
    AddItem(port, commands, kConnect, MainMenus::tr("接続"));
    AddItem(port, commands, kPortSettings, MainMenus::tr("設定 ..."));
    AddItem(port, commands, kDisconnect, MainMenus::tr("切断"));
    port->addSeparator();
    AddItem(port, commands, kSendBreak, MainMenus::tr("ブレークを送信"));
    port->addSeparator();
    AddItem(port, commands, kAutoReconnect, MainMenus::tr("自動再接続"), true);
    AddItem(port, commands, kLowLatency, MainMenus::tr("USB 低遅延モード"), true);
    AddItem(port, commands, kRealtime, MainMenus::tr("実行中はリアルタイム優先度"), true);

    QMenu* view = bar.addMenu(MainMenus::tr("表示"));
    AddItem(view, commands, kTerminal, MainMenus::tr("ターミナル"));
    AddItem(view, commands, kButtonArray, MainMenus::tr("登録 ボタン"));
    view->addSeparator();
    AddItem(view, commands, kSymbols, MainMenus::tr("記号 ..."));
    AddItem(view, commands, kDetailView, MainMenus::tr("詳細表示"), true);
    view->addSeparator();
    QMenu* language = view->addMenu(MainMenus::tr("言語"));
    auto* languages = new QActionGroup(language);
    languages->addAction(
        AddItem(language, commands, kLanguageDesktop, MainMenus::tr("デスクトップに従う"), true));
    // Each language is named in itself, so that a user who cannot read the one shown finds it.
    languages->addAction(
        AddItem(language, commands, kLanguageJapanese, QStringLiteral("日本語"), true));
    languages->addAction(
        AddItem(language, commands, kLanguageEnglish, QStringLiteral("English"), true));
    view->addSeparator();
    AddItem(view, commands, kAbout, MainMenus::tr("バージョン情報 ..."));
}

QToolBar* BuildFirstToolBar(QWidget* parent, CommandRegistry& commands)
{
    using namespace command;
    QToolBar* bar = MakeToolBar(parent, QStringLiteral("toolbar139"));
    AddButton(bar, commands, kConnect, MainMenus::tr("接続"));
    AddButton(bar, commands, kPortSettings, MainMenus::tr("設定"));
    AddButton(bar, commands, kDisconnect, MainMenus::tr("切断"));
    AddButton(bar, commands, kTerminal, MainMenus::tr("ターミナル"));
    AddButton(bar, commands, kButtonArray, MainMenus::tr("登録ボタン"));
    return bar;
}

QToolBar* BuildSecondToolBar(QWidget* parent, CommandRegistry& commands)
{
    using namespace command;
    QToolBar* bar = MakeToolBar(parent, QStringLiteral("toolbar148"));
    AddButton(bar, commands, kTemporarySave, MainMenus::tr("一時保存"));
    AddButton(bar, commands, kTemporaryLoad, MainMenus::tr(".一時読込"));
    AddButton(bar, commands, kSelectAll, MainMenus::tr("全選択"));
    AddButton(bar, commands, kDeselectAll, MainMenus::tr("非選択"));
    BindKey(AddButton(bar, commands, kSend, MainMenus::tr("送信")), SendKey());
    BindKey(AddButton(bar, commands, kStop, MainMenus::tr("停止")), StopKey());
    BindKey(AddButton(bar, commands, kReset, MainMenus::tr("リセット")), ResetKey());
    return bar;
}

} // namespace wirevane
