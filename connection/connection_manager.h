#pragma once

#include "connection/connection_windows.h"
#include "connection/main_port.h"
#include "core/terminal_sink.h"
#include "persistence/profile_store.h"
#include "platform/usb_identity.h"
#include "serial/dialogs/port_list.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace wirevane {

// The port commands of both windows: connect through the selection dialog, disconnect, the
// settings sheet and send break; the connection status line and the command enabling that
// follow every change; the "SERIAL" keys written after a connect and after the settings sheet;
// and the clean-up when the device goes away while connected.
//
// With reconnecting on, a lost device is watched for (a few times a second, from the window's
// timer, so the window never waits on it): for a USB adapter the adapter with the same vendor,
// product and serial number under whatever path it comes back; for a simulator's port a live
// announcement under its name; otherwise the same path, but never a pseudo-terminal's, whose
// number may have gone to another program (platform::ReopenableDevice). It is reopened
// with the line it had and said so in the terminal and the status line; a run the loss stopped
// stays stopped. Connect, Disconnect and turning the option off end the watch.
class ConnectionManager {
public:
    using PortLister = std::function<std::vector<PortChoice>()>;

    // receiver gets the port's notifications; lister supplies the selection dialog's ports.
    ConnectionManager(MainPort& port, QObject* receiver, ProfileStore& profile,
                      ConnectionWindows& windows, TerminalSink& terminal,
                      PortLister lister = SystemPorts);

    void Connect(QWidget* dialogParent);
    // Opens the port named by the port object's device name; false (and a closed port, or one
    // whose set-up after opening failed) on failure, without a message.
    bool OpenSelected();
    void Disconnect();
    void Settings(QWidget* dialogParent);
    void SendBreak();

    // The status line for the port as it is now.
    std::u16string StatusText();
    // Sets the status and the enabling from the port; used at start-up.
    void ShowConnectionState();

    // The notification the port posts once when its device has gone.
    static bool IsPortLost(uint32_t eventWord);
    // Closes the lost port, stops a run and reports the loss as the terminal's last line.
    void OnPortLost();

    void SetAutoReconnect(bool on);
    void SetLowLatency(bool on);
    bool IsWatchingForDevice() const { return m_watch.isActive(); }
    // One look for the lost device, as the watch's timer takes it; true when it was reopened.
    bool LookForLostDevice();

    static std::vector<PortChoice> SystemPorts();

private:
    void ClosePort();
    void StopWatching();
    std::vector<std::string> LostDeviceCandidates() const;
    bool Reopen(const std::string& path);

    MainPort& m_port;
    QObject* m_receiver;
    ProfileStore& m_profile;
    ConnectionWindows& m_windows;
    TerminalSink& m_terminal;
    PortLister m_lister;
    // The system's reason for the last failed open, shown below the failure message.
    std::string m_openFailure;

    bool m_autoReconnect = false;
    // The open device's adapter, read while it is there: once gone, /sys no longer tells.
    std::optional<platform::UsbIdentity> m_identity;
    std::string m_lostPath;
    std::optional<platform::UsbIdentity> m_lostIdentity;
    SerialLine m_lostLine;
    QTimer m_watch;
};

} // namespace wirevane
