#pragma once

#include "core/memory_cell_grid.h"
#include "core/run_state.h"
#include "core/send_table.h"
#include "fakes/recording_profile_files.h"
#include "fakes/recording_settings_controls.h"
#include "fakes/recording_settings_port.h"
#include "persistence/profile_store.h"
#include "persistence/settings_file.h"
#include "platform/ini_document.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

#include <fstream>
#include <string>
#include <tuple>

namespace wirevane::test {

// The settings file wired as the window wires it, over a table in memory: Wirevane.ini in a
// temporary folder, recording stand-ins for the port and the window's controls.
struct SettingsRig {
    SettingsRig() { table.FillAtStartup(); }

    std::filesystem::path settingsPath() const { return dir / "Wirevane.ini"; }
    std::u16string cell(int row, int column) const { return grid.GetCellText(row, column); }
    // The console settings of the run, and those the window's controls were given.
    auto console() const { return std::tuple(bool(run.cyclic), run.lineEnd, run.encoding); }
    auto shown() const { return std::tuple(controls.cyclic, controls.lineEnd, controls.encoding); }

    static void writeFile(const std::filesystem::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static platform::IniDocument parsed(const std::filesystem::path& path)
    {
        const std::string bytes = FileText(path);
        return platform::IniDocument::parse(
            std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }

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
