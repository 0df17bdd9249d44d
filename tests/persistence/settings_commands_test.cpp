#include "fakes/key_table_layout.h"
#include "fakes/scripted_command_host.h"
#include "persistence/settings_commands.h"
#include "platform/ini_document.h"
#include "support/file_text.h"
#include "support/settings_rig.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wirevane {
namespace {

using Log = std::vector<std::string>;

std::string rowFile(const std::string& data, const std::string& more = {})
{
    return "[CONSOLE]\r\nCYCLIC=1\r\nTERNINATOR=0\r\nENCODE=1\r\n[DATA_INDEX0]\r\nSELECT="
           "1\r\nDATA=" +
           data + "\r\n" + more;
}

class SettingsCommandsTest : public ::testing::Test, protected test::SettingsRig {
protected:
    std::filesystem::path tempPath() const { return dir / "Temporally.ini"; }
    std::u16string dataCell(int row) const { return cell(row, SendTable::kDataColumn); }
    void typeData(int row, std::u16string_view text)
    {
        grid.SetCellText(row, SendTable::kDataColumn, text);
    }

    test::ScriptedCommandHost host;
    test::KeyTableLayout layout{store, host.log};
    SettingsCommands commands{settings, host, layout, dir.path() / "", tempPath()};
};

TEST_F(SettingsCommandsTest, OpenLoadsTheChosenFileAndItsLayoutThenComesBack)
{
    writeFile(settingsPath(), rowFile("settings"));
    const std::filesystem::path chosen = dir / "bench.ini";
    writeFile(chosen, rowFile("chosen", "[Profile ListTX]\r\nColumnWidth_0=77\r\n"));
    host.openAnswer = chosen;

    EXPECT_TRUE(commands.OnOpen().ok());
    EXPECT_EQ(host.log, (Log{"disable", "reset", "open dialog", "load layout", "enable"}));
    ASSERT_TRUE(host.lastRequest.has_value());
    const auto& [title, filter, extension, folder] = *host.lastRequest;
    EXPECT_EQ(std::tuple(title, filter, extension, folder),
              std::tuple(u"設定ファイル 読込",
                         u"INI Files (*.ini)|*.ini|TEXT Files (*.txt)|*.txt|All Files (*.*)|*.*||",
                         u"ini", dir.path() / ""));

    EXPECT_EQ(dataCell(0), u"chosen");
    EXPECT_EQ(layout.pathsSeen, (std::vector<std::filesystem::path>{chosen}));
    EXPECT_EQ(layout.loadedWidth, 77);
    EXPECT_EQ(store.activePath(), settingsPath());
    EXPECT_EQ(files.replaceCount, 0);

    // The chosen file is not remembered.
    EXPECT_TRUE(commands.OnReload().ok());
    EXPECT_EQ(dataCell(0), u"settings");
}

TEST_F(SettingsCommandsTest, CancelledDialogsChangeNothingAndReloadAsksFirst)
{
    writeFile(settingsPath(), rowFile("settings"));
    typeData(0, u"typed");

    EXPECT_TRUE(commands.OnOpen().ok());
    EXPECT_EQ(host.log, (Log{"disable", "reset", "open dialog", "enable"}));

    host.log.clear();
    SaveAsResult result = commands.OnSaveAs();
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.error.ok());
    EXPECT_EQ(host.log, (Log{"disable", "reset", "save dialog", "enable"}));

    EXPECT_EQ(dataCell(0), u"typed");
    EXPECT_FALSE(controls.encoding.has_value());
    EXPECT_TRUE(port.name.empty());
    EXPECT_EQ(test::FileText(settingsPath()), rowFile("settings"));
    EXPECT_EQ(files.replaceCount, 0);
    EXPECT_EQ(store.activePath(), settingsPath());

    // Reload asks first, and reads the settings file only when told to.
    writeFile(settingsPath(), rowFile("from the settings file"));
    host.log.clear();

    host.confirmAnswer = false;
    EXPECT_TRUE(commands.OnReload().ok());
    EXPECT_EQ(host.log, (Log{"reset", "confirm"}));
    EXPECT_EQ(host.confirmText, u"設定ファイル再読込 (Wirevane.ini)        ");
    EXPECT_EQ(host.confirmCaption, u"Wirevane");
    EXPECT_EQ(dataCell(0), u"typed");

    host.confirmAnswer = true;
    EXPECT_TRUE(commands.OnReload().ok());
    EXPECT_EQ(dataCell(0), u"from the settings file");
    EXPECT_EQ(controls.encoding, TextEncoding::Utf8);
    // Reload leaves the column layout alone and writes nothing.
    EXPECT_TRUE(layout.pathsSeen.empty());
    EXPECT_EQ(files.replaceCount, 0);
}

TEST_F(SettingsCommandsTest, SaveAsWritesTableAndLayoutInOneWrite)
{
    const std::filesystem::path chosen = dir / "saved as.ini";
    host.saveAnswer = chosen;
    typeData(0, u"saved row");
    layout.width = 51;

    SaveAsResult result = commands.OnSaveAs();
    EXPECT_EQ(std::tuple(result.saved, result.error.ok(), result.fullPath, result.fileName),
              std::tuple(true, true, chosen, u"saved as.ini"));
    EXPECT_EQ(host.log, (Log{"disable", "reset", "save dialog", "save layout", "enable"}));
    EXPECT_EQ(host.lastRequest->title, u"設定ファイル 保存");

    EXPECT_EQ(files.replaceCount, 1);
    EXPECT_EQ(files.replacedPaths.front().filename(), "saved as.ini");
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));
    EXPECT_EQ(store.activePath(), settingsPath());

    const platform::IniDocument doc = parsed(chosen);
    EXPECT_EQ(doc.value(u"DATA_INDEX0", u"DATA"), u"saved row");
    EXPECT_EQ(doc.value(u"Profile ListTX", u"ColumnWidth_0"), u"51");
    // The table first and the layout behind it, as the native program lays out its files.
    const std::vector<std::u16string> sections = doc.sectionNames();
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections.front(), u"CONSOLE");
    EXPECT_EQ(sections.back(), u"Profile ListTX");
    for (const std::u16string& name : sections) {
        EXPECT_FALSE(name == u"SERIAL" || name.starts_with(u"WINDOW_")) << "section written";
    }
}

TEST_F(SettingsCommandsTest, FailedSavesAreReportedAndTheSettingsFileStaysActive)
{
    writeFile(settingsPath(), rowFile("settings"));
    host.saveAnswer = dir / "other.ini";
    files.failWith = EACCES;

    SaveAsResult result = commands.OnSaveAs();
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.error.accessDenied());
    EXPECT_FALSE(result.error.message.empty());
    EXPECT_EQ(host.log.back(), "enable");
    EXPECT_EQ(store.activePath(), settingsPath());

    files.failWith = ENOSPC;
    EXPECT_EQ(commands.OnTemporarySave().code, platform::FileError::fromErrno(ENOSPC).code);
    EXPECT_EQ(store.activePath(), settingsPath());
    EXPECT_FALSE(std::filesystem::exists(tempPath()));

    files.failWith.reset();
    typeData(0, u"typed");
    EXPECT_TRUE(commands.OnReload().ok());
    EXPECT_EQ(dataCell(0), u"settings");
}

TEST_F(SettingsCommandsTest, TemporarySaveAndLoadGiveBackTheSavedState)
{
    typeData(0, u"kept for later");
    typeData(99, u"最後の行");
    std::tie(run.cyclic, run.lineEnd, run.encoding) =
        std::tuple(true, LineEndSuffix::Lf, TextEncoding::Euc);

    EXPECT_TRUE(commands.OnTemporarySave().ok());
    EXPECT_EQ(host.log, (Log{"reset"}));
    EXPECT_EQ(files.replacedPaths, (std::vector<std::filesystem::path>{tempPath()}));
    EXPECT_EQ(store.activePath(), settingsPath());

    typeData(0, u"changed");
    typeData(99, u"");
    std::tie(run.cyclic, run.lineEnd, run.encoding) =
        std::tuple(false, LineEndSuffix::None, TextEncoding::Sjis);

    EXPECT_TRUE(commands.OnTemporaryLoad().ok());
    EXPECT_EQ(dataCell(0), u"kept for later");
    EXPECT_EQ(dataCell(99), u"最後の行");
    EXPECT_EQ(console(), std::tuple(true, LineEndSuffix::Lf, TextEncoding::Euc));
    EXPECT_EQ(shown(), console());
    EXPECT_EQ(store.activePath(), settingsPath());
    // Neither touches the column layout nor the settings file.
    EXPECT_TRUE(layout.pathsSeen.empty());
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));
    EXPECT_EQ(files.replaceCount, 1);
}

// A temporary load without a temporary save, and a chosen file that cannot be read.
TEST_F(SettingsCommandsTest, LoadsThatFailKeepTheTable)
{
    typeData(0, u"typed");
    run.cyclic = true;

    const platform::FileError error = commands.OnTemporaryLoad();
    EXPECT_TRUE(error.notFound());
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(dataCell(0), u"typed");
    EXPECT_TRUE(run.cyclic);
    EXPECT_FALSE(controls.cyclic.has_value());
    EXPECT_FALSE(std::filesystem::exists(tempPath()));
    EXPECT_EQ(store.activePath(), settingsPath());

    const std::filesystem::path folder = dir / "a folder.ini";
    std::filesystem::create_directory(folder);
    host.openAnswer = folder;

    EXPECT_EQ(commands.OnOpen().code, platform::FileError::fromErrno(EISDIR).code);
    EXPECT_EQ(dataCell(0), u"typed");
    EXPECT_TRUE(layout.pathsSeen.empty());
    EXPECT_EQ(host.log.back(), "enable");
    EXPECT_EQ(store.activePath(), settingsPath());
}

} // namespace
} // namespace wirevane
