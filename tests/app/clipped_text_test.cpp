#include "app/command_ids.h"
#include "buttons/dialog_button_array.h"
#include "buttons/dialog_button_regist_type.h"
#include "buttons/dialog_button_text.h"
#include "main_window_rig.h"
#include "support/modal_helper.h"
#include "support/widgets/clipped_text.h"
#include "terminal/dialog_terminal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using namespace command;
using test::Describe;
using test::FindClippedText;
using test::MainWindowRig;

// The cut texts under root, one line each; empty when every text is whole.
std::string Cut(QWidget& root)
{
    return Describe(FindClippedText(root)).toStdString();
}

// Shows the window at the size it chooses for itself and lets its layout settle.
void ShowSettled(QWidget& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 2000));
    QApplication::processEvents();
}

// What a window shows cut at its own size and at the smallest size it lets itself be made, as
// a small saved placement or a user's drag would leave it.
std::string CutAtOwnAndSmallestSize(QWidget& window)
{
    QApplication::processEvents();
    std::string found = Cut(window);
    window.resize(1, 1);
    QApplication::processEvents();
    found += Cut(window);
    return found;
}

// What the next modal dialog shows cut, with the dialog closed again; open starts it.
std::string ClippedInNextDialog(const std::function<void()>& open, bool& seen)
{
    std::string found;
    seen = false;
    test::WhenModal<QDialog>([&](QDialog* dialog) {
        seen = true;
        found = CutAtOwnAndSmallestSize(*dialog);
        dialog->reject();
    });
    open();
    return found;
}

// The walk itself: each kind of widget is judged by what it really draws, so a test that
// passes means the texts fit, not that the walk looked at nothing.
TEST(ClippedText, TheWalkFindsEachKindOfCutTextAndOnlyThose)
{
    QWidget window;
    window.resize(600, 400);
    auto* combo = new QComboBox(&window);
    combo->addItems({QStringLiteral("A"), QStringLiteral("受信 CR→CR+NL")});
    combo->setGeometry(0, 0, 60, 24);
    auto* check = new QCheckBox(QStringLiteral("ローカルエコー"), &window);
    // As wide as its text alone: no room for the box in front of it.
    check->setGeometry(0, 30, check->fontMetrics().horizontalAdvance(check->text()), 24);
    auto* radio = new QRadioButton(QStringLiteral("読込 && 送信"), &window);
    radio->setGeometry(0, 60, radio->sizeHint().width(), 24);
    auto* lines = new QLabel(QStringLiteral("短い\n二行目のほうがずっと長い行"), &window);
    lines->setGeometry(0, 90, lines->fontMetrics().horizontalAdvance(QStringLiteral("短い")) + 8,
                       40);
    auto* wrapped =
        new QLabel(QStringLiteral("折り返す説明文がここにあります。").repeated(4), &window);
    wrapped->setWordWrap(true);
    wrapped->setGeometry(0, 140, 200, wrapped->fontMetrics().height());
    auto* hidden = new QComboBox(&window);
    hidden->addItem(QStringLiteral("見えない長い項目です"));
    hidden->setGeometry(0, 200, 10, 24);
    hidden->hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 2000));

    QStringList cut;
    for (const test::ClippedText& found : FindClippedText(window))
        cut << found.text;
    // The combo is cut by its longest item although its current one fits; the radio's doubled
    // ampersand is drawn as one and fits at its size hint.
    EXPECT_EQ(cut, QStringList({QStringLiteral("受信 CR→CR+NL"), QStringLiteral("ローカルエコー"),
                                lines->text(), wrapped->text()}));
}

TEST(ClippedText, TheThreeWindowsShowEveryTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    ShowSettled(window);
    ShowSettled(window.terminal());
    ShowSettled(window.buttonArray());

    EXPECT_EQ(Cut(window), "");
    EXPECT_EQ(Cut(window.terminal()), "");
    EXPECT_EQ(Cut(window.buttonArray()), "");
}

TEST(ClippedText, TheThreeWindowsStayWholeAtTheSmallestSizeTheyAllow)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    for (QWidget* shown :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(&window.terminal()),
          static_cast<QWidget*>(&window.buttonArray())}) {
        SCOPED_TRACE(shown->metaObject()->className());
        ShowSettled(*shown);
        EXPECT_EQ(CutAtOwnAndSmallestSize(*shown), "");
    }
}

TEST(ClippedText, TheMainWindowsDialogsShowEveryTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    ShowSettled(window);

    const struct {
        int id;
        const char* name;
    } dialogs[] = {{kConnect, "port selection"},
                   {kPortSettings, "port settings"},
                   {kNew, "new data"},
                   {kBulkChange, "bulk change"},
                   {kSymbols, "symbols"},
                   {kAbout, "about"},
                   {kExit, "exit"}};
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.name);
        bool seen = false;
        const std::string found = ClippedInNextDialog([&] { window.Trigger(dialog.id); }, seen);
        EXPECT_TRUE(seen);
        EXPECT_EQ(found, "");
    }
}

TEST(ClippedText, TheButtonArraysDialogsShowEveryTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    CDialogButtonArray& buttons = window.buttonArray();
    ShowSettled(buttons);

    bool seen = false;
    std::string found = ClippedInNextDialog(
        [&] { buttons.findChild<QAction*>(QStringLiteral("32853"))->trigger(); }, seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(found, "");

    // The registration and caption dialogs come from a button's menu; shown as it shows them.
    CDialogButtonRegistType type(&buttons);
    ShowSettled(type);
    EXPECT_EQ(CutAtOwnAndSmallestSize(type), "");
    CDialogButtonText caption(QStringLiteral("ボタン 1"), &buttons);
    ShowSettled(caption);
    EXPECT_EQ(CutAtOwnAndSmallestSize(caption), "");
}

} // namespace
} // namespace wirevane
