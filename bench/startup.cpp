// Start-up of the main window: from starting a process to its window being shown, offscreen,
// and the resident memory at that moment. Each run is a fresh process over an empty program
// folder; the figures are the median and the spread of ten runs.
#include "app/wirevane_dlg.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

int StartOnce(int argc, char** argv, const char* folder)
{
    QApplication application(argc, argv);
    const std::filesystem::path dir = folder;
    const wirevane::ProgramPaths paths = wirevane::ProgramPathsIn(dir);
    wirevane::DiskProfileFiles files;
    wirevane::ProfileStore store(paths.settingsPath, files);
    wirevane::CWirevaneDlg window(store, paths, [] { return std::vector<wirevane::PortChoice>{}; });
    if (!window.OnInitDialog())
        return 1;
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() != nullptr && window.windowHandle()->isExposed())) {
        if (waited.elapsed() > 10000)
            return 1;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    std::printf("shown %ld\n", ResidentKiB());
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--once")
        return StartOnce(argc, argv, argv[2]);

    using Clock = std::chrono::steady_clock;
    std::vector<double> millis;
    std::vector<long> resident;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    for (int run = 0; run < 10; ++run) {
        wirevane::test::TempDir folder;
        const Clock::time_point start = Clock::now();
        wirevane::test::ChildProcess child(self, {"--once", folder.path().string()});
        if (!child.WaitForOutput("\n", std::chrono::seconds(30))) {
            std::fprintf(stderr, "run %d: the window was not shown\n%s", run, child.err().c_str());
            return 1;
        }
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        resident.push_back(std::stol(child.out().substr(6)));
        child.Wait(std::chrono::seconds(10));
    }
    std::vector<double> sorted = millis;
    std::sort(sorted.begin(), sorted.end());
    std::sort(resident.begin(), resident.end());
    std::printf("start to window shown (offscreen), 10 runs: median %.1f ms, min %.1f ms, max "
                "%.1f ms\n",
                (sorted[4] + sorted[5]) / 2, sorted.front(), sorted.back());
    std::printf("resident memory after start: median %ld KiB (%ld..%ld)\n",
                (resident[4] + resident[5]) / 2, resident.front(), resident.back());
    return 0;
}
