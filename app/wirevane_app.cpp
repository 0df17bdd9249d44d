#include "app/wirevane_app.h"

#include "app/single_copy_channel.h"
#include "app/wirevane_dlg.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QCoreApplication>

namespace wirevane {

int CWirevaneApp::InitInstance(int& argc, char** argv)
{
    const QString channel = SingleCopyChannelName(QString::fromLatin1(kInstanceName));
    // Before any window exists: a second copy shows no window of its own, it brings the running
    // copy's main window to the front, so the user sees why nothing new appeared.
    if (!platform::AcquireSingleInstanceLock(kInstanceName)) {
        QCoreApplication asking(argc, argv);
        AskRunningCopyToShow(channel);
        return 0;
    }

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    m_paths = ResolveProgramPathsForThisProcess();
    DiskProfileFiles files;
    ProfileStore store(m_paths.settingsPath, files);

    CWirevaneDlg window(store, m_paths);
    QObject::connect(&window, &CWirevaneDlg::exited, &application, &QApplication::quit);
    if (!window.OnInitDialog())
        return 1;
    SingleCopyServer server(channel, [&window] { window.BringToFront(); });
    return application.exec();
}

} // namespace wirevane
