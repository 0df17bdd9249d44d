#pragma once

#include <string_view>

namespace wirevane {

// What connection management changes in the main window and the terminal.
class ConnectionWindows {
public:
    virtual ~ConnectionWindows() = default;
    // Pane 0 of both status bars.
    virtual void SetConnectionStatus(std::u16string_view text) = 0;
    // Connect enabled only while not connected, the other port commands only while connected,
    // in both windows.
    virtual void UpdateConnectionControls(bool connected) = 0;
    // The companion windows' guard around the port dialogs.
    virtual void EnableCompanionWindows(bool enable) = 0;
    // Stops a running sequence, as the stop command does.
    virtual void StopRun() = 0;
    // Received bytes still held for display came from the device that was open; they are
    // dropped whenever a port closes or opens.
    virtual void DiscardHeldInput() = 0;
};

} // namespace wirevane
