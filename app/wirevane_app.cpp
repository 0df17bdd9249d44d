#include "app/wirevane_app.h"

#include "app/interface_language.h"
#include "app/single_copy_channel.h"
#include "app/wirevane_dlg.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "persistence/settings_keys.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>
#include <optional>

namespace wirevane {

int CWirevaneApp::InitInstance(int& argc, char** argv)
{
    // Before any window exists: a second copy shows no window of its own, it brings the running
    // copy's main window to the front, so the user sees why nothing new appeared. A guard that
    // cannot be had is no reason to keep the user from working: the program starts and says so.
    const platform::SingleInstanceLock lock = platform::AcquireSingleInstanceLock(kInstanceName);
    if (lock.state == platform::SingleInstanceLock::State::HeldByAnotherCopy) {
        QCoreApplication asking(argc, argv);
        platform::AllowRunningCopyToComeForward();
        if (!lock.channel.empty())
            AskRunningCopyToShow(QString::fromStdU16String(lock.channel.u16string()));
        return 0;
    }
    if (lock.state == platform::SingleInstanceLock::State::Unavailable)
        std::fprintf(stderr, "wirevane: cannot take the single-copy lock (%s); starting anyway\n",
                     lock.problem.c_str());

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    m_paths = ResolveProgramPathsForThisProcess();
    DiskProfileFiles files;
    ProfileStore store(m_paths.settingsPath, files);

    // The language and every window's start read the settings file once between them.
    std::optional<ProfileSession> startup(std::in_place, store);
    // Before the first window is built, since every window reads its texts as it is made.
    const LanguageChoice choice = ParseLanguageChoice(
        store.readString(settings_keys::kWirevane, settings_keys::kLanguage, u""));
    const InterfaceTranslation translation(
        ResolveInterfaceLanguage(choice, QLocale::system().uiLanguages().value(0)));

    CWirevaneDlg window(store, m_paths);
    QObject::connect(&window, &CWirevaneDlg::exited, &application, &QApplication::quit);
    if (!window.OnInitDialog())
        return 1;
    startup.reset();
    // Without the lock a second copy never asks, and without a private name none may.
    std::optional<SingleCopyServer> server;
    if (lock.state == platform::SingleInstanceLock::State::Held && !lock.channel.empty())
        server.emplace(QString::fromStdU16String(lock.channel.u16string()),
                       [&window] { window.BringToFront(); });
    return application.exec();
}

} // namespace wirevane
