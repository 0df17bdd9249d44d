#pragma once

#include "persistence/program_paths.h"

namespace wirevane {

// The program's life: one copy per user (a second copy brings the running copy's main window
// to the front and ends), the folder of its files, the profile store on the settings file, and
// the main window until it exits.
class CWirevaneApp {
public:
    static constexpr const char* kInstanceName = "UniqueName_Wirevane";

    // Answers the process's exit code. No command line is read.
    int InitInstance(int& argc, char** argv);

    const ProgramPaths& paths() const { return m_paths; }

private:
    ProgramPaths m_paths;
};

} // namespace wirevane
