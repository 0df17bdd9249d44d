#include "app/main_menus.h"

#include "app/app_icons.h"
#include "app/command_ids.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace wirevane {

namespace {

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

void AddButton(QToolBar* bar, CommandRegistry& commands, int id, const QString& text)
{
    QAction* action = bar->addAction(ToolbarIcon(id), text);
    commands.add(id, action);
    // The toolbar's own copy of the command is told apart from the menu's by this name.
    action->setObjectName(QStringLiteral("tool%1").arg(id));
}

} // namespace

void BuildMainMenus(QMenuBar& bar, CommandRegistry& commands)
{
    using namespace command;

    QMenu* file = bar.addMenu(QStringLiteral("ファイル"));
    AddItem(file, commands, kNew, QStringLiteral("新規 （現在の送信データをすべて破棄）"));
    file->addSeparator();
    AddItem(file, commands, kReload, QStringLiteral("設定ファイル再読込 (Wirevane.ini)"));
    file->addSeparator();
    AddItem(file, commands, kOpen, QStringLiteral("設定ファイルを指定して読込 ..."));
    AddItem(file, commands, kSaveAs, QStringLiteral("設定ファイルを別名で保存 ..."));
    file->addSeparator();
    AddItem(file, commands, kStoreWindowPositions,
            QStringLiteral("設定ファイルにウインドウ位置情報を登録"), true);
    file->addSeparator();
    AddItem(file, commands, kExit, QStringLiteral("終了"));

    QMenu* edit = bar.addMenu(QStringLiteral("編集"));
    AddItem(edit, commands, kTemporarySave, QStringLiteral("一時保存"));
    AddItem(edit, commands, kTemporaryLoad, QStringLiteral("一時保存の読込"));
    edit->addSeparator();
    AddItem(edit, commands, kSelectAll, QStringLiteral("全選択"));
    AddItem(edit, commands, kDeselectAll, QStringLiteral("全非選択"));
    AddItem(edit, commands, kBulkChange, QStringLiteral("選択行の一括変更 ..."));
    edit->addSeparator();
    AddItem(edit, commands, kFont, QStringLiteral("フォント変更 .."));
    QMenu* encoding = edit->addMenu(QStringLiteral("エンコード"));
    auto* encodings = new QActionGroup(encoding);
    encodings->addAction(AddItem(encoding, commands, kSjisItem, QStringLiteral("SJIS"), true));
    encodings->addAction(AddItem(encoding, commands, kUtf8Item, QStringLiteral("UTF-8"), true));
    encodings->addAction(AddItem(encoding, commands, kEucItem, QStringLiteral("EUC"), true));
    edit->addSeparator();
    AddItem(edit, commands, kStepMode, QStringLiteral("ステップ動作"), true);
    AddItem(edit, commands, kAnswerTimeout,
            QCoreApplication::translate("MainMenus", "応答待ちタイムアウト [ms] ..."), true);

    QMenu* port = bar.addMenu(QStringLiteral("シリアルポート"));
    AddItem(port, commands, kConnect, QStringLiteral("接続"));
    AddItem(port, commands, kPortSettings, QStringLiteral("設定 ..."));
    AddItem(port, commands, kDisconnect, QStringLiteral("切断"));
    port->addSeparator();
    AddItem(port, commands, kSendBreak, QStringLiteral("ブレークを送信"));
    port->addSeparator();
    AddItem(port, commands, kAutoReconnect, QCoreApplication::translate("MainMenus", "自動再接続"),
            true);

    QMenu* view = bar.addMenu(QStringLiteral("表示"));
    AddItem(view, commands, kTerminal, QStringLiteral("ターミナル"));
    AddItem(view, commands, kButtonArray, QStringLiteral("登録 ボタン"));
    view->addSeparator();
    AddItem(view, commands, kSymbols, QStringLiteral("記号 ..."));
    AddItem(view, commands, kDetailView, QStringLiteral("詳細表示"), true);
    view->addSeparator();
    AddItem(view, commands, kAbout, QStringLiteral("バージョン情報 ..."));
}

QToolBar* BuildFirstToolBar(QWidget* parent, CommandRegistry& commands)
{
    using namespace command;
    QToolBar* bar = MakeToolBar(parent, QStringLiteral("toolbar139"));
    AddButton(bar, commands, kConnect, QStringLiteral("接続"));
    AddButton(bar, commands, kPortSettings, QStringLiteral("設定"));
    AddButton(bar, commands, kDisconnect, QStringLiteral("切断"));
    AddButton(bar, commands, kTerminal, QStringLiteral("ターミナル"));
    AddButton(bar, commands, kButtonArray, QStringLiteral("登録ボタン"));
    return bar;
}

QToolBar* BuildSecondToolBar(QWidget* parent, CommandRegistry& commands)
{
    using namespace command;
    QToolBar* bar = MakeToolBar(parent, QStringLiteral("toolbar148"));
    AddButton(bar, commands, kTemporarySave, QStringLiteral("一時保存"));
    AddButton(bar, commands, kTemporaryLoad, QStringLiteral(".一時読込"));
    AddButton(bar, commands, kSelectAll, QStringLiteral("全選択"));
    AddButton(bar, commands, kDeselectAll, QStringLiteral("非選択"));
    AddButton(bar, commands, kSend, QStringLiteral("送信"));
    AddButton(bar, commands, kStop, QStringLiteral("停止"));
    AddButton(bar, commands, kReset, QStringLiteral("リセット"));
    return bar;
}

} // namespace wirevane
