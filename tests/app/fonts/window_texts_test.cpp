#include "app/command_ids.h"
#include "app/interface_language.h"
#include "app/main_window_rig.h"
#include "buttons/button_array_ids.h"
#include "buttons/button_captions.h"
#include "buttons/dialog_button_array.h"
#include "buttons/dialog_button_regist_type.h"
#include "buttons/dialog_button_text.h"
#include "core/send_table.h"
#include "support/modal_helper.h"
#include "support/widgets/clipped_text.h"
#include "support/widgets/run_until.h"
#include "support/widgets/shown_text.h"
#include "terminal/dialog_terminal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

namespace wirevane {
namespace {

using namespace command;
using test::CollectShownText;
using test::FindClippedText;
using test::MainWindowRig;
using test::RunUntil;

// What a check finds wrong in a window, one line each; empty when nothing is.
using WindowFaults = std::function<std::string(QWidget&)>;

// Shows the window at the size it chooses for itself and lets its layout settle.
void ShowSettled(QWidget& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 2000));
    QApplication::processEvents();
}

// What faults finds in the modal dialog that open starts, which is closed again; a failure when
// no dialog opened.
std::string FaultsInNextDialog(const std::function<void()>& open, const WindowFaults& faults)
{
    std::string found;
    bool seen = false;
    test::WhenModal<QDialog>([&](QDialog* dialog) {
        seen = true;
        found = faults(*dialog);
        dialog->reject();
    });
    open();
    EXPECT_TRUE(seen) << "no dialog opened";
    return found;
}

void ExpectNoFaultsInTheThreeWindows(CWirevaneDlg& window, const WindowFaults& faults)
{
    for (QWidget* shown :
         std::initializer_list<QWidget*>{&window, &window.terminal(), &window.buttonArray()}) {
        SCOPED_TRACE(shown->metaObject()->className());
        ShowSettled(*shown);
        EXPECT_EQ(faults(*shown), "");
    }
}

// Leaves the main window as a run in detail display leaves it: the select column holding the
// run's status words for sent, waiting, received and stopped rows, and the button array's status
// bar the last row sent.
void RunInDetailDisplay(CWirevaneDlg& window)
{
    window.Trigger(kDetailView);
    auto& rows = window.table().rows();
    rows[1] = SendRow{1, u"*IDN?", WaitKind::None, 0, 0};
    rows[2] = SendRow{1, u"MEAS:VOLT?", WaitKind::None, 1, 0};
    rows[3] = SendRow{1, u"MEAS:CURR?", WaitKind::None, 0, 0};
    rows[4] = SendRow{1, u"READ?", WaitKind::Cr, 0, 0};
    window.table().RewriteFromRows();
    window.table().ClearMarkers();

    // Row 2 halts the run, row 3 stops it in step mode, row 4 waits for an answer that the
    // closed port never brings.
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] { return !window.run().running; }));
    window.Trigger(kStepMode);
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] { return !window.run().running; }));
    window.Trigger(kStepMode);
    window.Trigger(kSend);
    ASSERT_TRUE(RunUntil([&] {
        return window.table().grid().GetCellImage(4, SendTable::kNumberColumn) == kRowImageWaiting;
    }));
    window.Trigger(kStop);
}

// The language items name each language in itself; that Japanese is meant to stay.
QList<test::ShownText> WithoutLanguageNames(QList<test::ShownText> texts)
{
    texts.removeIf(
        [](const test::ShownText& shown) { return shown.text == QStringLiteral("日本語"); });
    return texts;
}

// What a window shows cut at its own size and at the smallest size it lets itself be made, as
// a small saved placement or a user's drag would leave it.
std::string CutAtOwnAndSmallestSize(QWidget& window)
{
    QApplication::processEvents();
    std::string found = test::Describe(test::FindClippedText(window)).toStdString();
    window.resize(1, 1);
    QApplication::processEvents();
    found += test::Describe(test::FindClippedText(window)).toStdString();
    return found;
}

// What a window shows in Japanese, and what it shows cut.
std::string Faults(QWidget& window)
{
    QApplication::processEvents();
    return test::DescribeJapanese(WithoutLanguageNames(CollectShownText(window))).toStdString() +
           CutAtOwnAndSmallestSize(window);
}

// Each interface language, and what a window must not show in it: texts cut at its own size or
// at the smallest size it allows, and in English any Japanese left over.
class WindowTexts : public ::testing::TestWithParam<InterfaceLanguage> {
protected:
    bool English() const { return GetParam() == InterfaceLanguage::English; }
    WindowFaults Check() const { return English() ? Faults : CutAtOwnAndSmallestSize; }
    // Qt's own Japanese texts may be missing; the program's English ones may not.
    void SetUp() override { ASSERT_TRUE(m_translation.complete() || !English()); }

    InterfaceTranslation m_translation{GetParam()};
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
};

TEST_P(WindowTexts, TheThreeWindowsAndEveryDialogShowEveryTextWholeAndTranslated)
{
    ExpectNoFaultsInTheThreeWindows(window, Check());
    const std::pair<int, const char*> commandDialogs[] = {{kConnect, "port selection"},
                                                          {kPortSettings, "port settings"},
                                                          {kNew, "new data"},
                                                          {kBulkChange, "bulk change"},
                                                          {kSymbols, "symbols"},
                                                          {kAbout, "about"},
                                                          {kExit, "exit"},
                                                          {kLanguageEnglish, "language"},
                                                          {kAnswerTimeout, "answer time-out"}};
    for (const auto& [id, name] : commandDialogs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(FaultsInNextDialog([&, command = id] { window.Trigger(command); }, Check()), "");
    }

    // What an action of a companion window opens.
    const auto faultsOpenedBy = [&](QWidget& owner, const QString& action) {
        ShowSettled(owner);
        return FaultsInNextDialog([&] { owner.findChild<QAction*>(action)->trigger(); }, Check());
    };
    EXPECT_EQ(faultsOpenedBy(window.terminal(), QStringLiteral("log-start")), "");
    // The button array's dialogs: the one its menu opens, and the registration and caption
    // dialogs that a button's menu opens.
    CDialogButtonArray& buttons = window.buttonArray();
    EXPECT_EQ(faultsOpenedBy(buttons, QString::number(button_array::kSettings)), "");
    CDialogButtonRegistType type(&buttons);
    ShowSettled(type);
    EXPECT_EQ(Check()(type), "");
    CDialogButtonText captionDialog(QStringLiteral("Button 1"), &buttons);
    ShowSettled(captionDialog);
    EXPECT_EQ(Check()(captionDialog), "");
}

TEST_P(WindowTexts, ARunInDetailDisplayShowsItsStatusWholeAndTranslated)
{
    RunInDetailDisplay(window);
    ExpectNoFaultsInTheThreeWindows(window, Check());
    // The cells keep the table's own words, which the engine and the save read back.
    EXPECT_EQ(window.table().grid().GetCellText(2, SendTable::kSelectColumn), u"送信済 停止");
    // So does the terminal's record, which is saved; its view shows the progress markers.
    CCommEdit& terminalText = window.terminal().edit();
    terminalText.FlushPending();
    EXPECT_NE(terminalText.LineFormText().find(u"<送信済>\r\n<停止>"), std::u16string::npos);
    if (English()) {
        EXPECT_EQ(window.buttonArray().StatusText(), QStringLiteral("READ?    Sent"));
        EXPECT_EQ(test::DescribeJapanese({{QStringLiteral("terminal text"),
                                           QString::fromStdU16String(terminalText.ShownText())}}),
                  QString());
    }
}

// With a caption longer than any button is wide on its first button.
TEST_P(WindowTexts, TheButtonArrayShowsEveryTextWholeInEachModeOfItsSideButtons)
{
    CDialogButtonArray& buttons = window.buttonArray();
    ButtonSlot& first = buttons.buttonFile().buttonSlots[static_cast<std::size_t>(
        ButtonFile::slotIndex(buttons.buttonFile().currentGroup, 0))];
    first.path = u"./measurement-of-the-supply-voltage-and-current.ini";
    first.text = u"measurement-of-the-supply-voltage-and-current.ini";
    buttons.RelabelButtons();
    for (int32_t mode :
         {kSlotModeHidden, kSlotModeRegister, kSlotModeUnregister, kSlotModeRename}) {
        SCOPED_TRACE(mode);
        buttons.SetSlotMode(mode);
        ShowSettled(buttons);
        EXPECT_EQ(Check()(buttons), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowTexts,
                         ::testing::Values(InterfaceLanguage::Japanese, InterfaceLanguage::English),
                         [](const ::testing::TestParamInfo<InterfaceLanguage>& language) {
                             return language.param == InterfaceLanguage::English ? "English"
                                                                                 : "Japanese";
                         });

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

// The walk above proves nothing if it cannot see Japanese where it is.
TEST(ShownText, TheWalkFindsJapaneseInEachKindOfText)
{
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
    const QString found = test::DescribeJapanese(CollectShownText(window));
    for (const char* expected : {"tooltip", "header", "QCheckBox", "QComboBox", "QLabel"})
        EXPECT_TRUE(found.contains(QString::fromLatin1(expected))) << expected << "\n"
                                                                   << found.toStdString();
    // Menu items, those of submenus included.
    EXPECT_TRUE(found.contains(QStringLiteral(": ファイル")));
    EXPECT_TRUE(found.contains(QStringLiteral(": デスクトップに従う")));
    CDialogButtonText caption(QStringLiteral("Button 1"));
    EXPECT_TRUE(
        test::DescribeJapanese(CollectShownText(caption)).contains(QStringLiteral("title")));
}

} // namespace
} // namespace wirevane
