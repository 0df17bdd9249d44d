#include "commands/dialog_new_data_tx.h"
#include "commands/dialog_property.h"
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

// The five fields both dialogs have, found by their control ids.
template <typename Dialog, int DataId, int WaitId, int HaltId, int DelayId, int ExpectId>
class RowDialog : public ::testing::Test {
protected:
    QLineEdit* Data() { return Control<QLineEdit>(dialog, DataId); }
    QComboBox* Wait() { return Control<QComboBox>(dialog, WaitId); }
    QCheckBox* Halt() { return Control<QCheckBox>(dialog, HaltId); }
    QLineEdit* Delay() { return Control<QLineEdit>(dialog, DelayId); }
    QLineEdit* Expect() { return Control<QLineEdit>(dialog, ExpectId); }
    QPushButton* Ok() { return Control<QPushButton>(dialog, kOk); }
    // OK was refused: the dialog stays open on the field, the reason shown beside it.
    void ExpectRefusedAt(QWidget* field, const QString& refusal)
    {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_FALSE(refusal.isEmpty());
        EXPECT_EQ(QToolTip::text(), refusal);
    }
    auto Fields()
    {
        return std::tuple(Data()->text(), Wait()->currentIndex(), Halt()->isChecked(),
                          Delay()->text(), Expect()->text());
    }

    Dialog dialog;
};

const auto kInitialFields =
    std::tuple(QStringLiteral("<New Data>"), 0, false, QStringLiteral("100"), QString());

class NewDataDialog
    : public RowDialog<CDialogNewDataTX, kNewData, kNewWaitRx, kNewHalt, kNewDelay, kNewExpect> {
protected:
    // What the dialog gives the new table, field by field.
    auto Values() const
    {
        const NewTableValues values = dialog.values();
        return std::tuple(values.data, values.waitRx, values.halt, values.delayMs, values.expect);
    }
};

TEST_F(NewDataDialog, OkReadsTheControlsAsTypedAndEveryOpeningStartsFromTheInitialValues)
{
    test::Open(dialog);
    EXPECT_EQ(Fields(), kInitialFields);
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

    test::Open(dialog);
    EXPECT_EQ(Fields(), kInitialFields);
    EXPECT_EQ(Values(),
              std::tuple(std::u16string(u"<New Data>"), WaitKind::None, 0, 100, std::u16string()));
}

// An expression that cannot be compiled would fail every row of the new table: OK refuses it
// where it was typed, with the reason.
TEST_F(NewDataDialog, AnUnusableExpressionIsRefusedAtOkWithItsReason)
{
    test::Open(dialog);
    QToolTip::hideText();
    test::TypeOver(Expect(), QStringLiteral("re:[0-9"));
    test::ClickButton(Ok());
    ExpectRefusedAt(Expect(), ExpectationValidator::Refusal(QStringLiteral("re:[0-9")));

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
    ExpectRefusedAt(Delay(), DelayValidator::Refusal());
    EXPECT_EQ(dialog.values().delayMs, 100);

    test::TypeOver(Delay(), QStringLiteral("250"));
    test::ClickButton(Ok());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().delayMs, 250);
}

// Enter accepts, even an empty send data; Cancel and Escape reject.
TEST_F(NewDataDialog, EnterAcceptsAnEmptySendDataAndCancelOrEscapeRejects)
{
    test::Open(dialog);
    test::TypeOver(Data(), QString());
    QTest::keyClick(Data(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_data, u"");

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

class PropertyDialog : public RowDialog<CDialogProperty, kBulkData, kBulkWaitRx, kBulkHalt,
                                        kBulkDelay, kBulkExpect> {
protected:
    QCheckBox* Box(int id) { return Control<QCheckBox>(dialog, id); }
};

TEST_F(PropertyDialog, EachBoxEnablesItsOwnFieldOnly)
{
    test::Open(dialog);
    const std::pair<int, QWidget*> lines[] = {{kChangeDataBox, Data()},
                                              {kChangeWaitRxBox, Wait()},
                                              {kChangeHaltBox, Halt()},
                                              {kChangeDelayBox, Delay()},
                                              {kChangeExpectBox, Expect()}};
    for (const auto& [id, field] : lines) {
        SCOPED_TRACE(id);
        test::ClickBox(Box(id));
        EXPECT_TRUE(field->isEnabled());
        int enabled = 0;
        for (const auto& other : lines)
            enabled += other.second->isEnabled() ? 1 : 0;
        EXPECT_EQ(enabled, 1);
        test::ClickBox(Box(id));
        EXPECT_FALSE(field->isEnabled());
    }
}

// A box ticked then cleared leaves its flag cleared, but its field is still read.
TEST_F(PropertyDialog, OkReadsTheFieldsAsTypedAndFlagsOnlyTheTickedOnes)
{
    test::Open(dialog);
    test::ClickBox(Box(kChangeDataBox));
    test::TypeOver(Data(), QStringLiteral("ATZ"));
    test::ClickBox(Box(kChangeDataBox));
    test::ClickBox(Box(kChangeWaitRxBox));
    test::ArrowDown(Wait(), 1);
    test::ClickBox(Box(kChangeHaltBox));
    test::ClickBox(Halt());
    test::ClickBox(Box(kChangeDelayBox));
    test::TypeOver(Delay(), QStringLiteral("2500"));
    test::ClickBox(Box(kChangeExpectBox));
    test::TypeOver(Expect(), QStringLiteral("OK\\r"));
    test::ClickButton(Ok());

    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const BulkChangeValues v = dialog.values();
    EXPECT_EQ(std::tuple(v.changeData, v.changeWaitRx, v.changeHalt, v.changeDelay, v.changeExpect),
              std::tuple(false, true, true, true, true));
    EXPECT_EQ(std::tuple(v.data, v.waitRx, v.halt, v.delayMs, v.expect),
              std::tuple(std::u16string(u"ATZ"), WaitKind::Cr, 1, 2500, std::u16string(u"OK\\r")));
}

// A judged field is judged only when it is to change: a refused text keeps the dialog open
// with a note, and the same text behind a cleared box does not stop OK.
TEST_F(PropertyDialog, OkRefusesABadFieldOnlyWhenItChanges)
{
    // The box, its field, a text the field refuses, the reason given and the box's flag.
    const std::tuple<int, QLineEdit*, QString, QString, bool BulkChangeValues::*> lines[] = {
        {kChangeDelayBox, Delay(), QStringLiteral("xyz"), DelayValidator::Refusal(),
         &BulkChangeValues::changeDelay},
        {kChangeExpectBox, Expect(), QStringLiteral("re:a(b"),
         ExpectationValidator::Refusal(QStringLiteral("re:a(b")), &BulkChangeValues::changeExpect},
    };
    for (const auto& [box, field, bad, refusal, changes] : lines) {
        SCOPED_TRACE(box);
        test::Open(dialog);
        test::ClickBox(Box(box));
        test::TypeOver(field, bad);
        QToolTip::hideText();
        test::ClickButton(Ok());
        ExpectRefusedAt(field, refusal);

        test::ClickBox(Box(box));
        test::ClickButton(Ok());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.values().*changes);
    }
}

TEST_F(PropertyDialog, EveryOpeningStartsClearedAndDisabled)
{
    test::Open(dialog);
    for (int id : {kChangeDataBox, kChangeWaitRxBox, kChangeHaltBox, kChangeDelayBox})
        test::ClickBox(Box(id));
    test::TypeOver(Data(), QStringLiteral("x"));
    test::ClickBox(Halt());
    test::ClickButton(Ok());
    ASSERT_TRUE(dialog.values().changeHalt);

    test::WhenModal<CDialogProperty>([this](CDialogProperty* modal) {
        for (int id :
             {kChangeDataBox, kChangeWaitRxBox, kChangeHaltBox, kChangeDelayBox, kChangeExpectBox})
            EXPECT_FALSE(Box(id)->isChecked()) << id;
        for (QWidget* field :
             std::initializer_list<QWidget*>{Data(), Wait(), Halt(), Delay(), Expect()})
            EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
        EXPECT_EQ(Fields(), kInitialFields);
        const BulkChangeValues values = modal->values();
        EXPECT_FALSE(values.changeData || values.changeWaitRx || values.changeHalt ||
                     values.changeDelay);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

} // namespace
} // namespace wirevane
