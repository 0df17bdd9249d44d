#include "connection/connection_manager.h"

#include "persistence/settings_keys.h"
#include "platform/port_enumeration.h"
#include "platform/port_open_failure.h"
#include "platform/serial_codes.h"
#include "serial/connection_status.h"
#include "serial/dialogs/com_select_dlg.h"
#include "serial/dialogs/sheet_settings.h"

#include <QMessageBox>
#include <QString>
#include <algorithm>

namespace wirevane {

namespace {

std::u16string FromUtf8(const std::string& text)
{
    return QString::fromStdString(text).toStdU16String();
}

std::string ToUtf8(const std::u16string& text)
{
    return QString::fromStdU16String(text).toStdString();
}

// Often enough that a replugged adapter is back before the user looks; a look costs a few
// file reads.
constexpr int kWatchPeriodMs = 250;

} // namespace

ConnectionManager::ConnectionManager(MainPort& port, QObject* receiver, ProfileStore& profile,
                                     ConnectionWindows& windows, TerminalSink& terminal,
                                     PortLister lister)
    : m_port(port), m_receiver(receiver), m_profile(profile), m_windows(windows),
      m_terminal(terminal), m_lister(std::move(lister))
{
    m_watch.setInterval(kWatchPeriodMs);
    QObject::connect(&m_watch, &QTimer::timeout, [this] { LookForLostDevice(); });
}

std::vector<PortChoice> ConnectionManager::SystemPorts()
{
    std::vector<PortChoice> ports;
    for (const platform::PortEntry& entry : platform::EnumeratePorts())
        ports.push_back({FromUtf8(entry.portName), FromUtf8(entry.deviceName)});
    return ports;
}

std::u16string ConnectionManager::StatusText()
{
    if (!m_port.IsOpen())
        return std::u16string(kNotConnectedText);
    const uint32_t baud = m_port.GetBaudRate();
    const uint32_t dataBits = m_port.GetDataBits();
    const uint32_t stopBits = m_port.GetStopBits();
    const uint32_t parity = m_port.GetParity();
    return ConnectedStatusText(m_port.OpenPath(), baud, dataBits, stopBits, parity);
}

void ConnectionManager::ShowConnectionState()
{
    m_windows.SetConnectionStatus(StatusText());
    m_windows.UpdateConnectionControls(m_port.IsOpen());
}

void ConnectionManager::Connect(QWidget* dialogParent)
{
    StopWatching();
    if (m_port.IsOpen())
        Disconnect();
    m_windows.EnableCompanionWindows(false);
    {
        CComSelectDlg dialog(dialogParent, &m_port, m_lister());
        if (dialog.exec() != QDialog::Accepted) {
            // A cancelled choice is no failure: nothing was tried, so nothing is reported.
            m_windows.EnableCompanionWindows(true);
            return;
        }
        m_port.SetDeviceName(dialog.selectedPort());
    }
    if (!OpenSelected()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Wirevane"),
                        QStringLiteral("Unable to open COM-port        "), QMessageBox::Ok,
                        dialogParent);
        box.setInformativeText(QString::fromStdString(m_openFailure));
        box.exec();
    }
    m_windows.EnableCompanionWindows(true);
}

bool ConnectionManager::OpenSelected()
{
    const std::u16string name = m_port.DeviceName();
    uint32_t error = ERROR_FILE_NOT_FOUND;
    m_openFailure.clear();
    m_windows.DiscardHeldInput();
    // An empty name (a cancelled selection) names no device at all, not the device folder.
    if (!name.empty()) {
        const std::string path = platform::PortDevicePath(ToUtf8(name));
        error = m_port.Open(FromUtf8(path), m_receiver);
        m_openFailure = platform::DescribePortOpenFailure(path, m_port.LastOpenError());
    }
    if (error != 0) {
        // A port whose set-up after opening failed stays open; the enabling follows it.
        m_windows.SetConnectionStatus(kNotConnectedText);
        m_windows.UpdateConnectionControls(m_port.IsOpen());
        return false;
    }
    m_identity = platform::UsbIdentityOf(ToUtf8(m_port.DeviceName()));
    m_port.RememberLine();
    m_windows.SetConnectionStatus(StatusText());
    m_profile.writeString(settings_keys::kSerial, settings_keys::kPort, m_port.DeviceName());
    m_windows.UpdateConnectionControls(true);
    return true;
}

void ConnectionManager::ClosePort()
{
    // Closing forgets the device; keeping it as the selected port lets the next connect
    // preselect the port the user just had, as after a restart with the stored "PORT".
    std::u16string device = m_port.DeviceName();
    m_port.Close();
    m_port.SetDeviceName(std::move(device));
    m_windows.DiscardHeldInput();
}

void ConnectionManager::Disconnect()
{
    StopWatching();
    if (m_port.IsOpen()) {
        ClosePort();
        m_windows.SetConnectionStatus(kNotConnectedText);
    }
    m_windows.UpdateConnectionControls(m_port.IsOpen());
}

void ConnectionManager::Settings(QWidget* dialogParent)
{
    m_windows.EnableCompanionWindows(false);
    {
        CSheetSettings sheet(&m_port, dialogParent);
        sheet.exec();
    }
    // Also after Cancel: the file then holds what the port holds.
    if (m_port.IsOpen()) {
        m_windows.SetConnectionStatus(StatusText());
        namespace keys = settings_keys;
        ProfileSession session(m_profile);
        m_profile.writeString(keys::kSerial, keys::kPort, m_port.DeviceName());
        m_profile.writeInt(keys::kSerial, keys::kBaud, static_cast<int32_t>(m_port.GetBaudRate()));
        m_profile.writeInt(keys::kSerial, keys::kData, static_cast<int32_t>(m_port.GetDataBits()));
        m_profile.writeInt(keys::kSerial, keys::kStop, static_cast<int32_t>(m_port.GetStopBits()));
        m_profile.writeInt(keys::kSerial, keys::kParity, static_cast<int32_t>(m_port.GetParity()));
        m_profile.writeInt(keys::kSerial, keys::kHandshake,
                           static_cast<int32_t>(m_port.GetHandshake()));
        session.commit();
    }
    m_windows.EnableCompanionWindows(true);
}

void ConnectionManager::SendBreak()
{
    if (m_port.IsOpen())
        m_port.SendBreak();
}

bool ConnectionManager::IsPortLost(uint32_t eventWord)
{
    return (eventWord & EV_ERR) != 0 && ((eventWord >> 16) & CE_IOE) != 0;
}

void ConnectionManager::OnPortLost()
{
    if (!m_port.IsOpen())
        return;
    const std::u16string name = PortNameOf(m_port.OpenPath());
    m_lostPath = ToUtf8(m_port.OpenPath());
    m_lostIdentity = m_identity;
    m_lostLine = m_port.RememberedLine();
    ClosePort();
    m_windows.StopRun();
    m_windows.SetConnectionStatus(kNotConnectedText);
    m_windows.UpdateConnectionControls(false);
    m_terminal.AppendReport(u"Connection to " + name + u" lost.");
    if (m_autoReconnect)
        m_watch.start();
}

void ConnectionManager::SetAutoReconnect(bool on)
{
    m_autoReconnect = on;
    if (!on)
        StopWatching();
}

void ConnectionManager::SetLowLatency(bool on)
{
    m_port.SetLowLatency(on);
}

void ConnectionManager::StopWatching()
{
    m_watch.stop();
}

// An adapter known by its identity is taken only with that identity, also at its old path:
// another adapter plugged in meanwhile may have been given that path.
std::vector<std::string> ConnectionManager::LostDeviceCandidates() const
{
    if (m_lostIdentity)
        return platform::DevicesWithIdentity(*m_lostIdentity);
    return {m_lostPath};
}

bool ConnectionManager::LookForLostDevice()
{
    if (m_port.IsOpen()) {
        StopWatching();
        return false;
    }
    for (const std::string& path : LostDeviceCandidates()) {
        if (Reopen(path)) {
            StopWatching();
            return true;
        }
    }
    return false;
}

bool ConnectionManager::Reopen(const std::string& path)
{
    // The path must stand for the same device before the open and after it: one that passed
    // to another program in between (a simulator's freed pseudo-terminal) is let go again.
    const std::optional<std::string> device = platform::ReopenableDevice(path);
    if (!device)
        return false;
    if (m_port.Open(FromUtf8(path), m_receiver) != 0 ||
        platform::ReopenableDevice(path) != device) {
        ClosePort();
        return false;
    }
    // A device that is back but cannot take its old line is no reconnection; it is tried again.
    if (m_port.RestoreLine(m_lostLine) != 0) {
        ClosePort();
        return false;
    }
    m_identity = platform::UsbIdentityOf(path);
    if (path != m_lostPath)
        m_profile.writeString(settings_keys::kSerial, settings_keys::kPort, m_port.DeviceName());
    const std::u16string report = u"Reconnected to " + PortNameOf(m_port.OpenPath()) + u".";
    m_windows.SetConnectionStatus(StatusText() + u"  [" + report + u"]");
    m_windows.UpdateConnectionControls(true);
    m_terminal.AppendReport(report);
    return true;
}

} // namespace wirevane
