#include "commands/dialog_new_data_tx.h"
#include "commands/row_dialog_ids.h"
#include "dialog_driver.h"
#include "grid/decimal_validator.h"
#include "grid/expectation_validator.h"
#include "support/modal_helper.h"

#include <QToolTip>
#include <tuple>

namespace wirevane {
namespace {

using namespace row_dialog_ids;

using test::Control;

class NewDataDialog : public ::testing::Test {
protected:
    QLineEdit* Data() { return Control<QLineEdit>(dialog, kNewData); }
    QComboBox* Wait() { return Control<QComboBox>(dialog, kNewWaitRx); }
    QCheckBox* Halt() { return Control<QCheckBox>(dialog, kNewHalt); }
    QLineEdit* Delay() { return Control<QLineEdit>(dialog, kNewDelay); }
    QLineEdit* Expect() { return Control<QLineEdit>(dialog, kNewExpect); }
    QPushButton* Ok() { return Control<QPushButton>(dialog, kOk); }
    // What the dialog gives the new table, field by field.
    auto Values() const
    {
        const NewTableValues values = dialog.values();
        return std::tuple(values.data, values.waitRx, values.halt, values.delayMs, values.expect);
    }

    void ExpectInitialValues()
    {
        EXPECT_EQ(
            std::tuple(Data()->text(), Wait()->currentIndex(), Halt()->isChecked(), Delay()->text(),
                       Expect()->text()),
            std::tuple(QStringLiteral("<New Data>"), 0, false, QStringLiteral("100"), QString()));
    }

    CDialogNewDataTX dialog;
};

TEST_F(NewDataDialog, EveryOpeningStartsFromTheInitialValues)
{
    test::Open(dialog);
    ExpectInitialValues();
    test::TypeOver(Data(), QStringLiteral("ATZ"));
    test::ArrowDown(Wait(), 3);
    test::ClickBox(Halt());
    test::TypeOver(Delay(), QStringLiteral("7"));
    test::TypeOver(Expect(), QStringLiteral("OK"));
    test::ClickButton(Ok());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    test::Open(dialog);
    ExpectInitialValues();
    EXPECT_EQ(Values(),
              std::tuple(std::u16string(u"<New Data>"), WaitKind::None, 0, 100, std::u16string()));
}

TEST_F(NewDataDialog, OkReadsTheControlsAsTyped)
{
    test::Open(dialog);
    test::TypeOver(Data(), QStringLiteral("AT\\r"));
    test::ArrowDown(Wait(), 2);
    EXPECT_EQ(Wait()->currentText(), QStringLiteral("NL"));
    EXPECT_EQ(dialog.m_waitRx, WaitKind::Nl) << "the wait index follows the list at once";
    test::ClickBox(Halt());
    test::TypeOver(Delay(), QStringLiteral("1000"));
    test::TypeOver(Expect(), QStringLiteral("re:^OK\\r"));
    test::ClickButton(Ok());

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Values(), std::tuple(std::u16string(u"AT\\r"), WaitKind::Nl, 1, 1000,
                                   std::u16string(u"re:^OK\\r")));
}

// An expression that cannot be compiled would fail every row of the new table: OK refuses it
// where it was typed, with the reason.
TEST_F(NewDataDialog, AnUnusableExpressionIsRefusedAtOkWithItsReason)
{
    test::Open(dialog);
    QToolTip::hideText();
    test::TypeOver(Expect(), QStringLiteral("re:[0-9"));
    test::ClickButton(Ok());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Expect());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), ExpectationValidator::Refusal(QStringLiteral("re:[0-9")));
    EXPECT_FALSE(QToolTip::text().isEmpty());

    test::TypeOver(Expect(), QStringLiteral("re:[0-9]"));
    test::ClickButton(Ok());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().expect, u"re:[0-9]");
}

// A delay the run would read as another value is refused at OK, where it was typed: the dialog
// stays open on the delay field with a note, and the new table is not made from it.
TEST_F(NewDataDialog, ARefusedDelayKeepsTheDialogOpenUntilAWholeNumberInRangeIsTyped)
{
    test::Open(dialog);
    QToolTip::hideText();
    test::TypeOver(Delay(), QStringLiteral("1e3ms"));
    QTest::keyClick(Data(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Delay());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), DelayValidator::Refusal());
    EXPECT_EQ(dialog.values().delayMs, 100);

    test::TypeOver(Delay(), QStringLiteral("250"));
    test::ClickButton(Ok());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().delayMs, 250);
}

TEST_F(NewDataDialog, EnterAcceptsAnEmptySendData)
{
    test::Open(dialog);
    test::TypeOver(Data(), QString());
    QTest::keyClick(Data(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_data, u"");
}

TEST_F(NewDataDialog, CancelInTheModalLoopIsRejected)
{
    test::WhenModal<CDialogNewDataTX>([](CDialogNewDataTX* modal) {
        test::TypeOver(Control<QLineEdit>(*modal, kNewData), QStringLiteral("lost"));
        test::ClickButton(Control<QPushButton>(*modal, 2));
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);

    test::WhenModal<CDialogNewDataTX>(
        [](CDialogNewDataTX* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.m_data, u"<New Data>") << "nothing typed is read without OK";
}

} // namespace
} // namespace wirevane
