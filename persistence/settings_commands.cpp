#include "persistence/settings_commands.h"

namespace wirevane {
namespace {

constexpr std::u16string_view kFilter =
    u"INI Files (*.ini)|*.ini|TEXT Files (*.txt)|*.txt|All Files (*.*)|*.*||";

} // namespace

SettingsCommands::SettingsCommands(SettingsFile& settings, SettingsCommandHost& host,
                                   TableLayoutStore& layout, std::filesystem::path programDir,
                                   std::filesystem::path tempPath)
    : m_settings(settings), m_host(host), m_layout(layout), m_programDir(std::move(programDir)),
      m_tempPath(std::move(tempPath))
{
}

FileDialogRequest SettingsCommands::openRequest(const std::filesystem::path& programDir)
{
    return FileDialogRequest{u"設定ファイル 読込", std::u16string(kFilter), u"ini", programDir};
}

FileDialogRequest SettingsCommands::saveRequest(const std::filesystem::path& programDir)
{
    return FileDialogRequest{u"設定ファイル 保存", std::u16string(kFilter), u"ini", programDir};
}

platform::FileError SettingsCommands::OnReload()
{
    m_host.OnReset();
    if (!m_host.Confirm(u"設定ファイル再読込 (Wirevane.ini)        ", u"Wirevane")) {
        return {};
    }
    return m_settings.LoadSettingsFile();
}

platform::FileError SettingsCommands::OnOpen()
{
    m_host.EnableCompanionWindows(false);
    m_host.OnReset();
    platform::FileError result;
    if (auto chosen = m_host.ChooseFileToOpen(openRequest(m_programDir))) {
        ProfileRedirect redirect(m_settings.store(), *chosen);
        result = m_settings.LoadSettingsFile();
        // The layout of a file that could not be read would be the default one, not the file's.
        if (result.ok()) {
            m_layout.LoadColumnLayout();
        }
    }
    m_host.EnableCompanionWindows(true);
    return result;
}

SaveAsResult SettingsCommands::OnSaveAs()
{
    m_host.EnableCompanionWindows(false);
    m_host.OnReset();
    SaveAsResult result;
    if (auto chosen = m_host.ChooseFileToSave(saveRequest(m_programDir))) {
        ProfileRedirect redirect(m_settings.store(), *chosen);
        m_settings.WriteSettings();
        m_layout.SaveColumnLayout();
        result.error = redirect.commit();
        result.saved = result.error.ok();
        result.fullPath = *chosen;
        result.fileName = chosen->filename().u16string();
    }
    m_host.EnableCompanionWindows(true);
    return result;
}

platform::FileError SettingsCommands::OnTemporarySave()
{
    m_host.OnReset();
    ProfileRedirect redirect(m_settings.store(), m_tempPath);
    m_settings.WriteSettings();
    return redirect.commit();
}

platform::FileError SettingsCommands::OnTemporaryLoad()
{
    m_host.OnReset();
    ProfileRedirect redirect(m_settings.store(), m_tempPath);
    // Without a temporary save there is nothing to go back to; loading the defaults would
    // silently wipe the table.
    if (redirect.fileMissing()) {
        return platform::FileError::NotFound();
    }
    return m_settings.LoadSettingsFile();
}

} // namespace wirevane
