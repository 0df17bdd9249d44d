#include "fakes/rate_limited_device.h"
#include "platform/serial_codes.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/com_settings_choices.h"
#include "serial/dialogs/page_com_events.h"
#include "serial/dialogs/page_com_settings.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "serial/dialogs/port_list.h"
#include "serial/dialogs/sheet_settings.h"
#include "support/device_speed.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace wirevane {
namespace {

using namespace port_dialog;

// Does what must raise a message box, accepts the box and gives back its text.
template <typename Action> QString MessageOf(Action action)
{
    QString message;
    test::WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    action();
    return message;
}

// The child a dialog names by its resource id; fails the test when there is none.
template <typename T> T* Child(QWidget& parent, int id)
{
    T* child = parent.findChild<T*>(QString::number(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

void Click(QWidget& parent, int id)
{
    QTest::mouseClick(Child<QAbstractButton>(parent, id), Qt::LeftButton);
}

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

// A port over a driver whose chip stops at 1,000,000 baud and that refuses 1234 outright.
class LimitedPort : public CSerial {
protected:
    std::unique_ptr<platform::SerialDevice> OpenDevice(const std::filesystem::path& path,
                                                       platform::PortOpenError& error) override
    {
        auto device = CSerial::OpenDevice(path, error);
        if (!device)
            return nullptr;
        return std::make_unique<test::RateLimitedDevice>(std::move(device), 1'000'000, 1234);
    }
};

// The port open on a fresh pseudo-terminal while a dialog works on it.
template <typename Port> class OpenPort : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(port.Open(pty.slavePathU16()), 0u); }
    void TearDown() override { port.Close(); }

    test::PtyPair pty;
    Port port;
};
using PortDialogs = OpenPort<CSerial>;
using PortDialogsOnALimitedDriver = OpenPort<LimitedPort>;

TEST_F(PortDialogs, SelectionReturnsTheBareNameOfTheChosenPortAndNoneWhenClosed)
{
    CComSelectDlg dialog(nullptr, &port, {{u"COM1", u"serial"}, {u"COM5", u"USB-SERIAL/ftdi"}});
    auto* list = Child<QComboBox>(dialog, kPortList);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("COM5    Virtual-COM-Port"));
    EXPECT_EQ(list->currentIndex(), 1);

    dialog.show();
    Click(dialog, kOkButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPort(), u"COM5");

    // Escape and Cancel close the selection without a name.
    for (bool escape : {true, false}) {
        CComSelectDlg closed(nullptr, &port, {{u"COM1", u"serial"}});
        closed.show();
        Child<QComboBox>(closed, kPortList)->setEditText(QStringLiteral("nowhere"));
        escape ? QTest::keyClick(&closed, Qt::Key_Escape) : Click(closed, kCancelButton);
        EXPECT_FALSE(closed.isVisible()) << escape;
        EXPECT_EQ(closed.result(), QDialog::Rejected) << escape;
        EXPECT_EQ(closed.selectedPort(), u"") << escape;
    }
}

TEST_F(PortDialogs, ATypedNameIsTakenWhenItLeadsToADeviceAndRefusedWithTheReasonOtherwise)
{
    test::TempDir dir;
    std::ofstream(dir / "plain") << "x";
    CComSelectDlg dialog(nullptr, &port, {{u"COM1", u"serial"}});
    dialog.show();
    auto* list = Child<QComboBox>(dialog, kPortList);
    // The refusal is a modal message; the dialog stays open behind it.
    auto refusal = [&](const QString& typed) {
        list->setEditText(typed);
        return MessageOf([&] { Click(dialog, kOkButton); });
    };
    const QString missing = QString::fromStdString((dir / "gone").string());
    EXPECT_EQ(refusal(missing), QStringLiteral("ポート「%1」が見つかりません (%1)。").arg(missing));
    const QString plain = QString::fromStdString((dir / "plain").string());
    EXPECT_EQ(refusal(plain),
              QStringLiteral("「%1」はシリアルポートではありません (%1)。").arg(plain));
    EXPECT_EQ(refusal(QStringLiteral("  ")), QStringLiteral("ポート名を入力してください。"));
    // A name that starts like a listed port is not that port.
    EXPECT_EQ(refusal(QStringLiteral("COM1x")),
              QStringLiteral("ポート「COM1x」が見つかりません (/dev/COM1x)。"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedPort(), u"");

    const QString device = QString::fromStdString(pty.slavePath());
    list->setEditText(QStringLiteral("\\\\.\\") + device + QStringLiteral(" "));
    Click(dialog, kOkButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPort(), pty.slavePathU16());
}

TEST(BaudRateText, TakesWholeRatesInTheRangeAndNothingElse)
{
    EXPECT_EQ(ParseBaudRate(u"50"), 50u);
    EXPECT_EQ(ParseBaudRate(u" 921600\t"), 921600u);
    EXPECT_EQ(ParseBaudRate(u"4000000"), 4000000u);
    EXPECT_EQ(ParseBaudRate(u"0009600"), 9600u);
    for (const char16_t* text : {u"49", u"4000001", u"", u"  ", u"-9600", u"+9600", u"9 600",
                                 u"9600.0", u"96OO", u"1,000,000", u"99999999999999999999"})
        EXPECT_EQ(ParseBaudRate(text), std::nullopt) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(ShownBaudRate(4800), 4800u);
    EXPECT_EQ(ShownBaudRate(kQueryFailed), 9600u) << "an unreadable rate";
    EXPECT_EQ(ShownBaudRate(0), 9600u);
}

TEST_F(PortDialogs, SettingsPageShowsWhatThePortHoldsAndAppliesTheChoiceOrATypedRate)
{
    // A rate off the list is shown as it is, and OK keeps it.
    ASSERT_EQ(port.SetLineSettings(4800, 8, NOPARITY, TWOSTOPBITS), 0u);
    ASSERT_EQ(port.SetHandshake(HandshakeHardware), 0u);
    CPageComSettings page(&port);
    page.show();
    auto* baud = Child<QComboBox>(page, kBaudRateField);
    EXPECT_EQ(baud->currentText(), QStringLiteral("4800"));
    // Hardware is the third handshake button though its value is 1.
    for (int id : {kDataBits8, kParityNone, kStopBits2, kHandshakeHardware})
        EXPECT_TRUE(Child<QRadioButton>(page, id)->isChecked()) << id;

    Child<QRadioButton>(page, kHandshakeSoftware)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetBaudRate(), 4800u);
    EXPECT_EQ(port.GetStopBits(), TWOSTOPBITS);
    EXPECT_EQ(port.GetHandshake(), HandshakeSoftware);

    Child<QRadioButton>(page, kHandshakeOff)->click();
    baud->setCurrentIndex(11);
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetHandshake(), HandshakeOff);
    EXPECT_EQ(port.GetBaudRate(), 921600u);

    // A typed non-rate is refused before the port sees it; a typed rate reaches the device.
    QLineEdit* field = baud->lineEdit();
    for (const char* typed : {"49", "4000001", "fast", ""}) {
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(typed));
        const QString message = MessageOf([&] { EXPECT_FALSE(page.Apply()) << typed; });
        EXPECT_EQ(message,
                  QStringLiteral("ボーレートには 50 から 4000000 までの整数を入力してください。"))
            << typed;
    }
    EXPECT_EQ(test::DeviceOutputSpeed(pty.slave()), 921600u) << "nothing was applied";

    for (uint32_t rate : {50u, 250000u, 4000000u}) {
        field->clear();
        QTest::keyClicks(field, QString::number(rate));
        ASSERT_TRUE(page.Apply()) << rate;
        EXPECT_EQ(std::tuple(test::DeviceSpeedIsCustom(pty.slave()),
                             test::DeviceOutputSpeed(pty.slave()),
                             test::DeviceInputSpeed(pty.slave()), port.GetBaudRate()),
                  std::tuple(true, rate, rate, rate));
    }
}

TEST_F(PortDialogsOnALimitedDriver, ARefusedRateIsReportedWithTheDriversAnswerAndTheOldRateStays)
{
    ASSERT_EQ(port.SetLineSettings(115200, 8, NOPARITY, ONESTOPBIT), 0u);
    CSheetSettings sheet(&port);
    sheet.show();
    auto* field = Child<QComboBox>(sheet, kBaudRateField);
    auto refusal = [&](const char* rate) {
        field->setEditText(QString::fromLatin1(rate));
        return MessageOf([&] { Click(sheet, kOkButton); });
    };
    EXPECT_EQ(refusal("2000000"),
              QStringLiteral("ポートが Baudrate 「2000000」を受け付けませんでした。\n"
                             "以前の設定のままです。\n"
                             "ドライバーの応答: 1000000 bps に設定"));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 115200u);
    EXPECT_EQ(test::DeviceOutputSpeed(pty.slave()), 115200u);

    EXPECT_EQ(refusal("1234"), QStringLiteral("ポートが Baudrate 「1234」を受け付けませんでした。\n"
                                              "以前の設定のままです。\n"
                                              "ドライバーの応答: Invalid argument"));
    EXPECT_EQ(port.GetBaudRate(), 115200u);

    field->setEditText(QStringLiteral("1000000"));
    Click(sheet, kOkButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(test::DeviceOutputSpeed(pty.slave()), 1000000u);
}

TEST_F(PortDialogs, EventsPageShowsTheOpeningMaskRefusesABadCharacterAndTiesItTo1108)
{
    CPageComEvents page(&port);
    const std::set<int> opening = {kBreakEventBox, kErrorEventBox, kReceivedEventBox};
    for (int id = kBreakEventBox; id <= kSentEventBox; ++id)
        EXPECT_EQ(Child<QCheckBox>(page, id)->isChecked(), opening.count(id) == 1) << id;
    auto* edit = Child<QLineEdit>(page, kEventCharacterEdit);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(page, kEventCharacterGroup)->isEnabled());
    for (const char* text : {"256", "-1", "1.5", "x", ""}) {
        edit->setText(QString::fromLatin1(text));
        const QString message = MessageOf([&] { EXPECT_FALSE(page.Apply()) << text; });
        EXPECT_EQ(message, QStringLiteral("0 から 255 までの整数を入力してください。")) << text;
    }
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR) << "nothing was applied";
    edit->setText(QStringLiteral(" 255 "));
    EXPECT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventCharacter(), 255);

    page.show();
    Click(page, kEventCharacterBox);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(Child<QLabel>(page, kEventCharacterLabel)->isEnabled());

    edit->setText(QStringLiteral("13"));
    Child<QCheckBox>(page, kReceivedEventBox)->click();
    Child<QCheckBox>(page, kSentEventBox)->click();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXFLAG | EV_TXEMPTY);
    EXPECT_EQ(port.GetEventCharacter(), 13);

    // Without 1108 the character is still written.
    Click(page, kEventCharacterBox);
    EXPECT_FALSE(edit->isEnabled());
    edit->setText(QStringLiteral("10"));
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(port.GetEventCharacter(), 10);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_TXEMPTY);
}

TEST_F(PortDialogs, SheetAppliesOnlyThePagesTheUserShowed)
{
    CSheetSettings sheet(&port);
    sheet.show();
    Child<QComboBox>(sheet, kBaudRateField)->setEditText(QStringLiteral("19200"));
    Child<QCheckBox>(sheet, kSentEventBox)->click(); // on a page never shown
    Click(sheet, kOkButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 19200u);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR);

    CSheetSettings again(&port);
    again.show();
    again.findChild<QTabWidget*>()->setCurrentIndex(1);
    Child<QCheckBox>(again, kSentEventBox)->click();
    Click(again, kOkButton);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR | EV_TXEMPTY);
}

TEST_F(PortDialogs, ARefusedValueIsNamedAndTheOldSettingsStayAlsoAfterACancel)
{
    ASSERT_EQ(port.SetLineSettings(19200, 8, NOPARITY, ONESTOPBIT), 0u);
    CSheetSettings sheet(&port);
    sheet.show();
    // A pseudo-terminal keeps no parity; the rate before it in the port's order is fine.
    Child<QComboBox>(sheet, kBaudRateField)->setEditText(QStringLiteral("57600"));
    Child<QRadioButton>(sheet, kParityOdd)->click();
    Child<QRadioButton>(sheet, kStopBits2)->click();
    const QString message = MessageOf([&] { Click(sheet, kOkButton); });
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(message, QStringLiteral("ポートが Parity 「Odd」を受け付けませんでした。\n"
                                      "以前の設定のままです。"));
    EXPECT_EQ(port.GetParity(), NOPARITY);
    EXPECT_EQ(port.GetBaudRate(), 19200u) << "values tried before the refused one are undone";
    EXPECT_EQ(port.GetStopBits(), ONESTOPBIT);

    Child<QRadioButton>(sheet, kParityNone)->click();
    Click(sheet, kOkButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 57600u);
    EXPECT_EQ(port.GetStopBits(), TWOSTOPBITS);

    // Cancel after a refused events page leaves the port as it was.
    ASSERT_EQ(port.SetLineSettings(9600, 8, NOPARITY, ONESTOPBIT), 0u);
    CSheetSettings again(&port);
    again.show();
    Child<QComboBox>(again, kBaudRateField)->setEditText(QStringLiteral("57600"));
    again.findChild<QTabWidget*>()->setCurrentIndex(1);
    Child<QCheckBox>(again, kSentEventBox)->click();
    Child<QLineEdit>(again, kEventCharacterEdit)->setText(QStringLiteral("300"));
    EXPECT_EQ(MessageOf([&] { Click(again, kOkButton); }),
              QStringLiteral("0 から 255 までの整数を入力してください。"));
    ASSERT_TRUE(again.isVisible());
    EXPECT_EQ(again.findChild<QTabWidget*>()->currentIndex(), 1);
    EXPECT_EQ(port.GetBaudRate(), 9600u) << "no page reaches the port before all are valid";

    Click(again, kCancelButton);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(port.GetBaudRate(), 9600u);
    EXPECT_EQ(port.GetEventMask(), EV_BREAK | EV_ERR | EV_RXCHAR);
}

} // namespace
} // namespace wirevane
