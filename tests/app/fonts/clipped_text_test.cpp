#include "app/dialog_sweep.h"
#include "app/main_window_rig.h"
#include "support/widgets/clipped_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

using test::Describe;
using test::ExpectNoFaultsInButtonArrayDialogs;
using test::ExpectNoFaultsInButtonArrayModes;
using test::ExpectNoFaultsInDialogs;
using test::ExpectNoFaultsInTheThreeWindows;
using test::FindClippedText;
using test::kCommandDialogs;
using test::MainWindowRig;
using test::RunInDetailDisplay;
using test::ShowSettled;

// The cut texts under root, one line each; empty when every text is whole.
std::string Cut(QWidget& root)
{
    return Describe(FindClippedText(root)).toStdString();
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
    auto* shortened = new QPushButton(QStringLiteral("measurement…"), &window);
    shortened->setGeometry(0, 230, 300, 24);
    auto* explained = new QPushButton(QStringLiteral("voltage…"), &window);
    explained->setToolTip(QStringLiteral("voltage and current"));
    explained->setGeometry(300, 230, 200, 24);
    auto* cells = new QTreeWidget(&window);
    cells->setColumnCount(3);
    cells->setRootIsDecorated(false);
    cells->header()->setStretchLastSection(false);
    // Room for "OK" alone, not for an icon in front of it.
    cells->setColumnWidth(0, cells->fontMetrics().horizontalAdvance(QStringLiteral("OK")) + 6);
    cells->setColumnWidth(1, 42);
    cells->setColumnHidden(2, true);
    new QTreeWidgetItem(cells,
                        QStringList({QStringLiteral("OK"), QStringLiteral("送信済 ｽﾃｯﾌﾟ停止"),
                                     QStringLiteral("隠れた列の長いテキスト")}));
    auto* withIcon = new QTreeWidgetItem(cells, QStringList({QStringLiteral("OK")}));
    withIcon->setIcon(0, window.style()->standardIcon(QStyle::SP_DialogOkButton));
    cells->setGeometry(0, 260, 300, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 2000));

    QStringList cut;
    for (const test::ClippedText& found : FindClippedText(window))
        cut << found.text;
    // The combo is cut by its longest item although its current one fits; the radio's doubled
    // ampersand is drawn as one and fits at its size hint. A short cell text is cut by the icon
    // in front of it; a hidden column's text is not shown at all.
    EXPECT_EQ(cut, QStringList({QStringLiteral("受信 CR→CR+NL"), QStringLiteral("ローカルエコー"),
                                lines->text(), wrapped->text(), QStringLiteral("measurement…"),
                                QStringLiteral("送信済 ｽﾃｯﾌﾟ停止"), QStringLiteral("OK")}));
}

TEST(ClippedText, TheThreeWindowsShowEveryTextWholeAtTheirOwnAndTheSmallestSizeTheyAllow)
{
    MainWindowRig rig;
    ExpectNoFaultsInTheThreeWindows(rig.Start(), CutAtOwnAndSmallestSize);
}

TEST(ClippedText, ARunInDetailDisplayLeavesEveryStatusTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    RunInDetailDisplay(window);
    ExpectNoFaultsInTheThreeWindows(window, CutAtOwnAndSmallestSize);
}

TEST(ClippedText, TheButtonArrayShowsEveryTextWholeInEachModeOfItsSideButtons)
{
    MainWindowRig rig;
    ExpectNoFaultsInButtonArrayModes(rig.Start().buttonArray(), CutAtOwnAndSmallestSize);
}

TEST(ClippedText, TheMainWindowsDialogsShowEveryTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    ShowSettled(window);
    ExpectNoFaultsInDialogs(window, kCommandDialogs, CutAtOwnAndSmallestSize);
}

TEST(ClippedText, TheButtonArraysDialogsShowEveryTextWhole)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    ExpectNoFaultsInButtonArrayDialogs(window.buttonArray(), QStringLiteral("ボタン 1"),
                                       CutAtOwnAndSmallestSize);
}

} // namespace
} // namespace wirevane
