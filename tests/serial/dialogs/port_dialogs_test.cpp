#include "platform/serial_codes.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/page_com_events.h"
#include "serial/dialogs/page_com_settings.h"
#include "serial/dialogs/port_list.h"
#include "serial/dialogs/sheet_settings.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

TEST(StatusLine, ShowsThePortNameAndTheValuesReadBack)
{
    EXPECT_EQ(ConnectedStatusText(u"\\\\.\\COM3", 115200, 7, 2, 2),
              u"接続 COM3: 115200BPS-7BIT-2STOP-EVENPARITY");
    EXPECT_EQ(ConnectedStatusText(u"/dev/ttyUSB0", 9600, 8, 1, 4),
              u"接続 ttyUSB0: 9600BPS-8BIT-1.5STOP-SPACEPARITY");
    // A failed query must not read outside the name tables.
    EXPECT_EQ(ConnectedStatusText(u"COM1", kQueryFailed, kQueryFailed, kQueryFailed, kQueryFailed),
              u"接続 COM1: -1BPS--1BIT-****-****");
    EXPECT_EQ(StopBitsName(3), u"****");
    EXPECT_EQ(ParityName(5), u"****");
    EXPECT_EQ(ParityName(3), u"MARKPARITY");
}

TEST(StatusLine, PortNameOfWindowsAndPosixDeviceNames)
{
    EXPECT_EQ(PortNameOf(u"\\\\.\\COM3"), u"COM3");
    EXPECT_EQ(PortNameOf(u"COM3"), u"COM3");
    EXPECT_EQ(PortNameOf(u"/run/wirevane/ports/wvsim0"), u"wvsim0");
    EXPECT_EQ(PortNameOf(u""), u"");
}

TEST(PortList, MarksVirtualPortsAndPreselectsTheCurrentOne)
{
    const std::vector<PortChoice> ports = {{u"COM1", u"\\Device\\Serial0"},
                                           {u"COM5", u"\\Device\\USBSER000"},
                                           {u"COM3", u"\\Device\\VCP0"},
                                           {u"COM4", u"\\Device\\usbser"}};
    EXPECT_EQ(PortListText(ports[0]), u"COM1");
    EXPECT_EQ(PortListText(ports[1]), u"COM5    Virtual-COM-Port");
    EXPECT_EQ(PortListText(ports[2]), u"COM3    Virtual-COM-Port");
    EXPECT_EQ(PortListText(ports[3]), u"COM4") << "the test is case-sensitive";

    EXPECT_EQ(PreselectedPort(ports, u"\\\\.\\COM3"), 2);
    EXPECT_EQ(PreselectedPort(ports, u"COM3"), 2);
    EXPECT_EQ(PreselectedPort(ports, u"com3"), 3) << "no exact match: the last entry";
    EXPECT_EQ(PreselectedPort(ports, u""), 3);
    EXPECT_EQ(PreselectedPort({}, u"COM3"), -1);
    const std::vector<PortChoice> twice = {{u"COM3", u"a"}, {u"COM3", u"b"}, {u"COM9", u"c"}};
    EXPECT_EQ(PreselectedPort(twice, u"COM3"), 1);
}

class PortDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(port.Open(pty.slavePathU16()), 0u); }
    void TearDown() override { port.Close(); }

    template <typename T> T* Child(QWidget& parent, int id)
    {
        T* child = parent.findChild<T*>(QString::number(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }

    test::PtyPair pty;
    CSerial port;
};

TEST_F(PortDialogs, SelectionReturnsTheBareNameOfTheChosenPort)
{
    CComSelectDlg dialog(nullptr, &port, {{u"COM1", u"serial"}, {u"COM5", u"USB-SERIAL/ftdi"}});
    auto* list = Child<QComboBox>(dialog, 1140);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("COM5    Virtual-COM-Port"));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(Child<QPushButton>(dialog, 2)->text(), QStringLiteral("キャンセル"));

    dialog.show();
    QTest::mouseClick(Child<QPushButton>(dialog, 1), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPort(), u"COM5");
}

TEST_F(PortDialogs, ATypedNameIsTakenWhenItLeadsToADeviceAndRefusedWithTheReasonOtherwise)
{
    test::TempDir dir;
    {
        std::ofstream(dir / "plain") << "x";
    }
    CComSelectDlg dialog(nullptr, &port, {{u"COM1", u"serial"}});
    dialog.show();
    auto* list = Child<QComboBox>(dialog, 1140);
    // The refusal is a modal message; the dialog stays open behind it.
    auto refusal = [&](const QString& typed) {
        list->setEditText(typed);
        QString message;
        test::WhenModal<QMessageBox>([&](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        QTest::mouseClick(Child<QPushButton>(dialog, 1), Qt::LeftButton);
        return message;
    };
    const QString missing = QString::fromStdString((dir / "gone").string());
    EXPECT_EQ(refusal(missing), QStringLiteral("ポート「%1」が見つかりません (%1)。").arg(missing));
    const QString plain = QString::fromStdString((dir / "plain").string());
    EXPECT_EQ(refusal(plain),
              QStringLiteral("「%1」はシリアルポートではありません (%1)。").arg(plain));
    EXPECT_EQ(refusal(QStringLiteral("  ")), QStringLiteral("ポート名を入力してください。"));
    EXPECT_EQ(refusal(QStringLiteral("COM1x")),
              QStringLiteral("ポート「COM1x」が見つかりません (/dev/COM1x)。"))
        << "a name that starts like a listed port is not that port";
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedPort(), u"");

    const QString device = QString::fromStdString(pty.slavePath());
    list->setEditText(QStringLiteral("\\\\.\\") + device + QStringLiteral(" "));
    QTest::mouseClick(Child<QPushButton>(dialog, 1), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPort(), pty.slavePathU16());
}

TEST_F(PortDialogs, EscapeAndCancelCloseTheSelectionWithoutAName)
{
    for (bool escape : {true, false}) {
        CComSelectDlg dialog(nullptr, &port, {{u"COM1", u"serial"}});
        dialog.show();
        Child<QComboBox>(dialog, 1140)->setEditText(QStringLiteral("nowhere"));
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(Child<QPushButton>(dialog, 2), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible()) << escape;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << escape;
        EXPECT_EQ(dialog.selectedPort(), u"") << escape;
    }
}

TEST_F(PortDialogs, SettingsPageMapsValuesToButtonsAndBack)
{
    // A rate without a button shows as 9600, and OK then sets 9600.
    ASSERT_EQ(port.SetLineSettings(4800, 8, NOPARITY, TWOSTOPBITS), 0u);
    ASSERT_EQ(port.SetHandshake(HandshakeHardware), 0u);
    CPageComSettings page(&port);
    EXPECT_TRUE(Child<QRadioButton>(page, 1003)->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page, 1014)->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page, 1021)->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page, 1033)->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page, 1043)->isChecked())
        << "hardware is the third button though its value is 1";
    EXPECT_EQ(Child<QRadioButton>(page, 1043)->text(), QStringLiteral("Hardware (RTS/CTS)"));

    Child<QRadioButton>(page, 1042)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetBaudRate(), 9600u);
    EXPECT_EQ(port.GetStopBits(), TWOSTOPBITS);
    EXPECT_EQ(port.GetHandshake(), HandshakeSoftware);

    Child<QRadioButton>(page, 1041)->click();
    Child<QRadioButton>(page, 1008)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetHandshake(), HandshakeOff);
    EXPECT_EQ(port.GetBaudRate(), 57600u);
}

TEST_F(PortDialogs, EventsPageShowsTheOpeningMaskAndTiesTheCharacterTo1108)
{
    CPageComEvents page(&port);
    for (int id = 1101; id <= 1109; ++id) {
        const bool expected = id == 1101 || id == 1104 || id == 1107;
        EXPECT_EQ(Child<QCheckBox>(page, id)->isChecked(), expected) << id;
    }
    auto* edit = Child<QLineEdit>(page, 1112);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(page, 1110)->isEnabled());
    page.show();
    QTest::mouseClick(Child<QCheckBox>(page, 1108), Qt::LeftButton);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(Child<QLabel>(page, 1111)->isEnabled());

    edit->setText(QStringLiteral("13"));
    Child<QCheckBox>(page, 1107)->click();
    Child<QCheckBox>(page, 1109)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXFLAG | EV_TXEMPTY);
    EXPECT_EQ(port.GetEventCharacter(), 13);

    // Without 1108 the character is still written.
    QTest::mouseClick(Child<QCheckBox>(page, 1108), Qt::LeftButton);
    EXPECT_FALSE(edit->isEnabled());
    edit->setText(QStringLiteral("10"));
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventCharacter(), 10);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_TXEMPTY);
}

TEST_F(PortDialogs, EventCharacterOutsideTheRangeIsRefusedWithAMessage)
{
    CPageComEvents page(&port);
    auto* edit = Child<QLineEdit>(page, 1112);
    for (const char* text : {"256", "-1", "1.5", "x", ""}) {
        edit->setText(QString::fromLatin1(text));
        QString message;
        test::WhenModal<QMessageBox>([&](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        EXPECT_FALSE(page.Apply()) << text;
        EXPECT_EQ(message, QStringLiteral("0 から 255 までの整数を入力してください。")) << text;
    }
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR) << "nothing was applied";
    edit->setText(QStringLiteral(" 255 "));
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventCharacter(), 255);
}

TEST_F(PortDialogs, SheetAppliesOnlyThePagesTheUserShowed)
{
    CSheetSettings sheet(&port);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("COM Settings"));
    auto* tabs = sheet.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Settings"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Events"));
    sheet.show();
    Child<QRadioButton>(sheet, 1005)->click();
    Child<QCheckBox>(sheet, 1109)->click(); // on a page never shown
    QTest::mouseClick(Child<QPushButton>(sheet, 1), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 19200u);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR);

    CSheetSettings again(&port);
    again.show();
    again.findChild<QTabWidget*>()->setCurrentIndex(1);
    Child<QCheckBox>(again, 1109)->click();
    QTest::mouseClick(Child<QPushButton>(again, 1), Qt::LeftButton);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR | EV_TXEMPTY);
}

TEST_F(PortDialogs, ARefusedValueIsNamedAndTheOldSettingsStay)
{
    ASSERT_EQ(port.SetLineSettings(19200, 8, NOPARITY, ONESTOPBIT), 0u);
    CSheetSettings sheet(&port);
    sheet.show();
    // A pseudo-terminal keeps no parity; the rate before it in the port's order is fine.
    Child<QRadioButton>(sheet, 1008)->click();
    Child<QRadioButton>(sheet, 1022)->click();
    Child<QRadioButton>(sheet, 1033)->click();
    QString message;
    test::WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    QTest::mouseClick(Child<QPushButton>(sheet, 1), Qt::LeftButton);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(message, QStringLiteral("ポートが Parity 「Odd」を受け付けませんでした。\n"
                                      "以前の設定のままです。"));
    EXPECT_EQ(port.GetParity(), NOPARITY);
    EXPECT_EQ(port.GetBaudRate(), 19200u) << "values tried before the refused one are undone";
    EXPECT_EQ(port.GetStopBits(), ONESTOPBIT);

    Child<QRadioButton>(sheet, 1021)->click();
    QTest::mouseClick(Child<QPushButton>(sheet, 1), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 57600u);
    EXPECT_EQ(port.GetStopBits(), TWOSTOPBITS);
}

TEST_F(PortDialogs, CancelAfterARefusedEventsPageLeavesThePortAsItWas)
{
    ASSERT_EQ(port.SetLineSettings(9600, 8, NOPARITY, ONESTOPBIT), 0u);
    CSheetSettings sheet(&port);
    sheet.show();
    Child<QRadioButton>(sheet, 1008)->click();
    sheet.findChild<QTabWidget*>()->setCurrentIndex(1);
    Child<QCheckBox>(sheet, 1109)->click();
    Child<QLineEdit>(sheet, 1112)->setText(QStringLiteral("300"));
    QString message;
    test::WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    QTest::mouseClick(Child<QPushButton>(sheet, 1), Qt::LeftButton);
    EXPECT_EQ(message, QStringLiteral("0 から 255 までの整数を入力してください。"));
    ASSERT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.findChild<QTabWidget*>()->currentIndex(), 1);
    EXPECT_EQ(port.GetBaudRate(), 9600u) << "no page reaches the port before all are valid";

    QTest::mouseClick(Child<QPushButton>(sheet, 2), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 9600u);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR);
}

} // namespace
} // namespace wirevane
