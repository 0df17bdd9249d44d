#pragma once

#include "core/memory_cell_grid.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "fakes/recording_profile_files.h"
#include "fakes/recording_settings_controls.h"
#include "fakes/recording_settings_port.h"
#include "persistence/profile_store.h"
#include "persistence/settings_file.h"
#include "support/temp_dir.h"

namespace wirevane::test {

// The settings file wired as the window wires it, over a table in memory: Wirevane.ini in a
// temporary folder, recording stand-ins for the port and the window's controls.
struct SettingsRig {
    TempDir dir;
    RecordingProfileFiles files;
    ProfileStore store{dir / "Wirevane.ini", files};
    MemoryCellGrid grid;
    RunState run;
    SendTable table{grid, run};
    RecordingSettingsPort port;
    RecordingSettingsControls controls;
    SettingsFile settings{store, table, run, port, controls};
};

} // namespace wirevane::test
