#include "app/wirevane_dlg.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

// wirevane-shot OUTPUT.png: the main window with a sample table, drawn without a display.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: wirevane-shot OUTPUT.png\n", stderr);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    // A program folder of its own, so the sample never touches anyone's settings.
    QTemporaryDir folder;
    const std::filesystem::path dir = QDir(folder.path()).absolutePath().toStdU16String();
    const wirevane::ProgramPaths paths{dir, dir / "Wirevane.ini", dir / "Temporally.ini",
                                       dir / "WirevaneButtons.ini"};
    wirevane::DiskProfileFiles files;
    wirevane::ProfileStore store(paths.settingsPath, files);
    wirevane::CWirevaneDlg window(store, paths, [] { return std::vector<wirevane::PortChoice>{}; });
    if (!window.OnInitDialog())
        return 1;

    const struct {
        int row;
        const char16_t* data;
        wirevane::WaitKind wait;
        int32_t halt;
        int32_t delay;
    } sample[] = {{0, u"*IDN?", 1, 0, 100},          {1, u"CONF:VOLT:DC 10", 0, 0, 50},
                  {2, u"MEAS:VOLT:DC?", 1, 0, 200},  {3, u"表示 テスト\\x41", 0, 0, 100},
                  {4, u"\\x02STATUS\\x03", 3, 0, 0}, {5, u"SYST:ERR?", 1, 1, 100}};
    for (const auto& row : sample)
        window.table().rows()[static_cast<std::size_t>(row.row)] =
            wirevane::SendRow{1, row.data, row.wait, row.halt, row.delay};
    window.table().RewriteFromRows();
    window.table().SetRowImage(0, wirevane::kRowImageSent);
    window.table().SetRowImage(1, wirevane::kRowImageSent);
    window.table().SetRowImage(2, wirevane::kRowImageWaiting);
    window.table().SetRowStatus(2, u"送信済 受信待");
    window.resize(820, 560);
    application.processEvents();

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "wirevane-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
