#pragma once

#include "core/run_state.h"
#include "core/send_table.h"
#include "persistence/profile_store.h"
#include "persistence/settings_interfaces.h"

#include <string_view>

namespace wirevane {

// The main window's settings: port keys, run options and the 100 rows, read from and written to
// the active profile file. Each operation is one session on that file, so a save is one write
// of the whole file; the write's result is answered so that the window can report a failure.
class SettingsFile {
public:
    SettingsFile(ProfileStore& store, SendTable& table, RunState& run, SettingsPort& port,
                 SettingsControls& controls);

    // Fields and port from the file; the table's cells are left as they are. The SERIAL keys
    // the file holds go to the port, and the port keeps its name and settings for the keys it
    // leaves out. A missing file gives the defaults; a file that exists but cannot be read changes
    // nothing and answers why, so that a load never replaces the user's table with defaults by
    // accident.
    platform::FileError ReadSettings();
    // ReadSettings, then the controls and the 100 rows of the table follow the fields; on a read
    // failure nothing changes.
    platform::FileError LoadSettingsFile();
    // The rows from the table's cells into the fields, then CONSOLE and the row sections.
    platform::FileError WriteSettings();

    platform::FileError WriteWindowPositions(const WindowPlacements& windows);
    platform::FileError ClearWindowPositions();

    // The stored restored rectangle of a window (all zero when none) and its VISIBLE key
    // (default shown; the main window has none and answers true).
    WindowRect ReadWindowRect(PlacedWindow window);
    bool ReadWindowVisible(PlacedWindow window);

    ProfileStore& store() { return m_store; }

private:
    void ReadPortSettings();

    ProfileStore& m_store;
    SendTable& m_table;
    RunState& m_run;
    SettingsPort& m_port;
    SettingsControls& m_controls;
};

} // namespace wirevane
