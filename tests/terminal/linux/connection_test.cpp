#include "connection/connection_manager.h"
#include "fakes/recording_connection_windows.h"
#include "fakes/recording_terminal_host.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "platform/linux/port_registration.h"
#include "platform/serial_codes.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/port_dialog_ids.h"
#include "serial/dialogs/sheet_settings.h"
#include "serial/serial_port_access.h"
#include "support/modal_helper.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"
#include "terminal/dialog_terminal.h"
#include "terminal/terminal_ids.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <termios.h>

namespace wirevane {
namespace {

using test::WhenModal;

template <typename T> T* Control(QWidget* dialog, int id)
{
    T* control = dialog->findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

void ClickOk(QWidget* dialog)
{
    QPushButton* ok = Control<QPushButton>(dialog, port_dialog::kOkButton);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
}

void TypeBaudRate(QWidget* sheet, const char* rate)
{
    QLineEdit* field = Control<QComboBox>(sheet, port_dialog::kBaudRateField)->lineEdit();
    field->clear();
    QTest::keyClicks(field, QString::fromLatin1(rate));
}

// The whole connection chain as the main window has it, over a real settings file, a real
// terminal window and the real dialogs.
class Connection : public ::testing::Test {
protected:
    Connection()
        : store(dir / "Wirevane.ini", files), access(port), terminal(host, &access),
          windows(terminal),
          manager(port, nullptr, store, windows, terminal, [this] { return ports; })
    {
    }
    ~Connection() override
    {
        port.Close();
        unsetenv("WIREVANE_PORTS_DIR");
    }

    // Announces the pseudo-terminal the way the simulator announces its port, so it has a bare
    // port name as a real port has.
    void ListPty()
    {
        const std::filesystem::path announced = dir / "ports";
        std::string error;
        ASSERT_TRUE(registration.Register(announced, "ptytest", pty.slavePath(), error)) << error;
        setenv("WIREVANE_PORTS_DIR", announced.c_str(), 1);
        ports = {{u"ptytest0", u"pty"}};
    }
    void ConnectChoosingLast()
    {
        WhenModal<CComSelectDlg>([](CComSelectDlg* dialog) { ClickOk(dialog); });
        manager.Connect(&terminal);
    }
    std::u16string Key(std::u16string_view key)
    {
        return store.readString(u"SERIAL", key, u"(none)");
    }
    // Connect is offered only while closed; what needs an open port only while open.
    void ExpectControlsFor(bool open)
    {
        EXPECT_EQ(Control<QAction>(&terminal, terminal::kConnect)->isEnabled(), !open);
        for (int id : {terminal::kDisconnect, terminal::kPortSettings, terminal::kSendBreak})
            EXPECT_EQ(Control<QAction>(&terminal, id)->isEnabled(), open) << id;
    }

    test::TempDir dir;
    DiskProfileFiles files;
    ProfileStore store;
    test::PtyPair pty;
    platform::PortRegistration registration;
    MainPort port;
    SerialPortAccess access;
    test::RecordingTerminalHost host;
    CDialogTerminal terminal;
    test::RecordingConnectionWindows windows;
    std::vector<PortChoice> ports;
    ConnectionManager manager;
};

TEST_F(Connection, ConnectThroughTheSelectionDialogShowsTheStatusAndStoresThePathOrATypedOne)
{
    ListPty();
    ConnectChoosingLast();
    ASSERT_TRUE(port.IsOpen());
    const std::u16string name = PortNameOf(port.DeviceName());
    const std::u16string expected = u"接続 " + name + u": 9600BPS-8BIT-1STOP-NOPARITY";
    EXPECT_EQ(windows.mainStatus, expected);
    EXPECT_EQ(terminal.StatusText(), QString::fromStdU16String(expected));
    EXPECT_EQ(Key(u"PORT"), port.DeviceName());
    EXPECT_EQ(windows.guard, (std::vector<bool>{false, true}));
    ExpectControlsFor(true);

    // Connecting again passes through "not connected" and preselects the same port.
    ports.insert(ports.begin(), {u"other", u"x"});
    ports.push_back({u"last", u"x"});
    QString preselected;
    WhenModal<CComSelectDlg>([&](CComSelectDlg* dialog) {
        preselected = Control<QComboBox>(dialog, port_dialog::kPortList)->currentText();
        ClickOk(dialog);
    });
    windows.statusHistory.clear();
    manager.Connect(&terminal);
    EXPECT_EQ(preselected, QStringLiteral("ptytest0"));
    ASSERT_GE(windows.statusHistory.size(), 2u);
    EXPECT_EQ(windows.statusHistory.front(), u"未接続");
    EXPECT_TRUE(port.IsOpen());

    manager.Disconnect();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(terminal.StatusText(), QStringLiteral("未接続"));
    ExpectControlsFor(false);

    // A port typed as a path is opened.
    ports = {};
    WhenModal<CComSelectDlg>([&](CComSelectDlg* dialog) {
        Control<QComboBox>(dialog, port_dialog::kPortList)
            ->setEditText(QString::fromStdString(pty.slavePath()));
        ClickOk(dialog);
    });
    manager.Connect(&terminal);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(Key(u"PORT"), pty.slavePathU16());
}

TEST_F(Connection, CancelledSelectionTriesNothingAndSaysNothing)
{
    ListPty();
    // A message would hold Connect until this watcher closed it, so none was shown when
    // Connect returns with the flag still clear.
    bool messageShown = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messageShown = true;
            box->accept();
        }
    });
    watcher.start(10);
    WhenModal<CComSelectDlg>(
        [&](CComSelectDlg* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    manager.Connect(&terminal);
    EXPECT_FALSE(messageShown);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(windows.statusHistory.empty()) << "no connection state was shown anew";
    EXPECT_TRUE(Control<QAction>(&terminal, terminal::kConnect)->isEnabled());
    EXPECT_EQ(windows.guard, (std::vector<bool>{false, true}));
    EXPECT_EQ(Key(u"PORT"), u"(none)");
}

// The message the native program shows stays first; the system's reason, which tells a port
// in use from one the user may not open, comes below it.
TEST_F(Connection, AFailedOpenSaysBelowTheMessageWhyThePortWouldNotOpen)
{
    ListPty();
    CSerial holder;
    ASSERT_EQ(holder.Open(pty.slavePathU16()), 0u);
    QString message;
    QString reason;
    WhenModal<CComSelectDlg>([&](CComSelectDlg* dialog) {
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            message = box->text();
            reason = box->informativeText();
            box->accept();
        });
        ClickOk(dialog);
    });
    manager.Connect(&terminal);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(message, QStringLiteral("Unable to open COM-port        "));
    const QString heldBy = QStringLiteral(" is busy: held by %1 (process %2).")
                               .arg(QCoreApplication::applicationName())
                               .arg(QCoreApplication::applicationPid());
    EXPECT_TRUE(reason.endsWith(heldBy)) << reason.toStdString();
}

TEST_F(Connection, SettingsSheetAppliesToTheDeviceAndWritesTheSerialKeys)
{
    ListPty();
    ConnectChoosingLast();
    ASSERT_TRUE(port.IsOpen());
    bool refused = false;
    WhenModal<CSheetSettings>([&](CSheetSettings* sheet) {
        TypeBaudRate(sheet, "250000");
        Control<QRadioButton>(sheet, port_dialog::kStopBits2)->click();
        Control<QRadioButton>(sheet, port_dialog::kHandshakeHardware)->click();
        ClickOk(sheet);
        refused = sheet->isVisible();
        if (refused)
            sheet->reject();
    });
    manager.Settings(&terminal);
    ASSERT_FALSE(refused) << "error " << port.GetLastErrorCode();

    // The status line reads the rate and the stop bits back from the device.
    termios device{};
    ASSERT_EQ(tcgetattr(pty.slave(), &device), 0);
    EXPECT_NE(device.c_cflag & CRTSCTS, 0u);
    const std::u16string name = PortNameOf(port.DeviceName());
    EXPECT_EQ(terminal.StatusText().toStdU16String(),
              u"接続 " + name + u": 250000BPS-8BIT-2STOP-NOPARITY");
    EXPECT_EQ(Key(u"PORT"), port.DeviceName());
    for (const auto& [key, value] :
         {std::pair{u"BAUD", 250000}, {u"DATA", 8}, {u"STOP", 2}, {u"PARITY", 0}, {u"HNDSHK", 1}})
        EXPECT_EQ(store.readInt(u"SERIAL", key, -1), value);
    EXPECT_EQ(windows.guard, (std::vector<bool>{false, true, false, true}));

    // Cancel changes nothing on the port, yet the keys are written from what it holds.
    store.deleteSection(u"SERIAL");
    WhenModal<CSheetSettings>([](CSheetSettings* sheet) {
        TypeBaudRate(sheet, "1200");
        sheet->reject();
    });
    manager.Settings(&terminal);
    EXPECT_EQ(port.GetBaudRate(), 250000u);
    EXPECT_EQ(store.readInt(u"SERIAL", u"BAUD", 0), 250000);
}

} // namespace
} // namespace wirevane
