#pragma once

#include "app/wirevane_dlg.h"
#include "fakes/recording_profile_files.h"
#include "persistence/profile_files.h"
#include "persistence/profile_store.h"
#include "platform/ini_document.h"
#include "support/file_text.h"
#include "support/modal_helper.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace wirevane::test {

// Those of the given commands that are checked, or enabled, in the order given.
inline std::vector<int> CheckedOf(const CommandRegistry& commands, std::initializer_list<int> ids)
{
    std::vector<int> checked;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(checked),
                 [&](int id) { return commands.isChecked(id); });
    return checked;
}
inline std::vector<int> EnabledOf(const CommandRegistry& commands, std::initializer_list<int> ids)
{
    std::vector<int> enabled;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(enabled),
                 [&](int id) { return commands.isEnabled(id); });
    return enabled;
}

// The text of the message box that action shows, which is then accepted; empty when none shows.
inline QString MessageShownBy(const std::function<void()>& action)
{
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    action();
    return shown;
}

// Answers the next question for a number of milliseconds, as the answer time-out asks it.
inline void AnswerTimeoutDialog(int milliseconds)
{
    WhenModal<QInputDialog>([milliseconds](QInputDialog* dialog) {
        dialog->setIntValue(milliseconds);
        dialog->accept();
    });
}

// The main window over a program folder in a temporary directory, with no serial ports to
// offer. Files can be put in place before the window starts and read back after it ends.
class MainWindowRig {
public:
    MainWindowRig() : m_paths(ProgramPathsIn(m_dir.path()))
    {
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void WriteSettingsFile(const std::string& text) const { WriteFile("Wirevane.ini", text); }
    void WriteFile(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string ReadFile(const std::string& name) const { return FileText(m_dir / name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_dir / name); }

    // A fresh reading of an INI file on disk, as the next start would see it.
    std::u16string ReadIniString(const std::string& name, std::u16string_view section,
                                 std::u16string_view key) const
    {
        DiskProfileFiles files;
        ProfileStore store(m_dir / name, files);
        return store.readString(section, key, u"<missing>");
    }

    // Without a lister the window is offered no ports at all.
    CWirevaneDlg& Start(CWirevaneDlg::PortLister lister = [] { return std::vector<PortChoice>{}; })
    {
        m_store = std::make_unique<ProfileStore>(m_paths.settingsPath, m_files);
        m_window = std::make_unique<CWirevaneDlg>(*m_store, m_paths, std::move(lister));
        m_window->OnInitDialog();
        return *m_window;
    }
    CWirevaneDlg& window() { return *m_window; }
    void Stop() { m_window.reset(); }

    const std::filesystem::path& folder() const { return m_dir.path(); }
    // While blocked, a plain file stands where the program folder was, so every write there
    // fails, even for root.
    void BlockFolder() const
    {
        std::filesystem::rename(folder(), folder().string() + ".away");
        std::ofstream(folder()) << "not a folder";
    }
    void UnblockFolder() const
    {
        std::filesystem::remove(folder());
        std::filesystem::rename(folder().string() + ".away", folder());
    }
    const ProgramPaths& paths() const { return m_paths; }
    RecordingProfileFiles& files() { return m_files; }

private:
    TempDir m_dir;
    ProgramPaths m_paths;
    RecordingProfileFiles m_files;
    std::unique_ptr<ProfileStore> m_store;
    std::unique_ptr<CWirevaneDlg> m_window;
};

// A test on the main window started over an empty program folder.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowRig rig;
    CWirevaneDlg& window = rig.Start();
};

} // namespace wirevane::test
