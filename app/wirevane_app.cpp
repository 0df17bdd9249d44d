#include "app/wirevane_app.h"

#include "app/qt_translations.h"
#include "app/wirevane_dlg.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "platform/single_instance.h"

#include <QApplication>

namespace wirevane {

int CWirevaneApp::InitInstance(int& argc, char** argv)
{
    // Before any window exists, so a second copy shows nothing at all.
    if (!platform::AcquireSingleInstanceLock(kInstanceName))
        return 0;

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    InstallQtTranslations(application);

    m_paths = ResolveProgramPathsForThisProcess();
    DiskProfileFiles files;
    ProfileStore store(m_paths.settingsPath, files);

    CWirevaneDlg window(store, m_paths);
    QObject::connect(&window, &CWirevaneDlg::exited, &application, &QApplication::quit);
    if (!window.OnInitDialog())
        return 1;
    return application.exec();
}

} // namespace wirevane
